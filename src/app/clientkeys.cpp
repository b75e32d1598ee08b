// The operator's keys. An AID key turns the presentation space into a read
// response (AidResponse: cursor address, AID code and, where the key carries
// data, the selected input fields), which goes to the host as one Put/Get
// record; the keyboard then stays locked until the host's next Write To
// Display or read command unlocks it. System Request, Attention and Test
// Request carry no read response: they are empty records marked by a bit of
// the flags byte in the TN5250 record header.
//
// The editing keys never reach the host: each is handed to the presentation
// space (screen/fieldediting.cpp holds the 5250 field rules), and the client
// only adds what the interface needs around it: the keyboard-lock test for
// the keys that move between fields, the status line and bell for refusals,
// the change signal, and the automatic Enter of an auto-enter field left
// with Field Exit.
//
// Reset is the 5250 Error Reset key: it leaves the input error that the
// host's Write Error Code set (the error line gets its content back and the
// keyboard opens) and ends insert mode.
//
// Field data is never written to the protocol log, so a password typed into
// a nondisplay field only ever leaves inside the record sent to the host.
#include "app/tn5250client.h"

#include <QAbstractSocket>

#include "protocol/aidcodes.h"
#include "protocol/aidresponse.h"

void Tn5250Client::sendAid(quint8 aid, int function, bool noData)
{
    if (!m_connected || !m_socket)
        return;
    if (refusedForInputError())
        return;

    if (m_screen.keyboardLocked) {
        // While replaying the queue, a key that meets a locked keyboard is
        // dropped rather than queued again behind itself.
        if (typeAhead() && !m_typeAheadDraining) {
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
    if (!sendRecord(KeyOpcode::PutGet, AidResponse::build(m_screen, aid, includeFields, mode), RecordFlag::None))
        return;

    m_screen.keyboardLocked = true;
    m_pendingReadMode = 0;
    setStatus(tr("Connected — waiting for IBM i"));
    emit screenChanged();
}

void Tn5250Client::sendEnter()
{
    if (m_connected && refusedForInputError())
        return;
    // Queued before any validation: the fields may still change before the
    // key is replayed, and the replay checks them then.
    if (m_screen.keyboardLocked && typeAhead() && m_connected && !m_typeAheadDraining) {
        queueTypeAheadAid(AidCode::Enter, 0, false);
        return;
    }
    sendCheckedEnter();
}

// Enter after the mandatory-entry and mandatory-fill checks, typed or
// replayed from the type-ahead queue alike; false when they refused it.
bool Tn5250Client::sendCheckedEnter()
{
    QString error;
    if (m_screen.validateForEnter(&error)) {
        sendAid(AidCode::Enter, 0, false);
        return true;
    }
    if (!error.isEmpty())
        setStatus(error);
    emit terminalBell();
    emit screenChanged();
    return false;
}

// While the host's Write Error Code holds the keyboard, AID keys wait for
// the operator's Reset instead of joining the type-ahead queue.
bool Tn5250Client::refusedForInputError()
{
    if (!m_screen.inputError)
        return false;
    setStatus(tr("Input error — press Reset"));
    emit terminalBell();
    return true;
}

void Tn5250Client::reset()
{
    const bool wasError = m_screen.resetInputError();
    const bool wasInsert = m_screen.insertMode;
    m_screen.insertMode = false;
    if (wasError)
        setStatus(QString());
    if (wasError || wasInsert)
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

// The roll keys return the modified fields like Enter: an IBM i list takes
// the options typed on a page before it turns to the next.
void Tn5250Client::sendPageUp()
{
    sendAid(AidCode::RollDown, 0, false);
}

void Tn5250Client::sendPageDown()
{
    sendAid(AidCode::RollUp, 0, false);
}

void Tn5250Client::sendPrint()
{
    sendAid(AidCode::Print, 0, true);
}

void Tn5250Client::sendSystemRequest()
{
    if (!m_connected || !m_socket)
        return;
    if (!sendRecord(KeyOpcode::NoOperation, QByteArray(), RecordFlag::SystemRequest))
        return;
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

// --- Editing keys ---------------------------------------------------------------

void Tn5250Client::tab()
{
    if (m_screen.keyboardLocked)
        return;
    m_screen.tab(false);
    emit screenChanged();
}

void Tn5250Client::backtab()
{
    if (m_screen.keyboardLocked)
        return;
    m_screen.tab(true);
    emit screenChanged();
}

void Tn5250Client::home()
{
    if (m_screen.keyboardLocked)
        return;
    m_screen.moveCursorHome();
    emit screenChanged();
}

void Tn5250Client::newLine()
{
    if (m_screen.keyboardLocked)
        return;
    m_screen.newLine();
    emit screenChanged();
}

void Tn5250Client::eraseInput()
{
    if (m_screen.keyboardLocked)
        return;
    m_screen.eraseInput();
    emit screenChanged();
}

void Tn5250Client::toggleInsertMode()
{
    if (m_screen.keyboardLocked)
        return;
    m_screen.insertMode = !m_screen.insertMode;
    // The indicator text is a fixed label of the status line, kept the same
    // in every language.
    setStatus(m_screen.insertMode ? QStringLiteral("Insert mode on") : QStringLiteral("Insert mode off"));
    emit screenChanged();
}

void Tn5250Client::backspace()
{
    if (m_screen.backspace())
        emit screenChanged();
}

void Tn5250Client::deleteCharacter()
{
    if (m_screen.deleteCharacter())
        emit screenChanged();
}

void Tn5250Client::endOfField()
{
    if (m_screen.moveToEndOfField())
        emit screenChanged();
}

void Tn5250Client::eraseToEndOfField()
{
    QString error;
    if (!m_screen.eraseToEndOfField(&error) && !error.isEmpty()) {
        setStatus(error);
        emit terminalBell();
    }
    emit screenChanged();
}

// Field Exit, Field+ and Field- differ only in the sign they leave in a
// signed-numeric field.
void Tn5250Client::applyFieldExit(bool minus)
{
    QString error;
    bool autoEnter = false;
    if (!m_screen.fieldExit(minus, &error, &autoEnter) && !error.isEmpty()) {
        setStatus(error);
        emit terminalBell();
    }
    emit screenChanged();
    if (autoEnter && m_connected && m_socket)
        sendEnter();
}

void Tn5250Client::fieldExit()
{
    applyFieldExit(false);
}

void Tn5250Client::fieldPlus()
{
    applyFieldExit(false);
}

void Tn5250Client::fieldMinus()
{
    applyFieldExit(true);
}

void Tn5250Client::moveCursorLeft()
{
    m_screen.moveCursorRelative(0, -1);
    emit screenChanged();
}

void Tn5250Client::moveCursorRight()
{
    m_screen.moveCursorRelative(0, 1);
    emit screenChanged();
}

void Tn5250Client::moveCursorUp()
{
    m_screen.moveCursorRelative(-1, 0);
    emit screenChanged();
}

void Tn5250Client::moveCursorDown()
{
    m_screen.moveCursorRelative(1, 0);
    emit screenChanged();
}

void Tn5250Client::setCursorCell(int rowOneBased, int colOneBased)
{
    if (rowOneBased < 1 || rowOneBased > m_screen.rows || colOneBased < 1 || colOneBased > m_screen.columns)
        return;
    m_screen.setCursorIndex((rowOneBased - 1) * m_screen.columns + colOneBased - 1);
    emit screenChanged();
}
