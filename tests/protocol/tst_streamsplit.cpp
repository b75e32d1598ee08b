// One whole host session (negotiation, sign-on screen, Save Screen, 5250
// Query, menu, Read Screen, Restore Screen, a 27 x 132 screen, broken and
// unsupported records) fed to the parser in one piece, byte by byte, split
// after every IAC, and in seeded random chunk sizes: the terminal must end
// up with the same screen, the same log and the same bytes sent back.
#include <random>

#include <QtTest>

#include "app/tn5250client.h"
#include "common/clientprobe.h"
#include "common/hexfixture.h"
#include "common/loopbackpair.h"
#include "common/protocolstreams.h"

using ProtocolStreams::hex;
using ProtocolStreams::telnetRecord;

namespace {

QByteArray hostSession()
{
    QByteArray s;
    // Negotiation, with the subnegotiation requests in between.
    s += hex("FF FD 18 FF FA 18 01 FF F0");
    s += hex("FF FD 19 FF FB 19 FF FD 00 FF FB 00 FF FD 03 FF FB 01");
    s += hex("FF FD 27 FF FA 27 01 03") + "DEVNAME" + hex("03") + "CODEPAGE" + hex("FF F0");
    s += telnetRecord(0x03, HexFixture::load(QStringLiteral("signon.hex")));
    s += telnetRecord(0x04, hex("04 02"));
    s += telnetRecord(0x00, hex("04 F3 00 05 D9 70 00"));
    s += hex("FF F1"); // NOP between records
    s += telnetRecord(0x03, HexFixture::load(QStringLiteral("menu.hex")));
    // Transparent data with 0xFF bytes, and a record with flags 0xFF.
    s += telnetRecord(0x00, hex("04 21 11 18 01 10 00 03 FF C1 FF"));
    s += telnetRecord(0x02, QByteArray(), 0xFF);
    s += telnetRecord(0x08, hex("04 62"));
    s += telnetRecord(0x05, hex("04 12 04 12 56 4E 54 4C 00 00 00 01"));
    s += telnetRecord(0x0B, QByteArray());
    s += telnetRecord(0x07, hex("04 40"));
    s += hex("00 05 12 A0 00 FF EF"); // short
    s += hex("00 20 12 A0 00 00 04 00 00 03 FF EF"); // wrong length
    s += telnetRecord(0x03, HexFixture::load(QStringLiteral("wide.hex")));
    s += telnetRecord(0x0A, QByteArray());
    s += hex("FF FD 05");
    return s;
}

struct Outcome
{
    QString text;
    QStringList fields;
    int cursor = -1;
    bool keyboardLocked = false;
    bool messageWaiting = false;
    int records = 0;
    int lastRecordBytes = 0;
    QStringList log;
    QByteArray sent;
    QString state;
};

// The reads handed to processTelnetBytes; or, with turnMs >= 0, written by
// the host end of the socket and parsed by the client's own socket path in
// turns of that many ms (the number of turns it took in `turns`).
Outcome run(const QList<QByteArray> &reads, int turnMs = -1, int *turns = nullptr)
{
    Outcome outcome;
    Tn5250Client client;
    client.setSupport132(false);
    client.setDeviceName(QStringLiteral("vntl01"));
    client.setCodePage(37);
    LoopbackPair pair;
    if (!pair.open())
        return outcome;
    ClientProbe probe(client);
    probe.socket() = pair.terminalEnd();
    client.clearDiagnostics();
    if (turnMs < 0) {
        for (const QByteArray &read : reads)
            client.processTelnetBytes(read);
    } else {
        QObject::connect(pair.terminalEnd(), SIGNAL(readyRead()), &client, SLOT(socketReadyRead()));
        probe.hostTurnMs() = turnMs;
        QSignalSpy continuations(probe.hostDataTimer(), SIGNAL(timeout()));
        for (const QByteArray &read : reads) {
            pair.hostEnd()->write(read);
            pair.hostEnd()->flush();
        }
        // The session's last byte answered (WONT 5) and nothing left to parse.
        QTest::qWaitFor([&]() {
            return client.diagnostics().contains(QStringLiteral("TELNET TX WONT")) && !probe.hostDataTimer()->isActive();
        }, 20000);
        if (turns)
            *turns = continuations.count() + 1;
    }

    const TerminalScreen &screen = client.terminalScreen();
    outcome.text = client.terminalText();
    for (const TerminalScreen::Field &field : screen.fields) {
        outcome.fields << QStringLiteral("%1+%2 %3%4 %5 %6")
                              .arg(field.start).arg(field.length)
                              .arg(field.ffwHigh, 2, 16, QLatin1Char('0')).arg(field.ffwLow, 2, 16, QLatin1Char('0'))
                              .arg(field.attribute, 2, 16, QLatin1Char('0')).arg(field.modified);
    }
    outcome.cursor = screen.cursor;
    outcome.keyboardLocked = screen.keyboardLocked;
    outcome.messageWaiting = screen.messageWaiting;
    outcome.records = client.rxRecordCount();
    outcome.lastRecordBytes = client.lastRecordBytes();
    outcome.log = ProtocolStreams::logLines(client.diagnostics());
    outcome.sent = pair.takeSent();
    outcome.state = client.connectionState();
    return outcome;
}

QList<QByteArray> inChunks(const QByteArray &stream, unsigned seed, int largest)
{
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> size(1, largest);
    QList<QByteArray> reads;
    for (int at = 0; at < stream.size();) {
        const int n = size(random);
        reads << stream.mid(at, n);
        at += n;
    }
    return reads;
}

} // namespace

class StreamSplitTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void sameOutcomeHoweverSplit_data();
    void sameOutcomeHoweverSplit();
    void sameOutcomeThroughTheSocketInTurns_data();
    void sameOutcomeThroughTheSocketInTurns();

private:
    QByteArray m_stream;
    Outcome m_whole;
};

void StreamSplitTest::initTestCase()
{
    m_stream = hostSession();
    m_whole = run(QList<QByteArray>() << m_stream);
    // The reference run itself must have done the whole session, or the
    // comparisons below would prove nothing.
    QCOMPARE(m_whole.records, 12);
    QCOMPARE(m_whole.state, QStringLiteral("Ready"));
    QCOMPARE(m_whole.fields.size(), 3);
    QVERIFY(m_whole.text.contains(QStringLiteral("Work with Active Jobs")));
    QVERIFY(m_whole.messageWaiting);
    QVERIFY(m_whole.keyboardLocked);
    QVERIFY(m_whole.log.contains(QStringLiteral("Restored saved presentation space")));
    QVERIFY(m_whole.log.contains(QStringLiteral("Unsupported opcode 0x07")));
    QVERIFY(m_whole.log.contains(QStringLiteral("Ignored short TN5250 record (5 bytes)")));
    QVERIFY(m_whole.log.contains(QStringLiteral("Ignored malformed GDS record (declared 32, received 10)")));
    QVERIFY(m_whole.log.contains(QStringLiteral("RX opcode 0x02, 0 data bytes, flags 0xff")));
    QVERIFY(m_whole.log.contains(QStringLiteral("TX conservative 5250 Query Reply: 3179-02")));
    // Terminal type, environment, Save Screen token, Query Reply, Read
    // Screen and the Cancel Invite echo all went out.
    QVERIFY(m_whole.sent.contains(hex("FF FA 18 00") + "IBM-3179-2" + hex("FF F0")));
    QVERIFY(m_whole.sent.contains(hex("01") + "VNTL01" + hex("03") + "KBDTYPE"));
    QVERIFY(m_whole.sent.contains(hex("04 12 56 4E 54 4C 00 00 00 01 FF EF")));
    QVERIFY(m_whole.sent.contains(hex("00 47 12 A0 00 00 04 00 00 00 00 00 88 00 3A D9 70 80")));
    QVERIFY(m_whole.sent.contains(hex("07 8A 12 A0 00 00 04 00 00 00")));
    QVERIFY(m_whole.sent.endsWith(hex("00 0A 12 A0 00 00 04 00 00 0A FF EF FF FC 05")));
}

void StreamSplitTest::sameOutcomeHoweverSplit_data()
{
    QTest::addColumn<QList<QByteArray>>("reads");

    const QByteArray stream = hostSession();
    QList<QByteArray> bytes;
    for (int i = 0; i < stream.size(); ++i)
        bytes << stream.mid(i, 1);
    QTest::newRow("byte by byte") << bytes;

    QList<QByteArray> afterIac;
    int from = 0;
    for (int i = 0; i < stream.size(); ++i) {
        if (quint8(stream.at(i)) == 0xFF) {
            afterIac << stream.mid(from, i + 1 - from);
            from = i + 1;
        }
    }
    afterIac << stream.mid(from);
    QTest::newRow("split after every IAC") << afterIac;

    QTest::newRow("random chunks of 1-3 bytes, seed 1") << inChunks(stream, 1, 3);
    QTest::newRow("random chunks of 1-16 bytes, seed 2") << inChunks(stream, 2, 16);
    QTest::newRow("random chunks of 1-64 bytes, seed 3") << inChunks(stream, 3, 64);
    QTest::newRow("random chunks of 1-1500 bytes, seed 4") << inChunks(stream, 4, 1500);
    QTest::newRow("random chunks of 1-1500 bytes, seed 5") << inChunks(stream, 5, 1500);
}

void StreamSplitTest::sameOutcomeHoweverSplit()
{
    QFETCH(QList<QByteArray>, reads);
    QCOMPARE(reads.size() > 1, true);
    const Outcome outcome = run(reads);
    QCOMPARE(outcome.text, m_whole.text);
    QCOMPARE(outcome.fields, m_whole.fields);
    QCOMPARE(outcome.cursor, m_whole.cursor);
    QCOMPARE(outcome.keyboardLocked, m_whole.keyboardLocked);
    QCOMPARE(outcome.messageWaiting, m_whole.messageWaiting);
    QCOMPARE(outcome.records, m_whole.records);
    QCOMPARE(outcome.lastRecordBytes, m_whole.lastRecordBytes);
    QCOMPARE(outcome.log, m_whole.log);
    QCOMPARE(outcome.sent.toHex(), m_whole.sent.toHex());
}

// The socket's bytes parsed a bounded time per turn of the event loop, the
// rest in later turns: records keep their order and nothing is lost or done
// twice.
void StreamSplitTest::sameOutcomeThroughTheSocketInTurns_data()
{
    QTest::addColumn<QList<QByteArray>>("writes");
    QTest::addColumn<int>("turnMs");
    QTest::addColumn<int>("leastTurns");

    const QByteArray stream = hostSession();
    // No time at all: every record, command and subnegotiation its own turn.
    QTest::newRow("one piece, a turn per event") << (QList<QByteArray>() << stream) << 0 << 25;
    QTest::newRow("chunks of 1-1500 bytes, a turn per event") << inChunks(stream, 6, 1500) << 0 << 25;
    QTest::newRow("one piece, the usual turn") << (QList<QByteArray>() << stream)
                                               << int(Tn5250Client::HOST_TURN_MS) << 1;
}

void StreamSplitTest::sameOutcomeThroughTheSocketInTurns()
{
    QFETCH(QList<QByteArray>, writes);
    QFETCH(int, turnMs);
    QFETCH(int, leastTurns);
    int turns = 0;
    const Outcome outcome = run(writes, turnMs, &turns);
    QVERIFY2(turns >= leastTurns, qPrintable(QString::number(turns)));
    QCOMPARE(outcome.text, m_whole.text);
    QCOMPARE(outcome.fields, m_whole.fields);
    QCOMPARE(outcome.records, m_whole.records);
    QCOMPARE(outcome.log, m_whole.log);
    QCOMPARE(outcome.sent.toHex(), m_whole.sent.toHex());
}

QTEST_MAIN(StreamSplitTest)
#include "tst_streamsplit.moc"
