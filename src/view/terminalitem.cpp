// The painted terminal: reads the client's presentation space and draws it.
// Each byte's glyph comes from a table built once per font and code page,
// and cells of one attribute are drawn together (their blocks, one glyph run,
// their underscores), which gives exactly the pixels of drawing every cell on
// its own with drawText; a cell whose ink would reach into what a neighbour
// draws later is drawn on its own, in its place, so the order still matches.
// On screenChanged() the item compares the screen with what it last saw and
// asks for a repaint of the changed rows only.
#include "view/terminalitem.h"

#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPainter>
#include <QPen>
#include <QString>
#include <QtMath>

#include "app/tn5250client.h"
#include "codec/ebcdiccodec.h"

namespace {

// 5250 display attributes (IBM 5250 data stream reference, "Display
// attribute"): bit 0x01 reverse image, 0x04 underscore, the three low bits
// together nondisplay. Colour is carried by the remaining bits, so the
// attribute is reduced with COLOR_BITS before it is looked up. 0x2A is red
// with blink, drawn steady red; values not listed (0x20) show green.
const unsigned char COLOR_BITS = 0x3A;
const unsigned char REVERSE_IMAGE = 0x01;
const unsigned char UNDERSCORE = 0x04;
const unsigned char NONDISPLAY = 0x07;

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

// A named font, so that the cells look the same wherever DejaVu Sans Mono is
// installed (the Debian package fonts-dejavu-core); where it is not, the
// typewriter hint lets fontconfig pick the system's monospace font.
const char FONT_FAMILY[] = "DejaVu Sans Mono";

// Text fills most of the cell but leaves room for descenders and the
// underscore line; below 6 pixels glyphs are no longer legible.
const qreal FONT_HEIGHT_FACTOR = 0.78;
const int MIN_FONT_PIXEL_SIZE = 6;

const int CURSOR_GREY = 245;
const qreal CURSOR_PEN_FACTOR = 0.06;

// The raster engine puts a glyph's bitmap at the rounded pen position, and
// the font's bounding box of a glyph is that bitmap's box; this much more is
// allowed for, should an engine place it by subpixels.
const int INK_SLACK = 0;

bool isNondisplay(unsigned char attribute)
{
    return (attribute & NONDISPLAY) == NONDISPLAY;
}

// What a cell draws. A reverse-image blank is part of the bar the host drew
// (an error line, a selected row): filled, so the bar is solid.
enum CellKind { DrawsNothing, DrawsBlock, DrawsGlyph };

CellKind cellKind(unsigned char byte, unsigned char attribute, const GlyphTable::Entry &glyph)
{
    if (EbcdicCodec::isDisplayAttribute(byte) || isNondisplay(attribute))
        return DrawsNothing;
    if (glyph.visible)
        return DrawsGlyph;
    return (attribute & REVERSE_IMAGE) ? DrawsBlock : DrawsNothing;
}

qreal cursorPenWidth(qreal cellHeight)
{
    return qMax(cellHeight * CURSOR_PEN_FACTOR, 1.0);
}

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
                                     this, [this]() { screenChanged(); });
    }
    takeSnapshot();
    emit clientChanged();
    requestRepaint(boundingRect().toAlignedRect());
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

QFont TerminalItem::fontForCellHeight(qreal cellHeight)
{
    QFont font(QString::fromLatin1(FONT_FAMILY));
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(fontPixelSizeForCellHeight(cellHeight));
    return font;
}

// --- Repaint requests -----------------------------------------------------

void TerminalItem::takeSnapshot()
{
    m_shownValid = m_client;
    if (m_client) {
        // A cheap copy: the screen's buffers are implicitly shared until the
        // next write.
        m_shown = m_client->terminalScreen();
        m_shownCodePage = EbcdicCodec::codePage();
    }
}

void TerminalItem::requestRepaint(const QRect &area)
{
    if (area.isEmpty())
        return;
    m_pendingArea |= area;
    update(area);
}

// The band of whole rows, widened by the cursor's pen, which reaches a
// little past its cell when cells are tall.
QRect TerminalItem::rowsArea(int firstRow, int lastRow) const
{
    const int rows = m_shown.rows;
    if (rows <= 0)
        return boundingRect().toAlignedRect();
    const qreal cellHeight = height() / rows;
    const qreal margin = qCeil(cursorPenWidth(cellHeight)) + 1;
    const QRectF band(0, firstRow * cellHeight - margin, width(), (lastRow - firstRow + 1) * cellHeight + 2 * margin);
    return band.toAlignedRect() & boundingRect().toAlignedRect();
}

void TerminalItem::screenChanged()
{
    if (!m_client)
        return;
    const TerminalScreen &screen = m_client->terminalScreen();
    const bool sameGeometry = m_shownValid && screen.rows == m_shown.rows && screen.columns == m_shown.columns
        && m_shownCodePage == EbcdicCodec::codePage();
    if (!sameGeometry) {
        takeSnapshot();
        requestRepaint(boundingRect().toAlignedRect());
        return;
    }

    QRect area;
    int first = 0;
    int last = 0;
    if (screen.changedRows(m_shown, &first, &last))
        area |= rowsArea(first, last);
    const int cells = screen.rows * screen.columns;
    const bool cursorWasShown = !m_shown.keyboardLocked && m_shown.cursor >= 0 && m_shown.cursor < cells;
    const bool cursorShown = !screen.keyboardLocked && screen.cursor >= 0 && screen.cursor < cells;
    if (cursorWasShown != cursorShown || (cursorShown && screen.cursor != m_shown.cursor)) {
        if (cursorWasShown)
            area |= rowsArea(m_shown.cursor / screen.columns, m_shown.cursor / screen.columns);
        if (cursorShown)
            area |= rowsArea(screen.cursor / screen.columns, screen.cursor / screen.columns);
    }
    takeSnapshot();
    requestRepaint(area);
}

// --- Painting -------------------------------------------------------------

void TerminalItem::prepareFont(qreal cellHeight)
{
    const int pixelSize = fontPixelSizeForCellHeight(cellHeight);
    if (pixelSize != m_fontPixelSize) {
        m_fontPixelSize = pixelSize;
        m_font = fontForCellHeight(cellHeight);
        const QFontMetricsF metrics(m_font);
        m_ascent = metrics.ascent();
        m_lineHeight = metrics.height();
    }
    m_glyphs.prepare(m_font, EbcdicCodec::codePage());
    m_baselineOffset = (cellHeight - m_lineHeight) / 2 + m_ascent;
}

void TerminalItem::paint(QPainter *painter)
{
    m_pendingArea = QRect();
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
    prepareFont(cellHeight);
    painter->setFont(m_font);
    painter->setRenderHint(QPainter::TextAntialiasing, true);

    // A partial repaint (the scene graph clips to what update() asked for)
    // draws only the rows it can see.
    int firstRow = 0;
    int lastRow = rows - 1;
    if (painter->hasClipping()) {
        const QRectF clip = painter->clipBoundingRect();
        firstRow = qMax(firstRow, qFloor(clip.top() / cellHeight));
        lastRow = qMin(lastRow, qFloor(clip.bottom() / cellHeight));
    }
    for (int row = firstRow; row <= lastRow; ++row) {
        if (!collectRow(screen, row, cellWidth, cellHeight)) {
            // Drawn in its place, after what came before and before what
            // follows, as cell-by-cell drawing would layer it.
            flushFrame(painter);
            paintRow(painter, screen, row, cellWidth, cellHeight);
        }
    }
    flushFrame(painter);

    // The operator may only type while the keyboard is unlocked; the cursor
    // is shown exactly then, the same in insert and overwrite mode.
    const int cursor = screen.cursor;
    if (screen.keyboardLocked || cursor < 0 || cursor >= rows * columns)
        return;
    QPen cursorPen(QColor(CURSOR_GREY, CURSOR_GREY, CURSOR_GREY));
    cursorPen.setWidthF(cursorPenWidth(cellHeight));
    painter->setPen(cursorPen);
    painter->setBrush(Qt::NoBrush);
    const int cursorRow = cursor / columns;
    const int cursorColumn = cursor % columns;
    painter->drawRect(QRectF(cursorColumn * cellWidth + 0.5, cursorRow * cellHeight + 0.5,
                             qMax(cellWidth - 1, 1.0), qMax(cellHeight - 1, 1.0)));
}

void TerminalItem::paintRow(QPainter *painter, const TerminalScreen &screen, int row, qreal cellWidth,
                            qreal cellHeight)
{
    const int columns = screen.columns;
    const int available = qMin(screen.data.size(), screen.attributes.size());
    const unsigned char *data = reinterpret_cast<const unsigned char *>(screen.data.constData());
    const unsigned char *attributes = reinterpret_cast<const unsigned char *>(screen.attributes.constData());
    const qreal y = row * cellHeight;
    const qreal baseline = y + m_baselineOffset;
    const qreal lineY = (row + 1) * cellHeight - 1;
    Batch &batch = m_batch;

    for (int column = 0; column < columns; ++column) {
        const int index = row * columns + column;
        if (index >= available)
            break;
        const unsigned char attribute = attributes[index];
        const GlyphTable::Entry &glyph = m_glyphs.entry(data[index]);
        const CellKind kind = cellKind(data[index], attribute, glyph);
        if (kind == DrawsNothing)
            continue;

        const qreal x = column * cellWidth;
        const bool reverse = attribute & REVERSE_IMAGE;
        const bool underscore = attribute & UNDERSCORE;
        // Ink past the cell's right edge would lie under the next block, and
        // ink on the underscore's pixel row under the underscore of the cell
        // before: drawn with the others, both would end up on top instead.
        // A block right after an underscore goes over the line's end, so it
        // starts afresh too.
        const bool alone = kind == DrawsGlyph
            && (!glyph.inFont
                || (reverse && qRound(x) + glyph.inkRight + INK_SLACK > qRound((column + 1) * cellWidth))
                || (underscore && qRound(baseline) + glyph.inkBottom + INK_SLACK > qFloor(lineY)));
        const bool afterLine = kind == DrawsBlock && batch.lastLineColumn == column - 1;

        if (attribute != batch.attribute || alone || afterLine) {
            flush(painter);
            batch.attribute = attribute;
            const QColor color = colorForAttribute(attribute);
            batch.pen = reverse ? QColor(Qt::black) : color;
            batch.fill = color;
        }
        if (reverse) {
            if (batch.lastFillColumn == column - 1 && !batch.fills.isEmpty())
                batch.fills.last().setRight(x + cellWidth);
            else
                batch.fills.append(QRectF(x, y, cellWidth, cellHeight));
            batch.lastFillColumn = column;
        }
        if (kind == DrawsBlock)
            continue;
        if (glyph.inFont) {
            batch.glyphs.append(glyph.glyph);
            batch.positions.append(QPointF(x, baseline));
        }
        if (underscore) {
            if (batch.lastLineColumn == column - 1 && !batch.lines.isEmpty())
                batch.lines.last().setP2(QPointF(x + cellWidth, lineY));
            else
                batch.lines.append(QLineF(x, lineY, x + cellWidth, lineY));
            batch.lastLineColumn = column;
        }

        if (alone) {
            if (!glyph.inFont) {
                // Not in the font: QPainter's own text path finds a fallback.
                const QChar character = screen.charAt(index);
                for (const QRectF &fill : batch.fills)
                    painter->fillRect(fill, batch.fill);
                batch.fills.resize(0);
                painter->setPen(batch.pen);
                painter->drawText(QPointF(x, baseline), QString(character));
            }
            flush(painter);
            batch.attribute = -1;
        }
    }
    flush(painter);
    batch.attribute = -1;
}

// A horizontal line of the one-pixel pen covers, on the raster engine, the
// pixels from floor(x1) to floor(x2) in row floor(y). Unscaled, the same
// pixels as a filled rectangle cost a span fill instead of a stroke.
void TerminalItem::drawUnderscore(QPainter *painter, const QLineF &line, const QColor &color)
{
    if (painter->transform().type() == QTransform::TxNone
        && painter->paintEngine() && painter->paintEngine()->type() == QPaintEngine::Raster) {
        const int left = qFloor(line.x1());
        const int right = qFloor(line.x2());
        painter->fillRect(QRect(left, qFloor(line.y1()), right - left + 1, 1), color);
        return;
    }
    painter->setPen(color);
    painter->drawLine(line);
}

void TerminalItem::flush(QPainter *painter)
{
    Batch &batch = m_batch;
    for (const QRectF &fill : batch.fills)
        painter->fillRect(fill, batch.fill);
    if (!batch.glyphs.isEmpty() || !batch.lines.isEmpty())
        painter->setPen(batch.pen);
    if (!batch.glyphs.isEmpty()) {
        QGlyphRun run;
        run.setRawFont(m_glyphs.rawFont());
        run.setRawData(batch.glyphs.constData(), batch.positions.constData(), batch.glyphs.size());
        painter->drawGlyphRun(QPointF(0, 0), run);
    }
    for (const QLineF &line : batch.lines)
        drawUnderscore(painter, line, batch.pen);
    batch.glyphs.resize(0);
    batch.positions.resize(0);
    batch.fills.resize(0);
    batch.lines.resize(0);
    batch.lastFillColumn = -2;
    batch.lastLineColumn = -2;
}

// Takes the row into the frame when every visible cell keeps its ink inside
// its own cell (and its underscore row free), and no underscore touches a
// neighbour of another attribute: then nothing the row draws overlaps
// anything else, and the order of drawing does not matter.
bool TerminalItem::collectRow(const TerminalScreen &screen, int row, qreal cellWidth, qreal cellHeight)
{
    const int columns = screen.columns;
    const int available = qMin(screen.data.size(), screen.attributes.size());
    const unsigned char *data = reinterpret_cast<const unsigned char *>(screen.data.constData());
    const unsigned char *attributes = reinterpret_cast<const unsigned char *>(screen.attributes.constData());
    const qreal y = row * cellHeight;
    const qreal baseline = y + m_baselineOffset;
    const int baselinePixel = qRound(baseline);
    const int topPixel = qRound(y);
    const int bottomPixel = qRound((row + 1) * cellHeight);
    const qreal lineY = (row + 1) * cellHeight - 1;
    const int linePixel = qFloor(lineY);
    if (row * columns + columns > available)
        return false;
    const int start = row * columns;

    // First the check, so that a row that fails leaves the frame untouched.
    int previousAttribute = -1; // of the drawing cell just before, or -1
    bool previousLine = false;  // that cell is underscored
    for (int column = 0; column < columns; ++column) {
        const unsigned char byte = data[start + column];
        const unsigned char attribute = attributes[start + column];
        const GlyphTable::Entry &glyph = m_glyphs.entry(byte);
        const CellKind kind = cellKind(byte, attribute, glyph);
        if (kind == DrawsNothing) {
            previousAttribute = -1;
            previousLine = false;
            continue;
        }
        const bool underscore = kind == DrawsGlyph && (attribute & UNDERSCORE);
        if (kind == DrawsGlyph) {
            const int left = qRound(column * cellWidth);
            if (!glyph.inFont || glyph.inkLeft < 0 || left + glyph.inkRight > qRound((column + 1) * cellWidth)
                || baselinePixel + glyph.inkTop < topPixel
                || baselinePixel + glyph.inkBottom > (underscore ? linePixel : bottomPixel))
                return false;
        }
        // An underscore's ends may touch the neighbouring cells, which would
        // then depend on the order of drawing.
        if (previousAttribute >= 0 && (previousLine || underscore)
            && (previousAttribute != attribute || kind == DrawsBlock))
            return false;
        previousAttribute = attribute;
        previousLine = underscore;
    }

    Frame &frame = m_frame;
    int lastFillColumn = -2;
    int lastLineColumn = -2;
    int lastAttribute = -1;
    int runIndex = -1;
    for (int column = 0; column < columns; ++column) {
        const unsigned char byte = data[start + column];
        const unsigned char attribute = attributes[start + column];
        const GlyphTable::Entry &glyph = m_glyphs.entry(byte);
        const CellKind kind = cellKind(byte, attribute, glyph);
        if (kind == DrawsNothing)
            continue;
        const qreal x = column * cellWidth;
        const bool reverse = attribute & REVERSE_IMAGE;
        const bool sameAttribute = attribute == lastAttribute;
        const QRgb color = colorForAttribute(attribute).rgb();
        const QRgb pen = reverse ? qRgb(0, 0, 0) : color;
        if (reverse) {
            if (sameAttribute && lastFillColumn == column - 1)
                frame.fills.last().setRight(x + cellWidth);
            else {
                frame.fills.append(QRectF(x, y, cellWidth, cellHeight));
                frame.fillColors.append(color);
            }
            lastFillColumn = column;
        }
        frame.empty = false;
        lastAttribute = attribute;
        if (kind == DrawsBlock)
            continue;
        if (runIndex < 0 || frame.runs.at(runIndex).pen != pen) {
            runIndex = -1;
            for (int i = 0; i < frame.runs.size(); ++i) {
                if (frame.runs.at(i).pen == pen) {
                    runIndex = i;
                    break;
                }
            }
            if (runIndex < 0) {
                frame.runs.append(Glyphs());
                runIndex = frame.runs.size() - 1;
                frame.runs[runIndex].pen = pen;
            }
        }
        Glyphs &run = frame.runs[runIndex];
        run.glyphs.append(glyph.glyph);
        run.positions.append(QPointF(x, baseline));
        if (attribute & UNDERSCORE) {
            if (sameAttribute && lastLineColumn == column - 1)
                frame.lines.last().setP2(QPointF(x + cellWidth, lineY));
            else {
                frame.lines.append(QLineF(x, lineY, x + cellWidth, lineY));
                frame.lineColors.append(pen);
            }
            lastLineColumn = column;
        }
    }
    return true;
}

void TerminalItem::flushFrame(QPainter *painter)
{
    Frame &frame = m_frame;
    if (frame.empty)
        return;
    for (int i = 0; i < frame.fills.size(); ++i)
        painter->fillRect(frame.fills.at(i), QColor(frame.fillColors.at(i)));
    for (Glyphs &run : frame.runs) {
        if (run.glyphs.isEmpty())
            continue;
        painter->setPen(QColor(run.pen));
        QGlyphRun glyphRun;
        glyphRun.setRawFont(m_glyphs.rawFont());
        glyphRun.setRawData(run.glyphs.constData(), run.positions.constData(), run.glyphs.size());
        painter->drawGlyphRun(QPointF(0, 0), glyphRun);
        run.glyphs.resize(0);
        run.positions.resize(0);
    }
    for (int i = 0; i < frame.lines.size(); ++i)
        drawUnderscore(painter, frame.lines.at(i), QColor(frame.lineColors.at(i)));
    frame.fills.resize(0);
    frame.fillColors.resize(0);
    frame.lines.resize(0);
    frame.lineColors.resize(0);
    frame.empty = true;
}
