#include "protocol/aidresponse.h"

#include "protocol/aidcodes.h"

namespace AidResponse {

quint8 functionKeyAid(int number)
{
    if (number < 1 || number > 24)
        return 0;
    return AidCode::FUNCTION_KEYS[number - 1];
}

// Trailing nulls are not sent, inner nulls become blanks unless the host
// asked for an "alternate" read, and a signed-numeric field carries its sign
// in the zone of its last digit instead of a separate sign position.
QByteArray fieldData(const TerminalScreen &screen, const TerminalScreen::Field &field, bool alternate)
{
    QByteArray bytes = screen.fieldBytes(field);
    // A transparency field's bytes belong to the application, not to us.
    if (field.transparent)
        return bytes;

    bool negative = false;
    if (field.signedNumeric()) {
        if (bytes.isEmpty())
            return bytes;
        negative = static_cast<quint8>(bytes.at(bytes.size() - 1)) == ReadResponseByte::EbcdicMinus;
        bytes.truncate(bytes.size() - 1);
    }

    int end = bytes.size();
    while (end > 0 && bytes.at(end - 1) == '\0')
        --end;
    bytes.truncate(end);

    if (!alternate)
        bytes.replace('\0', static_cast<char>(ReadResponseByte::EbcdicBlank));

    if (negative) {
        for (int i = bytes.size() - 1; i >= 0; --i) {
            const quint8 byte = static_cast<quint8>(bytes.at(i));
            if ((byte & 0xF0) == ReadResponseByte::DigitZone && (byte & 0x0F) <= 9) {
                bytes[i] = static_cast<char>(ReadResponseByte::NegativeZone | (byte & 0x0F));
                break;
            }
        }
    }
    return bytes;
}

QByteArray build(const TerminalScreen &screen, quint8 aid, bool includeFields, ReadMode mode)
{
    QByteArray response;
    response.append(static_cast<char>(screen.cursorRow() + 1));
    response.append(static_cast<char>(screen.cursorColumn() + 1));
    response.append(static_cast<char>(aid));
    if (!includeFields || screen.columns <= 0)
        return response;

    // Read Input Fields and Read Immediate return every input field; the MDT
    // reads only those the operator (or the host's FFW) marked modified. The
    // two alternate reads keep inner nulls as nulls.
    const bool everyInputField = mode == ReadInputFields || mode == ReadImmediate;
    const bool alternate = mode == ReadMdtFieldsAlternate || mode == ReadImmediateAlternate;

    for (const TerminalScreen::Field &field : screen.fields) {
        if (field.bypass())
            continue;
        if (!everyInputField && !field.modified)
            continue;
        response.append(static_cast<char>(ReadResponseByte::SetBufferAddress));
        response.append(static_cast<char>(field.start / screen.columns + 1));
        response.append(static_cast<char>(field.start % screen.columns + 1));
        response.append(fieldData(screen, field, alternate));
    }
    return response;
}

} // namespace AidResponse
