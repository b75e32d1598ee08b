// The password store of the profiles. This build has no secure storage
// backend yet: every request fails with the same plain message, so a
// password is never kept anywhere and the saved-login paths report why
// instead of pretending to succeed. The interface is the one the client
// uses; the backend on top of the platform's secrets service takes its
// place without changes to the callers.
#include "credentials/credentialstore.h"

#include <QCoreApplication>

namespace {

QString unavailableText()
{
    return QCoreApplication::translate("CredentialStore",
                                       "Secure password storage is not available in this build");
}

bool unavailable(QString *error)
{
    if (error)
        *error = unavailableText();
    return false;
}

} // namespace

CredentialStore::CredentialStore() = default;

CredentialStore::~CredentialStore() = default;

bool CredentialStore::collectionExists(bool *exists, QString *error)
{
    if (exists)
        *exists = false;
    return unavailable(error);
}

bool CredentialStore::createCollection(QString *error)
{
    return unavailable(error);
}

bool CredentialStore::storePassword(const QString &profileId, const QString &password, QString *error)
{
    // An empty password means "forget the saved one", which holds trivially
    // when nothing can be saved.
    if (password.isEmpty()) {
        deletePassword(profileId);
        return true;
    }
    return unavailable(error);
}

bool CredentialStore::storePasswordOnce(const QString &, const QString &, int *errorCode, QString *error)
{
    if (errorCode)
        *errorCode = 0;
    return unavailable(error);
}

bool CredentialStore::loadPassword(const QString &, QString *password, QString *error)
{
    if (password)
        password->clear();
    return unavailable(error);
}

bool CredentialStore::loadPasswordBySecretName(const QString &, QString *password, QString *error)
{
    if (password)
        password->clear();
    return unavailable(error);
}

bool CredentialStore::verifyPassword(const QString &, const QString &, QString *error)
{
    return unavailable(error);
}

bool CredentialStore::deletePassword(const QString &, QString *error)
{
    return unavailable(error);
}

bool CredentialStore::deletePasswordBySecretName(const QString &, QString *error)
{
    return unavailable(error);
}

// Temporary copies of a password are overwritten before their memory goes
// back to the allocator, so that it does not linger in freed heap.
void scrub(QString &text)
{
    if (!text.isEmpty()) {
        text.detach();
        text.fill(QChar(0));
    }
    text.clear();
    text.squeeze();
}
