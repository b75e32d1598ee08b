// Record framing: which received records are accepted and how each is
// reported, the counters and the "Ready" state, the opcode dispatch, and the
// exact bytes of every record the terminal frames itself (RecordFramer, and
// the client that uses it).
#include <QSignalSpy>
#include <QtTest>

#include "app/tn5250client.h"
#include "common/clientprobe.h"
#include "common/loopbackpair.h"
#include "common/interpretedscreen.h"
#include "common/protocolstreams.h"
#include "protocol/aidresponse.h"
#include "protocol/datastream.h"
#include "protocol/recordframer.h"

using ProtocolStreams::hex;
using ProtocolStreams::logLines;
using ProtocolStreams::logLinesStartingWith;

class RecordsTest : public QObject
{
    Q_OBJECT

private slots:
    void validation_data();
    void validation();
    void countersAndReadyState();
    void readyStateIsEnteredOnce();
    void messageLight_data();
    void messageLight();
    void cancelInviteIsEchoed();
    void inviteAndPutGetUnlockTheKeyboard_data();
    void inviteAndPutGetUnlockTheKeyboard();
    void sendRecordFraming_data();
    void sendRecordFraming();
    void sendRecordWithoutSocket();
    void sendRecordRefusesWhatTheLengthCannotHold();
    void escaping_data();
    void escaping();
    void readU16_data();
    void readU16();
    void appendU16();
};

void RecordsTest::validation_data()
{
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("9 bytes are short") << hex("00 09 12 A0 00 00 04 00 00")
                                        << (QStringList() << "Ignored short TN5250 record (9 bytes)") << false;
    QTest::newRow("one byte is short") << hex("00") << (QStringList() << "Ignored short TN5250 record (1 bytes)")
                                       << false;
    QTest::newRow("10 bytes with variable header 4: valid, empty payload")
        << hex("00 0A 12 A0 00 00 04 00 00 02") << (QStringList() << "RX opcode 0x02, 0 data bytes") << true;
    QTest::newRow("declared 256, received 255")
        << hex("01 00 12 A0 00 00 04 00 00 02") + QByteArray(245, char(0x40))
        << (QStringList() << "Ignored malformed GDS record (declared 256, received 255)") << false;
    QTest::newRow("declared length above 32767 is unsigned")
        << hex("FF FE 12 A0 00 00 04 00 00 02")
        << (QStringList() << "Ignored malformed GDS record (declared 65534, received 10)") << false;
    QTest::newRow("two records run together")
        << ProtocolStreams::record(0x02, hex("40")) + ProtocolStreams::record(0x02, hex("40"))
        << (QStringList() << "Ignored malformed GDS record (declared 11, received 22)") << false;
    QTest::newRow("wrong record type 12 A1") << hex("00 0A 12 A1 00 00 04 00 00 02")
                                             << (QStringList() << "Ignored malformed GDS record (declared 10, received 10)")
                                             << false;
    QTest::newRow("wrong record type 13 A0") << hex("00 0A 13 A0 00 00 04 00 00 02")
                                             << (QStringList() << "Ignored malformed GDS record (declared 10, received 10)")
                                             << false;
    QTest::newRow("variable header 3") << hex("00 0B 12 A0 00 00 03 00 00 02 40")
                                       << (QStringList() << "Ignored record with invalid variable header") << false;
    QTest::newRow("variable header 0") << hex("00 0B 12 A0 00 00 00 00 00 02 40")
                                       << (QStringList() << "Ignored record with invalid variable header") << false;
    QTest::newRow("variable header reaching the end")
        << hex("00 0B 12 A0 00 00 06 00 00 02 40")
        << (QStringList() << "Ignored record with invalid variable header") << false;
    QTest::newRow("variable header 5: payload from offset 11, opcode still at 9")
        << hex("00 0D 12 A0 00 00 05 00 00 02 EE 40 40") << (QStringList() << "RX opcode 0x02, 2 data bytes"
                                                                         << "Payload contained no 5250 ESC commands (2 bytes)")
        << true;
    QTest::newRow("flags 0x40 are shown") << ProtocolStreams::record(0x02, QByteArray(), 0x40)
                                          << (QStringList() << "RX opcode 0x02, 0 data bytes, flags 0x40") << true;
    QTest::newRow("flags 0x0c are shown in lower case") << ProtocolStreams::record(0x02, QByteArray(), 0x0C)
                                                        << (QStringList() << "RX opcode 0x02, 0 data bytes, flags 0x0c")
                                                        << true;
    QTest::newRow("unsupported opcode 0x07")
        << ProtocolStreams::record(0x07, hex("04 40"))
        << (QStringList() << "RX opcode 0x07, 2 data bytes" << "Unsupported opcode 0x07") << true;
    QTest::newRow("unsupported opcode 0x09")
        << ProtocolStreams::record(0x09, QByteArray())
        << (QStringList() << "RX opcode 0x09, 0 data bytes" << "Unsupported opcode 0x09") << true;
    QTest::newRow("unsupported opcode 0x0D")
        << ProtocolStreams::record(0x0D, QByteArray())
        << (QStringList() << "RX opcode 0x0d, 0 data bytes" << "Unsupported opcode 0x0d") << true;
    QTest::newRow("unsupported opcode 0xFF")
        << ProtocolStreams::record(0xFF, QByteArray())
        << (QStringList() << "RX opcode 0xff, 0 data bytes" << "Unsupported opcode 0xff") << true;
}

void RecordsTest::validation()
{
    QFETCH(QByteArray, record);
    QFETCH(QStringList, lines);
    QFETCH(bool, accepted);

    const RecordFramer::Received parsed = RecordFramer::parse(record);
    QCOMPARE(parsed.accepted, accepted);
    QCOMPARE(accepted ? RecordFramer::receivedLine(parsed) : parsed.rejection, lines.first());

    Tn5250Client client;
    client.clearDiagnostics();
    QSignalSpy screenSpy(&client, SIGNAL(screenChanged()));
    QSignalSpy statsSpy(&client, SIGNAL(protocolStatsChanged()));
    const QString stateBefore = client.connectionState();
    receiveRecord(client, record);

    QStringList logged = logLines(client.diagnostics());
    // What the command scanner adds after the RX line is its own business.
    if (accepted && lines.size() == 1)
        logged = logged.mid(0, 1);
    QCOMPARE(logged, lines);
    QCOMPARE(client.rxRecordCount(), accepted ? 1 : 0);
    QCOMPARE(client.lastRecordBytes(), accepted ? record.size() : 0);
    QCOMPARE(statsSpy.count(), accepted ? 1 : 0);
    QCOMPARE(client.connectionState(), accepted ? QStringLiteral("Ready") : stateBefore);
    // Rejected records and unsupported opcodes leave the screen alone.
    const bool unsupported = lines.last().startsWith(QLatin1String("Unsupported"));
    if (!accepted || unsupported)
        QCOMPARE(screenSpy.count(), 0);
}

void RecordsTest::countersAndReadyState()
{
    Tn5250Client client;
    QSignalSpy infoSpy(&client, SIGNAL(connectionInfoChanged()));
    ClientProbe(client).setConnectionState(QStringLiteral("Negotiating"));
    infoSpy.clear();

    receiveRecord(client, ProtocolStreams::record(0x02, hex("40 40 40")));
    QCOMPARE(client.connectionState(), QStringLiteral("Ready"));
    QCOMPARE(client.reconnectAttempt(), 0);
    QCOMPARE(infoSpy.count(), 1);
    QCOMPARE(client.rxRecordCount(), 1);
    QCOMPARE(client.lastRecordBytes(), 13);

    receiveRecord(client, ProtocolStreams::record(0x02, hex("40")));
    QCOMPARE(client.rxRecordCount(), 2);
    QCOMPARE(client.lastRecordBytes(), 11);
    // A rejected record changes neither counter.
    receiveRecord(client, hex("00 20 12 A0 00 00 04 00 00 02"));
    QCOMPARE(client.rxRecordCount(), 2);
    QCOMPARE(client.lastRecordBytes(), 11);

    ClientProbe(client).resetProtocolState();
    QCOMPARE(client.rxRecordCount(), 0);
    QCOMPARE(client.lastRecordBytes(), 0);
}

void RecordsTest::readyStateIsEnteredOnce()
{
    Tn5250Client client;
    receiveRecord(client, ProtocolStreams::record(0x02, QByteArray()));
    QSignalSpy infoSpy(&client, SIGNAL(connectionInfoChanged()));
    receiveRecord(client, ProtocolStreams::record(0x02, QByteArray()));
    QCOMPARE(infoSpy.count(), 0);
    QCOMPARE(client.connectionState(), QStringLiteral("Ready"));
}

void RecordsTest::messageLight_data()
{
    QTest::addColumn<bool>("before");
    QTest::addColumn<quint8>("opcode");
    QTest::addColumn<bool>("after");
    QTest::newRow("0x0B turns it on") << false << quint8(0x0B) << true;
    QTest::newRow("0x0B keeps it on") << true << quint8(0x0B) << true;
    QTest::newRow("0x0C turns it off") << true << quint8(0x0C) << false;
}

void RecordsTest::messageLight()
{
    QFETCH(bool, before);
    QFETCH(quint8, opcode);
    QFETCH(bool, after);

    Tn5250Client client;
    ClientProbe(client).screen().messageWaiting = before;
    QSignalSpy screenSpy(&client, SIGNAL(screenChanged()));
    // The data is not looked at: a Clear Unit in it does nothing.
    ClientProbe(client).screen().resize(27, 132);
    receiveRecord(client, ProtocolStreams::record(opcode, hex("04 40")));
    QCOMPARE(client.messageWaiting(), after);
    QCOMPARE(screenSpy.count(), 1);
    QCOMPARE(client.columns(), 132);
}

void RecordsTest::cancelInviteIsEchoed()
{
    InterpretedScreen t;
    t.screen.resize(27, 132);
    t.screen.keyboardLocked = false;
    t.pendingReadMode = AidResponse::ReadMdtFields;
    t.run(0x0A, hex("04 40"));
    QCOMPARE(t.takeSent(), hex("00 0A 12 A0 00 00 04 00 00 0A FF EF"));
    QVERIFY(t.screen.keyboardLocked);
    QCOMPARE(t.pendingReadMode, 0);
    QCOMPARE(t.screenChanges, 1);
    // Its data (a Clear Unit here) is not looked at, and nothing follows the echo.
    QCOMPARE(t.screen.columns, 132);
    QVERIFY(!t.last.commandsRun);
}

void RecordsTest::inviteAndPutGetUnlockTheKeyboard_data()
{
    QTest::addColumn<quint8>("opcode");
    QTest::addColumn<bool>("unlocked");
    QTest::newRow("0x00 no operation") << quint8(0x00) << false;
    QTest::newRow("0x01 invite") << quint8(0x01) << true;
    QTest::newRow("0x02 output only") << quint8(0x02) << false;
    QTest::newRow("0x03 put/get") << quint8(0x03) << true;
    QTest::newRow("0x04 save screen") << quint8(0x04) << false;
    QTest::newRow("0x05 restore screen") << quint8(0x05) << false;
    QTest::newRow("0x06 read immediate") << quint8(0x06) << false;
    QTest::newRow("0x08 read screen") << quint8(0x08) << false;
}

void RecordsTest::inviteAndPutGetUnlockTheKeyboard()
{
    QFETCH(quint8, opcode);
    QFETCH(bool, unlocked);

    Tn5250Client client;
    QVERIFY(client.keyboardLocked());
    QSignalSpy screenSpy(&client, SIGNAL(screenChanged()));
    // Every command-carrying opcode scans its data: Clear Unit Alternate runs.
    receiveRecord(client, ProtocolStreams::record(opcode, hex("04 20 00")));
    QCOMPARE(client.columns(), 132);
    QCOMPARE(screenSpy.count(), 1);
    // Clear Unit Alternate locks again through its clear; check the opcode's
    // own unlock on a record without commands.
    ClientProbe(client).screen().keyboardLocked = true;
    receiveRecord(client, ProtocolStreams::record(opcode, QByteArray()));
    QCOMPARE(!client.keyboardLocked(), unlocked);
}

void RecordsTest::sendRecordFraming_data()
{
    QTest::addColumn<quint8>("opcode");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<quint8>("flags");
    QTest::addColumn<QByteArray>("wire");
    QTest::addColumn<QString>("txLine");

    QTest::newRow("put/get with data") << quint8(0x03) << hex("06 35 F1") << quint8(0)
                                       << hex("00 0D 12 A0 00 00 04 00 00 03 06 35 F1 FF EF")
                                       << "TX opcode 0x03, 3 data bytes";
    QTest::newRow("data 0xFF is doubled, the length counts it once")
        << quint8(0x03) << hex("01 FF 02") << quint8(0) << hex("00 0D 12 A0 00 00 04 00 00 03 01 FF FF 02 FF EF")
        << "TX opcode 0x03, 3 data bytes";
    QTest::newRow("attention flag") << quint8(0x00) << QByteArray() << quint8(0x40)
                                    << hex("00 0A 12 A0 00 00 04 40 00 00 FF EF")
                                    << "TX opcode 0x00, 0 data bytes, flags 0x40";
    QTest::newRow("a length byte of 0xFF is escaped too")
        << quint8(0x00) << QByteArray(0xF5, char(0x40)) << quint8(0)
        << hex("00 FF FF 12 A0 00 00 04 00 00 00") + QByteArray(0xF5, char(0x40)) + hex("FF EF")
        << "TX opcode 0x00, 245 data bytes";
}

void RecordsTest::sendRecordFraming()
{
    QFETCH(quint8, opcode);
    QFETCH(QByteArray, data);
    QFETCH(quint8, flags);
    QFETCH(QByteArray, wire);
    QFETCH(QString, txLine);

    QCOMPARE(RecordFramer::wire(opcode, data, flags), wire);
    QCOMPARE(RecordFramer::sentLine(opcode, data.size(), flags), txLine);
}

// An answer the host asked for (Read Screen) goes nowhere and is not logged.
void RecordsTest::sendRecordWithoutSocket()
{
    Tn5250Client client;
    receive(client, 0x08, hex("04 62"));
    QCOMPARE(logLinesStartingWith(client.diagnostics(), QStringLiteral("TX ")), QStringList());
    QVERIFY(!logLines(client.diagnostics()).isEmpty());
}

void RecordsTest::sendRecordRefusesWhatTheLengthCannotHold()
{
    QVERIFY(RecordFramer::fits(65525));
    QVERIFY(!RecordFramer::fits(65526));
    LoopbackTerminal t;
    QVERIFY(t.attach());
    ClientProbe(t.client).sendRecord(0x00, QByteArray(65525, char(0x40)), 0);
    // Length 0xFFFF: both length bytes are escaped, then IAC EOR.
    QCOMPARE(t.sent().size(), 65535 + 2 + 2);
    t.client.clearDiagnostics();
    ClientProbe(t.client).sendRecord(0x00, QByteArray(65526, char(0x40)), 0);
    QCOMPARE(t.sent(), QByteArray());
    QCOMPARE(logLines(t.client.diagnostics()),
             QStringList() << QStringLiteral("Refused to send oversized TN5250 record (65526 data bytes)"));
}

void RecordsTest::readU16_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("value");
    QTest::newRow("big-endian") << hex("12 34") << 0 << 0x1234;
    QTest::newRow("high bit set") << hex("00 FF FE") << 1 << 0xFFFE;
    QTest::newRow("last byte alone") << hex("12 34") << 1 << 0;
    QTest::newRow("negative index") << hex("12 34") << -1 << 0;
    QTest::newRow("past the end") << hex("12 34") << 5 << 0;
    QTest::newRow("empty") << QByteArray() << 0 << 0;
}

void RecordsTest::readU16()
{
    QFETCH(QByteArray, data);
    QFETCH(int, index);
    QFETCH(int, value);
    QCOMPARE(int(DataStream::readU16(data, index)), value);
}

void RecordsTest::appendU16()
{
    QByteArray data = hex("AA");
    DataStream::appendU16(data, 0x01FF);
    QCOMPARE(data, hex("AA 01 FF"));
}

void RecordsTest::escaping_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("empty") << QByteArray() << QByteArray();
    QTest::newRow("no 0xFF") << hex("00 12 A0 FE EF") << hex("00 12 A0 FE EF");
    QTest::newRow("one 0xFF in the middle") << hex("01 FF 02") << hex("01 FF FF 02");
    QTest::newRow("0xFF at both ends") << hex("FF 40 FF") << hex("FF FF 40 FF FF");
    QTest::newRow("three 0xFF in a row") << hex("FF FF FF") << hex("FF FF FF FF FF FF");
}

void RecordsTest::escaping()
{
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, expected);
    QCOMPARE(RecordFramer::escaped(input), expected);
}

QTEST_MAIN(RecordsTest)
#include "tst_records.moc"
