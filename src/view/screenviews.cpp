// PROVISIONAL STUB: replaced by the real implementation.
#include "app/tn5250client.h"

#include <QAbstractSocket>
#include <QSettings>

QString Tn5250Client::terminalText() const { return QString(); }
QString Tn5250Client::screenText() const { return QString(); }
void Tn5250Client::copyScreen() {}
QVariantList Tn5250Client::inputFieldSegments() const { return QVariantList(); }
QVariantList Tn5250Client::hotspotSegments() const { return QVariantList(); }
