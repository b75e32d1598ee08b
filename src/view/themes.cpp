// PROVISIONAL STUB: replaced by the real implementation.
#include "app/tn5250client.h"

#include <QAbstractSocket>
#include <QSettings>

QString Tn5250Client::terminalForeground() const { return QString(); }
QString Tn5250Client::terminalBackground() const { return QString(); }
QString Tn5250Client::terminalCursorColor() const { return QString(); }
int Tn5250Client::visibleCellCount() const { return 0; }
