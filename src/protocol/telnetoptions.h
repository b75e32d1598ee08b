#ifndef VANTOREL_TELNETOPTIONS_H
#define VANTOREL_TELNETOPTIONS_H

#include <QByteArray>
#include <QString>

// The terminal's side of telnet option negotiation (RFC 855) for TN5250: a
// fixed policy that answers every WILL, WONT, DO and DONT the host sends,
// the options agreed so far, and the answers to the TERMINAL-TYPE (RFC 1091)
// and NEW-ENVIRON (RFC 1572) requests that RFC 4777 asks a 5250 display
// station to give. It decides and remembers; writing the bytes is the
// client's job.
//
// Every received command is answered, also when the same request comes
// again; the only memory of earlier answers is which options are on.
class TelnetOptions
{
public:
    // The reply to one negotiation command, with the protocol-log lines of
    // the command as received and of the reply as sent.
    struct Answer
    {
        QString received;  // "TELNET RX DO BINARY"
        QByteArray reply;  // IAC, verb, option; empty when the verb is not a negotiation verb
        QString sent;      // "TELNET TX WILL BINARY"
        bool agreed = false; // after this reply everything a TN5250 session needs is on
    };

    // What a subnegotiation asks the terminal for.
    enum Request { NoRequest, TerminalTypeRequest, EnvironmentRequest };

    Answer answer(quint8 verb, quint8 option);
    void reset();

    // Binary and end-of-record in both directions and the terminal type:
    // the host sends its first screen once all five are on.
    bool agreed() const;
    bool localBinary() const { return m_localBinary; }
    bool remoteBinary() const { return m_remoteBinary; }
    bool localEor() const { return m_localEor; }
    bool remoteEor() const { return m_remoteEor; }
    bool terminalTypeRequested() const { return m_terminalTypeRequested; }

    static Request request(const QByteArray &subnegotiation);
    // "IBM-3477-FC" when the 27 x 132 screen is offered, else "IBM-3179-2".
    static const char *terminalType(bool wide);
    // The payloads of the IS replies (before telnet framing).
    static QByteArray terminalTypeIs(bool wide);
    // `deviceName` already sanitised; empty leaves DEVNAME out.
    static QByteArray environmentIs(const QString &deviceName, int codePage);

    // Telnet framing of what the terminal sends outside records.
    static QByteArray command(quint8 verb, quint8 option);
    static QByteArray subnegotiation(quint8 option, const QByteArray &payload);

    // Names for the protocol log.
    static QString commandName(quint8 verb);
    static QString optionName(quint8 option);

private:
    bool m_localBinary = false;          // the terminal answered DO BINARY with WILL
    bool m_remoteBinary = false;         // the terminal answered WILL BINARY with DO
    bool m_localEor = false;             // answered DO EOR with WILL
    bool m_remoteEor = false;            // answered WILL EOR with DO
    bool m_terminalTypeRequested = false; // answered DO TERMINAL-TYPE with WILL
};

#endif
