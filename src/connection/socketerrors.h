#ifndef VANTOREL_SOCKETERRORS_H
#define VANTOREL_SOCKETERRORS_H

#include <QString>

class QAbstractSocket;

// The short category of a socket's error that the interface shows as the
// last error, and whether waiting may mend it: errors that cannot pass by
// themselves (no access, a failed handshake) are not retried; everything
// else may be a passing network problem. `retry` (may be null) is set either
// way; no socket gives "Network error", worth a retry.
QString classifySocketError(const QAbstractSocket *socket, bool *retry);

#endif
