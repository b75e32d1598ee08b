// Operator attention keys leave the terminal here. An AID key turns the
// presentation space into a read response (cursor address, AID code and,
// where the key carries data, the selected input fields), which goes to the
// host as one Put/Get record; the keyboard then stays locked until the host's
// next Write To Display or read command unlocks it. The host's Read Immediate
// commands are answered the same way, at once, without locking anything.
//
// System Request, Attention and Test Request carry no read response: they are
// empty records marked by a bit of the flags byte in the TN5250 record header.
//
// The record is framed by sendRecord (records.cpp); field data is never
// written to the protocol log, so a password typed into a nondisplay field
// only ever leaves inside the record sent to the host.
#include "app/tn5250client.h"

#include <QAbstractSocket>

#include "protocol/aidcodes.h"

quint8 Tn5250Client::aidForFunction(int number)
{
    if (number < 1 || number > 24)
        return 0;
    return AidCode::FUNCTION_KEYS[number - 1];
}

// The data of one field as the host expects it back (5250 inbound data of the
// Read Input Fields / Read MDT Fields family): trailing nulls are not sent,
// inner nulls become blanks unless the host asked for an "alternate" read,
// and a signed-numeric field carries its sign in the zone of its last digit
// instead of a separate sign position.
QByteArray Tn5250Client::normalizedFieldData(const TerminalScreen::Field &field, bool alternate) const
{
    QByteArray bytes = m_screen.fieldBytes(field);
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

QByteArray Tn5250Client::buildReadResponse(quint8 aid, bool includeFields, ReadMode mode) const
{
    QByteArray response;
    response.append(static_cast<char>(m_screen.cursorRow() + 1));
    response.append(static_cast<char>(m_screen.cursorColumn() + 1));
    response.append(static_cast<char>(aid));
    if (!includeFields || m_screen.columns <= 0)
        return response;

    // Read Input Fields and Read Immediate return every input field; the MDT
    // reads only those the operator (or the host's FFW) marked modified. The
    // two alternate reads keep inner nulls as nulls.
    const bool everyInputField = mode == ReadInputFields || mode == ReadImmediate;
    const bool alternate = mode == ReadMdtFieldsAlternate || mode == ReadImmediateAlternate;

    for (const TerminalScreen::Field &field : m_screen.fields) {
        if (field.bypass())
            continue;
        if (!everyInputField && !field.modified)
            continue;
        response.append(static_cast<char>(ReadResponseByte::SetBufferAddress));
        response.append(static_cast<char>(field.start / m_screen.columns + 1));
        response.append(static_cast<char>(field.start % m_screen.columns + 1));
        response.append(normalizedFieldData(field, alternate));
    }
    return response;
}

void Tn5250Client::sendAid(quint8 aid, int function, bool noData)
{
    if (!m_connected || !m_socket)
        return;

    if (m_screen.keyboardLocked) {
        // While replaying the queue, a key that meets a locked keyboard is
        // dropped rather than queued again behind itself.
        if (m_typeAhead && !m_typeAheadDraining) {
            queueTypeAheadAid(aid, function, noData);
            return;
        }
        setStatus(tr("Keyboard is locked by IBM i"));
        return;
    }

    bool includeFields = !noData;
    // The host's Start of Header may have declared some command keys as
    // returning the AID alone.
    if (includeFields && function >= 1 && function <= 24)
        includeFields = m_screen.functionSendsData(function);

    const ReadMode mode = m_pendingReadMode != 0 ? static_cast<ReadMode>(m_pendingReadMode) : ReadMdtFields;
    sendRecord(KeyOpcode::PutGet, buildReadResponse(aid, includeFields, mode), RecordFlag::None);

    m_screen.keyboardLocked = true;
    m_pendingReadMode = 0;
    setStatus(tr("Connected — waiting for IBM i"));
    emit screenChanged();
}

void Tn5250Client::sendEnter()
{
    // Queued before any validation: the fields may still change before the
    // key is replayed, and the replay sends it through sendAid directly.
    if (m_screen.keyboardLocked && m_typeAhead && m_connected && !m_typeAheadDraining) {
        queueTypeAheadAid(AidCode::Enter, 0, false);
        return;
    }

    QString error;
    if (m_screen.validateForEnter(&error)) {
        sendAid(AidCode::Enter, 0, false);
        return;
    }
    if (!error.isEmpty())
        setStatus(error);
    emit terminalBell();
    emit screenChanged();
}

void Tn5250Client::sendFunctionKey(int number)
{
    if (number < 1 || number > 24)
        return;
    sendAid(aidForFunction(number), number, false);
}

void Tn5250Client::sendPaKey(int number)
{
    if (number < 1 || number > 3)
        return;
    sendAid(AidCode::PA_KEYS[number - 1], 0, true);
}

void Tn5250Client::sendClear()
{
    sendAid(AidCode::Clear, 0, true);
}

void Tn5250Client::sendHelp()
{
    sendAid(AidCode::Help, 0, true);
}

void Tn5250Client::sendPageUp()
{
    sendAid(AidCode::RollDown, 0, true);
}

void Tn5250Client::sendPageDown()
{
    sendAid(AidCode::RollUp, 0, true);
}

void Tn5250Client::sendPrint()
{
    sendAid(AidCode::Print, 0, true);
}

// Read Immediate (0x72) and Read Immediate Alternate (0x83): the host wants
// the fields now, not after the next key, so neither the keyboard state nor a
// pending read changes.
void Tn5250Client::sendImmediate(ReadMode mode)
{
    sendRecord(KeyOpcode::ReadImmediate, buildReadResponse(AidCode::ReadImmediate, true, mode),
               RecordFlag::None);
}

void Tn5250Client::sendSystemRequest()
{
    if (!m_connected || !m_socket)
        return;
    sendRecord(KeyOpcode::NoOperation, QByteArray(), RecordFlag::SystemRequest);
    // The host answers System Request with its own screen; until then the
    // operator's screen is not for typing.
    m_screen.keyboardLocked = true;
    emit screenChanged();
}

void Tn5250Client::sendAttention()
{
    if (!m_connected || !m_socket)
        return;
    sendRecord(KeyOpcode::NoOperation, QByteArray(), RecordFlag::Attention);
}

void Tn5250Client::sendTestRequest()
{
    if (!m_connected || !m_socket)
        return;
    sendRecord(KeyOpcode::NoOperation, QByteArray(), RecordFlag::TestRequest);
}
