// No secrets service to be had: the session bus address leads nowhere.
// Every password operation must fail at once with a message the user can
// read, the saved-login paths must say so in the credential status, and the
// settings file must not receive the password instead.
#include <QSettings>
#include <QSignalSpy>
#include <QtTest>

#include "app/tn5250client.h"
#include "common/clientprobe.h"
#include "common/hexfixture.h"
#include "common/loopbackpair.h"
#include "credentials/credentialstore.h"
#include "common/settingssandbox.h"

namespace {

const QString UNREACHABLE = QStringLiteral("The Secret Service is not reachable: ");
const QString PASSWORD = QStringLiteral("Pw4Tests!");

} // namespace

class NoSecretServiceTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void storeOperationsFail_data();
    void storeOperationsFail();
    void savingReportsTheService();
    void forgettingKeepsWhatCouldNotBeDeleted();
    void savedLoginReportsTheService();
};

void NoSecretServiceTest::initTestCase()
{
    // Before anything has opened the bus: the connection is made on first use.
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/vantorel-no-session-bus");
}

void NoSecretServiceTest::storeOperationsFail_data()
{
    QTest::addColumn<QString>("operation");
    const char *const operations[] = { "collectionExists", "createCollection", "storePassword", "storePasswordOnce",
                                       "loadPassword", "loadPasswordBySecretName", "verifyPassword",
                                       "deletePassword", "deletePasswordBySecretName" };
    for (const char *operation : operations)
        QTest::newRow(operation) << QString::fromLatin1(operation);
}

void NoSecretServiceTest::storeOperationsFail()
{
    QFETCH(QString, operation);

    CredentialStore store;
    const QString id = QStringLiteral("Default");
    QString error;
    QString password = QStringLiteral("stale");
    bool exists = true;
    int code = 0;
    bool ok = true;
    if (operation == QLatin1String("collectionExists"))
        ok = store.collectionExists(&exists, &error);
    else if (operation == QLatin1String("createCollection"))
        ok = store.createCollection(&error);
    else if (operation == QLatin1String("storePassword"))
        ok = store.storePassword(id, PASSWORD, &error);
    else if (operation == QLatin1String("storePasswordOnce"))
        ok = store.storePasswordOnce(id, PASSWORD, &code, &error);
    else if (operation == QLatin1String("loadPassword"))
        ok = store.loadPassword(id, &password, &error);
    else if (operation == QLatin1String("loadPasswordBySecretName"))
        ok = store.loadPasswordBySecretName(passwordSecretName(id), &password, &error);
    else if (operation == QLatin1String("verifyPassword"))
        ok = store.verifyPassword(id, PASSWORD, &error);
    else if (operation == QLatin1String("deletePassword"))
        ok = store.deletePassword(id, &error);
    else if (operation == QLatin1String("deletePasswordBySecretName"))
        ok = store.deletePasswordBySecretName(passwordSecretName(id), &error);
    else
        QFAIL("unknown operation");

    QVERIFY(!ok);
    QVERIFY2(error.startsWith(UNREACHABLE), qPrintable(error));
    QVERIFY(error.size() > UNREACHABLE.size());
    if (operation == QLatin1String("collectionExists"))
        QVERIFY(!exists);
    if (operation == QLatin1String("storePasswordOnce")) {
        // The platform's number, which is not the one that would make the
        // store try to replace an existing secret.
        QVERIFY(code != 0);
        QVERIFY(code != 70);
    }
    if (operation.startsWith(QLatin1String("load")))
        QCOMPARE(password, QString());
}

void NoSecretServiceTest::savingReportsTheService()
{
    SettingsSandbox sandbox;
    Tn5250Client client;
    QVERIFY(!client.passwordSaved());
    QSignalSpy credentials(&client, SIGNAL(credentialsChanged()));

    QVERIFY(!client.saveLoginCredentials(QStringLiteral("QUSER"), PASSWORD, true));
    QVERIFY(!client.passwordSaved());
    QVERIFY2(client.credentialStatus().startsWith(QStringLiteral("Secure credential save failed — ") + UNREACHABLE),
             qPrintable(client.credentialStatus()));
    QCOMPARE(credentials.count(), 1);
    QCOMPARE(client.userName(), QStringLiteral("QUSER"));

    QSettings settings(sandbox.settingsPath(), QSettings::IniFormat);
    QCOMPARE(settings.value(QStringLiteral("profiles/Default/login/passwordSaved")).toBool(), false);
    QCOMPARE(settings.value(QStringLiteral("profiles/Default/login/userName")).toString(), QStringLiteral("QUSER"));
    QVERIFY(!sandbox.fileBytes().contains(PASSWORD.toUtf8()));

    // Remember without a password: nothing stored to fall back on.
    QVERIFY(!client.saveLoginCredentials(QStringLiteral("QUSER"), QString(), true));
    QCOMPARE(client.credentialStatus(),
             QStringLiteral("Secure credential save failed — Enter a password before enabling saved password"));
}

// The password cannot be deleted while the service is away (a locked
// keyring is the same): the client says so and keeps the flag, since the
// password is still there and would come back at the next start. The user
// name and the automatic sign-on go all the same.
void NoSecretServiceTest::forgettingKeepsWhatCouldNotBeDeleted()
{
    SettingsSandbox sandbox;
    sandbox.write({
        { QStringLiteral("profiles/Default/login/userName"), QStringLiteral("QUSER") },
        { QStringLiteral("profiles/Default/login/passwordSaved"), true },
        { QStringLiteral("profiles/Default/login/host"), QStringLiteral("pub400.com") },
        { QStringLiteral("profiles/Default/login/port"), 992 },
        { QStringLiteral("profiles/Default/automation/autoLogin"), true } });
    const QString notDeleted = QStringLiteral("The saved password could not be deleted — ") + UNREACHABLE;
    Tn5250Client client;
    QVERIFY(client.passwordSaved());
    QVERIFY(!client.saveLoginCredentials(QStringLiteral("QUSER"), QString(), false));
    QVERIFY(client.passwordSaved());
    QVERIFY(!client.autoLogin());
    QVERIFY2(client.credentialStatus().startsWith(notDeleted), qPrintable(client.credentialStatus()));

    client.clearLoginCredentials();
    QVERIFY2(client.credentialStatus().startsWith(notDeleted), qPrintable(client.credentialStatus()));
    QVERIFY(client.passwordSaved());
    QCOMPARE(client.savedLoginHost(), QStringLiteral("pub400.com"));
    QSettings settings(sandbox.settingsPath(), QSettings::IniFormat);
    QVERIFY(!settings.contains(QStringLiteral("profiles/Default/login/userName")));
    QCOMPARE(settings.value(QStringLiteral("profiles/Default/login/passwordSaved")).toBool(), true);
    QCOMPARE(settings.value(QStringLiteral("profiles/Default/login/host")).toString(), QStringLiteral("pub400.com"));
    QCOMPARE(settings.value(QStringLiteral("profiles/Default/automation/autoLogin")).toBool(), false);
}

// The flag says a password is saved (from another device's backup, say), but
// the service cannot be reached: one attempt per connection, with the reason.
void NoSecretServiceTest::savedLoginReportsTheService()
{
    SettingsSandbox sandbox;
    sandbox.write({
        { QStringLiteral("profiles/Default/login/userName"), QStringLiteral("QUSER") },
        { QStringLiteral("profiles/Default/login/passwordSaved"), true },
        { QStringLiteral("profiles/Default/login/host"), QStringLiteral("pub400.com") },
        { QStringLiteral("profiles/Default/login/port"), 992 },
        { QStringLiteral("profiles/Default/automation/autoLogin"), true },
        { QStringLiteral("profiles/Default/automation/autoLoginWithoutTls"), true } });
    LoopbackTerminal t;
    QVERIFY(t.attach());
    ClientProbe(t.client).connected() = true;
    QSignalSpy credentials(&t.client, SIGNAL(credentialsChanged()));

    receive(t.client, 0x03, HexFixture::load(QStringLiteral("signon.hex")));
    QCOMPARE(t.client.status(), QStringLiteral("Could not retrieve saved password"));
    QVERIFY2(t.client.credentialStatus().startsWith(QStringLiteral("Secure credential retrieval failed — ") + UNREACHABLE),
             qPrintable(t.client.credentialStatus()));
    QCOMPARE(credentials.count(), 1);
    QCOMPARE(t.sent(), QByteArray());

    // Asking by hand reports it again; the screen is untouched.
    const QString before = t.client.screenText();
    QVERIFY(!t.client.performSavedLogin());
    QCOMPARE(credentials.count(), 2);
    QCOMPARE(t.client.screenText(), before);
    QCOMPARE(t.sent(), QByteArray());
}

QTEST_MAIN(NoSecretServiceTest)
#include "tst_nosecretservice.moc"
