// The painted terminal: reads the client's presentation space on every
// repaint and draws it cell by cell. The host's screen reaches it as
// screenChanged() from the client; nothing is cached between frames.
#include "view/terminalitem.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <QString>

#include "app/tn5250client.h"

namespace {

// 5250 display attributes (IBM 5250 data stream reference, "Display
// attribute"): bit 0x01 reverse image, 0x04 underscore, the three low bits
// together nondisplay. Colour is carried by the remaining bits, so the
// attribute is reduced with COLOR_BITS before it is looked up. 0x2A is red
// with blink, drawn steady red; values not listed (0x20) show green.
const unsigned char COLOR_BITS = 0x3A;
const unsigned char REVERSE_IMAGE = 0x01;
const unsigned char UNDERSCORE = 0x04;

struct AttributeColor
{
    unsigned char colorBits;
    int red;
    int green;
    int blue;
};

const AttributeColor ATTRIBUTE_COLORS[] = {
    {0x22, 255, 255, 255}, // white
    {0x28, 255, 90, 90},   // red
    {0x2A, 255, 90, 90},   // red, blinking (drawn steady)
    {0x30, 80, 230, 230},  // turquoise
    {0x32, 255, 235, 80},  // yellow
    {0x38, 255, 120, 210}, // pink
    {0x3A, 100, 150, 255}, // blue
};

const int DEFAULT_RED = 120;
const int DEFAULT_GREEN = 255;
const int DEFAULT_BLUE = 120;

// Text fills most of the cell but leaves room for descenders and the
// underscore line; below 6 pixels glyphs are no longer legible.
const qreal FONT_HEIGHT_FACTOR = 0.78;
const int MIN_FONT_PIXEL_SIZE = 6;

const int CURSOR_GREY = 245;
const qreal CURSOR_PEN_FACTOR = 0.06;

} // namespace

TerminalItem::TerminalItem(QQuickItem *parent)
    : QQuickPaintedItem(parent)
{
    // Cells are axis-aligned rectangles on a black fill: no smoothing is
    // wanted for them, and nothing underneath needs to shine through.
    setAntialiasing(false);
    setOpaquePainting(true);
}

Tn5250Client *TerminalItem::client() const
{
    return m_client;
}

void TerminalItem::setClient(Tn5250Client *client)
{
    if (client == m_client)
        return;
    if (m_screenConnection)
        disconnect(m_screenConnection);
    m_screenConnection = QMetaObject::Connection();
    m_client = client;
    if (client) {
        m_screenConnection = connect(client, &Tn5250Client::screenChanged,
                                     this, [this]() { update(); });
    }
    emit clientChanged();
    update();
}

QColor TerminalItem::colorForAttribute(unsigned char attribute)
{
    const unsigned char bits = attribute & COLOR_BITS;
    for (const AttributeColor &entry : ATTRIBUTE_COLORS) {
        if (entry.colorBits == bits)
            return QColor(entry.red, entry.green, entry.blue);
    }
    return QColor(DEFAULT_RED, DEFAULT_GREEN, DEFAULT_BLUE);
}

int TerminalItem::fontPixelSizeForCellHeight(qreal cellHeight)
{
    return qMax(int(cellHeight * FONT_HEIGHT_FACTOR), MIN_FONT_PIXEL_SIZE);
}

void TerminalItem::paint(QPainter *painter)
{
    painter->fillRect(boundingRect(), Qt::black);

    if (!m_client || width() <= 1 || height() <= 1)
        return;
    const TerminalScreen &screen = m_client->terminalScreen();
    const int rows = screen.rows;
    const int columns = screen.columns;
    if (rows <= 0 || columns <= 0)
        return;

    // Real-valued cells: the grid fills the item exactly whatever its shape.
    const qreal cellWidth = width() / columns;
    const qreal cellHeight = height() / rows;

    // Font and metrics once per frame; the per-cell loop only reads the screen.
    QFont font(QStringLiteral("monospace"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(fontPixelSizeForCellHeight(cellHeight));
    painter->setFont(font);
    painter->setRenderHint(QPainter::TextAntialiasing, true);
    const QFontMetricsF metrics(font);
    const qreal baselineOffset = (cellHeight - metrics.height()) / 2 + metrics.ascent();

    QString glyph(1, QLatin1Char(' '));
    for (int row = 0; row < rows; ++row) {
        const qreal y = row * cellHeight;
        for (int column = 0; column < columns; ++column) {
            const int index = row * columns + column;
            if (screen.isAttributeAt(index) || screen.isNondisplayAt(index))
                continue;
            const QChar character = screen.charAt(index);
            const unsigned char attribute = screen.attributeAt(index);
            const qreal x = column * cellWidth;
            if (character.unicode() == 0 || character == QLatin1Char(' ')) {
                // A reverse-image blank is part of the bar the host drew (an
                // error line, a selected row): filled, so the bar is solid.
                if (attribute & REVERSE_IMAGE)
                    painter->fillRect(QRectF(x, y, cellWidth, cellHeight), colorForAttribute(attribute));
                continue;
            }

            const QColor color = colorForAttribute(attribute);
            if (attribute & REVERSE_IMAGE) {
                painter->fillRect(QRectF(x, y, cellWidth, cellHeight), color);
                painter->setPen(Qt::black);
            } else {
                painter->setPen(color);
            }
            glyph[0] = character;
            painter->drawText(QPointF(x, y + baselineOffset), glyph);
            if (attribute & UNDERSCORE) {
                const qreal lineY = (row + 1) * cellHeight - 1;
                painter->drawLine(QPointF(x, lineY), QPointF(x + cellWidth, lineY));
            }
        }
    }

    // The operator may only type while the keyboard is unlocked; the cursor
    // is shown exactly then, the same in insert and overwrite mode.
    const int cursor = screen.cursor;
    if (screen.keyboardLocked || cursor < 0 || cursor >= rows * columns)
        return;
    QPen cursorPen(QColor(CURSOR_GREY, CURSOR_GREY, CURSOR_GREY));
    cursorPen.setWidthF(qMax(cellHeight * CURSOR_PEN_FACTOR, 1.0));
    painter->setPen(cursorPen);
    painter->setBrush(Qt::NoBrush);
    const int cursorRow = cursor / columns;
    const int cursorColumn = cursor % columns;
    painter->drawRect(QRectF(cursorColumn * cellWidth + 0.5, cursorRow * cellHeight + 0.5,
                             qMax(cellWidth - 1, 1.0), qMax(cellHeight - 1, 1.0)));
}
