// Record framing. The telnet layer hands every complete record here (IAC
// escapes already undone); the header is checked (RFC 1205 and
// RFC 2877), the record counted and its opcode dispatched, and the
// command-carrying opcodes go on to the command scanner (commands.cpp).
// Everything the terminal sends leaves through sendRecord.
#include "app/tn5250client.h"

#include <QAbstractSocket>

#include "protocol/datastream.h"
#include "protocol/telnetcodes.h"

namespace {

// ", flags 0x40" when any flag is set, nothing otherwise.
QString flagsSuffix(quint8 flags)
{
    if (flags == 0)
        return QString();
    return QStringLiteral(", flags 0x%1").arg(DataStream::hexByte(flags));
}

} // namespace

void Tn5250Client::processRecord(const QByteArray &record)
{
    using namespace DataStream;
    const int received = record.size();
    if (received < HEADER_SIZE) {
        appendDiagnostic(QStringLiteral("Ignored short TN5250 record (%1 bytes)").arg(received));
        return;
    }
    const quint16 declared = readU16(record, OFFSET_LENGTH);
    if (declared != received || quint8(record.at(OFFSET_RECORD_TYPE)) != RECORD_TYPE_HIGH
        || quint8(record.at(OFFSET_RECORD_TYPE + 1)) != RECORD_TYPE_LOW) {
        appendDiagnostic(QStringLiteral("Ignored malformed GDS record (declared %1, received %2)")
                             .arg(declared)
                             .arg(received));
        return;
    }
    const int variableLength = quint8(record.at(OFFSET_VARIABLE_LENGTH));
    if (variableLength <= 3 || variableLength + 5 >= int(declared)) {
        appendDiagnostic(QStringLiteral("Ignored record with invalid variable header"));
        return;
    }
    // Flags and opcode sit at fixed offsets whatever the variable header's
    // length; only the start of the data moves with it.
    const quint8 flags = quint8(record.at(OFFSET_FLAGS));
    const quint8 opcode = quint8(record.at(OFFSET_OPCODE));
    const QByteArray payload = record.mid(OFFSET_VARIABLE_LENGTH + variableLength);

    ++m_rxRecordCount;
    m_lastRecordBytes = received;
    if (m_connectionState != QLatin1String("Ready")) {
        // The first record of a connection is what proves it works.
        m_reconnectAttempt = 0;
        setConnectionState(QStringLiteral("Ready"));
    }
    emit protocolStatsChanged();
    appendDiagnostic(QStringLiteral("RX opcode 0x%1, %2 data bytes%3")
                         .arg(DataStream::hexByte(opcode))
                         .arg(payload.size())
                         .arg(flagsSuffix(flags)));
    process5250Data(opcode, payload);
}

void Tn5250Client::sendRecord(quint8 opcode, const QByteArray &data, quint8 flags)
{
    using namespace DataStream;
    if (!m_socket)
        return;
    if (data.size() > MAX_DATA_SIZE) {
        // The length field cannot describe it; a wrong length would make the
        // host misread every record after it.
        appendDiagnostic(QStringLiteral("Refused to send oversized TN5250 record (%1 data bytes)").arg(data.size()));
        return;
    }
    QByteArray record;
    record.reserve(HEADER_SIZE + data.size());
    appendU16(record, quint16(data.size() + HEADER_SIZE));
    record.append(char(RECORD_TYPE_HIGH));
    record.append(char(RECORD_TYPE_LOW));
    record.append(char(0x00));
    record.append(char(0x00));
    record.append(char(VARIABLE_HEADER_LENGTH));
    record.append(char(flags));
    record.append(char(0x00));
    record.append(char(opcode));
    record.append(data);

    QByteArray wire = escapedTelnetData(record);
    wire.append(char(Telnet::IAC));
    wire.append(char(Telnet::EOR));
    m_socket->write(wire);
    appendDiagnostic(QStringLiteral("TX opcode 0x%1, %2 data bytes%3")
                         .arg(DataStream::hexByte(opcode))
                         .arg(data.size())
                         .arg(flagsSuffix(flags)));
}

void Tn5250Client::process5250Data(quint8 opcode, const QByteArray &payload)
{
    using namespace DataStream;
    switch (opcode) {
    case OP_INVITE:
    case OP_PUT_GET:
        // The host is ready for input: the keyboard opens before the commands
        // run, so a lock in their control characters still wins.
        m_screen.keyboardLocked = false;
        scanCommands(payload, opcode);
        break;
    case OP_NO_OPERATION:
    case OP_OUTPUT_ONLY:
    case OP_SAVE_SCREEN:
    case OP_RESTORE_SCREEN:
    case OP_READ_IMMEDIATE:
    case OP_READ_SCREEN:
        scanCommands(payload, opcode);
        break;
    case OP_CANCEL_INVITE:
        // The host takes back its invitation; it waits for this echo before
        // it writes again (RFC 2877).
        m_screen.keyboardLocked = true;
        m_pendingReadMode = 0;
        sendRecord(OP_CANCEL_INVITE, QByteArray(), 0);
        emit screenChanged();
        break;
    case OP_MESSAGE_LIGHT_ON:
        m_screen.messageWaiting = true;
        emit screenChanged();
        break;
    case OP_MESSAGE_LIGHT_OFF:
        m_screen.messageWaiting = false;
        emit screenChanged();
        break;
    default:
        appendDiagnostic(QStringLiteral("Unsupported opcode 0x%1").arg(DataStream::hexByte(opcode)));
        break;
    }
}

quint16 Tn5250Client::readU16(const QByteArray &data, int index)
{
    if (index < 0 || index + 1 >= data.size())
        return 0;
    return quint16((quint8(data.at(index)) << 8) | quint8(data.at(index + 1)));
}

void Tn5250Client::appendU16(QByteArray &data, quint16 value)
{
    data.append(char(value >> 8));
    data.append(char(value & 0xFF));
}
