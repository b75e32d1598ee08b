// Reconnect policy and socket error classification. The lifecycle
// (lifecycle.cpp) asks here after every timeout, close or error whether to
// try again and when; the interface shows the category chosen here as the
// short form of the last error.
//
// The wait grows 2, 5, 10, 20 seconds and then stays at 30 for as long as
// the host keeps failing. A certificate problem, a user disconnect and errors
// that cannot pass by themselves never start a wait.
#include "app/tn5250client.h"

#include <QAbstractSocket>
#include <QSettings>
#include <QTimer>

namespace {

// Seconds to wait, indexed by the number of attempts already scheduled.
const int RECONNECT_DELAYS[] = { 2, 5, 10, 20, 30 };
const int RECONNECT_DELAY_COUNT = sizeof(RECONNECT_DELAYS) / sizeof(RECONNECT_DELAYS[0]);

struct ErrorCategory
{
    QAbstractSocket::SocketError error;
    const char *category;
    bool retry;
};

// Errors that cannot pass by waiting (no access, a failed handshake) are not
// retried; everything else may be a passing network problem.
const ErrorCategory ERROR_CATEGORIES[] = {
    { QAbstractSocket::ConnectionRefusedError, QT_TRANSLATE_NOOP("Tn5250Client", "Connection refused"), true },
    { QAbstractSocket::RemoteHostClosedError, QT_TRANSLATE_NOOP("Tn5250Client", "Remote host closed connection"), true },
    { QAbstractSocket::HostNotFoundError, QT_TRANSLATE_NOOP("Tn5250Client", "DNS / host not found"), true },
    { QAbstractSocket::SocketAccessError, QT_TRANSLATE_NOOP("Tn5250Client", "Socket access denied"), false },
    { QAbstractSocket::SocketTimeoutError, QT_TRANSLATE_NOOP("Tn5250Client", "Connection timeout"), true },
    { QAbstractSocket::NetworkError, QT_TRANSLATE_NOOP("Tn5250Client", "Network unavailable"), true },
    { QAbstractSocket::SslHandshakeFailedError, QT_TRANSLATE_NOOP("Tn5250Client", "TLS handshake failed"), false },
};

} // namespace

void Tn5250Client::scheduleReconnect(const QString &reason)
{
    if (!m_autoReconnect || m_userDisconnectRequested || m_tlsValidationFailed || m_host.isEmpty()
        || m_reconnectTimer->isActive()) {
        return;
    }
    const int index = m_reconnectAttempt < 0 ? 0 : m_reconnectAttempt;
    const int delay = index >= RECONNECT_DELAY_COUNT - 1 ? RECONNECT_DELAYS[RECONNECT_DELAY_COUNT - 1]
                                                         : RECONNECT_DELAYS[index];
    ++m_reconnectAttempt;
    setConnectionState(QStringLiteral("Reconnect wait"));
    setStatus(tr("Connection lost — reconnecting in %1 s").arg(delay));
    appendDiagnostic(QStringLiteral("Reconnect attempt %1 scheduled in %2 s%3")
                         .arg(m_reconnectAttempt)
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
    if (m_userDisconnectRequested || !m_autoReconnect)
        return;
    beginConnection(true);
}

QString Tn5250Client::classifySocketError(QAbstractSocket *socket, bool *retry) const
{
    if (retry)
        *retry = true;
    if (!socket)
        return tr("Network error");
    const QAbstractSocket::SocketError error = socket->error();
    for (const ErrorCategory &entry : ERROR_CATEGORIES) {
        if (entry.error == error) {
            if (retry)
                *retry = entry.retry;
            return tr(entry.category);
        }
    }
    return tr("Connection error");
}
