#ifndef VANTOREL_TELNETOPTIONS_H
#define VANTOREL_TELNETOPTIONS_H

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "protocol/telnetcodes.h"

// The terminal's side of telnet option negotiation (RFC 855) for TN5250: a
// fixed policy of the options it takes, the state of every option on both
// sides of the connection, and the answers to the TERMINAL-TYPE (RFC 1091)
// and NEW-ENVIRON (RFC 1572) requests that RFC 4777 asks a 5250 display
// station to give. It decides and remembers; writing the bytes is the
// client's job.
//
// The option state follows RFC 1143 (the "Q method"): a request for a state
// already in force, or to turn off an option that is off, is not answered,
// and an acknowledgement of the terminal's own offer is not answered either,
// so two ends that both re-acknowledge cannot loop. The terminal never asks
// to turn an option off and never asks the host to enable one, so of the
// RFC's states only NO, YES and WANTYES (an offer of its own awaiting the
// host's answer) occur, and the RFC's queue is not needed.
class TelnetOptions
{
public:
    // The reply to one negotiation command, with the protocol-log lines of
    // the command as received and of the reply as sent.
    struct Answer
    {
        QString received;  // "TELNET RX DO BINARY"
        QByteArray reply;  // IAC, verb, option; empty when nothing is to be answered
        QString sent;      // "TELNET TX WILL BINARY"; empty with the reply
        bool agreed = false; // after this reply everything a TN5250 session needs is on
    };

    // What a subnegotiation asks the terminal for.
    enum Request { NoRequest, TerminalTypeRequest, EnvironmentRequest };

    Answer answer(quint8 verb, quint8 option);
    // The terminal offers to enable one of its options (WILL): the command
    // to send, or an empty one when the option is already on or offered, or
    // is not one the terminal takes. `sent` receives its log line.
    QByteArray offer(quint8 option, QString *sent = nullptr);
    void reset();

    // Binary and end-of-record in both directions and the terminal type:
    // the host sends its first screen once all five are on.
    bool agreed() const;
    bool localBinary() const { return localEnabled(Telnet::OPT_BINARY); }
    bool remoteBinary() const { return remoteEnabled(Telnet::OPT_BINARY); }
    bool localEor() const { return localEnabled(Telnet::OPT_EOR); }
    bool remoteEor() const { return remoteEnabled(Telnet::OPT_EOR); }
    bool terminalTypeRequested() const { return localEnabled(Telnet::OPT_TERMINAL_TYPE); }
    // The option is on for the terminal's side (it WILL) or the host's (DO).
    // Subnegotiations are only answered for an option the terminal has on.
    bool localEnabled(quint8 option) const { return m_local[option] == Yes; }
    bool remoteEnabled(quint8 option) const { return m_remote[option] == Yes; }

    static Request request(const QByteArray &subnegotiation);
    // "IBM-3477-FC" when the 27 x 132 screen is offered, else "IBM-3179-2".
    static const char *terminalType(bool wide);
    // The payloads of the IS replies (before telnet framing).
    static QByteArray terminalTypeIs(bool wide);

    // The answer to a NEW-ENVIRON SEND (telnetenvironment.cpp).
    struct EnvironmentAnswer
    {
        QByteArray payload;        // IS and the variables, before telnet framing
        QString deviceName;        // sent as DEVNAME; empty when it was not
        bool codePageSent = false; // KBDTYPE, CODEPAGE and CHARSET went out
        QStringList missing;       // named variables the terminal has no value for: "VAR USER"
        int skippedBytes = 0;      // bytes of the request that named no variable
    };
    // `subnegotiation` as the parser delivers it, option byte and SEND
    // first; `deviceName` already sanitised, empty when there is none.
    static EnvironmentAnswer environmentIs(const QByteArray &subnegotiation, const QString &deviceName,
                                           int codePage);
    // The keyboard type and character set IBM i pairs with a code page; the
    // entry of 37 for a page it does not list.
    static const Telnet::NationalLanguage &nationalLanguage(int codePage);

    // Telnet framing of what the terminal sends outside records.
    static QByteArray command(quint8 verb, quint8 option);
    static QByteArray subnegotiation(quint8 option, const QByteArray &payload);

    // Names for the protocol log.
    static QString commandName(quint8 verb);
    static QString optionName(quint8 option);

private:
    // RFC 1143 option states (see the class comment).
    enum State : quint8 { No = 0, Yes, WantYes };

    State m_local[256] = {};  // the terminal's side: WILL / WONT
    State m_remote[256] = {}; // the host's side: DO / DONT
};

#endif
