// The client's telnet glue: the negotiation it opens, the status it shows
// once the options are agreed, the TERMINAL-TYPE and NEW-ENVIRON replies as
// the host receives them on a real socket, what it does without a socket,
// and the whole path from a host socket to the first screen. The parser and
// the policy themselves are tst_telnetparser.
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include "app/tn5250client.h"
#include "common/clientprobe.h"
#include "common/loopbackpair.h"
#include "common/protocolstreams.h"

using ProtocolStreams::hex;
using ProtocolStreams::logLines;
using ProtocolStreams::logLinesStartingWith;

namespace {

// IAC SB TERMINAL-TYPE IS <type> IAC SE, the type in ASCII.
QByteArray ttReply(const char *type)
{
    return hex("FF FA 18 00") + type + hex("FF F0");
}

const QString WAITING = QStringLiteral("Connected — waiting for IBM i display");

} // namespace

class TelnetTest : public QObject
{
    Q_OBJECT

private slots:
    void negotiationIsAnsweredAndLogged();
    void waitingStatusIsSetAgainByLaterCommands();
    void startNegotiationOffersNewEnviron();
    void startNegotiationWithoutSocketDoesNothing();
    void noSocketNoWritesNoDiagnostics();
    void subnegotiationReplies_data();
    void subnegotiationReplies();
    void droppedRecordIsLogged();
    void protocolResetEndsSkipping();
    void socketReadyReadEndToEnd();
};

// One command of each verb, as the host receives the replies and as the
// log shows the exchange: turning off what is off and asking again for what
// is on go unanswered (RFC 1143).
void TelnetTest::negotiationIsAnsweredAndLogged()
{
    LoopbackTerminal t;
    QVERIFY(t.attach());
    t.client.clearDiagnostics();
    t.client.processTelnetBytes(hex("FF FD 00 FF FE 03 FF FB 19 FF FC 05 FF FD 00"));
    QCOMPARE(t.sent(), hex("FF FB 00 FF FD 19"));
    QCOMPARE(logLines(t.client.diagnostics()),
             QStringList() << "TELNET RX DO BINARY" << "TELNET TX WILL BINARY" << "TELNET RX DONT SGA"
                           << "TELNET RX WILL EOR" << "TELNET TX DO EOR" << "TELNET RX WONT option-5"
                           << "TELNET RX DO BINARY");
}

void TelnetTest::waitingStatusIsSetAgainByLaterCommands()
{
    LoopbackTerminal t;
    QVERIFY(t.attach());
    t.client.processTelnetBytes(hex("FF FD 18 FF FD 19 FF FB 19 FF FD 00 FF FB 00"));
    QCOMPARE(t.client.status(), WAITING);
    ClientProbe(t.client).setStatus(QStringLiteral("something else"));
    t.client.processTelnetBytes(hex("FF FD 03"));
    QCOMPARE(t.client.status(), WAITING);
    // Taking binary back ends the agreement.
    ClientProbe(t.client).setStatus(QStringLiteral("something else"));
    t.client.processTelnetBytes(hex("FF FE 00 FF FD 03"));
    QCOMPARE(t.client.status(), QStringLiteral("something else"));
}

void TelnetTest::startNegotiationOffersNewEnviron()
{
    LoopbackTerminal t;
    QVERIFY(t.attach());
    QSignalSpy connectedSpy(&t.client, SIGNAL(connectedChanged()));
    ClientProbe(t.client).startNegotiation();
    QCOMPARE(t.sent(), hex("FF FB 27"));
    QVERIFY(t.client.connected());
    QCOMPARE(connectedSpy.count(), 1);
    QCOMPARE(t.client.connectionState(), QStringLiteral("Negotiating"));
    QCOMPARE(t.client.status(), QStringLiteral("Negotiating TN5250…"));
    QCOMPARE(logLinesStartingWith(t.client.diagnostics(), QStringLiteral("TELNET")),
             QStringList() << QStringLiteral("TELNET TX WILL NEW-ENVIRON"));

    // Runs once per connection attempt.
    ClientProbe(t.client).startNegotiation();
    QCOMPARE(t.sent(), QByteArray());
    QCOMPARE(connectedSpy.count(), 1);
}

void TelnetTest::startNegotiationWithoutSocketDoesNothing()
{
    LoopbackTerminal t;
    QSignalSpy connectedSpy(&t.client, SIGNAL(connectedChanged()));
    ClientProbe(t.client).startNegotiation();
    QVERIFY(!t.client.connected());
    QCOMPARE(connectedSpy.count(), 0);
    QCOMPARE(t.client.connectionState(), QStringLiteral("Disconnected"));
    // Not counted as started: with a socket it runs.
    QVERIFY(t.attach());
    ClientProbe(t.client).startNegotiation();
    QCOMPARE(t.sent(), hex("FF FB 27"));
}

// The policy runs and the requests are noted, but nothing is written and no
// TX line is logged.
void TelnetTest::noSocketNoWritesNoDiagnostics()
{
    Tn5250Client client;
    client.clearDiagnostics();
    client.processTelnetBytes(hex("FF FD 00"));
    QCOMPARE(logLines(client.diagnostics()), QStringList() << QStringLiteral("TELNET RX DO BINARY"));
    client.clearDiagnostics();
    client.processTelnetBytes(hex("FF FD 18 FF FA 18 01 FF F0"));
    QCOMPARE(logLines(client.diagnostics()),
             QStringList() << QStringLiteral("TELNET RX DO TERMINAL-TYPE") << QStringLiteral("Terminal type: IBM-3179-2"));
    client.processTelnetBytes(hex("FF FD 18 FF FD 19 FF FB 19 FF FB 00"));
    QCOMPARE(client.status(), WAITING);
}

void TelnetTest::subnegotiationReplies_data()
{
    QTest::addColumn<bool>("support132");
    QTest::addColumn<QString>("deviceName");
    QTest::addColumn<QByteArray>("received");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QStringList>("diagnostics");

    const QByteArray ttSend = hex("FF FA 18 01 FF F0");
    QTest::newRow("TERMINAL-TYPE, 24 x 80")
        << false << QString() << ttSend
        << ttReply("IBM-3179-2")
        << (QStringList() << "Terminal type: IBM-3179-2");
    QTest::newRow("TERMINAL-TYPE, 27 x 132 offered")
        << true << QString() << ttSend
        << ttReply("IBM-3477-FC")
        << (QStringList() << "Terminal type: IBM-3477-FC");

    // RFC 1572 SEND with a list of variables, answered with what it names.
    const QByteArray envSend = hex("FF FA 27 01 03 44 45 56 4E 41 4D 45 FF F0");
    const QByteArray envTail = hex("03") + "KBDTYPE" + hex("01") + "USB" + hex("03") + "CODEPAGE" + hex("01") + "37"
        + hex("03") + "CHARSET" + hex("01") + "697" + hex("FF F0");
    const QString codePage37 = QStringLiteral("Requested EBCDIC code page 37 (keyboard USB, character set 697)");
    QTest::newRow("NEW-ENVIRON asking for the device name alone")
        << false << QStringLiteral("qpadev01") << envSend
        << hex("FF FA 27 00 03") + "DEVNAME" + hex("01") + "QPADEV01" + hex("FF F0")
        << (QStringList() << "Requested IBM i device name: QPADEV01");
    QTest::newRow("bare NEW-ENVIRON SEND, device name that needs cleaning")
        << false << QStringLiteral(" dsp-01 x ") << hex("FF FA 27 01 FF F0")
        << hex("FF FA 27 00 03") + "DEVNAME" + hex("01") + "DSP01X" + envTail
        << (QStringList() << "Requested IBM i device name: DSP01X" << codePage37);
    QTest::newRow("bare NEW-ENVIRON SEND without a device name")
        << false << QString() << hex("FF FA 27 01 FF F0")
        << hex("FF FA 27 00") + envTail
        << (QStringList() << codePage37);
    QTest::newRow("NEW-ENVIRON asking for a device name that cleans away")
        << false << QStringLiteral("-- --") << envSend
        << hex("FF FA 27 00 03") + "DEVNAME" + hex("FF F0")
        << (QStringList() << "NEW-ENVIRON: no value for USERVAR DEVNAME");
    QTest::newRow("NEW-ENVIRON as IBM i asks, seed and all")
        << false << QStringLiteral("dsp01") << hex("FF FA 27 01 03") + "IBMRSEED" + hex("02 00 9C 02 03 FF FF 41 02 01 7F 10 00 03 FF F0")
        << hex("FF FA 27 00 03") + "DEVNAME" + hex("01") + "DSP01" + envTail
        << (QStringList() << "Requested IBM i device name: DSP01" << codePage37);
    QTest::newRow("NEW-ENVIRON with a stray VALUE")
        << false << QString() << hex("FF FA 27 01 01 41 03") + "CHARSET" + hex("FF F0")
        << hex("FF FA 27 00") + envTail
        << (QStringList() << "Malformed NEW-ENVIRON SEND: 2 bytes name no variable" << codePage37);

    QTest::newRow("TERMINAL-TYPE IS from the host is ignored")
        << false << QString() << hex("FF FA 18 00") + "X" + hex("FF F0") << QByteArray() << QStringList();
    QTest::newRow("SEND for another option is ignored")
        << false << QString() << hex("FF FA 05 01 FF F0") << QByteArray() << QStringList();
    QTest::newRow("option byte alone is ignored")
        << false << QString() << hex("FF FA 18 FF F0") << QByteArray() << QStringList();
    QTest::newRow("empty subnegotiation is ignored")
        << false << QString() << hex("FF FA FF F0") << QByteArray() << QStringList();
    QTest::newRow("TERMINAL-TYPE SEND after DONT TERMINAL-TYPE is ignored")
        << false << QString() << hex("FF FE 18") + ttSend << hex("FF FC 18")
        << (QStringList() << "TELNET RX DONT TERMINAL-TYPE" << "TELNET TX WONT TERMINAL-TYPE"
                          << "Ignored TERMINAL-TYPE SEND: the option is not enabled");
    QTest::newRow("NEW-ENVIRON SEND after DONT NEW-ENVIRON is ignored")
        << false << QString() << hex("FF FE 27") + envSend << hex("FF FC 27")
        << (QStringList() << "TELNET RX DONT NEW-ENVIRON" << "TELNET TX WONT NEW-ENVIRON"
                          << "Ignored NEW-ENVIRON SEND: the option is not enabled");
    QTest::newRow("subnegotiation broken by IAC NOP is dropped, later commands still work")
        << false << QString() << hex("FF FA 18 01 FF F1 FF FD 03") << hex("FF FB 03")
        << (QStringList() << "TELNET RX DO SGA" << "TELNET TX WILL SGA");
}

void TelnetTest::subnegotiationReplies()
{
    QFETCH(bool, support132);
    QFETCH(QString, deviceName);
    QFETCH(QByteArray, received);
    QFETCH(QByteArray, reply);
    QFETCH(QStringList, diagnostics);

    LoopbackTerminal t;
    t.client.setSupport132(support132);
    t.client.setDeviceName(deviceName);
    t.client.setCodePage(37);
    QVERIFY(t.attach());
    // Both options on, as the host asks for them before its requests.
    t.client.processTelnetBytes(hex("FF FD 18 FF FD 27"));
    QCOMPARE(t.sent(), hex("FF FB 18 FF FB 27"));
    t.client.clearDiagnostics();
    t.client.processTelnetBytes(received);
    QCOMPARE(t.sent(), reply);
    QCOMPARE(logLines(t.client.diagnostics()), diagnostics);
}

void TelnetTest::droppedRecordIsLogged()
{
    Tn5250Client client;
    client.clearDiagnostics();
    client.processTelnetBytes(QByteArray(65535 + 1, char(0x40)));
    QCOMPARE(logLines(client.diagnostics()),
             QStringList() << QStringLiteral("Dropped oversized TN5250 record (more than 65535 bytes without IAC EOR)"));
}

void TelnetTest::protocolResetEndsSkipping()
{
    Tn5250Client client;
    client.processTelnetBytes(QByteArray(65535 + 10, char(0x40)));
    QCOMPARE(logLinesStartingWith(client.diagnostics(), QStringLiteral("Dropped")).size(), 1);
    // A new connection starts from scratch: its first record is not skipped.
    ClientProbe(client).resetProtocolState();
    client.processTelnetBytes(ProtocolStreams::telnetRecord(0x02, hex("40")));
    QCOMPARE(client.rxRecordCount(), 1);
}

// The whole path from a real host socket: connectToHost on a plain
// connection, the host's negotiation and first screen, and the terminal's
// answers as the host reads them.
void TelnetTest::socketReadyReadEndToEnd()
{
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress(QHostAddress::LocalHost), 0));
    Tn5250Client client;
    client.setHost(QStringLiteral("127.0.0.1"));
    client.setPort(server.serverPort());
    client.setTlsEnabled(false);
    client.setDeviceName(QString());
    client.setSupport132(false);
    client.setCodePage(37);
    client.connectToHost();
    QTRY_VERIFY(server.hasPendingConnections());
    QTcpSocket *host = server.nextPendingConnection();
    QVERIFY(host);

    QByteArray received;
    const QByteArray offer = hex("FF FB 27");
    QTRY_VERIFY((received += host->readAll()).size() >= offer.size());
    QCOMPARE(received, offer);
    received.clear();

    host->write(hex("FF FD 18 FF FA 18 01 FF F0 FF FD 19 FF FB 19 FF FD 00 FF FB 00"));
    const QByteArray replies = hex("FF FB 18") + ttReply("IBM-3179-2")
        + hex("FF FB 19 FF FD 19 FF FB 00 FF FD 00");
    QTRY_VERIFY((received += host->readAll()).size() >= replies.size());
    QCOMPARE(received, replies);
    QCOMPARE(client.status(), WAITING);
    QCOMPARE(client.connectionState(), QStringLiteral("Negotiating"));

    // The first screen: Clear Unit, Write To Display "A" at row 1, column 1.
    host->write(ProtocolStreams::telnetRecord(0x03, hex("04 40 04 11 00 08 11 01 01 C1")));
    QTRY_COMPARE(client.connectionState(), QStringLiteral("Ready"));
    QCOMPARE(client.rxRecordCount(), 1);
    QVERIFY(client.terminalText().startsWith(QLatin1Char('A')));
    client.disconnectFromHost();
}

QTEST_MAIN(TelnetTest)
#include "tst_telnet.moc"
