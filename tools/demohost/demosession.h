#ifndef VANTOREL_DEMOHOST_DEMOSESSION_H
#define VANTOREL_DEMOHOST_DEMOSESSION_H

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QString>

#include "demoaccount.h"
#include "demobehaviour.h"
#include "hostcodec.h"
#include "readresponse.h"
#include "screendescription.h"

class HostileBehaviour;
class QAbstractSocket;
class ScreenRegistry;

// One terminal connected to the demo host, from the first telnet byte to the
// close. It negotiates the way an IBM i telnet server does (RFC 2877/4777):
// NEW-ENVIRON first (RFC 1572, with a password seed and asking for every
// variable, as RFC 4777 shows it, and checking the answer), then
// TERMINAL-TYPE (RFC 1091), then END-OF-RECORD and BINARY in both
// directions; it sends the 5250 Query, waits for the Query Reply and then
// serves the screens of its registry, starting with "signon".
//
// Everything it learns (terminal type, the environment bytes, the Query
// Reply, the last read response) stays readable after the close, for tests.
class DemoSession : public QObject
{
    Q_OBJECT

public:
    enum Phase {
        WaitingForTls,       // TLS handshake still running
        Negotiating,         // telnet options
        AwaitingQueryReply,  // 5250 Query sent
        Serving,             // screens
        Closed
    };

    DemoSession(int id, QAbstractSocket *socket, const ScreenRegistry &screens, bool waitForTls,
                const QString &systemName, QObject *parent = nullptr);

    // Opens the negotiation, or waits for the TLS handshake to finish first.
    // Called once the caller has connected to the signals, so that the log
    // holds the session from its first byte.
    void begin();

    int id() const { return m_id; }
    Phase phase() const { return m_phase; }
    bool tls() const { return m_tls; }

    // What the terminal reported.
    QString terminalType() const { return m_terminalType; }
    QByteArray environment() const { return m_environment; } // NEW-ENVIRON IS, after the IS byte
    // Each variable as (type byte + name, value bytes), in the order received;
    // for example ("USERVAR DEVNAME", "MYDEV").
    QList<QPair<QString, QByteArray> > environmentVariables() const { return m_environmentVariables; }
    // The host's check of them: device name and the KBDTYPE, CODEPAGE,
    // CHARSET triple (hostenvironment.h).
    ResponseCheck environmentCheck() const { return m_environmentCheck; }
    QByteArray queryReply() const { return m_queryReply; }   // data of the Query Reply record
    ReadResponse lastResponse() const { return m_lastResponse; }
    // The responses received so far, oldest first (the most recent few
    // hundred), each with the host's check of it.
    QList<ReadResponse> responses() const { return m_responses; }
    int responseCount() const { return m_responseCount; }
    // The function keys the terminal now sends without field data (bit n-1:
    // Fn), as the Start of Header orders sent so far left it.
    quint32 noDataKeyMask() const { return m_noDataKeyMask; }
    QString currentScreen() const { return m_currentScreen; }
    int screensSent() const { return m_screensSent; }

    // Session variables fill the screens' "{name}" placeholders.
    QString variable(const QString &name) const { return m_screenVariables.value(name); }
    void setVariable(const QString &name, const QString &value) { m_screenVariables.insert(name, value); }

    // The accounts the sign-on screen checks, the host's own first; without
    // one any user name signs on with any password.
    void setAccount(const DemoAccount &account) { m_accounts = QList<DemoAccount>() << account; }
    void setAccounts(const QList<DemoAccount> &accounts) { m_accounts = accounts; }
    DemoAccount account() const { return m_accounts.isEmpty() ? DemoAccount() : m_accounts.first(); }
    QList<DemoAccount> accounts() const { return m_accounts; }
    // How the session treats the terminal (demobehaviour.h); set before begin().
    void setBehaviour(DemoBehaviour behaviour) { m_behaviour = behaviour; }
    // Sign-on attempts refused for an unknown user or a wrong password (an
    // empty user field does not count, as on an IBM i).
    int failedSignOns() const { return m_failedSignOns; }
    void countFailedSignOn() { ++m_failedSignOns; }

    // With `rollLines`, a screen already shown turns by that many rows of its
    // roll region (buildRollStream) instead of being written again.
    void showScreen(const QString &name, const QString &message = QString(), int rollLines = 0);
    // Write Error Code: the message on the terminal's error line, input
    // inhibited until the operator's Reset; the screen and its fields stay.
    void sendInputError(const QString &message);
    // Save Screen, then (once the terminal's token is back) the window
    // `name` over the screen shown; closeWindow hands the token back in
    // Restore Screen and invites input on the screen below again.
    void openWindow(const QString &name);
    void closeWindow();
    // The token of the last Save Screen answer (empty before the first).
    QByteArray saveToken() const { return m_saveToken; }
    // The message-waiting light (records 0x0B and 0x0C).
    void setMessageWaiting(bool on);
    bool messageWaiting() const { return m_messageWaiting; }
    // While on, read responses are received, checked and logged but not
    // answered, so the terminal stays locked (a busy host, for tests of the
    // terminal's type-ahead). Turning it off answers the held ones in order.
    void setHoldReplies(bool hold);
    bool holdReplies() const { return m_holdReplies; }
    // While on, every WILL and DO for the options a 5250 session uses is
    // acknowledged, repeats included, as some hosts do: a terminal that
    // answered every acknowledgement would never stop negotiating.
    void setReacknowledge(bool on) { m_reacknowledge = on; }
    int heldReplyCount() const { return m_heldResponses.size(); }
    // Ends the session from the host's side (orderly close).
    void close();
    // Makes this session misbehave (hostilemodes.h); it takes ownership.
    void setHostile(HostileBehaviour *behaviour) { m_hostile = behaviour; }
    HostileBehaviour *hostile() const { return m_hostile; }
    void log(const QString &text);

signals:
    void negotiated();
    void queryReplyReceived();
    void screenShown(const QString &name);
    void responseReceived();
    void closed();
    void logMessage(const QString &line);

private slots:
    void socketReadyRead();
    void socketEncrypted();
    void socketDisconnected();
    void socketError();

private:
    enum TelnetState { Data, Command, Option, Subnegotiation, SubnegotiationIac };

    void start();
    void processBytes(const QByteArray &bytes);
    void handleVerb(quint8 verb, quint8 option);
    void handleSubnegotiation(const QByteArray &bytes);
    void handleEnvironment(const QByteArray &payload);
    void handleRecord(const QByteArray &record);
    void handleReadResponse(quint8 opcode, quint8 flags, const QByteArray &data);
    void answer(const ReadResponse &response);
    void advanceNegotiation();
    void sendCommand(quint8 verb, quint8 option);
    void sendSubnegotiation(quint8 option, const QByteArray &payload);
    void sendRecord(quint8 opcode, const QByteArray &data);
    void writeOut(const QByteArray &bytes, bool record);
    void refuse(const QString &what);

    int m_id;
    QPointer<QAbstractSocket> m_socket;
    const ScreenRegistry &m_screens;
    bool m_tls;
    Phase m_phase;
    HostCodec m_codec;

    TelnetState m_telnetState = Data;
    quint8 m_verb = 0;
    QByteArray m_record;
    QByteArray m_subnegotiation;

    // Negotiation progress: what the host asked and what the terminal agreed.
    bool m_environRequested = false;
    bool m_environAgreed = false;
    bool m_environDone = false;
    bool m_terminalTypeRequested = false;
    bool m_terminalTypeAgreed = false;
    bool m_terminalTypeDone = false;
    bool m_transparentRequested = false;
    bool m_terminalWillBinary = false;
    bool m_terminalDoBinary = false;
    bool m_terminalWillEor = false;
    bool m_terminalDoEor = false;

    QString m_terminalType;
    QByteArray m_environment;
    QList<QPair<QString, QByteArray> > m_environmentVariables;
    ResponseCheck m_environmentCheck;
    QByteArray m_queryReply;
    ReadResponse m_lastResponse;
    QList<ReadResponse> m_responses;
    int m_responseCount = 0;
    bool m_holdReplies = false;
    bool m_reacknowledge = false;
    QList<ReadResponse> m_heldResponses;
    quint32 m_noDataKeyMask = 0;
    QString m_currentScreen;
    ScreenDescription m_currentLayout;
    // The window waiting for the Save Screen token, and the screen under the
    // window shown (empty names: none).
    QString m_pendingWindow;
    QByteArray m_saveToken;
    QString m_underScreen;
    ScreenDescription m_underLayout;
    bool m_messageWaiting = false;
    int m_screensSent = 0;
    QMap<QString, QString> m_screenVariables;
    QList<DemoAccount> m_accounts;
    int m_failedSignOns = 0;
    HostileBehaviour *m_hostile = nullptr;
    DemoBehaviour m_behaviour = DemoBehaviour::Normal;
    int m_recordsSent = 0;
};

#endif
