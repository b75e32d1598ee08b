#ifndef VANTOREL_DEMOHOST_H
#define VANTOREL_DEMOHOST_H

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QSslCertificate>
#include <QSslKey>
#include <QString>
#include <QStringList>

#include "demoaccount.h"
#include "hostilemodes.h"
#include "demobehaviour.h"
#include "readresponse.h"
#include "screenregistry.h"

class DemoServer;
class DemoSession;
class QTcpSocket;

// A small TN5250 host on 127.0.0.1 that behaves, on the wire, like an IBM i
// telnet server: it negotiates the session, sends the 5250 Query and serves
// the screens of its registry (sign-on, checking one account's password when
// it has one, the main menu and the menu's screens for operator input: entry
// form with an error message by Write Error Code, a list paged with the Roll
// command, a no-data key, function-key labels and web addresses, a window
// between Save Screen and Restore Screen, a 27 x 132 report and the
// message-waiting light).
// The executable vantorel-demohost runs one for trying the client by hand;
// tests run one in-process and read what it saw through the accessors below,
// which report on the most recent session, including the host's check of
// every read response, and can hold the host's replies to play a busy system.
class DemoHost : public QObject
{
    Q_OBJECT

public:
    explicit DemoHost(QObject *parent = nullptr);
    ~DemoHost() override;

    // Listens on 127.0.0.1; port 0 picks a free port (see serverPort()).
    bool listen(quint16 port = 0);
    quint16 serverPort() const;
    QString errorString() const;
    void close();

    // TLS for every following connection, with this certificate and key.
    bool setTlsFiles(const QString &certificateFile, const QString &keyFile, QString *error = nullptr);
    void setTlsCredentials(const QSslCertificate &certificate, const QSslKey &key);
    bool tlsEnabled() const { return !m_certificate.isNull(); }

    void setSystemName(const QString &name) { m_systemName = name; }
    QString systemName() const { return m_systemName; }

    // The user profile the sign-on screen accepts, with its password, for
    // every session, open or still to come. Refused (false, the reason in
    // `error`) when accountProblem finds fault with the pair. Without an
    // account, the default and after clearAccount, any user name signs on
    // with any password.
    bool setAccount(const QString &user, const QString &password, QString *error = nullptr);
    void clearAccount();
    DemoAccount account() const { return m_account; }
    // One more user profile beside the host's account, for every session,
    // open or still to come (the same checks as setAccount); clearAccount
    // removes these too.
    bool addAccount(const QString &user, const QString &password, QString *error = nullptr);
    QList<DemoAccount> accounts() const;

    // How every following connection is treated (demobehaviour.h).
    void setBehaviour(DemoBehaviour behaviour) { m_behaviour = behaviour; }
    DemoBehaviour behaviour() const { return m_behaviour; }

    // Log lines also go to stderr when this is on (off by default).
    void setLogToStderr(bool on) { m_logToStderr = on; }
    QStringList logLines() const { return m_logLines; }

    ScreenRegistry &screens() { return m_screens; }

    // Every session accepted so far, oldest first, closed ones included.
    QList<DemoSession *> sessions() const { return m_sessions; }
    DemoSession *latestSession() const;
    int sessionCount() const { return m_sessions.size(); }
    int openSessionCount() const;
    // Ends every open session from the host's side.
    void closeSessions();

    // What the most recent session learnt (empty when there is none).
    QString terminalType() const;
    QByteArray environment() const;
    QByteArray queryReply() const;
    ReadResponse lastResponse() const;
    // The host's check of the last response: lastResponse().check.
    ResponseCheck lastCheck() const;
    QList<ReadResponse> responses() const;
    QString currentScreen() const;
    int failedSignOns() const;

    // Holds the replies of every session, open or still to come, until it is
    // turned off again; see DemoSession::setHoldReplies.
    void setHoldReplies(bool hold);
    bool holdReplies() const { return m_holdReplies; }
    // For sessions still to come; see DemoSession::setReacknowledge.
    void setReacknowledge(bool on) { m_reacknowledge = on; }

    // How the sessions accepted from now on misbehave (hostilemodes.h);
    // HostileModes::None, the default, is a well-behaved host.
    void setHostileMode(HostileModes::Mode mode) { m_hostileMode = mode; }
    HostileModes::Mode hostileMode() const { return m_hostileMode; }

signals:
    void sessionStarted();
    void negotiated();
    void queryReplyReceived();
    void screenShown(const QString &name);
    void responseReceived();
    void sessionClosed();
    void logMessage(const QString &line);

private slots:
    void acceptConnections();
    void appendLog(const QString &line);

private:
    DemoServer *m_server;
    ScreenRegistry m_screens;
    QList<DemoSession *> m_sessions;
    QSslCertificate m_certificate;
    QSslKey m_key;
    QString m_systemName;
    bool m_logToStderr = false;
    bool m_holdReplies = false;
    HostileModes::Mode m_hostileMode = HostileModes::None;
    bool m_reacknowledge = false;
    DemoAccount m_account;
    QList<DemoAccount> m_extraAccounts;
    DemoBehaviour m_behaviour = DemoBehaviour::Normal;
    QStringList m_logLines;
};

#endif
