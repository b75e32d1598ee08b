// A locked keyring, for requests that may not ask the user to unlock it:
// each one fails with a message that says so, and nothing is deleted or
// written behind the lock. (Requests that may ask would bring up the
// desktop's unlock prompt, which a test cannot answer.)
//
// libsecret comes first: GIO's headers use the word "signals", which Qt
// defines as a macro.
#include <libsecret/secret.h>

#include <QtTest>

#include <Secrets/collectionnamesrequest.h>
#include <Secrets/deletesecretrequest.h>
#include <Secrets/result.h>
#include <Secrets/secret.h>
#include <Secrets/secretmanager.h>
#include <Secrets/storedsecretrequest.h>
#include <Secrets/storesecretrequest.h>

#include "credentials/keyring.h"

using namespace Sailfish::Secrets;

namespace {

const QString LOCKED = QStringLiteral(" is locked and the request may not ask to unlock it");

// Locks the default keyring through the service itself; locking needs no prompt.
bool lockDefaultKeyring(QString *error)
{
    GError *failure = nullptr;
    SecretService *service = secret_service_get_sync(SECRET_SERVICE_NONE, nullptr, &failure);
    SecretCollection *keyring = service ? secret_collection_for_alias_sync(service, SECRET_COLLECTION_DEFAULT,
                                                                          SECRET_COLLECTION_NONE, nullptr, &failure)
                                        : nullptr;
    bool locked = false;
    if (keyring) {
        GList *objects = g_list_append(nullptr, keyring);
        locked = secret_service_lock_sync(service, objects, nullptr, nullptr, &failure) > 0;
        g_list_free(objects);
        locked = locked && secret_collection_get_locked(keyring);
        g_object_unref(keyring);
    }
    if (service)
        g_object_unref(service);
    if (failure) {
        *error = QString::fromUtf8(failure->message);
        g_clear_error(&failure);
    }
    return locked;
}

Secret::Identifier identifier(const QString &name)
{
    return Secret::Identifier(name, COLLECTION_NAME, SecretManager::DefaultEncryptedStoragePluginName);
}

} // namespace

class LockedKeyringTest : public QObject
{
    Q_OBJECT

private slots:
    void requestsThatMayNotAskFail();
};

void LockedKeyringTest::requestsThatMayNotAskFail()
{
    Keyring keyring;
    QVERIFY(keyring.plant(QStringLiteral("kept"), QStringLiteral("behind the lock")));
    QString error;
    QVERIFY2(lockDefaultKeyring(&error), qPrintable(error));

    // Names stay readable while locked.
    CollectionNamesRequest names;
    names.setStoragePluginName(SecretManager::DefaultEncryptedStoragePluginName);
    QCOMPARE(keyring.run(names).code(), Result::Succeeded);
    QVERIFY(names.collectionNames().contains(COLLECTION_NAME));

    StoredSecretRequest read;
    read.setIdentifier(identifier(QStringLiteral("kept")));
    read.setUserInteractionMode(SecretManager::PreventInteraction);
    Result result = keyring.run(read);
    QCOMPARE(result.errorCode(), Result::CollectionIsLockedError);
    QCOMPARE(result.errorMessage(), QStringLiteral("The secret \"kept\"") + LOCKED);
    QCOMPARE(read.secret().data(), QByteArray());

    // A locked secret is not "missing": deleting it fails as locked, again
    // and again, because it is still there.
    for (int attempt = 0; attempt < 2; ++attempt) {
        DeleteSecretRequest remove;
        remove.setIdentifier(identifier(QStringLiteral("kept")));
        remove.setUserInteractionMode(SecretManager::PreventInteraction);
        result = keyring.run(remove);
        QCOMPARE(result.errorCode(), Result::CollectionIsLockedError);
        QCOMPARE(result.errorMessage(), QStringLiteral("The secret \"kept\"") + LOCKED);
    }

    Secret secret(identifier(QStringLiteral("new")));
    secret.setData("x");
    StoreSecretRequest store;
    store.setSecret(secret);
    store.setUserInteractionMode(SecretManager::PreventInteraction);
    result = keyring.run(store);
    QCOMPARE(result.errorCode(), Result::CollectionIsLockedError);
    QCOMPARE(result.errorMessage(), QStringLiteral("The default keyring") + LOCKED);
}

QTEST_GUILESS_MAIN(LockedKeyringTest)
#include "tst_lockedkeyring.moc"
