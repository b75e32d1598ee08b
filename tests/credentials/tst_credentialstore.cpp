// The password store against a real secrets service (a private, unlocked
// gnome-keyring): secret names, saving with read-back, replacing, deleting,
// and moving passwords kept under the two older names.
#include <QtTest>

#include "credentials/credentialstore.h"
#include "credentials/keyring.h"

using namespace Sailfish::Secrets;

namespace {

const QString MISMATCH = QStringLiteral("Secure password read-back did not match the value that was saved");
const QString RESTART_HINT = QStringLiteral(". If Vantorel has just installed the Sailfish Secrets plugins for "
                                            "the first time, restart the phone once and try again");

} // namespace

class CredentialStoreTest : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void safeProfileIds_data();
    void safeProfileIds();
    void secretNames_data();
    void secretNames();
    void friendlyErrors_data();
    void friendlyErrors();
    void scrubLeavesSharedCopiesAlone();
    void existingNameCodes_data();
    void existingNameCodes();

    void collectionIsCreatedOnFirstStore();
    void storeLoadVerifyDelete_data();
    void storeLoadVerifyDelete();
    void storingAgainReplaces();
    void emptyPasswordDeletes();
    void failedReplacementPutsThePreviousPasswordBack();
    void profilesKeepTheirOwnPasswords();
    void migratesOlderNames_data();
    void migratesOlderNames();
    void profileLessNameOnlyForDefault_data();
    void profileLessNameOnlyForDefault();
    void currentNameWinsOverOlderOnes();
    void deletingDefaultRemovesEveryOlderName();

private:
    Keyring m_keyring;
};

void CredentialStoreTest::init()
{
    QVERIFY(m_keyring.dropCollection());
}

void CredentialStoreTest::safeProfileIds_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("safe");

    QTest::newRow("plain") << "Default" << "Default";
    QTest::newRow("braced uuid") << "{1b4e28ba-2fa1-11d2-883f-0016d3cca427}" << "1b4e28ba2fa111d2883f0016d3cca427";
    QTest::newRow("hyphens, underscores, spaces") << "my_host - 2" << "myhost2";
    QTest::newRow("non-ASCII letters dropped") << QStringLiteral("Büro\u00e9\u4e2d") << "Bro";
    QTest::newRow("empty") << "" << "Default";
    QTest::newRow("nothing left") << QStringLiteral("-_ \u00e4\u00f6") << "Default";
}

void CredentialStoreTest::safeProfileIds()
{
    QFETCH(QString, id);
    QFETCH(QString, safe);
    QCOMPARE(safeProfileId(id), safe);
}

void CredentialStoreTest::secretNames_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("older");

    // The current names are the first 20 hex digits of SHA-256 of the id.
    QTest::newRow("Default") << "Default" << "PW21B111CBFE6E8FCA2D18" << "IBMiPasswordDefault";
    QTest::newRow("uuid") << "{1b4e28ba-2fa1-11d2-883f-0016d3cca427}" << "PW376DEBEA8D22587172AD"
                          << "IBMiPassword1b4e28ba2fa111d2883f0016d3cca427";
    QTest::newRow("UTF-8 of the id is hashed") << QStringLiteral("Büro 2") << "PW32637847C335E8924CB1"
                                               << "IBMiPasswordBro2";
    QTest::newRow("empty id") << "" << "PWE3B0C44298FC1C149AFB" << "IBMiPasswordDefault";
}

void CredentialStoreTest::secretNames()
{
    QFETCH(QString, id);
    QFETCH(QString, current);
    QFETCH(QString, older);
    QCOMPARE(passwordSecretName(id), current);
    QCOMPARE(passwordSecretName(id).size(), 22);
    QCOMPARE(rc19PasswordSecretName(id), older);
    QCOMPARE(LEGACY_PASSWORD_NAME, QStringLiteral("IBMiPassword"));
    QCOMPARE(COLLECTION_NAME, QStringLiteral("VantorelCredentials"));
}

void CredentialStoreTest::friendlyErrors_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("hinted");

    QTest::newRow("other error") << "The Secret Service is not reachable" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("missing plugin") << "No such encrypted storage plugin exists" << true;
    QTest::newRow("lower case") << "no such encrypted storage plugin exists" << true;
    QTest::newRow("sqlcipher plugin named") << "Failed to load org.sailfishos.secrets.plugin.encryptedstorage.sqlcipher" << true;
    QTest::newRow("both phrases, hint once")
        << "No such encrypted storage plugin: org.sailfishos.secrets.plugin.encryptedstorage.sqlcipher" << true;
}

void CredentialStoreTest::friendlyErrors()
{
    QFETCH(QString, message);
    QFETCH(bool, hinted);
    QCOMPARE(friendlySecretsError(message), hinted ? message + RESTART_HINT : message);
}

// A password copy shares its characters with the original until one of them
// changes; scrubbing the copy must not wipe the original.
void CredentialStoreTest::scrubLeavesSharedCopiesAlone()
{
    const QString original = QStringLiteral("s3cr3t");
    QString copy = original;
    scrub(copy);
    QVERIFY(copy.isEmpty());
    QCOMPARE(original, QStringLiteral("s3cr3t"));
    QString empty;
    scrub(empty);
    QVERIFY(empty.isEmpty());
}

void CredentialStoreTest::existingNameCodes_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("exists");
    QTest::newRow("SecretAlreadyExistsError (47)") << 47 << true;
    QTest::newRow("DatabaseQueryError (70), the daemon's unique-name failure") << 70 << true;
    QTest::newRow("CollectionAlreadyExistsError (46)") << 46 << false;
    QTest::newRow("InvalidSecretError (40)") << 40 << false;
    QTest::newRow("DatabaseTransactionError (71)") << 71 << false;
    QTest::newRow("no error") << 0 << false;
}

void CredentialStoreTest::existingNameCodes()
{
    QFETCH(int, code);
    QFETCH(bool, exists);
    QCOMPARE(secretAlreadyExists(code), exists);
}

void CredentialStoreTest::collectionIsCreatedOnFirstStore()
{
    CredentialStore store;
    bool exists = true;
    QVERIFY(store.collectionExists(&exists));
    QVERIFY(!exists);

    // Reading and deleting create nothing; deleting what is not there leaves
    // no password behind, which is what a delete is for.
    QString password;
    QVERIFY(!store.loadPassword(QStringLiteral("Default"), &password));
    QVERIFY(store.deletePassword(QStringLiteral("Default")));
    QVERIFY(store.collectionExists(&exists));
    QVERIFY(!exists);

    QVERIFY(store.storePassword(QStringLiteral("Default"), QStringLiteral("first")));
    QVERIFY(store.collectionExists(&exists));
    QVERIFY(exists);
    // Making sure of it again is no error.
    QString error;
    QVERIFY2(store.createCollection(&error), qPrintable(error));
}

void CredentialStoreTest::storeLoadVerifyDelete_data()
{
    QTest::addColumn<QString>("profileId");
    QTest::addColumn<QString>("password");

    QTest::newRow("plain") << "Default" << "s3cr3t";
    QTest::newRow("non-ASCII password") << "{0c7ec52a-3d4e-4c1e-9a2b-6f1f1b9e0d11}" << QStringLiteral("pässwörd✓");
    QTest::newRow("spaces kept") << "work" << " two words ";
}

void CredentialStoreTest::storeLoadVerifyDelete()
{
    QFETCH(QString, profileId);
    QFETCH(QString, password);

    CredentialStore store;
    QString error;
    QVERIFY2(store.storePassword(profileId, password, &error), qPrintable(error));
    // Stored as the profile's secret, tagged for the application.
    Secret secret;
    QCOMPARE(m_keyring.read(passwordSecretName(profileId), &secret), password.toUtf8());
    QCOMPARE(secret.type(), Secret::TypeBlob);
    QCOMPARE(secret.filterData(QStringLiteral("application")), QStringLiteral("Vantorel"));

    QString loaded = QStringLiteral("stale");
    QVERIFY(store.loadPassword(profileId, &loaded, &error));
    QCOMPARE(loaded, password);
    QVERIFY(store.verifyPassword(profileId, password, &error));
    QVERIFY(!store.verifyPassword(profileId, password + QLatin1Char('x'), &error));
    QCOMPARE(error, MISMATCH);

    QVERIFY(store.deletePassword(profileId, &error));
    QVERIFY(m_keyring.read(passwordSecretName(profileId)).isNull());
    error.clear();
    QVERIFY(!store.loadPassword(profileId, &loaded, &error));
    QCOMPARE(loaded, QString());
    QVERIFY2(error.contains(passwordSecretName(profileId)), qPrintable(error));
    // Nothing left to delete is no failure.
    QVERIFY(store.deletePassword(profileId, &error));
}

void CredentialStoreTest::storingAgainReplaces()
{
    CredentialStore store;
    const QString id = QStringLiteral("work");
    QVERIFY(store.storePassword(id, QStringLiteral("first")));
    QString error;
    QVERIFY2(store.storePassword(id, QStringLiteral("second"), &error), qPrintable(error));
    QString loaded;
    QVERIFY(store.loadPassword(id, &loaded));
    QCOMPARE(loaded, QStringLiteral("second"));

    // One store request alone meets the old secret.
    int code = 0;
    QVERIFY(!store.storePasswordOnce(id, QStringLiteral("third"), &code, &error));
    QCOMPARE(code, int(Result::SecretAlreadyExistsError));
    QVERIFY(!error.isEmpty());
    QVERIFY(store.loadPassword(id, &loaded));
    QCOMPARE(loaded, QStringLiteral("second"));
}

void CredentialStoreTest::emptyPasswordDeletes()
{
    CredentialStore store;
    QVERIFY(store.storePassword(QStringLiteral("work"), QStringLiteral("first")));
    QVERIFY(store.storePassword(QStringLiteral("work"), QString()));
    QVERIFY(m_keyring.read(passwordSecretName(QStringLiteral("work"))).isNull());
    // Nothing stored and nothing to delete: still a success.
    QVERIFY(store.storePassword(QStringLiteral("work"), QString()));
}

// A password with a NUL character cannot come back whole (the stored data
// is read up to the first NUL), so its read-back fails. When it was meant to
// replace a saved password, the saved one must survive.
void CredentialStoreTest::failedReplacementPutsThePreviousPasswordBack()
{
    CredentialStore store;
    const QString id = QStringLiteral("work");
    QVERIFY(store.storePassword(id, QStringLiteral("previous")));

    const QString broken = QStringLiteral("ab") + QChar(0) + QStringLiteral("cd");
    QString error;
    QVERIFY(!store.storePassword(id, broken, &error));
    QCOMPARE(error, MISMATCH);
    QString loaded;
    QVERIFY(store.loadPassword(id, &loaded, &error));
    QCOMPARE(loaded, QStringLiteral("previous"));

    // With nothing to put back, the failure is reported all the same.
    QVERIFY(!store.storePassword(QStringLiteral("fresh"), broken, &error));
    QCOMPARE(error, MISMATCH);

    // Replacing an empty secret: nothing worth putting back, so the new
    // value is not taken away either.
    QVERIFY(m_keyring.plant(passwordSecretName(QStringLiteral("blank")), QString()));
    QVERIFY(!store.storePassword(QStringLiteral("blank"), broken, &error));
    QCOMPARE(error, MISMATCH);
    QCOMPARE(m_keyring.read(passwordSecretName(QStringLiteral("blank"))), broken.toUtf8());
}

void CredentialStoreTest::profilesKeepTheirOwnPasswords()
{
    CredentialStore store;
    QVERIFY(store.storePassword(QStringLiteral("one"), QStringLiteral("first")));
    QVERIFY(store.storePassword(QStringLiteral("two"), QStringLiteral("second")));
    QVERIFY(store.deletePassword(QStringLiteral("one")));
    QString loaded;
    QVERIFY(!store.loadPassword(QStringLiteral("one"), &loaded));
    QVERIFY(store.loadPassword(QStringLiteral("two"), &loaded));
    QCOMPARE(loaded, QStringLiteral("second"));
}

void CredentialStoreTest::migratesOlderNames_data()
{
    QTest::addColumn<QString>("profileId");
    QTest::addColumn<QString>("olderName");

    QTest::newRow("per-profile name") << "{1b4e28ba-2fa1-11d2-883f-0016d3cca427}"
                                      << "IBMiPassword1b4e28ba2fa111d2883f0016d3cca427";
    QTest::newRow("per-profile name of Default") << "Default" << "IBMiPasswordDefault";
    QTest::newRow("profile-less name, Default profile") << "Default" << "IBMiPassword";
}

void CredentialStoreTest::migratesOlderNames()
{
    QFETCH(QString, profileId);
    QFETCH(QString, olderName);

    QVERIFY(m_keyring.plant(olderName, QStringLiteral("kept for years")));
    CredentialStore store;
    QString loaded;
    QString error;
    QVERIFY2(store.loadPassword(profileId, &loaded, &error), qPrintable(error));
    QCOMPARE(loaded, QStringLiteral("kept for years"));

    // Now under the current name only.
    QCOMPARE(m_keyring.read(passwordSecretName(profileId)), QByteArray("kept for years"));
    QVERIFY(m_keyring.read(olderName).isNull());
    QVERIFY(store.loadPassword(profileId, &loaded));
    QCOMPARE(loaded, QStringLiteral("kept for years"));

    // Deleting the profile's password leaves nothing under any name.
    QVERIFY(store.deletePassword(profileId));
    QVERIFY(!store.loadPassword(profileId, &loaded));
}

void CredentialStoreTest::profileLessNameOnlyForDefault_data()
{
    QTest::addColumn<QString>("profileId");
    QTest::newRow("another profile") << "work-1";
    // Such an id reduces to "Default"; it must not reach Default's secrets.
    QTest::newRow("id with no letters or digits") << "-_-";
    QTest::newRow("empty id") << "";
}

void CredentialStoreTest::profileLessNameOnlyForDefault()
{
    QFETCH(QString, profileId);
    QVERIFY(m_keyring.plant(LEGACY_PASSWORD_NAME, QStringLiteral("ancient")));
    QVERIFY(m_keyring.plant(QStringLiteral("IBMiPasswordDefault"), QStringLiteral("Default's older")));
    CredentialStore store;
    QString loaded;
    QString error;
    QVERIFY(!store.loadPassword(profileId, &loaded, &error));
    QVERIFY(loaded.isEmpty());
    // The error is the one of the current name, the first one asked.
    QVERIFY2(error.contains(passwordSecretName(profileId)), qPrintable(error));
    QCOMPARE(m_keyring.read(LEGACY_PASSWORD_NAME), QByteArray("ancient"));
    QVERIFY(m_keyring.read(passwordSecretName(profileId)).isNull());
    // Deleting its password leaves Default's alone.
    QVERIFY(store.deletePassword(profileId));
    QCOMPARE(m_keyring.read(QStringLiteral("IBMiPasswordDefault")), QByteArray("Default's older"));
    QCOMPARE(m_keyring.read(LEGACY_PASSWORD_NAME), QByteArray("ancient"));
}

void CredentialStoreTest::currentNameWinsOverOlderOnes()
{
    CredentialStore store;
    QVERIFY(store.storePassword(QStringLiteral("Default"), QStringLiteral("current")));
    QVERIFY(m_keyring.plant(QStringLiteral("IBMiPasswordDefault"), QStringLiteral("older")));
    QString loaded;
    QVERIFY(store.loadPassword(QStringLiteral("Default"), &loaded));
    QCOMPARE(loaded, QStringLiteral("current"));
    // Deleting removes the per-profile older name as well.
    QVERIFY(store.deletePassword(QStringLiteral("Default")));
    QVERIFY(m_keyring.read(QStringLiteral("IBMiPasswordDefault")).isNull());
}

// A password deleted for "Default" must not come back from a secret of an
// older release the next time the profile loads; other profiles leave the
// profile-less secret alone.
void CredentialStoreTest::deletingDefaultRemovesEveryOlderName()
{
    QVERIFY(m_keyring.plant(LEGACY_PASSWORD_NAME, QStringLiteral("ancient")));
    QVERIFY(m_keyring.plant(QStringLiteral("IBMiPasswordwork1"), QStringLiteral("older")));
    CredentialStore store;
    QVERIFY(store.deletePassword(QStringLiteral("work-1")));
    QVERIFY(m_keyring.read(QStringLiteral("IBMiPasswordwork1")).isNull());
    QCOMPARE(m_keyring.read(LEGACY_PASSWORD_NAME), QByteArray("ancient"));

    QVERIFY(m_keyring.plant(QStringLiteral("IBMiPasswordDefault"), QStringLiteral("older")));
    QString loaded;
    QVERIFY(store.loadPassword(QStringLiteral("Default"), &loaded));
    QCOMPARE(loaded, QStringLiteral("older"));
    // The per-profile secret moved; the profile-less one is still there.
    QCOMPARE(m_keyring.read(LEGACY_PASSWORD_NAME), QByteArray("ancient"));

    QVERIFY(store.deletePassword(QStringLiteral("Default")));
    QVERIFY(m_keyring.read(LEGACY_PASSWORD_NAME).isNull());
    QVERIFY(!store.loadPassword(QStringLiteral("Default"), &loaded));
}

QTEST_GUILESS_MAIN(CredentialStoreTest)
#include "tst_credentialstore.moc"
