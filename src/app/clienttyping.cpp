// Text and keys the operator produces while the host holds the keyboard
// locked. With the type-ahead preference off they are refused with a status
// line; with it on they wait in a first-in, first-out queue that drainTypeAhead
// replays once a host record leaves the keyboard unlocked (the client's step
// after every command-carrying record calls it). The two text entry paths of
// the interface, typed text and the clipboard, start here too.
//
// Macros are played here too: a stored sequence goes into the session as if
// the operator typed it. Literal text takes the typing path above (field
// rules, type-ahead), and every key name in braces performs the same
// operation as the key of the interface. Nothing waits for the host between
// steps; once the first AID key has locked the keyboard, the rest is queued
// or refused by the type-ahead rules. The named macros of a profile are kept
// by src/app/clientprofiles.cpp.
#include "app/tn5250client.h"

#include <QAbstractSocket>
#include <QClipboard>
#include <QGuiApplication>
#include <QVariantMap>

#include "protocol/aidcodes.h"

void Tn5250Client::queueTypeAheadText(const QString &text)
{
    switch (m_typeAheadQueue.addText(text)) {
    case TypeAheadQueue::Queued:
        setStatus(tr("Queued input while IBM i is busy"));
        break;
    case TypeAheadQueue::Full:
        setStatus(tr("Type-ahead buffer is full"));
        emit terminalBell();
        break;
    case TypeAheadQueue::Ignored:
        break;
    }
}

void Tn5250Client::queueTypeAheadAid(quint8 aid, int function, bool noData)
{
    if (m_typeAheadQueue.addKey(aid, function, noData) == TypeAheadQueue::Full) {
        setStatus(tr("Type-ahead buffer is full"));
        emit terminalBell();
        return;
    }
    setStatus(tr("Queued key while IBM i is busy"));
}

void Tn5250Client::drainTypeAhead()
{
    if (!typeAhead() || m_typeAheadDraining || m_screen.keyboardLocked || m_typeAheadQueue.isEmpty())
        return;

    // Replaying can lead back into sendAid, sendEnter and inputText; the flag
    // makes them refuse a locked keyboard instead of queuing the entry again.
    m_typeAheadDraining = true;
    // One host exchange per AID key: a replayed key locks the keyboard and
    // what follows it waits for the next unlocking record.
    while (!m_typeAheadQueue.isEmpty() && !m_screen.keyboardLocked) {
        const TypeAheadQueue::Entry entry = m_typeAheadQueue.takeFirst();
        if (entry.kind == TypeAheadQueue::Entry::Text) {
            inputText(entry.text);
        } else if (entry.aid == AidCode::Enter) {
            // Checked like a typed Enter; refused, what was typed after it
            // assumed a screen that never went to the host, so it goes too.
            if (!sendCheckedEnter()) {
                m_typeAheadQueue.clear();
                break;
            }
        } else {
            sendAid(entry.aid, entry.function, entry.noData);
        }
    }
    m_typeAheadDraining = false;
}

bool Tn5250Client::inputText(const QString &text)
{
    // Typing after an input error resets it first, as Reset would.
    if (m_screen.inputError && !text.isEmpty())
        reset();
    if (m_screen.keyboardLocked) {
        if (typeAhead() && m_connected && !m_typeAheadDraining) {
            // Taken only when the queue accepted it: a text refused as too
            // long is reported as not taken, so the caller can keep it.
            const int before = m_typeAheadQueue.size();
            queueTypeAheadText(text);
            return m_typeAheadQueue.size() > before;
        }
        setStatus(tr("Keyboard is locked by IBM i"));
        return false;
    }
    if (text.isEmpty())
        return false;

    bool typedAny = false;
    for (int i = 0; i < text.size(); ++i) {
        QString error;
        bool autoEnter = false;
        if (!m_screen.typeCharacter(text.at(i), &error, &autoEnter)) {
            // What was typed before the rejected character stays on the
            // screen; the rest of the text is dropped.
            if (!error.isEmpty())
                setStatus(error);
            emit terminalBell();
            if (typedAny)
                emit screenChanged();
            return typedAny;
        }
        typedAny = true;
        if (autoEnter) {
            // The field is full and sends itself: the rest of the text would
            // land on the host's next screen, so it is dropped.
            emit screenChanged();
            if (m_connected && m_socket)
                sendEnter();
            return true;
        }
    }
    emit screenChanged();
    return true;
}

void Tn5250Client::pasteClipboard()
{
    if (m_screen.keyboardLocked && !typeAhead()) {
        setStatus(tr("Keyboard is locked by IBM i"));
        return;
    }
    // Without a GUI application there is no clipboard to ask.
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return;
    const QClipboard *clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return;

    // Only the first line is pasted: a line break would otherwise be typed
    // into the field, and pasting several lines would mean guessing at fields.
    QString text = clipboard->text();
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const int lineEnd = text.indexOf(QLatin1Char('\n'));
    if (lineEnd >= 0)
        text.truncate(lineEnd);

    if (text.isEmpty()) {
        setStatus(tr("Clipboard contains no text to paste"));
        return;
    }
    inputText(text);
}

// --- Macros ----------------------------------------------------------------------

namespace {

typedef void (Tn5250Client::*KeyOperation)();

struct MacroKey
{
    const char *token;
    KeyOperation operation;
};

// Key tokens, upper case, compared in this order. Tokens that begin with F
// and name Field Exit / Field Minus come before the function-key rule below.
const MacroKey MACRO_KEYS[] = {
    {"ENTER", &Tn5250Client::sendEnter},
    {"TAB", &Tn5250Client::tab},
    {"BACKTAB", &Tn5250Client::backtab},
    {"HOME", &Tn5250Client::home},
    {"END", &Tn5250Client::endOfField},
    {"CLEAR", &Tn5250Client::sendClear},
    {"HELP", &Tn5250Client::sendHelp},
    {"PGUP", &Tn5250Client::sendPageUp},
    {"PGDN", &Tn5250Client::sendPageDown},
    {"FIELD", &Tn5250Client::fieldExit},
    {"FIELDEX", &Tn5250Client::fieldExit},
    {"FIELD+", &Tn5250Client::fieldExit},
    {"FIELD-", &Tn5250Client::fieldMinus},
    {"EOF", &Tn5250Client::eraseToEndOfField},
    {"ERASEINPUT", &Tn5250Client::eraseInput},
    {"NEWLINE", &Tn5250Client::newLine},
    {"NL", &Tn5250Client::newLine},
    {"BACKSPACE", &Tn5250Client::backspace},
    {"BS", &Tn5250Client::backspace},
    {"DELETE", &Tn5250Client::deleteCharacter},
    {"DEL", &Tn5250Client::deleteCharacter},
    {"PRINT", &Tn5250Client::sendPrint},
    {"SYSREQ", &Tn5250Client::sendSystemRequest},
    {"TESTREQ", &Tn5250Client::sendTestRequest},
    {"ATTN", &Tn5250Client::sendAttention},
};

// Program attention keys: token and PA number.
const struct
{
    const char *token;
    int number;
} PA_KEYS[] = {
    {"PA1", 1},
    {"PA2", 2},
    {"PA3", 3},
};

const int FUNCTION_KEY_MAX = 24;

// "F" followed by decimal digits naming 1..24; anything else is no key.
int functionKeyNumber(const QString &token)
{
    if (token.size() < 2 || token.at(0) != QLatin1Char('F'))
        return 0;
    int number = 0;
    for (int i = 1; i < token.size(); ++i) {
        const ushort u = token.at(i).unicode();
        if (u < '0' || u > '9')
            return 0;
        number = number * 10 + (u - '0');
        if (number > FUNCTION_KEY_MAX)
            return 0; // also keeps a long run of digits from overflowing
    }
    return number >= 1 && number <= FUNCTION_KEY_MAX ? number : 0;
}

// Performs one trimmed, upper-cased token; unknown tokens do nothing.
void performToken(Tn5250Client &client, const QString &token)
{
    for (const MacroKey &key : MACRO_KEYS) {
        if (token == QLatin1String(key.token)) {
            (client.*key.operation)();
            return;
        }
    }
    for (const auto &pa : PA_KEYS) {
        if (token == QLatin1String(pa.token)) {
            client.sendPaKey(pa.number);
            return;
        }
    }
    const int function = functionKeyNumber(token);
    if (function != 0)
        client.sendFunctionKey(function);
}

} // namespace

void Tn5250Client::runMacro(const QString &macro)
{
    if (!m_connected) {
        setStatus(tr("Connect before running a macro"));
        return;
    }

    QString pending;
    int position = 0;
    while (position < macro.size()) {
        const QChar c = macro.at(position);
        if (c != QLatin1Char('{')) {
            pending.append(c);
            ++position;
            continue;
        }
        const int close = macro.indexOf(QLatin1Char('}'), position + 1);
        if (close < 0) {
            // No closing brace anywhere after it: the brace is ordinary text.
            pending.append(macro.mid(position));
            break;
        }
        if (!pending.isEmpty()) {
            inputText(pending);
            pending.clear();
        }
        performToken(*this, macro.mid(position + 1, close - position - 1).trimmed().toUpper());
        position = close + 1;
    }
    if (!pending.isEmpty())
        inputText(pending);
}

bool Tn5250Client::runMacroAt(int index)
{
    const QVariantList list = macros();
    if (index < 0 || index >= list.size())
        return false;
    if (!m_connected) {
        setStatus(tr("Connect before running a macro"));
        return false;
    }
    runMacro(list.at(index).toMap().value(QStringLiteral("sequence")).toString());
    return true;
}
