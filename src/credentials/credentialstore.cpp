// The password store of the profiles, on top of the platform's secrets
// service. One collection holds every password; each profile's password is a
// secret whose name derives from the profile id. Every write is read back
// before it counts as saved, and passwords kept under the two older naming
// schemes move to the current name the first time they are read.
#include "credentials/credentialstore.h"

#include <QCryptographicHash>
#include <QStringList>

#include <Secrets/collectionnamesrequest.h>
#include <Secrets/createcollectionrequest.h>
#include <Secrets/deletesecretrequest.h>
#include <Secrets/result.h>
#include <Secrets/secret.h>
#include <Secrets/secretmanager.h>
#include <Secrets/storedsecretrequest.h>
#include <Secrets/storesecretrequest.h>

using namespace Sailfish::Secrets;

const QString COLLECTION_NAME = QStringLiteral("VantorelCredentials");
const QString LEGACY_PASSWORD_NAME = QStringLiteral("IBMiPassword");

namespace {

// A delete that finds nothing to delete leaves the store as wanted: the
// secret (or its whole collection) is not there.
bool nothingToDelete(int errorCode)
{
    return errorCode == Result::InvalidSecretError || errorCode == Result::InvalidCollectionError;
}

// The older names belong to ids that have letters or digits of their own:
// an id made only of other characters would reduce to "Default" and reach
// the Default profile's older secrets. The profile-less oldest name is the
// Default profile's alone.
bool hasOlderNames(const QString &profileId)
{
    for (const QChar c : profileId) {
        const ushort u = c.unicode();
        if ((u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z'))
            return true;
    }
    return false;
}

QStringList olderSecretNames(const QString &profileId)
{
    QStringList names;
    if (hasOlderNames(profileId))
        names << rc19PasswordSecretName(profileId);
    if (profileId == QLatin1String("Default"))
        names << LEGACY_PASSWORD_NAME;
    return names;
}

const int SECRET_NAME_HEX_DIGITS = 20;

const QString FILTER_FIELD = QStringLiteral("application");
const QString FILTER_VALUE = QStringLiteral("Vantorel");

Secret::Identifier identifierFor(const QString &secretName)
{
    return Secret::Identifier(secretName, COLLECTION_NAME, SecretManager::DefaultEncryptedStoragePluginName);
}

// Starts a configured request, waits for it and tells whether it succeeded.
bool run(Request &request, SecretManager *manager)
{
    request.setManager(manager);
    request.startRequest();
    request.waitForFinished();
    return request.result().code() == Result::Succeeded;
}

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

QString failureText(const Request &request)
{
    return friendlySecretsError(request.result().errorMessage());
}

} // namespace

// Storing a name that exists already fails: the platform never overwrites
// a secret in place. The daemon reports the unique-name failure either as
// such or, from its database, as a failed query; both mean "replace it".
// Compared by the platform's names, never by bare numbers.
bool secretAlreadyExists(int errorCode)
{
    return errorCode == Result::SecretAlreadyExistsError || errorCode == Result::DatabaseQueryError;
}

QString safeProfileId(const QString &profileId)
{
    QString safe;
    safe.reserve(profileId.size());
    for (const QChar c : profileId) {
        const ushort u = c.unicode();
        if ((u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z'))
            safe.append(c);
    }
    return safe.isEmpty() ? QStringLiteral("Default") : safe;
}

// The profile id may hold anything a user typed long ago; a digest gives a
// name of fixed length and plain characters that reveals nothing about it.
QString passwordSecretName(const QString &profileId)
{
    const QByteArray digest = QCryptographicHash::hash(profileId.toUtf8(), QCryptographicHash::Sha256);
    return QStringLiteral("PW") + QString::fromLatin1(digest.toHex().toUpper().left(SECRET_NAME_HEX_DIGITS));
}

QString rc19PasswordSecretName(const QString &profileId)
{
    return LEGACY_PASSWORD_NAME + safeProfileId(profileId);
}

QString friendlySecretsError(const QString &message)
{
    if (message.contains(QLatin1String("No such encrypted storage plugin"), Qt::CaseInsensitive)
        || message.contains(QLatin1String("encryptedstorage.sqlcipher"), Qt::CaseInsensitive)) {
        return message
            + QStringLiteral(". If Vantorel has just installed the Sailfish Secrets plugins for the first time, "
                             "restart the phone once and try again");
    }
    return message;
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

CredentialStore::CredentialStore() : m_manager(new SecretManager()) {}

CredentialStore::~CredentialStore()
{
    delete m_manager;
}

bool CredentialStore::collectionExists(bool *exists, QString *error)
{
    if (exists)
        *exists = false;
    CollectionNamesRequest request;
    request.setStoragePluginName(SecretManager::DefaultEncryptedStoragePluginName);
    if (!run(request, m_manager)) {
        setError(error, failureText(request));
        return false;
    }
    if (exists)
        *exists = request.collectionNames().contains(COLLECTION_NAME);
    return true;
}

bool CredentialStore::createCollection(QString *error)
{
    bool exists = false;
    QString checkError;
    if (collectionExists(&exists, &checkError) && exists)
        return true;

    CreateCollectionRequest request;
    request.setCollectionName(COLLECTION_NAME);
    request.setAccessControlMode(SecretManager::OwnerOnlyMode);
    // Unlocked with the device: a custom lock would need an authentication
    // plugin of the application's own, and the collection could never be
    // created without one.
    request.setCollectionLockType(CreateCollectionRequest::DeviceLock);
    request.setDeviceLockUnlockSemantic(SecretManager::DeviceLockKeepUnlocked);
    request.setStoragePluginName(SecretManager::DefaultEncryptedStoragePluginName);
    request.setEncryptionPluginName(SecretManager::DefaultEncryptedStoragePluginName);
    request.setUserInteractionMode(SecretManager::SystemInteraction);
    if (run(request, m_manager))
        return true;

    // Another process (or an earlier, half-finished attempt) may have made it.
    if (collectionExists(&exists) && exists)
        return true;
    const QString message = request.result().errorMessage();
    // The check's text has been made friendly already.
    setError(error, message.isEmpty() ? checkError : friendlySecretsError(message));
    return false;
}

bool CredentialStore::storePasswordOnce(const QString &profileId, const QString &password, int *errorCode,
                                        QString *error)
{
    if (errorCode)
        *errorCode = 0;
    Secret secret(identifierFor(passwordSecretName(profileId)));
    // The byte copy for the platform is released with the secret; only the
    // QString temporaries of the callers are scrubbed.
    secret.setData(password.toUtf8());
    secret.setType(Secret::TypeBlob);
    secret.setFilterData(FILTER_FIELD, FILTER_VALUE);

    StoreSecretRequest request;
    request.setSecretStorageType(StoreSecretRequest::CollectionSecret);
    request.setUserInteractionMode(SecretManager::SystemInteraction);
    request.setSecret(secret);
    if (!run(request, m_manager)) {
        if (errorCode)
            *errorCode = request.result().errorCode();
        setError(error, failureText(request));
        return false;
    }
    return true;
}

bool CredentialStore::storePassword(const QString &profileId, const QString &password, QString *error)
{
    if (password.isEmpty()) {
        deletePassword(profileId);
        return true;
    }

    QString collectionError;
    if (!createCollection(&collectionError)) {
        setError(error, collectionError);
        return false;
    }

    int code = 0;
    QString storeError;
    if (storePasswordOnce(profileId, password, &code, &storeError))
        return verifyPassword(profileId, password, error);

    if (secretAlreadyExists(code)) {
        // Replace the saved password, keeping a copy to put back should the
        // new one not make it.
        QString previous;
        const bool hadPrevious = loadPassword(profileId, &previous);
        deletePassword(profileId);
        code = 0;
        storeError.clear();
        if (storePasswordOnce(profileId, password, &code, &storeError)) {
            QString verifyError;
            if (verifyPassword(profileId, password, &verifyError)) {
                scrub(previous);
                return true;
            }
            storeError = verifyError;
            // The name holds the value that failed its read-back; the old
            // password cannot go back under it while that is there. With no
            // old password to put back, the new one stays.
            if (hadPrevious && !previous.isEmpty())
                deletePasswordBySecretName(passwordSecretName(profileId));
        }
        if (hadPrevious && !previous.isEmpty()) {
            int ignored = 0;
            storePasswordOnce(profileId, previous, &ignored);
        }
        scrub(previous);
    }

    setError(error, storeError.isEmpty() ? collectionError : storeError);
    return false;
}

bool CredentialStore::verifyPassword(const QString &profileId, const QString &expected, QString *error)
{
    QString stored;
    if (!loadPassword(profileId, &stored, error)) {
        scrub(stored);
        return false;
    }
    const bool same = stored == expected;
    scrub(stored);
    if (!same) {
        setError(error, QStringLiteral("Secure password read-back did not match the value that was saved"));
        return false;
    }
    return true;
}

bool CredentialStore::loadPasswordBySecretName(const QString &secretName, QString *password, QString *error)
{
    if (password)
        password->clear();
    StoredSecretRequest request;
    request.setIdentifier(identifierFor(secretName));
    request.setUserInteractionMode(SecretManager::SystemInteraction);
    if (!run(request, m_manager)) {
        setError(error, failureText(request));
        return false;
    }
    if (password) {
        const QByteArray data = request.secret().data();
        const int end = data.indexOf('\0');
        *password = QString::fromUtf8(data.constData(), end < 0 ? data.size() : end);
    }
    return true;
}

bool CredentialStore::loadPassword(const QString &profileId, QString *password, QString *error)
{
    QString firstError;
    if (loadPasswordBySecretName(passwordSecretName(profileId), password, &firstError))
        return true;
    // A move stores and reads back, and those read the current name again;
    // they must not start a move of their own (a current secret that exists
    // but cannot be read would otherwise recurse without end).
    if (m_migrating) {
        setError(error, firstError);
        return false;
    }

    // Older names: a password found there is written under the current name
    // (and read back) before the old secret is removed, so that nothing is
    // lost if the move fails half way.
    const QStringList olderNames = olderSecretNames(profileId);
    for (const QString &olderName : olderNames) {
        QString older;
        if (!loadPasswordBySecretName(olderName, &older))
            continue;
        QString storeError;
        m_migrating = true;
        const bool moved = storePassword(profileId, older, &storeError);
        m_migrating = false;
        if (!moved) {
            scrub(older);
            setError(error, storeError);
            return false;
        }
        if (password)
            *password = older;
        scrub(older);
        deletePasswordBySecretName(olderName);
        return true;
    }

    setError(error, firstError);
    return false;
}

bool CredentialStore::deletePasswordBySecretName(const QString &secretName, QString *error)
{
    return deleteSecret(secretName, nullptr, error);
}

bool CredentialStore::deleteSecret(const QString &secretName, bool *absent, QString *error)
{
    if (absent)
        *absent = false;
    DeleteSecretRequest request;
    request.setIdentifier(identifierFor(secretName));
    request.setUserInteractionMode(SecretManager::SystemInteraction);
    if (!run(request, m_manager)) {
        if (absent)
            *absent = nothingToDelete(request.result().errorCode());
        setError(error, failureText(request));
        return false;
    }
    return true;
}

// Every name the profile's password may be kept under goes. A name that
// holds nothing is fine; any other failure (a locked keyring, a service
// that does not answer) means a password may still be there, and is
// reported: one left under an older name would come back at the next
// profile load, moved to the current name by loadPassword.
bool CredentialStore::deletePassword(const QString &profileId, QString *error)
{
    QStringList names;
    names << passwordSecretName(profileId) << olderSecretNames(profileId);
    bool cleared = true;
    for (const QString &name : names) {
        bool absent = false;
        QString failure;
        if (deleteSecret(name, &absent, &failure) || absent)
            continue;
        if (cleared)
            setError(error, failure);
        cleared = false;
    }
    return cleared;
}
