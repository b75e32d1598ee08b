// The 5250 command interpreter: the scanner and its diagnostics, the screen
// commands, Save/Restore Screen, the read commands, Read Screen and the 5250
// Query, with every answer checked byte for byte as the host receives it.
#include <QSignalSpy>
#include <QtTest>

#include "app/tn5250client.h"
#include "common/clientprobe.h"
#include "common/loopbackpair.h"
#include "common/protocolstreams.h"

using ProtocolStreams::hex;
using ProtocolStreams::logLines;
using ProtocolStreams::logLinesStartingWith;

namespace {

// The 5250 Query Reply as the reference lays it out, for a 3179 model 2.
QByteArray queryReply3179()
{
    return hex("00 00 88 00 3A D9 70 80 06 00 01 01 00"
               "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"
               "01 F3 F1 F7 F9 00 F0 F2 02 00 00 00 61 50 00 FF FF 00 00 00 3B 11"
               "00 00 00 00 00 00 00 00 00 00");
}

QByteArray queryReply3477()
{
    QByteArray reply = queryReply3179();
    reply.replace(30, 4, hex("F3 F4 F7 F7"));
    reply.replace(35, 2, hex("F0 F0"));
    reply[50] = char(0x31);
    return reply;
}

// What the host reads for a record the terminal sends.
QByteArray wire(quint8 opcode, const QByteArray &data)
{
    return ProtocolStreams::escaped(ProtocolStreams::record(opcode, data)) + hex("FF EF");
}

} // namespace

class CommandsTest : public QObject
{
    Q_OBJECT

private slots:
    void scannerDiagnostics_data();
    void scannerDiagnostics();
    void clearUnitThenWriteToDisplay();
    void clearUnitAlternate_data();
    void clearUnitAlternate();
    void clearFormatTable();
    void roll();
    void writeErrorCode();
    void saveScreenToken();
    void saveScreenStackIsBounded();
    void restoreScreen_data();
    void restoreScreen();
    void readScreen();
    void queryReply_data();
    void queryReply();
    void structuredFields_data();
    void structuredFields();
    void readCommands_data();
    void readCommands();
    void readCommandStatusOnEmptyScreen();
    void readImmediate();
};

void CommandsTest::scannerDiagnostics_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QStringList>("lines");

    QByteArray twelve;
    for (int i = 0; i < 12; ++i)
        twelve += hex("04 50");
    QTest::newRow("twelve commands are all listed")
        << twelve << (QStringList() << "5250 commands: 50 50 50 50 50 50 50 50 50 50 50 50");
    QTest::newRow("thirteen commands list twelve and an ellipsis")
        << twelve + hex("04 40") << (QStringList() << "5250 commands: 50 50 50 50 50 50 50 50 50 50 50 50 …");
    QTest::newRow("only an ESC") << hex("04") << (QStringList() << "Payload contained no 5250 ESC commands (1 bytes)");
    QTest::newRow("no ESC at all") << hex("40 C1 C2") << (QStringList() << "Payload contained no 5250 ESC commands (3 bytes)");
    QTest::newRow("empty data") << QByteArray() << QStringList();
    QTest::newRow("bytes between commands are skipped")
        << hex("40 40 04 50 C1 04 50") << (QStringList() << "5250 commands: 50 50");
    QTest::newRow("unsupported command, scanning goes on")
        << hex("04 99 04 50")
        << (QStringList() << "Unsupported 5250 command 0x99" << "5250 commands: 99 50");
    QTest::newRow("ESC ESC is an unsupported command 0x04")
        << hex("04 04 50") << (QStringList() << "Unsupported 5250 command 0x04" << "5250 commands: 04");
    QTest::newRow("trailing ESC is not counted") << hex("04 50 04") << (QStringList() << "5250 commands: 50");
}

void CommandsTest::scannerDiagnostics()
{
    QFETCH(QByteArray, data);
    QFETCH(QStringList, lines);

    Tn5250Client client;
    client.clearDiagnostics();
    QSignalSpy screenSpy(&client, SIGNAL(screenChanged()));
    client.process5250Data(0x00, data);
    QCOMPARE(logLines(client.diagnostics()), lines);
    QCOMPARE(screenSpy.count(), 1);
}

void CommandsTest::clearUnitThenWriteToDisplay()
{
    Tn5250Client client;
    ClientProbe(client).screen().resize(27, 132);
    client.process5250Data(0x03, hex("04 40 04 11 00 08 11 01 01 C1"));
    QCOMPARE(logLinesStartingWith(client.diagnostics(), QStringLiteral("5250 commands")),
             QStringList() << QStringLiteral("5250 commands: 40 11"));
    QCOMPARE(client.rows(), 24);
    QCOMPARE(client.columns(), 80);
    QCOMPARE(int(client.terminalScreen().rawAt(0)), 0xC1);
    QVERIFY(client.terminalText().startsWith(QStringLiteral("A\n")));
}

void CommandsTest::clearUnitAlternate_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QStringList>("unexpected");
    QTest::addColumn<int>("firstCell");
    QTest::newRow("parameter 0x00") << hex("04 20 00") << QStringList() << 0;
    QTest::newRow("parameter 0x80") << hex("04 20 80") << QStringList() << 0;
    QTest::newRow("parameter 0x01") << hex("04 20 01")
                                    << (QStringList() << "Unexpected Clear Unit Alternate parameter 0x01") << 0;
    QTest::newRow("parameter 0xff") << hex("04 20 FF")
                                    << (QStringList() << "Unexpected Clear Unit Alternate parameter 0xff") << 0;
    QTest::newRow("no parameter byte") << hex("04 20") << QStringList() << 0;
    QTest::newRow("the parameter byte is consumed even when it is ESC")
        << hex("04 20 04 40") << (QStringList() << "Unexpected Clear Unit Alternate parameter 0x04") << 0;
    QTest::newRow("commands after the parameter run")
        << hex("04 20 00 04 11 00 00 C1") << QStringList() << 0xC1;
}

void CommandsTest::clearUnitAlternate()
{
    QFETCH(QByteArray, data);
    QFETCH(QStringList, unexpected);
    QFETCH(int, firstCell);

    Tn5250Client client;
    client.setSupport132(false); // the host decides, whatever the setting
    ClientProbe probe(client);
    probe.screen().writeByte(0xC9);
    probe.screen().startField(true, 0x40, 0x00, QVector<unsigned short>(), 0x24, 5);
    client.process5250Data(0x00, data);
    QCOMPARE(client.rows(), 27);
    QCOMPARE(client.columns(), 132);
    QCOMPARE(client.terminalScreen().size(), 27 * 132);
    QCOMPARE(client.inputFieldCount(), 0);
    QCOMPARE(int(client.terminalScreen().rawAt(0)), firstCell);
    QCOMPARE(logLinesStartingWith(client.diagnostics(), QStringLiteral("Unexpected")), unexpected);
}

void CommandsTest::clearFormatTable()
{
    Tn5250Client client;
    client.process5250Data(0x03, hex("04 11 00 08 11 01 05 1D 40 00 24 00 05 C1"));
    QCOMPARE(client.inputFieldCount(), 1);
    QVERIFY(!client.keyboardLocked());
    client.process5250Data(0x00, hex("04 50"));
    QCOMPARE(client.inputFieldCount(), 0);
    QVERIFY(client.keyboardLocked());
    // The buffer stays.
    QCOMPARE(int(client.terminalScreen().rawAt(5)), 0xC1);
}

void CommandsTest::roll()
{
    Tn5250Client client;
    // "G" on row 7, column 1; roll rows 5-10 up by two.
    client.process5250Data(0x00, hex("04 11 00 00 11 07 01 C7"));
    client.process5250Data(0x00, hex("04 23 02 05 0A"));
    QCOMPARE(int(client.terminalScreen().rawAt(4 * 80)), 0xC7);
    QCOMPARE(int(client.terminalScreen().rawAt(6 * 80)), 0x00);
    // Two operand bytes are not enough: nothing moves.
    client.process5250Data(0x00, hex("04 23 82 05"));
    QCOMPARE(int(client.terminalScreen().rawAt(4 * 80)), 0xC7);
    QCOMPARE(int(client.terminalScreen().rawAt(6 * 80)), 0x00);
}

void CommandsTest::writeErrorCode()
{
    Tn5250Client client;
    ClientProbe probe(client);
    client.process5250Data(0x03, hex("04 11 00 08 11 03 01 C1 13 05 05"));
    QCOMPARE(client.cursorRow(), 5);
    QCOMPARE(probe.screen().insertCursorIndex, 4 * 80 + 4);
    // Write Error Code goes on at the write position and moves the cursor
    // at once; the home position stays.
    client.process5250Data(0x00, hex("04 21 C2 13 02 02"));
    QCOMPARE(int(probe.screen().rawAt(2 * 80 + 1)), 0xC2);
    QCOMPARE(client.cursorRow(), 2);
    QCOMPARE(client.cursorColumn(), 2);
    QCOMPARE(probe.screen().insertCursorIndex, 4 * 80 + 4);
    client.process5250Data(0x00, hex("04 21 14 18 50"));
    QCOMPARE(client.cursorRow(), 24);
    QCOMPARE(client.cursorColumn(), 80);
}

void CommandsTest::saveScreenToken()
{
    LoopbackTerminal t;
    QVERIFY(t.attach());
    t.feed(0x03, hex("04 11 00 08 11 01 01 C1"));
    t.sent();
    t.feed(0x04, hex("04 02"));
    QCOMPARE(t.sent(), hex("00 11 12 A0 00 00 04 00 00 04 04 12 56 4E 54 4C 01 FF EF"));
    t.feed(0x04, hex("04 02 04 02"));
    QCOMPARE(t.sent(), wire(0x04, hex("04 12 56 4E 54 4C 02")) + wire(0x04, hex("04 12 56 4E 54 4C 03")));
    QCOMPARE(ClientProbe(t.client).savedScreens().size(), 3);
}

void CommandsTest::saveScreenStackIsBounded()
{
    LoopbackTerminal t;
    QVERIFY(t.attach());
    ClientProbe probe(t.client);
    QByteArray expected;
    for (int i = 1; i <= 251; ++i) {
        // Each saved screen carries its own number in cell 0 and cell 1.
        probe.screen().data[0] = char(i & 0xFF);
        probe.screen().data[1] = char(i >> 8);
        t.client.process5250Data(0x04, hex("04 02"));
        expected += wire(0x04, hex("04 12 56 4E 54 4C") + QByteArray(1, char(qMin(i, 250))));
    }
    QCOMPARE(t.sent(), expected);
    QCOMPARE(probe.savedScreens().size(), 250);
    // The first one was dropped; the second is now the oldest.
    QCOMPARE(int(probe.savedScreens().first().rawAt(0)), 2);
    QCOMPARE(int(probe.savedScreens().last().rawAt(0)), 251 & 0xFF);
    QCOMPARE(int(probe.savedScreens().last().rawAt(1)), 251 >> 8);
}

void CommandsTest::restoreScreen_data()
{
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<int>("restored"); // 0 none, else the entry

    QTest::newRow("whole token handed back") << hex("04 12 04 12 56 4E 54 4C 01") << 1;
    QTest::newRow("token without ESC and code") << hex("04 12 56 4E 54 4C 02") << 2;
    QTest::newRow("number equal to the stack size: the newest") << hex("04 12 04 12 56 4E 54 4C 02") << 2;
    QTest::newRow("number 0") << hex("04 12 04 12 56 4E 54 4C 00") << 0;
    QTest::newRow("number past the stack") << hex("04 12 04 12 56 4E 54 4C 03") << 0;
    QTest::newRow("wrong tag") << hex("04 12 04 12 56 4E 54 4D 01") << 0;
    QTest::newRow("tag without number") << hex("04 12 04 12 56 4E 54 4C") << 0;
    QTest::newRow("nothing after the code") << hex("04 12") << 0;
    QTest::newRow("bytes after the token are not scanned") << hex("04 12 56 4E 54 4C 01 04 40") << 1;
}

void CommandsTest::restoreScreen()
{
    QFETCH(QByteArray, command);
    QFETCH(int, restored);

    Tn5250Client client;
    ClientProbe probe(client);
    client.process5250Data(0x03, hex("04 11 00 08 11 01 01 C1 C2"));
    client.process5250Data(0x04, hex("04 02"));
    const QString first = client.terminalText();
    client.process5250Data(0x03, hex("04 11 00 08 11 02 01 C3 13 02 02"));
    client.process5250Data(0x04, hex("04 02"));
    const QString second = client.terminalText();
    const int secondCursor = probe.screen().cursor;
    // Something else on the screen, 27 x 132.
    client.process5250Data(0x00, hex("04 20 00 04 11 00 00 C9"));
    const QString current = client.terminalText();
    client.clearDiagnostics();

    client.process5250Data(0x05, command);
    const QString expected = restored == 1 ? first : restored == 2 ? second : current;
    QCOMPARE(client.terminalText(), expected);
    QCOMPARE(client.columns(), restored ? 80 : 132);
    if (restored == 2)
        QCOMPARE(probe.screen().cursor, secondCursor);
    QCOMPARE(logLinesStartingWith(client.diagnostics(), QStringLiteral("Restored")).size(), restored ? 1 : 0);
    // The entry stays on the stack.
    QCOMPARE(probe.savedScreens().size(), 2);
}

void CommandsTest::readScreen()
{
    LoopbackTerminal t;
    QVERIFY(t.attach());
    // "AB" at row 1, a transparent 0xFF at row 2: it must be escaped.
    t.feed(0x03, hex("04 11 00 08 11 01 01 C1 C2 11 02 01 10 00 01 FF"));
    t.sent();
    t.feed(0x08, hex("04 62"));
    QByteArray screen(24 * 80, char(0x00));
    screen[0] = char(0xC1);
    screen[1] = char(0xC2);
    screen[80] = char(0xFF);
    QCOMPARE(t.sent(), wire(0x00, screen));
    QCOMPARE(logLinesStartingWith(t.client.diagnostics(), QStringLiteral("TX ")),
             QStringList() << QStringLiteral("TX opcode 0x00, 1920 data bytes"));
}

void CommandsTest::queryReply_data()
{
    QTest::addColumn<bool>("support132");
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("3179-02, query type 0x70")
        << false << hex("04 F3 00 05 D9 70 00") << queryReply3179()
        << (QStringList() << "IBM i 5250 Query received (type 0x70)" << "TX conservative 5250 Query Reply: 3179-02");
    QTest::newRow("3179-02, query type 0x72")
        << false << hex("04 F3 00 05 D9 72 00") << queryReply3179()
        << (QStringList() << "IBM i 5250 Query received (type 0x72)" << "TX conservative 5250 Query Reply: 3179-02");
    QTest::newRow("3477-00 when 27 x 132 is offered")
        << true << hex("04 F3 00 05 D9 70 00") << queryReply3477()
        << (QStringList() << "IBM i 5250 Query received (type 0x70)" << "TX conservative 5250 Query Reply: 3477-00");
}

void CommandsTest::queryReply()
{
    QFETCH(bool, support132);
    QFETCH(QByteArray, command);
    QFETCH(QByteArray, reply);
    QFETCH(QStringList, lines);

    LoopbackTerminal t;
    t.client.setSupport132(support132);
    QVERIFY(t.attach());
    QCOMPARE(reply.size(), 61);
    t.client.clearDiagnostics();
    t.client.process5250Data(0x00, command);
    QCOMPARE(t.sent(), wire(0x00, reply));
    QStringList logged = logLines(t.client.diagnostics());
    QCOMPARE(logged.mid(0, 2), lines);
    QCOMPARE(logged.value(2), QStringLiteral("TX opcode 0x00, 61 data bytes"));
}

void CommandsTest::structuredFields_data()
{
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<int>("replies");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("two queries in one command are answered twice")
        << hex("04 F3 00 05 D9 70 00 00 05 D9 72 00") << 2 << QStringList();
    QTest::newRow("another class is skipped silently") << hex("04 F3 00 05 D8 70 00") << 0 << QStringList();
    QTest::newRow("another type is skipped silently") << hex("04 F3 00 06 D9 71 00 00") << 0 << QStringList();
    QTest::newRow("length 4 is malformed")
        << hex("04 F3 00 04 D9 70 00") << 0 << (QStringList() << "Malformed Write Structured Field");
    QTest::newRow("length past the end is malformed, and ends the record")
        << hex("04 F3 00 20 D9 70 00 04 40") << 0 << (QStringList() << "Malformed Write Structured Field");
    QTest::newRow("malformed second field after a good query")
        << hex("04 F3 00 05 D9 70 00 00 01 D9 70 00") << 1 << (QStringList() << "Malformed Write Structured Field");
    QTest::newRow("too short to hold a field: nothing said") << hex("04 F3 00 05 D9") << 0 << QStringList();
}

void CommandsTest::structuredFields()
{
    QFETCH(QByteArray, command);
    QFETCH(int, replies);
    QFETCH(QStringList, lines);

    LoopbackTerminal t;
    t.client.setSupport132(false);
    QVERIFY(t.attach());
    t.client.process5250Data(0x00, command);
    QByteArray expected;
    for (int i = 0; i < replies; ++i)
        expected += wire(0x00, queryReply3179());
    QCOMPARE(t.sent(), expected);
    QCOMPARE(logLinesStartingWith(t.client.diagnostics(), QStringLiteral("Malformed")), lines);
    QCOMPARE(logLinesStartingWith(t.client.diagnostics(), QStringLiteral("IBM i 5250 Query")).size(), replies);
    // A malformed field ends the record: a Clear Unit after it never runs.
    if (command.endsWith(hex("04 40")))
        QCOMPARE(logLinesStartingWith(t.client.diagnostics(), QStringLiteral("5250 commands")),
                 QStringList() << QStringLiteral("5250 commands: f3"));
}

void CommandsTest::readCommands_data()
{
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("cursorHome");

    QTest::newRow("Read Input Fields") << hex("04 42 00 00") << int(AidResponse::ReadInputFields) << false;
    QTest::newRow("Read MDT Fields") << hex("04 52 00 00") << int(AidResponse::ReadMdtFields) << false;
    QTest::newRow("Read MDT Fields Alternate") << hex("04 82 00 00") << int(AidResponse::ReadMdtFieldsAlternate)
                                               << false;
    QTest::newRow("CC2 0x08 sends the cursor home") << hex("04 52 00 08") << int(AidResponse::ReadMdtFields) << true;
    QTest::newRow("CC2 0x48 leaves the cursor") << hex("04 52 00 48") << int(AidResponse::ReadMdtFields) << false;
    QTest::newRow("a locking CC1 still leaves the keyboard open")
        << hex("04 42 20 00") << int(AidResponse::ReadInputFields) << false;
    QTest::newRow("one control character only") << hex("04 52 00") << int(AidResponse::ReadMdtFields) << false;
    QTest::newRow("no control characters") << hex("04 82") << int(AidResponse::ReadMdtFieldsAlternate) << false;
}

void CommandsTest::readCommands()
{
    QFETCH(QByteArray, command);
    QFETCH(int, mode);
    QFETCH(bool, cursorHome);

    LoopbackTerminal t;
    QVERIFY(t.attach());
    ClientProbe probe(t.client);
    // A screen with a label and one input field at row 3, column 11; the
    // cursor is left at row 10.
    t.feed(0x02, hex("04 11 00 00 11 03 01 20 C9 D5 11 03 0A 1D 40 00 24 00 05 14 0A 01"));
    QCOMPARE(t.client.cursorRow(), 10);
    t.sent();
    t.client.process5250Data(0x00, command);
    QCOMPARE(probe.pendingReadMode(), mode);
    QVERIFY(!t.client.keyboardLocked());
    QCOMPARE(t.client.cursorRow(), cursorHome ? 3 : 10);
    QCOMPARE(t.client.cursorColumn(), cursorHome ? 11 : 1);
    QCOMPARE(t.client.status(), QStringLiteral("Connected — input ready • 2 chars • 1 fields"));
    // Nothing goes to the host until an AID key.
    QCOMPARE(t.sent(), QByteArray());
}

void CommandsTest::readCommandStatusOnEmptyScreen()
{
    Tn5250Client client;
    client.processRecord(ProtocolStreams::record(0x02, QByteArray()));
    client.processRecord(ProtocolStreams::record(0x03, hex("04 40 04 52 00 00")));
    QCOMPARE(client.status(), QStringLiteral("IBM i requested input, but decoded screen is empty • RX 2"));
}

void CommandsTest::readImmediate()
{
    LoopbackTerminal t;
    QVERIFY(t.attach());
    ClientProbe(t.client).connected() = true;
    t.feed(0x03, hex("04 11 00 08 14 02 03"));
    t.sent();
    t.client.process5250Data(0x06, hex("04 72"));
    const QByteArray sent = t.sent();
    // A Read Immediate answer: opcode 0x06, cursor row and column, AID 0x00.
    QVERIFY2(sent.size() >= 15, sent.toHex().constData());
    QCOMPARE(sent.mid(2, 8), hex("12 A0 00 00 04 00 00 06"));
    QCOMPARE(sent.mid(10, 3), hex("02 03 00"));
}

QTEST_MAIN(CommandsTest)
#include "tst_commands.moc"
