#include "connection/socketerrors.h"

#include <QAbstractSocket>
#include <QCoreApplication>

namespace {

struct ErrorCategory
{
    QAbstractSocket::SocketError error;
    const char *category;
    bool retry;
};

// The categories are the client's texts and are translated in its context.
const char CONTEXT[] = "Tn5250Client";

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

QString classifySocketError(const QAbstractSocket *socket, bool *retry)
{
    if (retry)
        *retry = true;
    if (!socket)
        return QCoreApplication::translate(CONTEXT, "Network error");
    const QAbstractSocket::SocketError error = socket->error();
    for (const ErrorCategory &entry : ERROR_CATEGORIES) {
        if (entry.error == error) {
            if (retry)
                *retry = entry.retry;
            return QCoreApplication::translate(CONTEXT, entry.category);
        }
    }
    return QCoreApplication::translate(CONTEXT, "Connection error");
}
