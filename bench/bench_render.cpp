// The painted terminal: a full repaint of the heaviest 27 x 132 screen
// against drawing it cell by cell with drawText (the same font and colours,
// checked to give the same pixels), and the repaint after one typed
// character against a repaint of the whole item.
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>

#include <cstdio>

#include "app/tn5250client.h"
#include "benchmarks.h"
#include "benchscreens.h"
#include "common/cellbycellpaint.h"
#include "view/terminalitem.h"

namespace {

// 10 x 20 pixel cells, the size of a landscape phone screen at zoom 1.
const int PAINT_WIDTH = 1320;
const int PAINT_HEIGHT = 540;
const int PAINT_FRAMES = 20;
// The desktop window's terminal area at 24 x 80.
const int TYPING_WIDTH = 1388;
const int TYPING_HEIGHT = 568;
const int KEYSTROKES = 40;

QImage blankImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

QImage itemImage(TerminalItem &item)
{
    QImage image = blankImage(int(item.width()), int(item.height()));
    QPainter painter(&image);
    item.paint(&painter);
    return image;
}

bool paintRow(BenchTable &table)
{
    Tn5250Client client;
    client.processTelnetBytes(putGetRecord(paintScreenData()));
    TerminalItem item;
    item.setWidth(PAINT_WIDTH);
    item.setHeight(PAINT_HEIGHT);
    item.setClient(&client);
    const TerminalScreen &screen = client.terminalScreen();

    const int differing = differingPixels(itemImage(item), paintedCellByCell(screen, QSize(PAINT_WIDTH, PAINT_HEIGHT)));
    if (differing != 0 || client.visibleCellCount() == 0) {
        std::fprintf(stderr, "render: %d pixels differ from the cell-by-cell painting (%d visible cells)\n",
                     differing, client.visibleCellCount());
        return false;
    }

    QImage image = blankImage(PAINT_WIDTH, PAINT_HEIGHT);
    QPainter painter(&image);
    BenchRow row;
    row.path = QStringLiteral("paint of a full %1x%2 screen (%3 glyph cells, reverse image, underscores) into %4x%5")
                   .arg(screen.rows).arg(screen.columns).arg(client.visibleCellCount()).arg(PAINT_WIDTH).arg(PAINT_HEIGHT);
    row.unit = QStringLiteral("ms");
    row.baselineName = QStringLiteral("one drawText per cell");
    row.check = QStringLiteral("pixels: 0 differ");
    row.goal = QStringLiteral("≤ 0.20");
    measurePair(PAINT_FRAMES, timedCalls([&]() { item.paint(&painter); }),
                timedCalls([&]() { paintCellByCell(&painter, screen, QSizeF(PAINT_WIDTH, PAINT_HEIGHT)); }),
                &row.now, &row.baseline);
    table.add(row);
    return true;
}

// A sign-on-like screen with an input field, unlocked.
QByteArray typingScreen()
{
    return denseScreenData();
}

bool typingRow(BenchTable &table)
{
    Tn5250Client client;
    client.processTelnetBytes(putGetRecord(typingScreen()));
    TerminalItem item;
    item.setWidth(TYPING_WIDTH);
    item.setHeight(TYPING_HEIGHT);
    item.setClient(&client);
    if (client.keyboardLocked() || client.inputFieldCount() == 0) {
        std::fprintf(stderr, "render: the typing screen has no open input field\n");
        return false;
    }

    // One keystroke and the repaint it asks for, drawn over the last frame:
    // it must give the new frame exactly.
    QImage frame = itemImage(item);
    if (!client.inputText(QStringLiteral("A"))) {
        std::fprintf(stderr, "render: typing was refused\n");
        return false;
    }
    const QRect area = item.pendingRepaintArea();
    {
        QPainter painter(&frame);
        painter.setClipRect(area);
        item.paint(&painter);
    }
    const int differing = differingPixels(frame, paintedCellByCell(client.terminalScreen(), QSize(TYPING_WIDTH, TYPING_HEIGHT)));
    const qreal cellHeight = qreal(TYPING_HEIGHT) / client.rows();
    if (differing != 0 || area.height() > 2 * cellHeight) {
        std::fprintf(stderr, "render: a keystroke repainted %dx%d pixels; %d pixels differ\n", area.width(),
                     area.height(), differing);
        return false;
    }

    QImage image = blankImage(TYPING_WIDTH, TYPING_HEIGHT);
    QPainter painter(&image);
    int keystroke = 0;
    // Typing and rubbing out in turn keep the field from filling up.
    auto type = [&]() {
        if (keystroke++ % 2 == 0)
            client.inputText(QStringLiteral("B"));
        else
            client.backspace();
    };
    const Sample partial = [&](int iterations) {
        qint64 total = 0;
        for (int i = 0; i < iterations; ++i) {
            type();
            QElapsedTimer timer;
            timer.start();
            painter.save();
            painter.setClipRect(item.pendingRepaintArea());
            item.paint(&painter);
            painter.restore();
            total += timer.nsecsElapsed();
        }
        return total;
    };
    const Sample whole = [&](int iterations) {
        qint64 total = 0;
        for (int i = 0; i < iterations; ++i) {
            type();
            QElapsedTimer timer;
            timer.start();
            item.paint(&painter);
            total += timer.nsecsElapsed();
        }
        return total;
    };
    BenchRow row;
    row.path = QStringLiteral("one typed character, %1x%2 screen in %3x%4").arg(client.rows()).arg(client.columns())
                   .arg(TYPING_WIDTH).arg(TYPING_HEIGHT);
    row.unit = QStringLiteral("ms");
    row.baselineName = QStringLiteral("repaint of the whole item");
    row.check = QStringLiteral("pixels: 0 differ after the partial repaint");
    row.goal = QStringLiteral("repaints only the rows that changed");
    row.extra = QStringLiteral("repaints %1x%2 pixels").arg(area.width()).arg(area.height());
    measurePair(KEYSTROKES, partial, whole, &row.now, &row.baseline);
    table.add(row);
    return true;
}

} // namespace

int benchRender(BenchTable &table)
{
    const bool painted = paintRow(table);
    const bool typed = typingRow(table);
    return painted && typed ? 0 : 1;
}
