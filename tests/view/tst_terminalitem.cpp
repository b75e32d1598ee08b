// Pixel tests of the painted terminal: the item paints straight into a
// QImage, no window involved, and the test inspects the cells it drew.
#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QtTest>

#include "app/tn5250client.h"
#include "common/clientprobe.h"
#include "codec/ebcdiccodec.h"
#include "view/terminalitem.h"

namespace {

const QRgb BLACK = qRgb(0, 0, 0);
const QRgb GREEN = qRgb(120, 255, 120);
const QRgb RED = qRgb(255, 90, 90);
const QRgb CURSOR = qRgb(245, 245, 245);

// 24 x 80 cells of exactly 10 x 20 pixels.
const int ITEM_WIDTH = 800;
const int ITEM_HEIGHT = 480;
const int CELL_W = 10;
const int CELL_H = 20;

// Puts an attribute byte at the 1-based address and the text after it, the
// way a Write To Display with an SA-less text run would.
void writeText(TerminalScreen &screen, int row, int column, unsigned char attribute, const QString &text)
{
    screen.setDisplayAddress(row, column);
    screen.writeByte(attribute);
    const QByteArray bytes = EbcdicCodec::encode(text);
    for (char byte : bytes)
        screen.writeByte(static_cast<unsigned char>(byte));
}

QImage paintItem(TerminalItem &item)
{
    QImage image(int(item.width()), int(item.height()), QImage::Format_RGB32);
    image.fill(Qt::white); // anything the item fails to cover stays white
    QPainter painter(&image);
    item.paint(&painter);
    painter.end();
    return image;
}

// Pixel rectangle of a 0-based cell.
QRect cellRect(int row, int column, int cellW = CELL_W, int cellH = CELL_H)
{
    return QRect(column * cellW, row * cellH, cellW, cellH);
}

int countPixels(const QImage &image, const QRect &rect, QRgb color)
{
    int n = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if (image.pixel(x, y) == color)
                ++n;
    return n;
}

bool allPixels(const QImage &image, const QRect &rect, QRgb color)
{
    return countPixels(image, rect, color) == rect.width() * rect.height();
}

// The brightest pixel of a rectangle: where a glyph stroke covers a pixel
// completely, text antialiasing leaves the pen colour unblended.
QRgb brightestPixel(const QImage &image, const QRect &rect)
{
    QRgb best = BLACK;
    int bestSum = -1;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            const int sum = qRed(p) + qGreen(p) + qBlue(p);
            if (sum > bestSum) {
                bestSum = sum;
                best = p;
            }
        }
    }
    return best;
}

QString rgbName(QRgb c)
{
    return QStringLiteral("(%1, %2, %3)").arg(qRed(c)).arg(qGreen(c)).arg(qBlue(c));
}

} // namespace

class TestTerminalItem : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void noClientPaintsSolidBlack();
    void clientDestroyedPaintsSolidBlack();
    void degenerateItemPaintsOnlyBlack_data();
    void degenerateItemPaintsOnlyBlack();
    void setClientSignalsOnlyOnChange();
    void reverseImageCellIsBlockWithBlackGlyph_data();
    void reverseImageCellIsBlockWithBlackGlyph();
    void normalCellShowsGlyphInAttributeColor_data();
    void normalCellShowsGlyphInAttributeColor();
    void nondisplayCellPaintsNothing_data();
    void nondisplayCellPaintsNothing();
    void blankReverseCellsAreFilled_data();
    void blankReverseCellsAreFilled();
    void underscoreOnLastPixelRow();
    void reverseUnderscoreDrawsLineInGlyphPen();
    void gridFillsItemExactly_data();
    void gridFillsItemExactly();
    void cursorOnlyWhileKeyboardUnlocked();
    void cursorOutsideScreenNotDrawn_data();
    void cursorOutsideScreenNotDrawn();
    void colorForAttribute_data();
    void colorForAttribute();
    void fontPixelSize_data();
    void fontPixelSize();

private:
    Tn5250Client *m_client = nullptr;
    TerminalItem *m_item = nullptr;
    TerminalScreen &screen() { return ClientProbe(*m_client).screen(); }
};

void TestTerminalItem::init()
{
    EbcdicCodec::setCodePage(37);
    m_client = new Tn5250Client;
    screen().resize(24, 80);
    m_item = new TerminalItem;
    m_item->setWidth(ITEM_WIDTH);
    m_item->setHeight(ITEM_HEIGHT);
    m_item->setClient(m_client);
}

void TestTerminalItem::cleanup()
{
    delete m_item;
    m_item = nullptr;
    delete m_client;
    m_client = nullptr;
}

void TestTerminalItem::noClientPaintsSolidBlack()
{
    writeText(screen(), 1, 1, 0x21, QStringLiteral("VISIBLE"));
    screen().keyboardLocked = false;
    m_item->setClient(nullptr);
    const QImage image = paintItem(*m_item);
    QVERIFY(allPixels(image, image.rect(), BLACK));
}

void TestTerminalItem::clientDestroyedPaintsSolidBlack()
{
    writeText(screen(), 1, 1, 0x21, QStringLiteral("VISIBLE"));
    delete m_client;
    m_client = nullptr;
    QVERIFY(!m_item->client());
    const QImage image = paintItem(*m_item);
    QVERIFY(allPixels(image, image.rect(), BLACK));
}

void TestTerminalItem::degenerateItemPaintsOnlyBlack_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("one pixel wide") << 1 << 480;
    QTest::newRow("one pixel high") << 800 << 1;
}

void TestTerminalItem::degenerateItemPaintsOnlyBlack()
{
    QFETCH(int, width);
    QFETCH(int, height);
    writeText(screen(), 1, 1, 0x21, QStringLiteral("XXXX"));
    screen().keyboardLocked = false;
    m_item->setWidth(width);
    m_item->setHeight(height);
    const QImage image = paintItem(*m_item);
    QVERIFY(allPixels(image, image.rect(), BLACK));
}

void TestTerminalItem::setClientSignalsOnlyOnChange()
{
    QSignalSpy spy(m_item, SIGNAL(clientChanged()));
    m_item->setClient(m_client);
    QCOMPARE(spy.count(), 0);
    m_item->setClient(nullptr);
    QCOMPARE(spy.count(), 1);
    QVERIFY(!m_item->client());
    m_item->setClient(m_client);
    QCOMPARE(spy.count(), 2);
    QCOMPARE(m_item->client(), m_client);
}

void TestTerminalItem::reverseImageCellIsBlockWithBlackGlyph_data()
{
    QTest::addColumn<int>("attribute");
    QTest::addColumn<QRgb>("color");
    QTest::newRow("0x21 green reverse") << 0x21 << GREEN;
    QTest::newRow("0x29 red reverse") << 0x29 << RED;
    QTest::newRow("0x3B blue reverse") << 0x3B << qRgb(100, 150, 255);
}

void TestTerminalItem::reverseImageCellIsBlockWithBlackGlyph()
{
    QFETCH(int, attribute);
    QFETCH(QRgb, color);
    // Attribute at row 3 column 10, the letter in column 11 (0-based 2, 10).
    writeText(screen(), 3, 10, static_cast<unsigned char>(attribute), QStringLiteral("M"));
    const QImage image = paintItem(*m_item);

    const QRect cell = cellRect(2, 10);
    QCOMPARE(rgbName(image.pixel(cell.topLeft())), rgbName(color));
    QCOMPARE(rgbName(image.pixel(cell.bottomRight())), rgbName(color));
    QVERIFY2(countPixels(image, cell, BLACK) > 5, "no black glyph strokes inside the block");
    // The attribute cell in front stays background.
    QVERIFY(allPixels(image, cellRect(2, 9), BLACK));
}

void TestTerminalItem::normalCellShowsGlyphInAttributeColor_data()
{
    QTest::addColumn<int>("attribute");
    QTest::addColumn<QRgb>("color");
    QTest::newRow("0x2A red with blink, drawn steady red") << 0x2A << RED;
    QTest::newRow("0x20 green") << 0x20 << GREEN;
    QTest::newRow("0x28 red") << 0x28 << RED;
    QTest::newRow("0x22 white") << 0x22 << qRgb(255, 255, 255);
}

void TestTerminalItem::normalCellShowsGlyphInAttributeColor()
{
    QFETCH(int, attribute);
    QFETCH(QRgb, color);
    writeText(screen(), 5, 1, static_cast<unsigned char>(attribute), QStringLiteral("H"));
    const QImage image = paintItem(*m_item);

    const QRect cell = cellRect(4, 1);
    QCOMPARE(rgbName(brightestPixel(image, cell)), rgbName(color));
    // No block behind the glyph: its corners are background.
    QCOMPARE(image.pixel(cell.topLeft()), BLACK);
    QCOMPARE(image.pixel(cell.bottomRight()), BLACK);
}

void TestTerminalItem::nondisplayCellPaintsNothing_data()
{
    QTest::addColumn<int>("attribute");
    QTest::newRow("0x27 nondisplay, reverse bit set") << 0x27;
    QTest::newRow("0x2F nondisplay") << 0x2F;
    QTest::newRow("0x3F nondisplay") << 0x3F;
}

void TestTerminalItem::nondisplayCellPaintsNothing()
{
    QFETCH(int, attribute);
    writeText(screen(), 10, 20, static_cast<unsigned char>(attribute), QStringLiteral("SECRET"));
    QCOMPARE(screen().charAt(screen().indexFromAddress(10, 21)), QChar(QLatin1Char('S')));
    const QImage image = paintItem(*m_item);
    QVERIFY(allPixels(image, image.rect(), BLACK));
}

void TestTerminalItem::blankReverseCellsAreFilled_data()
{
    QTest::addColumn<int>("attribute");
    QTest::addColumn<QRgb>("color");
    QTest::newRow("0x21 green reverse") << 0x21 << GREEN;
    QTest::newRow("0x29 red reverse, an error bar") << 0x29 << RED;
    QTest::newRow("0x2B red reverse with blink") << 0x2B << RED;
}

// A reverse-image area of words, blanks and nulls is one solid bar; the
// attribute cell in front and the cells after the bar stay background.
void TestTerminalItem::blankReverseCellsAreFilled()
{
    QFETCH(int, attribute);
    QFETCH(QRgb, color);
    writeText(screen(), 7, 1, static_cast<unsigned char>(attribute), QStringLiteral("A  B"));
    screen().writeByte(0x00);
    screen().writeByte(0x20);
    const QImage image = paintItem(*m_item);
    QVERIFY(allPixels(image, cellRect(6, 0), BLACK));
    for (int column = 2; column <= 3; ++column)
        QVERIFY2(allPixels(image, cellRect(6, column), color), qPrintable(QString::number(column)));
    QVERIFY(allPixels(image, cellRect(6, 5), color));
    QVERIFY(allPixels(image, cellRect(6, 6), BLACK));
    QVERIFY(allPixels(image, cellRect(6, 7), BLACK));
}

void TestTerminalItem::underscoreOnLastPixelRow()
{
    writeText(screen(), 6, 30, 0x24, QStringLiteral("A"));
    writeText(screen(), 8, 30, 0x20, QStringLiteral("A"));
    const QImage image = paintItem(*m_item);

    const QRect underlined = cellRect(5, 30);
    const QRect lastRow(underlined.left(), underlined.bottom(), CELL_W, 1);
    QVERIFY(allPixels(image, lastRow, GREEN));
    // The row above the line is not part of it (the 'A' has no descender).
    QCOMPARE(countPixels(image, lastRow.translated(0, -1), GREEN), 0);

    const QRect plain = cellRect(7, 30);
    QVERIFY(allPixels(image, QRect(plain.left(), plain.bottom(), CELL_W, 1), BLACK));
}

void TestTerminalItem::reverseUnderscoreDrawsLineInGlyphPen()
{
    // With reverse image the glyph pen is black, and the underscore uses it:
    // a black line across the bottom of the block.
    writeText(screen(), 6, 30, 0x25, QStringLiteral("A"));
    const QImage image = paintItem(*m_item);
    const QRect cell = cellRect(5, 30);
    QVERIFY(allPixels(image, QRect(cell.left(), cell.bottom(), CELL_W, 1), BLACK));
    QCOMPARE(image.pixel(cell.topLeft()), GREEN);
}

void TestTerminalItem::gridFillsItemExactly_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("27x132 in 1320x540, cells 10x20") << 27 << 132 << 1320 << 540;
    QTest::newRow("24x80 in 1000x500, fractional cells") << 24 << 80 << 1000 << 500;
    QTest::newRow("24x80 in a tall item") << 24 << 80 << 400 << 1200;
}

void TestTerminalItem::gridFillsItemExactly()
{
    QFETCH(int, rows);
    QFETCH(int, columns);
    QFETCH(int, width);
    QFETCH(int, height);
    screen().resize(rows, columns);
    // Reverse-image letters in the first and in the last cell of the screen.
    writeText(screen(), rows, columns - 1, 0x29, QStringLiteral("W"));
    screen().setDisplayAddressIndex(0);
    screen().writeByte(0xE6); // 'W' without an attribute byte in front: normal green
    m_item->setWidth(width);
    m_item->setHeight(height);
    const QImage image = paintItem(*m_item);

    // The last cell's block reaches the item's bottom-right pixel...
    QCOMPARE(rgbName(image.pixel(width - 1, height - 1)), rgbName(RED));
    // ...and begins where the last column begins.
    const int lastLeft = qCeil(qreal(width) / columns * (columns - 1));
    const int lastTop = qCeil(qreal(height) / rows * (rows - 1));
    QCOMPARE(rgbName(image.pixel(lastLeft + 1, lastTop + 1)), rgbName(RED));
    QCOMPARE(image.pixel(lastLeft - 2, lastTop + 1), BLACK);
}

void TestTerminalItem::cursorOnlyWhileKeyboardUnlocked()
{
    TerminalScreen &s = screen();
    s.moveCursor(12, 40);
    const QRect cell = cellRect(11, 39);

    s.keyboardLocked = true;
    const QImage locked = paintItem(*m_item);
    QVERIFY(allPixels(locked, locked.rect(), BLACK));

    s.keyboardLocked = false;
    const QImage unlocked = paintItem(*m_item);
    // An outline: cursor grey on each of the four sides (within the cell's
    // outermost two pixels), the inside left alone.
    const QRect top(cell.left() + 2, cell.top(), CELL_W - 4, 2);
    const QRect bottom(cell.left() + 2, cell.bottom() - 1, CELL_W - 4, 2);
    const QRect left(cell.left(), cell.top() + 2, 2, CELL_H - 4);
    const QRect right(cell.right() - 1, cell.top() + 2, 2, CELL_H - 4);
    QVERIFY(countPixels(unlocked, top, CURSOR) >= top.width());
    QVERIFY(countPixels(unlocked, bottom, CURSOR) >= bottom.width());
    QVERIFY(countPixels(unlocked, left, CURSOR) >= left.height());
    QVERIFY(countPixels(unlocked, right, CURSOR) >= right.height());
    QVERIFY(allPixels(unlocked, cell.adjusted(3, 3, -3, -3), BLACK));
    // Nothing outside the cursor cell's neighbourhood.
    const int cursorPixels = countPixels(unlocked, unlocked.rect(), CURSOR);
    QCOMPARE(countPixels(unlocked, cell.adjusted(-1, -1, 1, 1), CURSOR), cursorPixels);
}

void TestTerminalItem::cursorOutsideScreenNotDrawn_data()
{
    QTest::addColumn<int>("cursor");
    QTest::newRow("negative") << -1;
    QTest::newRow("one past the last cell") << 24 * 80;
}

void TestTerminalItem::cursorOutsideScreenNotDrawn()
{
    QFETCH(int, cursor);
    screen().keyboardLocked = false;
    screen().cursor = cursor;
    const QImage image = paintItem(*m_item);
    QVERIFY(allPixels(image, image.rect(), BLACK));
}

void TestTerminalItem::colorForAttribute_data()
{
    QTest::addColumn<int>("attribute");
    QTest::addColumn<QRgb>("color");
    const QRgb white = qRgb(255, 255, 255);
    const QRgb turquoise = qRgb(80, 230, 230);
    const QRgb yellow = qRgb(255, 235, 80);
    const QRgb pink = qRgb(255, 120, 210);
    const QRgb blue = qRgb(100, 150, 255);
    const QRgb table[32] = {
        GREEN, GREEN, white, white, GREEN, GREEN, white, white,             // 0x20-0x27
        RED, RED, RED, RED, RED, RED, RED, RED,                             // 0x28-0x2F (0x2A: red, blinking)
        turquoise, turquoise, yellow, yellow, turquoise, turquoise, yellow, yellow, // 0x30-0x37
        pink, pink, blue, blue, pink, pink, blue, blue,                     // 0x38-0x3F
    };
    for (int i = 0; i < 32; ++i) {
        const int attribute = 0x20 + i;
        QTest::newRow(qPrintable(QStringLiteral("attribute 0x%1").arg(attribute, 2, 16, QLatin1Char('0'))))
            << attribute << table[i];
    }
}

void TestTerminalItem::colorForAttribute()
{
    QFETCH(int, attribute);
    QFETCH(QRgb, color);
    QCOMPARE(rgbName(TerminalItem::colorForAttribute(static_cast<unsigned char>(attribute)).rgb()),
             rgbName(color));
}

void TestTerminalItem::fontPixelSize_data()
{
    QTest::addColumn<qreal>("cellHeight");
    QTest::addColumn<int>("pixelSize");
    QTest::newRow("27 rows in 540 px") << qreal(540) / 27 << 15;
    QTest::newRow("24 rows in 168 px") << qreal(168) / 24 << 6;
    QTest::newRow("24 rows in 480 px") << qreal(480) / 24 << 15;
    QTest::newRow("truncated, not rounded") << qreal(10) << 7;
    QTest::newRow("just under the minimum") << qreal(8.9) << 6;
    QTest::newRow("just at 7") << qreal(9) << 7;
    QTest::newRow("tiny cells") << qreal(1) << 6;
    QTest::newRow("large cells") << qreal(100) << 78;
}

void TestTerminalItem::fontPixelSize()
{
    QFETCH(qreal, cellHeight);
    QFETCH(int, pixelSize);
    QCOMPARE(TerminalItem::fontPixelSizeForCellHeight(cellHeight), pixelSize);
}

QTEST_MAIN(TestTerminalItem)
#include "tst_terminalitem.moc"
