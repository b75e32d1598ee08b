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

    const AidResponse::ReadMode mode = m_pendingReadMode != 0 ? static_cast<AidResponse::ReadMode>(m_pendingReadMode)
                                                              : AidResponse::ReadMdtFields;
    sendRecord(KeyOpcode::PutGet, AidResponse::build(m_screen, aid, includeFields, mode), RecordFlag::None);

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
    sendAid(AidResponse::functionKeyAid(number), number, false);
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
