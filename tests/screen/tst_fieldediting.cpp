#include <QtTest>

#include "codec/ebcdiccodec.h"
#include "screen/terminalscreen.h"

// Operator editing under the field format word: what each field type accepts,
// where the cursor goes, Field Exit / Field+ / Field-, insert mode, filling a
// field from a saved value, the checks before Enter, and every refusal with
// the screen left exactly as it was.
class TestFieldEditing : public QObject
{
    Q_OBJECT

private slots:
    void init() { EbcdicCodec::setCodePage(37); }
    void cleanupTestCase() { EbcdicCodec::setCodePage(37); }

    void validateCharacter_data();
    void validateCharacter();
    void refusalChangesNothing_data();
    void refusalChangesNothing();
    void typedByte_data();
    void typedByte();
    void typingMovesCursor_data();
    void typingMovesCursor();
    void typingLastFieldWrapsToFirst();
    void insertModeShiftsRight();
    void backspace_data();
    void backspace();
    void deleteShiftsLeft_data();
    void deleteShiftsLeft();
    void eraseToEndOfField();
    void eraseInput();
    void moveToEndOfField_data();
    void moveToEndOfField();
    void fieldExit_data();
    void fieldExit();
    void tabAndBackTab_data();
    void tabAndBackTab();
    void newLine_data();
    void newLine();
    void setFieldText_data();
    void setFieldText();
    void validateForEnter_data();
    void validateForEnter();
};

namespace {

// Everything a refused operation must leave alone, as one comparable text.
QString state(const TerminalScreen &screen)
{
    QString text = QString::fromLatin1("data %1\nattributes %2\ncursor %3 insert %4 locked %5\n")
                       .arg(QString::fromLatin1(screen.data.toHex()))
                       .arg(QString::fromLatin1(screen.attributes.toHex()))
                       .arg(screen.cursor)
                       .arg(screen.insertMode)
                       .arg(screen.keyboardLocked);
    for (const TerminalScreen::Field &field : screen.fields) {
        text += QString::fromLatin1("field %1+%2 ffw %3 %4 attr %5 mdt %6 entered %7 transparent %8\n")
                    .arg(field.start)
                    .arg(field.length)
                    .arg(field.ffwHigh, 2, 16, QLatin1Char('0'))
                    .arg(field.ffwLow, 2, 16, QLatin1Char('0'))
                    .arg(field.attribute, 2, 16, QLatin1Char('0'))
                    .arg(field.modified)
                    .arg(field.entered)
                    .arg(field.transparent);
    }
    return text;
}

// Defines a field whose data starts at `start` (its attribute byte one cell before).
void defineField(TerminalScreen &screen, int start, unsigned char ffwHigh, unsigned char ffwLow,
                 int length, unsigned char attribute = 0x24)
{
    screen.setDisplayAddressIndex(start - 1);
    screen.startField(true, ffwHigh, ffwLow, QVector<unsigned short>(), attribute, length);
}

// The refusal fixture: one field of each kind the refusals need.
enum RefusalField { Alnum, Alpha, Signed, Bypass, MandatoryEntry, MandatoryFill, Long };
const int REFUSAL_START[] = { 81, 161, 241, 321, 401, 481, 561 };

TerminalScreen refusalScreen()
{
    TerminalScreen screen;
    screen.keyboardLocked = false;
    defineField(screen, REFUSAL_START[Alnum], 0x40, 0x00, 5);
    defineField(screen, REFUSAL_START[Alpha], 0x41, 0x00, 5);
    defineField(screen, REFUSAL_START[Signed], 0x47, 0x00, 6);
    defineField(screen, REFUSAL_START[Bypass], 0x60, 0x00, 5);
    defineField(screen, REFUSAL_START[MandatoryEntry], 0x40, 0x08, 5);
    defineField(screen, REFUSAL_START[MandatoryFill], 0x40, 0x07, 4);
    defineField(screen, REFUSAL_START[Long], 0x40, 0x00, 10);
    return screen;
}

QByteArray fieldContent(const TerminalScreen &screen, int fieldIndex)
{
    return screen.fieldBytes(screen.fields.at(fieldIndex));
}

} // namespace

void TestFieldEditing::validateCharacter_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("character");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("alphabetic: ASCII letter") << 1 << "q" << true;
    QTest::newRow("alphabetic: letter above U+007F") << 1 << QString(QChar(0x00E9)) << true;
    QTest::newRow("alphabetic: hyphen-minus") << 1 << "-" << true;
    QTest::newRow("alphabetic: space") << 1 << " " << true;
    QTest::newRow("alphabetic: comma") << 1 << "," << true;
    QTest::newRow("alphabetic: full stop") << 1 << "." << true;
    QTest::newRow("alphabetic: digit refused") << 1 << "5" << false;
    QTest::newRow("alphabetic: plus refused") << 1 << "+" << false;
    QTest::newRow("alphabetic: multiplication sign refused") << 1 << QString(QChar(0x00D7)) << false;
    QTest::newRow("digits only: digit") << 5 << "7" << true;
    QTest::newRow("digits only: space refused") << 5 << " " << false;
    QTest::newRow("digits only: minus refused") << 5 << "-" << false;
    QTest::newRow("numeric shift: plus") << 2 << "+" << true;
    QTest::newRow("numeric only: comma") << 3 << "," << true;
    QTest::newRow("numeric only: letter refused") << 3 << "A" << false;
    QTest::newRow("signed numeric: digit") << 7 << "4" << true;
    QTest::newRow("signed numeric: full stop refused") << 7 << "." << false;
    QTest::newRow("signed numeric: space refused") << 7 << " " << false;
    QTest::newRow("signed numeric: minus refused, Field- gives the sign") << 7 << "-" << false;
    QTest::newRow("signed numeric: plus refused") << 7 << "+" << false;
    QTest::newRow("signed numeric: comma refused") << 7 << "," << false;
    QTest::newRow("signed numeric: letter refused") << 7 << "e" << false;
    QTest::newRow("alphanumeric: letter") << 0 << "A" << true;
    QTest::newRow("alphanumeric: euro sign is printable") << 0 << QString(QChar(0x20AC)) << true;
    QTest::newRow("alphanumeric: U+0000 refused") << 0 << QString(QChar(0)) << false;
    QTest::newRow("alphanumeric: control refused") << 0 << QString(QChar(0x0007)) << false;
    QTest::newRow("katakana shift: letter") << 4 << "k" << true;
    QTest::newRow("I/O field: digit") << 6 << "1" << true;
}

void TestFieldEditing::validateCharacter()
{
    QFETCH(int, type);
    QFETCH(QString, character);
    QFETCH(bool, accepted);

    TerminalScreen::Field field;
    field.ffwHigh = 0x40 | type;
    QCOMPARE(TerminalScreen::validateCharacter(field, character.at(0)), accepted);
}

void TestFieldEditing::refusalChangesNothing_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("argument");  // typed character or text to fill
    QTest::addColumn<int>("cursor");
    QTest::addColumn<int>("fieldIndex");    // for setFieldText
    QTest::addColumn<QString>("preparation");
    QTest::addColumn<QString>("message");

    const int alnum = REFUSAL_START[Alnum];
    const QString euro(QChar(0x20AC));

    QTest::newRow("typing while locked") << "type" << "A" << alnum << 0 << "locked"
                                         << "Keyboard is locked by the host";
    QTest::newRow("typing outside any field") << "type" << "A" << 0 << 0 << ""
                                              << "Cursor is in a protected area";
    QTest::newRow("typing on a field's attribute byte") << "type" << "A" << alnum - 1 << 0 << ""
                                                        << "Cursor is in a protected area";
    QTest::newRow("typing in a bypass field") << "type" << "A" << REFUSAL_START[Bypass] << 0 << ""
                                              << "Cursor is in a protected area";
    QTest::newRow("digit in an alphabetic field") << "type" << "5" << REFUSAL_START[Alpha] << 0 << ""
                                                  << "Character is not valid for this field";
    QTest::newRow("euro sign under code page 37") << "type" << euro << alnum << 0 << ""
                                                  << "Character is not available in EBCDIC code page 37";
    QTest::newRow("euro sign under code page 273 names 273") << "type" << euro << alnum << 0 << "cp273"
                                                             << "Character is not available in EBCDIC code page 273";
    QTest::newRow("typing on the sign position") << "type" << "1" << REFUSAL_START[Signed] + 5 << 0 << ""
                                                 << "Cursor is on the sign position of a signed numeric field";
    QTest::newRow("insert mode in a full field") << "type" << "A" << alnum + 1 << 0 << "full insert"
                                                 << "Insert mode: field has no free position";

    QTest::newRow("Field Exit while locked") << "exit" << "" << alnum << 0 << "locked" << "";
    QTest::newRow("Field Exit outside any field") << "exit" << "" << 0 << 0 << ""
                                                  << "Field Exit is only valid in an input field";
    QTest::newRow("Field Exit in a bypass field") << "exit" << "" << REFUSAL_START[Bypass] + 2 << 0 << ""
                                                  << "Field Exit is only valid in an input field";
    QTest::newRow("Field- in an alphanumeric field") << "minus" << "" << alnum << 0 << ""
                                                     << "Field- is only valid in a signed numeric field";
    QTest::newRow("Field Exit on an untouched mandatory-entry field")
        << "exit" << "" << REFUSAL_START[MandatoryEntry] << 0 << ""
        << "This is a mandatory-entry field";
    QTest::newRow("Field Exit on a half-filled mandatory-fill field")
        << "exit" << "" << REFUSAL_START[MandatoryFill] + 2 << 0 << "half fill"
        << "Mandatory-fill field is not complete";

    QTest::newRow("Erase EOF while locked") << "eraseEof" << "" << alnum << 0 << "locked" << "";
    QTest::newRow("Erase EOF outside any field") << "eraseEof" << "" << 0 << 0 << ""
                                                 << "Erase EOF is only valid in an input field";
    QTest::newRow("Erase EOF in a bypass field") << "eraseEof" << "" << REFUSAL_START[Bypass] << 0 << ""
                                                 << "Erase EOF is only valid in an input field";

    QTest::newRow("backspace while locked") << "backspace" << "" << alnum + 2 << 0 << "locked" << "";
    QTest::newRow("backspace in a bypass field") << "backspace" << "" << REFUSAL_START[Bypass] + 1 << 0 << "" << "";
    QTest::newRow("delete while locked") << "delete" << "" << alnum << 0 << "locked" << "";
    QTest::newRow("delete outside any field") << "delete" << "" << 0 << 0 << "" << "";
    QTest::newRow("delete in a bypass field") << "delete" << "" << REFUSAL_START[Bypass] << 0 << "" << "";
    QTest::newRow("end of field while locked") << "end" << "" << alnum << 0 << "locked" << "";
    QTest::newRow("end of field in a bypass field") << "end" << "" << REFUSAL_START[Bypass] << 0 << "" << "";

    QTest::newRow("saved value for a field index below the table")
        << "fill" << "QSECOFR" << alnum << -1 << "" << "Input field is not available";
    QTest::newRow("saved value for a field index past the table")
        << "fill" << "QSECOFR" << alnum << 7 << "" << "Input field is not available";
    QTest::newRow("saved value for a bypass field")
        << "fill" << "QSECOFR" << alnum << int(Bypass) << "" << "Input field is protected";
    QTest::newRow("saved value of 11 characters for 10 positions")
        << "fill" << "ABCDEFGHIJK" << alnum << int(Long) << ""
        << "Saved login value is longer than the IBM i input field";
    QTest::newRow("saved value as long as a signed field with its sign")
        << "fill" << "123456" << alnum << int(Signed) << ""
        << "Saved login value is longer than the IBM i input field";
    QTest::newRow("saved value with a digit for an alphabetic field")
        << "fill" << "AB5" << alnum << int(Alpha) << ""
        << "Saved login contains a character invalid for this field";
    QTest::newRow("saved value with a euro sign")
        << "fill" << QString::fromLatin1("PW") + euro << alnum << int(Long) << "cp273"
        << "Saved login contains a character unavailable in EBCDIC code page 273";

    QTest::newRow("Enter with an untouched mandatory-entry field")
        << "enter" << "" << alnum << 0 << "" << "A mandatory-entry field has not been entered";
    QTest::newRow("Enter with a half-filled mandatory-fill field")
        << "enter" << "" << alnum << 0 << "half fill" << "A mandatory-fill field is incomplete";
}

void TestFieldEditing::refusalChangesNothing()
{
    QFETCH(QString, operation);
    QFETCH(QString, argument);
    QFETCH(int, cursor);
    QFETCH(int, fieldIndex);
    QFETCH(QString, preparation);
    QFETCH(QString, message);

    TerminalScreen screen = refusalScreen();
    screen.cursor = cursor;
    if (preparation.contains(QLatin1String("locked")))
        screen.keyboardLocked = true;
    if (preparation.contains(QLatin1String("insert")))
        screen.insertMode = true;
    if (preparation.contains(QLatin1String("cp273")))
        EbcdicCodec::setCodePage(273);
    if (preparation.contains(QLatin1String("full"))) {
        screen.setFieldBytes(screen.fields.at(Alnum), QByteArray::fromHex("c1c2c3c4c5"));
    }
    if (preparation.contains(QLatin1String("half fill"))) {
        // The mandatory-entry field is entered so that only the fill check fails.
        screen.setFieldBytes(screen.fields.at(MandatoryEntry), QByteArray::fromHex("c1"));
        screen.fields[MandatoryEntry].modified = true;
        screen.setFieldBytes(screen.fields.at(MandatoryFill), QByteArray::fromHex("f1f2"));
        screen.fields[MandatoryFill].modified = true;
        screen.fields[MandatoryFill].entered = true;
    }
    const QString before = state(screen);

    QString text = QString::fromLatin1("untouched");
    bool autoEnter = true;
    bool result = true;
    if (operation == QLatin1String("type"))
        result = screen.typeCharacter(argument.at(0), &text, &autoEnter);
    else if (operation == QLatin1String("exit"))
        result = screen.fieldExit(false, &text, &autoEnter);
    else if (operation == QLatin1String("minus"))
        result = screen.fieldExit(true, &text, &autoEnter);
    else if (operation == QLatin1String("eraseEof"))
        result = screen.eraseToEndOfField(&text);
    else if (operation == QLatin1String("backspace"))
        result = screen.backspace();
    else if (operation == QLatin1String("delete"))
        result = screen.deleteCharacter();
    else if (operation == QLatin1String("end"))
        result = screen.moveToEndOfField();
    else if (operation == QLatin1String("fill"))
        result = screen.setFieldText(fieldIndex, argument, &text);
    else if (operation == QLatin1String("enter"))
        result = screen.validateForEnter(&text);
    else
        QFAIL("unknown operation");

    QVERIFY(!result);
    QCOMPARE(text, message.isEmpty() ? QString::fromLatin1("untouched") : message);
    if (operation == QLatin1String("type") || operation == QLatin1String("exit")
        || operation == QLatin1String("minus"))
        QVERIFY(!autoEnter);
    QCOMPARE(state(screen), before);

    // A null message pointer is allowed for every refusal.
    if (operation == QLatin1String("type"))
        QVERIFY(!screen.typeCharacter(argument.at(0)));
    else if (operation == QLatin1String("fill"))
        QVERIFY(!screen.setFieldText(fieldIndex, argument));
    else if (operation == QLatin1String("enter"))
        QVERIFY(!screen.validateForEnter());
    QCOMPARE(state(screen), before);
}

void TestFieldEditing::typedByte_data()
{
    QTest::addColumn<int>("codePage");
    QTest::addColumn<int>("ffwHigh");
    QTest::addColumn<int>("ffwLow");
    QTest::addColumn<QString>("character");
    QTest::addColumn<int>("byte");

    QTest::newRow("small a in a monocase field is a capital A") << 37 << 0x40 << 0x20 << "a" << 0xC1;
    QTest::newRow("small a in a mixed-case field") << 37 << 0x40 << 0x00 << "a" << 0x81;
    QTest::newRow("small e with acute in a monocase alphabetic field")
        << 37 << 0x41 << 0x20 << QString(QChar(0x00E9)) << 0x71;
    QTest::newRow("hyphen-minus in an alphabetic field") << 37 << 0x41 << 0x00 << "-" << 0x60;
    QTest::newRow("plus in a numeric field") << 37 << 0x43 << 0x00 << "+" << 0x4E;
    QTest::newRow("A with diaeresis under code page 273") << 273 << 0x40 << 0x00 << QString(QChar(0x00C4)) << 0x4A;
    QTest::newRow("typographic apostrophe") << 37 << 0x40 << 0x00 << QString(QChar(0x2019)) << 0x7D;
}

void TestFieldEditing::typedByte()
{
    QFETCH(int, codePage);
    QFETCH(int, ffwHigh);
    QFETCH(int, ffwLow);
    QFETCH(QString, character);
    QFETCH(int, byte);

    EbcdicCodec::setCodePage(codePage);
    TerminalScreen screen;
    screen.keyboardLocked = false;
    defineField(screen, 101, ffwHigh, ffwLow, 5, 0x25);
    screen.attributes[102] = char(0x20);
    screen.cursor = 102;

    QString message;
    QVERIFY(screen.typeCharacter(character.at(0), &message));
    QVERIFY(message.isEmpty());
    QCOMPARE(int(screen.rawAt(102)), byte);
    QCOMPARE(int(screen.attributeAt(102)), 0x25);
    const TerminalScreen::Field &field = screen.fields.at(0);
    QVERIFY(field.modified);
    QVERIFY(field.entered);
    QCOMPARE(int(field.ffwHigh), ffwHigh | 0x08);
}

void TestFieldEditing::typingMovesCursor_data()
{
    QTest::addColumn<int>("ffwHigh");
    QTest::addColumn<int>("ffwLow");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<bool>("autoEnter");

    // The field under test starts at 101; the next input field at 201.
    QTest::newRow("middle position advances") << 0x40 << 0x00 << 5 << 2 << 104 << false;
    QTest::newRow("last position goes to the next input field") << 0x40 << 0x00 << 5 << 4 << 201 << false;
    QTest::newRow("last position of an auto-enter field stays") << 0x40 << 0x80 << 5 << 4 << 105 << true;
    QTest::newRow("last position of a field-exit-required field stays") << 0x40 << 0x40 << 5 << 4 << 105 << false;
    QTest::newRow("field exit required beats auto enter") << 0x40 << 0xC0 << 5 << 4 << 105 << false;
    QTest::newRow("right adjust zero fill stays") << 0x40 << 0x05 << 5 << 4 << 105 << false;
    QTest::newRow("right adjust blank fill stays") << 0x40 << 0x06 << 5 << 4 << 105 << false;
    QTest::newRow("signed numeric: last digit before the sign stays") << 0x47 << 0x00 << 6 << 4 << 105 << false;
    QTest::newRow("signed numeric: middle advances") << 0x47 << 0x00 << 6 << 3 << 105 << false;
}

void TestFieldEditing::typingMovesCursor()
{
    QFETCH(int, ffwHigh);
    QFETCH(int, ffwLow);
    QFETCH(int, length);
    QFETCH(int, offset);
    QFETCH(int, cursor);
    QFETCH(bool, autoEnter);

    TerminalScreen screen;
    screen.keyboardLocked = false;
    defineField(screen, 101, ffwHigh, ffwLow, length);
    defineField(screen, 201, 0x40, 0x00, 5);
    screen.cursor = 101 + offset;

    bool reportedAutoEnter = !autoEnter;
    QVERIFY(screen.typeCharacter(QLatin1Char('1'), nullptr, &reportedAutoEnter));
    QCOMPARE(int(screen.rawAt(101 + offset)), 0xF1);
    QCOMPARE(screen.cursor, cursor);
    QCOMPARE(reportedAutoEnter, autoEnter);
}

void TestFieldEditing::typingLastFieldWrapsToFirst()
{
    TerminalScreen screen;
    screen.keyboardLocked = false;
    defineField(screen, 1915, 0x40, 0x00, 5);
    defineField(screen, 101, 0x40, 0x00, 5);
    defineField(screen, 11, 0x60, 0x00, 5);   // bypass: never a target
    screen.cursor = 1919;

    QVERIFY(screen.typeCharacter(QLatin1Char('Z')));
    QCOMPARE(int(screen.rawAt(1919)), 0xE9);
    QCOMPARE(screen.cursor, 101);
}

void TestFieldEditing::insertModeShiftsRight()
{
    TerminalScreen screen;
    screen.keyboardLocked = false;
    screen.insertMode = true;
    defineField(screen, 101, 0x40, 0x00, 5, 0x24);
    screen.setFieldBytes(screen.fields.at(0), QByteArray::fromHex("c1c2"));
    screen.attributes[101] = char(0x21);   // travels with its byte
    screen.cursor = 101;

    QVERIFY(screen.typeCharacter(QLatin1Char('X')));
    QCOMPARE(fieldContent(screen, 0), QByteArray::fromHex("e7c1c20000"));
    QCOMPARE(int(screen.attributeAt(101)), 0x24);
    QCOMPARE(int(screen.attributeAt(102)), 0x21);
    QCOMPARE(screen.cursor, 102);

    // Typing in the middle shifts only what follows the cursor.
    QVERIFY(screen.typeCharacter(QLatin1Char('Y')));
    QCOMPARE(fieldContent(screen, 0), QByteArray::fromHex("e7e8c1c200"));
    QCOMPARE(screen.cursor, 103);

    // The last position is now the only free one: one more fits, then none.
    QVERIFY(screen.typeCharacter(QLatin1Char('W')));
    QCOMPARE(fieldContent(screen, 0), QByteArray::fromHex("e7e8e6c1c2"));
    QString message;
    QVERIFY(!screen.typeCharacter(QLatin1Char('V'), &message));
    QCOMPARE(message, QString::fromLatin1("Insert mode: field has no free position"));
}

void TestFieldEditing::backspace_data()
{
    QTest::addColumn<int>("cursor");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("cursorAfter");

    QTest::newRow("first position: nulled in place") << 101 << QByteArray::fromHex("00c2c3c4c5") << 101;
    QTest::newRow("middle: back one and null") << 103 << QByteArray::fromHex("c100c3c4c5") << 102;
    QTest::newRow("last position") << 105 << QByteArray::fromHex("c1c2c300c5") << 104;
}

void TestFieldEditing::backspace()
{
    QFETCH(int, cursor);
    QFETCH(QByteArray, content);
    QFETCH(int, cursorAfter);

    TerminalScreen screen;
    screen.keyboardLocked = false;
    defineField(screen, 101, 0x40, 0x00, 5);
    screen.setFieldBytes(screen.fields.at(0), QByteArray::fromHex("c1c2c3c4c5"));
    screen.cursor = cursor;

    QVERIFY(screen.backspace());
    QCOMPARE(fieldContent(screen, 0), content);
    QCOMPARE(screen.cursor, cursorAfter);
    QVERIFY(screen.fields.at(0).modified);
    QVERIFY(screen.fields.at(0).entered);
}

void TestFieldEditing::deleteShiftsLeft_data()
{
    QTest::addColumn<int>("ffwHigh");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("position 1 of V W X Y Z") << 0x40 << 1
        << QByteArray::fromHex("e5e6e7e8e9") << QByteArray::fromHex("e5e7e8e900");
    QTest::newRow("last position") << 0x40 << 4
        << QByteArray::fromHex("e5e6e7e8e9") << QByteArray::fromHex("e5e6e7e800");
    QTest::newRow("signed field: the sign position stays") << 0x47 << 0
        << QByteArray::fromHex("f1f2f3f4f560") << QByteArray::fromHex("f2f3f4f50060");
    QTest::newRow("signed -12, Delete on its first digit") << 0x47 << 0
        << QByteArray::fromHex("f1f200000060") << QByteArray::fromHex("f20000000060");
}

void TestFieldEditing::deleteShiftsLeft()
{
    QFETCH(int, ffwHigh);
    QFETCH(int, offset);
    QFETCH(QByteArray, content);
    QFETCH(QByteArray, expected);

    TerminalScreen screen;
    screen.keyboardLocked = false;
    defineField(screen, 101, ffwHigh, 0x00, content.size(), 0x24);
    screen.setFieldBytes(screen.fields.at(0), content);
    screen.attributes[102] = char(0x21);
    const QByteArray attributes = screen.attributes;
    screen.cursor = 101 + offset;

    QVERIFY(screen.deleteCharacter());
    QCOMPARE(fieldContent(screen, 0), expected);
    QCOMPARE(screen.cursor, 101 + offset);
    QCOMPARE(screen.attributes, attributes);
    QVERIFY(screen.fields.at(0).modified);
}

void TestFieldEditing::eraseToEndOfField()
{
    TerminalScreen screen;
    screen.keyboardLocked = false;
    defineField(screen, 101, 0x47, 0x00, 6);
    screen.setFieldBytes(screen.fields.at(0), QByteArray::fromHex("f1f2f3f4f560"));
    screen.cursor = 103;

    QString message;
    QVERIFY(screen.eraseToEndOfField(&message));
    QVERIFY(message.isEmpty());
    QCOMPARE(fieldContent(screen, 0), QByteArray::fromHex("f1f2000000" "00"));
    QCOMPARE(screen.cursor, 103);
    QVERIFY(screen.fields.at(0).modified);
    QVERIFY(screen.fields.at(0).entered);
}

void TestFieldEditing::eraseInput()
{
    TerminalScreen screen;
    defineField(screen, 101, 0x40, 0x00, 3);   // modified by the operator
    defineField(screen, 201, 0x40, 0x00, 3);   // untouched
    defineField(screen, 301, 0x68, 0x00, 3);   // bypass, modified
    defineField(screen, 51, 0x40, 0x00, 3);    // lowest start: home
    for (int i = 0; i < 3; ++i)
        screen.setFieldBytes(screen.fields.at(i), QByteArray::fromHex("c1c2c3"));
    screen.fields[0].modified = true;
    screen.cursor = 102;

    screen.keyboardLocked = true;
    const QString locked = state(screen);
    screen.eraseInput();
    QCOMPARE(state(screen), locked);

    screen.keyboardLocked = false;
    screen.eraseInput();
    QCOMPARE(fieldContent(screen, 0), QByteArray(3, '\0'));
    QCOMPARE(fieldContent(screen, 1), QByteArray::fromHex("c1c2c3"));
    QCOMPARE(fieldContent(screen, 2), QByteArray::fromHex("c1c2c3"));
    QVERIFY(screen.fields.at(0).modified);
    QVERIFY(screen.fields.at(0).entered);
    QCOMPARE(int(screen.fields.at(0).ffwHigh), 0x48);
    QVERIFY(!screen.fields.at(1).modified);
    QCOMPARE(screen.cursor, 51);
}

void TestFieldEditing::moveToEndOfField_data()
{
    QTest::addColumn<int>("ffwHigh");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("offset");

    QTest::newRow("empty field: first position") << 0x40 << QByteArray::fromHex("0000000000") << 0;
    QTest::newRow("after the last character") << 0x40 << QByteArray::fromHex("c1c2000000") << 2;
    QTest::newRow("a gap does not end the text") << 0x40 << QByteArray::fromHex("c100c30000") << 3;
    QTest::newRow("full field: last position") << 0x40 << QByteArray::fromHex("c1c2c3c4c5") << 4;
    QTest::newRow("signed field: the sign is not text") << 0x47 << QByteArray::fromHex("f1f2000000" "60") << 2;
    QTest::newRow("full signed field: last digit") << 0x47 << QByteArray::fromHex("f1f2f3f4f5" "60") << 4;
}

void TestFieldEditing::moveToEndOfField()
{
    QFETCH(int, ffwHigh);
    QFETCH(QByteArray, content);
    QFETCH(int, offset);

    TerminalScreen screen;
    screen.keyboardLocked = false;
    defineField(screen, 101, ffwHigh, 0x00, content.size());
    screen.setFieldBytes(screen.fields.at(0), content);
    screen.cursor = 101;
    QVERIFY(screen.moveToEndOfField());
    QCOMPARE(screen.cursor, 101 + offset);
}

void TestFieldEditing::fieldExit_data()
{
    QTest::addColumn<int>("ffwHigh");
    QTest::addColumn<int>("ffwLow");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("offset");
    QTest::addColumn<bool>("entered");
    QTest::addColumn<bool>("minus");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<bool>("autoEnter");

    QTest::newRow("Field- after two digits")
        << 0x47 << 0x00 << QByteArray::fromHex("f1f2f3f4f500") << 2 << true << true
        << QByteArray::fromHex("f1f200000060") << false;
    QTest::newRow("Field+ after two digits")
        << 0x47 << 0x00 << QByteArray::fromHex("f1f2f3f4f560") << 2 << true << false
        << QByteArray::fromHex("f1f200000000") << false;
    QTest::newRow("Field Exit on the first position clears the field")
        << 0x40 << 0x00 << QByteArray::fromHex("c1c2c3c4c5") << 0 << false << false
        << QByteArray::fromHex("0000000000") << false;
    QTest::newRow("Field Exit mid-field erases the rest")
        << 0x40 << 0x00 << QByteArray::fromHex("c1c2c3c4c5") << 3 << true << false
        << QByteArray::fromHex("c1c2c30000") << false;
    QTest::newRow("complete mandatory-fill field is kept")
        << 0x40 << 0x07 << QByteArray::fromHex("f1f2f3f4") << 2 << true << false
        << QByteArray::fromHex("f1f2f3f4") << false;
    QTest::newRow("mandatory-fill field from its first position is cleared")
        << 0x40 << 0x07 << QByteArray::fromHex("f1f20000") << 0 << true << false
        << QByteArray::fromHex("00000000") << false;
    QTest::newRow("mandatory-fill field not entered is erased from the cursor")
        << 0x40 << 0x07 << QByteArray::fromHex("f1f20000") << 1 << false << false
        << QByteArray::fromHex("f1000000") << false;
    QTest::newRow("host-modified mandatory-entry field passes")
        << 0x48 << 0x08 << QByteArray::fromHex("c1c2c3") << 3 << false << false
        << QByteArray::fromHex("c1c2c3") << false;
    QTest::newRow("right adjust, zero fill: 12 goes to the right end")
        << 0x43 << 0x05 << QByteArray::fromHex("f1f2000000") << 2 << true << false
        << QByteArray::fromHex("f0f0f0f1f2") << false;
    QTest::newRow("right adjust, blank fill")
        << 0x40 << 0x06 << QByteArray::fromHex("c1c2c3c4c5") << 3 << true << false
        << QByteArray::fromHex("4040c1c2c3") << false;
    QTest::newRow("right adjust, a gap moves with the digits")
        << 0x43 << 0x05 << QByteArray::fromHex("f100f20000") << 3 << true << false
        << QByteArray::fromHex("f0f0f100f2") << false;
    QTest::newRow("right adjust, empty field stays empty")
        << 0x43 << 0x05 << QByteArray::fromHex("f1f2000000") << 0 << true << false
        << QByteArray::fromHex("0000000000") << false;
    QTest::newRow("right adjust, signed with Field-: the sign position keeps the sign")
        << 0x47 << 0x05 << QByteArray::fromHex("f4f2000000" "00") << 2 << true << true
        << QByteArray::fromHex("f0f0f0f4f2" "60") << false;
    QTest::newRow("auto-enter field reports auto enter")
        << 0x40 << 0x80 << QByteArray::fromHex("c1c2c3") << 1 << true << false
        << QByteArray::fromHex("c10000") << true;
}

void TestFieldEditing::fieldExit()
{
    QFETCH(int, ffwHigh);
    QFETCH(int, ffwLow);
    QFETCH(QByteArray, content);
    QFETCH(int, offset);
    QFETCH(bool, entered);
    QFETCH(bool, minus);
    QFETCH(QByteArray, expected);
    QFETCH(bool, autoEnter);

    // Field under test at 101 and a longer one, so that offsets like 3 in a
    // 3-position field are not needed; the next input field is at 201.
    TerminalScreen screen;
    screen.keyboardLocked = false;
    defineField(screen, 101, ffwHigh, ffwLow, content.size() + (offset >= content.size() ? 1 : 0));
    defineField(screen, 201, 0x40, 0x00, 5);
    screen.setFieldBytes(screen.fields.at(0), content);
    screen.fields[0].entered = entered;
    screen.cursor = 101 + offset;

    QString message;
    bool reportedAutoEnter = !autoEnter;
    QVERIFY2(screen.fieldExit(minus, &message, &reportedAutoEnter), qPrintable(message));
    QCOMPARE(fieldContent(screen, 0).left(expected.size()), expected);
    QCOMPARE(screen.cursor, 201);
    QCOMPARE(reportedAutoEnter, autoEnter);
    QVERIFY(screen.fields.at(0).modified);
    QVERIFY(screen.fields.at(0).entered);
    QCOMPARE(int(screen.fields.at(0).ffwHigh), ffwHigh | 0x08);
}

void TestFieldEditing::tabAndBackTab_data()
{
    QTest::addColumn<int>("cursor");
    QTest::addColumn<QString>("keys");        // T tab, B back-tab
    QTest::addColumn<QList<int>>("cursors");  // after each key

    // Input fields at 101 and 201 (5 positions), a bypass field at 301.
    QTest::newRow("tab to the next field") << 103 << "T" << (QList<int>() << 201);
    QTest::newRow("tab from the last field wraps past the bypass field") << 201 << "T" << (QList<int>() << 101);
    QTest::newRow("tab from outside any field") << 0 << "T" << (QList<int>() << 101);
    QTest::newRow("back-tab twice from inside a field") << 203 << "BB" << (QList<int>() << 201 << 101);
    QTest::newRow("back-tab from a first position wraps") << 101 << "B" << (QList<int>() << 201);
    QTest::newRow("back-tab inside a bypass field goes to its start") << 303 << "BB" << (QList<int>() << 301 << 201);
}

void TestFieldEditing::tabAndBackTab()
{
    QFETCH(int, cursor);
    QFETCH(QString, keys);
    QFETCH(QList<int>, cursors);

    TerminalScreen screen;
    defineField(screen, 101, 0x40, 0x00, 5);
    defineField(screen, 201, 0x40, 0x00, 5);
    defineField(screen, 301, 0x60, 0x00, 5);
    screen.cursor = cursor;
    for (int i = 0; i < keys.size(); ++i) {
        screen.tab(keys.at(i) == QLatin1Char('B'));
        QCOMPARE(screen.cursor, cursors.at(i));
    }

    TerminalScreen noInput;
    defineField(noInput, 301, 0x60, 0x00, 5);
    noInput.cursor = 10;
    noInput.tab(false);
    QCOMPARE(noInput.cursor, 10);
}

void TestFieldEditing::newLine_data()
{
    QTest::addColumn<int>("cursor");
    QTest::addColumn<bool>("locked");
    QTest::addColumn<int>("cursorAfter");

    // Input fields start at 119 (row 1), 269 and 244 (both row 3, in that
    // table order); a bypass field at 170 (row 2). Rows are 0-based.
    QTest::newRow("to the leftmost field of the nearest row below") << 5 << false << 119;
    QTest::newRow("skips the bypass row") << 125 << false << 244;
    QTest::newRow("from the last row wraps to the smallest start") << 1900 << false << 119;
    QTest::newRow("from the row of the last field wraps") << 250 << false << 119;
    QTest::newRow("nothing while locked") << 5 << true << 5;
}

void TestFieldEditing::newLine()
{
    QFETCH(int, cursor);
    QFETCH(bool, locked);
    QFETCH(int, cursorAfter);

    TerminalScreen screen;
    defineField(screen, 119, 0x40, 0x00, 5);
    defineField(screen, 269, 0x40, 0x00, 5);
    defineField(screen, 244, 0x40, 0x00, 5);
    defineField(screen, 170, 0x60, 0x00, 5);
    screen.keyboardLocked = locked;
    screen.cursor = cursor;
    screen.newLine();
    QCOMPARE(screen.cursor, cursorAfter);
}

void TestFieldEditing::setFieldText_data()
{
    QTest::addColumn<int>("ffwLow");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("cursorOffset");

    QTest::newRow("exactly the field's length") << 0x00 << "ABCDEFGHIJ"
        << QByteArray::fromHex("c1c2c3c4c5c6c7c8c9d1") << 9;
    QTest::newRow("shorter text clears the rest") << 0x00 << "AB"
        << QByteArray::fromHex("c1c20000000000000000") << 2;
    QTest::newRow("monocase field upper-cases") << 0x20 << "qsecofr"
        << QByteArray::fromHex("d8e2c5c3d6c6d9000000") << 7;
    QTest::newRow("empty text clears the field") << 0x00 << ""
        << QByteArray(10, '\0') << 0;
}

void TestFieldEditing::setFieldText()
{
    QFETCH(int, ffwLow);
    QFETCH(QString, text);
    QFETCH(QByteArray, content);
    QFETCH(int, cursorOffset);

    TerminalScreen screen;
    defineField(screen, 101, 0x40, ffwLow, 10, 0x27);
    screen.setFieldBytes(screen.fields.at(0), QByteArray(10, char(0xF9)));
    screen.attributes[102] = char(0x20);

    QString message;
    QVERIFY(screen.setFieldText(0, text, &message));
    QVERIFY(message.isEmpty());
    QCOMPARE(fieldContent(screen, 0), content);
    QCOMPARE(screen.cursor, 101 + cursorOffset);
    if (!text.isEmpty())
        QCOMPARE(int(screen.attributeAt(102)), 0x27);
    QVERIFY(screen.fields.at(0).modified);
    QVERIFY(screen.fields.at(0).entered);
    QCOMPARE(int(screen.fields.at(0).ffwHigh), 0x48);
}

void TestFieldEditing::validateForEnter_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("entered");
    QTest::addColumn<bool>("passes");

    QTest::newRow("two of four filled") << QByteArray::fromHex("f1f20000") << true << false;
    QTest::newRow("a gap in the middle") << QByteArray::fromHex("f100f3f4") << true << false;
    QTest::newRow("all four filled") << QByteArray::fromHex("f1f2f3f4") << true << true;
    QTest::newRow("empty") << QByteArray::fromHex("00000000") << true << true;
    QTest::newRow("half filled but not entered since the MDT reset")
        << QByteArray::fromHex("f1f20000") << false << true;
}

void TestFieldEditing::validateForEnter()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, entered);
    QFETCH(bool, passes);

    TerminalScreen screen;
    defineField(screen, 11, 0x60, 0x08, 5);   // bypass mandatory entry: skipped
    defineField(screen, 101, 0x40, 0x07, 4);
    screen.setFieldBytes(screen.fields.at(1), content);
    screen.fields[1].entered = entered;

    QString message;
    QCOMPARE(screen.validateForEnter(&message), passes);
    QCOMPARE(message, passes ? QString() : QString::fromLatin1("A mandatory-fill field is incomplete"));
}

QTEST_APPLESS_MAIN(TestFieldEditing)
#include "tst_fieldediting.moc"
