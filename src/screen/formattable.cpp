#include "screen/terminalscreen.h"

// The format table: the fields that the host's Start of Field orders define
// (IBM 5250 data stream reference, Start of Field order and the field format
// word). The write-order interpreter builds it; the editing operations, the
// read responses and the cursor keys query it.

namespace {

const unsigned char NORMAL_ATTRIBUTE = 0x20;
const unsigned char FFW_MDT = 0x08;           // first FFW byte: modified data tag
const unsigned short FCW_TRANSPARENT = 0x84;  // FCW high byte: transparency entry field

} // namespace

// --- Walking a field's positions ------------------------------------------------

int TerminalScreen::fieldPosition(const Field &field, int k) const
{
    const qint64 n = size();
    if (n <= 0)
        return 0;
    const qint64 wrapped = (qint64(field.start) + k) % n;
    return int(wrapped < 0 ? wrapped + n : wrapped);
}

int TerminalScreen::fieldSpan(const Field &field) const
{
    return qBound(0, field.length, size());
}

int TerminalScreen::usableLength(const Field &field) const
{
    // The last position of a signed-numeric field holds its sign.
    const int span = fieldSpan(field);
    return field.signedNumeric() && span > 0 ? span - 1 : span;
}

int TerminalScreen::fieldOffset(const Field &field, int index) const
{
    const qint64 n = size();
    if (n <= 0)
        return 0;
    const qint64 wrapped = (qint64(index) - field.start) % n;
    return int(wrapped < 0 ? wrapped + n : wrapped);
}

bool TerminalScreen::positionInField(const Field &field, int index) const
{
    return index >= 0 && index < size() && fieldOffset(field, index) < fieldSpan(field);
}

void TerminalScreen::nullPositions(const Field &field, int from, int to)
{
    for (int k = qMax(from, 0); k < qMin(to, fieldSpan(field)); ++k) {
        const int index = fieldPosition(field, k);
        if (index < data.size())
            data[index] = '\0';
    }
}

// --- Start of Field ---------------------------------------------------------------

void TerminalScreen::startField(bool hasFfw, unsigned char ffwHigh, unsigned char ffwLow,
                                const QVector<unsigned short> &fcws, unsigned char attribute,
                                int length)
{
    const int n = size();
    if (length < 0 || n <= 0)
        return;

    // The attribute byte occupies the cell in front of the field.
    const int attributeIndex = clampIndex(displayAddress);
    displayAddress = attributeIndex;
    setCell(attributeIndex, attribute, attribute);
    currentAttribute = attribute;

    if (!hasFfw) {
        advanceDisplayAddress();
        return;
    }

    const int start = attributeIndex + 1;
    if (start >= n)
        return; // a field cannot begin past the last cell

    Field field;
    field.start = start;
    field.length = qMin(length, n - start);
    field.ffwHigh = ffwHigh;
    field.ffwLow = ffwLow;
    field.attribute = attribute;
    field.fcws = fcws;
    field.modified = ffwHigh & FFW_MDT;
    for (int i = 0; i < fcws.size(); ++i) {
        if ((fcws.at(i) >> 8) == FCW_TRANSPARENT)
            field.transparent = true;
    }
    field.entered = false;

    int existing = -1;
    for (int i = 0; i < fields.size(); ++i) {
        if (fields.at(i).start == start) {
            existing = i;
            break;
        }
    }
    if (existing >= 0)
        fields[existing] = field;
    else
        fields.append(field);

    // The field's old data stays until the host writes it; only the way it
    // is drawn changes.
    for (int i = 0; i < field.length; ++i) {
        const int index = start + i;
        if (index < attributes.size())
            attributes[index] = char(attribute);
    }
    const int after = start + field.length;
    if (after < n)
        setCell(after, NORMAL_ATTRIBUTE, NORMAL_ATTRIBUTE);

    advanceDisplayAddress();
}

// --- Clearing and querying the table ------------------------------------------------

void TerminalScreen::clearFormatTable()
{
    fields.clear();
    noDataKeyMask = 0;
    keyboardLocked = true;
    insertMode = false;
    cursor = 0;
    insertCursorIndex = -1;
}

void TerminalScreen::clearFormatTableForHeader()
{
    fields.clear();
    // A new format forgets the old one's home: without an Insert Cursor of
    // its own, the cursor goes to the first input field.
    insertCursorIndex = -1;
}

int TerminalScreen::fieldIndexAt(int index) const
{
    if (index < 0 || index >= size())
        return -1;
    for (int i = 0; i < fields.size(); ++i) {
        if (positionInField(fields.at(i), index))
            return i;
    }
    return -1;
}

bool TerminalScreen::isProtectedAt(int index) const
{
    const int field = fieldIndexAt(index);
    return field < 0 || fields.at(field).bypass();
}

bool TerminalScreen::isValidInputPosition(int index) const
{
    const int field = fieldIndexAt(index);
    return field >= 0 && !fields.at(field).bypass();
}

int TerminalScreen::nextInputField(int fromIndex, bool backward) const
{
    const qint64 n = size();
    int best = -1;
    qint64 bestDistance = 0;
    for (int i = 0; i < fields.size(); ++i) {
        const Field &field = fields.at(i);
        if (field.bypass())
            continue;
        // A field that starts exactly at fromIndex is a whole screen away, so
        // it wins only when it is the sole input field.
        qint64 distance = backward ? qint64(fromIndex) - field.start
                                   : qint64(field.start) - fromIndex;
        if (distance <= 0)
            distance += n;
        if (best < 0 || distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

// --- Modified data tags and field data ----------------------------------------------

void TerminalScreen::resetMdt(bool allFields)
{
    for (int i = 0; i < fields.size(); ++i) {
        Field &field = fields[i];
        if (!allFields && field.bypass())
            continue;
        field.ffwHigh &= ~FFW_MDT;
        field.modified = false;
        field.entered = false;
    }
}

void TerminalScreen::nullFields(bool onlyModified)
{
    for (int i = 0; i < fields.size(); ++i) {
        const Field &field = fields.at(i);
        if (field.bypass() || field.length < 1 || (onlyModified && !field.modified))
            continue;
        nullPositions(field, 0, fieldSpan(field));
    }
}

QByteArray TerminalScreen::fieldBytes(const Field &field) const
{
    // A field never has more positions than the screen has cells; a longer
    // length can only come from a damaged entry and is not honoured.
    const int span = fieldSpan(field);
    QByteArray bytes(span, '\0');
    for (int k = 0; k < span; ++k)
        bytes[k] = char(rawAt(fieldPosition(field, k)));
    return bytes;
}

void TerminalScreen::setFieldBytes(const Field &field, const QByteArray &bytes)
{
    const int count = qMin(bytes.size(), fieldSpan(field));
    for (int k = 0; k < count; ++k) {
        const int index = fieldPosition(field, k);
        if (index < data.size())
            data[index] = bytes.at(k);
    }
}

bool TerminalScreen::functionSendsData(int functionKey) const
{
    if (functionKey < 1 || functionKey > 24)
        return true;
    return !(noDataKeyMask & (quint32(1) << (functionKey - 1)));
}
