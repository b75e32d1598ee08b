#include "common/cellbycellpaint.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <QString>

#include "screen/terminalscreen.h"
#include "view/terminalitem.h"

void paintCellByCell(QPainter *painter, const TerminalScreen &screen, const QSizeF &size)
{
    painter->fillRect(QRectF(QPointF(0, 0), size), Qt::black);
    const int rows = screen.rows;
    const int columns = screen.columns;
    if (rows <= 0 || columns <= 0 || size.width() <= 1 || size.height() <= 1)
        return;
    const qreal cellWidth = size.width() / columns;
    const qreal cellHeight = size.height() / rows;
    const QFont font = TerminalItem::fontForCellHeight(cellHeight);
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
            const QColor color = TerminalItem::colorForAttribute(attribute);
            const qreal x = column * cellWidth;
            if (character.unicode() == 0 || character == QLatin1Char(' ')) {
                // Reverse-image blanks are filled: the host's bars are solid.
                if (attribute & 0x01)
                    painter->fillRect(QRectF(x, y, cellWidth, cellHeight), color);
                continue;
            }
            if (attribute & 0x01) {
                painter->fillRect(QRectF(x, y, cellWidth, cellHeight), color);
                painter->setPen(Qt::black);
            } else {
                painter->setPen(color);
            }
            glyph[0] = character;
            painter->drawText(QPointF(x, y + baselineOffset), glyph);
            if (attribute & 0x04) {
                const qreal lineY = (row + 1) * cellHeight - 1;
                painter->drawLine(QPointF(x, lineY), QPointF(x + cellWidth, lineY));
            }
        }
    }

    const int cursor = screen.cursor;
    if (screen.keyboardLocked || cursor < 0 || cursor >= rows * columns)
        return;
    QPen cursorPen(QColor(245, 245, 245));
    cursorPen.setWidthF(qMax(cellHeight * 0.06, 1.0));
    painter->setPen(cursorPen);
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(QRectF((cursor % columns) * cellWidth + 0.5, (cursor / columns) * cellHeight + 0.5,
                             qMax(cellWidth - 1, 1.0), qMax(cellHeight - 1, 1.0)));
}

QImage paintedCellByCell(const TerminalScreen &screen, const QSize &size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintCellByCell(&painter, screen, QSizeF(size));
    painter.end();
    return image;
}

int differingPixels(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return qMax(a.width() * a.height(), b.width() * b.height());
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        const QRgb *left = reinterpret_cast<const QRgb *>(a.constScanLine(y));
        const QRgb *right = reinterpret_cast<const QRgb *>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            if ((left[x] & 0xFFFFFF) != (right[x] & 0xFFFFFF))
                ++count;
        }
    }
    return count;
}
