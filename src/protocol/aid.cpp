// PROVISIONAL STUB: replaced by the real implementation.
#include "app/tn5250client.h"

#include <QAbstractSocket>
#include <QSettings>

void Tn5250Client::sendAid(quint8, int, bool) {}
QByteArray Tn5250Client::buildReadResponse(quint8, bool, ReadMode) const { return QByteArray(); }
QByteArray Tn5250Client::normalizedFieldData(const TerminalScreen::Field &, bool) const { return QByteArray(); }
void Tn5250Client::sendImmediate(ReadMode) {}
quint8 Tn5250Client::aidForFunction(int) { return 0; }
void Tn5250Client::sendFunctionKey(int) {}
void Tn5250Client::sendEnter() {}
void Tn5250Client::sendClear() {}
void Tn5250Client::sendHelp() {}
void Tn5250Client::sendPageUp() {}
void Tn5250Client::sendPageDown() {}
void Tn5250Client::sendSystemRequest() {}
void Tn5250Client::sendAttention() {}
void Tn5250Client::sendPaKey(int) {}
void Tn5250Client::sendTestRequest() {}
void Tn5250Client::sendPrint() {}
