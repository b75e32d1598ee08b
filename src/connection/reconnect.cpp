// PROVISIONAL STUB: replaced by the real implementation.
#include "app/tn5250client.h"

#include <QAbstractSocket>
#include <QSettings>

void Tn5250Client::scheduleReconnect(const QString &) {}
void Tn5250Client::cancelReconnect() {}
void Tn5250Client::reconnectTimeout() {}
QString Tn5250Client::classifySocketError(QAbstractSocket *, bool *) const { return QString(); }
