#include "screen/terminalscreen.h"

#include <cstring>

#include "codec/ebcdiccodec.h"


// The cell buffer of the presentation space: the host's write position and
// the orders that write through it, the operator's cursor, and the read-only
// cell accessors that the view calls for every cell on every repaint (so they
// are plain bound-checked array reads, with no allocation).

namespace {

const unsigned char NULL_BYTE = 0x00;
const unsigned char NORMAL_ATTRIBUTE = 0x20;

// Row and column addresses are single bytes in the 5250 data stream, so no
// display can be larger than this; it also keeps rows x columns far from
// integer overflow whatever a caller passes.
const int MAX_DIMENSION = 255;

// A display attribute whose three low bits are set hides the cell
// (5250 attribute bytes 0x27, 0x2F, 0x37, 0x3F).
bool isNondisplayAttribute(unsigned char attribute)
{
    return (attribute & 0x07) == 0x07;
}

} // namespace

TerminalScreen::TerminalScreen()
    : data(24 * 80, char(NULL_BYTE)),
      attributes(24 * 80, char(NORMAL_ATTRIBUTE))
{
}

// --- Lifecycle and reset ------------------------------------------------------

void TerminalScreen::resize(int newRows, int newColumns)
{
    if (newRows <= 0 || newColumns <= 0 || newRows > MAX_DIMENSION || newColumns > MAX_DIMENSION)
        return;
    rows = newRows;
    columns = newColumns;
    data = QByteArray(rows * columns, char(NULL_BYTE));
    attributes = QByteArray(rows * columns, char(NORMAL_ATTRIBUTE));
    fields.clear();
    currentAttribute = NORMAL_ATTRIBUTE;
    insertMode = false;
    displayAddress = 0;
    cursor = 0;
    insertCursorIndex = -1;
    inputError = false;
    errorLineData.clear();
    errorLineAttributes.clear();
}

void TerminalScreen::clear(bool clearFormatTable)
{
    data.fill(char(NULL_BYTE));
    attributes.fill(char(NORMAL_ATTRIBUTE));
    if (clearFormatTable) {
        // The no-data keys and the error line belong to the format the host
        // set up; a cleared unit starts without them.
        fields.clear();
        noDataKeyMask = 0;
        errorRow = 0;
    }
    inputError = false;
    errorLineData.clear();
    errorLineAttributes.clear();
    displayAddress = 0;
    cursor = 0;
    insertCursorIndex = -1;
    currentAttribute = NORMAL_ATTRIBUTE;
    keyboardLocked = true;
    insertMode = false;
}

// --- Reading cells ------------------------------------------------------------

unsigned char TerminalScreen::rawAt(int index) const
{
    if (index < 0 || index >= data.size())
        return NULL_BYTE;
    return static_cast<unsigned char>(data.constData()[index]);
}

unsigned char TerminalScreen::attributeAt(int index) const
{
    if (index < 0 || index >= attributes.size())
        return NORMAL_ATTRIBUTE;
    return static_cast<unsigned char>(attributes.constData()[index]);
}

bool TerminalScreen::isAttributeAt(int index) const
{
    if (index < 0 || index >= data.size())
        return false;
    return EbcdicCodec::isDisplayAttribute(static_cast<unsigned char>(data.constData()[index]));
}

bool TerminalScreen::isNondisplayAt(int index) const
{
    if (index < 0 || index >= attributes.size())
        return false;
    return isNondisplayAttribute(static_cast<unsigned char>(attributes.constData()[index]));
}

QChar TerminalScreen::charAt(int index) const
{
    if (index < 0 || index >= data.size())
        return QChar(QLatin1Char(' '));
    return QChar(EbcdicCodec::shownTable()[static_cast<unsigned char>(data.constData()[index])]);
}

// --- Addressing -----------------------------------------------------------------

int TerminalScreen::clampIndex(int index) const
{
    const int n = size();
    if (n <= 0)
        return 0;
    // Nearly every index is inside already; the division is for the rest.
    if (index >= 0 && index < n)
        return index;
    const int wrapped = index % n;
    return wrapped < 0 ? wrapped + n : wrapped;
}

int TerminalScreen::indexFromAddress(int row, int column) const
{
    if (row < 1 || row > rows || column < 1 || column > columns)
        return -1;
    const int index = (row - 1) * columns + (column - 1);
    // rows/columns are public; never hand out an index the buffer lacks.
    return index < size() ? index : -1;
}

void TerminalScreen::setDisplayAddress(int row, int column)
{
    const int index = indexFromAddress(row, column);
    if (index >= 0)
        displayAddress = index;
}

void TerminalScreen::setDisplayAddressIndex(int index)
{
    displayAddress = clampIndex(index);
}

void TerminalScreen::advanceDisplayAddress()
{
    displayAddress = clampIndex(clampIndex(displayAddress) + 1);
}

// --- Host writes ------------------------------------------------------------------

void TerminalScreen::setCell(int index, unsigned char byte, unsigned char attribute)
{
    // Through the buffers' pointers: data() detaches a shared buffer once,
    // where operator[] would check again for every cell.
    if (index >= 0 && index < data.size())
        data.data()[index] = char(byte);
    if (index >= 0 && index < attributes.size())
        attributes.data()[index] = char(attribute);
}

void TerminalScreen::writeByte(unsigned char byte)
{
    if (size() <= 0)
        return;
    const int index = clampIndex(displayAddress);
    if (EbcdicCodec::isDisplayAttribute(byte)) {
        currentAttribute = byte;
        setCell(index, byte, byte);
    } else {
        setCell(index, byte, currentAttribute);
    }
    displayAddress = index + 1 < size() ? index + 1 : 0;
}

void TerminalScreen::writeText(const unsigned char *bytes, int count)
{
    const int n = size();
    if (n <= 0 || count <= 0)
        return;
    if (attributes.size() < n) {
        // The buffers are public; cells without an attribute take the
        // checked way.
        for (int i = 0; i < count; ++i)
            writeByte(bytes[i]);
        return;
    }
    char *cells = data.data();
    char *cellAttributes = attributes.data();
    int index = clampIndex(displayAddress);
    unsigned char attribute = currentAttribute;
    // The bytes are copied as they are; the attributes go in runs between
    // the attribute bytes, each of which starts its own run. A run that
    // reaches the last cell goes on from cell 0.
    for (int done = 0; done < count;) {
        const int chunk = qMin(count - done, n - index);
        const unsigned char *from = bytes + done;
        std::memcpy(cells + index, from, size_t(chunk));
        int runStart = 0;
        for (int i = 0; i < chunk; ++i) {
            if (EbcdicCodec::isDisplayAttribute(from[i])) {
                std::memset(cellAttributes + index + runStart, attribute, size_t(i - runStart));
                attribute = from[i];
                runStart = i;
            }
        }
        std::memset(cellAttributes + index + runStart, attribute, size_t(chunk - runStart));
        index += chunk;
        if (index == n)
            index = 0;
        done += chunk;
    }
    currentAttribute = attribute;
    displayAddress = index;
}

void TerminalScreen::writeTransparent(const QByteArray &bytes)
{
    if (size() <= 0)
        return;
    int index = clampIndex(displayAddress);
    for (int i = 0; i < bytes.size(); ++i) {
        setCell(index, static_cast<unsigned char>(bytes.at(i)), currentAttribute);
        index = clampIndex(index + 1);
    }
    displayAddress = index;
}

void TerminalScreen::repeatTo(int row, int column, unsigned char byte)
{
    const int target = indexFromAddress(row, column);
    if (target < 0)
        return;
    const int from = clampIndex(displayAddress);
    // Target before the write position: the run goes through the end of the
    // screen and on from position 0 (5250 Repeat to Address).
    const int count = clampIndex(target - from) + 1;
    // The same cells as writing the byte count times over, as one fill.
    if (EbcdicCodec::isDisplayAttribute(byte))
        currentAttribute = byte;
    fillCells(from, count, byte, currentAttribute);
    displayAddress = clampIndex(from + count);
}

void TerminalScreen::eraseTo(int row, int column)
{
    const int target = indexFromAddress(row, column);
    if (target < 0)
        return;
    const int from = clampIndex(displayAddress);
    const int count = clampIndex(target - from) + 1;
    fillCells(from, count, NULL_BYTE, currentAttribute);
    displayAddress = clampIndex(from + count);
}

// A host may repeat a full-screen Repeat to Address thousands of times in one
// record; a fill costs one pass over the memory instead of a checked write
// per cell, so such a record stays cheap to carry out. The run wraps from
// the last cell to cell 0 at most once (count is at most the screen size).
void TerminalScreen::fillCells(int from, int count, unsigned char byte, unsigned char attribute)
{
    const int n = size();
    if (n <= 0 || count <= 0)
        return;
    from = clampIndex(from);
    count = qMin(count, n);
    const int first = qMin(count, n - from);
    fillRun(from, first, byte, attribute);
    fillRun(0, count - first, byte, attribute);
}

void TerminalScreen::fillRun(int from, int count, unsigned char byte, unsigned char attribute)
{
    // data and attributes are public and may differ in size; each is filled
    // only where it has cells.
    const int dataCount = qBound(0, qMin(count, data.size() - from), count);
    if (dataCount > 0)
        std::memset(data.data() + from, byte, size_t(dataCount));
    const int attributeCount = qBound(0, qMin(count, attributes.size() - from), count);
    if (attributeCount > 0)
        std::memset(attributes.data() + from, attribute, size_t(attributeCount));
}

void TerminalScreen::setExtendedAttribute(unsigned char type, unsigned char value)
{
    // Write Extended Attribute is accepted for a 3179-2/3477 display but the
    // presentation space keeps only the basic attribute, so nothing changes.
    Q_UNUSED(type);
    Q_UNUSED(value);
}

bool TerminalScreen::insertCursor(int row, int column)
{
    const int index = indexFromAddress(row, column);
    if (index < 0)
        return false;
    insertCursorIndex = index;
    return true;
}

void TerminalScreen::roll(unsigned char control, unsigned char topRow, unsigned char bottomRow)
{
    int lines = control & 0x1F;
    const bool down = control & 0x80;
    if (lines == 0 || topRow == 0 || bottomRow == 0 || topRow >= bottomRow || bottomRow > rows)
        return;
    // More lines than the region holds move everything out of it.
    if (lines > bottomRow - topRow + 1)
        lines = bottomRow - topRow + 1;

    // Rows are read from the snapshot so that an overlapping move never reads
    // a row it has already overwritten. The rows the content leaves behind
    // are cleared, as the host expects to write them afresh.
    const QByteArray oldData = data;
    const QByteArray oldAttributes = attributes;
    for (int row = topRow; row <= bottomRow; ++row) {
        const int source = down ? row - lines : row + lines;
        const bool vacated = source < topRow || source > bottomRow;
        for (int column = 0; column < columns; ++column) {
            const int to = (row - 1) * columns + column;
            const int from = (source - 1) * columns + column;
            if (vacated)
                setCell(to, NULL_BYTE, NORMAL_ATTRIBUTE);
            else if (from < oldData.size() && from < oldAttributes.size())
                setCell(to, static_cast<unsigned char>(oldData.at(from)),
                        static_cast<unsigned char>(oldAttributes.at(from)));
        }
    }
}

// --- Write Error Code -----------------------------------------------------------

int TerminalScreen::errorLineRow() const
{
    return errorRow >= 1 && errorRow <= rows ? errorRow : rows;
}

void TerminalScreen::beginInputError()
{
    const int start = (errorLineRow() - 1) * columns;
    if (start < 0 || start + columns > size())
        return;
    if (!inputError) {
        errorLineData = data.mid(start, columns);
        errorLineAttributes = attributes.mid(start, columns);
    }
    inputError = true;
    keyboardLocked = true;
    displayAddress = start;
    currentAttribute = NORMAL_ATTRIBUTE;
}

bool TerminalScreen::resetInputError()
{
    if (!inputError)
        return false;
    const int start = (errorLineRow() - 1) * columns;
    if (start >= 0 && errorLineData.size() == columns && start + columns <= size()) {
        data.replace(start, columns, errorLineData);
        attributes.replace(start, columns, errorLineAttributes);
    }
    inputError = false;
    errorLineData.clear();
    errorLineAttributes.clear();
    keyboardLocked = false;
    return true;
}

void TerminalScreen::recomputeAttributes()
{
    unsigned char running = NORMAL_ATTRIBUTE;
    const int n = qMin(data.size(), attributes.size());
    for (int i = 0; i < n; ++i) {
        const unsigned char byte = static_cast<unsigned char>(data.at(i));
        if (EbcdicCodec::isDisplayAttribute(byte))
            running = byte;
        attributes[i] = char(running);
    }
}

// --- Cursor ---------------------------------------------------------------------------

void TerminalScreen::moveCursor(int row, int column)
{
    const int index = indexFromAddress(row, column);
    if (index >= 0)
        cursor = index;
}

void TerminalScreen::setCursorIndex(int index)
{
    if (index >= 0 && index < size())
        cursor = index;
}

int TerminalScreen::cursorRow() const
{
    return columns > 0 ? cursor / columns : 0;
}

int TerminalScreen::cursorColumn() const
{
    return columns > 0 ? cursor % columns : 0;
}

void TerminalScreen::moveCursorRelative(int rowDelta, int columnDelta)
{
    if (rows <= 0 || columns <= 0)
        return;
    // Row and column wrap independently, as the 5250 cursor keys do.
    int row = cursorRow() + rowDelta;
    if (row < 0)
        row = rows - 1;
    else if (row >= rows)
        row = 0;
    int column = cursorColumn() + columnDelta;
    if (column < 0)
        column = columns - 1;
    else if (column >= columns)
        column = 0;
    setCursorIndex(row * columns + column);
}

void TerminalScreen::moveCursorHome()
{
    if (insertCursorIndex >= 0 && insertCursorIndex < size()) {
        cursor = insertCursorIndex;
        return;
    }
    int best = -1;
    for (int i = 0; i < fields.size(); ++i) {
        if (fields.at(i).bypass())
            continue;
        if (best < 0 || fields.at(i).start < fields.at(best).start)
            best = i;
    }
    cursor = best < 0 ? 0 : clampIndex(fields.at(best).start);
}

// --- Text -------------------------------------------------------------------------------

int TerminalScreen::visibleCellCount() const
{
    // Read for every Write To Display: a table of the bytes that show
    // something, and a sum without branches.
    // The table follows the active code page (the GUI thread's alone).
    static unsigned char inked[256];
    static int inkedCodePage = -1;
    static bool inkedIsRange = false;
    if (inkedCodePage != EbcdicCodec::codePage()) {
        const ushort *shown = EbcdicCodec::shownTable();
        // Every EBCDIC code page here shows its controls (0x00-0x3F, 0xFF)
        // and the attribute bytes blank and everything from 0x41 up; then
        // the test is a range, done for eight cells at once.
        inkedIsRange = true;
        for (int byte = 0; byte < 256; ++byte) {
            inked[byte] = shown[byte] != 0x0020 ? 1 : 0;
            inkedIsRange = inkedIsRange && inked[byte] == ((byte > 0x40 && byte != 0xFF) ? 1 : 0);
        }
        inkedCodePage = EbcdicCodec::codePage();
    }
    const int total = qMin(data.size(), attributes.size());
    const unsigned char *bytes = reinterpret_cast<const unsigned char *>(data.constData());
    const unsigned char *cellAttributes = reinterpret_cast<const unsigned char *>(attributes.constData());
    int count = 0;
    int index = 0;
    if (inkedIsRange) {
        // Eight cells per step, each byte of a 64-bit word on its own: no
        // carry crosses a byte in any of the sums below.
        const quint64 ones = Q_UINT64_C(0x0101010101010101);
        const quint64 low7 = Q_UINT64_C(0x7F7F7F7F7F7F7F7F);
        for (; index + 8 <= total; index += 8) {
            quint64 x;
            quint64 a;
            std::memcpy(&x, bytes + index, 8);
            std::memcpy(&a, cellAttributes + index, 8);
            // Bit 7 of a byte: the byte is above 0x40, and it is not 0xFF.
            const quint64 above = (((x & low7) + 0x3F * ones) | x);
            const quint64 allOnes = x & ((x & low7) + ones);
            const quint64 inked8 = ((above & ~allOnes) >> 7) & ones;
            // Bit 0: the attribute's three low bits are not all set.
            const quint64 shown8 = ~(a & (a >> 1) & (a >> 2)) & ones;
            // The byte sum lands in the top byte (at most 8).
            count += int(((inked8 & shown8) * ones) >> 56);
        }
    }
    for (; index < total; ++index)
        count += inked[bytes[index]] & !isNondisplayAttribute(cellAttributes[index]);
    return count;
}

QString TerminalScreen::plainText(bool hideNondisplay) const
{
    QString text;
    if (rows <= 0 || columns <= 0)
        return text;
    const ushort *shown = EbcdicCodec::shownTable();
    const int total = qMin(data.size(), attributes.size());
    const unsigned char *bytes = reinterpret_cast<const unsigned char *>(data.constData());
    const unsigned char *cellAttributes = reinterpret_cast<const unsigned char *>(attributes.constData());
    // Written through a pointer into a buffer of the longest possible text,
    // then cut to what the rows needed.
    text.resize(rows * (columns + 1));
    QChar *out = text.data();
    QChar *const begin = out;
    for (int row = 0; row < rows; ++row) {
        if (row > 0)
            *out++ = QLatin1Char('\n');
        QChar *const lineStart = out;
        for (int column = 0; column < columns; ++column) {
            const int index = row * columns + column;
            if (index >= total || (hideNondisplay && isNondisplayAttribute(cellAttributes[index])))
                *out++ = QLatin1Char(' ');
            else
                *out++ = QChar(shown[bytes[index]]);
        }
        while (out > lineStart && out[-1] == QLatin1Char(' '))
            --out;
    }
    text.truncate(int(out - begin));
    return text;
}

bool TerminalScreen::changedRows(const TerminalScreen &earlier, int *first, int *last) const
{
    const int total = rows * columns;
    if (rows <= 0 || columns <= 0)
        return false;
    if (earlier.rows != rows || earlier.columns != columns || data.size() != total || attributes.size() != total
        || earlier.data.size() != total || earlier.attributes.size() != total) {
        *first = 0;
        *last = rows - 1;
        return true;
    }
    // Buffers still shared with the copy have not been written since.
    const bool sameData = data.constData() == earlier.data.constData();
    const bool sameAttributes = attributes.constData() == earlier.attributes.constData();
    if (sameData && sameAttributes)
        return false;
    int from = -1;
    int to = -1;
    for (int row = 0; row < rows; ++row) {
        const int start = row * columns;
        if ((!sameData && std::memcmp(data.constData() + start, earlier.data.constData() + start, size_t(columns)) != 0)
            || (!sameAttributes
                && std::memcmp(attributes.constData() + start, earlier.attributes.constData() + start, size_t(columns)) != 0)) {
            if (from < 0)
                from = row;
            to = row;
        }
    }
    if (from < 0)
        return false;
    *first = from;
    *last = to;
    return true;
}
