// The client against the in-process demo host over a real TCP connection:
// negotiation as an IBM i telnet server runs it, the sign-on screen on the
// client's display, signing on and off, and the host hanging up.

#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "app/tn5250client.h"
#include "common/clientprobe.h"
#include "common/connectionwatch.h"
#include "common/testcertificates.h"
#include "demohost.h"
#include "demosession.h"

using namespace ConnectionTest;

namespace {

QByteArray environmentItem(const char *name, const QByteArray &value)
{
    return QByteArray(1, '\x03') + name + '\x01' + value;
}

} // namespace

class TestEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void negotiationReachesSignOn_data();
    void negotiationReachesSignOn();
    void signOnMenuAndSignOff();
    void exitOnSignOnClosesConnection();
    void destroyingReadyClientEndsHostSession();
    void demoHostProgram_data();
    void demoHostProgram();

private:
    QScopedPointer<QTemporaryDir> m_config;
};

void TestEndToEnd::init()
{
    m_config.reset(useFreshSettings());
    QVERIFY(m_config->isValid());
}

void TestEndToEnd::negotiationReachesSignOn_data()
{
    QTest::addColumn<bool>("support132");
    QTest::addColumn<QString>("deviceName");
    QTest::addColumn<int>("codePage");
    QTest::addColumn<QString>("terminalType");
    QTest::addColumn<QByteArray>("environment");
    QTest::addColumn<QString>("shownDevice");
    QTest::addColumn<QString>("environmentCheck");
    QTest::addColumn<bool>("reacknowledge"); // the host acknowledges every WILL and DO, repeats included

    // The host asks as an IBM i does: a seed, then every VAR and USERVAR.
    const QByteArray us37 = environmentItem("KBDTYPE", "USB") + environmentItem("CODEPAGE", "37")
        + environmentItem("CHARSET", "697");
    QTest::newRow("24 x 80 display with a device name")
        << false << "TESTDEV1" << 37 << "IBM-3179-2" << environmentItem("DEVNAME", "TESTDEV1") + us37 << "TESTDEV1"
        << "check OK" << false;
    QTest::newRow("27 x 132 display offered, no device name")
        << true << "" << 37 << "IBM-3477-FC" << us37 << "QPADEV0001" << "check FAILED: no device name" << false;
    QTest::newRow("German code page")
        << false << "VANTOREL01" << 273 << "IBM-3179-2"
        << environmentItem("DEVNAME", "VANTOREL01") + environmentItem("KBDTYPE", "AGB")
               + environmentItem("CODEPAGE", "273") + environmentItem("CHARSET", "697")
        << "VANTOREL01" << "check OK" << false;
    QTest::newRow("Finnish code page")
        << false << "VANTOREL02" << 278 << "IBM-3179-2"
        << environmentItem("DEVNAME", "VANTOREL02") + environmentItem("KBDTYPE", "FNB")
               + environmentItem("CODEPAGE", "278") + environmentItem("CHARSET", "697")
        << "VANTOREL02" << "check OK" << false;
    QTest::newRow("host that re-acknowledges: each option still answered once")
        << false << "TESTDEV1" << 37 << "IBM-3179-2" << environmentItem("DEVNAME", "TESTDEV1") + us37 << "TESTDEV1"
        << "check OK" << true;
}

void TestEndToEnd::negotiationReachesSignOn()
{
    QFETCH(bool, support132);
    QFETCH(QString, deviceName);
    QFETCH(int, codePage);
    QFETCH(QString, terminalType);
    QFETCH(QByteArray, environment);
    QFETCH(QString, shownDevice);
    QFETCH(QString, environmentCheck);
    QFETCH(bool, reacknowledge);

    DemoHost host;
    host.setReacknowledge(reacknowledge);
    QVERIFY(host.listen());
    Tn5250Client client;
    configure(client, host.serverPort(), false, false);
    QVERIFY(client.setProperty("deviceName", deviceName));
    QVERIFY(client.setProperty("support132", support132));
    QVERIFY(client.setProperty("codePage", codePage));
    ConnectionWatch watch(&client);
    QSignalSpy shown(&host, SIGNAL(screenShown(QString)));

    client.connectToHost();
    QTRY_COMPARE(client.connectionState(), QStringLiteral("Ready"));
    QCOMPARE(watch.states(), QStringList() << "Connecting" << "Negotiating" << "Ready");
    QVERIFY(client.connected());
    QCOMPARE(client.reconnectAttempt(), 0);
    // Keep-alive is on once the connection is up, so a silently dead
    // connection ends in an error instead of hanging.
    QCOMPARE(ClientProbe(client).socket()->socketOption(QAbstractSocket::KeepAliveOption).toInt(), 1);

    QCOMPARE(host.terminalType(), terminalType);
    QCOMPARE(host.environment(), environment);
    QCOMPARE(host.latestSession()->environmentCheck().summary(), environmentCheck);
    // The host took the terminal's code page for the session.
    QVERIFY(host.logLines().contains(
        QStringLiteral("[session 1] Negotiation complete: %1, code page %2").arg(terminalType).arg(codePage)));
    // Each option answered once: the host's DO NEW-ENVIRON acknowledges the
    // terminal's own offer and gets no second WILL (RFC 1143).
    QStringList negotiation;
    for (const QString &line : host.logLines()) {
        if (line.contains(QStringLiteral("] TELNET RX ")))
            negotiation << line.section(QStringLiteral("] "), 1);
    }
    QCOMPARE(negotiation, QStringList() << "TELNET RX WILL NEW-ENVIRON" << "TELNET RX WILL TERMINAL-TYPE"
                                        << "TELNET RX WILL EOR" << "TELNET RX DO EOR" << "TELNET RX WILL BINARY"
                                        << "TELNET RX DO BINARY");
    // The re-acknowledging host did repeat itself; the terminal let it be.
    QCOMPARE(host.logLines().filter(QStringLiteral("TELNET TX DO BINARY")).size(), reacknowledge ? 2 : 1);
    // The client's answer to the 5250 Query (the record that made it
    // "Ready"): 61 bytes, starting with the inbound structured field header.
    QTRY_COMPARE(host.queryReply().size(), 61);
    QCOMPARE(host.queryReply().mid(2, 5), QByteArray::fromHex("88003AD970"));

    QTRY_COMPARE(shown.count(), 1);
    QCOMPARE(shown.at(0).at(0).toString(), QStringLiteral("signon"));
    QTRY_VERIFY(client.terminalText().contains(QStringLiteral("Sign On")));
    const QString text = client.terminalText();
    QVERIFY(text.contains(QStringLiteral("System  . . . . . :   DEMO400")));
    QVERIFY(text.contains(QStringLiteral("Display . . . . . :   %1").arg(shownDevice)));
    QVERIFY(text.contains(QStringLiteral("User  . . . . . .")));
    QVERIFY(text.contains(QStringLiteral("Password  . . . .")));
    QVERIFY(text.contains(QStringLiteral("F3=Exit")));
    QCOMPARE(client.inputFieldCount(), 5);
    // The cursor waits in the user field.
    QCOMPARE(client.cursorRow(), 6);
    QCOMPARE(client.cursorColumn(), 53);
    QVERIFY(!client.keyboardLocked());
}

void TestEndToEnd::signOnMenuAndSignOff()
{
    DemoHost host;
    QVERIFY(host.listen());
    Tn5250Client client;
    configure(client, host.serverPort(), false, false);
    QSignalSpy responses(&host, SIGNAL(responseReceived()));
    client.connectToHost();
    QTRY_VERIFY(client.terminalText().contains(QStringLiteral("Sign On")));
    QTRY_VERIFY(!client.keyboardLocked());

    QVERIFY(client.inputText(QStringLiteral("qsecofr")));
    client.tab();
    QVERIFY(client.inputText(QStringLiteral("secret")));
    client.sendEnter();
    QTRY_COMPARE(responses.count(), 1);

    const ReadResponse response = host.lastResponse();
    QVERIFY(response.valid);
    QCOMPARE(response.aidName(), QStringLiteral("Enter"));
    QCOMPARE(response.fieldText(QStringLiteral("user")), QStringLiteral("QSECOFR"));
    QVERIFY(response.hasField(QStringLiteral("password")));
    const QString line = QStringLiteral("[session 1] AID Enter cursor 7,59 field 6,53 \"QSECOFR\" field 7,53 (redacted, 6 chars)");
    QVERIFY2(host.logLines().contains(line), qPrintable(host.logLines().join(QLatin1Char('\n'))));
    // The password reaches neither log.
    for (const QString &logLine : host.logLines())
        QVERIFY2(!logLine.contains(QStringLiteral("secret"), Qt::CaseInsensitive), qPrintable(logLine));
    QVERIFY(!client.diagnostics().contains(QStringLiteral("secret"), Qt::CaseInsensitive));

    QTRY_VERIFY(client.terminalText().contains(QStringLiteral("IBM i Main Menu")));
    QTRY_VERIFY(!client.keyboardLocked());
    QVERIFY(client.terminalText().contains(QStringLiteral("===>")));
    QCOMPARE(host.currentScreen(), QStringLiteral("mainmenu"));
    QCOMPARE(client.cursorRow(), 20);
    QCOMPARE(client.cursorColumn(), 7);

    // An option the demo system lacks: the menu again, with a message.
    QVERIFY(client.inputText(QStringLiteral("5")));
    client.sendEnter();
    QTRY_VERIFY(client.terminalText().contains(QStringLiteral("Option 5 is not available on this demo system.")));
    QTRY_VERIFY(!client.keyboardLocked());

    // 90 signs off: back to the sign-on screen on the same connection.
    QVERIFY(client.inputText(QStringLiteral("90")));
    client.sendEnter();
    QTRY_COMPARE(host.currentScreen(), QStringLiteral("signon"));
    QTRY_VERIFY(client.terminalText().contains(QStringLiteral("Sign On")));
    QCOMPARE(client.connectionState(), QStringLiteral("Ready"));
    QVERIFY(host.logLines().contains(QStringLiteral("[session 1] QSECOFR signed off")));
}

void TestEndToEnd::exitOnSignOnClosesConnection()
{
    DemoHost host;
    QVERIFY(host.listen());
    Tn5250Client client;
    ClientProbe probe(client);
    configure(client, host.serverPort(), false, false);
    client.connectToHost();
    QTRY_VERIFY(client.terminalText().contains(QStringLiteral("Sign On")));
    QTRY_VERIFY(!client.keyboardLocked());

    client.sendFunctionKey(3);
    QTRY_COMPARE(client.connectionState(), QStringLiteral("Disconnected"));
    QVERIFY(!probe.socket());
    QVERIFY(!client.connected());
    QVERIFY(logLines(client).contains(QStringLiteral("Connection closed unexpectedly")));
    QCOMPARE(client.status(), QStringLiteral("Disconnected — %1").arg(client.lastErrorCategory()));
    // What the host showed is gone from the display.
    QVERIFY(!client.terminalText().contains(QStringLiteral("Sign On")));
    QCOMPARE(host.openSessionCount(), 0);
}

void TestEndToEnd::destroyingReadyClientEndsHostSession()
{
    DemoHost host;
    QVERIFY(host.listen());
    QSignalSpy closed(&host, SIGNAL(sessionClosed()));
    QScopedPointer<Tn5250Client> client(new Tn5250Client);
    configure(*client, host.serverPort(), false, true);
    client->connectToHost();
    QTRY_COMPARE(client->connectionState(), QStringLiteral("Ready"));
    QPointer<QTimer> reconnectTimer = ClientProbe(*client).reconnectTimer();

    QStringList statuses;
    Tn5250Client *raw = client.data();
    connect(raw, &Tn5250Client::statusChanged, [&statuses, raw]() { statuses << raw->status(); });
    client.reset();
    QVERIFY(!reconnectTimer);
    QCOMPARE(statuses, QStringList() << "Disconnected");
    QTRY_COMPARE(closed.count(), 1);
    QCOMPARE(host.openSessionCount(), 0);
}

void TestEndToEnd::demoHostProgram_data()
{
    QTest::addColumn<bool>("quiet");
    QTest::newRow("quiet") << true;
    QTest::newRow("session log on stderr") << false;
}

// The vantorel-demohost program as a script would run it: TLS, a free port,
// the "listening on" line, then a client session.
void TestEndToEnd::demoHostProgram()
{
    QFETCH(bool, quiet);
    const QString program = QCoreApplication::applicationDirPath()
        + QStringLiteral("/../tools/demohost/vantorel-demohost");
    if (!QFileInfo(program).isExecutable())
        QSKIP("vantorel-demohost is not built in this build tree");
    TestCertificates certificates;
    QString error;
    QVERIFY2(certificates.create(&error), qPrintable(error));
    certificates.trustAuthority();

    QProcess process;
    QStringList arguments;
    arguments << QStringLiteral("--port") << QStringLiteral("0") << QStringLiteral("--tls-cert")
              << certificates.certificateFile(TestCertificates::Server) << QStringLiteral("--tls-key")
              << certificates.keyFile(TestCertificates::Server);
    if (quiet)
        arguments << QStringLiteral("--quiet");
    process.start(program, arguments);
    QVERIFY(process.waitForStarted());
    QByteArray output;
    QTRY_VERIFY((output += process.readAllStandardOutput()).endsWith('\n'));
    const QRegularExpression listening(QStringLiteral("^listening on 127\\.0\\.0\\.1:(\\d+)\n$"));
    const QRegularExpressionMatch match = listening.match(QString::fromLatin1(output));
    QVERIFY2(match.hasMatch(), output.constData());
    const quint16 port = quint16(match.captured(1).toUInt());
    QVERIFY(port != 0);

    Tn5250Client client;
    configure(client, port, true, false);
    client.connectToHost();
    QTRY_VERIFY(client.terminalText().contains(QStringLiteral("Sign On")));
    QCOMPARE(client.connectionState(), QStringLiteral("Ready"));
    QVERIFY(!client.tlsCipher().isEmpty());
    client.disconnectFromHost();

    QByteArray log;
    if (quiet) {
        QCOMPARE(process.readAllStandardError(), QByteArray());
    } else {
        QTRY_VERIFY((log += process.readAllStandardError()).contains("Terminal disconnected"));
        QVERIFY(log.contains("[session 1] Terminal type: IBM-3179-2\n"));
        QVERIFY(log.contains("[session 1] Sent screen signon"));
    }
    process.kill();
    QVERIFY(process.waitForFinished());
}

QTEST_GUILESS_MAIN(TestEndToEnd)
#include "tst_endtoend.moc"
