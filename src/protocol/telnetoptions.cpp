#include "protocol/telnetoptions.h"

#include "protocol/recordframer.h"
#include "protocol/telnetcodes.h"

namespace {

enum NegotiationFlag {
    NoFlag,
    LocalBinary,
    RemoteBinary,
    LocalEor,
    RemoteEor,
    TerminalTypeRequested
};

const int ANY_OPTION = -1;

// The negotiation policy: the first row matching the received verb and
// option decides the reply and the flag it sets or clears. The terminal
// speaks binary and end-of-record in both directions (RFC 4777),
// tells its terminal type and environment, and suppresses go-ahead; it
// refuses everything else.
struct NegotiationRule
{
    quint8 received;
    int option;
    quint8 reply;
    NegotiationFlag flag;
    bool set;
};

const NegotiationRule NEGOTIATION_POLICY[] = {
    { Telnet::DO,   Telnet::OPT_BINARY,        Telnet::WILL, LocalBinary,           true },
    { Telnet::DO,   Telnet::OPT_SGA,           Telnet::WILL, NoFlag,                true },
    { Telnet::DO,   Telnet::OPT_TERMINAL_TYPE, Telnet::WILL, TerminalTypeRequested, true },
    { Telnet::DO,   Telnet::OPT_EOR,           Telnet::WILL, LocalEor,              true },
    { Telnet::DO,   Telnet::OPT_NEW_ENVIRON,   Telnet::WILL, NoFlag,                true },
    { Telnet::DO,   ANY_OPTION,                Telnet::WONT, NoFlag,                true },
    { Telnet::DONT, Telnet::OPT_BINARY,        Telnet::WONT, LocalBinary,           false },
    { Telnet::DONT, Telnet::OPT_EOR,           Telnet::WONT, LocalEor,              false },
    { Telnet::DONT, ANY_OPTION,                Telnet::WONT, NoFlag,                false },
    { Telnet::WILL, Telnet::OPT_BINARY,        Telnet::DO,   RemoteBinary,          true },
    { Telnet::WILL, Telnet::OPT_SGA,           Telnet::DO,   NoFlag,                true },
    { Telnet::WILL, Telnet::OPT_EOR,           Telnet::DO,   RemoteEor,             true },
    { Telnet::WILL, ANY_OPTION,                Telnet::DONT, NoFlag,                true },
    { Telnet::WONT, Telnet::OPT_BINARY,        Telnet::DONT, RemoteBinary,          false },
    { Telnet::WONT, Telnet::OPT_EOR,           Telnet::DONT, RemoteEor,             false },
    { Telnet::WONT, ANY_OPTION,                Telnet::DONT, NoFlag,                false },
};

const NegotiationRule *findNegotiationRule(quint8 verb, quint8 option)
{
    for (const NegotiationRule &rule : NEGOTIATION_POLICY) {
        if (rule.received == verb && (rule.option == ANY_OPTION || rule.option == option))
            return &rule;
    }
    return nullptr;
}

QString commandLine(const char *direction, quint8 verb, quint8 option)
{
    return QStringLiteral("TELNET %1 %2 %3")
        .arg(QLatin1String(direction), TelnetOptions::commandName(verb), TelnetOptions::optionName(option));
}

void appendEnvironmentVariable(QByteArray &reply, const char *name, const QByteArray &value)
{
    reply.append(char(Telnet::ENV_USERVAR));
    reply.append(name);
    reply.append(char(Telnet::ENV_VALUE));
    reply.append(value);
}

} // namespace

TelnetOptions::Answer TelnetOptions::answer(quint8 verb, quint8 option)
{
    Answer answer;
    answer.received = commandLine("RX", verb, option);
    const NegotiationRule *rule = findNegotiationRule(verb, option);
    if (!rule)
        return answer;
    answer.reply = command(rule->reply, option);
    answer.sent = commandLine("TX", rule->reply, option);
    switch (rule->flag) {
    case LocalBinary:
        m_localBinary = rule->set;
        break;
    case RemoteBinary:
        m_remoteBinary = rule->set;
        break;
    case LocalEor:
        m_localEor = rule->set;
        break;
    case RemoteEor:
        m_remoteEor = rule->set;
        break;
    case TerminalTypeRequested:
        m_terminalTypeRequested = rule->set;
        break;
    case NoFlag:
        break;
    }
    answer.agreed = agreed();
    return answer;
}

void TelnetOptions::reset()
{
    *this = TelnetOptions();
}

bool TelnetOptions::agreed() const
{
    return m_localBinary && m_remoteBinary && m_localEor && m_remoteEor && m_terminalTypeRequested;
}

TelnetOptions::Request TelnetOptions::request(const QByteArray &subnegotiation)
{
    // Only SEND is a request; IS and INFO from the host are not answered.
    if (subnegotiation.size() < 2 || quint8(subnegotiation.at(1)) != Telnet::SUB_SEND)
        return NoRequest;
    switch (quint8(subnegotiation.at(0))) {
    case Telnet::OPT_TERMINAL_TYPE:
        return TerminalTypeRequest;
    case Telnet::OPT_NEW_ENVIRON:
        return EnvironmentRequest;
    default:
        return NoRequest;
    }
}

const char *TelnetOptions::terminalType(bool wide)
{
    return wide ? Telnet::TERMINAL_TYPE_WIDE : Telnet::TERMINAL_TYPE_NARROW;
}

QByteArray TelnetOptions::terminalTypeIs(bool wide)
{
    QByteArray reply;
    reply.append(char(Telnet::SUB_IS));
    reply.append(terminalType(wide));
    return reply;
}

QByteArray TelnetOptions::environmentIs(const QString &deviceName, int codePage)
{
    // The same answer whatever the host asked for (RFC 4777).
    QByteArray reply;
    reply.append(char(Telnet::SUB_IS));
    if (!deviceName.isEmpty())
        appendEnvironmentVariable(reply, Telnet::ENV_DEVNAME, deviceName.toLatin1());
    appendEnvironmentVariable(reply, Telnet::ENV_KBDTYPE, QByteArray(Telnet::KEYBOARD_TYPE));
    appendEnvironmentVariable(reply, Telnet::ENV_CODEPAGE, QByteArray::number(codePage));
    return reply;
}

QByteArray TelnetOptions::command(quint8 verb, quint8 option)
{
    QByteArray bytes;
    bytes.append(char(Telnet::IAC));
    bytes.append(char(verb));
    bytes.append(char(option));
    return bytes;
}

QByteArray TelnetOptions::subnegotiation(quint8 option, const QByteArray &payload)
{
    QByteArray bytes;
    bytes.reserve(payload.size() + 8);
    bytes.append(char(Telnet::IAC));
    bytes.append(char(Telnet::SB));
    bytes.append(char(option));
    bytes.append(RecordFramer::escaped(payload));
    bytes.append(char(Telnet::IAC));
    bytes.append(char(Telnet::SE));
    return bytes;
}

QString TelnetOptions::commandName(quint8 verb)
{
    switch (verb) {
    case Telnet::WILL:
        return QStringLiteral("WILL");
    case Telnet::WONT:
        return QStringLiteral("WONT");
    case Telnet::DO:
        return QStringLiteral("DO");
    case Telnet::DONT:
        return QStringLiteral("DONT");
    default:
        return QStringLiteral("0x%1").arg(verb, 2, 16, QLatin1Char('0'));
    }
}

QString TelnetOptions::optionName(quint8 option)
{
    switch (option) {
    case Telnet::OPT_BINARY:
        return QStringLiteral("BINARY");
    case Telnet::OPT_SGA:
        return QStringLiteral("SGA");
    case Telnet::OPT_TERMINAL_TYPE:
        return QStringLiteral("TERMINAL-TYPE");
    case Telnet::OPT_EOR:
        return QStringLiteral("EOR");
    case Telnet::OPT_NEW_ENVIRON:
        return QStringLiteral("NEW-ENVIRON");
    default:
        return QStringLiteral("option-%1").arg(option);
    }
}
