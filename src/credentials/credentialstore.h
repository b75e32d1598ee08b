#ifndef VANTOREL_CREDENTIALSTORE_H
#define VANTOREL_CREDENTIALSTORE_H

#include <QString>

namespace Sailfish {
namespace Secrets {
class SecretManager;
}
}

// Keeps one IBM i password per connection profile in the platform's secure
// storage (Sailfish Secrets on the phone, the desktop's Secret Service
// elsewhere), never in the settings file. Every call is synchronous: it
// blocks the GUI thread until the secrets service has answered, and waits
// for the user when the service asks something.
//
// All operations return true on success and take, last, an optional pointer
// that receives an error text on failure (null when no text is wanted).
class CredentialStore
{
public:
    CredentialStore();
    ~CredentialStore();

    CredentialStore(const CredentialStore &) = delete;
    CredentialStore &operator=(const CredentialStore &) = delete;

    bool collectionExists(bool *exists, QString *error = nullptr);
    bool createCollection(QString *error = nullptr);
    // Saves and reads back; an empty password deletes the saved one.
    bool storePassword(const QString &profileId, const QString &password, QString *error = nullptr);
    bool storePasswordOnce(const QString &profileId, const QString &password, int *errorCode,
                           QString *error = nullptr);
    // Reads the password, moving one saved under an older name to the current one.
    bool loadPassword(const QString &profileId, QString *password, QString *error = nullptr);
    bool loadPasswordBySecretName(const QString &secretName, QString *password,
                                  QString *error = nullptr);
    bool verifyPassword(const QString &profileId, const QString &expected, QString *error = nullptr);
    // Deletes under the current and the older names of the profile. True
    // when no password of the profile is left, also when there was none;
    // false when one may still be there (the store refused or could not be
    // reached).
    bool deletePassword(const QString &profileId, QString *error = nullptr);
    // One delete request; a secret that does not exist fails it.
    bool deletePasswordBySecretName(const QString &secretName, QString *error = nullptr);

private:
    // One delete request; `absent` (may be null) tells whether it failed
    // only because there was nothing to delete.
    bool deleteSecret(const QString &secretName, bool *absent, QString *error);

    Sailfish::Secrets::SecretManager *m_manager;
    // Set while a password moves from an older name to the current one.
    bool m_migrating = false;
};

// The collection that holds every password of the application.
extern const QString COLLECTION_NAME;
// The oldest secret name, from before passwords were kept per profile.
extern const QString LEGACY_PASSWORD_NAME;

// The profile id reduced to ASCII letters and digits; "Default" when none remain.
QString safeProfileId(const QString &profileId);
// The current secret name of a profile's password: "PW" and 20 hex digits of a digest.
QString passwordSecretName(const QString &profileId);
// The older per-profile name, still read (and then removed) for migration.
QString rc19PasswordSecretName(const QString &profileId);
// The platform's message, with a hint when the storage plugin is missing.
QString friendlySecretsError(const QString &message);

// Whether a store request's error code says that a secret of that name
// exists already (the platform's SecretAlreadyExistsError, or the database
// error under which its daemon may report the same).
bool secretAlreadyExists(int errorCode);

// Overwrites a temporary password string with NUL characters and releases it.
void scrub(QString &text);

#endif
