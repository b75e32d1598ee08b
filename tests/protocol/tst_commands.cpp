// The 5250 command interpreter: the scanner and its diagnostics, the screen
// commands, Save/Restore Screen, the read commands, Read Screen and the 5250
// Query, with every answer checked byte for byte as the host receives it.
#include <QtTest>

#include "app/tn5250client.h"
#include "common/interpretedscreen.h"
#include "common/loopbackpair.h"
#include "common/protocolstreams.h"
#include "protocol/aidresponse.h"

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
    void formatStateAfter_data();
    void formatStateAfter();
    void roll();
    void writeErrorCode_data();
    void writeErrorCode();
    void saveScreenToken();
    void saveScreenStackIsBounded();
    void restoreScreen_data();
    void restoreScreen();
    void readScreen();
    void answersAreSentAndLogged();
    void answersPerRecordAreBounded_data();
    void answersPerRecordAreBounded();
    void skippedAnswersAndLinesAreLogged();
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

    InterpretedScreen t;
    t.run(0x00, data);
    QCOMPARE(t.log, lines);
    QCOMPARE(t.screenChanges, 1);
    QVERIFY(t.last.commandsRun);
}

void CommandsTest::clearUnitThenWriteToDisplay()
{
    InterpretedScreen t;
    t.screen.resize(27, 132);
    t.run(0x03, hex("04 40 04 11 00 08 11 01 01 C1"));
    QCOMPARE(t.logStartingWith(QStringLiteral("5250 commands")),
             QStringList() << QStringLiteral("5250 commands: 40 11"));
    QCOMPARE(t.screen.rows, 24);
    QCOMPARE(t.screen.columns, 80);
    QCOMPARE(int(t.screen.rawAt(0)), 0xC1);
    QVERIFY(t.text().startsWith(QStringLiteral("A\n")));
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

    InterpretedScreen t;
    t.wideScreenOffered = false; // the host decides, whatever the setting
    t.screen.writeByte(0xC9);
    t.screen.startField(true, 0x40, 0x00, QVector<unsigned short>(), 0x24, 5);
    t.run(0x00, data);
    QCOMPARE(t.screen.rows, 27);
    QCOMPARE(t.screen.columns, 132);
    QCOMPARE(t.screen.size(), 27 * 132);
    QCOMPARE(t.screen.fields.size(), 0);
    QCOMPARE(int(t.screen.rawAt(0)), firstCell);
    QCOMPARE(t.logStartingWith(QStringLiteral("Unexpected")), unexpected);
}

void CommandsTest::clearFormatTable()
{
    InterpretedScreen t;
    t.run(0x03, hex("04 11 00 08 11 01 05 1D 40 00 24 00 05 C1"));
    QCOMPARE(t.screen.fields.size(), 1);
    QVERIFY(!t.screen.keyboardLocked);
    t.run(0x00, hex("04 50"));
    QCOMPARE(t.screen.fields.size(), 0);
    QVERIFY(t.screen.keyboardLocked);
    // The buffer stays.
    QCOMPARE(int(t.screen.rawAt(5)), 0xC1);
}

void CommandsTest::roll()
{
    InterpretedScreen t;
    // "G" on row 7, column 1; roll rows 5-10 up by two.
    t.run(0x00, hex("04 11 00 00 11 07 01 C7"));
    t.run(0x00, hex("04 23 02 05 0A"));
    QCOMPARE(int(t.screen.rawAt(4 * 80)), 0xC7);
    QCOMPARE(int(t.screen.rawAt(6 * 80)), 0x00);
    // Two operand bytes are not enough: nothing moves.
    t.run(0x00, hex("04 23 82 05"));
    QCOMPARE(int(t.screen.rawAt(4 * 80)), 0xC7);
    QCOMPARE(int(t.screen.rawAt(6 * 80)), 0x00);
}

// What of a screen's format the next screen keeps: the keys its Start of
// Header declared as sending no data, and the home its Insert Cursor set.
void CommandsTest::formatStateAfter_data()
{
    QTest::addColumn<QByteArray>("between");
    QTest::addColumn<bool>("headerInNext");
    QTest::addColumn<quint32>("mask");
    QTest::addColumn<int>("cursorRow");

    QTest::newRow("Clear Unit") << hex("04 40") << false << 0u << 5;
    QTest::newRow("Clear Unit Alternate") << hex("04 20 00") << false << 0u << 5;
    QTest::newRow("Clear Format Table") << hex("04 50") << false << 0u << 5;
    QTest::newRow("Start of Header in the next screen") << QByteArray() << true << 0u << 5;
    QTest::newRow("next screen without a header keeps both") << QByteArray() << false << 0x10u << 3;
}

void CommandsTest::formatStateAfter()
{
    QFETCH(QByteArray, between);
    QFETCH(bool, headerInNext);
    QFETCH(quint32, mask);
    QFETCH(int, cursorRow);

    InterpretedScreen t;
    // F5 sends no data; a field at row 3 and the home in it.
    t.run(0x03, hex("04 11 00 08 01 07 00 00 00 00 00 00 10 11 03 09 1D 40 00 24 00 05 13 03 0C"));
    QCOMPARE(t.screen.noDataKeyMask, 0x10u);
    QCOMPARE(t.screen.cursorRow() + 1, 3);
    if (!between.isEmpty())
        t.run(0x00, between);
    // The next screen: a field at row 5 and no Insert Cursor.
    t.run(0x03, hex("04 11 00 08") + (headerInNext ? hex("01 07 00 00 00 00 00 00 00") : QByteArray())
                    + hex("11 05 09 1D 40 00 24 00 05"));
    QCOMPARE(t.screen.noDataKeyMask, mask);
    QCOMPARE(t.screen.cursorRow() + 1, cursorRow);
    QCOMPARE(t.screen.cursorColumn() + 1, cursorRow == 3 ? 12 : 10);
}

// Write Error Code writes on the error line (the row Start of Header names,
// else the last), keeps what the line held and inhibits input until Reset;
// a read command after it does not open the keyboard.
void CommandsTest::writeErrorCode_data()
{
    QTest::addColumn<QByteArray>("header");
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<int>("errorRow");
    QTest::addColumn<int>("cursor"); // after the message; -1: unchanged

    QTest::newRow("last row without a header") << QByteArray() << hex("04 21 C2 C3") << 24 << -1;
    QTest::newRow("last row when the header names none") << hex("01 07 00 00 00 00 00 00 00")
                                                         << hex("04 21 C2 C3") << 24 << -1;
    QTest::newRow("the row the header names") << hex("01 07 00 00 00 0A 00 00 00") << hex("04 21 C2 C3") << 10 << -1;
    QTest::newRow("a row past the screen is the last") << hex("01 04 00 00 00 30") << hex("04 21 C2 C3") << 24 << -1;
    QTest::newRow("an Insert Cursor in the message moves the cursor at once")
        << QByteArray() << hex("04 21 C2 C3 13 02 02") << 24 << 81;
    QTest::newRow("a read command after it keeps input inhibited")
        << QByteArray() << hex("04 21 C2 C3 04 52 00 08") << 24 << -1;
}

void CommandsTest::writeErrorCode()
{
    QFETCH(QByteArray, header);
    QFETCH(QByteArray, message);
    QFETCH(int, errorRow);
    QFETCH(int, cursor);

    InterpretedScreen t;
    // The last order defines an input field on row 3; row 10 and row 24 hold text.
    t.run(0x03, hex("04 11 00 08") + header + hex("11 0A 01 C1 C1 C1 11 18 01 C1 C1 C1 11 03 01 1D 40 00 24 00 05 13 05 05"));
    const QByteArray before = t.screen.data;
    const int home = t.screen.insertCursorIndex;
    const int cursorBefore = t.screen.cursor;

    t.run(0x00, message);
    const int line = (errorRow - 1) * 80;
    QCOMPARE(t.screen.data.mid(line, 4).toHex(), hex("C2 C3 C1 00").toHex());
    QCOMPARE(t.screen.data.mid(2 * 80, 80), before.mid(2 * 80, 80)); // the field is untouched
    QVERIFY(t.screen.inputError);
    QVERIFY(t.screen.keyboardLocked);
    QCOMPARE(t.screen.cursor, cursor < 0 ? cursorBefore : cursor);
    QCOMPARE(t.screen.insertCursorIndex, home);
    QCOMPARE(t.last.count(DataStreamInterpreter::Step::InputError), 1);

    // Reset puts the line back and opens the keyboard.
    QVERIFY(t.screen.resetInputError());
    QCOMPARE(t.screen.data.toHex(), before.toHex());
    QVERIFY(!t.screen.keyboardLocked);
    QVERIFY(!t.screen.resetInputError());
}

void CommandsTest::saveScreenToken()
{
    InterpretedScreen t;
    t.run(0x03, hex("04 11 00 08 11 01 01 C1"));
    QCOMPARE(t.takeSent(), QByteArray());
    t.run(0x04, hex("04 02"));
    QCOMPARE(t.takeSent(), hex("00 14 12 A0 00 00 04 00 00 04 04 12 56 4E 54 4C 00 00 00 01 FF EF"));
    t.run(0x04, hex("04 02 04 02"));
    QCOMPARE(t.takeSent(), wire(0x04, hex("04 12 56 4E 54 4C 00 00 00 02")) + wire(0x04, hex("04 12 56 4E 54 4C 00 00 00 03")));
    QCOMPARE(t.savedScreens.size(), 3);
}

// Past 250 saves the oldest screen goes, but every token stays its own:
// #251 restores screen 251, and the dropped #1 restores nothing.
void CommandsTest::saveScreenStackIsBounded()
{
    InterpretedScreen t;
    QByteArray expected;
    for (int i = 1; i <= 252; ++i) {
        // Each saved screen carries its own number in cell 0 and cell 1.
        t.screen.data[0] = char(i & 0xFF);
        t.screen.data[1] = char(i >> 8);
        t.run(0x04, hex("04 02"));
        expected += wire(0x04, hex("04 12 56 4E 54 4C 00 00") + QByteArray(1, char(i >> 8)) + QByteArray(1, char(i & 0xFF)));
    }
    QCOMPARE(t.takeSent().toHex(), expected.toHex());
    QCOMPARE(t.savedScreens.size(), 250);
    QCOMPARE(int(t.savedScreens.at(0).rawAt(0)), 3);

    t.run(0x05, hex("04 12 04 12 56 4E 54 4C 00 00 00 FB"));
    QCOMPARE(int(t.screen.rawAt(0)) | int(t.screen.rawAt(1)) << 8, 251);
    t.log.clear();
    t.run(0x05, hex("04 12 04 12 56 4E 54 4C 00 00 00 01"));
    QCOMPARE(int(t.screen.rawAt(0)) | int(t.screen.rawAt(1)) << 8, 251);
    QCOMPARE(t.logStartingWith(QStringLiteral("Restore Screen")),
             QStringList() << QStringLiteral("Restore Screen names no saved screen (token 1); the screen stays"));
}

void CommandsTest::restoreScreen_data()
{
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<int>("restored"); // 0 none, else the entry
    QTest::addColumn<QString>("logLine");

    const QString done = QStringLiteral("Restored saved presentation space");
    const QString notOurs = QStringLiteral("Restore Screen without a token of this terminal; the screen stays");
    QTest::newRow("whole token handed back") << hex("04 12 04 12 56 4E 54 4C 00 00 00 01") << 1 << done;
    QTest::newRow("token without ESC and code") << hex("04 12 56 4E 54 4C 00 00 00 02") << 2 << done;
    QTest::newRow("token 0") << hex("04 12 04 12 56 4E 54 4C 00 00 00 00") << 0
                             << "Restore Screen names no saved screen (token 0); the screen stays";
    QTest::newRow("token not yet given") << hex("04 12 04 12 56 4E 54 4C 00 00 01 03") << 0
                                         << "Restore Screen names no saved screen (token 259); the screen stays";
    QTest::newRow("wrong tag") << hex("04 12 04 12 56 4E 54 4D 00 00 00 01") << 0 << notOurs;
    QTest::newRow("serial cut short") << hex("04 12 04 12 56 4E 54 4C 00 00 01") << 0 << notOurs;
    QTest::newRow("nothing after the code") << hex("04 12") << 0 << notOurs;
    QTest::newRow("bytes after the token are not scanned") << hex("04 12 56 4E 54 4C 00 00 00 01 04 40") << 1 << done;
}

void CommandsTest::restoreScreen()
{
    QFETCH(QByteArray, command);
    QFETCH(int, restored);
    QFETCH(QString, logLine);

    InterpretedScreen t;
    t.run(0x03, hex("04 11 00 08 11 01 01 C1 C2"));
    t.run(0x04, hex("04 02"));
    const QString first = t.text();
    t.run(0x03, hex("04 11 00 08 11 02 01 C3 13 02 02"));
    t.run(0x04, hex("04 02"));
    const QString second = t.text();
    const int secondCursor = t.screen.cursor;
    // Something else on the screen, 27 x 132.
    t.run(0x00, hex("04 20 00 04 11 00 00 C9"));
    const QString current = t.text();
    t.log.clear();

    t.run(0x05, command);
    const QString expected = restored == 1 ? first : restored == 2 ? second : current;
    QCOMPARE(t.text(), expected);
    QCOMPARE(t.screen.columns, restored ? 80 : 132);
    if (restored == 2)
        QCOMPARE(t.screen.cursor, secondCursor);
    QCOMPARE(t.logStartingWith(QStringLiteral("Restore")), QStringList() << logLine);
    // The entry stays on the stack.
    QCOMPARE(t.savedScreens.size(), 2);
}

void CommandsTest::readScreen()
{
    InterpretedScreen t;
    // "AB" at row 1, a transparent 0xFF at row 2: it must be escaped.
    t.run(0x03, hex("04 11 00 08 11 01 01 C1 C2 11 02 01 10 00 01 FF"));
    t.run(0x08, hex("04 62"));
    QByteArray screen(24 * 80, char(0x00));
    screen[0] = char(0xC1);
    screen[1] = char(0xC2);
    screen[80] = char(0xFF);
    QCOMPARE(t.takeSent(), wire(0x00, screen));
}

// The client sends what the interpreter answers, and logs it.
void CommandsTest::answersAreSentAndLogged()
{
    LoopbackTerminal t;
    QVERIFY(t.attach());
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
    t.client.setSupport132(false);
    t.client.clearDiagnostics();
    t.feed(0x00, hex("04 F3 00 05 D9 70 00"));
    QCOMPARE(t.sent(), wire(0x00, queryReply3179()));
    QStringList logged = logLines(t.client.diagnostics());
    QCOMPARE(logged.mid(1, 3), QStringList() << "IBM i 5250 Query received (type 0x70)"
                                             << "TX conservative 5250 Query Reply: 3179-02"
                                             << "TX opcode 0x00, 61 data bytes");
}

// One record of a few bytes per command must not make the terminal send a
// screen per command: the first answers go out, the rest are counted.
void CommandsTest::answersPerRecordAreBounded_data()
{
    QTest::addColumn<QByteArray>("unit");
    QTest::addColumn<int>("units");
    QTest::addColumn<int>("answers");
    QTest::addColumn<int>("saved");

    const int bound = DataStreamInterpreter::MAX_ANSWERS_PER_RECORD;
    QTest::newRow("as many Read Screen as the bound: all answered") << hex("04 62") << bound << bound << 0;
    QTest::newRow("one Read Screen past the bound") << hex("04 62") << bound + 1 << bound << 0;
    QTest::newRow("a thousand Read Screen") << hex("04 62") << 1000 << bound << 0;
    QTest::newRow("Read Immediate") << hex("04 72") << 100 << bound << 0;
    QTest::newRow("Save Screen: screens past the bound are not saved") << hex("04 02") << 100 << bound << bound;
    QTest::newRow("Query, many in one command") << hex("00 05 D9 72 00") << 100 << bound << 0;
    QTest::newRow("Read Screen and Save Screen share the bound") << hex("04 62 04 02") << bound << bound << bound / 2;
}

void CommandsTest::answersPerRecordAreBounded()
{
    QFETCH(QByteArray, unit);
    QFETCH(int, units);
    QFETCH(int, answers);
    QFETCH(int, saved);

    InterpretedScreen t;
    QByteArray data = unit.startsWith(char(0x04)) ? QByteArray() : hex("04 F3");
    for (int i = 0; i < units; ++i)
        data += unit;
    t.run(0x08, data);
    const int commands = unit.startsWith(hex("04 62 04 02")) ? 2 * units : units;
    QCOMPARE(t.last.count(DataStreamInterpreter::Step::Answer), answers);
    QCOMPARE(t.last.skippedAnswers, commands - answers);
    QCOMPARE(t.savedScreens.size(), saved);
    // The bound is per record: the next one is answered again.
    t.run(0x08, hex("04 62"));
    QCOMPARE(t.last.count(DataStreamInterpreter::Step::Answer), 1);
    QCOMPARE(t.last.skippedAnswers, 0);
}

// What the bounds left out is said once per record, in the protocol log.
void CommandsTest::skippedAnswersAndLinesAreLogged()
{
    LoopbackTerminal t;
    QVERIFY(t.attach());
    QByteArray data;
    for (int i = 0; i < 20; ++i)
        data += hex("04 62");
    for (int i = 0; i < 50; ++i)
        data += hex("04 11 00 00 C1");
    t.client.clearDiagnostics();
    t.feed(0x08, data);
    QCOMPARE(logLinesStartingWith(t.client.diagnostics(), QStringLiteral("TX ")).size(),
             DataStreamInterpreter::MAX_ANSWERS_PER_RECORD);
    const QStringList logged = logLines(t.client.diagnostics());
    QVERIFY(logged.contains(QStringLiteral("Skipped 12 answers of this record beyond the first 8")));
    QCOMPARE(logLinesStartingWith(t.client.diagnostics(), QStringLiteral("WTD complete")).size(),
             DataStreamInterpreter::MAX_LOG_LINES_PER_RECORD);
    QVERIFY(logged.contains(QStringLiteral("Left 18 more lines of this record out of the log")));
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

    InterpretedScreen t;
    t.wideScreenOffered = support132;
    QCOMPARE(reply.size(), 61);
    t.run(0x00, command);
    QCOMPARE(t.takeSent(), wire(0x00, reply));
    QCOMPARE(t.log.mid(0, 2), lines);
    // Both lines come before the answer goes out.
    QCOMPARE(int(t.last.steps.at(2).kind), int(DataStreamInterpreter::Step::Answer));
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

    InterpretedScreen t;
    t.run(0x00, command);
    QByteArray expected;
    for (int i = 0; i < replies; ++i)
        expected += wire(0x00, queryReply3179());
    QCOMPARE(t.takeSent(), expected);
    QCOMPARE(t.logStartingWith(QStringLiteral("Malformed")), lines);
    QCOMPARE(t.logStartingWith(QStringLiteral("IBM i 5250 Query")).size(), replies);
    // A malformed field ends the record: a Clear Unit after it never runs.
    if (command.endsWith(hex("04 40")))
        QCOMPARE(t.logStartingWith(QStringLiteral("5250 commands")), QStringList() << QStringLiteral("5250 commands: f3"));
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

    InterpretedScreen t;
    // A screen with a label and one input field at row 3, column 11; the
    // cursor is left at row 10.
    t.run(0x02, hex("04 11 00 00 11 03 01 20 C9 D5 11 03 0A 1D 40 00 24 00 05 14 0A 01"));
    QCOMPARE(t.screen.cursorRow() + 1, 10);
    t.run(0x00, command);
    QCOMPARE(t.pendingReadMode, mode);
    QVERIFY(!t.screen.keyboardLocked);
    QCOMPARE(t.screen.cursorRow() + 1, cursorHome ? 3 : 10);
    QCOMPARE(t.screen.cursorColumn() + 1, cursorHome ? 11 : 1);
    QCOMPARE(t.invitations, QStringList() << QStringLiteral("2, 1"));
    // Nothing goes to the host until an AID key.
    QCOMPARE(t.takeSent(), QByteArray());
}

// The status the client shows for the host's invitation.
void CommandsTest::readCommandStatusOnEmptyScreen()
{
    Tn5250Client client;
    receive(client, 0x02, QByteArray());
    receive(client, 0x03, hex("04 40 04 52 00 00"));
    QCOMPARE(client.status(), QStringLiteral("IBM i requested input, but decoded screen is empty • RX 2"));
    receive(client, 0x03, hex("04 11 00 00 11 03 01 20 C9 D5 11 03 0A 1D 40 00 24 00 05 04 52 00 00"));
    QCOMPARE(client.status(), QStringLiteral("Connected — input ready • 2 chars • 1 fields"));
}

void CommandsTest::readImmediate()
{
    InterpretedScreen t;
    t.run(0x03, hex("04 11 00 08 14 02 03"));
    t.pendingReadMode = AidResponse::ReadInputFields;
    t.run(0x06, hex("04 72"));
    const QByteArray sent = t.takeSent();
    // A Read Immediate answer: opcode 0x06, cursor row and column, AID 0x00.
    QVERIFY2(sent.size() >= 15, sent.toHex().constData());
    QCOMPARE(sent.mid(2, 8), hex("12 A0 00 00 04 00 00 06"));
    QCOMPARE(sent.mid(10, 3), hex("02 03 00"));
    // Answered at once: the keyboard and the pending read stay as they were.
    QVERIFY(!t.screen.keyboardLocked);
    QCOMPARE(t.pendingReadMode, int(AidResponse::ReadInputFields));
    QCOMPARE(t.invitations, QStringList());
}

QTEST_MAIN(CommandsTest)
#include "tst_commands.moc"
