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
// disturb the next one. And since every emit hands control to QML, whose
// handlers may connect or disconnect right there, a slot that goes on after
// an emit first checks that its connection is still the current one
// (stillCurrent): a reconnect scheduled for a connection a handler has
// already replaced would tear down the healthy new one.
//
// Bounds: the TCP connection must be up within 15 s, and from then on the
// session (TLS handshake, telnet negotiation, the first record) within
// another 15 s; a host that accepts and says nothing is given up like one
// that does not answer at all. The reconnect waits start again only once a
// session has stayed up for a minute or a saved sign-on went through, so a
// host that takes the connection and drops it at once is retried ever more
// slowly instead of every two seconds.
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

// No TCP connection within this time counts as a failed attempt, and so
// does a connection that has not become a session ("Ready") within this
// time after TCP connected.
const int CONNECTION_TIMEOUT_MS = 15000;
// How long a session has to stay up before it counts as working.
const int SESSION_UP_MS = 60000;

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
    ++m_connectionSerial;
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
    ++m_connectionSerial;
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
    m_errorNotRetried = false;
    m_sessionHost = host();
    m_sessionPort = port();
    m_sessionTls = tlsEnabled();
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
        // TCP up: from here the handshake and the session have their own
        // 15 seconds (a functor, so the interface gains no slot).
        connect(sslSocket, &QAbstractSocket::connected, this, [this, sslSocket]() {
            if (m_socket.data() != sslSocket)
                return;
            m_connectionTimer->start(CONNECTION_TIMEOUT_MS);
            appendDiagnostic(QStringLiteral("TCP connection established"));
        });
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
    const quint32 serial = m_connectionSerial;
    // Connected is not yet a session: the host has 15 seconds from now.
    m_connectionTimer->start(CONNECTION_TIMEOUT_MS);
    enableKeepAlive(m_socket.data());
    appendDiagnostic(QStringLiteral("TCP connection established"));
    if (stillCurrent(serial))
        startNegotiation();
}

void Tn5250Client::connectionTimeout()
{
    if (!m_socket)
        return;
    const quint32 serial = m_connectionSerial;
    m_connectionErrorReported = true;
    QSslSocket *tls = qobject_cast<QSslSocket *>(m_socket.data());
    if (m_connected) {
        setLastError(tr("Connection timeout"),
                     tr("The host did not start a 5250 session within 15 seconds of connecting"));
        if (stillCurrent(serial))
            setStatus(tr("Connection timeout"));
        if (stillCurrent(serial))
            appendDiagnostic(QStringLiteral("No 5250 session within 15 seconds of connecting"));
    } else if (tls && tls->state() == QAbstractSocket::ConnectedState && !tls->isEncrypted()) {
        // A TLS client on a port that speaks plain text and waits for the
        // client to start: nothing ever answers the handshake.
        setLastError(tr("TLS handshake timeout"),
                     tr("The server did not answer the TLS handshake within 15 seconds "
                        "(the port may not be a TLS port)"));
        if (stillCurrent(serial))
            setStatus(tr("The server did not answer the TLS handshake (the port may not be a TLS port)"));
        if (stillCurrent(serial))
            appendDiagnostic(QStringLiteral("TLS handshake not answered within 15 seconds"));
    } else {
        setLastError(tr("Connection timeout"), tr("No connection was established within 15 seconds"));
        if (stillCurrent(serial))
            setStatus(tr("Connection timeout"));
        if (stillCurrent(serial))
            appendDiagnostic(QStringLiteral("Connection timed out after 15 seconds"));
    }
    if (!stillCurrent(serial))
        return;
    if (m_connected) {
        m_connected = false;
        emit connectedChanged();
        if (!stillCurrent(serial))
            return;
    }
    clearSessionPresentation();
    if (!stillCurrent(serial))
        return;
    scheduleReconnect(QStringLiteral("timeout"));
    if (!stillCurrent(serial))
        return;
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
    const quint32 serial = m_connectionSerial;
    m_connectionTimer->stop();
    dropSocket(false);
    if (m_connected) {
        m_connected = false;
        emit connectedChanged();
        if (!stillCurrent(serial))
            return;
    }
    clearSessionPresentation();
    if (!stillCurrent(serial))
        return;

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
    if (!stillCurrent(serial))
        return;
    appendDiagnostic(QStringLiteral("Connection closed unexpectedly"));
    if (!stillCurrent(serial))
        return;
    if (m_errorNotRetried) {
        // The error before the close said that waiting would not help; its
        // status stays, and nothing is scheduled.
        setConnectionState(QStringLiteral("Error"));
        return;
    }
    if (!m_reconnectTimer->isActive())
        scheduleReconnect(m_lastErrorCategory);
    if (!stillCurrent(serial))
        return;
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
    const quint32 serial = m_connectionSerial;
    m_connectionErrorReported = true;
    m_errorNotRetried = !retry;
    setLastError(category, detail);
    if (!stillCurrent(serial))
        return;
    setStatus(tr("%1: %2").arg(category, detail));
    if (!stillCurrent(serial))
        return;
    appendDiagnostic(QStringLiteral("%1: %2").arg(category, detail));
    if (!stillCurrent(serial))
        return;
    if (m_connected) {
        m_connected = false;
        emit connectedChanged();
        if (!stillCurrent(serial))
            return;
    }
    clearSessionPresentation();
    if (!stillCurrent(serial))
        return;
    if (retry)
        scheduleReconnect(category);
    if (!stillCurrent(serial))
        return;
    if (!m_reconnectTimer->isActive())
        setConnectionState(QStringLiteral("Error"));
    if (!stillCurrent(serial))
        return;
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

// A record arrived and passed its header checks: the first one makes the
// connection "Ready" and ends the bound on coming up. It does not yet prove
// that the host keeps the session: one that sends a record and hangs up
// would otherwise be retried every two seconds for ever (and, with the
// saved login, signed on to each time). The reconnect waits start again
// only after a minute up (sessionStayedUp) or a sign-on that went through.
void Tn5250Client::sessionEstablished()
{
    if (m_connectionState == QLatin1String("Ready"))
        return;
    m_connectionTimer->stop();
    m_sessionUpTimer->start(SESSION_UP_MS);
    setConnectionState(QStringLiteral("Ready"));
}

void Tn5250Client::sessionStayedUp()
{
    if (!m_connected || m_reconnectSchedule.attempts() == 0)
        return;
    m_reconnectSchedule.reset();
    appendDiagnostic(QStringLiteral("Session up for a minute; reconnect waits start again"));
    emit connectionInfoChanged();
}

// Empties what the interface shows of the last host connection. Every path
// that ends a session comes here, so the session's own timer stops here too.
void Tn5250Client::clearSessionPresentation()
{
    m_sessionUpTimer->stop();
    m_signOnAnswerPending = false;
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
    if (!autoReconnect() || m_userDisconnectRequested || m_tlsValidationFailed || m_errorNotRetried
        || host().isEmpty() || m_reconnectTimer->isActive()) {
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
    // The bound that started at TCP connect runs on through negotiation.
    const quint32 serial = m_connectionSerial;
    enableKeepAlive(origin);
    updateTlsDetails();
    if (!stillCurrent(serial))
        return;

    QStringList parts;
    if (!m_tlsProtocol.isEmpty())
        parts << m_tlsProtocol;
    if (!m_tlsCipher.isEmpty())
        parts << m_tlsCipher;
    appendDiagnostic(QStringLiteral("TLS established%1")
                         .arg(parts.isEmpty() ? QString()
                                              : QStringLiteral(" (%1)").arg(parts.join(QStringLiteral(" / ")))));
    if (stillCurrent(serial))
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

    const quint32 serial = m_connectionSerial;
    m_connectionErrorReported = true;
    m_tlsValidationFailed = true;
    // Filled first so that the interface can show the certificate that failed.
    updateTlsDetails();
    if (stillCurrent(serial))
        setLastError(tr("TLS certificate validation"), joined);
    if (stillCurrent(serial))
        appendDiagnostic(QStringLiteral("TLS certificate validation failed: %1").arg(joined));
    if (stillCurrent(serial))
        setConnectionState(QStringLiteral("Error"));
    if (stillCurrent(serial))
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
