#ifndef VANTOREL_CREDENTIALSTORE_H
#define VANTOREL_CREDENTIALSTORE_H

#include <QString>

// Keeps one IBM i password per connection profile in the platform's secure
// storage, never in the settings file. Every call is synchronous: it blocks
// the GUI thread until the secrets service has answered.
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
    bool storePassword(const QString &profileId, const QString &password, QString *error = nullptr);
    bool storePasswordOnce(const QString &profileId, const QString &password, int *errorCode,
                           QString *error = nullptr);
    bool loadPassword(const QString &profileId, QString *password, QString *error = nullptr);
    bool loadPasswordBySecretName(const QString &secretName, QString *password,
                                  QString *error = nullptr);
    bool verifyPassword(const QString &profileId, const QString &expected, QString *error = nullptr);
    bool deletePassword(const QString &profileId, QString *error = nullptr);
    bool deletePasswordBySecretName(const QString &secretName, QString *error = nullptr);
};

// Overwrites a temporary password string with NUL characters and releases it.
void scrub(QString &text);

#endif
