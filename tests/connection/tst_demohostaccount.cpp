// The demo host's account check, with the client signing on to it on
// 127.0.0.1: right and wrong passwords, unknown users, the failed-attempt
// count and a log that never holds a password; and the vantorel-demohost
// program run with its account options.

#include <QFileInfo>
#include <QHostAddress>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

#include "app/tn5250client.h"
#include "common/clientprobe.h"
#include "common/connectionwatch.h"
#include "common/shownscreen.h"
#include "demoaccount.h"
#include "demohost.h"
#include "demoscreens.h"
#include "demosession.h"
#include "hostcodec.h"
#include "screendescription.h"
#include "screenregistry.h"

namespace {

const char ACCOUNT_USER[] = "DEMO";
const char ACCOUNT_PASSWORD[] = "demo5250";

// What the client holds in the input field starting at (row, column), even
// a nondisplay one: its bytes with trailing nulls and blanks removed. A
// field the client does not have reads "(no field)".
QByteArray fieldContents(Tn5250Client &client, int row, int column)
{
    ClientProbe probe(client);
    const TerminalScreen &screen = probe.screen();
    const int start = screen.indexFromAddress(row, column);
    for (const TerminalScreen::Field &field : screen.fields) {
        if (field.start != start)
            continue;
        QByteArray bytes = screen.fieldBytes(field);
        while (!bytes.isEmpty() && (bytes.endsWith('\x00') || bytes.endsWith('\x40')))
            bytes.chop(1);
        return bytes;
    }
    return QByteArray("(no field)");
}

// The vantorel-demohost program next to this test in the build tree.
QString demoHostProgram()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../tools/demohost/vantorel-demohost");
}

} // namespace

class TestDemoHostAccount : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void signOnChecksAccount_data();
    void signOnChecksAccount();
    void failedAttemptsOnOneConnection();
    void accountChangesReachOpenSessions();
    void signOnDecisions_data();
    void signOnDecisions();
    void accountOption_data();
    void accountOption();
    void programAccount_data();
    void programAccount();
    void programRefusesBadAccount_data();
    void programRefusesBadAccount();

private:
    // Each leaves a test failure behind when it cannot finish; callers
    // return at once when QTest::currentTestFailed() says so.
    void connectToSignOn(Tn5250Client &client, quint16 port);
    void typeSignOn(Tn5250Client &client, const QString &user, const QString &password);

    QScopedPointer<QTemporaryDir> m_config;
};

void TestDemoHostAccount::init()
{
    m_config.reset(ConnectionTest::useFreshSettings());
    QVERIFY(m_config->isValid());
}

void TestDemoHostAccount::connectToSignOn(Tn5250Client &client, quint16 port)
{
    ConnectionTest::configure(client, port, false, false);
    client.connectToHost();
    QTRY_VERIFY(client.terminalText().contains(QStringLiteral("Sign On")));
    QTRY_VERIFY(!client.keyboardLocked());
}

// Signs on as an operator types it: the user name over whatever the field
// shows (a null `user` leaves the field untouched, so that the terminal does
// not send it), the password, Enter; returns once the host's answer has
// unlocked the keyboard again.
void TestDemoHostAccount::typeSignOn(Tn5250Client &client, const QString &user, const QString &password)
{
    QTRY_VERIFY(!client.keyboardLocked());
    if (!user.isNull()) {
        client.setCursorCell(6, 53);
        client.eraseToEndOfField();
        if (!user.isEmpty())
            QVERIFY(client.inputText(user));
    }
    client.setCursorCell(7, 53);
    QVERIFY(client.inputText(password));
    client.sendEnter();
    QVERIFY2(client.keyboardLocked(), qPrintable(client.status()));
    QTRY_VERIFY(!client.keyboardLocked());
}

void TestDemoHostAccount::signOnChecksAccount_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("userShown");
    QTest::addColumn<int>("failed");
    QTest::addColumn<QString>("logLine");

    const QString signOn = QStringLiteral("signon");
    const QString menu = QStringLiteral("mainmenu");
    const QString wrong = QLatin1String(DemoScreens::PASSWORD_NOT_CORRECT);
    const QString refusedDemo = QStringLiteral("Sign-on refused for DEMO: wrong password");
    QTest::newRow("right password") << "DEMO" << "demo5250" << menu << "" << "" << 0 << "Signed on as DEMO";
    QTest::newRow("user name typed in lower case") << "demo" << "demo5250" << menu << "" << "" << 0
                                                   << "Signed on as DEMO";
    QTest::newRow("user name after a blank") << " demo" << "demo5250" << menu << "" << "" << 0
                                             << "Signed on as DEMO";
    QTest::newRow("wrong password") << "DEMO" << "Xyzzy9" << signOn << wrong << "DEMO" << 1 << refusedDemo;
    QTest::newRow("password in upper case") << "demo" << "DEMO5250" << signOn << wrong << "DEMO" << 1 << refusedDemo;
    QTest::newRow("password one character short") << "DEMO" << "demo525" << signOn << wrong << "DEMO" << 1
                                                  << refusedDemo;
    QTest::newRow("unknown user with the account's password")
        << "bob" << "demo5250" << signOn << "User BOB does not exist." << "BOB" << 1
        << "Sign-on refused for BOB: user profile does not exist";
    QTest::newRow("empty user") << "" << "demo5250" << signOn << "Enter a user profile name." << "" << 0
                                << "Sign-on refused: no user profile name";
}

void TestDemoHostAccount::signOnChecksAccount()
{
    QFETCH(QString, user);
    QFETCH(QString, password);
    QFETCH(QString, screen);
    QFETCH(QString, message);
    QFETCH(QString, userShown);
    QFETCH(int, failed);
    QFETCH(QString, logLine);

    DemoHost host;
    QVERIFY(host.setAccount(QLatin1String(ACCOUNT_USER), QLatin1String(ACCOUNT_PASSWORD)));
    QVERIFY(host.listen());
    Tn5250Client client;
    connectToSignOn(client, host.serverPort());
    if (QTest::currentTestFailed())
        return;
    typeSignOn(client, user, password);
    if (QTest::currentTestFailed())
        return;

    QCOMPARE(host.currentScreen(), screen);
    const QString text = client.terminalText();
    if (screen == QLatin1String("mainmenu")) {
        QVERIFY2(text.contains(QStringLiteral("IBM i Main Menu")), qPrintable(text));
    } else {
        QVERIFY2(text.contains(QStringLiteral("Sign On")), qPrintable(text));
        QCOMPARE(ShownScreen::cells(client, 24, 2, 78), message);
        // The password field comes back blank, the user name as it was.
        QCOMPARE(fieldContents(client, 7, 53), QByteArray());
        QCOMPARE(ShownScreen::cells(client, 6, 53, 10), userShown);
    }
    QCOMPARE(host.failedSignOns(), failed);
    QCOMPARE(host.latestSession()->failedSignOns(), failed);

    // Exactly one line about the attempt, and no line anywhere with the
    // password in it, in either log.
    QStringList signOnLines;
    for (const QString &line : host.logLines()) {
        QVERIFY2(!line.contains(password, Qt::CaseInsensitive), qPrintable(line));
        if (line.contains(QStringLiteral("Sign-on")) || line.contains(QStringLiteral("Signed on")))
            signOnLines << line;
    }
    QCOMPARE(signOnLines, QStringList() << QStringLiteral("[session 1] ") + logLine);
    QVERIFY(!client.diagnostics().contains(password, Qt::CaseInsensitive));
}

// Several refusals on one connection, the last attempt retyping only the
// password, then the sign-on; a new connection counts afresh.
void TestDemoHostAccount::failedAttemptsOnOneConnection()
{
    DemoHost host;
    QVERIFY(host.setAccount(QLatin1String(ACCOUNT_USER), QLatin1String(ACCOUNT_PASSWORD)));
    QVERIFY(host.listen());
    Tn5250Client client;
    connectToSignOn(client, host.serverPort());
    if (QTest::currentTestFailed())
        return;

    typeSignOn(client, QStringLiteral("demo"), QStringLiteral("first"));
    QCOMPARE(host.failedSignOns(), 1);
    typeSignOn(client, QStringLiteral("nobody"), QLatin1String(ACCOUNT_PASSWORD));
    QCOMPARE(host.failedSignOns(), 2);
    QCOMPARE(ShownScreen::cells(client, 24, 2, 78), QStringLiteral("User NOBODY does not exist."));
    // A shorter name over the longer one left in the field.
    typeSignOn(client, QStringLiteral("demo"), QStringLiteral("second"));
    QCOMPARE(host.failedSignOns(), 3);
    QCOMPARE(ShownScreen::cells(client, 6, 53, 10), QStringLiteral("DEMO"));
    if (QTest::currentTestFailed())
        return;

    // The name the host showed again is not sent back (its field is not
    // modified) and still counts.
    typeSignOn(client, QString(), QLatin1String(ACCOUNT_PASSWORD));
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(host.currentScreen(), QStringLiteral("mainmenu"));
    QVERIFY(!host.lastResponse().hasField(QStringLiteral("user")));
    QCOMPARE(host.failedSignOns(), 3);
    QCOMPARE(host.sessionCount(), 1);

    // Signing off shows an empty sign-on screen.
    QVERIFY(client.inputText(QStringLiteral("90")));
    client.sendEnter();
    QTRY_COMPARE(host.currentScreen(), QStringLiteral("signon"));
    QTRY_VERIFY(!client.keyboardLocked());
    QCOMPARE(ShownScreen::cells(client, 6, 53, 10), QString());
    QCOMPARE(ShownScreen::cells(client, 24, 2, 78), QString());

    client.disconnectFromHost();
    connectToSignOn(client, host.serverPort());
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(host.sessionCount(), 2);
    QCOMPARE(host.failedSignOns(), 0);
    QCOMPARE(host.sessions().first()->failedSignOns(), 3);
}

// The account is the host's: setting or clearing it reaches a session that
// already shows the sign-on screen, and a refused account changes nothing.
void TestDemoHostAccount::accountChangesReachOpenSessions()
{
    DemoHost host;
    QVERIFY(!host.account().isSet());
    QVERIFY(host.listen());
    Tn5250Client client;
    connectToSignOn(client, host.serverPort());
    if (QTest::currentTestFailed())
        return;

    QVERIFY(host.setAccount(QStringLiteral(" demo "), QLatin1String(ACCOUNT_PASSWORD)));
    QCOMPARE(host.account().user, QStringLiteral("DEMO"));
    typeSignOn(client, QStringLiteral("demo"), QStringLiteral("anything"));
    QCOMPARE(host.currentScreen(), QStringLiteral("signon"));
    QCOMPARE(host.failedSignOns(), 1);

    QString error;
    QVERIFY(!host.setAccount(QString(), QStringLiteral("other"), &error));
    QCOMPARE(error, QStringLiteral("the account needs a user profile name"));
    QVERIFY(!host.setAccount(QStringLiteral("QSECOFR"), QString(), &error));
    QCOMPARE(error, QStringLiteral("the account needs a password"));
    QCOMPARE(host.account().user, QStringLiteral("DEMO"));
    QCOMPARE(host.account().password, QLatin1String(ACCOUNT_PASSWORD));

    // Without an account any password signs on again.
    host.clearAccount();
    QVERIFY(!host.latestSession()->account().isSet());
    typeSignOn(client, QStringLiteral("demo"), QStringLiteral("anything"));
    QCOMPARE(host.currentScreen(), QStringLiteral("mainmenu"));
    QCOMPARE(host.failedSignOns(), 1);
}

void TestDemoHostAccount::signOnDecisions_data()
{
    QTest::addColumn<bool>("withAccount");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<int>("result");

    QTest::newRow("no account, any name and password") << false << "bob" << "x" << int(SignOnAccepted);
    QTest::newRow("no account, no password") << false << "bob" << "" << int(SignOnAccepted);
    QTest::newRow("no account, blank user") << false << "   " << "x" << int(SignOnNoUser);
    QTest::newRow("user in mixed case with blanks around")
        << true << " DeMo  " << "demo5250" << int(SignOnAccepted);
    QTest::newRow("password after a blank") << true << "DEMO" << " demo5250" << int(SignOnWrongPassword);
    QTest::newRow("no password") << true << "DEMO" << "" << int(SignOnWrongPassword);
    QTest::newRow("a name that starts like the account") << true << "DEMOX" << "demo5250" << int(SignOnUnknownUser);
}

void TestDemoHostAccount::signOnDecisions()
{
    QFETCH(bool, withAccount);
    QFETCH(QString, user);
    QFETCH(QString, password);
    QFETCH(int, result);
    DemoAccount account;
    if (withAccount) {
        account.user = QLatin1String(ACCOUNT_USER);
        account.password = QLatin1String(ACCOUNT_PASSWORD);
    }
    QCOMPARE(int(checkSignOn(account, user, password)), result);
}

void TestDemoHostAccount::accountOption_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("error");

    QTest::newRow("user and password") << "DEMO:demo5250" << "DEMO" << "demo5250" << "";
    QTest::newRow("user upper-cased, password kept") << "qpgmr:PassW0rd" << "QPGMR" << "PassW0rd" << "";
    QTest::newRow("colon inside the password") << "bob:a:b:c" << "BOB" << "a:b:c" << "";
    QTest::newRow("blanks around the user") << " bob :pw" << "BOB" << "pw" << "";
    QTest::newRow("ten-character name and password") << "ABCDEFGHIJ:0123456789" << "ABCDEFGHIJ" << "0123456789"
                                                     << "";
    QTest::newRow("no colon") << "DEMO" << "" << "" << "--account needs USER:PASSWORD";
    QTest::newRow("empty password") << "DEMO:" << "" << "" << "--account needs a password after the colon";
    QTest::newRow("empty user") << ":demo5250" << "" << "" << "--account needs a user profile name before the colon";
    QTest::newRow("empty text") << "" << "" << "" << "--account needs USER:PASSWORD";
    QTest::newRow("name longer than ten") << "ABCDEFGHIJK:pw" << "" << ""
                                          << "--account: the user profile name \"ABCDEFGHIJK\" is longer than 10 "
                                             "characters";
    QTest::newRow("blank inside the name") << "MY USER:pw" << "" << ""
                                           << "--account: the user profile name \"MY USER\" contains a blank";
    QTest::newRow("password longer than its field")
        << "DEMO:Secret12345" << "" << ""
        << "--account: the password is longer than the 10 positions of the sign-on password field";
    QTest::newRow("password ending in a blank") << "DEMO:Secret " << "" << ""
                                                << "--account: the password ends with a blank, which a terminal "
                                                   "never sends";
}

void TestDemoHostAccount::accountOption()
{
    QFETCH(QString, text);
    QFETCH(QString, user);
    QFETCH(QString, password);
    QFETCH(QString, error);

    DemoAccount account;
    account.user = QStringLiteral("BEFORE");
    account.password = QStringLiteral("before");
    QString reason;
    const bool ok = parseAccountOption(text, &account, &reason);
    QCOMPARE(ok, error.isEmpty());
    QCOMPARE(reason, error);
    if (ok) {
        QCOMPARE(account.user, user);
        QCOMPARE(account.password, password);
        // What the option accepts, the host takes.
        DemoHost host;
        QVERIFY(host.setAccount(account.user, account.password));
    } else {
        QCOMPARE(account.user, QStringLiteral("BEFORE"));
        QCOMPARE(account.password, QStringLiteral("before"));
        // The reason never repeats the password.
        const QString given = text.mid(text.indexOf(QLatin1Char(':')) + 1);
        if (text.contains(QLatin1Char(':')) && given.size() >= 3)
            QVERIFY2(!reason.contains(given.trimmed()), qPrintable(reason));
    }
}

// The program as a script or a person runs it: the "listening on" line
// stays the only line on standard output, the default account is DEMO /
// demo5250, and the two options change it.
void TestDemoHostAccount::programAccount_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("message"); // empty: signed on

    QTest::newRow("default account") << QStringList() << "demo" << "demo5250" << "";
    QTest::newRow("default account, password in upper case")
        << QStringList() << "DEMO" << "DEMO5250" << QString::fromLatin1(DemoScreens::PASSWORD_NOT_CORRECT);
    const QStringList account = QStringList() << QStringLiteral("--account") << QStringLiteral("qpgmr:Se:cret");
    QTest::newRow("--account with a colon in the password") << account << "QPGMR" << "Se:cret" << "";
    QTest::newRow("--account replaces DEMO") << account << "DEMO" << "demo5250" << "User DEMO does not exist.";
    QTest::newRow("--any-password") << (QStringList() << QStringLiteral("--any-password")) << "anyone"
                                    << "whatever" << "";
    const QStringList two = account + (QStringList() << QStringLiteral("--account") << QStringLiteral("other:0ther"));
    QTest::newRow("two --account, the second one") << two << "OTHER" << "0ther" << "";
    QTest::newRow("two --account, the first one") << two << "qpgmr" << "Se:cret" << "";
    QTest::newRow("two --account, one's password for the other")
        << two << "OTHER" << "Se:cret" << QString::fromLatin1(DemoScreens::PASSWORD_NOT_CORRECT);
}

void TestDemoHostAccount::programAccount()
{
    QFETCH(QStringList, options);
    QFETCH(QString, user);
    QFETCH(QString, password);
    QFETCH(QString, message);
    if (!QFileInfo(demoHostProgram()).isExecutable())
        QSKIP("vantorel-demohost is not built in this build tree");

    QProcess process;
    process.start(demoHostProgram(), QStringList() << QStringLiteral("--port") << QStringLiteral("0") << options);
    QVERIFY(process.waitForStarted());
    QByteArray output;
    QTRY_VERIFY((output += process.readAllStandardOutput()).endsWith('\n'));
    const QRegularExpression listening(QStringLiteral("^listening on 127\\.0\\.0\\.1:(\\d+)\n$"));
    const QRegularExpressionMatch match = listening.match(QString::fromLatin1(output));
    QVERIFY2(match.hasMatch(), output.constData());

    Tn5250Client client;
    connectToSignOn(client, quint16(match.captured(1).toUInt()));
    typeSignOn(client, user, password);
    if (!QTest::currentTestFailed()) {
        if (message.isEmpty())
            QVERIFY2(client.terminalText().contains(QStringLiteral("IBM i Main Menu")),
                     qPrintable(client.terminalText()));
        else
            QCOMPARE(ShownScreen::cells(client, 24, 2, 78), message);
        // The session log on standard error tells the attempt, never the password.
        QByteArray log;
        QTRY_VERIFY((log += process.readAllStandardError()).contains("Sign"));
        QVERIFY2(!log.contains(password.toLatin1()), log.constData());
    }
    client.disconnectFromHost();
    QCOMPARE(process.readAllStandardOutput(), QByteArray());
    process.kill();
    QVERIFY(process.waitForFinished());
}

void TestDemoHostAccount::programRefusesBadAccount_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("error");

    QTest::newRow("empty password after the colon")
        << (QStringList() << QStringLiteral("--account") << QStringLiteral("DEMO:"))
        << "vantorel-demohost: --account needs a password after the colon\n";
    QTest::newRow("--account with --any-password")
        << (QStringList() << QStringLiteral("--account") << QStringLiteral("DEMO:pw")
                          << QStringLiteral("--any-password"))
        << "vantorel-demohost: --account and --any-password exclude each other\n";
    QTest::newRow("unknown --behaviour")
        << (QStringList() << QStringLiteral("--behaviour") << QStringLiteral("rude"))
        << "vantorel-demohost: --behaviour is one of normal, close-after-record, silent\n";
}

void TestDemoHostAccount::programRefusesBadAccount()
{
    QFETCH(QStringList, options);
    QFETCH(QString, error);
    if (!QFileInfo(demoHostProgram()).isExecutable())
        QSKIP("vantorel-demohost is not built in this build tree");

    QProcess process;
    process.start(demoHostProgram(), QStringList() << QStringLiteral("--port") << QStringLiteral("0") << options);
    QVERIFY(process.waitForFinished());
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 2);
    QCOMPARE(QString::fromLocal8Bit(process.readAllStandardError()), error);
    // Nothing for a script waiting for "listening on".
    QCOMPARE(process.readAllStandardOutput(), QByteArray());
}

QTEST_GUILESS_MAIN(TestDemoHostAccount)
#include "tst_demohostaccount.moc"
