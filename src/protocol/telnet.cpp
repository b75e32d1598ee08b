// PROVISIONAL STUB: replaced by the real implementation.
#include "app/tn5250client.h"

#include <QAbstractSocket>
#include <QSettings>

void Tn5250Client::socketReadyRead() {}
void Tn5250Client::processTelnetBytes(const QByteArray &) {}
void Tn5250Client::startNegotiation() {}
void Tn5250Client::sendTelnetCommand(quint8, quint8) {}
void Tn5250Client::sendSubnegotiation(quint8, const QByteArray &) {}
QByteArray Tn5250Client::escapedTelnetData(const QByteArray &data) { return data; }
void Tn5250Client::handleTelnetNegotiation(quint8, quint8) {}
void Tn5250Client::handleSubnegotiation(const QByteArray &) {}
