// 5250 command interpreter. The data of every command-carrying record comes
// here from process5250Data (records.cpp): each command is ESC (0x04) and a
// command code with its operands (IBM 5250 Functions Reference, "5250 data
// stream commands"). Write To Display and Write Error Code go on to the
// order interpreter (writeorders.cpp); Save Screen, Read Screen and the 5250
// Query are answered at once; the read commands only note what the next AID
// key must answer (aid.cpp).
#include "app/tn5250client.h"

#include <QStringList>

#include "codec/ebcdiccodec.h"
#include "protocol/datastream.h"

namespace {

// The commands diagnostic names at most this many codes per record.
const int MAX_LISTED_COMMANDS = 12;

// Writes the EBCDIC form of a fixed digit string over the table's default
// bytes; digits are the same in every supported code page, so the default
// stays right should the conversion not give the expected length.
void patchEbcdic(QByteArray &reply, int offset, const char *text)
{
    const QString value = QLatin1String(text);
    const QByteArray encoded = EbcdicCodec::encode(value);
    if (encoded.size() == value.size() && offset + encoded.size() <= reply.size())
        reply.replace(offset, encoded.size(), encoded);
}

} // namespace

void Tn5250Client::scanCommands(const QByteArray &data, quint8 opcode)
{
    const int end = data.size();
    QStringList codes;
    int commandCount = 0;
    int i = 0;
    while (i < end) {
        const quint8 byte = quint8(data.at(i));
        ++i;
        // Bytes outside commands are skipped until the next ESC.
        if (byte != DataStream::ESC)
            continue;
        if (i >= end)
            break;
        ++commandCount;
        if (codes.size() < MAX_LISTED_COMMANDS)
            codes << DataStream::hexByte(quint8(data.at(i)));
        const int resume = processCommand(data, i, opcode);
        // Every command consumes at least its code byte.
        i = qBound(i + 1, resume, end);
    }
    if (commandCount > 0) {
        appendDiagnostic(QStringLiteral("5250 commands: %1%2")
                             .arg(codes.join(QLatin1Char(' ')),
                                  commandCount > codes.size() ? QStringLiteral(" …") : QString()));
    } else if (end > 0) {
        appendDiagnostic(QStringLiteral("Payload contained no 5250 ESC commands (%1 bytes)").arg(end));
    }
    emit screenChanged();
    maybeAutoLogin();
    drainTypeAhead();
}

int Tn5250Client::processCommand(const QByteArray &data, int index, quint8 opcode)
{
    using namespace DataStream;
    Q_UNUSED(opcode);
    const int end = data.size();
    if (index < 0 || index >= end)
        return end;
    const quint8 code = quint8(data.at(index));
    const int next = index + 1;

    int readMode = 0;
    switch (code) {
    case CMD_SAVE_SCREEN:
        sendSaveScreenReply();
        return next;
    case CMD_WRITE_TO_DISPLAY:
        return processWriteToDisplay(data, next);
    case CMD_RESTORE_SCREEN:
        restoreSavedScreen(data.mid(next));
        return end;
    case CMD_CLEAR_UNIT_ALTERNATE: {
        int resume = next;
        if (next < end) {
            // 0x00 and 0x80 are the parameter values the reference defines.
            const quint8 parameter = quint8(data.at(next));
            if (parameter & 0x7F)
                appendDiagnostic(QStringLiteral("Unexpected Clear Unit Alternate parameter 0x%1").arg(DataStream::hexByte(parameter)));
            resume = next + 1;
        }
        m_screen.resize(27, 132);
        m_screen.clear(true);
        return resume;
    }
    case CMD_WRITE_ERROR_CODE:
        // No control characters, and the write position stays where it is.
        return processWriteOrders(data, next, end);
    case CMD_ROLL:
        if (next + 2 >= end)
            return end;
        m_screen.roll(quint8(data.at(next)), quint8(data.at(next + 1)), quint8(data.at(next + 2)));
        return next + 3;
    case CMD_CLEAR_UNIT:
        m_screen.resize(24, 80);
        m_screen.clear(true);
        return next;
    case CMD_READ_INPUT_FIELDS:
        readMode = AidResponse::ReadInputFields;
        break;
    case CMD_READ_MDT_FIELDS:
        readMode = AidResponse::ReadMdtFields;
        break;
    case CMD_READ_MDT_FIELDS_ALTERNATE:
        readMode = AidResponse::ReadMdtFieldsAlternate;
        break;
    case CMD_CLEAR_FORMAT_TABLE:
        m_screen.clearFormatTable();
        return next;
    case CMD_READ_SCREEN:
        sendReadScreenReply();
        return next;
    case CMD_READ_IMMEDIATE:
        sendImmediate(AidResponse::ReadImmediate);
        return next;
    case CMD_READ_IMMEDIATE_ALTERNATE:
        sendImmediate(AidResponse::ReadImmediateAlternate);
        return next;
    case CMD_WRITE_STRUCTURED_FIELD:
        return processStructuredField(data, next, end);
    default:
        appendDiagnostic(QStringLiteral("Unsupported 5250 command 0x%1").arg(DataStream::hexByte(code)));
        return next;
    }

    // The read commands: Read Input Fields, Read MDT Fields (Alternate).
    int resume = next;
    quint8 cc2 = 0;
    const bool haveControlCharacters = next + 1 < end;
    if (haveControlCharacters) {
        cc2 = quint8(data.at(next + 1));
        applyControlCharacters(quint8(data.at(next)), cc2, false);
        resume = next + 2;
    }
    m_pendingReadMode = readMode;
    // A read invites input, whatever the first control character said.
    m_screen.keyboardLocked = false;
    if ((cc2 & (CC2_UNLOCK | CC2_CURSOR_STAYS)) == CC2_UNLOCK)
        m_screen.moveCursorHome();
    const int visible = visibleCellCount();
    const int fieldCount = m_screen.fields.size();
    if (visible != 0 || fieldCount != 0)
        setStatus(tr("Connected — input ready • %1 chars • %2 fields").arg(visible).arg(fieldCount));
    else
        setStatus(tr("IBM i requested input, but decoded screen is empty • RX %1").arg(m_rxRecordCount));
    return resume;
}

int Tn5250Client::processStructuredField(const QByteArray &data, int start, int end)
{
    using namespace DataStream;
    end = qMin(end, data.size());
    if (start < 0 || start + 4 >= end)
        return start;
    int p = start;
    for (;;) {
        // Each structured field: 16-bit length counting itself, class, type.
        const int length = DataStream::readU16(data, p);
        if (p + 1 >= data.size() || length <= 4 || p + length > end) {
            appendDiagnostic(QStringLiteral("Malformed Write Structured Field"));
            return end;
        }
        const quint8 sfClass = quint8(data.at(p + 2));
        const quint8 sfType = quint8(data.at(p + 3));
        if (sfClass == SF_CLASS_5250 && (sfType == SF_TYPE_QUERY || sfType == SF_TYPE_QUERY_STATION_STATE)) {
            appendDiagnostic(QStringLiteral("IBM i 5250 Query received (type 0x%1)").arg(DataStream::hexByte(sfType)));
            sendQueryReply();
        }
        p += length;
        if (p + 4 >= end)
            return p;
    }
}

void Tn5250Client::sendQueryReply()
{
    using namespace DataStream;
    // Deliberately modest: a 3179 model 2, or a 3477 when the wide screen is
    // offered, with no colour, graphics or extended features to promise.
    QByteArray reply(reinterpret_cast<const char *>(QUERY_REPLY), QUERY_REPLY_SIZE);
    const char *deviceType = m_support132 ? "3477" : "3179";
    const char *model = m_support132 ? "00" : "02";
    patchEbcdic(reply, QUERY_OFFSET_DEVICE_TYPE, deviceType);
    patchEbcdic(reply, QUERY_OFFSET_MODEL, model);
    reply[QUERY_OFFSET_SCREEN_SIZES] = char(m_support132 ? QUERY_SCREEN_SIZES_WIDE : QUERY_SCREEN_SIZES_NARROW);
    appendDiagnostic(QStringLiteral("TX conservative 5250 Query Reply: %1-%2")
                         .arg(QLatin1String(deviceType), QLatin1String(model)));
    sendRecord(OP_NO_OPERATION, reply, 0);
}

void Tn5250Client::sendSaveScreenReply()
{
    using namespace DataStream;
    if (m_savedScreens.size() >= MAX_SAVED_SCREENS)
        m_savedScreens.remove(0);
    m_savedScreens.append(m_screen);
    QByteArray token;
    token.append(char(ESC));
    token.append(char(CMD_RESTORE_SCREEN));
    token.append(SAVE_TOKEN_TAG, SAVE_TOKEN_TAG_SIZE);
    token.append(char(m_savedScreens.size()));
    sendRecord(OP_SAVE_SCREEN, token, 0);
}

void Tn5250Client::sendReadScreenReply()
{
    sendRecord(DataStream::OP_NO_OPERATION, m_screen.data, 0);
}

void Tn5250Client::restoreSavedScreen(const QByteArray &bytes)
{
    using namespace DataStream;
    // The host may hand the whole token back, ESC and command code included.
    int tokenStart = 0;
    if (bytes.size() >= 2 && quint8(bytes.at(0)) == ESC && quint8(bytes.at(1)) == CMD_RESTORE_SCREEN)
        tokenStart = 2;
    const int numberIndex = tokenStart + SAVE_TOKEN_TAG_SIZE;
    if (numberIndex >= bytes.size())
        return;
    if (bytes.mid(tokenStart, SAVE_TOKEN_TAG_SIZE) != QByteArray(SAVE_TOKEN_TAG, SAVE_TOKEN_TAG_SIZE))
        return;
    const int number = quint8(bytes.at(numberIndex));
    if (number == 0 || number > m_savedScreens.size())
        return;
    m_screen = m_savedScreens.at(number - 1);
    appendDiagnostic(QStringLiteral("Restored saved presentation space"));
}
