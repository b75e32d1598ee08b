// The saved login on a real secrets service (a private, unlocked keyring):
// recognising a sign-on screen and its two fields, saving, clearing and
// using the login, and what the client says when it cannot sign on. The
// password must never reach the settings file, the log or the screen views.
#include <QSettings>
#include <QSignalSpy>
#include <QtTest>

#include "app/tn5250client.h"
#include "codec/ebcdiccodec.h"
#include "common/clientprobe.h"
#include "credentials/savedlogin.h"
#include "common/connectionwatch.h"
#include "common/hexfixture.h"
#include "common/loopbackpair.h"
#include "credentials/credentialstore.h"
#include "credentials/keyring.h"
#include "common/settingssandbox.h"

using ConnectionTest::logLines;

namespace {

const char SIGN_ON_FIXTURE[] = "signon.hex";
const QString PASSWORD = QStringLiteral("Pw4Tests!");

QString storedPassword(const QString &profileId)
{
    CredentialStore store;
    QString password;
    store.loadPassword(profileId, &password);
    return password;
}

// Writes an attribute and a text at a 1-based address.
void writeText(TerminalScreen &screen, int row, int column, const QString &text)
{
    screen.setDisplayAddress(row, column);
    screen.writeByte(0x20);
    const QByteArray bytes = EbcdicCodec::encode(text);
    for (char byte : bytes)
        screen.writeByte(quint8(byte));
}

// Defines an input field (no bypass) whose attribute byte sits at the address.
void defineField(TerminalScreen &screen, int row, int column, unsigned char attribute, int length)
{
    screen.setDisplayAddress(row, column);
    screen.startField(true, 0x40, 0x00, QVector<unsigned short>(), attribute, length);
}

QStringList recordedSignals(const QList<QByteArray> &order)
{
    QStringList names;
    for (const QByteArray &name : order)
        names << QString::fromLatin1(name);
    return names;
}

} // namespace

class SavedLoginTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void signOnDetection_data();
    void signOnDetection();
    void signOnFixtureFields();
    void whereAutomaticSignOnMayGo_data();
    void whereAutomaticSignOnMayGo();
    void userNameSetter();
    void rememberOffForgetsAndSwitchesAutoLoginOff();
    void rememberStoresThePassword();
    void rememberWithoutNewPassword_data();
    void rememberWithoutNewPassword();
    void clearLoginCredentials();
    void passwordProbeCorrectsTheFlag();
    void deletingProfileDeletesItsPassword();
    void savedLoginFillsAndSends();
    void performSavedLoginRefusals_data();
    void performSavedLoginRefusals();
    void automaticSignOnNeedsEverything_data();
    void automaticSignOnNeedsEverything();
    void automaticSignOnAsksTheStoreOnce();
};

void SavedLoginTest::init()
{
    QVERIFY(Keyring().dropCollection());
}

void SavedLoginTest::signOnDetection_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("label");
    QTest::addColumn<bool>("passwordFirst");
    QTest::addColumn<bool>("detected");
    QTest::addColumn<int>("userField");
    QTest::addColumn<int>("passwordField");

    QTest::newRow("mixed-case sign on title") << "Sign On" << "User" << false << true << 0 << 1;
    QTest::newRow("hyphenated SIGN-ON") << "SIGN-ON" << "Name" << false << true << 0 << 1;
    QTest::newRow("user and password labels") << "Welcome" << "User / Password" << false << true << 0 << 1;
    QTest::newRow("user without password") << "Welcome" << "User" << false << false << -1 << -1;
    QTest::newRow("hidden field before every displayable one")
        << "Sign On" << "User" << true << false << -1 << -1;
}

void SavedLoginTest::signOnDetection()
{
    QFETCH(QString, title);
    QFETCH(QString, label);
    QFETCH(bool, passwordFirst);
    QFETCH(bool, detected);
    QFETCH(int, userField);
    QFETCH(int, passwordField);

    SettingsSandbox sandbox;
    Tn5250Client client;
    TerminalScreen &screen = ClientProbe(client).screen();
    writeText(screen, 1, 35, title);
    writeText(screen, 6, 10, label);
    if (passwordFirst) {
        defineField(screen, 6, 40, 0x27, 10);
        defineField(screen, 7, 40, 0x24, 10);
    } else {
        defineField(screen, 6, 40, 0x24, 10);
        defineField(screen, 7, 40, 0x27, 10);
    }

    int user = 99;
    int password = 99;
    QCOMPARE(SavedLogin::findSignOnFields(client.terminalScreen(), &user, &password), detected);
    QCOMPARE(user, userField);
    QCOMPARE(password, passwordField);
}

void SavedLoginTest::whereAutomaticSignOnMayGo_data()
{
    QTest::addColumn<QString>("savedHost");
    QTest::addColumn<int>("savedPort");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("port");
    QTest::addColumn<bool>("tls");
    QTest::addColumn<bool>("withoutTls");
    QTest::addColumn<bool>("stopped");
    QTest::addColumn<int>("verdict");

    const QString corp = QStringLiteral("corp-ibmi.example");
    QTest::newRow("same host over TLS") << corp << 992 << corp << 992 << true << false << false
                                        << int(SavedLogin::AutoSignOnAllowed);
    QTest::newRow("host in other case, blanks around") << corp << 992 << " CORP-IBMI.example " << 992 << true
                                                       << false << false << int(SavedLogin::AutoSignOnAllowed);
    QTest::newRow("another host") << corp << 992 << "corp-ibmi.example.evil" << 992 << true << false << false
                                  << int(SavedLogin::AutoSignOnOtherHost);
    QTest::newRow("same host, another port") << corp << 992 << corp << 23 << true << true << false
                                             << int(SavedLogin::AutoSignOnOtherHost);
    QTest::newRow("no recorded host") << "" << 0 << corp << 992 << true << true << false
                                      << int(SavedLogin::AutoSignOnNoRecordedHost);
    QTest::newRow("host recorded without its port") << corp << 0 << corp << 992 << true << true << false
                                                    << int(SavedLogin::AutoSignOnNoRecordedHost);
    QTest::newRow("plain text, not allowed") << corp << 23 << corp << 23 << false << false << false
                                             << int(SavedLogin::AutoSignOnWithoutTls);
    QTest::newRow("plain text, allowed") << corp << 23 << corp << 23 << false << true << false
                                         << int(SavedLogin::AutoSignOnAllowed);
    QTest::newRow("refused before, first reason") << "" << 0 << corp << 23 << false << false << true
                                                  << int(SavedLogin::AutoSignOnStopped);
}

void SavedLoginTest::whereAutomaticSignOnMayGo()
{
    QFETCH(QString, savedHost);
    QFETCH(int, savedPort);
    QFETCH(QString, host);
    QFETCH(int, port);
    QFETCH(bool, tls);
    QFETCH(bool, withoutTls);
    QFETCH(bool, stopped);
    QFETCH(int, verdict);
    SavedLogin::SignOnTarget target;
    target.host = host;
    target.port = port;
    target.tls = tls;
    QCOMPARE(int(SavedLogin::autoSignOn(savedHost, savedPort, target, withoutTls, stopped)), verdict);
}

// A host-like sign-on screen: the user name goes to the field before the
// first hidden one, whatever fields follow.
void SavedLoginTest::signOnFixtureFields()
{
    SettingsSandbox sandbox;
    Tn5250Client client;
    receive(client, 0x03, HexFixture::load(QLatin1String(SIGN_ON_FIXTURE)));
    QCOMPARE(client.inputFieldCount(), 5);
    int user = -1;
    int password = -1;
    QVERIFY(SavedLogin::findSignOnFields(client.terminalScreen(), &user, &password));
    QCOMPARE(user, 0);
    QCOMPARE(password, 1);

    QString error;
    QVERIFY(ClientProbe(client).screen().setFieldText(user, QStringLiteral("qsecofr"), &error));
    QVERIFY(client.screenText().contains(QLatin1String("QSECOFR")));
    QVERIFY(!ClientProbe(client).screen().setFieldText(7, QStringLiteral("x"), &error));
    QCOMPARE(error, QStringLiteral("Input field is not available"));
}

void SavedLoginTest::userNameSetter()
{
    SettingsSandbox sandbox;
    Tn5250Client client;
    QSignalSpy changed(&client, SIGNAL(settingsChanged()));

    client.setProperty("userName", QStringLiteral("  QUSER  "));
    QCOMPARE(client.userName(), QStringLiteral("QUSER"));
    QCOMPARE(changed.count(), 1);
    QSettings settings(sandbox.settingsPath(), QSettings::IniFormat);
    QCOMPARE(settings.value(QStringLiteral("profiles/Default/login/userName")).toString(),
             QStringLiteral("QUSER"));

    client.setProperty("userName", QStringLiteral("QUSER "));
    QCOMPARE(changed.count(), 1);
}

void SavedLoginTest::rememberOffForgetsAndSwitchesAutoLoginOff()
{
    SettingsSandbox sandbox;
    Tn5250Client client;
    QVERIFY(client.saveLoginCredentials(QStringLiteral("QPGMR"), QStringLiteral("secret"), true));
    QCOMPARE(storedPassword(QStringLiteral("Default")), QStringLiteral("secret"));
    client.setProperty("autoLogin", true);
    QList<QByteArray> order;
    connect(&client, &Tn5250Client::settingsChanged, [&order] { order << "settings"; });
    connect(&client, &Tn5250Client::credentialsChanged, [&order] { order << "credentials"; });

    QVERIFY(client.saveLoginCredentials(QStringLiteral(" qpgmr "), QStringLiteral("secret"), false));
    QCOMPARE(client.userName(), QStringLiteral("qpgmr"));
    QVERIFY(!client.autoLogin());
    QVERIFY(!client.passwordSaved());
    QCOMPARE(client.credentialStatus(), QStringLiteral("Password not saved for this profile"));
    QCOMPARE(recordedSignals(order), QStringList() << "settings" << "settings" << "credentials");

    QSettings settings(sandbox.settingsPath(), QSettings::IniFormat);
    settings.beginGroup(QStringLiteral("profiles/Default"));
    QCOMPARE(settings.value(QStringLiteral("login/userName")).toString(), QStringLiteral("qpgmr"));
    QCOMPARE(settings.value(QStringLiteral("login/passwordSaved")).toBool(), false);
    QCOMPARE(settings.value(QStringLiteral("automation/autoLogin")).toBool(), false);
    const QStringList keys = settings.allKeys();
    for (const QString &key : keys)
        QVERIFY2(!settings.value(key).toString().contains(QLatin1String("secret")), qPrintable(key));
    // The stored password is gone too.
    QCOMPARE(storedPassword(QStringLiteral("Default")), QString());
}

void SavedLoginTest::rememberStoresThePassword()
{
    SettingsSandbox sandbox;
    Tn5250Client client;
    QList<QByteArray> order;
    connect(&client, &Tn5250Client::settingsChanged, [&order] { order << "settings"; });
    connect(&client, &Tn5250Client::credentialsChanged, [&order] { order << "credentials"; });

    QVERIFY(client.saveLoginCredentials(QStringLiteral("QUSER"), PASSWORD, true));
    QVERIFY(client.passwordSaved());
    QCOMPARE(client.credentialStatus(), QStringLiteral("Password saved securely for this profile"));
    QCOMPARE(recordedSignals(order), QStringList() << "settings" << "credentials");
    QCOMPARE(storedPassword(QStringLiteral("Default")), PASSWORD);

    QSettings settings(sandbox.settingsPath(), QSettings::IniFormat);
    QCOMPARE(settings.value(QStringLiteral("profiles/Default/login/userName")).toString(), QStringLiteral("QUSER"));
    QCOMPARE(settings.value(QStringLiteral("profiles/Default/login/passwordSaved")).toBool(), true);
    QVERIFY(!sandbox.fileBytes().contains(PASSWORD.toUtf8()));

    // A new password replaces the saved one.
    QVERIFY(client.saveLoginCredentials(QStringLiteral("QUSER"), QStringLiteral("Other2"), true));
    QCOMPARE(storedPassword(QStringLiteral("Default")), QStringLiteral("Other2"));
    QVERIFY(!sandbox.fileBytes().contains("Other2"));
}

void SavedLoginTest::rememberWithoutNewPassword_data()
{
    QTest::addColumn<bool>("stored");
    QTest::addColumn<bool>("flagInFile");
    QTest::addColumn<bool>("result");
    QTest::addColumn<QString>("credentialStatus");

    QTest::newRow("password stored, flag set") << true << true << true
                                               << "Password saved securely for this profile";
    QTest::newRow("password stored, flag lost") << true << false << true
                                                << "Password saved securely for this profile";
    QTest::newRow("nothing stored") << false << false << false
                                    << "Secure credential save failed — Enter a password before enabling saved password";
}

// "Remember" with an empty password field keeps a password that is stored
// already, and refuses when there is none.
void SavedLoginTest::rememberWithoutNewPassword()
{
    QFETCH(bool, stored);
    QFETCH(bool, flagInFile);
    QFETCH(bool, result);
    QFETCH(QString, credentialStatus);

    SettingsSandbox sandbox;
    if (stored) {
        CredentialStore store;
        QVERIFY(store.storePassword(QStringLiteral("Default"), PASSWORD));
    }
    Tn5250Client client;
    // Starting with the flag as the file had it.
    ClientProbe(client).setPasswordSaved(flagInFile);
    QSignalSpy credentials(&client, SIGNAL(credentialsChanged()));

    QCOMPARE(client.saveLoginCredentials(QStringLiteral("QUSER"), QString(), true), result);
    QCOMPARE(client.passwordSaved(), stored);
    QCOMPARE(client.credentialStatus(), credentialStatus);
    QCOMPARE(client.userName(), QStringLiteral("QUSER"));
    QCOMPARE(credentials.count(), 1);
    QCOMPARE(storedPassword(QStringLiteral("Default")), stored ? PASSWORD : QString());
    QSettings settings(sandbox.settingsPath(), QSettings::IniFormat);
    QCOMPARE(settings.value(QStringLiteral("profiles/Default/login/passwordSaved")).toBool(), stored);
}

void SavedLoginTest::clearLoginCredentials()
{
    SettingsSandbox sandbox;
    Tn5250Client client;
    QVERIFY(client.saveLoginCredentials(QStringLiteral("QUSER"), PASSWORD, true));
    client.setProperty("autoLogin", true);
    QList<QByteArray> order;
    connect(&client, &Tn5250Client::settingsChanged, [&order] { order << "settings"; });
    connect(&client, &Tn5250Client::credentialsChanged, [&order] { order << "credentials"; });

    client.clearLoginCredentials();
    QCOMPARE(client.userName(), QString());
    QVERIFY(!client.autoLogin());
    QVERIFY(!client.passwordSaved());
    QCOMPARE(client.credentialStatus(), QStringLiteral("Saved login cleared"));
    QCOMPARE(recordedSignals(order), QStringList() << "settings" << "credentials");

    QSettings settings(sandbox.settingsPath(), QSettings::IniFormat);
    QVERIFY(!settings.contains(QStringLiteral("profiles/Default/login/userName")));
    QCOMPARE(settings.value(QStringLiteral("profiles/Default/automation/autoLogin")).toBool(), false);
    QCOMPARE(settings.value(QStringLiteral("profiles/Default/login/passwordSaved")).toBool(), false);
    QCOMPARE(storedPassword(QStringLiteral("Default")), QString());
}

// The flag in the file can lag behind the store; loading the profile asks
// the store and puts the flag right.
void SavedLoginTest::passwordProbeCorrectsTheFlag()
{
    SettingsSandbox sandbox;
    sandbox.write({
        { QStringLiteral("profiles/Default/login/userName"), QStringLiteral("QUSER") },
        { QStringLiteral("profiles/Default/login/passwordSaved"), false } });
    // Kept under the older per-profile name by an earlier release.
    QVERIFY(Keyring().plant(QStringLiteral("IBMiPasswordDefault"), PASSWORD));

    Tn5250Client client;
    QVERIFY(client.passwordSaved());
    QCOMPARE(client.credentialStatus(), QStringLiteral("Password saved securely for this profile"));
    QSettings settings(sandbox.settingsPath(), QSettings::IniFormat);
    QCOMPARE(settings.value(QStringLiteral("profiles/Default/login/passwordSaved")).toBool(), true);
    QVERIFY(!sandbox.fileBytes().contains(PASSWORD.toUtf8()));
    // The probe moved it to the current name.
    QCOMPARE(Keyring().read(passwordSecretName(QStringLiteral("Default"))), PASSWORD.toUtf8());
    QVERIFY(Keyring().read(QStringLiteral("IBMiPasswordDefault")).isNull());
}

void SavedLoginTest::deletingProfileDeletesItsPassword()
{
    SettingsSandbox sandbox;
    Tn5250Client client;
    QVERIFY(client.saveLoginCredentials(QStringLiteral("QUSER"), QStringLiteral("DefaultPw"), true));
    QVERIFY(client.createProfile(QStringLiteral("Work")));
    const QString workId = client.currentProfileId();
    QVERIFY(workId != QLatin1String("Default"));
    QVERIFY(!client.passwordSaved());
    QVERIFY(client.saveLoginCredentials(QStringLiteral("WORKER"), QStringLiteral("WorkPw"), true));
    QCOMPARE(storedPassword(workId), QStringLiteral("WorkPw"));

    QVERIFY(client.deleteCurrentProfile());
    QCOMPARE(storedPassword(workId), QString());
    QCOMPARE(storedPassword(QStringLiteral("Default")), QStringLiteral("DefaultPw"));
}

// The whole saved sign-on on a connected client: both fields filled, Enter
// sent, the log saying only that it happened.
void SavedLoginTest::savedLoginFillsAndSends()
{
    SettingsSandbox sandbox;
    LoopbackTerminal t;
    QVERIFY(t.attach());
    ClientProbe probe(t.client);
    probe.connected() = true;
    QVERIFY(t.client.saveLoginCredentials(QStringLiteral("qsecofr"), PASSWORD, true));
    receive(t.client, 0x03, HexFixture::load(QLatin1String(SIGN_ON_FIXTURE)));
    QVERIFY(!probe.autoLoginAttempted());
    QCOMPARE(t.sent(), QByteArray());

    QVERIFY(t.client.performSavedLogin());
    QVERIFY(probe.autoLoginAttempted());
    const QByteArray sent = t.sent();
    // An Enter read response carrying both fields (both monocase on this screen).
    QVERIFY(sent.contains(EbcdicCodec::encode(QStringLiteral("QSECOFR"))));
    QVERIFY(sent.contains(EbcdicCodec::encode(PASSWORD.toUpper())));
    QVERIFY(sent.endsWith(QByteArray::fromHex("FFEF")));
    QVERIFY(t.client.keyboardLocked());

    const QString log = t.client.diagnostics();
    QVERIFY(log.contains(QStringLiteral("Saved credentials filled into IBM i sign-on fields (contents redacted)")));
    QVERIFY(!log.contains(PASSWORD, Qt::CaseInsensitive));
    QVERIFY(!log.contains(QStringLiteral("qsecofr"), Qt::CaseInsensitive));
    QVERIFY(!t.client.terminalText().contains(PASSWORD, Qt::CaseInsensitive));
    QVERIFY(!t.client.screenText().contains(PASSWORD, Qt::CaseInsensitive));
    QVERIFY(!sandbox.fileBytes().contains(PASSWORD.toUtf8()));
}

void SavedLoginTest::performSavedLoginRefusals_data()
{
    QTest::addColumn<bool>("connected");
    QTest::addColumn<bool>("unlocked");
    QTest::addColumn<QString>("user");
    QTest::addColumn<bool>("signOnScreen");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("credentialStatus");

    const QString locked = QStringLiteral("Saved login is not available while the keyboard is locked");
    QTest::newRow("disconnected") << false << true << "QUSER" << true << locked << "";
    QTest::newRow("keyboard locked") << true << false << "QUSER" << true << locked << "";
    QTest::newRow("no user name") << true << true << "" << true
                                  << "Save an IBM i user name and password first" << "";
    QTest::newRow("not a sign-on screen") << true << true << "QUSER" << false
                                          << "This screen does not look like an IBM i sign-on screen" << "";
    QTest::newRow("store cannot give the password")
        << true << true << "QUSER" << true << "Could not retrieve saved password"
        << QStringLiteral("Secure credential retrieval failed — No secret named \"%1\" exists in collection "
                          "\"VantorelCredentials\"").arg(passwordSecretName(QStringLiteral("Default")));
}

void SavedLoginTest::performSavedLoginRefusals()
{
    QFETCH(bool, connected);
    QFETCH(bool, unlocked);
    QFETCH(QString, user);
    QFETCH(bool, signOnScreen);
    QFETCH(QString, status);
    QFETCH(QString, credentialStatus);

    SettingsSandbox sandbox;
    {
        // A profile whose flag says a password is stored.
        QSettings settings(sandbox.settingsPath(), QSettings::IniFormat);
        settings.setValue(QStringLiteral("profiles/Default/login/passwordSaved"), true);
        settings.setValue(QStringLiteral("profiles/Default/login/userName"), user);
        settings.setValue(QStringLiteral("profiles/Default/login/host"), QStringLiteral("pub400.com"));
        settings.setValue(QStringLiteral("profiles/Default/login/port"), 992);
    }
    LoopbackTerminal t;
    QVERIFY(t.attach());
    ClientProbe probe(t.client);
    probe.connected() = connected;
    QVERIFY(t.client.passwordSaved());

    if (signOnScreen)
        receive(t.client, 0x03, HexFixture::load(QLatin1String(SIGN_ON_FIXTURE)));
    else
        t.client.showDisplayTest();
    probe.screen().keyboardLocked = !unlocked;
    const QString before = t.client.screenText();
    QSignalSpy bell(&t.client, SIGNAL(terminalBell()));

    QVERIFY(!t.client.performSavedLogin());
    QCOMPARE(t.client.status(), status);
    QCOMPARE(t.client.credentialStatus(),
             credentialStatus.isEmpty() ? QStringLiteral("Password saved securely for this profile")
                                        : credentialStatus);
    QCOMPARE(t.client.screenText(), before);
    // Only an attempt that got as far as asking the store counts as this
    // connection's automatic sign-on.
    QCOMPARE(probe.autoLoginAttempted(), !credentialStatus.isEmpty());
    QCOMPARE(bell.count(), 0);
    QCOMPARE(t.sent(), QByteArray());
}

void SavedLoginTest::automaticSignOnNeedsEverything_data()
{
    QTest::addColumn<QString>("missing");
    QTest::newRow("everything there") << "";
    QTest::newRow("automatic sign-on off") << "autoLogin";
    QTest::newRow("already tried on this connection") << "attempt";
    QTest::newRow("not connected") << "connected";
    QTest::newRow("keyboard locked") << "keyboard";
    QTest::newRow("no user name") << "userName";
    QTest::newRow("password not saved") << "passwordSaved";
    QTest::newRow("not a sign-on screen") << "signOn";
}

// Every condition of the automatic sign-on is needed: with one missing it
// neither fills nor sends nor says anything. With all of them it signs on.
void SavedLoginTest::automaticSignOnNeedsEverything()
{
    QFETCH(QString, missing);

    SettingsSandbox sandbox;
    LoopbackTerminal t;
    QVERIFY(t.attach());
    ClientProbe probe(t.client);
    QVERIFY(t.client.saveLoginCredentials(QStringLiteral("QUSER"), PASSWORD, true));
    const char *fixture = missing == QLatin1String("signOn") ? "menu.hex" : SIGN_ON_FIXTURE;
    receive(t.client, 0x03, HexFixture::load(QLatin1String(fixture)));
    // Set up after the screen arrived, so that its own check found nothing to do.
    probe.connected() = missing != QLatin1String("connected");
    probe.autoLoginAttempted() = missing == QLatin1String("attempt");
    probe.screen().keyboardLocked = missing == QLatin1String("keyboard");
    t.client.setProperty("autoLogin", missing != QLatin1String("autoLogin"));
    t.client.setProperty("autoLoginWithoutTls", true);
    if (missing == QLatin1String("userName"))
        t.client.setProperty("userName", QString());
    if (missing == QLatin1String("passwordSaved"))
        probe.setPasswordSaved(false);
    QCOMPARE(t.sent(), QByteArray());
    QSignalSpy status(&t.client, SIGNAL(statusChanged()));
    QSignalSpy credentials(&t.client, SIGNAL(credentialsChanged()));

    ClientProbe(t.client).maybeAutoLogin();
    if (missing.isEmpty()) {
        QVERIFY(probe.autoLoginAttempted());
        QVERIFY(t.sent().contains(EbcdicCodec::encode(PASSWORD.toUpper())));
        return;
    }
    QCOMPARE(probe.autoLoginAttempted(), missing == QLatin1String("attempt"));
    QCOMPARE(status.count(), 0);
    QCOMPARE(credentials.count(), 0);
    QCOMPARE(t.sent(), QByteArray());
    QVERIFY(!logLines(t.client).join(QLatin1Char('\n')).contains(QStringLiteral("Saved credentials filled")));
}

// A store that cannot give the password is asked once per connection, not
// again on every record while the sign-on screen stays up.
void SavedLoginTest::automaticSignOnAsksTheStoreOnce()
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

    // Each host record ends with the automatic sign-on check.
    receive(t.client, 0x03, HexFixture::load(QLatin1String(SIGN_ON_FIXTURE)));
    QCOMPARE(t.client.status(), QStringLiteral("Could not retrieve saved password"));
    QCOMPARE(credentials.count(), 1);
    QVERIFY(ClientProbe(t.client).autoLoginAttempted());

    receive(t.client, 0x03, HexFixture::load(QLatin1String(SIGN_ON_FIXTURE)));
    QCOMPARE(credentials.count(), 1);
    QCOMPARE(t.sent(), QByteArray());
}

QTEST_MAIN(SavedLoginTest)
#include "tst_savedlogin.moc"
