// The NEW-ENVIRON answer (RFC 1572, with the IBM i user variables of RFC
// 4777). A host's SEND lists the variables it wants: VAR or USERVAR, each
// with a name or without one (then every variable of that kind), or nothing
// at all (then every variable). The terminal answers IS with what was asked:
// a variable it has with VALUE and the value, a named one it lacks with its
// name alone.
//
// The terminal's variables are all user variables: DEVNAME (the IBM i device
// name, when one is set) and the national-language triple KBDTYPE, CODEPAGE
// and CHARSET. IBM i takes the code page only when the three come together,
// so a request for any one of them is answered with all three.
#include "protocol/telnetoptions.h"

#include <QSet>

#include "protocol/telnetcodes.h"

namespace {

bool isItemCode(quint8 byte)
{
    return byte == Telnet::ENV_VAR || byte == Telnet::ENV_VALUE || byte == Telnet::ENV_USERVAR;
}

// Names and values may hold the item codes themselves only behind ESC.
void appendQuoted(QByteArray &out, const QByteArray &bytes)
{
    for (char c : bytes) {
        if (isItemCode(quint8(c)) || quint8(c) == Telnet::ENV_ESC)
            out.append(char(Telnet::ENV_ESC));
        out.append(c);
    }
}

QString describe(quint8 type, const QByteArray &name)
{
    QString text = type == Telnet::ENV_VAR ? QStringLiteral("VAR ") : QStringLiteral("USERVAR ");
    for (char c : name) {
        const quint8 byte = quint8(c);
        if (byte >= 0x20 && byte < 0x7F)
            text += QLatin1Char(c);
        else
            text += QStringLiteral("\\x%1").arg(byte, 2, 16, QLatin1Char('0'));
    }
    return text;
}

struct Requested
{
    quint8 type;
    QByteArray name; // empty: every variable of the type
};

// Builds the IS payload, each variable at most once, in the order asked.
class EnvironmentWriter
{
public:
    EnvironmentWriter(const QString &deviceName, int codePage, TelnetOptions::EnvironmentAnswer &answer)
        : m_deviceName(deviceName.toLatin1())
        , m_language(TelnetOptions::nationalLanguage(codePage))
        , m_codePage(QByteArray::number(m_language.codePage))
        , m_answer(answer)
    {
        m_answer.payload.append(char(Telnet::SUB_IS));
    }

    void add(const Requested &request)
    {
        if (request.type == Telnet::ENV_VAR) {
            // The terminal has no VARs: asked for all, it has none to give.
            if (!request.name.isEmpty())
                missing(request.type, request.name);
            return;
        }
        if (request.name.isEmpty()) {
            deviceName(false);
            nationalLanguage();
        } else if (request.name == Telnet::ENV_DEVNAME) {
            deviceName(true);
        } else if (request.name == Telnet::ENV_KBDTYPE || request.name == Telnet::ENV_CODEPAGE
                   || request.name == Telnet::ENV_CHARSET) {
            nationalLanguage();
        } else {
            missing(request.type, request.name);
        }
    }

private:
    void deviceName(bool named)
    {
        if (!m_deviceName.isEmpty()) {
            if (variable(Telnet::ENV_DEVNAME, m_deviceName))
                m_answer.deviceName = QString::fromLatin1(m_deviceName);
        } else if (named) {
            missing(Telnet::ENV_USERVAR, QByteArray(Telnet::ENV_DEVNAME));
        }
    }

    void nationalLanguage()
    {
        const bool keyboard = variable(Telnet::ENV_KBDTYPE, QByteArray(m_language.keyboardType));
        const bool page = variable(Telnet::ENV_CODEPAGE, m_codePage);
        const bool set = variable(Telnet::ENV_CHARSET, QByteArray(m_language.characterSet));
        if (keyboard || page || set)
            m_answer.codePageSent = true;
    }

    // False when it went out already.
    bool variable(const char *name, const QByteArray &value)
    {
        if (!first(Telnet::ENV_USERVAR, QByteArray(name)))
            return false;
        m_answer.payload.append(char(Telnet::ENV_USERVAR));
        appendQuoted(m_answer.payload, QByteArray(name));
        m_answer.payload.append(char(Telnet::ENV_VALUE));
        appendQuoted(m_answer.payload, value);
        return true;
    }

    void missing(quint8 type, const QByteArray &name)
    {
        if (!first(type, name))
            return;
        m_answer.payload.append(char(type));
        appendQuoted(m_answer.payload, name);
        m_answer.missing << describe(type, name);
    }

    bool first(quint8 type, const QByteArray &name)
    {
        const QByteArray key = QByteArray(1, char(type)) + name;
        if (m_sent.contains(key))
            return false;
        m_sent.insert(key);
        return true;
    }

    const QByteArray m_deviceName;
    const Telnet::NationalLanguage &m_language;
    const QByteArray m_codePage;
    TelnetOptions::EnvironmentAnswer &m_answer;
    QSet<QByteArray> m_sent;
};

} // namespace

const Telnet::NationalLanguage &TelnetOptions::nationalLanguage(int codePage)
{
    for (const Telnet::NationalLanguage &language : Telnet::NATIONAL_LANGUAGES) {
        if (language.codePage == codePage)
            return language;
    }
    return Telnet::NATIONAL_LANGUAGES[0];
}

TelnetOptions::EnvironmentAnswer TelnetOptions::environmentIs(const QByteArray &subnegotiation,
                                                              const QString &deviceName, int codePage)
{
    EnvironmentAnswer answer;
    EnvironmentWriter writer(deviceName, codePage, answer);
    // Option byte and SEND, then the list; a bare SEND asks for everything.
    const int end = subnegotiation.size();
    int i = 2;
    if (i >= end) {
        writer.add(Requested{ Telnet::ENV_VAR, QByteArray() });
        writer.add(Requested{ Telnet::ENV_USERVAR, QByteArray() });
        return answer;
    }
    while (i < end) {
        const quint8 type = quint8(subnegotiation.at(i++));
        if (type != Telnet::ENV_VAR && type != Telnet::ENV_USERVAR) {
            // VALUE or a stray byte where a variable should start.
            ++answer.skippedBytes;
            continue;
        }
        QByteArray name;
        bool seed = false;
        while (i < end && !isItemCode(quint8(subnegotiation.at(i)))) {
            const quint8 byte = quint8(subnegotiation.at(i++));
            if (byte == Telnet::ENV_ESC) {
                if (i < end)
                    name.append(subnegotiation.at(i++));
                continue;
            }
            name.append(char(byte));
            if (type == Telnet::ENV_USERVAR && name == Telnet::ENV_IBMRSEED) {
                // The seed's bytes follow the name at once and may be
                // anything, item codes included; step over exactly eight.
                for (int k = 0; k < Telnet::IBMRSEED_LENGTH && i < end; ++k)
                    i += quint8(subnegotiation.at(i)) == Telnet::ENV_ESC && i + 1 < end ? 2 : 1;
                seed = true;
                break;
            }
        }
        if (!seed)
            writer.add(Requested{ type, name });
    }
    return answer;
}
