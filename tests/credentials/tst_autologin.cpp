// Automatic sign-on end to end: the client with a login saved in a real
// secrets service (a private keyring) against the demo host over TCP, the
// host checking the account's password. One attempt per connection, a new
// one after a reconnect, and the password nowhere but on the wire.
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "app/tn5250client.h"
#include "common/clientprobe.h"
#include "common/connectionwatch.h"
#include "credentials/keyring.h"
#include "demohost.h"

using namespace ConnectionTest;

namespace {

const QString USER = QStringLiteral("DEMO");
const QString PASSWORD = QStringLiteral("Dm5250pw");
const QString WRONG_PASSWORD = QStringLiteral("Wr0ngPw");
const QString STOPPED = QStringLiteral(
    "Automatic sign-on is off since the host refused the saved login: sign on by hand or save the login again");
const QString FILLED_LINE = QStringLiteral("Saved credentials filled into IBM i sign-on fields (contents redacted)");

QString settingsFilePath(const QTemporaryDir &config)
{
    return config.path() + QStringLiteral("/orvik/harbour-vantorel/harbour-vantorel.conf");
}

int linesWith(const QStringList &lines, const QString &text)
{
    int count = 0;
    for (const QString &line : lines)
        count += line.contains(text) ? 1 : 0;
    return count;
}

} // namespace

class TestAutoLogin : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void signsOnOncePerConnection();
    void wrongPasswordIsNotRetried();
    void signsOnAgainAfterAutomaticReconnect();
    void signOnByRequest();
    void onlyWhereTheLoginWasSaved_data();
    void onlyWhereTheLoginWasSaved();

private:
    // A client that keeps `password` for the demo account, with automatic
    // sign-on as asked, pointed at the host.
    void prepareClient(Tn5250Client &client, const DemoHost &host, const QString &password, bool autoLogin);
    // The password must not have reached anything but the wire.
    void verifyPasswordNowhere(Tn5250Client &client, const DemoHost &host, const QString &password);

    QScopedPointer<QTemporaryDir> m_config;
};

void TestAutoLogin::init()
{
    m_config.reset(useFreshSettings());
    QVERIFY(m_config->isValid());
    QVERIFY(Keyring().dropCollection());
}

void TestAutoLogin::cleanup()
{
    m_config.reset();
}

void TestAutoLogin::prepareClient(Tn5250Client &client, const DemoHost &host, const QString &password, bool autoLogin)
{
    configure(client, host.serverPort(), false, false);
    QVERIFY(client.saveLoginCredentials(USER.toLower(), password, true));
    QVERIFY(client.passwordSaved());
    QVERIFY(client.setProperty("autoLogin", autoLogin));
    // The demo host speaks plain text; signing on there is allowed knowingly.
    QVERIFY(client.setProperty("autoLoginWithoutTls", true));
}

void TestAutoLogin::verifyPasswordNowhere(Tn5250Client &client, const DemoHost &host, const QString &password)
{
    QFile settings(settingsFilePath(*m_config));
    QVERIFY(settings.open(QIODevice::ReadOnly));
    QVERIFY(!settings.readAll().contains(password.toUtf8()));
    QVERIFY(!client.diagnostics().contains(password));
    QVERIFY(!client.terminalText().contains(password));
    QVERIFY(!client.screenText().contains(password));
    QGuiApplication::clipboard()->clear();
    client.copyScreen();
    const QString copied = QGuiApplication::clipboard()->text();
    QVERIFY(copied.contains(QStringLiteral("DEMO400")) || copied.contains(QStringLiteral("Main Menu")));
    QVERIFY(!copied.contains(password));
    for (const QString &line : host.logLines())
        QVERIFY2(!line.contains(password), qPrintable(line));
}

void TestAutoLogin::signsOnOncePerConnection()
{
    DemoHost host;
    QVERIFY(host.setAccount(USER, PASSWORD));
    QVERIFY(host.listen());
    Tn5250Client client;
    prepareClient(client, host, PASSWORD, true);

    client.connectToHost();
    QTRY_COMPARE(host.currentScreen(), QStringLiteral("mainmenu"));
    QTRY_VERIFY(client.terminalText().contains(QStringLiteral("IBM i Main Menu")));
    QCOMPARE(host.failedSignOns(), 0);
    QCOMPARE(linesWith(host.logLines(), QStringLiteral("Signed on as DEMO")), 1);
    QCOMPARE(linesWith(logLines(client), FILLED_LINE), 1);
    QVERIFY(!logLines(client).join(QLatin1Char('\n')).contains(USER, Qt::CaseInsensitive));

    // Signing off brings the sign-on screen back on the same connection; it
    // is not filled a second time. The fill would have happened while the
    // screen was processed, locking the keyboard at once.
    QTRY_VERIFY(!client.keyboardLocked());
    QVERIFY(client.inputText(QStringLiteral("90")));
    client.sendEnter();
    QTRY_COMPARE(host.currentScreen(), QStringLiteral("signon"));
    QTRY_VERIFY(client.terminalText().contains(QStringLiteral("Sign On")));
    QTRY_VERIFY(!client.keyboardLocked());
    QCOMPARE(linesWith(logLines(client), FILLED_LINE), 1);
    QCOMPARE(host.responses().size(), 2);

    // A new connection signs on by itself again.
    client.disconnectFromHost();
    QTRY_COMPARE(client.connectionState(), QStringLiteral("Disconnected"));
    client.connectToHost();
    QTRY_COMPARE(host.sessionCount(), 2);
    QTRY_COMPARE(host.currentScreen(), QStringLiteral("mainmenu"));
    QCOMPARE(linesWith(host.logLines(), QStringLiteral("Signed on as DEMO")), 2);
    QCOMPARE(linesWith(logLines(client), FILLED_LINE), 2);
    verifyPasswordNowhere(client, host, PASSWORD);
}

void TestAutoLogin::wrongPasswordIsNotRetried()
{
    DemoHost host;
    QVERIFY(host.setAccount(USER, PASSWORD));
    QVERIFY(host.listen());
    Tn5250Client client;
    prepareClient(client, host, WRONG_PASSWORD, true);
    QSignalSpy responses(&host, SIGNAL(responseReceived()));

    client.connectToHost();
    QTRY_COMPARE(host.failedSignOns(), 1);
    QTRY_VERIFY(client.terminalText().contains(QStringLiteral("Password not correct")));
    QTRY_VERIFY(!client.keyboardLocked());
    // The refused sign-on screen came back and was left alone.
    QCOMPARE(host.currentScreen(), QStringLiteral("signon"));
    QCOMPARE(responses.count(), 1);
    QCOMPARE(linesWith(logLines(client), FILLED_LINE), 1);
    QCOMPARE(client.connectionState(), QStringLiteral("Ready"));
    // The refusal stops automatic sign-on for the profile: each attempt
    // counts towards the host disabling the user profile.
    QCOMPARE(client.credentialStatus(), STOPPED);
    QCOMPARE(linesWith(logLines(client), QStringLiteral("The host refused the saved sign-on")), 1);

    // Not after a reconnect either, nor in a new client on the same file.
    client.disconnectFromHost();
    QTRY_COMPARE(client.connectionState(), QStringLiteral("Disconnected"));
    client.connectToHost();
    QTRY_COMPARE(host.sessionCount(), 2);
    QTRY_VERIFY(client.terminalText().contains(QStringLiteral("Sign On")));
    QTRY_VERIFY(!client.keyboardLocked());
    QCOMPARE(responses.count(), 1);
    QCOMPARE(host.failedSignOns(), 0);
    QCOMPARE(linesWith(logLines(client), FILLED_LINE), 1);
    QCOMPARE(client.credentialStatus(), STOPPED);
    {
        Tn5250Client restarted;
        QCOMPARE(restarted.credentialStatus(), STOPPED);
    }
    verifyPasswordNowhere(client, host, WRONG_PASSWORD);

    // Saving the right password lifts the stop: the next connection signs on.
    QVERIFY(client.saveLoginCredentials(USER, PASSWORD, true));
    QCOMPARE(client.credentialStatus(), QStringLiteral("Password saved securely for this profile"));
    client.disconnectFromHost();
    QTRY_COMPARE(client.connectionState(), QStringLiteral("Disconnected"));
    client.connectToHost();
    QTRY_COMPARE(host.currentScreen(), QStringLiteral("mainmenu"));
    QCOMPARE(responses.count(), 2);
    verifyPasswordNowhere(client, host, PASSWORD);
}

// The host drops the connection; the client reconnects by itself (its
// timer fired here instead of waited for) and signs on again.
void TestAutoLogin::signsOnAgainAfterAutomaticReconnect()
{
    DemoHost host;
    QVERIFY(host.setAccount(USER, PASSWORD));
    QVERIFY(host.listen());
    Tn5250Client client;
    prepareClient(client, host, PASSWORD, true);
    QVERIFY(client.setProperty("autoReconnect", true));
    ClientProbe probe(client);

    client.connectToHost();
    QTRY_COMPARE(host.currentScreen(), QStringLiteral("mainmenu"));
    QVERIFY(probe.autoLoginAttempted());

    host.closeSessions();
    QTRY_VERIFY(probe.reconnectTimer()->isActive());
    QVERIFY(!probe.autoLoginAttempted());
    probe.reconnectTimer()->stop();
    QVERIFY(QMetaObject::invokeMethod(&client, "reconnectTimeout"));
    QTRY_COMPARE(host.sessionCount(), 2);
    QTRY_COMPARE(host.currentScreen(), QStringLiteral("mainmenu"));
    QCOMPARE(linesWith(host.logLines(), QStringLiteral("Signed on as DEMO")), 2);
    QCOMPARE(host.failedSignOns(), 0);
    verifyPasswordNowhere(client, host, PASSWORD);
}

// With automatic sign-on off nothing is filled until the user asks.
void TestAutoLogin::signOnByRequest()
{
    DemoHost host;
    QVERIFY(host.setAccount(USER, PASSWORD));
    QVERIFY(host.listen());
    Tn5250Client client;
    prepareClient(client, host, PASSWORD, false);

    client.connectToHost();
    QTRY_VERIFY(client.terminalText().contains(QStringLiteral("Sign On")));
    QTRY_VERIFY(!client.keyboardLocked());
    QCOMPARE(linesWith(logLines(client), FILLED_LINE), 0);
    QCOMPARE(host.responses().size(), 0);

    QVERIFY(client.performSavedLogin());
    QTRY_COMPARE(host.currentScreen(), QStringLiteral("mainmenu"));
    QCOMPARE(linesWith(host.logLines(), QStringLiteral("Signed on as DEMO")), 1);

    // On the menu the same request is refused: not a sign-on screen.
    QTRY_VERIFY(!client.keyboardLocked());
    QVERIFY(!client.performSavedLogin());
    QCOMPARE(client.status(), QStringLiteral("This screen does not look like an IBM i sign-on screen"));
    verifyPasswordNowhere(client, host, PASSWORD);
}

void TestAutoLogin::onlyWhereTheLoginWasSaved_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("status");
    QTest::addColumn<bool>("asks");
    QTest::newRow("profile moved to another host")
        << "other host" << "Automatic sign-on skipped: the saved login is for 127.0.0.1:%1, not 127.0.0.1:%2" << true;
    QTest::newRow("saved before hosts were recorded")
        << "no recorded host" << "Automatic sign-on waits until you confirm the host: sign on by hand once" << true;
    QTest::newRow("plain text not allowed")
        << "no tls" << "Automatic sign-on skipped: the connection has no TLS, and signing on without TLS is not allowed"
        << false;
}

// The login saved for the first host; the profile then changed (the host
// field, an older release's file, the switch for plain text) and the
// client started again. The second host knows the same user and password,
// as a company's other system may: nothing reaches it by itself, and "Sign
// on" by hand asks first where the host is not the saved one.
void TestAutoLogin::onlyWhereTheLoginWasSaved()
{
    QFETCH(QString, change);
    QFETCH(QString, status);
    QFETCH(bool, asks);
    DemoHost saved;
    QVERIFY(saved.setAccount(USER, PASSWORD));
    QVERIFY(saved.listen());
    DemoHost other;
    QVERIFY(other.setAccount(QStringLiteral("OTHER"), QStringLiteral("Ot5250pw")));
    QVERIFY(other.addAccount(USER, PASSWORD));
    QVERIFY(other.listen());
    {
        Tn5250Client first;
        prepareClient(first, saved, PASSWORD, true);
        QCOMPARE(first.savedLoginHost(), QStringLiteral("127.0.0.1"));
        QCOMPARE(first.savedLoginPort(), int(saved.serverPort()));
        QVERIFY(first.savedLoginHostMatches());
        QCOMPARE(first.signOnQuestion(), QString());
        if (change == QLatin1String("other host"))
            first.setPort(other.serverPort());
        if (change == QLatin1String("no tls"))
            QVERIFY(first.setProperty("autoLoginWithoutTls", false));
        first.saveSettings();
    }
    if (change == QLatin1String("no recorded host")) {
        QSettings file(settingsFilePath(*m_config), QSettings::IniFormat);
        file.remove(QStringLiteral("profiles/Default/login/host"));
        file.remove(QStringLiteral("profiles/Default/login/port"));
    }
    DemoHost &target = change == QLatin1String("other host") ? other : saved;
    Tn5250Client client;
    QCOMPARE(client.port(), int(target.serverPort()));
    client.connectToHost();
    QTRY_VERIFY(client.terminalText().contains(QStringLiteral("Sign On")));
    QTRY_VERIFY(!client.keyboardLocked());
    QCOMPARE(client.credentialStatus(), status.arg(saved.serverPort()).arg(other.serverPort()));
    QCOMPARE(target.responses().size(), 0);
    QCOMPARE(linesWith(logLines(client), FILLED_LINE), 0);
    QCOMPARE(linesWith(logLines(client), QStringLiteral("Automatic sign-on not performed")), 1);

    QCOMPARE(client.signOnQuestion().isEmpty(), !asks);
    QCOMPARE(client.savedLoginHostMatches(), !asks);
    if (asks) {
        QVERIFY(!client.performSavedLogin());
        QCOMPARE(target.responses().size(), 0);
        QVERIFY(client.performConfirmedSavedLogin());
    } else {
        QVERIFY(client.performSavedLogin());
    }
    QTRY_COMPARE(target.currentScreen(), QStringLiteral("mainmenu"));
    verifyPasswordNowhere(client, target, PASSWORD);

    // A confirmed older login is bound to the host from now on; one saved for
    // another host stays bound to that one.
    client.disconnectFromHost();
    QTRY_COMPARE(client.connectionState(), QStringLiteral("Disconnected"));
    client.connectToHost();
    QTRY_COMPARE(target.sessionCount(), 2);
    const bool bound = change == QLatin1String("no recorded host");
    QTRY_VERIFY(client.terminalText().contains(QLatin1String(bound ? "Main Menu" : "Sign On")));
    QTRY_VERIFY(!client.keyboardLocked());
    QCOMPARE(client.savedLoginHostMatches(), change != QLatin1String("other host"));
    QCOMPARE(target.currentScreen(), QLatin1String(bound ? "mainmenu" : "signon"));
    QCOMPARE(linesWith(logLines(client), FILLED_LINE), bound ? 2 : 1);
}

QTEST_MAIN(TestAutoLogin)
#include "tst_autologin.moc"
