// The host's check of each read response against the screen it answers. A
// real IBM i display file trusts the workstation to have applied the field
// rules; the demo host checks instead, so that a terminal that sends a field
// where there is none, more data than a field holds, a letter in a numeric
// field or data with a key that sends none is caught in the session log and
// in the tests (IBM 5250 data stream reference: Start Field field format
// word, Start of Header, inbound read data).
#include "readresponse.h"

#include <QSet>

#include "hostcodec.h"
#include "hostprotocol.h"
#include "screendescription.h"

using namespace HostProtocol;

namespace {

// Keys that return the cursor and the AID only: Clear, Help, Print and
// PA1-PA3. The roll keys return the modified fields like Enter.
const quint8 NO_DATA_AIDS[] = { 0xBD, 0xF3, 0xF6, 0x6C, 0x6E, 0x6B };

// EBCDIC bytes of a signed-numeric field's data: digits with the positive
// zone F and the negative zone D (the sign of the field, on its last digit),
// and the blank, plus, comma, minus and full stop that the field's type
// allows. 0x00 is an empty position left by an "alternate" read.
const quint8 EBCDIC_NULL = 0x00;
const quint8 EBCDIC_BLANK = 0x40;
const quint8 EBCDIC_PLUS = 0x4E;
const quint8 EBCDIC_COMMA = 0x6B;
const quint8 EBCDIC_MINUS = 0x60;
const quint8 EBCDIC_FULL_STOP = 0x4B;
const quint8 ZONE_POSITIVE = 0xF0;
const quint8 ZONE_NEGATIVE = 0xD0;

bool isZonedDigit(quint8 byte, quint8 zone)
{
    return (byte & 0xF0) == zone && (byte & 0x0F) <= 9;
}

bool sendsNoData(quint8 aid, quint32 noDataKeyMask)
{
    for (quint8 code : NO_DATA_AIDS) {
        if (code == aid)
            return true;
    }
    const int function = functionKeyOf(aid);
    return function > 0 && (noDataKeyMask & (quint32(1) << (function - 1)));
}

QString typeName(int type)
{
    switch (type) {
    case 1:
        return QStringLiteral("an alphabetic-only field");
    case 2:
        return QStringLiteral("a numeric-shift field");
    case 3:
        return QStringLiteral("a numeric-only field");
    case 5:
        return QStringLiteral("a digits-only field");
    case 7:
        return QStringLiteral("a signed-numeric field");
    default:
        return QStringLiteral("this field");
    }
}

bool validCharacter(int type, QChar c)
{
    const ushort u = c.unicode();
    const bool digit = u >= '0' && u <= '9';
    switch (type) {
    case 1:
        return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u > 0x7F && c.isLetter()) || u == ' '
            || u == ',' || u == '-' || u == '.';
    case 5:
        return digit;
    case 2:
    case 3:
    case 7:
        return digit || u == ' ' || u == '+' || u == ',' || u == '-' || u == '.';
    default:
        return c.isPrint();
    }
}

// A nondisplay field's characters never reach the log, not even the wrong one.
QString characterProblem(const ResponseField &field, int type, QChar c)
{
    if (field.nondisplay)
        return QStringLiteral("field %1,%2: a character is not valid in %3")
            .arg(field.row)
            .arg(field.column)
            .arg(typeName(type));
    return QStringLiteral("field %1,%2: \"%3\" is not valid in %4")
        .arg(field.row)
        .arg(field.column)
        .arg(c)
        .arg(typeName(type));
}

// The sign of a signed-numeric field travels as the zone of its last digit
// (D for minus); any other digit with that zone, or a byte outside the
// field's characters, is wrong.
QString signedNumericProblem(const ResponseField &field, const HostCodec &codec)
{
    const QByteArray &data = field.data;
    int lastDigit = -1;
    for (int i = 0; i < data.size(); ++i) {
        const quint8 byte = quint8(data.at(i));
        if (isZonedDigit(byte, ZONE_POSITIVE) || isZonedDigit(byte, ZONE_NEGATIVE))
            lastDigit = i;
    }
    for (int i = 0; i < data.size(); ++i) {
        const quint8 byte = quint8(data.at(i));
        if (isZonedDigit(byte, ZONE_NEGATIVE)) {
            if (i != lastDigit)
                return QStringLiteral("field %1,%2: negative sign on a digit that is not the last")
                    .arg(field.row)
                    .arg(field.column);
            continue;
        }
        if (isZonedDigit(byte, ZONE_POSITIVE) || byte == EBCDIC_NULL || byte == EBCDIC_BLANK || byte == EBCDIC_PLUS
            || byte == EBCDIC_COMMA || byte == EBCDIC_MINUS || byte == EBCDIC_FULL_STOP)
            continue;
        const QString decoded = codec.decode(data.mid(i, 1));
        return characterProblem(field, 7, decoded.isEmpty() ? QChar(QLatin1Char('?')) : decoded.at(0));
    }
    return QString();
}

QString contentProblem(const ResponseField &field, const ScreenField &described, const HostCodec &codec)
{
    const int type = described.type();
    if (type == 7)
        return signedNumericProblem(field, codec);
    for (int i = 0; i < field.data.size(); ++i) {
        if (quint8(field.data.at(i)) == EBCDIC_NULL)
            continue;
        const QString decoded = codec.decode(field.data.mid(i, 1));
        const QChar c = decoded.isEmpty() ? QChar(QLatin1Char('?')) : decoded.at(0);
        if (!validCharacter(type, c))
            return characterProblem(field, type, c);
        if (described.monocase() && c.isLower()) {
            if (field.nondisplay)
                return QStringLiteral("field %1,%2: lower case in an upper-case field").arg(field.row).arg(field.column);
            return QStringLiteral("field %1,%2: lower case \"%3\" in an upper-case field")
                .arg(field.row)
                .arg(field.column)
                .arg(c);
        }
    }
    return QString();
}

} // namespace

QString ResponseCheck::summary() const
{
    if (!performed)
        return QStringLiteral("not checked");
    if (problems.isEmpty())
        return QStringLiteral("check OK");
    return QStringLiteral("check FAILED: %1").arg(problems.join(QStringLiteral("; ")));
}

ResponseCheck checkReadResponse(const ReadResponse &response, const ScreenDescription &screen,
                                quint32 noDataKeyMask, const HostCodec &codec)
{
    ResponseCheck check;
    check.performed = true;
    QStringList &problems = check.problems;
    if (!response.valid) {
        problems << QStringLiteral("unreadable response (%1)").arg(response.error);
        return check;
    }

    if (response.cursorRow < 1 || response.cursorRow > screen.rows() || response.cursorColumn < 1
        || response.cursorColumn > screen.columns())
        problems << QStringLiteral("cursor %1,%2 outside the %3 x %4 screen")
                        .arg(response.cursorRow)
                        .arg(response.cursorColumn)
                        .arg(screen.rows())
                        .arg(screen.columns());

    if (!screen.acceptsAid(response.aid))
        problems << QStringLiteral("AID %1 not valid for this screen").arg(response.aidName());

    if (!response.fields.isEmpty() && sendsNoData(response.aid, noDataKeyMask))
        problems << QStringLiteral("field data with %1, a key that sends none on this screen").arg(response.aidName());

    const bool enter = response.aid == AID_ENTER;
    QSet<int> seen;
    for (const ResponseField &field : response.fields) {
        const ScreenField *described = screen.fieldAt(field.row, field.column);
        if (!described || described->bypass()) {
            problems << QStringLiteral("field %1,%2 is not an input field").arg(field.row).arg(field.column);
            continue;
        }
        const int address = field.row * 256 + field.column;
        if (seen.contains(address)) {
            problems << QStringLiteral("field %1,%2 sent twice").arg(field.row).arg(field.column);
            continue;
        }
        seen.insert(address);

        const int usable = described->usableLength();
        if (field.data.size() > usable) {
            problems << QStringLiteral("field %1,%2 longer than %3").arg(field.row).arg(field.column).arg(usable);
            continue;
        }
        const QString content = contentProblem(field, *described, codec);
        if (!content.isEmpty())
            problems << content;
        // Trailing empty positions are not sent, so a complete mandatory-fill
        // field arrives with all its positions and an untouched one with none.
        if (enter && described->mandatoryFill() && !field.data.isEmpty() && field.data.size() < usable)
            problems << QStringLiteral("mandatory-fill field %1,%2 incomplete (%3 of %4)")
                            .arg(field.row)
                            .arg(field.column)
                            .arg(field.data.size())
                            .arg(usable);
    }

    if (enter) {
        for (const ScreenField &described : screen.fields) {
            if (described.bypass() || !described.mandatoryEntry())
                continue;
            if (!seen.contains(described.row * 256 + described.column))
                problems << QStringLiteral("mandatory-entry field %1,%2 not sent").arg(described.row).arg(described.column);
        }
    }
    return check;
}
