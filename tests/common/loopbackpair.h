#ifndef VANTOREL_TESTS_LOOPBACKPAIR_H
#define VANTOREL_TESTS_LOOPBACKPAIR_H

#include <QByteArray>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

#include "app/tn5250client.h"

// A connected pair of real TCP sockets on 127.0.0.1. The terminal end goes
// into the client (ClientProbe::socket()); the host end reads what the
// client wrote, exactly as a host would receive it.
//
// takeSent() returns everything the terminal end has written so far: it
// writes a marker behind the client's bytes and reads the host end until the
// marker arrives, so "nothing was sent" can be checked without waiting for a
// timeout. The client may delete the terminal end (dropSocket uses
// deleteLater); the pair copes with that.
class LoopbackPair
{
public:
    LoopbackPair();
    ~LoopbackPair();

    // Listens, connects and accepts; false when any step failed.
    bool open();

    QTcpSocket *terminalEnd() const { return m_terminal.data(); }
    QTcpSocket *hostEnd() const { return m_host.data(); }

    QByteArray takeSent();

private:
    QTcpServer m_server;
    QPointer<QTcpSocket> m_terminal;
    QPointer<QTcpSocket> m_host;
    QByteArray m_received;
};

// Hands the client bytes as one record of the telnet stream (escaped, IAC
// EOR), the way its socket would: well-formed or not.
void receiveRecord(Tn5250Client &client, const QByteArray &record);
// A well-formed record with this opcode and data.
void receive(Tn5250Client &client, quint8 opcode, const QByteArray &data);

// A client whose current socket is the terminal end of a loopback pair, for
// tests that check the exact bytes the client writes.
struct LoopbackTerminal
{
    Tn5250Client client;
    LoopbackPair pair;

    bool attach();
    QByteArray sent() { return pair.takeSent(); }
    // Hands the client one received record with this opcode and data.
    void feed(quint8 opcode, const QByteArray &data);
};

#endif
