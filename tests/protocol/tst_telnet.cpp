// The telnet layer: option negotiation answered byte for byte on a real
// socket, the TERMINAL-TYPE and NEW-ENVIRON replies, the byte parser's
// escaping and record boundaries, and the bound on what a host can make the
// terminal buffer.
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

enum Flag { LB = 1, RB = 2, LE = 4, RE = 8, TT = 16 };

int flagsOf(Tn5250Client &client)
{
    ClientProbe probe(client);
    return (probe.localBinary() ? LB : 0) | (probe.remoteBinary() ? RB : 0) | (probe.localEor() ? LE : 0)
        | (probe.remoteEor() ? RE : 0) | (probe.terminalTypeRequested() ? TT : 0);
}

// IAC SB TERMINAL-TYPE IS <type> IAC SE, the type in ASCII.
QByteArray ttReply(const char *type)
{
    return hex("FF FA 18 00") + type + hex("FF F0");
}

const QString WAITING = QStringLiteral("Connected — waiting for IBM i display");
const int BOUND = 65535;

} // namespace

class TelnetTest : public QObject
{
    Q_OBJECT

private slots:
    void negotiationPolicy_data();
    void negotiationPolicy();
    void waitingStatusNeedsAllFiveFlags_data();
    void waitingStatusNeedsAllFiveFlags();
    void waitingStatusIsSetAgainByLaterCommands();
    void startNegotiationOffersNewEnviron();
    void startNegotiationWithoutSocketDoesNothing();
    void noSocketNoWritesNoDiagnostics();
    void subnegotiationReplies_data();
    void subnegotiationReplies();
    void subnegotiationIacIacIsOneByte();
    void escaping_data();
    void escaping();
    void recordBoundaries_data();
    void recordBoundaries();
    void oversizedRecordIsDropped_data();
    void oversizedRecordIsDropped();
    void recordOfExactlyTheBoundIsKept();
    void negotiationInsideDroppedRecordIsAnswered();
    void protocolResetEndsSkipping();
    void oversizedSubnegotiationIsDropped();
    void socketReadyReadEndToEnd();
};

void TelnetTest::negotiationPolicy_data()
{
    QTest::addColumn<QByteArray>("prelude");
    QTest::addColumn<QByteArray>("received");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("flags");
    QTest::addColumn<QString>("rxLine");
    QTest::addColumn<QString>("txLine");

    QTest::newRow("DO BINARY") << QByteArray() << hex("FF FD 00") << hex("FF FB 00") << int(LB)
                               << "TELNET RX DO BINARY" << "TELNET TX WILL BINARY";
    QTest::newRow("DO SGA") << QByteArray() << hex("FF FD 03") << hex("FF FB 03") << 0
                            << "TELNET RX DO SGA" << "TELNET TX WILL SGA";
    QTest::newRow("DO TERMINAL-TYPE") << QByteArray() << hex("FF FD 18") << hex("FF FB 18") << int(TT)
                                      << "TELNET RX DO TERMINAL-TYPE" << "TELNET TX WILL TERMINAL-TYPE";
    QTest::newRow("DO EOR") << QByteArray() << hex("FF FD 19") << hex("FF FB 19") << int(LE)
                            << "TELNET RX DO EOR" << "TELNET TX WILL EOR";
    QTest::newRow("DO NEW-ENVIRON") << QByteArray() << hex("FF FD 27") << hex("FF FB 27") << 0
                                    << "TELNET RX DO NEW-ENVIRON" << "TELNET TX WILL NEW-ENVIRON";
    QTest::newRow("DO an unknown option 5") << QByteArray() << hex("FF FD 05") << hex("FF FC 05") << 0
                                            << "TELNET RX DO option-5" << "TELNET TX WONT option-5";
    QTest::newRow("DO ECHO is refused") << QByteArray() << hex("FF FD 01") << hex("FF FC 01") << 0
                                        << "TELNET RX DO option-1" << "TELNET TX WONT option-1";
    QTest::newRow("DONT BINARY clears local binary") << hex("FF FD 00 FF FD 19") << hex("FF FE 00") << hex("FF FC 00")
                                                     << int(LE) << "TELNET RX DONT BINARY" << "TELNET TX WONT BINARY";
    QTest::newRow("DONT EOR clears local EOR") << hex("FF FD 00 FF FD 19") << hex("FF FE 19") << hex("FF FC 19")
                                               << int(LB) << "TELNET RX DONT EOR" << "TELNET TX WONT EOR";
    QTest::newRow("DONT SGA") << QByteArray() << hex("FF FE 03") << hex("FF FC 03") << 0
                              << "TELNET RX DONT SGA" << "TELNET TX WONT SGA";
    QTest::newRow("DONT TERMINAL-TYPE keeps the terminal-type flag")
        << hex("FF FD 18") << hex("FF FE 18") << hex("FF FC 18") << int(TT)
        << "TELNET RX DONT TERMINAL-TYPE" << "TELNET TX WONT TERMINAL-TYPE";
    QTest::newRow("WILL BINARY") << QByteArray() << hex("FF FB 00") << hex("FF FD 00") << int(RB)
                                 << "TELNET RX WILL BINARY" << "TELNET TX DO BINARY";
    QTest::newRow("WILL SGA") << QByteArray() << hex("FF FB 03") << hex("FF FD 03") << 0
                              << "TELNET RX WILL SGA" << "TELNET TX DO SGA";
    QTest::newRow("WILL EOR") << QByteArray() << hex("FF FB 19") << hex("FF FD 19") << int(RE)
                              << "TELNET RX WILL EOR" << "TELNET TX DO EOR";
    QTest::newRow("WILL TERMINAL-TYPE is refused") << QByteArray() << hex("FF FB 18") << hex("FF FE 18") << 0
                                                   << "TELNET RX WILL TERMINAL-TYPE" << "TELNET TX DONT TERMINAL-TYPE";
    QTest::newRow("WILL NEW-ENVIRON is refused") << QByteArray() << hex("FF FB 27") << hex("FF FE 27") << 0
                                                 << "TELNET RX WILL NEW-ENVIRON" << "TELNET TX DONT NEW-ENVIRON";
    QTest::newRow("WILL option 200") << QByteArray() << hex("FF FB C8") << hex("FF FE C8") << 0
                                     << "TELNET RX WILL option-200" << "TELNET TX DONT option-200";
    QTest::newRow("WONT BINARY clears remote binary") << hex("FF FB 00 FF FB 19") << hex("FF FC 00") << hex("FF FE 00")
                                                      << int(RE) << "TELNET RX WONT BINARY" << "TELNET TX DONT BINARY";
    QTest::newRow("WONT EOR clears remote EOR") << hex("FF FB 00 FF FB 19") << hex("FF FC 19") << hex("FF FE 19")
                                                << int(RB) << "TELNET RX WONT EOR" << "TELNET TX DONT EOR";
    QTest::newRow("WONT SGA") << QByteArray() << hex("FF FC 03") << hex("FF FE 03") << 0
                              << "TELNET RX WONT SGA" << "TELNET TX DONT SGA";
    QTest::newRow("DO BINARY again is answered again") << hex("FF FD 00") << hex("FF FD 00") << hex("FF FB 00")
                                                       << int(LB) << "TELNET RX DO BINARY" << "TELNET TX WILL BINARY";
}

void TelnetTest::negotiationPolicy()
{
    QFETCH(QByteArray, prelude);
    QFETCH(QByteArray, received);
    QFETCH(QByteArray, reply);
    QFETCH(int, flags);
    QFETCH(QString, rxLine);
    QFETCH(QString, txLine);

    LoopbackTerminal t;
    QVERIFY(t.attach());
    t.client.processTelnetBytes(prelude);
    t.sent();
    t.client.clearDiagnostics();

    t.client.processTelnetBytes(received);
    QCOMPARE(t.sent(), reply);
    QCOMPARE(flagsOf(t.client), flags);
    QCOMPARE(logLines(t.client.diagnostics()), QStringList() << rxLine << txLine);
}

void TelnetTest::waitingStatusNeedsAllFiveFlags_data()
{
    QTest::addColumn<QList<QByteArray>>("commands");
    const QByteArray doBinary = hex("FF FD 00");
    const QByteArray willBinary = hex("FF FB 00");
    const QByteArray doEor = hex("FF FD 19");
    const QByteArray willEor = hex("FF FB 19");
    const QByteArray doTerminalType = hex("FF FD 18");
    QTest::newRow("host's usual order") << (QList<QByteArray>() << doTerminalType << doEor << willEor << doBinary << willBinary);
    QTest::newRow("reversed") << (QList<QByteArray>() << willBinary << doBinary << willEor << doEor << doTerminalType);
    QTest::newRow("terminal type last, SGA in between")
        << (QList<QByteArray>() << doBinary << hex("FF FD 03") << willBinary << doEor << willEor << doTerminalType);
}

void TelnetTest::waitingStatusNeedsAllFiveFlags()
{
    QFETCH(QList<QByteArray>, commands);
    LoopbackTerminal t;
    QVERIFY(t.attach());
    for (int i = 0; i < commands.size(); ++i) {
        QVERIFY2(t.client.status() != WAITING, qPrintable(QStringLiteral("after %1 commands").arg(i)));
        t.client.processTelnetBytes(commands.at(i));
    }
    QCOMPARE(t.client.status(), WAITING);
}

void TelnetTest::waitingStatusIsSetAgainByLaterCommands()
{
    LoopbackTerminal t;
    QVERIFY(t.attach());
    t.client.processTelnetBytes(hex("FF FD 18 FF FD 19 FF FB 19 FF FD 00 FF FB 00"));
    QCOMPARE(t.client.status(), WAITING);
    t.client.setStatus(QStringLiteral("something else"));
    t.client.processTelnetBytes(hex("FF FD 03"));
    QCOMPARE(t.client.status(), WAITING);
    // Taking binary back ends the agreement.
    t.client.setStatus(QStringLiteral("something else"));
    t.client.processTelnetBytes(hex("FF FE 00 FF FD 03"));
    QCOMPARE(t.client.status(), QStringLiteral("something else"));
}

void TelnetTest::startNegotiationOffersNewEnviron()
{
    LoopbackTerminal t;
    QVERIFY(t.attach());
    QSignalSpy connectedSpy(&t.client, SIGNAL(connectedChanged()));
    t.client.startNegotiation();
    QCOMPARE(t.sent(), hex("FF FB 27"));
    QVERIFY(t.client.connected());
    QCOMPARE(connectedSpy.count(), 1);
    QCOMPARE(t.client.connectionState(), QStringLiteral("Negotiating"));
    QCOMPARE(t.client.status(), QStringLiteral("Negotiating TN5250…"));
    QCOMPARE(logLinesStartingWith(t.client.diagnostics(), QStringLiteral("TELNET")),
             QStringList() << QStringLiteral("TELNET TX WILL NEW-ENVIRON"));

    // Runs once per connection attempt.
    t.client.startNegotiation();
    QCOMPARE(t.sent(), QByteArray());
    QCOMPARE(connectedSpy.count(), 1);
}

void TelnetTest::startNegotiationWithoutSocketDoesNothing()
{
    Tn5250Client client;
    QSignalSpy connectedSpy(&client, SIGNAL(connectedChanged()));
    client.startNegotiation();
    QVERIFY(!client.connected());
    QCOMPARE(connectedSpy.count(), 0);
    QCOMPARE(client.connectionState(), QStringLiteral("Disconnected"));
    QVERIFY(!ClientProbe(client).negotiationStarted());
}

void TelnetTest::noSocketNoWritesNoDiagnostics()
{
    Tn5250Client client;
    client.clearDiagnostics();
    client.sendTelnetCommand(0xFB, 0x00);
    client.sendSubnegotiation(0x18, hex("00"));
    QCOMPARE(client.diagnostics(), QString());
    // The policy still keeps its flags, but only the RX line is logged.
    client.processTelnetBytes(hex("FF FD 00"));
    QVERIFY(ClientProbe(client).localBinary());
    QCOMPARE(logLines(client.diagnostics()), QStringList() << QStringLiteral("TELNET RX DO BINARY"));
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

    // RFC 1572 SEND with a list of variables; the reply ignores the list.
    const QByteArray envSend = hex("FF FA 27 01 03 44 45 56 4E 41 4D 45 FF F0");
    const QByteArray envTail = hex("03") + "KBDTYPE" + hex("01") + "USB" + hex("03") + "CODEPAGE" + hex("01") + "37" + hex("FF F0");
    QTest::newRow("NEW-ENVIRON with a device name")
        << false << QStringLiteral("qpadev01") << envSend
        << hex("FF FA 27 00 03") + "DEVNAME" + hex("01") + "QPADEV01" + envTail
        << (QStringList() << "Requested IBM i device name: QPADEV01" << "Requested EBCDIC code page 37");
    QTest::newRow("NEW-ENVIRON with a device name that needs cleaning")
        << false << QStringLiteral(" dsp-01 x ") << hex("FF FA 27 01 FF F0")
        << hex("FF FA 27 00 03") + "DEVNAME" + hex("01") + "DSP01X" + envTail
        << (QStringList() << "Requested IBM i device name: DSP01X" << "Requested EBCDIC code page 37");
    QTest::newRow("NEW-ENVIRON without a device name")
        << false << QString() << hex("FF FA 27 01 FF F0")
        << hex("FF FA 27 00") + envTail
        << (QStringList() << "Requested EBCDIC code page 37");
    QTest::newRow("NEW-ENVIRON with a device name that cleans away")
        << false << QStringLiteral("-- --") << envSend
        << hex("FF FA 27 00") + envTail
        << (QStringList() << "Requested EBCDIC code page 37");

    QTest::newRow("TERMINAL-TYPE IS from the host is ignored")
        << false << QString() << hex("FF FA 18 00") + "X" + hex("FF F0") << QByteArray() << QStringList();
    QTest::newRow("SEND for another option is ignored")
        << false << QString() << hex("FF FA 05 01 FF F0") << QByteArray() << QStringList();
    QTest::newRow("option byte alone is ignored")
        << false << QString() << hex("FF FA 18 FF F0") << QByteArray() << QStringList();
    QTest::newRow("empty subnegotiation is ignored")
        << false << QString() << hex("FF FA FF F0") << QByteArray() << QStringList();
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
    t.client.clearDiagnostics();
    t.client.processTelnetBytes(received);
    QCOMPARE(t.sent(), reply);
    QCOMPARE(logLines(t.client.diagnostics()), diagnostics);
}

void TelnetTest::subnegotiationIacIacIsOneByte()
{
    Tn5250Client client;
    client.processTelnetBytes(hex("FF FA 27 00 FF FF 41"));
    QCOMPARE(ClientProbe(client).subnegotiationBuffer(), hex("27 00 FF 41"));
}

void TelnetTest::escaping_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("empty") << QByteArray() << QByteArray();
    QTest::newRow("no 0xFF") << hex("00 12 A0 FE EF") << hex("00 12 A0 FE EF");
    QTest::newRow("one 0xFF in the middle") << hex("01 FF 02") << hex("01 FF FF 02");
    QTest::newRow("0xFF at both ends") << hex("FF 40 FF") << hex("FF FF 40 FF FF");
    QTest::newRow("three 0xFF in a row") << hex("FF FF FF") << hex("FF FF FF FF FF FF");
}

void TelnetTest::escaping()
{
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, expected);
    QCOMPARE(Tn5250Client::escapedTelnetData(input), expected);
}

void TelnetTest::recordBoundaries_data()
{
    QTest::addColumn<QList<QByteArray>>("reads");
    QTest::addColumn<QStringList>("rxLines");
    QTest::addColumn<int>("lastRecordBytes");

    // A record whose flags byte is 0xFF: escaped on the wire, counted once.
    const QByteArray flagsFF = ProtocolStreams::telnetRecord(0x02, QByteArray(), 0xFF);
    QTest::newRow("IAC IAC inside a record")
        << (QList<QByteArray>() << flagsFF) << (QStringList() << "RX opcode 0x02, 0 data bytes, flags 0xff") << 10;

    const QByteArray plain = ProtocolStreams::telnetRecord(0x02, hex("40 40"));
    QTest::newRow("IAC in one read, EOR in the next")
        << (QList<QByteArray>() << plain.left(plain.size() - 1) << plain.right(1))
        << (QStringList() << "RX opcode 0x02, 2 data bytes") << 12;
    QTest::newRow("escaped 0xFF split between reads")
        << (QList<QByteArray>() << flagsFF.left(8) << flagsFF.mid(8))
        << (QStringList() << "RX opcode 0x02, 0 data bytes, flags 0xff") << 10;
    QTest::newRow("IAC EOR with nothing before it") << (QList<QByteArray>() << hex("FF EF FF EF")) << QStringList() << 0;
    QTest::newRow("IAC NOP and IAC GA inside a record are ignored")
        << (QList<QByteArray>() << plain.left(5) + hex("FF F1 FF F9") + plain.mid(5))
        << (QStringList() << "RX opcode 0x02, 2 data bytes") << 12;
    QTest::newRow("two records in one read")
        << (QList<QByteArray>() << plain + flagsFF)
        << (QStringList() << "RX opcode 0x02, 2 data bytes" << "RX opcode 0x02, 0 data bytes, flags 0xff") << 10;
}

void TelnetTest::recordBoundaries()
{
    QFETCH(QList<QByteArray>, reads);
    QFETCH(QStringList, rxLines);
    QFETCH(int, lastRecordBytes);

    Tn5250Client client;
    for (const QByteArray &read : reads)
        client.processTelnetBytes(read);
    QCOMPARE(logLinesStartingWith(client.diagnostics(), QStringLiteral("RX ")), rxLines);
    QCOMPARE(client.rxRecordCount(), rxLines.size());
    QCOMPARE(client.lastRecordBytes(), lastRecordBytes);
    QCOMPARE(logLinesStartingWith(client.diagnostics(), QStringLiteral("Ignored")), QStringList());
}

void TelnetTest::oversizedRecordIsDropped_data()
{
    QTest::addColumn<QByteArray>("oversized");
    QTest::addColumn<int>("chunk");

    QByteArray plain(BOUND + 1, char(0x40));
    QTest::newRow("one byte past the bound, in 4 KiB reads") << plain << 4096;
    QTest::newRow("one byte past the bound, in one read") << plain << plain.size();
    QByteArray escapedEnd(BOUND, char(0x40));
    escapedEnd += hex("FF FF");
    QTest::newRow("an escaped 0xFF crosses the bound") << escapedEnd << 1000;
    QByteArray far(3 * BOUND, char(0x40));
    QTest::newRow("three times the bound") << far << 30000;
}

void TelnetTest::oversizedRecordIsDropped()
{
    QFETCH(QByteArray, oversized);
    QFETCH(int, chunk);

    Tn5250Client client;
    ClientProbe probe(client);
    // The host keeps going after the bound: more data (with an escaped
    // 0xFF), then its IAC EOR, then a good record.
    const QByteArray tail = hex("40 40 FF FF 40") + ProtocolStreams::record(0x02, hex("40")) + hex("FF EF");
    const QByteArray good = ProtocolStreams::telnetRecord(0x02, hex("40 40 40"));
    const QByteArray stream = oversized + tail + good;
    for (int at = 0; at < stream.size(); at += chunk) {
        client.processTelnetBytes(stream.mid(at, chunk));
        QVERIFY2(probe.recordBuffer().size() <= BOUND, qPrintable(QString::number(probe.recordBuffer().size())));
    }
    QCOMPARE(logLinesStartingWith(client.diagnostics(), QStringLiteral("Dropped")),
             QStringList() << QStringLiteral("Dropped oversized TN5250 record (more than 65535 bytes without IAC EOR)"));
    // Only the good record arrives; the dropped record's tail is not read as
    // a record of its own.
    QCOMPARE(logLinesStartingWith(client.diagnostics(), QStringLiteral("RX ")),
             QStringList() << QStringLiteral("RX opcode 0x02, 3 data bytes"));
    QCOMPARE(logLinesStartingWith(client.diagnostics(), QStringLiteral("Ignored")), QStringList());
    QCOMPARE(client.rxRecordCount(), 1);
    QCOMPARE(probe.recordBuffer().size(), 0);
}

void TelnetTest::recordOfExactlyTheBoundIsKept()
{
    Tn5250Client client;
    const QByteArray data(BOUND - 10, char(0x40));
    const QByteArray stream = ProtocolStreams::telnetRecord(0x02, data);
    for (int at = 0; at < stream.size(); at += 7777)
        client.processTelnetBytes(stream.mid(at, 7777));
    QCOMPARE(client.rxRecordCount(), 1);
    QCOMPARE(client.lastRecordBytes(), BOUND);
    QCOMPARE(logLinesStartingWith(client.diagnostics(), QStringLiteral("Dropped")), QStringList());
}

void TelnetTest::negotiationInsideDroppedRecordIsAnswered()
{
    LoopbackTerminal t;
    QVERIFY(t.attach());
    t.client.processTelnetBytes(QByteArray(BOUND + 10, char(0x40)));
    t.client.processTelnetBytes(hex("40 FF FD 00 40 40"));
    QCOMPARE(t.sent(), hex("FF FB 00"));
    t.client.processTelnetBytes(hex("FF EF") + ProtocolStreams::telnetRecord(0x02, hex("40")));
    QCOMPARE(t.client.rxRecordCount(), 1);
}

void TelnetTest::protocolResetEndsSkipping()
{
    Tn5250Client client;
    client.processTelnetBytes(QByteArray(BOUND + 10, char(0x40)));
    QCOMPARE(logLinesStartingWith(client.diagnostics(), QStringLiteral("Dropped")).size(), 1);
    // A new connection starts from scratch: its first record is not skipped.
    client.resetProtocolState();
    client.processTelnetBytes(ProtocolStreams::telnetRecord(0x02, hex("40")));
    QCOMPARE(client.rxRecordCount(), 1);
}

void TelnetTest::oversizedSubnegotiationIsDropped()
{
    LoopbackTerminal t;
    QVERIFY(t.attach());
    ClientProbe probe(t.client);
    // A TERMINAL-TYPE SEND that never ends, with escaped 0xFF inside.
    QByteArray stream = hex("FF FA 18 01");
    for (int i = 0; i < 40000; ++i)
        stream += hex("41 FF FF");
    stream += hex("FF F0");
    stream += hex("FF FA 18 01 FF F0");
    for (int at = 0; at < stream.size(); at += 5000) {
        t.client.processTelnetBytes(stream.mid(at, 5000));
        QVERIFY(probe.subnegotiationBuffer().size() <= BOUND);
    }
    QCOMPARE(logLinesStartingWith(t.client.diagnostics(), QStringLiteral("Dropped")),
             QStringList() << QStringLiteral("Dropped oversized telnet subnegotiation (more than 65535 bytes without IAC SE)"));
    // Only the second request is answered.
    QCOMPARE(t.sent(), ttReply("IBM-3179-2"));
    QCOMPARE(logLinesStartingWith(t.client.diagnostics(), QStringLiteral("Terminal type")).size(), 1);
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
