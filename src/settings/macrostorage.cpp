// PROVISIONAL STUB: replaced by the real implementation.
#include "app/tn5250client.h"

#include <QAbstractSocket>
#include <QSettings>

QVariantList Tn5250Client::macros() const { return QVariantList(); }
bool Tn5250Client::saveMacro(int, const QString &, const QString &) { return false; }
bool Tn5250Client::deleteMacro(int) { return false; }
