// Cost of one repaint of the terminal item at the largest screen size: a
// 27 x 132 screen where every cell shows a character, under a mix of
// colours, reverse image and underscore, painted into a QImage.
#include <QByteArray>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>

#include <cstdio>

#include "app/tn5250client.h"
#include "benchmarks.h"
#include "protocol/recordframer.h"
#include "view/terminalitem.h"

namespace {

const int ROWS = 27;
const int COLUMNS = 132;
// 10 x 20 pixel cells, the size of a landscape phone screen at zoom 1.
const int WIDTH = 1320;
const int HEIGHT = 540;
const int WARM_UP_FRAMES = 5;
const int FRAMES = 200;

// Every visible attribute: the colours, each with and without reverse image
// and underscore (the nondisplay ones would draw nothing).
const unsigned char ATTRIBUTES[] = {
    0x20, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x28, 0x29, 0x2A, 0x2B, 0x2C, 0x2D, 0x2E,
    0x30, 0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x38, 0x39, 0x3A, 0x3B, 0x3C, 0x3D, 0x3E,
};
const int ATTRIBUTE_COUNT = int(sizeof(ATTRIBUTES));

// EBCDIC (code page 37) letters and digits for the text runs.
const unsigned char TEXT[] = {
    0xC1, 0xC2, 0xC3, 0xC4, 0xC5, 0xC6, 0xC7, 0xC8, 0xC9, // A-I
    0xD1, 0xD2, 0xD3, 0xD4, 0xD5, 0xD6, 0xD7, 0xD8, 0xD9, // J-R
    0xE2, 0xE3, 0xE4, 0xE5, 0xE6, 0xE7, 0xE8, 0xE9,       // S-Z
    0xF0, 0xF1, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7, 0xF8, 0xF9,
};
const int TEXT_COUNT = int(sizeof(TEXT));

// One Put/Get record: Clear Unit Alternate (27 x 132), then a Write To
// Display that unlocks the keyboard and fills every cell from row 1,
// column 1: an attribute byte every 12 cells, letters in between.
QByteArray fullScreenRecord()
{
    QByteArray data;
    data.append(char(0x04)).append(char(0x20)).append(char(0x00)); // ESC, Clear Unit Alternate
    data.append(char(0x04)).append(char(0x11));                    // ESC, Write To Display
    data.append(char(0x00)).append(char(0x08));                    // CC1, CC2: unlock keyboard
    data.append(char(0x11)).append(char(1)).append(char(1));       // Set Buffer Address 1,1
    for (int cell = 0; cell < ROWS * COLUMNS; ++cell) {
        if (cell % 12 == 0)
            data.append(char(ATTRIBUTES[(cell / 12) % ATTRIBUTE_COUNT]));
        else
            data.append(char(TEXT[cell % TEXT_COUNT]));
    }
    return data;
}

} // namespace

int benchRender()
{
    Tn5250Client client;
    client.processTelnetBytes(RecordFramer::wire(0x03, fullScreenRecord(), 0));
    if (client.rows() != ROWS || client.columns() != COLUMNS || client.visibleCellCount() == 0) {
        std::fprintf(stderr, "render: the screen was not built (%dx%d, %d visible cells)\n",
                     client.rows(), client.columns(), client.visibleCellCount());
        return 1;
    }

    TerminalItem item;
    item.setWidth(WIDTH);
    item.setHeight(HEIGHT);
    item.setClient(&client);
    QImage image(WIDTH, HEIGHT, QImage::Format_RGB32);

    QPainter painter(&image);
    for (int i = 0; i < WARM_UP_FRAMES; ++i)
        item.paint(&painter);
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < FRAMES; ++i)
        item.paint(&painter);
    const qint64 elapsed = timer.nsecsElapsed();
    painter.end();

    std::printf("render: %dx%d screen, %d visible cells, %dx%d pixels, keyboard %s\n",
                ROWS, COLUMNS, client.visibleCellCount(), WIDTH, HEIGHT,
                client.keyboardLocked() ? "locked" : "unlocked");
    std::printf("render: %d frames, mean %.3f ms per frame\n", FRAMES,
                double(elapsed) / FRAMES / 1.0e6);
    return 0;
}
