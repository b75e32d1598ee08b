// The record path: a dense 24 x 80 Write To Display carried out on the
// presentation space by the data-stream interpreter, against a lean
// interpreter written here for just the orders that screen uses (Clear
// Unit, Write To Display, Set Buffer Address, Start of Field, Insert Cursor,
// text), checked to leave the same cells, attributes, fields and cursor.
#include <QByteArray>
#include <QVector>

#include <cstdio>
#include <cstring>

#include "benchmarks.h"
#include "benchscreens.h"
#include "protocol/datastreaminterpreter.h"
#include "protocol/savedscreens.h"
#include "screen/terminalscreen.h"

namespace {

const int RECORDS = 200;

struct LeanField
{
    int start;
    int length;
    unsigned char ffwHigh;
    unsigned char ffwLow;
    unsigned char attribute;
};

// What the lean interpreter leaves: the buffers as plain arrays.
struct LeanScreen
{
    int rows = 24;
    int columns = 80;
    unsigned char data[27 * 132];
    unsigned char attributes[27 * 132];
    LeanField fields[256];
    int fieldCount = 0;
    int cursor = 0;
    bool keyboardLocked = true;
};

void leanRun(LeanScreen &s, const unsigned char *bytes, int size)
{
    int at = 0;
    int address = 0;
    int insertCursor = -1;
    unsigned char current = 0x20;
    while (at + 1 < size && bytes[at] == 0x04) {
        const unsigned char command = bytes[at + 1];
        at += 2;
        if (command == 0x40) { // Clear Unit
            s.rows = 24;
            s.columns = 80;
            std::memset(s.data, 0, sizeof(s.data));
            std::memset(s.attributes, 0x20, sizeof(s.attributes));
            s.fieldCount = 0;
            s.keyboardLocked = true;
            continue;
        }
        // Write To Display: CC1, CC2, then orders to the next ESC.
        const unsigned char cc2 = bytes[at + 1];
        at += 2;
        const int cells = s.rows * s.columns;
        while (at < size && bytes[at] != 0x04) {
            const unsigned char byte = bytes[at++];
            if (byte == 0x11) {
                address = (bytes[at] - 1) * s.columns + bytes[at + 1] - 1;
                at += 2;
            } else if (byte == 0x13) {
                insertCursor = (bytes[at] - 1) * s.columns + bytes[at + 1] - 1;
                at += 2;
            } else if (byte == 0x1D) {
                LeanField &f = s.fields[s.fieldCount++];
                f.ffwHigh = bytes[at];
                f.ffwLow = bytes[at + 1];
                f.attribute = bytes[at + 2];
                f.length = (bytes[at + 3] << 8) | bytes[at + 4];
                at += 5;
                s.data[address] = s.attributes[address] = f.attribute;
                current = f.attribute;
                f.start = address + 1;
                std::memset(s.attributes + f.start, f.attribute, size_t(f.length));
                s.data[f.start + f.length] = s.attributes[f.start + f.length] = 0x20;
                address = f.start;
            } else {
                if ((byte & 0xE0) == 0x20)
                    current = byte;
                s.data[address] = byte;
                s.attributes[address] = current;
                address = address + 1 == cells ? 0 : address + 1;
            }
        }
        if (cc2 & 0x08)
            s.keyboardLocked = false;
        if (insertCursor >= 0)
            s.cursor = insertCursor;
    }
}

bool sameScreen(const TerminalScreen &screen, const LeanScreen &lean)
{
    const int cells = lean.rows * lean.columns;
    if (screen.rows != lean.rows || screen.columns != lean.columns || screen.size() != cells
        || std::memcmp(screen.data.constData(), lean.data, size_t(cells)) != 0
        || std::memcmp(screen.attributes.constData(), lean.attributes, size_t(cells)) != 0
        || screen.fields.size() != lean.fieldCount || screen.cursor != lean.cursor
        || screen.keyboardLocked != lean.keyboardLocked)
        return false;
    for (int i = 0; i < lean.fieldCount; ++i) {
        const TerminalScreen::Field &f = screen.fields.at(i);
        const LeanField &g = lean.fields[i];
        if (f.start != g.start || f.length != g.length || f.ffwHigh != g.ffwHigh || f.ffwLow != g.ffwLow
            || f.attribute != g.attribute)
            return false;
    }
    return true;
}

} // namespace

int benchProtocol(BenchTable &table)
{
    const QByteArray data = denseScreenData();
    TerminalScreen screen;
    SavedScreens saved;
    DataStreamInterpreter interpreter(screen, saved, false);
    static LeanScreen lean;
    const unsigned char *bytes = reinterpret_cast<const unsigned char *>(data.constData());

    interpreter.run(0x03, data);
    leanRun(lean, bytes, data.size());
    if (!sameScreen(screen, lean) || screen.fields.size() != DENSE_FIELDS) {
        std::fprintf(stderr, "protocol: the interpreters disagree (%d fields, %d lean)\n", screen.fields.size(),
                     lean.fieldCount);
        return 1;
    }

    BenchRow row;
    row.path = QStringLiteral("dense 24x80 Write To Display (%1 bytes, %2 fields) → presentation space")
                   .arg(data.size()).arg(DENSE_FIELDS);
    row.baselineName = QStringLiteral("lean interpreter, same cells");
    row.check = QStringLiteral("cells, attributes, fields, cursor");
    row.goal = QStringLiteral("≤ 4; ≥ 150 MB/s");
    int sink = 0;
    measurePair(RECORDS, timedCalls([&]() { sink += interpreter.run(0x03, data).steps.size(); }),
                timedCalls([&]() { leanRun(lean, bytes, data.size()); }), &row.now, &row.baseline);
    row.extra = QStringLiteral("%1 MB/s").arg(data.size() / (row.now.median / 1.0e9) / 1.0e6, 0, 'f', 0);
    table.add(row);
    if (sink < 0)
        std::printf("%d\n", sink);
    return 0;
}
