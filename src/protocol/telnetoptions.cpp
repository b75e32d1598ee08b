#include "protocol/telnetoptions.h"

#include "protocol/recordframer.h"
#include "protocol/telnetcodes.h"

namespace {

// The options the terminal takes (RFC 4777): binary and end-of-record in
// both directions, go-ahead suppressed both ways, and on its own side the
// terminal type and the environment. Everything else is refused.
struct OptionPolicy
{
    quint8 option;
    bool local;  // the terminal agrees to DO with WILL
    bool remote; // the terminal agrees to WILL with DO
};

const OptionPolicy ACCEPTED_OPTIONS[] = {
    { Telnet::OPT_BINARY,        true, true },
    { Telnet::OPT_SGA,           true, true },
    { Telnet::OPT_TERMINAL_TYPE, true, false },
    { Telnet::OPT_EOR,           true, true },
    { Telnet::OPT_NEW_ENVIRON,   true, false },
};

bool accepts(quint8 option, bool local)
{
    for (const OptionPolicy &policy : ACCEPTED_OPTIONS) {
        if (policy.option == option)
            return local ? policy.local : policy.remote;
    }
    return false;
}

QString commandLine(const char *direction, quint8 verb, quint8 option)
{
    return QStringLiteral("TELNET %1 %2 %3")
        .arg(QLatin1String(direction), TelnetOptions::commandName(verb), TelnetOptions::optionName(option));
}

} // namespace

TelnetOptions::Answer TelnetOptions::answer(quint8 verb, quint8 option)
{
    Answer answer;
    answer.received = commandLine("RX", verb, option);
    // DO and DONT are about the terminal's side, WILL and WONT about the
    // host's; the replies are the other pair of verbs.
    const bool local = verb == Telnet::DO || verb == Telnet::DONT;
    const bool enable = verb == Telnet::DO || verb == Telnet::WILL;
    if (!local && verb != Telnet::WILL && verb != Telnet::WONT)
        return answer;
    State &state = local ? m_local[option] : m_remote[option];
    const quint8 agree = local ? Telnet::WILL : Telnet::DO;
    const quint8 refuse = local ? Telnet::WONT : Telnet::DONT;

    quint8 reply = 0;
    if (enable) {
        switch (state) {
        case No:
            // A request to enable: the only case that may be refused.
            if (accepts(option, local)) {
                state = Yes;
                reply = agree;
            } else {
                reply = refuse;
            }
            break;
        case WantYes:
            // The host agrees to the terminal's own offer.
            state = Yes;
            break;
        case Yes:
            // Already in force: answering again is how loops start.
            break;
        }
    } else {
        switch (state) {
        case Yes:
            state = No;
            reply = refuse;
            break;
        case WantYes:
            // The host refuses the terminal's offer.
            state = No;
            break;
        case No:
            // Off already: nothing to acknowledge.
            break;
        }
    }
    if (reply != 0) {
        answer.reply = command(reply, option);
        answer.sent = commandLine("TX", reply, option);
    }
    answer.agreed = agreed();
    return answer;
}

QByteArray TelnetOptions::offer(quint8 option, QString *sent)
{
    if (m_local[option] != No || !accepts(option, true))
        return QByteArray();
    m_local[option] = WantYes;
    if (sent)
        *sent = commandLine("TX", Telnet::WILL, option);
    return command(Telnet::WILL, option);
}

void TelnetOptions::reset()
{
    *this = TelnetOptions();
}

bool TelnetOptions::agreed() const
{
    return localBinary() && remoteBinary() && localEor() && remoteEor() && terminalTypeRequested();
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
