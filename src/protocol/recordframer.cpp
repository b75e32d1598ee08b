#include "protocol/recordframer.h"

#include "protocol/datastream.h"
#include "protocol/telnetcodes.h"

namespace RecordFramer {

namespace {

// ", flags 0x40" when any flag is set, nothing otherwise.
QString flagsSuffix(quint8 flags)
{
    if (flags == 0)
        return QString();
    return QStringLiteral(", flags 0x%1").arg(DataStream::hexByte(flags));
}

QString opcodeLine(const char *direction, quint8 opcode, int dataSize, quint8 flags)
{
    return QStringLiteral("%1 opcode 0x%2, %3 data bytes%4")
        .arg(QLatin1String(direction), DataStream::hexByte(opcode), QString::number(dataSize), flagsSuffix(flags));
}

} // namespace

Received parse(const QByteArray &record)
{
    using namespace DataStream;
    Received result;
    const int received = record.size();
    result.size = received;
    if (received < HEADER_SIZE) {
        result.rejection = QStringLiteral("Ignored short TN5250 record (%1 bytes)").arg(received);
        return result;
    }
    const quint16 declared = readU16(record, OFFSET_LENGTH);
    if (declared != received || quint8(record.at(OFFSET_RECORD_TYPE)) != RECORD_TYPE_HIGH
        || quint8(record.at(OFFSET_RECORD_TYPE + 1)) != RECORD_TYPE_LOW) {
        result.rejection = QStringLiteral("Ignored malformed GDS record (declared %1, received %2)")
                               .arg(declared)
                               .arg(received);
        return result;
    }
    const int variableLength = quint8(record.at(OFFSET_VARIABLE_LENGTH));
    if (variableLength <= 3 || variableLength + 5 >= int(declared)) {
        result.rejection = QStringLiteral("Ignored record with invalid variable header");
        return result;
    }
    // Flags and opcode sit at fixed offsets whatever the variable header's
    // length; only the start of the data moves with it.
    result.accepted = true;
    result.flags = quint8(record.at(OFFSET_FLAGS));
    result.opcode = quint8(record.at(OFFSET_OPCODE));
    result.data = record.mid(OFFSET_VARIABLE_LENGTH + variableLength);
    return result;
}

QString receivedLine(const Received &record)
{
    return opcodeLine("RX", record.opcode, record.data.size(), record.flags);
}

bool fits(int dataSize)
{
    return dataSize <= DataStream::MAX_DATA_SIZE;
}

QByteArray record(quint8 opcode, const QByteArray &data, quint8 flags)
{
    using namespace DataStream;
    QByteArray bytes;
    bytes.reserve(HEADER_SIZE + data.size());
    appendU16(bytes, quint16(data.size() + HEADER_SIZE));
    bytes.append(char(RECORD_TYPE_HIGH));
    bytes.append(char(RECORD_TYPE_LOW));
    bytes.append(char(0x00));
    bytes.append(char(0x00));
    bytes.append(char(VARIABLE_HEADER_LENGTH));
    bytes.append(char(flags));
    bytes.append(char(0x00));
    bytes.append(char(opcode));
    bytes.append(data);
    return bytes;
}

QByteArray wire(quint8 opcode, const QByteArray &data, quint8 flags)
{
    QByteArray bytes = escaped(record(opcode, data, flags));
    bytes.append(char(Telnet::IAC));
    bytes.append(char(Telnet::EOR));
    return bytes;
}

QString sentLine(quint8 opcode, int dataSize, quint8 flags)
{
    return opcodeLine("TX", opcode, dataSize, flags);
}

QString refusedLine(int dataSize)
{
    // The length field cannot describe it; a wrong length would make the
    // host misread every record after it.
    return QStringLiteral("Refused to send oversized TN5250 record (%1 data bytes)").arg(dataSize);
}

QByteArray escaped(const QByteArray &data)
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

} // namespace RecordFramer
