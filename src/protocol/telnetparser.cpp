#include "protocol/telnetparser.h"

#include "protocol/telnetcodes.h"

namespace {

// Parser states, kept in m_state between reads.
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

} // namespace

void TelnetParser::reset()
{
    m_state = StateData;
    m_verb = 0;
    m_record.clear();
    m_subnegotiation.clear();
}

int TelnetParser::feed(const QByteArray &bytes, Events &events, int from)
{
    const char *p = bytes.constData();
    const int n = bytes.size();

    // A host that never ends its record or subnegotiation must not fill the
    // phone's memory: past the bound the buffer is dropped and the rest of
    // that record (up to IAC EOR) or subnegotiation (up to IAC SE) skipped,
    // so that its tail is not taken for a new one.
    auto keepRecordBytes = [this, &events](const char *from, int count) {
        if (m_state & DISCARDING_RECORD)
            return;
        if (count > Telnet::MAX_BUFFERED_BYTES - m_record.size()) {
            m_record.clear();
            m_state |= DISCARDING_RECORD;
            events.telnetDropped(recordOverflowText());
            return;
        }
        m_record.append(from, count);
    };
    auto keepSubnegotiationByte = [this, &events](char byte) {
        if (m_state & DISCARDING_SUBNEGOTIATION)
            return;
        if (m_subnegotiation.size() >= Telnet::MAX_BUFFERED_BYTES) {
            m_subnegotiation.clear();
            m_state |= DISCARDING_SUBNEGOTIATION;
            events.telnetDropped(subnegotiationOverflowText());
            return;
        }
        m_subnegotiation.append(byte);
    };

    int i = qBound(0, from, n);
    while (i < n) {
        const quint8 byte = quint8(p[i]);
        const int modes = m_state & ~STATE_MASK;
        switch (m_state & STATE_MASK) {
        case StateData: {
            // Record data; runs up to the next IAC go into the buffer at once.
            if (byte == Telnet::IAC) {
                m_state = StateCommand | modes;
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
                m_state = StateData | modes;
                keepRecordBytes(p + i - 1, 1);
                break;
            case Telnet::EOR: {
                // The end of a record; the end of a dropped one only ends
                // the skipping.
                m_state = StateData;
                if (modes & DISCARDING_RECORD)
                    break;
                QByteArray record;
                record.swap(m_record);
                if (!record.isEmpty()) {
                    events.telnetRecord(record);
                    if (events.telnetPaused())
                        return i;
                }
                break;
            }
            case Telnet::WILL:
            case Telnet::WONT:
            case Telnet::DO:
            case Telnet::DONT:
                m_verb = byte;
                m_state = StateOption | modes;
                break;
            case Telnet::SB:
                m_subnegotiation.clear();
                m_state = StateSubnegotiation | (modes & ~DISCARDING_SUBNEGOTIATION);
                break;
            default:
                // NOP, GA, AYT and the like carry nothing for TN5250.
                m_state = StateData | modes;
                break;
            }
            break;
        case StateOption:
            ++i;
            m_state = StateData | modes;
            events.telnetNegotiation(m_verb, byte);
            if (events.telnetPaused())
                return i;
            break;
        case StateSubnegotiation:
            ++i;
            if (byte == Telnet::IAC) {
                m_state = StateSubnegotiationIac | modes;
                break;
            }
            keepSubnegotiationByte(char(byte));
            break;
        case StateSubnegotiationIac:
            ++i;
            if (byte == Telnet::IAC) {
                m_state = StateSubnegotiation | modes;
                keepSubnegotiationByte(char(Telnet::IAC));
            } else if (byte == Telnet::SE) {
                m_state = StateData | (modes & ~DISCARDING_SUBNEGOTIATION);
                QByteArray collected;
                collected.swap(m_subnegotiation);
                if (!(modes & DISCARDING_SUBNEGOTIATION)) {
                    events.telnetSubnegotiation(collected);
                    if (events.telnetPaused())
                        return i;
                }
            } else {
                // IAC followed by anything but SE or IAC breaks the
                // subnegotiation off; it is dropped unhandled.
                m_state = StateData | (modes & ~DISCARDING_SUBNEGOTIATION);
                m_subnegotiation.clear();
            }
            break;
        default:
            // Not a state this parser enters; start over with data.
            m_state = StateData;
            break;
        }
    }
    return n;
}
