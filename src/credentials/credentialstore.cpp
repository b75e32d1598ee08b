// PROVISIONAL STUB
#include "credentials/credentialstore.h"
CredentialStore::CredentialStore() {}
CredentialStore::~CredentialStore() {}
bool CredentialStore::collectionExists(bool *exists, QString *) { if (exists) *exists = false; return false; }
bool CredentialStore::createCollection(QString *) { return false; }
bool CredentialStore::storePassword(const QString &, const QString &, QString *) { return false; }
bool CredentialStore::storePasswordOnce(const QString &, const QString &, int *, QString *) { return false; }
bool CredentialStore::loadPassword(const QString &, QString *, QString *) { return false; }
bool CredentialStore::loadPasswordBySecretName(const QString &, QString *, QString *) { return false; }
bool CredentialStore::verifyPassword(const QString &, const QString &, QString *) { return false; }
bool CredentialStore::deletePassword(const QString &, QString *) { return false; }
bool CredentialStore::deletePasswordBySecretName(const QString &, QString *) { return false; }
void scrub(QString &text) { text.fill(QChar(0)); text.clear(); text.squeeze(); }
