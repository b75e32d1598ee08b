// Automatic sign-on end to end: the client with a login saved in a real
// secrets service (a private keyring) against the demo host over TCP, the
// host checking the account's password. One attempt per connection, a new
// one after a reconnect, and the password nowhere but on the wire.
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
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

    // After a reconnect there is one new attempt.
    client.disconnectFromHost();
    QTRY_COMPARE(client.connectionState(), QStringLiteral("Disconnected"));
    client.connectToHost();
    QTRY_COMPARE(host.sessionCount(), 2);
    QTRY_COMPARE(host.failedSignOns(), 1);
    QTRY_COMPARE(responses.count(), 2);
    QTRY_VERIFY(!client.keyboardLocked());
    QCOMPARE(linesWith(logLines(client), FILLED_LINE), 2);
    verifyPasswordNowhere(client, host, WRONG_PASSWORD);

    // Saving the right password and asking signs on.
    QVERIFY(client.saveLoginCredentials(USER, PASSWORD, true));
    QVERIFY(client.performSavedLogin());
    QTRY_COMPARE(host.currentScreen(), QStringLiteral("mainmenu"));
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

QTEST_MAIN(TestAutoLogin)
#include "tst_autologin.moc"
