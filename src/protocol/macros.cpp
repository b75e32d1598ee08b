// Macro execution: a stored sequence is played into the session as if the
// operator typed it. Literal text takes the normal typing path (field rules,
// type-ahead), and every key name in braces performs the same operation as
// the key of the interface. Nothing waits for the host between steps; once
// the first AID key has locked the keyboard, the rest is queued or refused
// by the type-ahead rules.
//
// Storage of the named macros of a profile is src/settings/macrostorage.cpp.
#include "app/tn5250client.h"

#include <QVariantMap>

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
