#ifndef VANTOREL_TESTS_INTERPRETEDSCREEN_H
#define VANTOREL_TESTS_INTERPRETEDSCREEN_H

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "protocol/datastreaminterpreter.h"
#include "protocol/savedscreens.h"
#include "screen/terminalscreen.h"

// A presentation space driven by the real data-stream interpreter, one host
// record after the other, with what the interpreter reported collected the
// way a terminal acts on it: the protocol log, alarms, invitations to type,
// the pending read and the answers as the host would read them on the wire.
struct InterpretedScreen
{
    TerminalScreen screen;
    SavedScreens savedScreens;
    bool wideScreenOffered = false;

    int pendingReadMode = 0;
    QStringList log;    // the interpreter's own lines (the client adds its RX and TX lines)
    int alarms = 0;
    int screenChanges = 0;
    // "visible cells, fields" of each invitation, in order.
    QStringList invitations;
    DataStreamInterpreter::Effects last;

    // The data of one record with this opcode, as the client hands it on.
    void run(quint8 opcode, const QByteArray &data);
    // A whole record: the header checked, then its data run.
    void runRecord(const QByteArray &record);

    // The answers since the last call, framed as they go on the wire.
    QByteArray takeSent();
    QStringList logStartingWith(const QString &prefix) const;
    QString text() const { return screen.plainText(true); }
    QStringList lines() const { return text().split(QLatin1Char('\n')); }

private:
    QByteArray m_sent;
};

#endif
