#ifndef VANTOREL_DEMOHOST_HOSTILEMODES_H
#define VANTOREL_DEMOHOST_HOSTILEMODES_H

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

class DemoSession;
class QAbstractSocket;
class QTimer;

// Ways a broken or hostile host misbehaves, for trying the terminal against
// them by hand (vantorel-demohost --hostile MODE) and for the end-to-end
// tests. Each mode changes one thing about an otherwise normal session; all
// of them stop by themselves (bounded amounts, bounded repeats), so a test
// host never floods without end.
namespace HostileModes {

enum Mode {
    None,
    NoEndOfRecord,         // 256 KB of record data without IAC EOR, then IAC EOR and on as normal
    EndlessSubnegotiation, // IAC SB and 256 KB without IAC SE, then IAC SE and on as normal
    SlowDrip,              // every byte on its own, one per millisecond
    DropMidRecord,         // half of the first screen's record, then the close
    RepeatNegotiation,     // every WILL and DO acknowledged again, whatever the state
    ReadScreenFlood,       // after the sign-on screen: records full of Read Screen, never reading the answers
    CloseAtOnce            // the connection accepted and closed before a byte
};

// The option names, as --hostile takes them ("no-end-of-record", ...).
QStringList names();
QString name(Mode mode);
bool fromName(const QString &name, Mode *mode);
// One line per mode for --help.
QString description();

} // namespace HostileModes

// One session's misbehaviour. The session calls it at five points: when it
// begins, for everything it writes, after each negotiation command it
// handled, when negotiation is done and when it serves its first screen.
class HostileBehaviour : public QObject
{
    Q_OBJECT

public:
    HostileBehaviour(HostileModes::Mode mode, DemoSession *session, QAbstractSocket *socket);

    HostileModes::Mode mode() const { return m_mode; }

    // False when the session is over already (the connection was closed).
    bool begin();
    // True when the behaviour took these bytes over (the session writes
    // nothing itself); `record` marks a 5250 record.
    bool divert(const QByteArray &bytes, bool record);
    void verbHandled(quint8 verb, quint8 option);
    void negotiated();
    void serving();

    int repeats() const { return m_repeats; }
    int floodRecords() const { return m_floodRecords; }

private slots:
    void drip();
    void flood();

private:
    void write(const QByteArray &bytes);

    HostileModes::Mode m_mode;
    DemoSession *m_session;
    QPointer<QAbstractSocket> m_socket;
    QTimer *m_dripTimer = nullptr;
    QByteArray m_dripQueue;
    bool m_dropped = false;
    int m_repeats = 0;
    int m_floodRecords = 0;
};

#endif
