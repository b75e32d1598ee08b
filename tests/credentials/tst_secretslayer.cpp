// The desktop secrets layer against a real Secret Service (a private,
// unlocked gnome-keyring): the behaviour the password store relies on, as
// the phone's service has it. Collections exist once created, a stored name
// is never overwritten (SecretAlreadyExistsError), missing secrets fail with
// a message. The layer's enumerations carry the platform's published numbers.
#include <QtTest>

#include <Secrets/collectionnamesrequest.h>
#include <Secrets/createcollectionrequest.h>
#include <Secrets/deletecollectionrequest.h>
#include <Secrets/deletesecretrequest.h>
#include <Secrets/result.h>
#include <Secrets/secret.h>
#include <Secrets/secretmanager.h>
#include <Secrets/storedsecretrequest.h>
#include <Secrets/storesecretrequest.h>

using namespace Sailfish::Secrets;

namespace {

const QString COLLECTION = QStringLiteral("LayerTestCollection");

Secret::Identifier secretId(const QString &name, const QString &collection = COLLECTION)
{
    return Secret::Identifier(name, collection, SecretManager::DefaultEncryptedStoragePluginName);
}

Result run(Request &request, SecretManager &manager)
{
    request.setManager(&manager);
    request.startRequest();
    request.waitForFinished();
    return request.result();
}

Result createCollection(SecretManager &manager, const QString &name)
{
    CreateCollectionRequest request;
    request.setCollectionName(name);
    request.setStoragePluginName(SecretManager::DefaultEncryptedStoragePluginName);
    request.setEncryptionPluginName(SecretManager::DefaultEncryptedStoragePluginName);
    request.setUserInteractionMode(SecretManager::SystemInteraction);
    return run(request, manager);
}

Result deleteCollection(SecretManager &manager, const QString &name)
{
    DeleteCollectionRequest request;
    request.setCollectionName(name);
    request.setStoragePluginName(SecretManager::DefaultEncryptedStoragePluginName);
    return run(request, manager);
}

QStringList collectionNames(SecretManager &manager)
{
    CollectionNamesRequest request;
    request.setStoragePluginName(SecretManager::DefaultEncryptedStoragePluginName);
    const Result result = run(request, manager);
    return result.code() == Result::Succeeded ? request.collectionNames() : QStringList() << QStringLiteral("<failed>");
}

Result store(SecretManager &manager, const Secret &secret,
             SecretManager::UserInteractionMode mode = SecretManager::SystemInteraction)
{
    StoreSecretRequest request;
    request.setSecretStorageType(StoreSecretRequest::CollectionSecret);
    request.setUserInteractionMode(mode);
    request.setSecret(secret);
    return run(request, manager);
}

Result read(SecretManager &manager, const Secret::Identifier &id, Secret *secret,
            SecretManager::UserInteractionMode mode = SecretManager::SystemInteraction)
{
    StoredSecretRequest request;
    request.setIdentifier(id);
    request.setUserInteractionMode(mode);
    const Result result = run(request, manager);
    if (secret)
        *secret = request.secret();
    return result;
}

Result remove(SecretManager &manager, const Secret::Identifier &id)
{
    DeleteSecretRequest request;
    request.setIdentifier(id);
    request.setUserInteractionMode(SecretManager::SystemInteraction);
    return run(request, manager);
}

Secret blob(const QString &name, const QByteArray &data)
{
    Secret secret(secretId(name));
    secret.setData(data);
    secret.setType(Secret::TypeBlob);
    return secret;
}

} // namespace

class SecretsLayerTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanupTestCase();

    void collectionLifecycle();
    void collectionNamesRefused_data();
    void collectionNamesRefused();
    void secretRoundTrip_data();
    void secretRoundTrip();
    void storedNameIsNeverOverwritten();
    void missingSecretsFailWithMessage();
    void secretsNeedTheirCollection();
    void collectionsKeepTheirSecretsApart();
    void requestsWithoutManagerFail();
    void reservedFilterFieldsRefused();
    void publishedValues_data();
    void publishedValues();
    void customLockNeedsAnAuthenticationPlugin();

private:
    SecretManager m_manager;
};

void SecretsLayerTest::init()
{
    QCOMPARE(deleteCollection(m_manager, COLLECTION).code(), Result::Succeeded);
    QCOMPARE(deleteCollection(m_manager, QStringLiteral("OtherCollection")).code(), Result::Succeeded);
}

void SecretsLayerTest::cleanupTestCase()
{
    deleteCollection(m_manager, COLLECTION);
    deleteCollection(m_manager, QStringLiteral("OtherCollection"));
}

void SecretsLayerTest::collectionLifecycle()
{
    QVERIFY(!collectionNames(m_manager).contains(COLLECTION));
    QCOMPARE(createCollection(m_manager, COLLECTION).code(), Result::Succeeded);
    QVERIFY(collectionNames(m_manager).contains(COLLECTION));

    const Result again = createCollection(m_manager, COLLECTION);
    QCOMPARE(again.code(), Result::Failed);
    QCOMPARE(again.errorCode(), Result::CollectionAlreadyExistsError);
    QVERIFY(again.errorMessage().contains(COLLECTION));

    QCOMPARE(store(m_manager, blob(QStringLiteral("inside"), "x")).code(), Result::Succeeded);
    QCOMPARE(deleteCollection(m_manager, COLLECTION).code(), Result::Succeeded);
    QVERIFY(!collectionNames(m_manager).contains(COLLECTION));
    // Its secrets went with it.
    QCOMPARE(read(m_manager, secretId(QStringLiteral("inside")), nullptr).code(), Result::Failed);
}

void SecretsLayerTest::collectionNamesRefused_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("plugin");
    QTest::addColumn<int>("errorCode");

    const QString plugin = SecretManager::DefaultEncryptedStoragePluginName;
    QTest::newRow("empty name") << "" << plugin << int(Result::InvalidCollectionError);
    QTest::newRow("reserved name") << "standalone" << plugin << int(Result::InvalidCollectionError);
    QTest::newRow("unknown storage plugin") << COLLECTION << "plugin.nosuch" << int(Result::InvalidExtensionPluginError);
}

void SecretsLayerTest::collectionNamesRefused()
{
    QFETCH(QString, name);
    QFETCH(QString, plugin);
    QFETCH(int, errorCode);

    CreateCollectionRequest request;
    request.setCollectionName(name);
    request.setStoragePluginName(plugin);
    const Result result = run(request, m_manager);
    QCOMPARE(result.code(), Result::Failed);
    QCOMPARE(int(result.errorCode()), errorCode);
    QVERIFY(!result.errorMessage().isEmpty());
    QVERIFY(!collectionNames(m_manager).contains(name));
}

void SecretsLayerTest::secretRoundTrip_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("interaction");

    QTest::newRow("text") << QByteArray("s3cr3t") << int(SecretManager::SystemInteraction);
    QTest::newRow("UTF-8 with NUL bytes") << QByteArray("p\xc3\xa4ss\0w\0rd", 11) << int(SecretManager::SystemInteraction);
    QTest::newRow("empty") << QByteArray() << int(SecretManager::SystemInteraction);
    QTest::newRow("no user interaction, keyring unlocked")
        << QByteArray("quiet") << int(SecretManager::PreventInteraction);
}

void SecretsLayerTest::secretRoundTrip()
{
    QFETCH(QByteArray, data);
    QFETCH(int, interaction);
    const SecretManager::UserInteractionMode mode = SecretManager::UserInteractionMode(interaction);

    QCOMPARE(createCollection(m_manager, COLLECTION).code(), Result::Succeeded);
    Secret secret = blob(QStringLiteral("roundtrip"), data);
    secret.setFilterData(QStringLiteral("application"), QStringLiteral("Vantorel"));
    QCOMPARE(store(m_manager, secret, mode).code(), Result::Succeeded);

    Secret found;
    const Result result = read(m_manager, secretId(QStringLiteral("roundtrip")), &found, mode);
    QCOMPARE(result.code(), Result::Succeeded);
    QCOMPARE(result.errorCode(), Result::NoError);
    QCOMPARE(found.data(), data);
    QCOMPARE(found.type(), Secret::TypeBlob);
    QCOMPARE(found.filterData(QStringLiteral("application")), QStringLiteral("Vantorel"));
    QCOMPARE(found.filterDataFields(), QStringList() << QStringLiteral("application"));
    QCOMPARE(found.identifier().name(), QStringLiteral("roundtrip"));
    QCOMPARE(found.identifier().collectionName(), COLLECTION);
}

void SecretsLayerTest::storedNameIsNeverOverwritten()
{
    QCOMPARE(createCollection(m_manager, COLLECTION).code(), Result::Succeeded);
    QCOMPARE(store(m_manager, blob(QStringLiteral("once"), "first")).code(), Result::Succeeded);

    const Result second = store(m_manager, blob(QStringLiteral("once"), "second"));
    QCOMPARE(second.code(), Result::Failed);
    QCOMPARE(second.errorCode(), Result::SecretAlreadyExistsError);
    QVERIFY(second.errorMessage().contains(QStringLiteral("once")));

    Secret found;
    QCOMPARE(read(m_manager, secretId(QStringLiteral("once")), &found).code(), Result::Succeeded);
    QCOMPARE(found.data(), QByteArray("first"));

    // Delete, then store: the way to replace a secret.
    QCOMPARE(remove(m_manager, secretId(QStringLiteral("once"))).code(), Result::Succeeded);
    QCOMPARE(store(m_manager, blob(QStringLiteral("once"), "second")).code(), Result::Succeeded);
    QCOMPARE(read(m_manager, secretId(QStringLiteral("once")), &found).code(), Result::Succeeded);
    QCOMPARE(found.data(), QByteArray("second"));
}

void SecretsLayerTest::missingSecretsFailWithMessage()
{
    QCOMPARE(createCollection(m_manager, COLLECTION).code(), Result::Succeeded);
    const QString expected = QStringLiteral("No secret named \"ghost\" exists in collection \"%1\"").arg(COLLECTION);

    Secret found = blob(QStringLiteral("stale"), "stale");
    const Result readResult = read(m_manager, secretId(QStringLiteral("ghost")), &found);
    QCOMPARE(readResult.code(), Result::Failed);
    QCOMPARE(readResult.errorCode(), Result::InvalidSecretError);
    QCOMPARE(readResult.errorMessage(), expected);
    QCOMPARE(found.data(), QByteArray());

    const Result deleteResult = remove(m_manager, secretId(QStringLiteral("ghost")));
    QCOMPARE(deleteResult.code(), Result::Failed);
    QCOMPARE(deleteResult.errorMessage(), expected);

    // A deleted secret is missing afterwards, too.
    QCOMPARE(store(m_manager, blob(QStringLiteral("brief"), "x")).code(), Result::Succeeded);
    QCOMPARE(remove(m_manager, secretId(QStringLiteral("brief"))).code(), Result::Succeeded);
    QCOMPARE(remove(m_manager, secretId(QStringLiteral("brief"))).code(), Result::Failed);
}

void SecretsLayerTest::secretsNeedTheirCollection()
{
    const Result result = store(m_manager, blob(QStringLiteral("orphan"), "x"));
    QCOMPARE(result.code(), Result::Failed);
    QCOMPARE(result.errorCode(), Result::InvalidCollectionError);
    QCOMPARE(result.errorMessage(), QStringLiteral("No collection named \"%1\" exists").arg(COLLECTION));
    QVERIFY(!collectionNames(m_manager).contains(COLLECTION));

    StoreSecretRequest standalone;
    standalone.setSecretStorageType(StoreSecretRequest::StandaloneDeviceLockSecret);
    standalone.setSecret(blob(QStringLiteral("orphan"), "x"));
    QCOMPARE(run(standalone, m_manager).errorCode(), Result::OperationNotSupportedError);
}

void SecretsLayerTest::collectionsKeepTheirSecretsApart()
{
    const QString other = QStringLiteral("OtherCollection");
    QCOMPARE(createCollection(m_manager, COLLECTION).code(), Result::Succeeded);
    QCOMPARE(createCollection(m_manager, other).code(), Result::Succeeded);
    QCOMPARE(store(m_manager, blob(QStringLiteral("same"), "here")).code(), Result::Succeeded);
    Secret there(secretId(QStringLiteral("same"), other));
    there.setData("there");
    QCOMPARE(store(m_manager, there).code(), Result::Succeeded);

    Secret found;
    QCOMPARE(read(m_manager, secretId(QStringLiteral("same")), &found).code(), Result::Succeeded);
    QCOMPARE(found.data(), QByteArray("here"));
    QCOMPARE(deleteCollection(m_manager, other).code(), Result::Succeeded);
    QCOMPARE(read(m_manager, secretId(QStringLiteral("same"), other), &found).code(), Result::Failed);
    QCOMPARE(read(m_manager, secretId(QStringLiteral("same")), &found).code(), Result::Succeeded);
    QCOMPARE(found.data(), QByteArray("here"));
}

void SecretsLayerTest::requestsWithoutManagerFail()
{
    StoredSecretRequest request;
    request.setIdentifier(secretId(QStringLiteral("any")));
    request.startRequest();
    request.waitForFinished();
    QCOMPARE(request.status(), Request::Finished);
    QCOMPARE(request.result().code(), Result::Failed);
    QVERIFY(!request.result().errorMessage().isEmpty());
}

void SecretsLayerTest::reservedFilterFieldsRefused()
{
    QCOMPARE(createCollection(m_manager, COLLECTION).code(), Result::Succeeded);
    Secret secret = blob(QStringLiteral("filtered"), "x");
    secret.setFilterData(QStringLiteral("secrets.name"), QStringLiteral("other"));
    const Result result = store(m_manager, secret);
    QCOMPARE(result.errorCode(), Result::InvalidFilterError);
    QCOMPARE(read(m_manager, secretId(QStringLiteral("filtered")), nullptr).code(), Result::Failed);
    QCOMPARE(read(m_manager, secretId(QStringLiteral("other")), nullptr).code(), Result::Failed);
}

// The numbers of the platform's public headers, written down independently
// of this layer's headers: code compiled against the layer must mean on the
// phone what it means here.
void SecretsLayerTest::publishedValues_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("published");

    QTest::newRow("Result::Succeeded") << int(Result::Succeeded) << 0;
    QTest::newRow("Result::Pending") << int(Result::Pending) << 1;
    QTest::newRow("Result::Failed") << int(Result::Failed) << 2;
    const struct { const char *name; int value; int published; } errors[] = {
        { "NoError", Result::NoError, 0 },
        { "UnknownError", Result::UnknownError, 2 },
        { "SerialisationError", Result::SerialisationError, 3 },
        { "PermissionsError", Result::PermissionsError, 10 },
        { "IncorrectAuthenticationCodeError", Result::IncorrectAuthenticationCodeError, 11 },
        { "OperationNotSupportedError", Result::OperationNotSupportedError, 12 },
        { "OperationRequiresUserInteraction", Result::OperationRequiresUserInteraction, 13 },
        { "OperationRequiresApplicationUserInteraction", Result::OperationRequiresApplicationUserInteraction, 14 },
        { "OperationRequiresSystemUserInteraction", Result::OperationRequiresSystemUserInteraction, 15 },
        { "SecretManagerNotInitializedError", Result::SecretManagerNotInitializedError, 16 },
        { "SecretsDaemonRequestPidError", Result::SecretsDaemonRequestPidError, 20 },
        { "SecretsDaemonRequestQueueFullError", Result::SecretsDaemonRequestQueueFullError, 21 },
        { "SecretsDaemonLockedError", Result::SecretsDaemonLockedError, 22 },
        { "SecretsPluginEncryptionError", Result::SecretsPluginEncryptionError, 30 },
        { "SecretsPluginDecryptionError", Result::SecretsPluginDecryptionError, 31 },
        { "SecretsPluginKeyDerivationError", Result::SecretsPluginKeyDerivationError, 32 },
        { "InvalidSecretError", Result::InvalidSecretError, 40 },
        { "InvalidSecretIdentifierError", Result::InvalidSecretIdentifierError, 41 },
        { "InvalidFilterError", Result::InvalidFilterError, 42 },
        { "InvalidCollectionError", Result::InvalidCollectionError, 43 },
        { "InvalidExtensionPluginError", Result::InvalidExtensionPluginError, 44 },
        { "InvalidApplicationIdError", Result::InvalidApplicationIdError, 45 },
        { "CollectionAlreadyExistsError", Result::CollectionAlreadyExistsError, 46 },
        { "SecretAlreadyExistsError", Result::SecretAlreadyExistsError, 47 },
        { "CollectionIsLockedError", Result::CollectionIsLockedError, 60 },
        { "DatabaseQueryError", Result::DatabaseQueryError, 70 },
        { "DatabaseTransactionError", Result::DatabaseTransactionError, 71 },
        { "DatabaseError", Result::DatabaseError, 72 },
        { "OtherError", Result::OtherError, 1024 },
    };
    for (const auto &error : errors)
        QTest::newRow(qPrintable(QStringLiteral("Result::%1").arg(QLatin1String(error.name)))) << error.value << error.published;
    QTest::newRow("DeviceLock") << int(CreateCollectionRequest::DeviceLock) << 0;
    QTest::newRow("CustomLock") << int(CreateCollectionRequest::CustomLock) << 1;
    QTest::newRow("OwnerOnlyMode") << int(SecretManager::OwnerOnlyMode) << 0;
    QTest::newRow("SystemAccessControlMode") << int(SecretManager::SystemAccessControlMode) << 1;
    QTest::newRow("NoAccessControlMode") << int(SecretManager::NoAccessControlMode) << 2;
    QTest::newRow("PreventInteraction") << int(SecretManager::PreventInteraction) << 0;
    QTest::newRow("SystemInteraction") << int(SecretManager::SystemInteraction) << 1;
    QTest::newRow("ApplicationInteraction") << int(SecretManager::ApplicationInteraction) << 2;
    QTest::newRow("InProcessInteraction") << int(SecretManager::InProcessInteraction) << 2;
    QTest::newRow("DeviceLockKeepUnlocked") << int(SecretManager::DeviceLockKeepUnlocked) << 0;
    QTest::newRow("CollectionSecret") << int(StoreSecretRequest::CollectionSecret) << 0;
}

void SecretsLayerTest::publishedValues()
{
    QFETCH(int, value);
    QFETCH(int, published);
    QCOMPARE(value, published);
}

// On the phone a custom lock is unlocked by an authentication plugin; a
// request that names none can make no collection, and this layer says so
// rather than hide the mistake.
void SecretsLayerTest::customLockNeedsAnAuthenticationPlugin()
{
    CreateCollectionRequest request;
    request.setCollectionName(COLLECTION);
    request.setStoragePluginName(SecretManager::DefaultEncryptedStoragePluginName);
    request.setCollectionLockType(CreateCollectionRequest::CustomLock);
    const Result result = run(request, m_manager);
    QCOMPARE(result.code(), Result::Failed);
    QCOMPARE(result.errorCode(), Result::InvalidExtensionPluginError);
    QVERIFY(!collectionNames(m_manager).contains(COLLECTION));

    request.setCollectionLockType(CreateCollectionRequest::DeviceLock);
    QCOMPARE(run(request, m_manager).code(), Result::Succeeded);
}

QTEST_GUILESS_MAIN(SecretsLayerTest)
#include "tst_secretslayer.moc"
