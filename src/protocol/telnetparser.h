#ifndef VANTOREL_TELNETPARSER_H
#define VANTOREL_TELNETPARSER_H

#include <QByteArray>
#include <QString>

// Bytes read from the socket arrive here first. The parser undoes the telnet
// escaping (RFC 854), collects the data bytes of one TN5250 record up to IAC
// EOR (RFC 885), picks out option negotiation commands and subnegotiations
// (RFC 855) and hands each, complete, to an event interface. It has no
// socket and answers nothing itself; what to reply is TelnetOptions' and the
// client's business.
//
// The parser keeps its state between calls, so a record, a command or a
// subnegotiation may be split across any number of reads, and feeding may
// stop after any byte and go on later.
class TelnetParser
{
public:
    // What the parser found, in stream order. Called from inside feed().
    class Events
    {
    public:
        virtual ~Events() = default;
        // The de-escaped bytes of one record, never empty.
        virtual void telnetRecord(const QByteArray &record) = 0;
        // WILL, WONT, DO or DONT and its option byte.
        virtual void telnetNegotiation(quint8 verb, quint8 option) = 0;
        // The bytes between IAC SB and IAC SE, option byte first, IAC IAC undone.
        virtual void telnetSubnegotiation(const QByteArray &bytes) = 0;
        // A record or subnegotiation grew past the bound and is being skipped.
        virtual void telnetDropped(const QString &diagnostic) = 0;
        // Asked after each record, command and subnegotiation: true stops
        // feed() right there, to go on later with the bytes it did not take.
        virtual bool telnetPaused() { return false; }
    };

    // Parses the bytes from `from` on and returns the index after the last
    // byte taken: bytes.size(), unless Events::telnetPaused stopped it
    // earlier. Feeding the rest later continues exactly where it stopped.
    int feed(const QByteArray &bytes, Events &events, int from = 0);
    // Back to the start of a stream, as for a new connection.
    void reset();

    // What is collected so far of the record or subnegotiation not yet ended.
    int pendingRecordSize() const { return m_record.size(); }
    QByteArray pendingSubnegotiation() const { return m_subnegotiation; }

private:
    int m_state = 0;
    quint8 m_verb = 0;
    QByteArray m_record;
    QByteArray m_subnegotiation;
};

#endif
