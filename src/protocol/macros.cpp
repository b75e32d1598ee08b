// PROVISIONAL STUB: replaced by the real implementation.
#include "app/tn5250client.h"

#include <QAbstractSocket>
#include <QSettings>

void Tn5250Client::runMacro(const QString &) {}
bool Tn5250Client::runMacroAt(int) { return false; }
