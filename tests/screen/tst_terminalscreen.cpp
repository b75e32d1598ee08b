#include <QtTest>

#include <climits>

#include "codec/ebcdiccodec.h"
#include "screen/terminalscreen.h"

// The cell buffer: resets, neutral answers for indexes outside the buffer,
// addressing with wrap, the host's write orders, Roll, the cursor and the
// screen text.
class TestTerminalScreen : public QObject
{
    Q_OBJECT

private slots:
    void init() { EbcdicCodec::setCodePage(37); }

    void defaultScreen();
    void resize_data();
    void resize();
    void clearKeepsOrDropsFormatTable_data();
    void clearKeepsOrDropsFormatTable();
    void neutralAnswersOutsideBuffer_data();
    void neutralAnswersOutsideBuffer();
    void charAtShowsBlanks_data();
    void charAtShowsBlanks();
    void clampIndex_data();
    void clampIndex();
    void addressing_data();
    void addressing();
    void writeByteAttributeThenData();
    void writeByteWrapsAtLastPosition();
    void writeTransparentStoresAttributeBytesAsData();
    void repeatTo_data();
    void repeatTo();
    void eraseTo_data();
    void eraseTo();
    void runsStayInsideShorterBuffers_data();
    void runsStayInsideShorterBuffers();
    void insertCursor_data();
    void insertCursor();
    void roll_data();
    void roll();
    void recomputeAttributesRunsWithoutWrap();
    void cursorMoves_data();
    void cursorMoves();
    void moveCursorRelative_data();
    void moveCursorRelative();
    void moveCursorHome_data();
    void moveCursorHome();
    void plainText_data();
    void plainText();
    void copyIsIndependentSnapshot();
    void inconsistentBuffersStayInBounds();
    void bulkPathsMatchCellByCell_data();
    void bulkPathsMatchCellByCell();
};

namespace {

// The row (1-based) of a 24 x 80 screen, as a byte string, to follow rows in Roll.
QByteArray rowBytes(const QByteArray &buffer, int row, int columns = 80)
{
    return buffer.mid((row - 1) * columns, columns);
}

} // namespace

void TestTerminalScreen::defaultScreen()
{
    TerminalScreen screen;
    QCOMPARE(screen.rows, 24);
    QCOMPARE(screen.columns, 80);
    QCOMPARE(screen.data, QByteArray(1920, '\0'));
    QCOMPARE(screen.attributes, QByteArray(1920, char(0x20)));
    QVERIFY(screen.fields.isEmpty());
    QVERIFY(screen.keyboardLocked);
    QVERIFY(!screen.messageWaiting);
    QVERIFY(!screen.insertMode);
    QCOMPARE(screen.insertCursorIndex, -1);
    QCOMPARE(int(screen.currentAttribute), 0x20);
    QCOMPARE(screen.plainText(true), QString(23, QLatin1Char('\n')));
}

void TestTerminalScreen::resize_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("expectedRows");
    QTest::addColumn<int>("expectedColumns");

    QTest::newRow("27 x 132") << 27 << 132 << 27 << 132;
    QTest::newRow("back to 24 x 80") << 24 << 80 << 24 << 80;
    QTest::newRow("zero rows ignored") << 0 << 80 << 24 << 80;
    QTest::newRow("negative columns ignored") << 27 << -132 << 24 << 80;
    QTest::newRow("beyond one-byte addresses ignored") << 100000 << 100000 << 24 << 80;
}

void TestTerminalScreen::resize()
{
    QFETCH(int, rows);
    QFETCH(int, columns);
    QFETCH(int, expectedRows);
    QFETCH(int, expectedColumns);

    TerminalScreen screen;
    screen.keyboardLocked = false;
    screen.messageWaiting = true;
    screen.noDataKeyMask = 0x5;
    screen.writeByte(0xC1);
    screen.startField(true, 0x00, 0x00, QVector<unsigned short>(), 0x20, 5);
    screen.cursor = 7;
    screen.insertMode = true;
    const bool ignored = expectedRows == 24 && rows != 24;
    const TerminalScreen before = screen;

    screen.resize(rows, columns);

    QCOMPARE(screen.rows, expectedRows);
    QCOMPARE(screen.columns, expectedColumns);
    if (ignored) {
        QCOMPARE(screen.data, before.data);
        QCOMPARE(screen.fields.size(), 1);
        QCOMPARE(screen.cursor, 7);
        return;
    }
    const int cells = expectedRows * expectedColumns;
    QCOMPARE(screen.data, QByteArray(cells, '\0'));
    QCOMPARE(screen.attributes, QByteArray(cells, char(0x20)));
    QVERIFY(screen.fields.isEmpty());
    QCOMPARE(screen.cursor, 0);
    QCOMPARE(screen.displayAddress, 0);
    QCOMPARE(screen.insertCursorIndex, -1);
    QCOMPARE(int(screen.currentAttribute), 0x20);
    QVERIFY(!screen.insertMode);
    QVERIFY(!screen.keyboardLocked);
    QVERIFY(screen.messageWaiting);
    QCOMPARE(screen.noDataKeyMask, quint32(0x5));
}

void TestTerminalScreen::clearKeepsOrDropsFormatTable_data()
{
    QTest::addColumn<bool>("clearFormatTable");
    QTest::newRow("format table kept") << false;
    QTest::newRow("format table cleared") << true;
}

void TestTerminalScreen::clearKeepsOrDropsFormatTable()
{
    QFETCH(bool, clearFormatTable);

    TerminalScreen screen;
    screen.resize(27, 132);
    screen.keyboardLocked = false;
    screen.messageWaiting = true;
    screen.insertMode = true;
    screen.noDataKeyMask = 0x80;
    screen.setDisplayAddressIndex(300);
    screen.startField(true, 0x00, 0x00, QVector<unsigned short>(), 0x24, 10);
    screen.writeByte(0xC1);
    screen.insertCursor(2, 2);
    screen.cursor = 310;

    screen.clear(clearFormatTable);

    QCOMPARE(screen.rows, 27);
    QCOMPARE(screen.data, QByteArray(27 * 132, '\0'));
    QCOMPARE(screen.attributes, QByteArray(27 * 132, char(0x20)));
    QCOMPARE(screen.fields.isEmpty(), clearFormatTable);
    QCOMPARE(screen.displayAddress, 0);
    QCOMPARE(screen.cursor, 0);
    QCOMPARE(screen.insertCursorIndex, -1);
    QCOMPARE(int(screen.currentAttribute), 0x20);
    QVERIFY(screen.keyboardLocked);
    QVERIFY(!screen.insertMode);
    QVERIFY(screen.messageWaiting);
    // The no-data keys go with the format table.
    QCOMPARE(screen.noDataKeyMask, quint32(clearFormatTable ? 0 : 0x80));
}

void TestTerminalScreen::neutralAnswersOutsideBuffer_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("minus one") << -1;
    QTest::newRow("size") << 1920;
    QTest::newRow("INT_MIN") << INT_MIN;
    QTest::newRow("INT_MAX") << INT_MAX;
}

void TestTerminalScreen::neutralAnswersOutsideBuffer()
{
    QFETCH(int, index);

    // Every cell holds something that would give a non-neutral answer.
    TerminalScreen screen;
    screen.data.fill(char(0x27));
    screen.attributes.fill(char(0x27));

    QCOMPARE(int(screen.rawAt(index)), 0x00);
    QCOMPARE(int(screen.attributeAt(index)), 0x20);
    QVERIFY(!screen.isAttributeAt(index));
    QVERIFY(!screen.isNondisplayAt(index));
    QCOMPARE(screen.charAt(index), QChar(QLatin1Char(' ')));
    QCOMPARE(screen.fieldIndexAt(index), -1);
    QVERIFY(screen.isProtectedAt(index));
    QVERIFY(!screen.isValidInputPosition(index));
}

void TestTerminalScreen::charAtShowsBlanks_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("attribute");
    QTest::addColumn<QString>("character");
    QTest::addColumn<bool>("isAttribute");
    QTest::addColumn<bool>("nondisplay");

    QTest::newRow("null position") << 0x00 << 0x20 << " " << false << false;
    QTest::newRow("attribute byte 0x25") << 0x25 << 0x25 << " " << true << false;
    QTest::newRow("control 0x15 (U+0085)") << 0x15 << 0x20 << " " << false << false;
    QTest::newRow("control 0xFF (U+009F)") << 0xFF << 0x20 << " " << false << false;
    QTest::newRow("letter A") << 0xC1 << 0x20 << "A" << false << false;
    QTest::newRow("nondisplay letter still decoded") << 0xC1 << 0x27 << "A" << false << true;
    QTest::newRow("nondisplay 0x3F attribute") << 0x3F << 0x3F << " " << true << true;
    QTest::newRow("underscore attribute is shown") << 0xC2 << 0x24 << "B" << false << false;
}

void TestTerminalScreen::charAtShowsBlanks()
{
    QFETCH(int, byte);
    QFETCH(int, attribute);
    QFETCH(QString, character);
    QFETCH(bool, isAttribute);
    QFETCH(bool, nondisplay);

    TerminalScreen screen;
    screen.data[5] = char(byte);
    screen.attributes[5] = char(attribute);
    QCOMPARE(QString(screen.charAt(5)), character);
    QCOMPARE(screen.isAttributeAt(5), isAttribute);
    QCOMPARE(screen.isNondisplayAt(5), nondisplay);
    QCOMPARE(int(screen.rawAt(5)), byte);
    QCOMPARE(int(screen.attributeAt(5)), attribute);
}

void TestTerminalScreen::clampIndex_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("expected");
    QTest::newRow("inside") << 100 << 100;
    QTest::newRow("size wraps to 0") << 1920 << 0;
    QTest::newRow("minus one wraps to last") << -1 << 1919;
    QTest::newRow("two screens and five") << 3845 << 5;
    QTest::newRow("minus two screens and one") << -3841 << 1919;
    QTest::newRow("INT_MIN") << INT_MIN << ((INT_MIN % 1920) + 1920);
    QTest::newRow("INT_MAX") << INT_MAX << INT_MAX % 1920;
}

void TestTerminalScreen::clampIndex()
{
    QFETCH(int, index);
    QFETCH(int, expected);
    TerminalScreen screen;
    QCOMPARE(screen.clampIndex(index), expected);
    screen.setDisplayAddressIndex(index);
    QCOMPARE(screen.displayAddress, expected);

    TerminalScreen empty;
    empty.data.clear();
    empty.attributes.clear();
    QCOMPARE(empty.clampIndex(index), 0);
}

void TestTerminalScreen::addressing_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("index");
    QTest::newRow("home") << 1 << 1 << 0;
    QTest::newRow("row 2 column 5") << 2 << 5 << 84;
    QTest::newRow("last cell") << 24 << 80 << 1919;
    QTest::newRow("row 0") << 0 << 1 << -1;
    QTest::newRow("row 25") << 25 << 1 << -1;
    QTest::newRow("column 0") << 1 << 0 << -1;
    QTest::newRow("column 81") << 1 << 81 << -1;
}

void TestTerminalScreen::addressing()
{
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(int, index);

    TerminalScreen screen;
    QCOMPARE(screen.indexFromAddress(row, column), index);

    // The 1-based setters ignore what indexFromAddress rejects.
    screen.displayAddress = 77;
    screen.cursor = 33;
    screen.setDisplayAddress(row, column);
    screen.moveCursor(row, column);
    QCOMPARE(screen.displayAddress, index < 0 ? 77 : index);
    QCOMPARE(screen.cursor, index < 0 ? 33 : index);
}

void TestTerminalScreen::writeByteAttributeThenData()
{
    TerminalScreen screen;
    screen.writeByte(0x22);
    screen.writeByte(0xC1);

    QVERIFY(screen.isAttributeAt(0));
    QCOMPARE(screen.charAt(0), QChar(QLatin1Char(' ')));
    QCOMPARE(int(screen.attributeAt(0)), 0x22);
    QCOMPARE(screen.charAt(1), QChar(QLatin1Char('A')));
    QCOMPARE(int(screen.attributeAt(1)), 0x22);
    QCOMPARE(int(screen.currentAttribute), 0x22);
    QCOMPARE(screen.displayAddress, 2);
    // A write never spreads its attribute over the following cells.
    QCOMPARE(int(screen.attributeAt(2)), 0x20);
}

void TestTerminalScreen::writeByteWrapsAtLastPosition()
{
    TerminalScreen screen;
    screen.setDisplayAddressIndex(1919);
    screen.writeByte(0xC1);
    QCOMPARE(int(screen.rawAt(1919)), 0xC1);
    QCOMPARE(screen.displayAddress, 0);

    // A write position left outside the buffer is wrapped, not trusted.
    screen.displayAddress = 1920 + 3;
    screen.writeByte(0xC2);
    QCOMPARE(int(screen.rawAt(3)), 0xC2);
    QCOMPARE(screen.displayAddress, 4);
    QCOMPARE(screen.data.size(), 1920);
}

void TestTerminalScreen::writeTransparentStoresAttributeBytesAsData()
{
    TerminalScreen screen;
    screen.writeByte(0x24);
    screen.setDisplayAddressIndex(1918);
    screen.writeTransparent(QByteArray::fromHex("22c1c2"));

    QCOMPARE(int(screen.rawAt(1918)), 0x22);
    QVERIFY(screen.isAttributeAt(1918));
    QCOMPARE(int(screen.attributeAt(1918)), 0x24);
    QCOMPARE(int(screen.currentAttribute), 0x24);
    QCOMPARE(int(screen.rawAt(1919)), 0xC1);
    QCOMPARE(int(screen.rawAt(0)), 0xC2);
    QCOMPARE(int(screen.attributeAt(0)), 0x24);
    QCOMPARE(screen.displayAddress, 1);
}

void TestTerminalScreen::repeatTo_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QList<int>>("written");
    QTest::addColumn<int>("displayAddress");

    QTest::newRow("target is the write position: one byte")
        << 100 << 2 << 21 << (QList<int>() << 100) << 101;
    QTest::newRow("forward run")
        << 100 << 2 << 24 << (QList<int>() << 100 << 101 << 102 << 103) << 104;
    QTest::newRow("target before the write position wraps")
        << 1918 << 1 << 2 << (QList<int>() << 1918 << 1919 << 0 << 1) << 2;
    QTest::newRow("target is the last cell")
        << 1917 << 24 << 80 << (QList<int>() << 1917 << 1918 << 1919) << 0;
    QList<int> everyCell;
    for (int i = 0; i < 1920; ++i)
        everyCell << i;
    QTest::newRow("target just before the write position: the whole screen")
        << 1000 << 13 << 40 << everyCell << 1000;
    QTest::newRow("from cell 0 to the last cell: the whole screen") << 0 << 24 << 80 << everyCell << 0;
    QTest::newRow("row outside the screen ignored") << 100 << 25 << 1 << QList<int>() << 100;
    QTest::newRow("column outside the screen ignored") << 100 << 1 << 81 << QList<int>() << 100;
}

void TestTerminalScreen::repeatTo()
{
    QFETCH(int, from);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QList<int>, written);
    QFETCH(int, displayAddress);

    TerminalScreen screen;
    screen.currentAttribute = 0x21;
    screen.setDisplayAddressIndex(from);
    screen.repeatTo(row, column, 0x5C);

    QCOMPARE(screen.displayAddress, displayAddress);
    for (int i = 0; i < screen.size(); ++i) {
        const bool expected = written.contains(i);
        QCOMPARE(int(screen.rawAt(i)), expected ? 0x5C : 0x00);
        QCOMPARE(int(screen.attributeAt(i)), expected ? 0x21 : 0x20);
    }
}

void TestTerminalScreen::eraseTo_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("firstErased");
    QTest::addColumn<int>("erasedCount");
    QTest::addColumn<int>("displayAddress");

    QTest::newRow("forward") << 10 << 1 << 15 << 10 << 5 << 15;
    QTest::newRow("single cell") << 10 << 1 << 11 << 10 << 1 << 11;
    QTest::newRow("wraps through the end") << 1915 << 1 << 3 << 1915 << 8 << 3;
    QTest::newRow("target just before the write position: the whole screen") << 500 << 7 << 20 << 0 << 1920 << 500;
    QTest::newRow("row 25 ignored") << 10 << 25 << 1 << 0 << 0 << 10;
    QTest::newRow("column 0 ignored") << 10 << 1 << 0 << 0 << 0 << 10;
}

void TestTerminalScreen::eraseTo()
{
    QFETCH(int, from);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(int, firstErased);
    QFETCH(int, erasedCount);
    QFETCH(int, displayAddress);

    TerminalScreen screen;
    screen.data.fill(char(0xC1));
    screen.currentAttribute = 0x25;
    screen.setDisplayAddressIndex(from);
    screen.eraseTo(row, column);

    QCOMPARE(screen.displayAddress, displayAddress);
    int erased = 0;
    for (int i = 0; i < screen.size(); ++i) {
        if (screen.rawAt(i) == 0x00) {
            QCOMPARE(int(screen.attributeAt(i)), 0x25);
            ++erased;
        } else {
            QCOMPARE(int(screen.attributeAt(i)), 0x20);
        }
    }
    QCOMPARE(erased, erasedCount);
    if (erasedCount > 0)
        QCOMPARE(int(screen.rawAt(firstErased)), 0x00);
}

// The buffers are public: a run over the whole screen must write only the
// cells each buffer has, whatever rows x columns say.
void TestTerminalScreen::runsStayInsideShorterBuffers_data()
{
    QTest::addColumn<int>("dataSize");
    QTest::addColumn<int>("attributeSize");
    QTest::addColumn<bool>("erase");
    QTest::newRow("repeat, attributes shorter") << 1920 << 100 << false;
    QTest::newRow("repeat, data shorter") << 1000 << 1920 << false;
    QTest::newRow("erase, attributes shorter") << 1920 << 7 << true;
    QTest::newRow("erase, no attributes") << 1920 << 0 << true;
}

void TestTerminalScreen::runsStayInsideShorterBuffers()
{
    QFETCH(int, dataSize);
    QFETCH(int, attributeSize);
    QFETCH(bool, erase);
    TerminalScreen screen;
    screen.data = QByteArray(dataSize, char(0xC1));
    screen.attributes = QByteArray(attributeSize, char(0x20));
    screen.currentAttribute = 0x22;
    screen.setDisplayAddressIndex(dataSize / 2);
    // The cell before the write position: a run through every cell.
    const int target = dataSize / 2 - 1;
    if (erase)
        screen.eraseTo(target / 80 + 1, target % 80 + 1);
    else
        screen.repeatTo(target / 80 + 1, target % 80 + 1, 0x5C);

    QCOMPARE(screen.data, QByteArray(dataSize, char(erase ? 0x00 : 0x5C)));
    // The run covers the data's cells; attribute cells beyond them stay.
    QByteArray attributes(attributeSize, char(0x20));
    attributes.replace(0, qMin(dataSize, attributeSize), QByteArray(qMin(dataSize, attributeSize), char(0x22)));
    QCOMPARE(screen.attributes, attributes);
    QCOMPARE(screen.displayAddress, dataSize / 2);
}

void TestTerminalScreen::insertCursor_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("index");
    QTest::newRow("valid") << 3 << 10 << true << 169;
    QTest::newRow("last cell") << 24 << 80 << true << 1919;
    QTest::newRow("row 0") << 0 << 10 << false << 42;
    QTest::newRow("column 81") << 3 << 81 << false << 42;
}

void TestTerminalScreen::insertCursor()
{
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(bool, accepted);
    QFETCH(int, index);

    TerminalScreen screen;
    screen.insertCursorIndex = 42;
    QCOMPARE(screen.insertCursor(row, column), accepted);
    QCOMPARE(screen.insertCursorIndex, index);
}

void TestTerminalScreen::roll_data()
{
    QTest::addColumn<int>("control");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("bottom");
    // For rows 1 to 24: the row whose original content it holds afterwards;
    // 0 for a row the content left, which is cleared.
    QTest::addColumn<QList<int>>("sources");

    QList<int> unchanged;
    for (int r = 1; r <= 24; ++r)
        unchanged << r;

    QList<int> up2 = unchanged;
    up2[4] = 7; up2[5] = 8; up2[6] = 9; up2[7] = 10; up2[8] = 0; up2[9] = 0;
    QTest::newRow("up 2 lines in rows 5 to 10, rows 9 and 10 cleared") << 0x02 << 5 << 10 << up2;

    QList<int> down2 = unchanged;
    down2[4] = 0; down2[5] = 0; down2[6] = 5; down2[7] = 6; down2[8] = 7; down2[9] = 8;
    QTest::newRow("down 2 lines in rows 5 to 10, rows 5 and 6 cleared") << 0x82 << 5 << 10 << down2;

    QList<int> upCut = unchanged;
    for (int r = 5; r <= 10; ++r)
        upCut[r - 1] = 0;
    QTest::newRow("31 lines clear the whole region") << 0x1F << 5 << 10 << upCut;
    QTest::newRow("the region's height clears it, down as well") << 0x86 << 5 << 10 << upCut;

    QList<int> downWhole = unchanged;
    for (int r = 2; r <= 24; ++r)
        downWhole[r - 1] = r - 1;
    downWhole[0] = 0;
    QTest::newRow("down 1 over the whole screen") << 0x81 << 1 << 24 << downWhole;

    QTest::newRow("top after bottom rejected") << 0x02 << 10 << 5 << unchanged;
    QTest::newRow("top equal to bottom rejected") << 0x02 << 5 << 5 << unchanged;
    QTest::newRow("zero lines rejected") << 0x80 << 5 << 10 << unchanged;
    QTest::newRow("top row 0 rejected") << 0x01 << 0 << 10 << unchanged;
    QTest::newRow("bottom past the screen rejected") << 0x01 << 5 << 25 << unchanged;
}

void TestTerminalScreen::roll()
{
    QFETCH(int, control);
    QFETCH(int, top);
    QFETCH(int, bottom);
    QFETCH(QList<int>, sources);

    TerminalScreen screen;
    for (int r = 1; r <= 24; ++r) {
        for (int c = 0; c < 80; ++c) {
            screen.data[(r - 1) * 80 + c] = char(0xC0 + r);
            screen.attributes[(r - 1) * 80 + c] = char(0x20 + r);
        }
    }
    screen.startField(true, 0x00, 0x00, QVector<unsigned short>(), 0x20, 5);
    screen.cursor = 500;
    const TerminalScreen before = screen;

    screen.roll(control, top, bottom);

    for (int r = 1; r <= 24; ++r) {
        const int source = sources.at(r - 1);
        QCOMPARE(rowBytes(screen.data, r), source ? rowBytes(before.data, source) : QByteArray(80, '\0'));
        QCOMPARE(rowBytes(screen.attributes, r), source ? rowBytes(before.attributes, source) : QByteArray(80, char(0x20)));
    }
    QCOMPARE(screen.cursor, 500);
    QCOMPARE(screen.displayAddress, before.displayAddress);
    QCOMPARE(screen.fields.size(), 1);
}

void TestTerminalScreen::recomputeAttributesRunsWithoutWrap()
{
    TerminalScreen screen;
    screen.attributes.fill(char(0x3A));
    screen.data[10] = char(0x24);
    screen.data[11] = char(0xC1);
    screen.data[20] = char(0x20);
    screen.data[1919] = char(0x27);

    screen.recomputeAttributes();

    QCOMPARE(int(screen.attributeAt(0)), 0x20);
    QCOMPARE(int(screen.attributeAt(9)), 0x20);
    QCOMPARE(int(screen.attributeAt(10)), 0x24);
    QCOMPARE(int(screen.attributeAt(19)), 0x24);
    QCOMPARE(int(screen.attributeAt(20)), 0x20);
    QCOMPARE(int(screen.attributeAt(1918)), 0x20);
    QCOMPARE(int(screen.attributeAt(1919)), 0x27);
}

void TestTerminalScreen::cursorMoves_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::newRow("first cell") << 0 << 0 << 0 << 0;
    QTest::newRow("row 3 column 79") << 319 << 319 << 3 << 79;
    QTest::newRow("last cell") << 1919 << 1919 << 23 << 79;
    QTest::newRow("size rejected") << 1920 << 42 << 0 << 42;
    QTest::newRow("negative rejected") << -1 << 42 << 0 << 42;
}

void TestTerminalScreen::cursorMoves()
{
    QFETCH(int, index);
    QFETCH(int, cursor);
    QFETCH(int, row);
    QFETCH(int, column);

    TerminalScreen screen;
    screen.cursor = 42;
    screen.setCursorIndex(index);
    QCOMPARE(screen.cursor, cursor);
    QCOMPARE(screen.cursorRow(), row);
    QCOMPARE(screen.cursorColumn(), column);
}

void TestTerminalScreen::moveCursorRelative_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("startRow");
    QTest::addColumn<int>("startColumn");
    QTest::addColumn<int>("rowDelta");
    QTest::addColumn<int>("columnDelta");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");

    QTest::newRow("right") << 24 << 80 << 3 << 10 << 0 << 1 << 3 << 11;
    QTest::newRow("right from the last column stays on the row") << 24 << 80 << 3 << 79 << 0 << 1 << 3 << 0;
    QTest::newRow("left from column 0 stays on the row") << 24 << 80 << 3 << 0 << 0 << -1 << 3 << 79;
    QTest::newRow("up from row 0") << 24 << 80 << 0 << 5 << -1 << 0 << 23 << 5;
    QTest::newRow("down from the last row") << 24 << 80 << 23 << 5 << 1 << 0 << 0 << 5;
    QTest::newRow("down from the last row of 27 x 132") << 27 << 132 << 26 << 131 << 1 << 0 << 0 << 131;
}

void TestTerminalScreen::moveCursorRelative()
{
    QFETCH(int, rows);
    QFETCH(int, columns);
    QFETCH(int, startRow);
    QFETCH(int, startColumn);
    QFETCH(int, rowDelta);
    QFETCH(int, columnDelta);
    QFETCH(int, row);
    QFETCH(int, column);

    TerminalScreen screen;
    screen.resize(rows, columns);
    screen.setCursorIndex(startRow * columns + startColumn);
    screen.moveCursorRelative(rowDelta, columnDelta);
    QCOMPARE(screen.cursorRow(), row);
    QCOMPARE(screen.cursorColumn(), column);
}

void TestTerminalScreen::moveCursorHome_data()
{
    QTest::addColumn<int>("insertCursorIndex");
    // Attribute positions of the fields in table order; a negative one is bypass.
    QTest::addColumn<QList<int>>("attributePositions");
    QTest::addColumn<int>("cursor");

    QTest::newRow("lowest start, not the first entry") << -1 << (QList<int>() << 499 << 199) << 200;
    QTest::newRow("insert cursor wins") << 700 << (QList<int>() << 199) << 700;
    QTest::newRow("bypass field skipped") << -1 << (QList<int>() << -99 << 499) << 500;
    QTest::newRow("no input field goes to 0") << -1 << (QList<int>() << -99) << 0;
    QTest::newRow("insert cursor outside the buffer ignored") << 5000 << (QList<int>() << 299) << 300;
}

void TestTerminalScreen::moveCursorHome()
{
    QFETCH(int, insertCursorIndex);
    QFETCH(QList<int>, attributePositions);
    QFETCH(int, cursor);

    TerminalScreen screen;
    for (int position : attributePositions) {
        screen.setDisplayAddressIndex(qAbs(position));
        screen.startField(true, position < 0 ? 0x20 : 0x00, 0x00, QVector<unsigned short>(), 0x20, 10);
    }
    screen.insertCursorIndex = insertCursorIndex;
    screen.cursor = 1234;
    screen.moveCursorHome();
    QCOMPARE(screen.cursor, cursor);
}

void TestTerminalScreen::plainText_data()
{
    QTest::addColumn<bool>("hideNondisplay");
    QTest::addColumn<QString>("firstRow");
    QTest::newRow("nondisplay hidden") << true << QString::fromLatin1("  HI");
    QTest::newRow("nondisplay shown") << false << QString::fromLatin1("  HI  PW");
}

void TestTerminalScreen::plainText()
{
    QFETCH(bool, hideNondisplay);
    QFETCH(QString, firstRow);

    TerminalScreen screen;
    screen.setDisplayAddressIndex(1);
    screen.writeByte(0x20);                    // attribute: a blank cell
    screen.writeTransparent(QByteArray::fromHex("c8c9"));
    screen.writeByte(0x27);                    // nondisplay from here
    screen.writeTransparent(QByteArray::fromHex("00d7e6"));
    screen.writeByte(0x20);
    screen.writeTransparent(QByteArray::fromHex("404040"));
    screen.setDisplayAddressIndex(80 * 23 + 2);
    screen.writeByte(0xC5);                    // "E" on the last row

    const QStringList lines = screen.plainText(hideNondisplay).split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 24);
    QCOMPARE(lines.first(), firstRow);
    QCOMPARE(lines.at(1), QString());
    QCOMPARE(lines.last(), QString::fromLatin1("  E"));
}

void TestTerminalScreen::copyIsIndependentSnapshot()
{
    TerminalScreen screen;
    screen.startField(true, 0x00, 0x00, QVector<unsigned short>(), 0x20, 5);
    const TerminalScreen saved = screen;

    screen.writeByte(0xC1);
    screen.fields[0].modified = true;
    screen.roll(0x01, 1, 24);

    QCOMPARE(int(saved.rawAt(1)), 0x00);
    QVERIFY(!saved.fields.at(0).modified);
    QCOMPARE(int(saved.rawAt(0)), 0x20);
}

void TestTerminalScreen::inconsistentBuffersStayInBounds()
{
    // rows/columns are public: a screen whose size members disagree with its
    // buffers must still never touch a cell the buffers lack.
    TerminalScreen screen;
    screen.rows = 27;
    screen.columns = 132;
    screen.attributes.truncate(100);

    QCOMPARE(screen.indexFromAddress(27, 132), -1);
    screen.setDisplayAddressIndex(1919);
    screen.repeatTo(1, 5, 0xC1);
    screen.eraseTo(1, 2);
    screen.writeTransparent(QByteArray(4000, char(0xC2)));
    screen.roll(0x83, 1, 27);
    screen.recomputeAttributes();
    screen.moveCursorRelative(-1, -1);
    QCOMPARE(screen.data.size(), 1920);
    QCOMPARE(screen.attributes.size(), 100);
    QVERIFY(screen.cursor >= 0 && screen.cursor < 1920);
    QCOMPARE(screen.plainText(true).count(QLatin1Char('\n')), 26);

    TerminalScreen empty;
    empty.data.clear();
    empty.attributes.clear();
    empty.writeByte(0xC1);
    empty.writeTransparent(QByteArray(3, char(0xC1)));
    empty.repeatTo(1, 1, 0xC1);
    empty.eraseTo(1, 1);
    empty.advanceDisplayAddress();
    QVERIFY(empty.data.isEmpty());
    QCOMPARE(empty.displayAddress, 0);
}

void TestTerminalScreen::bulkPathsMatchCellByCell_data()
{
    QTest::addColumn<int>("codePage");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("start");
    QTest::addColumn<quint32>("seed");
    for (int codePage : EbcdicCodec::supportedCodePages()) {
        QTest::newRow(qPrintable(QStringLiteral("CP%1 24x80").arg(codePage))) << codePage << 24 << 80 << 3 << quint32(codePage);
        QTest::newRow(qPrintable(QStringLiteral("CP%1 27x132 wrapping").arg(codePage))) << codePage << 27 << 132 << 27 * 132 - 5 << quint32(codePage * 7 + 1);
    }
    // A size that is no multiple of eight leaves a tail to count one by one.
    QTest::newRow("odd size 3x7") << 37 << 3 << 7 << 20 << quint32(99);
}

// Text runs and the visible-cell count take faster ways than the per-cell
// writes and reads; on any bytes they must come to the same cells and count.
void TestTerminalScreen::bulkPathsMatchCellByCell()
{
    QFETCH(int, codePage);
    QFETCH(int, rows);
    QFETCH(int, columns);
    QFETCH(int, start);
    QFETCH(quint32, seed);
    EbcdicCodec::setCodePage(codePage);
    quint32 state = seed;
    auto next = [&state]() {
        state = state * 1103515245u + 12345u;
        return static_cast<unsigned char>(state >> 16);
    };
    QByteArray text(rows * columns + 9, Qt::Uninitialized);
    for (int i = 0; i < text.size(); ++i)
        text[i] = char(next());

    TerminalScreen byBytes;
    byBytes.resize(rows, columns);
    TerminalScreen byRun = byBytes;
    byBytes.setDisplayAddressIndex(start);
    byRun.setDisplayAddressIndex(start);
    for (int i = 0; i < text.size(); ++i)
        byBytes.writeByte(static_cast<unsigned char>(text.at(i)));
    byRun.writeText(reinterpret_cast<const unsigned char *>(text.constData()), text.size());
    QCOMPARE(byRun.data, byBytes.data);
    QCOMPARE(byRun.attributes, byBytes.attributes);
    QCOMPARE(byRun.displayAddress, byBytes.displayAddress);
    QCOMPARE(byRun.currentAttribute, byBytes.currentAttribute);

    // Attributes of every kind, nondisplay among them, under the same bytes.
    for (int i = 0; i < byRun.attributes.size(); ++i)
        byRun.attributes[i] = char(0x20 + (next() & 0x1F));
    int shown = 0;
    for (int i = 0; i < byRun.size(); ++i) {
        if (byRun.charAt(i) != QLatin1Char(' ') && !byRun.isNondisplayAt(i))
            ++shown;
    }
    QVERIFY(shown > 0);
    QCOMPARE(byRun.visibleCellCount(), shown);
}

QTEST_APPLESS_MAIN(TestTerminalScreen)
#include "tst_terminalscreen.moc"
