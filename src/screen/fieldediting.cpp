#include "screen/terminalscreen.h"

#include "codec/ebcdiccodec.h"

#include <QCoreApplication>

// What the operator does to the input fields between two host writes: typing,
// the erase and delete keys, Field Exit / Field+ / Field-, moving between
// fields, filling a field from a saved sign-on value and the checks made
// before Enter. The rules are those of the 5250 field format word (IBM 5250
// data stream reference, Start of Field order). Only the presentation space
// changes here; the client decides what to send and what to show.
//
// A refused operation returns false and leaves every member as it was: all
// checks come before the first change.

namespace {

const unsigned char NULL_BYTE = 0x00;
const unsigned char EBCDIC_MINUS = 0x60;
const unsigned char EBCDIC_ZERO = 0xF0;
const unsigned char EBCDIC_BLANK = 0x40;
const unsigned char FFW_MDT = 0x08;

// Refusal texts are for the status line, so they go through translation; the
// sources are marked with QT_TRANSLATE_NOOP where they are used.
void report(QString *message, const char *text)
{
    if (message)
        *message = QCoreApplication::translate("TerminalScreen", text);
}

// A refusal that names the code page in force ("%1").
void reportCodePage(QString *message, const char *text)
{
    if (message)
        *message = QCoreApplication::translate("TerminalScreen", text).arg(EbcdicCodec::codePage());
}

void setFlag(bool *flag, bool value)
{
    if (flag)
        *flag = value;
}

bool isAsciiLetter(ushort unicode)
{
    return (unicode >= 'A' && unicode <= 'Z') || (unicode >= 'a' && unicode <= 'z');
}

bool isAsciiDigit(ushort unicode)
{
    return unicode >= '0' && unicode <= '9';
}

// A mandatory-fill field must be left either empty or full (the sign
// position of a signed field is not part of the check).
bool isPartlyFilled(const QByteArray &usableBytes)
{
    const int nulls = usableBytes.count(char(NULL_BYTE));
    return nulls > 0 && nulls < usableBytes.size();
}

} // namespace

void TerminalScreen::markChanged(int fieldIndex)
{
    if (fieldIndex < 0 || fieldIndex >= fields.size())
        return;
    Field &field = fields[fieldIndex];
    field.ffwHigh |= FFW_MDT;
    field.modified = true;
    field.entered = true;
}

int TerminalScreen::inputFieldAtCursor() const
{
    const int fieldIndex = fieldIndexAt(cursor);
    return fieldIndex >= 0 && !fields.at(fieldIndex).bypass() ? fieldIndex : -1;
}

bool TerminalScreen::validateCharacter(const Field &field, QChar character)
{
    const ushort unicode = character.unicode();
    switch (field.type()) {
    case 1: // alphabetic only
        return isAsciiLetter(unicode) || (unicode > 0x7F && character.isLetter())
            || unicode == ' ' || unicode == ',' || unicode == '-' || unicode == '.';
    case 5: // digits only
        return isAsciiDigit(unicode);
    case 7: // signed numeric: digits; the sign comes from Field- and Field+
        return isAsciiDigit(unicode);
    case 2: // numeric shift
    case 3: // numeric only
        return isAsciiDigit(unicode) || unicode == ' ' || unicode == '+' || unicode == ','
            || unicode == '-' || unicode == '.';
    default: // alphanumeric, katakana shift, I/O
        return unicode != 0 && character.isPrint();
    }
}

bool TerminalScreen::typeCharacter(QChar character, QString *message, bool *autoEnter)
{
    setFlag(autoEnter, false);
    if (keyboardLocked) {
        report(message, QT_TRANSLATE_NOOP("TerminalScreen", "Keyboard is locked by the host"));
        return false;
    }
    const int fieldIndex = inputFieldAtCursor();
    if (fieldIndex < 0) {
        report(message, QT_TRANSLATE_NOOP("TerminalScreen", "Cursor is in a protected area"));
        return false;
    }
    const Field field = fields.at(fieldIndex);
    if (field.monocase())
        character = character.toUpper();
    if (!validateCharacter(field, character)) {
        report(message, QT_TRANSLATE_NOOP("TerminalScreen", "Character is not valid for this field"));
        return false;
    }
    bool representable = false;
    const unsigned char byte = EbcdicCodec::encodeChar(character, &representable);
    if (!representable) {
        reportCodePage(message, QT_TRANSLATE_NOOP("TerminalScreen", "Character is not available in EBCDIC code page %1"));
        return false;
    }
    const int offset = fieldOffset(field, cursor);
    const int usable = usableLength(field);
    if (offset >= usable) {
        report(message, QT_TRANSLATE_NOOP("TerminalScreen", "Cursor is on the sign position of a signed numeric field"));
        return false;
    }
    if (insertMode) {
        if (rawAt(fieldPosition(field, usable - 1)) != NULL_BYTE) {
            report(message, QT_TRANSLATE_NOOP("TerminalScreen", "Insert mode: field has no free position"));
            return false;
        }
        for (int k = usable - 1; k > offset; --k) {
            const int to = fieldPosition(field, k);
            const int from = fieldPosition(field, k - 1);
            setCell(to, rawAt(from), attributeAt(from));
        }
    }

    setCell(cursor, byte, field.attribute);
    markChanged(fieldIndex);

    if (offset + 1 < usable) {
        cursor = clampIndex(cursor + 1);
    } else if (field.fieldExitRequired()) {
        // The operator must end the field with Field Exit; the cursor waits.
    } else if (field.autoEnter()) {
        setFlag(autoEnter, true);
    } else {
        const int next = nextInputField(cursor, false);
        if (next >= 0)
            cursor = clampIndex(fields.at(next).start);
    }
    return true;
}

bool TerminalScreen::fieldExit(bool minus, QString *message, bool *autoEnter)
{
    setFlag(autoEnter, false);
    if (keyboardLocked)
        return false;
    const int fieldIndex = inputFieldAtCursor();
    if (fieldIndex < 0) {
        report(message, QT_TRANSLATE_NOOP("TerminalScreen", "Field Exit is only valid in an input field"));
        return false;
    }
    const Field field = fields.at(fieldIndex);
    if (minus && !field.signedNumeric()) {
        report(message, QT_TRANSLATE_NOOP("TerminalScreen", "Field- is only valid in a signed numeric field"));
        return false;
    }
    if (field.mandatoryEnter() && !field.modified) {
        report(message, QT_TRANSLATE_NOOP("TerminalScreen", "This is a mandatory-entry field"));
        return false;
    }
    const int offset = fieldOffset(field, cursor);
    const int usable = usableLength(field);
    bool erase = true;
    if (field.mandatoryFill() && offset != 0 && field.entered) {
        if (isPartlyFilled(fieldBytes(field).left(usable))) {
            report(message, QT_TRANSLATE_NOOP("TerminalScreen", "Mandatory-fill field is not complete"));
            return false;
        }
        erase = false;
    }
    if (erase)
        nullPositions(field, offset, usable);
    if (field.rightAdjustZero() || field.rightAdjustBlank())
        rightAdjust(field, usable, field.rightAdjustZero() ? EBCDIC_ZERO : EBCDIC_BLANK);
    const int span = fieldSpan(field);
    if (field.signedNumeric() && span > 0) {
        const int signIndex = fieldPosition(field, span - 1);
        setCell(signIndex, minus ? EBCDIC_MINUS : NULL_BYTE, attributeAt(signIndex));
    }
    markChanged(fieldIndex);
    const int next = nextInputField(cursor, false);
    if (next >= 0)
        cursor = clampIndex(fields.at(next).start);
    setFlag(autoEnter, field.autoEnter());
    return true;
}

bool TerminalScreen::backspace()
{
    if (keyboardLocked)
        return false;
    const int fieldIndex = inputFieldAtCursor();
    if (fieldIndex < 0)
        return false;
    if (fieldOffset(fields.at(fieldIndex), cursor) != 0)
        cursor = clampIndex(cursor - 1);
    setCell(cursor, NULL_BYTE, attributeAt(cursor));
    markChanged(fieldIndex);
    return true;
}

bool TerminalScreen::deleteCharacter()
{
    if (keyboardLocked)
        return false;
    const int fieldIndex = inputFieldAtCursor();
    if (fieldIndex < 0)
        return false;
    const Field &field = fields.at(fieldIndex);
    // The digit positions close up; a signed field's sign position stays.
    const int usable = usableLength(field);
    const int offset = fieldOffset(field, cursor);
    if (offset >= usable)
        return false;
    // Only the bytes move; each cell keeps the attribute it is drawn with.
    for (int k = offset; k + 1 < usable; ++k) {
        const int to = fieldPosition(field, k);
        setCell(to, rawAt(fieldPosition(field, k + 1)), attributeAt(to));
    }
    const int last = fieldPosition(field, usable - 1);
    setCell(last, NULL_BYTE, attributeAt(last));
    markChanged(fieldIndex);
    return true;
}

// Right adjust (field format word adjust 5 and 6): what the field holds moves
// to the right end of its usable positions, and the positions it leaves get
// the fill byte, so that the host receives the field at its full length.
void TerminalScreen::rightAdjust(const Field &field, int usable, unsigned char fill)
{
    const QByteArray bytes = fieldBytes(field).left(usable);
    int end = bytes.size();
    while (end > 0 && bytes.at(end - 1) == char(NULL_BYTE))
        --end;
    if (end == 0)
        return; // nothing typed: the field stays empty
    const int shift = usable - end;
    for (int k = usable - 1; k >= 0; --k) {
        const int index = fieldPosition(field, k);
        const unsigned char byte = k >= shift ? static_cast<unsigned char>(bytes.at(k - shift)) : fill;
        setCell(index, byte, attributeAt(index));
    }
}

bool TerminalScreen::eraseToEndOfField(QString *message)
{
    if (keyboardLocked)
        return false;
    const int fieldIndex = inputFieldAtCursor();
    if (fieldIndex < 0) {
        report(message, QT_TRANSLATE_NOOP("TerminalScreen", "Erase EOF is only valid in an input field"));
        return false;
    }
    const Field &field = fields.at(fieldIndex);
    nullPositions(field, fieldOffset(field, cursor), fieldSpan(field));
    markChanged(fieldIndex);
    return true;
}

void TerminalScreen::eraseInput()
{
    if (keyboardLocked)
        return;
    for (int i = 0; i < fields.size(); ++i) {
        const Field &field = fields.at(i);
        if (field.bypass() || !field.modified)
            continue;
        nullPositions(field, 0, fieldSpan(field));
        markChanged(i);
    }
    moveCursorHome();
}

bool TerminalScreen::moveToEndOfField()
{
    if (keyboardLocked)
        return false;
    const int fieldIndex = inputFieldAtCursor();
    if (fieldIndex < 0)
        return false;
    const Field &field = fields.at(fieldIndex);
    const int usable = usableLength(field);
    if (usable <= 0)
        return false;
    int lastFilled = -1;
    for (int k = 0; k < usable; ++k) {
        if (rawAt(fieldPosition(field, k)) != NULL_BYTE)
            lastFilled = k;
    }
    cursor = fieldPosition(field, qMin(lastFilled + 1, usable - 1));
    return true;
}

void TerminalScreen::tab(bool backward)
{
    if (backward) {
        const int fieldIndex = fieldIndexAt(cursor);
        if (fieldIndex >= 0 && fieldOffset(fields.at(fieldIndex), cursor) != 0) {
            cursor = fieldPosition(fields.at(fieldIndex), 0);
            return;
        }
    }
    const int next = nextInputField(cursor, backward);
    if (next >= 0)
        cursor = clampIndex(fields.at(next).start);
}

void TerminalScreen::newLine()
{
    if (keyboardLocked || fields.isEmpty() || columns <= 0)
        return;
    const int cursorLine = cursorRow();
    int below = -1; // smallest start on a row below the cursor's row
    int first = -1; // smallest start on the whole screen
    for (int i = 0; i < fields.size(); ++i) {
        const Field &field = fields.at(i);
        if (field.bypass())
            continue;
        if (first < 0 || field.start < fields.at(first).start)
            first = i;
        if (field.start / columns > cursorLine
            && (below < 0 || field.start < fields.at(below).start))
            below = i;
    }
    const int target = below >= 0 ? below : first;
    if (target >= 0)
        cursor = clampIndex(fields.at(target).start);
}

bool TerminalScreen::setFieldText(int fieldIndex, const QString &text, QString *message)
{
    if (fieldIndex < 0 || fieldIndex >= fields.size()) {
        report(message, QT_TRANSLATE_NOOP("TerminalScreen", "Input field is not available"));
        return false;
    }
    const Field field = fields.at(fieldIndex);
    if (field.bypass()) {
        report(message, QT_TRANSLATE_NOOP("TerminalScreen", "Input field is protected"));
        return false;
    }
    const int usable = usableLength(field);
    if (text.size() > usable) {
        report(message, QT_TRANSLATE_NOOP("TerminalScreen", "Saved login value is longer than the IBM i input field"));
        return false;
    }
    QByteArray encoded;
    encoded.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        QChar character = text.at(i);
        if (field.monocase())
            character = character.toUpper();
        if (!validateCharacter(field, character)) {
            report(message, QT_TRANSLATE_NOOP("TerminalScreen", "Saved login contains a character invalid for this field"));
            return false;
        }
        bool representable = false;
        encoded.append(char(EbcdicCodec::encodeChar(character, &representable)));
        if (!representable) {
            reportCodePage(message,
                           QT_TRANSLATE_NOOP("TerminalScreen", "Saved login contains a character unavailable in EBCDIC code page %1"));
            return false;
        }
    }

    nullPositions(field, 0, fieldSpan(field));
    for (int k = 0; k < encoded.size(); ++k)
        setCell(fieldPosition(field, k), static_cast<unsigned char>(encoded.at(k)), field.attribute);
    markChanged(fieldIndex);
    cursor = fieldPosition(field, usable > 0 ? qMin(encoded.size(), usable - 1) : 0);
    return true;
}

bool TerminalScreen::validateForEnter(QString *message)
{
    for (int i = 0; i < fields.size(); ++i) {
        const Field &field = fields.at(i);
        if (field.bypass())
            continue;
        if (field.mandatoryEnter() && !field.modified) {
            report(message, QT_TRANSLATE_NOOP("TerminalScreen", "A mandatory-entry field has not been entered"));
            return false;
        }
        const int usable = usableLength(field);
        if (field.mandatoryFill() && field.entered && usable > 0
            && isPartlyFilled(fieldBytes(field).left(usable))) {
            report(message, QT_TRANSLATE_NOOP("TerminalScreen", "A mandatory-fill field is incomplete"));
            return false;
        }
    }
    return true;
}
