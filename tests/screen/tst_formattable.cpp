#include <QtTest>

#include <climits>

#include "screen/terminalscreen.h"

// The format table: Start of Field, field lookup, the nearest input field,
// the modified data tags and the raw field data, with entries that do not fit
// the buffer kept strictly inside it.
class TestFormatTable : public QObject
{
    Q_OBJECT

private slots:
    void startFieldDefinesField();
    void startFieldAtLastPosition_data();
    void startFieldAtLastPosition();
    void startFieldCutsLengthAtScreenEnd();
    void startFieldNegativeLengthIgnored();
    void startFieldRedefinitionReplacesEntry();
    void startFieldMdtAndTransparency_data();
    void startFieldMdtAndTransparency();
    void clearFormatTable();
    void fieldLookup_data();
    void fieldLookup();
    void nextInputField_data();
    void nextInputField();
    void resetMdt_data();
    void resetMdt();
    void nullFields_data();
    void nullFields();
    void fieldBytesRoundTrip();
    void fieldBytesWrapPastLastCell();
    void bogusFieldsStayInBuffer_data();
    void bogusFieldsStayInBuffer();
    void functionSendsData_data();
    void functionSendsData();
};

namespace {

// Defines a field whose attribute byte lies at attributeIndex (so the data
// starts one cell later), as the Start of Field order would.
void defineField(TerminalScreen &screen, int attributeIndex, unsigned char ffwHigh, int length,
                 unsigned char attribute = 0x20)
{
    screen.setDisplayAddressIndex(attributeIndex);
    screen.startField(true, ffwHigh, 0x00, QVector<unsigned short>(), attribute, length);
}

} // namespace

void TestFormatTable::startFieldDefinesField()
{
    TerminalScreen screen;
    screen.data.fill(char(0xC1));
    screen.setDisplayAddressIndex(100);
    const QVector<unsigned short> fcws = QVector<unsigned short>() << 0x8101;
    screen.startField(true, 0x40, 0x20, fcws, 0x24, 10);

    QCOMPARE(screen.fields.size(), 1);
    const TerminalScreen::Field &field = screen.fields.at(0);
    QCOMPARE(field.start, 101);
    QCOMPARE(field.length, 10);
    QCOMPARE(int(field.ffwHigh), 0x40);
    QCOMPARE(int(field.ffwLow), 0x20);
    QCOMPARE(int(field.attribute), 0x24);
    QCOMPARE(field.fcws, fcws);
    QVERIFY(!field.modified);
    QVERIFY(!field.transparent);
    QVERIFY(!field.entered);

    QCOMPARE(int(screen.rawAt(100)), 0x24);
    for (int i = 100; i <= 110; ++i)
        QCOMPARE(int(screen.attributeAt(i)), 0x24);
    // The field's old data stays until the host writes it.
    QCOMPARE(int(screen.rawAt(101)), 0xC1);
    QCOMPARE(int(screen.rawAt(110)), 0xC1);
    QCOMPARE(int(screen.rawAt(111)), 0x20);
    QCOMPARE(int(screen.attributeAt(111)), 0x20);
    QCOMPARE(int(screen.attributeAt(112)), 0x20);
    QCOMPARE(int(screen.currentAttribute), 0x24);
    QCOMPARE(screen.displayAddress, 101);
}

void TestFormatTable::startFieldAtLastPosition_data()
{
    QTest::addColumn<bool>("hasFfw");
    QTest::addColumn<int>("displayAddress");
    QTest::newRow("with an FFW: no field, no advance") << true << 1919;
    QTest::newRow("without an FFW: attribute only, wraps to 0") << false << 0;
}

void TestFormatTable::startFieldAtLastPosition()
{
    QFETCH(bool, hasFfw);
    QFETCH(int, displayAddress);

    TerminalScreen screen;
    screen.setDisplayAddressIndex(1919);
    screen.startField(hasFfw, 0x40, 0x00, QVector<unsigned short>(), 0x22, 10);

    QVERIFY(screen.fields.isEmpty());
    QCOMPARE(int(screen.rawAt(1919)), 0x22);
    QCOMPARE(int(screen.attributeAt(1919)), 0x22);
    QCOMPARE(int(screen.currentAttribute), 0x22);
    QCOMPARE(screen.displayAddress, displayAddress);
    QCOMPARE(int(screen.rawAt(0)), 0x00);
}

void TestFormatTable::startFieldCutsLengthAtScreenEnd()
{
    TerminalScreen screen;
    screen.data[0] = char(0xC1);
    defineField(screen, 1900, 0x40, 5000, 0x21);

    QCOMPARE(screen.fields.size(), 1);
    QCOMPARE(screen.fields.at(0).start, 1901);
    QCOMPARE(screen.fields.at(0).length, 19);
    QCOMPARE(int(screen.attributeAt(1919)), 0x21);
    // No ending attribute for a field cut at the end: cell 0 is untouched.
    QCOMPARE(int(screen.rawAt(0)), 0xC1);
    QCOMPARE(screen.displayAddress, 1901);
}

void TestFormatTable::startFieldNegativeLengthIgnored()
{
    TerminalScreen screen;
    screen.setDisplayAddressIndex(100);
    const TerminalScreen before = screen;
    screen.startField(true, 0x40, 0x00, QVector<unsigned short>(), 0x24, -1);
    QVERIFY(screen.fields.isEmpty());
    QCOMPARE(screen.data, before.data);
    QCOMPARE(screen.displayAddress, 100);
    QCOMPARE(int(screen.currentAttribute), 0x20);
}

void TestFormatTable::startFieldRedefinitionReplacesEntry()
{
    TerminalScreen screen;
    defineField(screen, 10, 0x40, 5);
    defineField(screen, 100, 0x48, 5);       // host sent it modified
    defineField(screen, 200, 0x40, 5);
    screen.fields[1].entered = true;

    screen.setDisplayAddressIndex(100);
    screen.startField(true, 0x27, 0x08, QVector<unsigned short>(), 0x25, 8);

    QCOMPARE(screen.fields.size(), 3);
    const TerminalScreen::Field &field = screen.fields.at(1);
    QCOMPARE(field.start, 101);
    QCOMPARE(field.length, 8);
    QCOMPARE(int(field.ffwHigh), 0x27);
    QCOMPARE(int(field.ffwLow), 0x08);
    QCOMPARE(int(field.attribute), 0x25);
    QVERIFY(!field.modified);
    QVERIFY(!field.entered);
    QCOMPARE(screen.fields.at(0).start, 11);
    QCOMPARE(screen.fields.at(2).start, 201);
}

void TestFormatTable::startFieldMdtAndTransparency_data()
{
    QTest::addColumn<int>("ffwHigh");
    QTest::addColumn<QVector<unsigned short>>("fcws");
    QTest::addColumn<bool>("modified");
    QTest::addColumn<bool>("transparent");

    typedef QVector<unsigned short> Fcws;
    QTest::newRow("plain input field") << 0x40 << Fcws() << false << false;
    QTest::newRow("MDT bit in the first FFW byte") << 0x48 << Fcws() << true << false;
    QTest::newRow("FCW 0x8400") << 0x40 << (Fcws() << 0x8400) << false << true;
    QTest::newRow("FCW 0x84FF after another FCW") << 0x40 << (Fcws() << 0x8101 << 0x84FF) << false << true;
    QTest::newRow("FCW 0x8500 is not transparency") << 0x40 << (Fcws() << 0x8500) << false << false;
    QTest::newRow("FCW 0x0084 is not transparency") << 0x40 << (Fcws() << 0x0084) << false << false;
}

void TestFormatTable::startFieldMdtAndTransparency()
{
    QFETCH(int, ffwHigh);
    QFETCH(QVector<unsigned short>, fcws);
    QFETCH(bool, modified);
    QFETCH(bool, transparent);

    TerminalScreen screen;
    screen.startField(true, ffwHigh, 0x00, fcws, 0x20, 4);
    QCOMPARE(screen.fields.size(), 1);
    QCOMPARE(screen.fields.at(0).modified, modified);
    QCOMPARE(screen.fields.at(0).transparent, transparent);
}

void TestFormatTable::clearFormatTable()
{
    TerminalScreen screen;
    defineField(screen, 10, 0x40, 5);
    screen.keyboardLocked = false;
    screen.insertMode = true;
    screen.cursor = 12;
    screen.insertCursorIndex = 12;
    const QByteArray data = screen.data;
    const int displayAddress = screen.displayAddress;

    TerminalScreen header = screen;
    header.clearFormatTableForHeader();
    QVERIFY(header.fields.isEmpty());
    QVERIFY(!header.keyboardLocked);
    QVERIFY(header.insertMode);
    QCOMPARE(header.cursor, 12);
    // A new header forgets the old home.
    QCOMPARE(header.insertCursorIndex, -1);

    screen.clearFormatTable();
    QVERIFY(screen.fields.isEmpty());
    QVERIFY(screen.keyboardLocked);
    QVERIFY(!screen.insertMode);
    QCOMPARE(screen.cursor, 0);
    QCOMPARE(screen.insertCursorIndex, -1);
    QCOMPARE(screen.data, data);
    QCOMPARE(screen.displayAddress, displayAddress);
}

void TestFormatTable::fieldLookup_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("field");
    QTest::addColumn<bool>("isProtected");
    QTest::addColumn<bool>("validInput");

    // Input field 0 at 101..110, bypass field 1 at 201..205, input field 2 at 1915..1919.
    QTest::newRow("attribute position in front") << 100 << -1 << true << false;
    QTest::newRow("first data position") << 101 << 0 << false << true;
    QTest::newRow("last data position") << 110 << 0 << false << true;
    QTest::newRow("ending attribute after") << 111 << -1 << true << false;
    QTest::newRow("inside a bypass field") << 203 << 1 << true << false;
    QTest::newRow("last cell of the screen") << 1919 << 2 << false << true;
    QTest::newRow("cell 0 after a field ending at the last cell") << 0 << -1 << true << false;
}

void TestFormatTable::fieldLookup()
{
    QFETCH(int, index);
    QFETCH(int, field);
    QFETCH(bool, isProtected);
    QFETCH(bool, validInput);

    TerminalScreen screen;
    defineField(screen, 100, 0x40, 10);
    defineField(screen, 200, 0x60, 5);
    defineField(screen, 1914, 0x40, 5);

    QCOMPARE(screen.fieldIndexAt(index), field);
    QCOMPARE(screen.isProtectedAt(index), isProtected);
    QCOMPARE(screen.isValidInputPosition(index), validInput);
}

void TestFormatTable::nextInputField_data()
{
    QTest::addColumn<QList<int>>("starts");   // negative: a bypass field at -start
    QTest::addColumn<int>("from");
    QTest::addColumn<bool>("backward");
    QTest::addColumn<int>("expected");

    const QList<int> two = QList<int>() << 5 << 300;
    QTest::newRow("forward to the next start") << two << 10 << false << 1;
    QTest::newRow("forward wraps past the end") << two << 400 << false << 0;
    QTest::newRow("forward from a field's own start") << two << 300 << false << 0;
    QTest::newRow("sole field from its own start") << (QList<int>() << 300) << 300 << false << 0;
    QTest::newRow("backward to the previous start") << two << 400 << true << 1;
    QTest::newRow("backward wraps past the start") << two << 3 << true << 1;
    QTest::newRow("backward from a field's own start") << two << 5 << true << 1;
    QTest::newRow("bypass field skipped") << (QList<int>() << -100 << 300) << 10 << false << 1;
    QTest::newRow("tie: the earlier entry wins") << (QList<int>() << 300 << 300) << 10 << false << 0;
    QTest::newRow("only bypass fields") << (QList<int>() << -100) << 10 << false << -1;
    QTest::newRow("empty table") << QList<int>() << 10 << false << -1;
}

void TestFormatTable::nextInputField()
{
    QFETCH(QList<int>, starts);
    QFETCH(int, from);
    QFETCH(bool, backward);
    QFETCH(int, expected);

    // Entries built by hand: startField would merge two entries with one start.
    TerminalScreen screen;
    for (int start : starts) {
        TerminalScreen::Field field;
        field.start = qAbs(start);
        field.length = 3;
        field.ffwHigh = start < 0 ? 0x60 : 0x40;
        screen.fields.append(field);
    }
    QCOMPARE(screen.nextInputField(from, backward), expected);
}

void TestFormatTable::resetMdt_data()
{
    QTest::addColumn<bool>("allFields");
    QTest::addColumn<bool>("bypassStillModified");
    QTest::newRow("input fields only") << false << true;
    QTest::newRow("all fields") << true << false;
}

void TestFormatTable::resetMdt()
{
    QFETCH(bool, allFields);
    QFETCH(bool, bypassStillModified);

    TerminalScreen screen;
    defineField(screen, 10, 0x48, 5);  // input, modified
    defineField(screen, 20, 0x68, 5);  // bypass, modified
    screen.fields[0].entered = true;
    screen.fields[1].entered = true;

    screen.resetMdt(allFields);

    const TerminalScreen::Field &input = screen.fields.at(0);
    QVERIFY(!input.modified);
    QVERIFY(!input.entered);
    QCOMPARE(int(input.ffwHigh), 0x40);
    const TerminalScreen::Field &bypass = screen.fields.at(1);
    QCOMPARE(bypass.modified, bypassStillModified);
    QCOMPARE(bypass.entered, bypassStillModified);
    QCOMPARE(int(bypass.ffwHigh), bypassStillModified ? 0x68 : 0x60);
}

void TestFormatTable::nullFields_data()
{
    QTest::addColumn<bool>("onlyModified");
    QTest::addColumn<bool>("unmodifiedNulled");
    QTest::newRow("only modified input fields") << true << false;
    QTest::newRow("every input field") << false << true;
}

void TestFormatTable::nullFields()
{
    QFETCH(bool, onlyModified);
    QFETCH(bool, unmodifiedNulled);

    TerminalScreen screen;
    defineField(screen, 10, 0x48, 5, 0x24); // input, modified: 11..15
    defineField(screen, 20, 0x40, 5);       // input: 21..25
    defineField(screen, 30, 0x68, 5);       // bypass, modified: 31..35
    for (int i = 11; i <= 35; ++i) {
        if (!screen.isProtectedAt(i) || screen.fieldIndexAt(i) == 2)
            screen.data[i] = char(0xC1);
    }
    const QByteArray attributes = screen.attributes;

    screen.nullFields(onlyModified);

    QCOMPARE(screen.data.mid(11, 5), QByteArray(5, '\0'));
    QCOMPARE(screen.data.mid(21, 5), QByteArray(5, unmodifiedNulled ? '\0' : char(0xC1)));
    QCOMPARE(screen.data.mid(31, 5), QByteArray(5, char(0xC1)));
    QCOMPARE(screen.attributes, attributes);
    QVERIFY(screen.fields.at(0).modified);
    QVERIFY(!screen.fields.at(1).modified);
}

void TestFormatTable::fieldBytesRoundTrip()
{
    TerminalScreen screen;
    defineField(screen, 100, 0x40, 6, 0x24);
    const TerminalScreen::Field field = screen.fields.at(0);
    const QByteArray attributes = screen.attributes;

    screen.setFieldBytes(field, QByteArray::fromHex("c1c2c3"));
    QCOMPARE(screen.fieldBytes(field), QByteArray::fromHex("c1c2c3000000"));

    screen.setFieldBytes(field, QByteArray::fromHex("f1f2f3f4f5f6f7f8"));
    QCOMPARE(screen.fieldBytes(field), QByteArray::fromHex("f1f2f3f4f5f6"));
    QCOMPARE(int(screen.rawAt(107)), 0x20); // ending attribute kept
    QCOMPARE(screen.attributes, attributes);
    QVERIFY(!screen.fields.at(0).modified);
}

void TestFormatTable::fieldBytesWrapPastLastCell()
{
    TerminalScreen screen;
    TerminalScreen::Field field;
    field.start = 1918;
    field.length = 4;
    screen.setFieldBytes(field, QByteArray::fromHex("c1c2c3c4"));
    QCOMPARE(int(screen.rawAt(1918)), 0xC1);
    QCOMPARE(int(screen.rawAt(1919)), 0xC2);
    QCOMPARE(int(screen.rawAt(0)), 0xC3);
    QCOMPARE(int(screen.rawAt(1)), 0xC4);
    QCOMPARE(screen.fieldBytes(field), QByteArray::fromHex("c1c2c3c4"));
}

void TestFormatTable::bogusFieldsStayInBuffer_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("firstIndex");
    QTest::addColumn<int>("bytes");

    QTest::newRow("negative start") << -3 << 4 << 1917 << 4;
    QTest::newRow("start past the end") << 1920 * 3 + 7 << 2 << 7 << 2;
    QTest::newRow("start INT_MAX") << INT_MAX << 2 << INT_MAX % 1920 << 2;
    QTest::newRow("start INT_MIN") << INT_MIN << 2 << (INT_MIN % 1920) + 1920 << 2;
    QTest::newRow("negative length") << 10 << -5 << 10 << 0;
    QTest::newRow("length longer than the screen") << 10 << INT_MAX << 10 << 1920;
}

void TestFormatTable::bogusFieldsStayInBuffer()
{
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(int, firstIndex);
    QFETCH(int, bytes);

    TerminalScreen screen;
    TerminalScreen::Field field;
    field.start = start;
    field.length = length;
    field.ffwHigh = 0x40;
    screen.fields.append(field);

    screen.setFieldBytes(field, QByteArray(3000, char(0xC1)));
    QCOMPARE(screen.data.size(), 1920);
    QCOMPARE(screen.data.count(char(0xC1)), bytes);
    if (bytes > 0)
        QCOMPARE(int(screen.rawAt(firstIndex)), 0xC1);
    QCOMPARE(screen.fieldBytes(field), QByteArray(bytes, char(0xC1)));

    screen.nullFields(false);
    QCOMPARE(screen.data.count(char(0xC1)), 0);
    QCOMPARE(screen.data.size(), 1920);
    QCOMPARE(screen.fieldIndexAt(firstIndex), bytes > 0 ? 0 : -1);

    TerminalScreen empty;
    empty.data.clear();
    empty.attributes.clear();
    empty.setFieldBytes(field, QByteArray(3, char(0xC1)));
    QVERIFY(empty.fieldBytes(field).isEmpty());
    QVERIFY(empty.data.isEmpty());
}

void TestFormatTable::functionSendsData_data()
{
    QTest::addColumn<quint32>("mask");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("sends");

    QTest::newRow("F1 with an empty mask") << quint32(0) << 1 << true;
    QTest::newRow("F1 masked") << quint32(0x1) << 1 << false;
    QTest::newRow("F3 masked") << quint32(0x4) << 3 << false;
    QTest::newRow("F2 not masked by the F3 bit") << quint32(0x4) << 2 << true;
    QTest::newRow("F24 masked") << quint32(0x800000) << 24 << false;
    QTest::newRow("key 0 whatever the mask") << quint32(0xFFFFFFFF) << 0 << true;
    QTest::newRow("key 25 whatever the mask") << quint32(0xFFFFFFFF) << 25 << true;
    QTest::newRow("negative key whatever the mask") << quint32(0xFFFFFFFF) << -1 << true;
}

void TestFormatTable::functionSendsData()
{
    QFETCH(quint32, mask);
    QFETCH(int, key);
    QFETCH(bool, sends);

    TerminalScreen screen;
    screen.noDataKeyMask = mask;
    QCOMPARE(screen.functionSendsData(key), sends);
}

QTEST_APPLESS_MAIN(TestFormatTable)
#include "tst_formattable.moc"
