#include "benchscreens.h"

#include "protocol/recordframer.h"

namespace {

// EBCDIC (code page 37) letters, digits and blanks for the text runs.
const unsigned char TEXT[] = {
    0xC1, 0xC2, 0xC3, 0xC4, 0xC5, 0xC6, 0xC7, 0xC8, 0xC9, 0x40,
    0xD1, 0xD2, 0xD3, 0xD4, 0xD5, 0xD6, 0xD7, 0xD8, 0xD9, 0x40,
    0xE2, 0xE3, 0xE4, 0xE5, 0xE6, 0xE7, 0xE8, 0xE9, 0x4B, 0x40,
    0xF0, 0xF1, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7, 0xF8, 0xF9,
};
const int TEXT_COUNT = int(sizeof(TEXT));

// Every visible attribute: the colours, each with and without reverse image
// and underscore (the nondisplay ones would draw nothing).
const unsigned char ATTRIBUTES[] = {
    0x20, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x28, 0x29, 0x2A, 0x2B, 0x2C, 0x2D, 0x2E,
    0x30, 0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x38, 0x39, 0x3A, 0x3B, 0x3C, 0x3D, 0x3E,
};
const int ATTRIBUTE_COUNT = int(sizeof(ATTRIBUTES));

void setAddress(QByteArray &data, int row, int column)
{
    data.append(char(0x11)).append(char(row)).append(char(column));
}

// Start of Field with a field format word (0x40 0x00: input, no checks),
// the field's attribute and its length.
void startField(QByteArray &data, unsigned char attribute, int length)
{
    data.append(char(0x1D)).append(char(0x40)).append(char(0x00)).append(char(attribute));
    data.append(char(length >> 8)).append(char(length & 0xFF));
}

void text(QByteArray &data, int count, int seed)
{
    for (int i = 0; i < count; ++i)
        data.append(char(TEXT[(seed + i * 7) % TEXT_COUNT]));
}

} // namespace

QByteArray paintScreenData()
{
    const int rows = 27;
    const int columns = 132;
    QByteArray data;
    data.append(char(0x04)).append(char(0x20)).append(char(0x00)); // Clear Unit Alternate
    data.append(char(0x04)).append(char(0x11)).append(char(0x00)).append(char(0x08)); // WTD, unlock
    setAddress(data, 1, 1);
    for (int cell = 0; cell < rows * columns; ++cell) {
        if (cell % 12 == 0)
            data.append(char(ATTRIBUTES[(cell / 12) % ATTRIBUTE_COUNT]));
        else
            data.append(char(TEXT[cell % TEXT_COUNT] == 0x40 ? 0xC1 : TEXT[cell % TEXT_COUNT]));
    }
    return data;
}

QByteArray denseScreenData()
{
    QByteArray data;
    data.append(char(0x04)).append(char(0x40)); // Clear Unit
    data.append(char(0x04)).append(char(0x11)).append(char(0x00)).append(char(0x08));
    int fields = 0;
    for (int row = 1; row <= 24; ++row) {
        setAddress(data, row, 2);
        data.append(char(0x20));
        text(data, 30, row);
        const int perRow = fields + (24 - row) < DENSE_FIELDS - 1 ? 2 : 1;
        for (int k = 0; k < perRow && fields < DENSE_FIELDS; ++k, ++fields) {
            setAddress(data, row, 34 + k * 23);
            startField(data, k == 0 ? 0x24 : 0x25, 20);
            text(data, 20, row * 3 + k);
        }
    }
    data.append(char(0x13)).append(char(1)).append(char(35)); // Insert Cursor
    return data;
}

QByteArray wideScreenData(int variant)
{
    const int rows = 27;
    const int columns = 132;
    QByteArray data;
    data.append(char(0x04)).append(char(0x20)).append(char(0x00));
    data.append(char(0x04)).append(char(0x11)).append(char(0x00)).append(char(0x08));
    for (int row = 1; row <= rows - 3; ++row) {
        setAddress(data, row, 1);
        data.append(char(0x20));
        int column = 2;
        if (row % 2 == 0) {
            startField(data, 0x24, 10);
            data.append(QByteArray(10, char(0x40)));
            data.append(char(0x20));
            column += 1 + 10 + 1;
        }
        text(data, columns - column + 1, row + variant);
    }
    // "https://example.com/x" and "F3=Exit   F5=Refresh   F12=Cancel" in code page 37.
    setAddress(data, rows - 1, 2);
    data.append(QByteArray::fromHex("88a3a397a27a616185a781949793854b83969461a7"));
    setAddress(data, rows, 2);
    data.append(QByteArray::fromHex("c6f37ec5a789a3404040c6f57ed985869985a288404040c6f1f27ec38195838593"));
    data.append(char(0x13)).append(char(2)).append(char(2));
    return data;
}

QByteArray putGetRecord(const QByteArray &data)
{
    return RecordFramer::wire(0x03, data, 0x00);
}
