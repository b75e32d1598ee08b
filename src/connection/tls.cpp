// PROVISIONAL STUB: replaced by the real implementation.
#include "app/tn5250client.h"

#include <QAbstractSocket>
#include <QSettings>

void Tn5250Client::socketEncrypted() {}
void Tn5250Client::sslErrors(const QList<QSslError> &) {}
void Tn5250Client::updateTlsDetails() {}
void Tn5250Client::resetTlsDetails() {}
