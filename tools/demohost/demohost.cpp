#include "demohost.h"

#include <QFile>
#include <QHostAddress>
#include <QSslSocket>
#include <QTcpServer>
#include <QTextStream>

#include <cstdio>

#include "demosession.h"

namespace {

// Enough for any test to look back over a whole session.
const int MAX_LOG_LINES = 5000;
const char DEFAULT_SYSTEM_NAME[] = "DEMO400";

} // namespace

// Accepts connections; with TLS each one becomes a server-side QSslSocket
// whose handshake starts at once.
class DemoServer : public QTcpServer
{
public:
    explicit DemoServer(DemoHost *host) : QTcpServer(host) {}

    QSslCertificate certificate;
    QSslKey key;

protected:
    void incomingConnection(qintptr descriptor) override
    {
        if (certificate.isNull()) {
            QTcpServer::incomingConnection(descriptor);
            return;
        }
        QSslSocket *socket = new QSslSocket(this);
        if (!socket->setSocketDescriptor(descriptor)) {
            delete socket;
            return;
        }
        socket->setLocalCertificate(certificate);
        socket->setPrivateKey(key);
        socket->setPeerVerifyMode(QSslSocket::VerifyNone);
        addPendingConnection(socket);
        socket->startServerEncryption();
    }
};

DemoHost::DemoHost(QObject *parent)
    : QObject(parent)
    , m_server(new DemoServer(this))
    , m_systemName(QLatin1String(DEFAULT_SYSTEM_NAME))
{
    registerStandardScreens(m_screens);
    connect(m_server, SIGNAL(newConnection()), this, SLOT(acceptConnections()));
}

DemoHost::~DemoHost()
{
    // Sessions go first: they refer to the screen registry.
    qDeleteAll(m_sessions);
    m_sessions.clear();
}

bool DemoHost::listen(quint16 port)
{
    return m_server->listen(QHostAddress(QHostAddress::LocalHost), port);
}

quint16 DemoHost::serverPort() const
{
    return m_server->serverPort();
}

QString DemoHost::errorString() const
{
    return m_server->errorString();
}

void DemoHost::close()
{
    m_server->close();
}

bool DemoHost::setTlsFiles(const QString &certificateFile, const QString &keyFile, QString *error)
{
    QFile certificateData(certificateFile);
    if (!certificateData.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("cannot read %1: %2").arg(certificateFile, certificateData.errorString());
        return false;
    }
    const QSslCertificate certificate(&certificateData, QSsl::Pem);
    if (certificate.isNull()) {
        if (error)
            *error = QStringLiteral("%1 holds no PEM certificate").arg(certificateFile);
        return false;
    }
    QFile keyData(keyFile);
    if (!keyData.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("cannot read %1: %2").arg(keyFile, keyData.errorString());
        return false;
    }
    const QByteArray keyBytes = keyData.readAll();
    QSslKey key(keyBytes, QSsl::Rsa, QSsl::Pem);
    if (key.isNull())
        key = QSslKey(keyBytes, QSsl::Ec, QSsl::Pem);
    if (key.isNull()) {
        if (error)
            *error = QStringLiteral("%1 holds no unencrypted PEM RSA or EC key").arg(keyFile);
        return false;
    }
    setTlsCredentials(certificate, key);
    return true;
}

void DemoHost::setTlsCredentials(const QSslCertificate &certificate, const QSslKey &key)
{
    m_certificate = certificate;
    m_key = key;
    m_server->certificate = certificate;
    m_server->key = key;
}

bool DemoHost::setAccount(const QString &user, const QString &password, QString *error)
{
    const QString problem = accountProblem(user, password);
    if (!problem.isEmpty()) {
        if (error)
            *error = problem;
        return false;
    }
    m_account.user = user.trimmed().toUpper();
    m_account.password = password;
    for (DemoSession *session : m_sessions)
        session->setAccounts(accounts());
    return true;
}

bool DemoHost::addAccount(const QString &user, const QString &password, QString *error)
{
    const QString problem = accountProblem(user, password);
    if (!problem.isEmpty()) {
        if (error)
            *error = problem;
        return false;
    }
    DemoAccount account;
    account.user = user.trimmed().toUpper();
    account.password = password;
    m_extraAccounts.append(account);
    for (DemoSession *session : m_sessions)
        session->setAccounts(accounts());
    return true;
}

QList<DemoAccount> DemoHost::accounts() const
{
    return QList<DemoAccount>() << m_account << m_extraAccounts;
}

void DemoHost::clearAccount()
{
    m_account = DemoAccount();
    m_extraAccounts.clear();
    for (DemoSession *session : m_sessions)
        session->setAccounts(accounts());
}

void DemoHost::acceptConnections()
{
    while (m_server->hasPendingConnections()) {
        QTcpSocket *socket = m_server->nextPendingConnection();
        if (!socket)
            break;
        const bool tls = qobject_cast<QSslSocket *>(socket) != nullptr;
        const int id = m_sessions.size() + 1;
        appendLog(QStringLiteral("[session %1] Connection from %2:%3%4")
                      .arg(id)
                      .arg(socket->peerAddress().toString())
                      .arg(socket->peerPort())
                      .arg(tls ? QStringLiteral(" (TLS)") : QString()));
        DemoSession *session = new DemoSession(id, socket, m_screens, tls, m_systemName, this);
        m_sessions.append(session);
        connect(session, SIGNAL(logMessage(QString)), this, SLOT(appendLog(QString)));
        connect(session, SIGNAL(negotiated()), this, SIGNAL(negotiated()));
        connect(session, SIGNAL(queryReplyReceived()), this, SIGNAL(queryReplyReceived()));
        connect(session, SIGNAL(screenShown(QString)), this, SIGNAL(screenShown(QString)));
        connect(session, SIGNAL(responseReceived()), this, SIGNAL(responseReceived()));
        connect(session, SIGNAL(closed()), this, SIGNAL(sessionClosed()));
        session->setAccounts(accounts());
        session->setBehaviour(m_behaviour);
        if (m_holdReplies)
            session->setHoldReplies(true);
        if (m_hostileMode != HostileModes::None) {
            appendLog(QStringLiteral("[session %1] Hostile mode %2").arg(id).arg(HostileModes::name(m_hostileMode)));
            session->setHostile(new HostileBehaviour(m_hostileMode, session, socket));
        }
        session->setReacknowledge(m_reacknowledge);
        emit sessionStarted();
        session->begin();
    }
}

void DemoHost::appendLog(const QString &line)
{
    m_logLines.append(line);
    if (m_logLines.size() > MAX_LOG_LINES)
        m_logLines.removeFirst();
    if (m_logToStderr) {
        QTextStream err(stderr);
        err << line << '\n';
    }
    emit logMessage(line);
}

DemoSession *DemoHost::latestSession() const
{
    return m_sessions.isEmpty() ? nullptr : m_sessions.last();
}

int DemoHost::openSessionCount() const
{
    int open = 0;
    for (DemoSession *session : m_sessions) {
        if (session->phase() != DemoSession::Closed)
            ++open;
    }
    return open;
}

void DemoHost::closeSessions()
{
    for (DemoSession *session : m_sessions)
        session->close();
}

QString DemoHost::terminalType() const
{
    const DemoSession *session = latestSession();
    return session ? session->terminalType() : QString();
}

QByteArray DemoHost::environment() const
{
    const DemoSession *session = latestSession();
    return session ? session->environment() : QByteArray();
}

QByteArray DemoHost::queryReply() const
{
    const DemoSession *session = latestSession();
    return session ? session->queryReply() : QByteArray();
}

ReadResponse DemoHost::lastResponse() const
{
    const DemoSession *session = latestSession();
    return session ? session->lastResponse() : ReadResponse();
}

ResponseCheck DemoHost::lastCheck() const
{
    return lastResponse().check;
}

QList<ReadResponse> DemoHost::responses() const
{
    const DemoSession *session = latestSession();
    return session ? session->responses() : QList<ReadResponse>();
}

void DemoHost::setHoldReplies(bool hold)
{
    m_holdReplies = hold;
    for (DemoSession *session : m_sessions) {
        if (session->phase() != DemoSession::Closed)
            session->setHoldReplies(hold);
    }
}

QString DemoHost::currentScreen() const
{
    const DemoSession *session = latestSession();
    return session ? session->currentScreen() : QString();
}

int DemoHost::failedSignOns() const
{
    const DemoSession *session = latestSession();
    return session ? session->failedSignOns() : 0;
}
