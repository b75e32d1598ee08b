// PROVISIONAL STUB: replaced by the real implementation.
#include "app/tn5250client.h"

#include <QAbstractSocket>
#include <QSettings>

void Tn5250Client::setUserName(const QString &) {}
bool Tn5250Client::saveLoginCredentials(const QString &, const QString &, bool) { return false; }
void Tn5250Client::clearLoginCredentials() {}
bool Tn5250Client::performSavedLogin() { return false; }
void Tn5250Client::maybeAutoLogin() {}
bool Tn5250Client::detectSignOnFields(int *, int *) const { return false; }
bool Tn5250Client::fillField(int, const QString &, QString *) { return false; }
