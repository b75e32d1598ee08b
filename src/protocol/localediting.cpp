// The editing keys of the interface. Nothing here reaches the host: each key
// is handed to the presentation space (screen/fieldediting.cpp holds the 5250
// field rules), and the client only adds what the interface needs around it:
// the keyboard-lock test for the keys that move between fields, the status
// line and bell for refusals, the change signal, and the automatic Enter of
// an auto-enter field left with Field Exit.
#include "app/tn5250client.h"

#include <QAbstractSocket>

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
