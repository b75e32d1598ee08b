// The telnet layer without a socket: the byte parser's escaping, record
// boundaries and the bound on what a host can make it buffer, and the
// negotiation policy with the options it leaves agreed.
#include <QtTest>

#include "common/protocolstreams.h"
#include "protocol/telnetoptions.h"
#include "protocol/telnetparser.h"

using ProtocolStreams::hex;

namespace {

// Everything the parser reports, in order.
struct Recorder : TelnetParser::Events
{
    QList<QByteArray> records;
    QStringList negotiations;    // "fd 00"
    QList<QByteArray> subnegotiations;
    QStringList dropped;
    // Every event in arrival order, and whether feed() is asked to stop
    // after each of them.
    QStringList order;
    bool pauseAfterEach = false;
    int pauses = 0;

    void telnetRecord(const QByteArray &record) override
    {
        records << record;
        order << QStringLiteral("record ") + QString::fromLatin1(record.toHex());
    }
    void telnetNegotiation(quint8 verb, quint8 option) override
    {
        negotiations << QStringLiteral("%1 %2").arg(verb, 2, 16, QLatin1Char('0')).arg(option, 2, 16, QLatin1Char('0'));
        order << QStringLiteral("negotiation ") + negotiations.last();
    }
    void telnetSubnegotiation(const QByteArray &bytes) override
    {
        subnegotiations << bytes;
        order << QStringLiteral("subnegotiation ") + QString::fromLatin1(bytes.toHex());
    }
    bool telnetPaused() override
    {
        pauses += pauseAfterEach ? 1 : 0;
        return pauseAfterEach;
    }
    void telnetDropped(const QString &diagnostic) override { dropped << diagnostic; }
};

enum Flag { LB = 1, RB = 2, LE = 4, RE = 8, TT = 16 };

int flagsOf(const TelnetOptions &options)
{
    return (options.localBinary() ? LB : 0) | (options.remoteBinary() ? RB : 0) | (options.localEor() ? LE : 0)
        | (options.remoteEor() ? RE : 0) | (options.terminalTypeRequested() ? TT : 0);
}

// Runs IAC verb option triples through the policy; the last answer.
TelnetOptions::Answer negotiate(TelnetOptions &options, const QByteArray &commands)
{
    TelnetOptions::Answer last;
    for (int i = 0; i + 2 < commands.size(); i += 3)
        last = options.answer(quint8(commands.at(i + 1)), quint8(commands.at(i + 2)));
    return last;
}

const int BOUND = 65535;

} // namespace

class TelnetParserTest : public QObject
{
    Q_OBJECT

private slots:
    void negotiationPolicy_data();
    void negotiationPolicy();
    void ownOffer_data();
    void ownOffer();
    void agreementNeedsAllFiveFlags_data();
    void agreementNeedsAllFiveFlags();
    void subnegotiationRequests_data();
    void subnegotiationRequests();
    void environmentAnswers_data();
    void environmentAnswers();
    void subnegotiationIacIacIsOneByte();
    void recordBoundaries_data();
    void recordBoundaries();
    void pausedFeedContinuesInOrder_data();
    void pausedFeedContinuesInOrder();
    void oversizedRecordIsDropped_data();
    void oversizedRecordIsDropped();
    void recordOfExactlyTheBoundIsKept();
    void negotiationInsideDroppedRecordIsAnswered();
    void resetEndsSkipping();
    void oversizedSubnegotiationIsDropped();
};

void TelnetParserTest::negotiationPolicy_data()
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
    QTest::newRow("DONT SGA while on") << hex("FF FD 03") << hex("FF FE 03") << hex("FF FC 03") << 0
                                       << "TELNET RX DONT SGA" << "TELNET TX WONT SGA";
    QTest::newRow("DONT SGA while off is not answered") << QByteArray() << hex("FF FE 03") << QByteArray() << 0
                                                        << "TELNET RX DONT SGA" << "";
    QTest::newRow("DONT TERMINAL-TYPE turns the terminal type off")
        << hex("FF FD 18") << hex("FF FE 18") << hex("FF FC 18") << 0
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
    QTest::newRow("WONT SGA while on") << hex("FF FB 03") << hex("FF FC 03") << hex("FF FE 03") << 0
                                       << "TELNET RX WONT SGA" << "TELNET TX DONT SGA";
    QTest::newRow("WONT option 5 while off is not answered") << QByteArray() << hex("FF FC 05") << QByteArray() << 0
                                                             << "TELNET RX WONT option-5" << "";
    QTest::newRow("DO BINARY again is not answered") << hex("FF FD 00") << hex("FF FD 00") << QByteArray()
                                                     << int(LB) << "TELNET RX DO BINARY" << "";
    QTest::newRow("WILL EOR again is not answered") << hex("FF FB 19") << hex("FF FB 19") << QByteArray()
                                                    << int(RE) << "TELNET RX WILL EOR" << "";
    QTest::newRow("DO option 5 again is refused again") << hex("FF FD 05") << hex("FF FD 05") << hex("FF FC 05")
                                                        << 0 << "TELNET RX DO option-5" << "TELNET TX WONT option-5";
    QTest::newRow("DO BINARY after DONT BINARY is answered") << hex("FF FD 00 FF FE 00") << hex("FF FD 00")
                                                             << hex("FF FB 00") << int(LB) << "TELNET RX DO BINARY"
                                                             << "TELNET TX WILL BINARY";

}

void TelnetParserTest::negotiationPolicy()
{
    QFETCH(QByteArray, prelude);
    QFETCH(QByteArray, received);
    QFETCH(QByteArray, reply);
    QFETCH(int, flags);
    QFETCH(QString, rxLine);
    QFETCH(QString, txLine);

    // The commands reach the policy the way the parser finds them.
    Recorder recorder;
    TelnetParser parser;
    parser.feed(prelude + received, recorder);
    QCOMPARE(recorder.negotiations.size(), (prelude.size() + received.size()) / 3);

    TelnetOptions options;
    negotiate(options, prelude);
    const TelnetOptions::Answer answer = negotiate(options, received);
    QCOMPARE(answer.reply, reply);
    QCOMPARE(flagsOf(options), flags);
    QCOMPARE(answer.received, rxLine);
    QCOMPARE(answer.sent, txLine);
}

// The terminal's own WILL NEW-ENVIRON: the host's DO or DONT settles it
// without a reply, and it is made once.
void TelnetParserTest::ownOffer_data()
{
    QTest::addColumn<QByteArray>("prelude");
    QTest::addColumn<quint8>("option");
    QTest::addColumn<QByteArray>("offer");
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<bool>("enabled");

    QTest::newRow("host acknowledges with DO") << QByteArray() << quint8(0x27) << hex("FF FB 27") << hex("FF FD 27")
                                               << QByteArray() << true;
    QTest::newRow("host refuses with DONT") << QByteArray() << quint8(0x27) << hex("FF FB 27") << hex("FF FE 27")
                                            << QByteArray() << false;
    QTest::newRow("host asked first: no offer") << hex("FF FD 27") << quint8(0x27) << QByteArray() << hex("FF FD 27")
                                                << QByteArray() << true;
    QTest::newRow("an option the terminal refuses is never offered") << QByteArray() << quint8(0x01) << QByteArray()
                                                                     << hex("FF FD 01") << hex("FF FC 01") << false;
}

void TelnetParserTest::ownOffer()
{
    QFETCH(QByteArray, prelude);
    QFETCH(quint8, option);
    QFETCH(QByteArray, offer);
    QFETCH(QByteArray, answer);
    QFETCH(QByteArray, reply);
    QFETCH(bool, enabled);

    TelnetOptions options;
    negotiate(options, prelude);
    QString sent;
    QCOMPARE(options.offer(option, &sent), offer);
    QCOMPARE(sent.isEmpty(), offer.isEmpty());
    QCOMPARE(options.offer(option), QByteArray());
    QCOMPARE(negotiate(options, answer).reply, reply);
    QCOMPARE(options.localEnabled(option), enabled);
}

void TelnetParserTest::agreementNeedsAllFiveFlags_data()
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

void TelnetParserTest::agreementNeedsAllFiveFlags()
{
    QFETCH(QList<QByteArray>, commands);
    TelnetOptions options;
    for (int i = 0; i < commands.size(); ++i) {
        const bool last = i == commands.size() - 1;
        QVERIFY2(negotiate(options, commands.at(i)).agreed == last,
                 qPrintable(QStringLiteral("after %1 commands").arg(i + 1)));
    }
    QVERIFY(options.agreed());
    // Every later command confirms it; taking binary back ends it.
    QVERIFY(negotiate(options, hex("FF FD 03")).agreed);
    QVERIFY(!negotiate(options, hex("FF FE 00")).agreed);
    QVERIFY(!options.agreed());
    options.reset();
    QCOMPARE(flagsOf(options), 0);
}

void TelnetParserTest::subnegotiationRequests_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("request");
    QTest::newRow("TERMINAL-TYPE SEND") << hex("18 01") << int(TelnetOptions::TerminalTypeRequest);
    QTest::newRow("NEW-ENVIRON SEND with variables") << hex("27 01 03 44 45 56") << int(TelnetOptions::EnvironmentRequest);
    QTest::newRow("TERMINAL-TYPE IS from the host") << hex("18 00 C1") << int(TelnetOptions::NoRequest);
    QTest::newRow("SEND for another option") << hex("05 01") << int(TelnetOptions::NoRequest);
    QTest::newRow("option byte alone") << hex("18") << int(TelnetOptions::NoRequest);
    QTest::newRow("empty") << QByteArray() << int(TelnetOptions::NoRequest);
}

void TelnetParserTest::subnegotiationRequests()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, request);
    QCOMPARE(int(TelnetOptions::request(bytes)), request);
}

// The IS payload for a SEND (option byte and SEND first), as RFC 1572 and
// IBM i's national-language table have it.
void TelnetParserTest::environmentAnswers_data()
{
    QTest::addColumn<QString>("deviceName");
    QTest::addColumn<int>("codePage");
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QByteArray>("payload");

    const QByteArray send = hex("27 01");
    QTest::newRow("German: AGB, 273, 697") << QString() << 273 << send
        << hex("00 03") + "KBDTYPE" + hex("01") + "AGB" + hex("03") + "CODEPAGE" + hex("01") + "273" + hex("03")
               + "CHARSET" + hex("01") + "697";
    QTest::newRow("Finnish and Swedish: FNB, 278, 697") << QString() << 278 << send + hex("03") + "CODEPAGE"
        << hex("00 03") + "KBDTYPE" + hex("01") + "FNB" + hex("03") + "CODEPAGE" + hex("01") + "278" + hex("03")
               + "CHARSET" + hex("01") + "697";
    QTest::newRow("Latin-2: CSB, 870, 959") << QString() << 870 << send + hex("03") + "KBDTYPE"
        << hex("00 03") + "KBDTYPE" + hex("01") + "CSB" + hex("03") + "CODEPAGE" + hex("01") + "870" + hex("03")
               + "CHARSET" + hex("01") + "959";
    QTest::newRow("a VAR and a quoted user variable the terminal lacks")
        << QStringLiteral("DSP01") << 37 << send + hex("00") + "USER" + hex("03 58 02 01")
        << hex("00 00") + "USER" + hex("03 58 02 01");
    QTest::newRow("VAR alone: the terminal has none") << QStringLiteral("DSP01") << 37 << send + hex("00")
                                                      << hex("00");
    QTest::newRow("each variable once however often asked")
        << QStringLiteral("DSP01") << 285 << send + hex("03") + "DEVNAME" + hex("03") + "CHARSET" + hex("03")
               + "DEVNAME" + hex("03")
        << hex("00 03") + "DEVNAME" + hex("01") + "DSP01" + hex("03") + "KBDTYPE" + hex("01") + "UKB" + hex("03")
               + "CODEPAGE" + hex("01") + "285" + hex("03") + "CHARSET" + hex("01") + "697";
    QTest::newRow("a seed cut short by the end of the request") << QStringLiteral("DSP01") << 37
                                                                << send + hex("03") + "IBMRSEED" + hex("01 02")
                                                                << hex("00");
}

void TelnetParserTest::environmentAnswers()
{
    QFETCH(QString, deviceName);
    QFETCH(int, codePage);
    QFETCH(QByteArray, request);
    QFETCH(QByteArray, payload);
    QCOMPARE(TelnetOptions::environmentIs(request, deviceName, codePage).payload.toHex(), payload.toHex());
}

void TelnetParserTest::subnegotiationIacIacIsOneByte()
{
    Recorder recorder;
    TelnetParser parser;
    parser.feed(hex("FF FA 27 00 FF FF 41"), recorder);
    QCOMPARE(parser.pendingSubnegotiation(), hex("27 00 FF 41"));
    parser.feed(hex("FF F0"), recorder);
    QCOMPARE(recorder.subnegotiations, QList<QByteArray>() << hex("27 00 FF 41"));
    QCOMPARE(parser.pendingSubnegotiation(), QByteArray());
}

void TelnetParserTest::recordBoundaries_data()
{
    QTest::addColumn<QList<QByteArray>>("reads");
    QTest::addColumn<QList<QByteArray>>("records");

    // A record whose flags byte is 0xFF: escaped on the wire, delivered once.
    const QByteArray flagsRecord = ProtocolStreams::record(0x02, QByteArray(), 0xFF);
    const QByteArray flagsFF = ProtocolStreams::telnetRecord(0x02, QByteArray(), 0xFF);
    QTest::newRow("IAC IAC inside a record")
        << (QList<QByteArray>() << flagsFF) << (QList<QByteArray>() << flagsRecord);

    const QByteArray plainRecord = ProtocolStreams::record(0x02, hex("40 40"));
    const QByteArray plain = ProtocolStreams::telnetRecord(0x02, hex("40 40"));
    QTest::newRow("IAC in one read, EOR in the next")
        << (QList<QByteArray>() << plain.left(plain.size() - 1) << plain.right(1))
        << (QList<QByteArray>() << plainRecord);
    QTest::newRow("escaped 0xFF split between reads")
        << (QList<QByteArray>() << flagsFF.left(8) << flagsFF.mid(8)) << (QList<QByteArray>() << flagsRecord);
    QTest::newRow("IAC EOR with nothing before it") << (QList<QByteArray>() << hex("FF EF FF EF")) << QList<QByteArray>();
    QTest::newRow("IAC NOP and IAC GA inside a record are ignored")
        << (QList<QByteArray>() << plain.left(5) + hex("FF F1 FF F9") + plain.mid(5))
        << (QList<QByteArray>() << plainRecord);
    QTest::newRow("two records in one read")
        << (QList<QByteArray>() << plain + flagsFF) << (QList<QByteArray>() << plainRecord << flagsRecord);
}

void TelnetParserTest::recordBoundaries()
{
    QFETCH(QList<QByteArray>, reads);
    QFETCH(QList<QByteArray>, records);

    Recorder recorder;
    TelnetParser parser;
    for (const QByteArray &read : reads)
        parser.feed(read, recorder);
    QCOMPARE(recorder.records, records);
    QCOMPARE(recorder.negotiations, QStringList());
    QCOMPARE(recorder.dropped, QStringList());
}

// A feed stopped after any event and continued from where it stopped
// reports exactly what one uninterrupted feed reports, in the same order.
void TelnetParserTest::pausedFeedContinuesInOrder_data()
{
    QTest::addColumn<QList<QByteArray>>("reads");
    QTest::addColumn<int>("events");

    const QByteArray a = ProtocolStreams::telnetRecord(0x03, hex("04 40"));
    const QByteArray b = ProtocolStreams::telnetRecord(0x00, hex("04 62 FF"));
    QTest::newRow("records only") << (QList<QByteArray>() << a + b + a) << 3;
    QTest::newRow("negotiations between records") << (QList<QByteArray>() << hex("FF FD 19") + a + hex("FF FB 00 FF FD 00") + b)
                                                  << 5;
    QTest::newRow("subnegotiation between records")
        << (QList<QByteArray>() << a + hex("FF FA 18 01 FF F0") + b + hex("FF FA 27 01 03 FF FF FF F0")) << 4;
    QTest::newRow("a read ending inside a record")
        << (QList<QByteArray>() << a + b.left(5) << b.mid(5) + a) << 3;
    QTest::newRow("a record ending in the last bytes") << (QList<QByteArray>() << a << b) << 2;
}

void TelnetParserTest::pausedFeedContinuesInOrder()
{
    QFETCH(QList<QByteArray>, reads);
    QFETCH(int, events);

    Recorder whole;
    TelnetParser wholeParser;
    for (const QByteArray &read : reads)
        QCOMPARE(wholeParser.feed(read, whole), read.size());

    Recorder paused;
    paused.pauseAfterEach = true;
    TelnetParser pausedParser;
    for (const QByteArray &read : reads) {
        int from = 0;
        int feeds = 0;
        while (from < read.size()) {
            const int next = pausedParser.feed(read, paused, from);
            QVERIFY(next > from);
            from = next;
            QVERIFY(++feeds <= read.size());
        }
        QCOMPARE(from, read.size());
    }
    QCOMPARE(whole.order.size(), events);
    QCOMPARE(paused.order, whole.order);
    QCOMPARE(paused.pauses, events);
}

void TelnetParserTest::oversizedRecordIsDropped_data()
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

void TelnetParserTest::oversizedRecordIsDropped()
{
    QFETCH(QByteArray, oversized);
    QFETCH(int, chunk);

    Recorder recorder;
    TelnetParser parser;
    // The host keeps going after the bound: more data (with an escaped
    // 0xFF), then its IAC EOR, then a good record.
    const QByteArray tail = hex("40 40 FF FF 40") + ProtocolStreams::record(0x02, hex("40")) + hex("FF EF");
    const QByteArray good = ProtocolStreams::telnetRecord(0x02, hex("40 40 40"));
    const QByteArray stream = oversized + tail + good;
    for (int at = 0; at < stream.size(); at += chunk) {
        parser.feed(stream.mid(at, chunk), recorder);
        QVERIFY2(parser.pendingRecordSize() <= BOUND, qPrintable(QString::number(parser.pendingRecordSize())));
    }
    QCOMPARE(recorder.dropped,
             QStringList() << QStringLiteral("Dropped oversized TN5250 record (more than 65535 bytes without IAC EOR)"));
    // Only the good record arrives; the dropped record's tail is not read as
    // a record of its own.
    QCOMPARE(recorder.records, QList<QByteArray>() << ProtocolStreams::record(0x02, hex("40 40 40")));
    QCOMPARE(parser.pendingRecordSize(), 0);
}

void TelnetParserTest::recordOfExactlyTheBoundIsKept()
{
    Recorder recorder;
    TelnetParser parser;
    const QByteArray data(BOUND - 10, char(0x40));
    const QByteArray stream = ProtocolStreams::telnetRecord(0x02, data);
    for (int at = 0; at < stream.size(); at += 7777)
        parser.feed(stream.mid(at, 7777), recorder);
    QCOMPARE(recorder.records.size(), 1);
    QCOMPARE(recorder.records.first().size(), BOUND);
    QCOMPARE(recorder.dropped, QStringList());
}

void TelnetParserTest::negotiationInsideDroppedRecordIsAnswered()
{
    Recorder recorder;
    TelnetParser parser;
    parser.feed(QByteArray(BOUND + 10, char(0x40)), recorder);
    parser.feed(hex("40 FF FD 00 40 40"), recorder);
    QCOMPARE(recorder.negotiations, QStringList() << QStringLiteral("fd 00"));
    parser.feed(hex("FF EF") + ProtocolStreams::telnetRecord(0x02, hex("40")), recorder);
    QCOMPARE(recorder.records, QList<QByteArray>() << ProtocolStreams::record(0x02, hex("40")));
}

void TelnetParserTest::resetEndsSkipping()
{
    Recorder recorder;
    TelnetParser parser;
    parser.feed(QByteArray(BOUND + 10, char(0x40)), recorder);
    QCOMPARE(recorder.dropped.size(), 1);
    // A new connection starts from scratch: its first record is not skipped.
    parser.reset();
    parser.feed(ProtocolStreams::telnetRecord(0x02, hex("40")), recorder);
    QCOMPARE(recorder.records.size(), 1);
}

void TelnetParserTest::oversizedSubnegotiationIsDropped()
{
    Recorder recorder;
    TelnetParser parser;
    // A TERMINAL-TYPE SEND that never ends, with escaped 0xFF inside.
    QByteArray stream = hex("FF FA 18 01");
    for (int i = 0; i < 40000; ++i)
        stream += hex("41 FF FF");
    stream += hex("FF F0");
    stream += hex("FF FA 18 01 FF F0");
    for (int at = 0; at < stream.size(); at += 5000) {
        parser.feed(stream.mid(at, 5000), recorder);
        QVERIFY(parser.pendingSubnegotiation().size() <= BOUND);
    }
    QCOMPARE(recorder.dropped,
             QStringList() << QStringLiteral("Dropped oversized telnet subnegotiation (more than 65535 bytes without IAC SE)"));
    // Only the second request arrives.
    QCOMPARE(recorder.subnegotiations, QList<QByteArray>() << hex("18 01"));
}

QTEST_GUILESS_MAIN(TelnetParserTest)
#include "tst_telnetparser.moc"
