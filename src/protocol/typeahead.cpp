// PROVISIONAL STUB: replaced by the real implementation.
#include "app/tn5250client.h"

#include <QAbstractSocket>
#include <QSettings>

bool Tn5250Client::inputText(const QString &) { return false; }
void Tn5250Client::pasteClipboard() {}
void Tn5250Client::queueTypeAheadText(const QString &) {}
void Tn5250Client::queueTypeAheadAid(quint8, int, bool) {}
void Tn5250Client::drainTypeAhead() {}
