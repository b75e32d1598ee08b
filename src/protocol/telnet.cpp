// Telnet layer of the client. Bytes read from the socket arrive here first:
// the parser below undoes the IAC escaping, collects the bytes of one TN5250
// record until IAC EOR and hands it to processRecord (records.cpp), answers
// the host's option negotiation (RFC 855) with a fixed policy and the
// TERMINAL-TYPE (RFC 1091) and NEW-ENVIRON (RFC 1572) subnegotiations the
// way RFC 4777 asks a 5250 display station to.
#include "app/tn5250client.h"

#include <QAbstractSocket>

#include "protocol/telnetcodes.h"
#include "settings/devicename.h"

namespace {

// Parser states, kept in m_telnetState between reads.
enum TelnetState {
    StateData = 0,
    StateCommand = 1,           // after IAC
    StateOption = 2,            // after IAC and WILL/WONT/DO/DONT
    StateSubnegotiation = 3,    // inside IAC SB
    StateSubnegotiationIac = 4  // IAC seen inside a subnegotiation
};

// Modes laid over the state while the rest of an oversized record or
// subnegotiation is skipped. They live in the same word as the state so that
// resetting the parser to Data for a new connection also ends them.
const int DISCARDING_RECORD = 0x100;
const int DISCARDING_SUBNEGOTIATION = 0x200;
const int STATE_MASK = 0xFF;

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

QString telnetCommandName(quint8 verb)
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

QString telnetOptionName(quint8 option)
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

QString recordOverflowText()
{
    return QStringLiteral("Dropped oversized TN5250 record (more than %1 bytes without IAC EOR)")
        .arg(Telnet::MAX_BUFFERED_BYTES);
}

QString subnegotiationOverflowText()
{
    return QStringLiteral("Dropped oversized telnet subnegotiation (more than %1 bytes without IAC SE)")
        .arg(Telnet::MAX_BUFFERED_BYTES);
}

void appendEnvironmentVariable(QByteArray &reply, const char *name, const QByteArray &value)
{
    reply.append(char(Telnet::ENV_USERVAR));
    reply.append(name);
    reply.append(char(Telnet::ENV_VALUE));
    reply.append(value);
}

} // namespace

void Tn5250Client::socketReadyRead()
{
    // A socket that was dropped may still deliver a queued signal; only the
    // current connection's bytes are ours.
    QObject *from = sender();
    if (!m_socket || (from && from != m_socket.data()))
        return;
    processTelnetBytes(m_socket->readAll());
}

void Tn5250Client::processTelnetBytes(const QByteArray &bytes)
{
    const char *p = bytes.constData();
    const int n = bytes.size();

    // A host that never ends its record or subnegotiation must not fill the
    // phone's memory: past the bound the buffer is dropped and the rest of
    // that record (up to IAC EOR) or subnegotiation (up to IAC SE) skipped,
    // so that its tail is not taken for a new one.
    auto keepRecordBytes = [this](const char *from, int count) {
        if (m_telnetState & DISCARDING_RECORD)
            return;
        if (count > Telnet::MAX_BUFFERED_BYTES - m_recordBuffer.size()) {
            m_recordBuffer.clear();
            m_telnetState |= DISCARDING_RECORD;
            appendDiagnostic(recordOverflowText());
            return;
        }
        m_recordBuffer.append(from, count);
    };
    auto keepSubnegotiationByte = [this](char byte) {
        if (m_telnetState & DISCARDING_SUBNEGOTIATION)
            return;
        if (m_subnegotiationBuffer.size() >= Telnet::MAX_BUFFERED_BYTES) {
            m_subnegotiationBuffer.clear();
            m_telnetState |= DISCARDING_SUBNEGOTIATION;
            appendDiagnostic(subnegotiationOverflowText());
            return;
        }
        m_subnegotiationBuffer.append(byte);
    };

    int i = 0;
    while (i < n) {
        const quint8 byte = quint8(p[i]);
        const int modes = m_telnetState & ~STATE_MASK;
        switch (m_telnetState & STATE_MASK) {
        case StateData: {
            // Record data; runs up to the next IAC go into the buffer at once.
            if (byte == Telnet::IAC) {
                m_telnetState = StateCommand | modes;
                ++i;
                break;
            }
            int runEnd = i + 1;
            while (runEnd < n && quint8(p[runEnd]) != Telnet::IAC)
                ++runEnd;
            keepRecordBytes(p + i, runEnd - i);
            i = runEnd;
            break;
        }
        case StateCommand:
            ++i;
            switch (byte) {
            case Telnet::IAC:
                // IAC IAC is one data byte 0xFF: the second of the two.
                m_telnetState = StateData | modes;
                keepRecordBytes(p + i - 1, 1);
                break;
            case Telnet::EOR: {
                // The end of a record; the end of a dropped one only ends
                // the skipping.
                m_telnetState = StateData;
                if (modes & DISCARDING_RECORD)
                    break;
                QByteArray record;
                record.swap(m_recordBuffer);
                if (!record.isEmpty())
                    processRecord(record);
                break;
            }
            case Telnet::WILL:
            case Telnet::WONT:
            case Telnet::DO:
            case Telnet::DONT:
                m_telnetCommand = byte;
                m_telnetState = StateOption | modes;
                break;
            case Telnet::SB:
                m_subnegotiationBuffer.clear();
                m_telnetState = StateSubnegotiation | (modes & ~DISCARDING_SUBNEGOTIATION);
                break;
            default:
                // NOP, GA, AYT and the like carry nothing for TN5250.
                m_telnetState = StateData | modes;
                break;
            }
            break;
        case StateOption:
            ++i;
            m_telnetState = StateData | modes;
            handleTelnetNegotiation(m_telnetCommand, byte);
            break;
        case StateSubnegotiation:
            ++i;
            if (byte == Telnet::IAC) {
                m_telnetState = StateSubnegotiationIac | modes;
                break;
            }
            keepSubnegotiationByte(char(byte));
            break;
        case StateSubnegotiationIac:
            ++i;
            if (byte == Telnet::IAC) {
                m_telnetState = StateSubnegotiation | modes;
                keepSubnegotiationByte(char(Telnet::IAC));
            } else if (byte == Telnet::SE) {
                m_telnetState = StateData | (modes & ~DISCARDING_SUBNEGOTIATION);
                QByteArray collected;
                collected.swap(m_subnegotiationBuffer);
                if (!(modes & DISCARDING_SUBNEGOTIATION))
                    handleSubnegotiation(collected);
            } else {
                // IAC followed by anything but SE or IAC breaks the
                // subnegotiation off; it is dropped unhandled.
                m_telnetState = StateData | (modes & ~DISCARDING_SUBNEGOTIATION);
                m_subnegotiationBuffer.clear();
            }
            break;
        default:
            // Not a state this parser enters; start over with data.
            m_telnetState = StateData;
            break;
        }
    }
}

void Tn5250Client::startNegotiation()
{
    if (!m_socket || m_negotiationStarted)
        return;
    m_negotiationStarted = true;
    if (!m_connected) {
        m_connected = true;
        emit connectedChanged();
    }
    setConnectionState(QStringLiteral("Negotiating"));
    setStatus(tr("Negotiating TN5250…"));
    // The one option the terminal offers unasked: it lets the host ask for
    // the device name, keyboard type and code page (RFC 4777).
    sendTelnetCommand(Telnet::WILL, Telnet::OPT_NEW_ENVIRON);
}

void Tn5250Client::sendTelnetCommand(quint8 verb, quint8 option)
{
    if (!m_socket)
        return;
    QByteArray bytes;
    bytes.append(char(Telnet::IAC));
    bytes.append(char(verb));
    bytes.append(char(option));
    m_socket->write(bytes);
    appendDiagnostic(QStringLiteral("TELNET TX %1 %2").arg(telnetCommandName(verb), telnetOptionName(option)));
}

void Tn5250Client::sendSubnegotiation(quint8 option, const QByteArray &payload)
{
    if (!m_socket)
        return;
    QByteArray bytes;
    bytes.reserve(payload.size() + 8);
    bytes.append(char(Telnet::IAC));
    bytes.append(char(Telnet::SB));
    bytes.append(char(option));
    bytes.append(escapedTelnetData(payload));
    bytes.append(char(Telnet::IAC));
    bytes.append(char(Telnet::SE));
    m_socket->write(bytes);
}

QByteArray Tn5250Client::escapedTelnetData(const QByteArray &data)
{
    QByteArray out;
    out.reserve(data.size() + 8);
    const char *p = data.constData();
    const int n = data.size();
    int runStart = 0;
    for (int i = 0; i < n; ++i) {
        if (quint8(p[i]) == Telnet::IAC) {
            out.append(p + runStart, i + 1 - runStart);
            out.append(char(Telnet::IAC));
            runStart = i + 1;
        }
    }
    out.append(p + runStart, n - runStart);
    return out;
}

void Tn5250Client::handleTelnetNegotiation(quint8 verb, quint8 option)
{
    appendDiagnostic(QStringLiteral("TELNET RX %1 %2").arg(telnetCommandName(verb), telnetOptionName(option)));
    const NegotiationRule *rule = findNegotiationRule(verb, option);
    if (!rule)
        return;
    sendTelnetCommand(rule->reply, option);
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
    // Binary and end-of-record both ways plus the terminal type are what a
    // TN5250 session needs; the host sends its first screen after that.
    if (m_localBinary && m_remoteBinary && m_localEor && m_remoteEor && m_terminalTypeRequested)
        setStatus(tr("Connected — waiting for IBM i display"));
}

void Tn5250Client::handleSubnegotiation(const QByteArray &bytes)
{
    if (bytes.size() < 2 || quint8(bytes.at(1)) != Telnet::SUB_SEND)
        return;
    const quint8 option = quint8(bytes.at(0));
    if (option == Telnet::OPT_TERMINAL_TYPE) {
        const char *type = m_support132 ? Telnet::TERMINAL_TYPE_WIDE : Telnet::TERMINAL_TYPE_NARROW;
        QByteArray reply;
        reply.append(char(Telnet::SUB_IS));
        reply.append(type);
        sendSubnegotiation(Telnet::OPT_TERMINAL_TYPE, reply);
        appendDiagnostic(QStringLiteral("Terminal type: %1").arg(QLatin1String(type)));
    } else if (option == Telnet::OPT_NEW_ENVIRON) {
        // The same answer whatever the host asked for (RFC 4777).
        QByteArray reply;
        reply.append(char(Telnet::SUB_IS));
        const QString device = sanitizeDeviceName(m_deviceName);
        if (!device.isEmpty()) {
            appendEnvironmentVariable(reply, Telnet::ENV_DEVNAME, device.toLatin1());
            appendDiagnostic(QStringLiteral("Requested IBM i device name: %1").arg(device));
        }
        appendEnvironmentVariable(reply, Telnet::ENV_KBDTYPE, QByteArray(Telnet::KEYBOARD_TYPE));
        appendEnvironmentVariable(reply, Telnet::ENV_CODEPAGE, QByteArray::number(m_codePage));
        appendDiagnostic(QStringLiteral("Requested EBCDIC code page %1").arg(m_codePage));
        sendSubnegotiation(Telnet::OPT_NEW_ENVIRON, reply);
    }
}
