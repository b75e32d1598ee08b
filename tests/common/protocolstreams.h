#ifndef VANTOREL_TESTS_PROTOCOLSTREAMS_H
#define VANTOREL_TESTS_PROTOCOLSTREAMS_H

#include <QByteArray>
#include <QString>
#include <QStringList>

// Building blocks for host streams in the protocol tests, written from the
// wire format rather than from the client's code, so that they can catch the
// client's framing mistakes: a TN5250 record header, telnet escaping, IAC EOR.
namespace ProtocolStreams {

// Hex digits with optional white space, '#' comments and "EBCDIC text", as in
// the fixture files.
QByteArray hex(const char *text);

// A TN5250 record: 16-bit length, 12 A0, 00 00, variable-header length 04,
// flags, 00, opcode, then the data.
QByteArray record(quint8 opcode, const QByteArray &data, quint8 flags = 0);

// Every 0xFF doubled.
QByteArray escaped(const QByteArray &bytes);

// A record as it travels in the telnet stream: escaped, then IAC EOR.
QByteArray telnetRecord(quint8 opcode, const QByteArray &data, quint8 flags = 0);
// Any bytes, well-formed record or not, sent the same way.
QByteArray telnetFramed(const QByteArray &record);

// The lines of the protocol log without their "[HH:mm:ss] " time stamps.
QStringList logLines(const QString &diagnostics);

// The log lines that begin with the prefix, time stamps removed.
QStringList logLinesStartingWith(const QString &diagnostics, const QString &prefix);

} // namespace ProtocolStreams

#endif
