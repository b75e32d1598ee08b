// Operator keys from every source of the terminal page reach the client
// here. Hardware keys arrive as key events, a phone's on-screen keyboard as
// input-method events (committed text is typed, composed text is only shown),
// the key bars and the hot-spots through trigger(), taps through tapCell().
#include "view/terminalinput.h"

#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QRectF>
#include <QStyleHints>

#include "app/tn5250client.h"

namespace {

typedef void (Tn5250Client::*ClientKey)();

// The key names of the bars and what each one does. The names are the
// interface's own (qml/components/keys.js lists the bars); F1-F24 and
// PA1-PA3 are parsed separately.
struct NamedKey
{
    const char *name;
    ClientKey key;
};

const NamedKey NAMED_KEYS[] = {
    { "enter", &Tn5250Client::sendEnter },
    { "tab", &Tn5250Client::tab },
    { "backtab", &Tn5250Client::backtab },
    { "fieldExit", &Tn5250Client::fieldExit },
    { "fieldPlus", &Tn5250Client::fieldPlus },
    { "fieldMinus", &Tn5250Client::fieldMinus },
    { "eraseEof", &Tn5250Client::eraseToEndOfField },
    { "eraseInput", &Tn5250Client::eraseInput },
    { "insert", &Tn5250Client::toggleInsertMode },
    { "home", &Tn5250Client::home },
    { "endOfField", &Tn5250Client::endOfField },
    { "left", &Tn5250Client::moveCursorLeft },
    { "right", &Tn5250Client::moveCursorRight },
    { "up", &Tn5250Client::moveCursorUp },
    { "down", &Tn5250Client::moveCursorDown },
    { "delete", &Tn5250Client::deleteCharacter },
    { "backspace", &Tn5250Client::backspace },
    { "newLine", &Tn5250Client::newLine },
    { "copy", &Tn5250Client::copyScreen },
    { "paste", &Tn5250Client::pasteClipboard },
    { "pageUp", &Tn5250Client::sendPageUp },
    { "pageDown", &Tn5250Client::sendPageDown },
    { "sysreq", &Tn5250Client::sendSystemRequest },
    { "attn", &Tn5250Client::sendAttention },
    { "print", &Tn5250Client::sendPrint },
    { "help", &Tn5250Client::sendHelp },
    { "clear", &Tn5250Client::sendClear },
    { "testRequest", &Tn5250Client::sendTestRequest },
    { "reset", &Tn5250Client::reset },
};

// Hardware keys without modifiers that mean a 5250 key.
struct KeyBinding
{
    int key;
    const char *action;
};

const KeyBinding KEY_BINDINGS[] = {
    { Qt::Key_Return, "enter" },
    { Qt::Key_Enter, "enter" },
    { Qt::Key_Tab, "tab" },
    { Qt::Key_Backtab, "backtab" },
    { Qt::Key_Backspace, "backspace" },
    { Qt::Key_Delete, "delete" },
    { Qt::Key_Insert, "insert" },
    { Qt::Key_Home, "home" },
    { Qt::Key_End, "endOfField" },
    { Qt::Key_Left, "left" },
    { Qt::Key_Right, "right" },
    { Qt::Key_Up, "up" },
    { Qt::Key_Down, "down" },
    { Qt::Key_PageUp, "pageUp" },
    { Qt::Key_PageDown, "pageDown" },
    { Qt::Key_Escape, "attn" },
    { Qt::Key_Pause, "clear" },
};

// "F5" gives 5, "PA2" with prefix "PA" gives 2; 0 when `action` is not the
// prefix followed by a number from 1 to `highest`.
int numberedKey(const QString &action, const QLatin1String &prefix, int highest)
{
    if (!action.startsWith(prefix) || action.size() == prefix.size())
        return 0;
    bool ok = false;
    const int number = action.mid(prefix.size()).toInt(&ok);
    if (!ok || number < 1 || number > highest || action.at(prefix.size()) == QLatin1Char('0'))
        return 0;
    return number;
}

ClientKey namedKey(const QString &action)
{
    for (const NamedKey &entry : NAMED_KEYS) {
        if (action == QLatin1String(entry.name))
            return entry.key;
    }
    return nullptr;
}

} // namespace

TerminalInput::TerminalInput(QQuickItem *parent)
    : QQuickItem(parent)
{
    setFlag(ItemAcceptsInputMethod, true);
    setActiveFocusOnTab(false);
}

void TerminalInput::setClient(Tn5250Client *client)
{
    if (client == m_client)
        return;
    if (m_client)
        m_client->disconnect(this);
    m_client = client;
    m_messageHidden = false;
    m_messageIsRefusal = false;
    if (client) {
        connect(client, &Tn5250Client::statusChanged, this, &TerminalInput::noteStatus);
        connect(client, &Tn5250Client::screenChanged, this, &TerminalInput::noteScreen);
        connect(client, &Tn5250Client::terminalBell, this, &TerminalInput::noteBell);
        connect(client, &Tn5250Client::connectionInfoChanged, this, &TerminalInput::noteConnectionInfo);
        connect(client, &Tn5250Client::requestKeyboard, this, &TerminalInput::openKeyboard);
        m_lastState = client->connectionState();
    }
    emit clientChanged();
    emit operatorMessageChanged();
}

QString TerminalInput::operatorMessage() const
{
    if (!m_client || m_messageHidden)
        return QString();
    return m_client->status();
}

bool TerminalInput::isKnownAction(const QString &action)
{
    return namedKey(action) || numberedKey(action, QLatin1String("F"), 24)
        || numberedKey(action, QLatin1String("PA"), 3);
}

bool TerminalInput::trigger(const QString &action)
{
    if (!isKnownAction(action)) {
        qWarning("TerminalInput: no key named \"%s\"", qPrintable(action));
        return false;
    }
    // A key between two taps ends the double tap.
    m_tapTime.invalidate();
    return dispatch(action);
}

bool TerminalInput::dispatch(const QString &action)
{
    if (!m_client)
        return false;
    if (const ClientKey key = namedKey(action)) {
        runKey(action, [this, key]() { (m_client.data()->*key)(); });
        return true;
    }
    if (const int function = numberedKey(action, QLatin1String("F"), 24)) {
        runKey(action, [this, function]() { m_client->sendFunctionKey(function); });
        return true;
    }
    if (const int pa = numberedKey(action, QLatin1String("PA"), 3)) {
        runKey(action, [this, pa]() { m_client->sendPaKey(pa); });
        return true;
    }
    return false;
}

// A key counts as refused when it rang the bell, set a status without
// changing the screen (a refusal or a queued key), or met a locked keyboard
// and changed nothing. A refusal's message shows until an accepted key
// follows; a status that an accepted key set stays like any other.
template <typename Key>
void TerminalInput::runKey(const QString &action, Key key)
{
    const int statusBefore = m_statusCount;
    const int screenBefore = m_screenCount;
    const int bellBefore = m_bellCount;
    const bool lockedBefore = m_client->keyboardLocked();
    const QString messageBefore = operatorMessage();

    m_inKey = true;
    key();
    m_inKey = false;
    if (!m_client)
        return;

    const bool statusSet = m_statusCount != statusBefore;
    const bool screenChanged = m_screenCount != screenBefore;
    const bool bell = m_bellCount != bellBefore;
    if (bell || (statusSet && !screenChanged) || (lockedBefore && !screenChanged)) {
        m_messageHidden = false;
        m_messageIsRefusal = true;
    } else if (statusSet) {
        m_messageHidden = false;
        m_messageIsRefusal = false;
    } else if (m_messageIsRefusal) {
        m_messageHidden = true;
        m_messageIsRefusal = false;
    }
    if (operatorMessage() != messageBefore)
        emit operatorMessageChanged();
    emit keyTriggered(action);
}

void TerminalInput::noteStatus()
{
    ++m_statusCount;
    if (m_inKey)
        return;
    // From the host or the connection: always shown.
    m_messageHidden = false;
    m_messageIsRefusal = false;
    emit operatorMessageChanged();
}

void TerminalInput::noteScreen()
{
    ++m_screenCount;
    // Input hints follow the field under the cursor.
    updateInputMethod();
}

void TerminalInput::noteBell()
{
    ++m_bellCount;
    emit bellRung();
}

void TerminalInput::noteConnectionInfo()
{
    const QString state = m_client ? m_client->connectionState() : QString();
    const bool nowReady = state == QLatin1String("Ready") && m_lastState != state;
    m_lastState = state;
    if (nowReady && m_client->showKeyboardOnConnect() && isVisible())
        openKeyboard();
}

void TerminalInput::tapCell(int row, int column)
{
    if (!m_client)
        return;
    const bool sameCell = row == m_tapRow && column == m_tapColumn;
    const bool doubleTap = sameCell && m_tapTime.isValid()
        && m_tapTime.elapsed() <= QGuiApplication::styleHints()->mouseDoubleClickInterval();
    if (doubleTap && m_client->doubleTapEnter()) {
        m_tapTime.invalidate();
        dispatch(QStringLiteral("enter"));
    } else {
        m_tapRow = row;
        m_tapColumn = column;
        m_tapTime.start();
        runKey(QStringLiteral("cursor"), [this, row, column]() { m_client->setCursorCell(row, column); });
    }
    openKeyboard();
}

void TerminalInput::openKeyboard()
{
    forceActiveFocus(Qt::MouseFocusReason);
    QGuiApplication::inputMethod()->show();
}

void TerminalInput::typeText(const QString &text)
{
    // A line break the input method commits is the Enter key, a tab the Tab
    // key; the text between them is typed.
    QString run;
    for (const QChar character : text) {
        const bool lineBreak = character == QLatin1Char('\n') || character == QLatin1Char('\r');
        if (!lineBreak && character != QLatin1Char('\t')) {
            run.append(character);
            continue;
        }
        if (!run.isEmpty()) {
            const QString typed = run;
            runKey(QStringLiteral("text"), [this, typed]() { m_client->inputText(typed); });
            run.clear();
        }
        if (!m_client)
            return;
        dispatch(lineBreak ? QStringLiteral("enter") : QStringLiteral("tab"));
    }
    if (!run.isEmpty() && m_client)
        runKey(QStringLiteral("text"), [this, run]() { m_client->inputText(run); });
}

bool TerminalInput::handleKey(QKeyEvent *event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const bool shift = modifiers & Qt::ShiftModifier;
    const int key = event->key();

    if (key >= Qt::Key_F1 && key <= Qt::Key_F12)
        return dispatch(QStringLiteral("F%1").arg(key - Qt::Key_F1 + 1 + (shift ? 12 : 0)));
    if (key >= Qt::Key_F13 && key <= Qt::Key_F24)
        return dispatch(QStringLiteral("F%1").arg(key - Qt::Key_F13 + 13));
    if (modifiers & Qt::ControlModifier) {
        if (key == Qt::Key_C)
            return dispatch(QStringLiteral("copy"));
        if (key == Qt::Key_V)
            return dispatch(QStringLiteral("paste"));
        // Ctrl+R is the 5250 Reset key (Escape already is Attention).
        if (key == Qt::Key_R)
            return dispatch(QStringLiteral("reset"));
        return false;
    }
    // Shift+End erases to the end of the field, as on a 5250 keyboard's
    // Erase EOF.
    if (key == Qt::Key_End && shift)
        return dispatch(QStringLiteral("eraseEof"));
    for (const KeyBinding &binding : KEY_BINDINGS) {
        if (binding.key == key)
            return dispatch(QLatin1String(binding.action));
    }
    const QString text = event->text();
    if (!text.isEmpty() && text.at(0).unicode() >= 0x20 && text.at(0).unicode() != 0x7F) {
        typeText(text);
        return true;
    }
    return false;
}

void TerminalInput::keyPressEvent(QKeyEvent *event)
{
    m_tapTime.invalidate();
    if (m_client && handleKey(event))
        event->accept();
    else
        event->ignore();
}

void TerminalInput::inputMethodEvent(QInputMethodEvent *event)
{
    event->accept();
    if (!m_client)
        return;
    m_tapTime.invalidate();
    // Some keyboards delete by replacing text before the cursor; there is
    // no surrounding text to replace, so each replaced character is the
    // Backspace key.
    if (event->replacementStart() < 0 && event->replacementLength() > 0
        && event->commitString().isEmpty()) {
        for (int i = 0; i < event->replacementLength() && m_client; ++i)
            dispatch(QStringLiteral("backspace"));
    }
    if (!event->commitString().isEmpty())
        typeText(event->commitString());
    setPreedit(event->preeditString());
}

void TerminalInput::focusOutEvent(QFocusEvent *event)
{
    // Whatever the input method was still composing is not typed.
    setPreedit(QString());
    QQuickItem::focusOutEvent(event);
}

void TerminalInput::setPreedit(const QString &text)
{
    if (text == m_preedit)
        return;
    m_preedit = text;
    emit preeditTextChanged();
}

void TerminalInput::updateInputMethod()
{
    if (hasActiveFocus())
        QGuiApplication::inputMethod()->update(Qt::ImHints | Qt::ImCursorRectangle);
}

QVariant TerminalInput::inputMethodQuery(Qt::InputMethodQuery query) const
{
    const TerminalScreen *screen = m_client ? &m_client->terminalScreen() : nullptr;
    switch (query) {
    case Qt::ImEnabled:
        return true;
    case Qt::ImHints: {
        // Host fields want what was typed, not what a dictionary guesses; a
        // password field must stay out of the keyboard's learning.
        int hints = Qt::ImhNoPredictiveText | Qt::ImhNoAutoUppercase;
        if (screen) {
            const int field = screen->fieldIndexAt(screen->cursor);
            if (screen->isNondisplayAt(screen->cursor))
                hints |= Qt::ImhHiddenText | Qt::ImhSensitiveData;
            if (field >= 0 && screen->fields.at(field).numericOnly())
                hints |= Qt::ImhPreferNumbers;
            else if (field >= 0 && screen->fields.at(field).monocase())
                hints |= Qt::ImhPreferUppercase;
        }
        return hints;
    }
    case Qt::ImCursorRectangle: {
        if (!screen || screen->rows <= 0 || screen->columns <= 0)
            return QRectF();
        const qreal cellWidth = width() / screen->columns;
        const qreal cellHeight = height() / screen->rows;
        return QRectF(screen->cursorColumn() * cellWidth, screen->cursorRow() * cellHeight,
                      cellWidth, cellHeight);
    }
    case Qt::ImSurroundingText:
    case Qt::ImCurrentSelection:
    case Qt::ImTextBeforeCursor:
    case Qt::ImTextAfterCursor:
        return QString();
    case Qt::ImCursorPosition:
    case Qt::ImAnchorPosition:
        return 0;
    case Qt::ImEnterKeyType:
        return Qt::EnterKeySend;
    default:
        return QQuickItem::inputMethodQuery(query);
    }
}
