// PROVISIONAL STUB: replaced by the real implementation.
#include "app/tn5250client.h"

#include <QAbstractSocket>
#include <QSettings>

QVariantList Tn5250Client::profiles() const { return QVariantList(); }
void Tn5250Client::setCurrentProfileName(const QString &) {}
bool Tn5250Client::switchProfile(const QString &) { return false; }
bool Tn5250Client::createProfile(const QString &) { return false; }
bool Tn5250Client::duplicateCurrentProfile() { return false; }
bool Tn5250Client::deleteCurrentProfile() { return false; }
QString Tn5250Client::newProfileId() { return QString(); }
QString Tn5250Client::profileKey(const QString &key) const { return key; }
