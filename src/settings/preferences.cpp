// PROVISIONAL STUB: replaced by the real implementation.
#include "app/tn5250client.h"

#include <QAbstractSocket>
#include <QSettings>

QString Tn5250Client::codePageDescription() const { return QString(); }
QVariantList Tn5250Client::codePageOptions() const { return QVariantList(); }
void Tn5250Client::saveBooleanSetting(const QString &, bool) {}
void Tn5250Client::setHost(const QString &) {}
void Tn5250Client::setPort(int) {}
void Tn5250Client::setTlsEnabled(bool) {}
void Tn5250Client::setDeviceName(const QString &) {}
void Tn5250Client::setSupport132(bool) {}
void Tn5250Client::setCodePage(int) {}
void Tn5250Client::setTerminalZoom(double) {}
void Tn5250Client::setAutoConnect(bool) {}
void Tn5250Client::setAutoReconnect(bool) {}
void Tn5250Client::setAutoLogin(bool) {}
void Tn5250Client::setShowKeyboardOnConnect(bool) {}
void Tn5250Client::setKeepDisplayOn(bool) {}
void Tn5250Client::setTypeAhead(bool) {}
void Tn5250Client::setConfirmDisconnect(bool) {}
void Tn5250Client::setDoubleTapEnter(bool) {}
void Tn5250Client::setHotspotsEnabled(bool) {}
void Tn5250Client::setShowFunctionBar(bool) {}
void Tn5250Client::setShowActionBar(bool) {}
void Tn5250Client::setShowStatusBar(bool) {}
void Tn5250Client::setTerminalTheme(int) {}
void Tn5250Client::setOrientationLock(int) {}
void Tn5250Client::setKeyboardMode(int) {}
void Tn5250Client::setFunctionKeyPage(int) {}
