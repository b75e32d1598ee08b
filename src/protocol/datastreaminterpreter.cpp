#include "protocol/datastreaminterpreter.h"

#include <QStringList>

#include "codec/ebcdiccodec.h"
#include "protocol/aidcodes.h"
#include "protocol/aidresponse.h"
#include "protocol/datastream.h"
#include "protocol/savedscreens.h"
#include "screen/terminalscreen.h"

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

int DataStreamInterpreter::Effects::count(Step::Kind kind) const
{
    int n = 0;
    for (const Step &step : steps) {
        if (step.kind == kind)
            ++n;
    }
    return n;
}

DataStreamInterpreter::DataStreamInterpreter(TerminalScreen &screen, SavedScreens &savedScreens,
                                             bool wideScreenOffered)
    : m_screen(screen)
    , m_savedScreens(savedScreens)
    , m_wideScreenOffered(wideScreenOffered)
{
}

DataStreamInterpreter::Effects DataStreamInterpreter::run(quint8 opcode, const QByteArray &data)
{
    using namespace DataStream;
    m_effects = Effects();
    m_logLines = 0;
    m_answers = 0;
    m_countedCells = -1;
    switch (opcode) {
    case OP_INVITE:
    case OP_PUT_GET:
        // The host is ready for input: the keyboard opens before the commands
        // run, so a lock in their control characters still wins.
        m_screen.keyboardLocked = false;
        scanCommands(data);
        break;
    case OP_NO_OPERATION:
    case OP_OUTPUT_ONLY:
    case OP_SAVE_SCREEN:
    case OP_RESTORE_SCREEN:
    case OP_READ_IMMEDIATE:
    case OP_READ_SCREEN:
        scanCommands(data);
        break;
    case OP_CANCEL_INVITE:
        // The host takes back its invitation; it waits for this echo before
        // it writes again (RFC 2877).
        m_screen.keyboardLocked = true;
        m_effects.readMode = 0;
        answer(OP_CANCEL_INVITE, QByteArray());
        m_effects.screenChanged = true;
        break;
    case OP_MESSAGE_LIGHT_ON:
        m_screen.messageWaiting = true;
        m_effects.screenChanged = true;
        break;
    case OP_MESSAGE_LIGHT_OFF:
        m_screen.messageWaiting = false;
        m_effects.screenChanged = true;
        break;
    default:
        log(QStringLiteral("Unsupported opcode 0x%1").arg(hexByte(opcode)));
        break;
    }
    return m_effects;
}

void DataStreamInterpreter::log(const QString &text)
{
    if (!mayLog())
        return;
    ++m_logLines;
    logSummary(text);
}

void DataStreamInterpreter::logSummary(const QString &text)
{
    Step step;
    step.kind = Step::Log;
    step.text = text;
    m_effects.steps.append(step);
}

bool DataStreamInterpreter::mayLog()
{
    if (m_logLines < MAX_LOG_LINES_PER_RECORD)
        return true;
    ++m_effects.skippedLogLines;
    return false;
}

bool DataStreamInterpreter::mayAnswer()
{
    if (m_answers < MAX_ANSWERS_PER_RECORD)
        return true;
    ++m_effects.skippedAnswers;
    return false;
}

void DataStreamInterpreter::answer(quint8 opcode, const QByteArray &data)
{
    ++m_answers;
    Step step;
    step.kind = Step::Answer;
    step.opcode = opcode;
    step.data = data;
    m_effects.steps.append(step);
}

void DataStreamInterpreter::scanCommands(const QByteArray &data)
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
        const int resume = processCommand(data, i);
        // Every command consumes at least its code byte.
        i = qBound(i + 1, resume, end);
    }
    if (commandCount > 0) {
        logSummary(QStringLiteral("5250 commands: %1%2")
                       .arg(codes.join(QLatin1Char(' ')), commandCount > codes.size() ? QStringLiteral(" …") : QString()));
    } else if (end > 0) {
        logSummary(QStringLiteral("Payload contained no 5250 ESC commands (%1 bytes)").arg(end));
    }
    m_effects.screenChanged = true;
    m_effects.commandsRun = true;
}

int DataStreamInterpreter::processCommand(const QByteArray &data, int index)
{
    using namespace DataStream;
    const int end = data.size();
    if (index < 0 || index >= end)
        return end;
    const quint8 code = quint8(data.at(index));
    const int next = index + 1;
    // A read right after Write To Display reports the count its log line
    // made; any other command may change cells.
    int countedCells = m_countedCells;
    m_countedCells = -1;

    int readMode = 0;
    switch (code) {
    case CMD_SAVE_SCREEN:
        // A screen whose token the host never gets could never be restored:
        // past the bound it is not saved either.
        if (mayAnswer())
            answer(OP_SAVE_SCREEN, m_savedScreens.save(m_screen));
        return next;
    case CMD_WRITE_TO_DISPLAY:
        return processWriteToDisplay(data, next);
    case CMD_RESTORE_SCREEN: {
        quint32 serial = 0;
        switch (m_savedScreens.restore(data.mid(next), m_screen, &serial)) {
        case SavedScreens::Restored:
            log(QStringLiteral("Restored saved presentation space"));
            break;
        case SavedScreens::UnknownToken:
            log(QStringLiteral("Restore Screen names no saved screen (token %1); the screen stays").arg(serial));
            break;
        case SavedScreens::NotAToken:
            log(QStringLiteral("Restore Screen without a token of this terminal; the screen stays"));
            break;
        }
        return end;
    }
    case CMD_CLEAR_UNIT_ALTERNATE: {
        int resume = next;
        if (next < end) {
            // 0x00 and 0x80 are the parameter values the reference defines.
            const quint8 parameter = quint8(data.at(next));
            if (parameter & 0x7F)
                log(QStringLiteral("Unexpected Clear Unit Alternate parameter 0x%1").arg(hexByte(parameter)));
            resume = next + 1;
        }
        m_screen.resize(27, 132);
        m_screen.clear(true);
        return resume;
    }
    case CMD_WRITE_ERROR_CODE: {
        // The message goes on the error line, not where the last write
        // ended (which may be inside an input field), and inhibits input
        // until the operator's Reset puts the line back. No control
        // characters.
        m_screen.beginInputError();
        const int resume = processWriteOrders(data, next, end);
        Step error;
        error.kind = Step::InputError;
        m_effects.steps.append(error);
        return resume;
    }
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
        if (mayAnswer())
            answer(OP_NO_OPERATION, m_screen.data);
        return next;
    case CMD_READ_IMMEDIATE:
    case CMD_READ_IMMEDIATE_ALTERNATE:
        // The host wants the fields now, not after the next key, so neither
        // the keyboard state nor a pending read changes.
        if (!mayAnswer())
            return next;
        answer(KeyOpcode::ReadImmediate,
               AidResponse::build(m_screen, AidCode::ReadImmediate, true,
                                  code == CMD_READ_IMMEDIATE ? AidResponse::ReadImmediate
                                                             : AidResponse::ReadImmediateAlternate));
        return next;
    case CMD_WRITE_STRUCTURED_FIELD:
        return processStructuredField(data, next, end);
    default:
        log(QStringLiteral("Unsupported 5250 command 0x%1").arg(hexByte(code)));
        return next;
    }

    // The read commands: Read Input Fields, Read MDT Fields (Alternate).
    int resume = next;
    quint8 cc2 = 0;
    const bool haveControlCharacters = next + 1 < end;
    if (haveControlCharacters) {
        cc2 = quint8(data.at(next + 1));
        // Actions 0x80 and up null fields.
        if ((quint8(data.at(next)) & CC1_MASK) >= 0x80)
            countedCells = -1;
        applyControlCharacters(quint8(data.at(next)), cc2);
        resume = next + 2;
    }
    m_effects.readMode = readMode;
    // A read invites input, whatever the first control character said; an
    // input error keeps it inhibited until the operator's Reset.
    m_screen.keyboardLocked = m_screen.inputError;
    if ((cc2 & (CC2_UNLOCK | CC2_CURSOR_STAYS)) == CC2_UNLOCK)
        m_screen.moveCursorHome();
    Step invited;
    invited.kind = Step::InputInvited;
    invited.visibleCells = countedCells >= 0 ? countedCells : m_screen.visibleCellCount();
    invited.fields = m_screen.fields.size();
    m_effects.steps.append(invited);
    return resume;
}

int DataStreamInterpreter::processStructuredField(const QByteArray &data, int start, int end)
{
    using namespace DataStream;
    end = qMin(end, data.size());
    if (start < 0 || start + 4 >= end)
        return start;
    int p = start;
    for (;;) {
        // Each structured field: 16-bit length counting itself, class, type.
        const int length = readU16(data, p);
        if (p + 1 >= data.size() || length <= 4 || p + length > end) {
            log(QStringLiteral("Malformed Write Structured Field"));
            return end;
        }
        const quint8 sfClass = quint8(data.at(p + 2));
        const quint8 sfType = quint8(data.at(p + 3));
        if (sfClass == SF_CLASS_5250 && (sfType == SF_TYPE_QUERY || sfType == SF_TYPE_QUERY_STATION_STATE)) {
            log(QStringLiteral("IBM i 5250 Query received (type 0x%1)").arg(hexByte(sfType)));
            if (mayAnswer())
                answerQuery();
        }
        p += length;
        if (p + 4 >= end)
            return p;
    }
}

void DataStreamInterpreter::answerQuery()
{
    using namespace DataStream;
    // Deliberately modest: a 3179 model 2, or a 3477 when the wide screen is
    // offered, with no colour, graphics or extended features to promise.
    QByteArray reply(reinterpret_cast<const char *>(QUERY_REPLY), QUERY_REPLY_SIZE);
    const char *deviceType = m_wideScreenOffered ? "3477" : "3179";
    const char *model = m_wideScreenOffered ? "00" : "02";
    patchEbcdic(reply, QUERY_OFFSET_DEVICE_TYPE, deviceType);
    patchEbcdic(reply, QUERY_OFFSET_MODEL, model);
    reply[QUERY_OFFSET_SCREEN_SIZES] = char(m_wideScreenOffered ? QUERY_SCREEN_SIZES_WIDE : QUERY_SCREEN_SIZES_NARROW);
    log(QStringLiteral("TX conservative 5250 Query Reply: %1-%2").arg(QLatin1String(deviceType), QLatin1String(model)));
    answer(OP_NO_OPERATION, reply);
}
