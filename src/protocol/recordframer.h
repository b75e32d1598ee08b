#ifndef VANTOREL_RECORDFRAMER_H
#define VANTOREL_RECORDFRAMER_H

#include <QByteArray>
#include <QString>

// TN5250 record framing (RFC 1205, RFC 2877): every unit of 5250 data in
// either direction is one record, a ten-byte header and data, carried in the
// telnet stream with every 0xFF doubled and ended by IAC EOR. Pure
// functions: the header checks of what the host sent, the framing of what
// the terminal sends, and the protocol-log lines of both.
namespace RecordFramer {

// A received record after its header checks.
struct Received
{
    bool accepted = false;
    QString rejection;   // the diagnostic of a record that failed a check
    int size = 0;        // the whole record, header included
    quint8 flags = 0;    // header flags, reported only
    quint8 opcode = 0;
    QByteArray data;     // from offset 6 + variable-header length
};

Received parse(const QByteArray &record);
// "RX opcode 0x03, 1920 data bytes" and ", flags 0x40" when any flag is set.
QString receivedLine(const Received &record);

// Whether a record of this much data can be described by the length field.
bool fits(int dataSize);
// Header and data, not yet escaped.
QByteArray record(quint8 opcode, const QByteArray &data, quint8 flags);
// The record as it goes on the wire: escaped, then IAC EOR.
QByteArray wire(quint8 opcode, const QByteArray &data, quint8 flags);
QString sentLine(quint8 opcode, int dataSize, quint8 flags);
QString refusedLine(int dataSize);

// A copy in which every 0xFF is doubled (RFC 854), for records and
// subnegotiations alike.
QByteArray escaped(const QByteArray &data);

} // namespace RecordFramer

#endif
