// PROVISIONAL STUB: replaced by the real implementation.
#include "app/tn5250client.h"

#include <QAbstractSocket>
#include <QSettings>

int Tn5250Client::processWriteToDisplay(const QByteArray &data, int) { return data.size(); }
void Tn5250Client::applyControlCharacters(quint8, quint8, bool) {}
int Tn5250Client::processWriteOrders(const QByteArray &, int, int end, int *, int *) { return end; }
bool Tn5250Client::setAddress(quint8, quint8) { return false; }
void Tn5250Client::parseStartOfHeader(const QByteArray &, int &, int) {}
