// PROVISIONAL STUB: replaced by the real implementation.
#include "app/tn5250client.h"

#include <QAbstractSocket>
#include <QSettings>

int Tn5250Client::processCommand(const QByteArray &data, int, quint8) { return data.size(); }
int Tn5250Client::processStructuredField(const QByteArray &, int, int end) { return end; }
void Tn5250Client::sendQueryReply() {}
void Tn5250Client::sendSaveScreenReply() {}
void Tn5250Client::sendReadScreenReply() {}
void Tn5250Client::restoreSavedScreen(const QByteArray &) {}
