// Connection lifecycle: opening and closing the TCP or TLS connection to the
// IBM i host and reacting to every socket event (connected, closed, failed,
// timed out). A connected socket is handed to the telnet negotiation
// (startNegotiation); the first record proves the session works
// (sessionEstablished); losses go to the reconnect policy below, whose waits
// ReconnectSchedule counts and whose error categories classifySocketError
// decides. Every step is written to the protocol log.
//
// The socket is held through a guarded pointer and released with
// deleteLater(), because the slot that drops a socket may be running inside
// that socket's own signal. Each slot first checks that the signal comes from
// the current socket, so a late signal of an earlier connection can never
// disturb the next one.
//
// TLS: the socket verifies the chain against the platform's certificate
// authorities and the host name against the profile's host. There is
// deliberately no way to accept a certificate that fails: a failure ends the
// attempt, and no reconnect is scheduled until the user connects again,
// since waiting does not mend a certificate.
#include "app/tn5250client.h"

#include <QAbstractSocket>
#include <QSslCertificate>
#include <QSslCipher>
#include <QSslSocket>
#include <QStringList>
#include <QTimer>

#include "codec/ebcdiccodec.h"
#include "connection/socketerrors.h"

namespace {

// No TCP connection (or, with TLS, no finished handshake) within this time
// counts as a failed attempt.
const int CONNECTION_TIMEOUT_MS = 15000;

// The untranslated state names kept in connectionState and their labels.
struct StateLabel
{
    const char *name;
    const char *label;
};

const StateLabel STATE_LABELS[] = {
    { "Disconnected", QT_TRANSLATE_NOOP("Tn5250Client", "Disconnected") },
    { "Connecting", QT_TRANSLATE_NOOP("Tn5250Client", "Connecting") },
    { "Reconnecting", QT_TRANSLATE_NOOP("Tn5250Client", "Reconnecting") },
    { "Reconnect wait", QT_TRANSLATE_NOOP("Tn5250Client", "Waiting to reconnect") },
    { "Negotiating", QT_TRANSLATE_NOOP("Tn5250Client", "Negotiating") },
    { "Ready", QT_TRANSLATE_NOOP("Tn5250Client", "Ready") },
    { "Error", QT_TRANSLATE_NOOP("Tn5250Client", "Error") },
};

} // namespace

// TCP keep-alive lets a connection that died silently (the phone changed
// network, a router forgot it) end in an error and a reconnect instead of
// waiting for ever. Qt drops the option when it is set before the socket has
// a descriptor, so it is set again once the connection is up.
void enableKeepAlive(QAbstractSocket *socket)
{
    if (socket)
        socket->setSocketOption(QAbstractSocket::KeepAliveOption, 1);
}

QString Tn5250Client::connectionStateLabel() const
{
    for (const StateLabel &entry : STATE_LABELS) {
        if (m_connectionState == QLatin1String(entry.name))
            return tr(entry.label);
    }
    return tr("Disconnected");
}

bool Tn5250Client::reconnecting() const
{
    return m_reconnectTimer->isActive()
        || m_connectionState == QLatin1String("Reconnecting")
        || m_connectionState == QLatin1String("Reconnect wait");
}

void Tn5250Client::connectToHost()
{
    if (host().isEmpty()) {
        setStatus(tr("Enter a host name first"));
        return;
    }
    m_userDisconnectRequested = false;
    cancelReconnect();
    m_reconnectSchedule.reset();
    setLastError(QString(), QString());
    beginConnection(false);
}

void Tn5250Client::disconnectFromHost()
{
    m_userDisconnectRequested = true;
    cancelReconnect();
    m_connectionTimer->stop();
    dropSocket(true);
    if (m_connected) {
        m_connected = false;
        emit connectedChanged();
    }
    clearSessionPresentation();
    m_reconnectSchedule.reset();
    setConnectionState(QStringLiteral("Disconnected"));
    setStatus(tr("Disconnected"));
    // Always, so that the interface re-reads the attempt counter and the
    // reconnecting flag even when the state name did not change.
    emit connectionInfoChanged();
}

void Tn5250Client::beginConnection(bool reconnect)
{
    dropSocket(true);
    m_connectionTimer->stop();
    clearSessionPresentation();
    EbcdicCodec::setCodePage(codePage());
    resetProtocolState();
    // A reconnect happens without the user; only a user connect writes the
    // settings, so that what was typed before connecting is kept.
    if (!reconnect)
        saveSettings();
    m_connectionErrorReported = false;
    m_tlsValidationFailed = false;
    resetTlsDetails();
    setConnectionState(reconnect ? QStringLiteral("Reconnecting") : QStringLiteral("Connecting"));

    // All placeholders in one pass: a host name may itself contain "%1"
    // (an IPv6 zone such as fe80::1%2, say) and must come out as typed.
    const QString verb = reconnect ? tr("Reconnecting to") : tr("Connecting to");
    setStatus(tr("%1 %2:%3…").arg(verb, host(), QString::number(port())));
    appendDiagnostic(QStringLiteral("%1 %2:%3 (%4)")
                         .arg(reconnect ? QStringLiteral("Reconnecting to") : QStringLiteral("Connecting to"),
                              host(), QString::number(port()),
                              tlsEnabled() ? QStringLiteral("TLS") : QStringLiteral("plain TN5250")));

    QAbstractSocket *socket = nullptr;
    if (tlsEnabled()) {
        QSslSocket *sslSocket = new QSslSocket(this);
        // The chain and the host name must validate; nothing here adds
        // certificate authorities or ignores errors, so a certificate problem
        // always ends the attempt (see sslErrors below).
        sslSocket->setPeerVerifyMode(QSslSocket::VerifyPeer);
        sslSocket->setPeerVerifyName(host());
        // Negotiation starts only once the handshake is done, so "connected()"
        // is deliberately left unconnected.
        connect(sslSocket, SIGNAL(encrypted()), this, SLOT(socketEncrypted()));
        connect(sslSocket, SIGNAL(sslErrors(QList<QSslError>)), this, SLOT(sslErrors(QList<QSslError>)));
        socket = sslSocket;
    } else {
        socket = new QTcpSocket(this);
        connect(socket, SIGNAL(connected()), this, SLOT(socketConnected()));
    }
    connect(socket, SIGNAL(readyRead()), this, SLOT(socketReadyRead()));
    connect(socket, SIGNAL(disconnected()), this, SLOT(socketDisconnected()));
    connect(socket, SIGNAL(error(QAbstractSocket::SocketError)), this, SLOT(socketError()));

    m_socket = socket;
    enableKeepAlive(socket);
    limitReadBuffer(socket);
    m_connectionTimer->start(CONNECTION_TIMEOUT_MS);

    const quint16 hostPort = static_cast<quint16>(port());
    if (tlsEnabled()) {
        static_cast<QSslSocket *>(socket)->connectToHostEncrypted(host(), hostPort, QIODevice::ReadWrite,
                                                                  QAbstractSocket::AnyIPProtocol);
    } else {
        socket->connectToHost(host(), hostPort, QIODevice::ReadWrite, QAbstractSocket::AnyIPProtocol);
    }
}

// With abortSocket the socket is first cut off from every slot of the client
// and aborted, so nothing it still does reaches us; without it (the socket
// has already closed) it is only released.
void Tn5250Client::dropSocket(bool abortSocket)
{
    if (!m_socket)
        return;
    QAbstractSocket *socket = m_socket.data();
    m_socket.clear();
    if (abortSocket) {
        socket->disconnect(this);
        socket->abort();
    }
    socket->deleteLater();
}

void Tn5250Client::socketConnected()
{
    if (!m_socket || sender() != m_socket.data())
        return;
    m_connectionTimer->stop();
    enableKeepAlive(m_socket.data());
    appendDiagnostic(QStringLiteral("TCP connection established"));
    startNegotiation();
}

void Tn5250Client::connectionTimeout()
{
    if (!m_socket)
        return;
    m_connectionErrorReported = true;
    setLastError(tr("Connection timeout"), tr("No connection was established within 15 seconds"));
    setStatus(tr("Connection timeout"));
    appendDiagnostic(QStringLiteral("Connection timed out after 15 seconds"));
    if (m_connected) {
        m_connected = false;
        emit connectedChanged();
    }
    clearSessionPresentation();
    scheduleReconnect(QStringLiteral("timeout"));
    // A socket that had connected (TLS still in its handshake) reports its
    // close from inside abort(), and socketDisconnected drops it; the error
    // recorded above is not overwritten by that. A socket still connecting
    // reports no close at all, so its close is handled here, or the state
    // would stay "Connecting" for good.
    QAbstractSocket *socket = m_socket.data();
    if (socket) {
        socket->abort();
        if (m_socket.data() == socket)
            handleSocketClosed();
    }
}

void Tn5250Client::socketDisconnected()
{
    QAbstractSocket *origin = qobject_cast<QAbstractSocket *>(sender());
    if (!m_socket || origin != m_socket.data()) {
        // A late close of an earlier connection: only release that socket.
        if (origin)
            origin->deleteLater();
        return;
    }
    handleSocketClosed();
}

// The current socket has closed (or, after a timeout, will never report a
// close): release it and decide between reconnecting and staying down.
void Tn5250Client::handleSocketClosed()
{
    m_connectionTimer->stop();
    dropSocket(false);
    if (m_connected) {
        m_connected = false;
        emit connectedChanged();
    }
    clearSessionPresentation();

    if (m_userDisconnectRequested) {
        setConnectionState(QStringLiteral("Disconnected"));
        setStatus(tr("Disconnected"));
        return;
    }
    if (m_tlsValidationFailed) {
        // Status and last error stay as the certificate check left them; a
        // certificate problem needs the user, so nothing is scheduled.
        setConnectionState(QStringLiteral("Error"));
        return;
    }
    if (!m_connectionErrorReported)
        setLastError(tr("Remote disconnect"), tr("The IBM i host closed the connection"));
    appendDiagnostic(QStringLiteral("Connection closed unexpectedly"));
    if (!m_reconnectTimer->isActive())
        scheduleReconnect(m_lastErrorCategory);
    if (!m_reconnectTimer->isActive()) {
        setConnectionState(QStringLiteral("Disconnected"));
        setStatus(tr("Disconnected — %1").arg(m_lastErrorCategory));
    }
}

void Tn5250Client::socketError()
{
    QAbstractSocket *origin = qobject_cast<QAbstractSocket *>(sender());
    if (!m_socket || origin != m_socket.data())
        return;
    if (m_userDisconnectRequested)
        return;
    m_connectionTimer->stop();
    if (m_tlsValidationFailed) {
        appendDiagnostic(QStringLiteral("TLS socket error after certificate validation failure: %1")
                             .arg(origin->errorString()));
        return;
    }
    if (m_connectionErrorReported && m_reconnectTimer->isActive())
        return;

    bool retry = true;
    const QString category = classifySocketError(origin, &retry);
    const QString detail = origin->errorString();
    m_connectionErrorReported = true;
    setLastError(category, detail);
    setStatus(tr("%1: %2").arg(category, detail));
    appendDiagnostic(QStringLiteral("%1: %2").arg(category, detail));
    if (m_connected) {
        m_connected = false;
        emit connectedChanged();
    }
    clearSessionPresentation();
    if (retry) {
        scheduleReconnect(category);
        if (!m_reconnectTimer->isActive())
            setConnectionState(QStringLiteral("Error"));
    } else {
        setConnectionState(QStringLiteral("Error"));
    }
    // A socket that was connected reports its close after the error, and
    // socketDisconnected handles it. One that never connected (refused, host
    // not found) reports nothing more; it is released now, so that no dead
    // socket stays current (switching automatic reconnect off, for one,
    // relies on there being none).
    if (m_socket.data() == origin && origin->state() == QAbstractSocket::UnconnectedState)
        dropSocket(false);
}

void Tn5250Client::setStatus(const QString &text)
{
    if (text == m_status)
        return;
    m_status = text;
    emit statusChanged();
}

void Tn5250Client::setConnectionState(const QString &state)
{
    if (state == m_connectionState)
        return;
    m_connectionState = state;
    emit connectionInfoChanged();
}

void Tn5250Client::setLastError(const QString &category, const QString &detail)
{
    if (category == m_lastErrorCategory && detail == m_lastErrorDetail)
        return;
    m_lastErrorCategory = category;
    m_lastErrorDetail = detail;
    emit connectionInfoChanged();
}

// A record arrived and passed its header checks: that is what proves a
// connection works. The first one makes it "Ready" and starts the reconnect
// waits from the beginning.
void Tn5250Client::sessionEstablished()
{
    if (m_connectionState == QLatin1String("Ready"))
        return;
    m_reconnectSchedule.reset();
    setConnectionState(QStringLiteral("Ready"));
}

// Empties what the interface shows of the last host connection.
void Tn5250Client::clearSessionPresentation()
{
    m_screen.clear(true);
    m_screen.keyboardLocked = true;
    m_screen.messageWaiting = false;
    m_savedScreens.clear();
    m_typeAheadQueue.clear();
    m_autoLoginAttempted = false;
    emit screenChanged();
}

// Back to the state before any host data: a new connection negotiates from
// scratch and starts on an empty, locked 24 x 80 screen.
void Tn5250Client::resetProtocolState()
{
    m_telnetParser.reset();
    m_telnetOptions.reset();
    m_negotiationStarted = false;
    m_pendingReadMode = 0;
    m_rxRecordCount = 0;
    m_lastRecordBytes = 0;
    emit protocolStatsChanged();
    m_savedScreens.clear();
    m_typeAheadQueue.clear();
    m_autoLoginAttempted = false;
    m_typeAheadDraining = false;
    m_screen.resize(24, 80);
    m_screen.keyboardLocked = true;
    // Function keys an earlier host marked as sending no data must not keep
    // swallowing the fields of the next session's screens.
    m_screen.noDataKeyMask = 0;
    emit screenChanged();
}

// --- Reconnect policy -------------------------------------------------------------


void Tn5250Client::scheduleReconnect(const QString &reason)
{
    if (!autoReconnect() || m_userDisconnectRequested || m_tlsValidationFailed || host().isEmpty()
        || m_reconnectTimer->isActive()) {
        return;
    }
    const int delay = m_reconnectSchedule.schedule();
    setConnectionState(QStringLiteral("Reconnect wait"));
    setStatus(tr("Connection lost — reconnecting in %1 s").arg(delay));
    appendDiagnostic(QStringLiteral("Reconnect attempt %1 scheduled in %2 s%3")
                         .arg(m_reconnectSchedule.attempts())
                         .arg(delay)
                         .arg(reason.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(reason)));
    m_reconnectTimer->start(delay * 1000);
    emit connectionInfoChanged();
}

void Tn5250Client::cancelReconnect()
{
    const bool wasReconnecting = reconnecting();
    m_reconnectTimer->stop();
    if (wasReconnecting)
        emit connectionInfoChanged();
}

void Tn5250Client::reconnectTimeout()
{
    if (m_userDisconnectRequested || !autoReconnect())
        return;
    beginConnection(true);
}

// --- TLS ---------------------------------------------------------------------------

namespace {

// Common names, or the organisation when a certificate has no common name.
QString certificateNames(const QStringList &commonNames, const QStringList &organisations)
{
    return (commonNames.isEmpty() ? organisations : commonNames).join(QStringLiteral(", "));
}

} // namespace

void Tn5250Client::socketEncrypted()
{
    QSslSocket *origin = qobject_cast<QSslSocket *>(sender());
    if (!origin || !m_socket || origin != m_socket.data())
        return;
    m_connectionTimer->stop();
    enableKeepAlive(origin);
    updateTlsDetails();

    QStringList parts;
    if (!m_tlsProtocol.isEmpty())
        parts << m_tlsProtocol;
    if (!m_tlsCipher.isEmpty())
        parts << m_tlsCipher;
    appendDiagnostic(QStringLiteral("TLS established%1")
                         .arg(parts.isEmpty() ? QString()
                                              : QStringLiteral(" (%1)").arg(parts.join(QStringLiteral(" / ")))));
    startNegotiation();
}

void Tn5250Client::sslErrors(const QList<QSslError> &errors)
{
    QSslSocket *origin = qobject_cast<QSslSocket *>(sender());
    if (!origin || !m_socket || origin != m_socket.data())
        return;
    m_connectionTimer->stop();

    QStringList texts;
    for (const QSslError &error : errors)
        texts << error.errorString();
    const QString joined = texts.join(QStringLiteral("; "));

    m_connectionErrorReported = true;
    m_tlsValidationFailed = true;
    // Filled first so that the interface can show the certificate that failed.
    updateTlsDetails();
    setLastError(tr("TLS certificate validation"), joined);
    appendDiagnostic(QStringLiteral("TLS certificate validation failed: %1").arg(joined));
    setConnectionState(QStringLiteral("Error"));
    setStatus(tr("TLS certificate validation failed"));
    // The socket stays current; its error and close that follow are handled
    // by the lifecycle, which schedules nothing after a validation failure.
    origin->abort();
}

void Tn5250Client::updateTlsDetails()
{
    QSslSocket *socket = qobject_cast<QSslSocket *>(m_socket.data());
    if (!socket)
        return;
    const QSslCipher cipher = socket->sessionCipher();
    m_tlsCipher = cipher.name();
    m_tlsProtocol = cipher.protocolString();

    const QSslCertificate certificate = socket->peerCertificate();
    if (!certificate.isNull()) {
        m_tlsPeerSubject = certificateNames(certificate.subjectInfo(QSslCertificate::CommonName),
                                            certificate.subjectInfo(QSslCertificate::Organization));
        m_tlsPeerIssuer = certificateNames(certificate.issuerInfo(QSslCertificate::CommonName),
                                           certificate.issuerInfo(QSslCertificate::Organization));
        m_tlsValidFrom = certificate.effectiveDate().toString(Qt::ISODate);
        m_tlsValidTo = certificate.expiryDate().toString(Qt::ISODate);
    }
    emit connectionInfoChanged();
}

void Tn5250Client::resetTlsDetails()
{
    m_tlsProtocol.clear();
    m_tlsCipher.clear();
    m_tlsPeerSubject.clear();
    m_tlsPeerIssuer.clear();
    m_tlsValidFrom.clear();
    m_tlsValidTo.clear();
    emit connectionInfoChanged();
}
