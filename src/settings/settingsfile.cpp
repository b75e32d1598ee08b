// PROVISIONAL STUB: replaced by the real implementation.
#include "app/tn5250client.h"

#include <QAbstractSocket>
#include <QSettings>

void Tn5250Client::loadSettings() {}
void Tn5250Client::loadCurrentProfile(QSettings *) {}
void Tn5250Client::saveCurrentProfile(QSettings *) {}
void Tn5250Client::saveSettings() {}
