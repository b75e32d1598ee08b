// PROVISIONAL STUB: replaced by the real implementation.
#include "app/tn5250client.h"

#include <QAbstractSocket>
#include <QSettings>

void Tn5250Client::processRecord(const QByteArray &) {}
void Tn5250Client::sendRecord(quint8, const QByteArray &, quint8) {}
void Tn5250Client::process5250Data(quint8, const QByteArray &) {}
quint16 Tn5250Client::readU16(const QByteArray &, int) { return 0; }
void Tn5250Client::appendU16(QByteArray &, quint16) {}
