// Parsing throughput of the protocol engine: full 27 x 132 host screens as
// they arrive from the socket (telnet framing, record header, commands,
// Write To Display orders with fields and text) fed through
// processTelnetBytes, once a record per read and once in TCP-sized segments.
#include <QByteArray>
#include <QElapsedTimer>
#include <QList>

#include <cstdio>

#include "app/tn5250client.h"
#include "protocol/datastream.h"
#include "protocol/recordframer.h"
#include "benchmarks.h"

namespace {

const int ROWS = 27;
const int COLUMNS = 132;
const int WARM_UP_RECORDS = 50;
const int RECORDS = 3000;
const int SEGMENT = 1460; // one Ethernet-sized TCP segment per read

// EBCDIC (code page 37) letters, digits and blank for the text runs.
const unsigned char TEXT[] = {
    0xC1, 0xC2, 0xC3, 0xC4, 0xC5, 0xC6, 0xC7, 0xC8, 0xC9, 0x40,
    0xD1, 0xD2, 0xD3, 0xD4, 0xD5, 0xD6, 0xD7, 0xD8, 0xD9, 0x40,
    0xE2, 0xE3, 0xE4, 0xE5, 0xE6, 0xE7, 0xE8, 0xE9, 0x4B, 0x40,
    0xF0, 0xF1, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7, 0xF8, 0xF9,
};
const int TEXT_COUNT = int(sizeof(TEXT));

// The 5250 data of a busy wide list screen: Clear Unit Alternate, then a
// Write To Display where every row starts with a Set Buffer Address and an
// attribute; every other row carries a short input field, the rest is text.
// A transparent-data run with 0xFF bytes makes the telnet layer unescape.
QByteArray wideScreenData()
{
    QByteArray data;
    data.append(char(0x04)).append(char(0x20)).append(char(0x00)); // Clear Unit Alternate
    data.append(char(0x04)).append(char(0x11));                    // Write To Display
    data.append(char(0x00)).append(char(0x08));                    // unlock the keyboard
    for (int row = 1; row <= ROWS; ++row) {
        data.append(char(0x11)).append(char(row)).append(char(1)); // Set Buffer Address
        data.append(char(0x20));
        int column = 2;
        if (row % 2 == 0) {
            // Start of Field: format word, attribute, length 4.
            data.append(char(0x1D)).append(char(0x40)).append(char(0x00));
            data.append(char(0x24)).append(char(0x00)).append(char(0x04));
            data.append(QByteArray(4, char(0x40)));
            data.append(char(0x20));
            column += 1 + 4 + 1;
        }
        for (; column <= COLUMNS; ++column)
            data.append(char(TEXT[(row * 7 + column) % TEXT_COUNT]));
    }
    data.append(char(0x11)).append(char(ROWS)).append(char(1));
    data.append(char(0x10)).append(char(0x00)).append(char(0x04)); // Transparent Data
    data.append(char(0xFF)).append(char(0xC1)).append(char(0xFF)).append(char(0xC2));
    data.append(char(0x13)).append(char(2)).append(char(3));       // Insert Cursor
    return data;
}

// One record as it travels on the wire: header, escaped, IAC EOR.
QByteArray telnetRecord(const QByteArray &data)
{
    QByteArray record;
    DataStream::appendU16(record, quint16(data.size() + 10));
    record.append(char(0x12)).append(char(0xA0)).append(char(0x00)).append(char(0x00));
    record.append(char(0x04)).append(char(0x00)).append(char(0x00)).append(char(0x03));
    record.append(data);
    QByteArray wire = RecordFramer::escaped(record);
    wire.append(char(0xFF)).append(char(0xEF));
    return wire;
}

// Feeds the reads and reports; false when the records did not arrive whole.
bool measure(const char *label, const QList<QByteArray> &reads, int records, qint64 wireBytes)
{
    Tn5250Client client;
    QElapsedTimer timer;
    timer.start();
    for (const QByteArray &read : reads)
        client.processTelnetBytes(read);
    const qint64 elapsed = timer.nsecsElapsed();
    if (client.rxRecordCount() != records || client.rows() != ROWS || client.inputFieldCount() != ROWS / 2) {
        std::fprintf(stderr, "protocol: %s: %d of %d records, %dx%d, %d fields\n", label,
                     client.rxRecordCount(), records, client.rows(), client.columns(), client.inputFieldCount());
        return false;
    }
    const double seconds = double(elapsed) / 1.0e9;
    std::printf("protocol: %-22s %d records in %.3f s: %.0f records/s, %.2f MB/s\n", label, records, seconds,
                records / seconds, double(wireBytes) / seconds / 1.0e6);
    return true;
}

} // namespace

int benchProtocol()
{
    const QByteArray record = telnetRecord(wideScreenData());
    std::printf("protocol: one %dx%d screen is %d bytes on the wire\n", ROWS, COLUMNS, int(record.size()));

    QList<QByteArray> warmUp;
    for (int i = 0; i < WARM_UP_RECORDS; ++i)
        warmUp << record;
    if (!measure("warm-up", warmUp, WARM_UP_RECORDS, qint64(record.size()) * WARM_UP_RECORDS))
        return 1;

    QList<QByteArray> perRecord;
    for (int i = 0; i < RECORDS; ++i)
        perRecord << record;
    const qint64 wireBytes = qint64(record.size()) * RECORDS;
    if (!measure("one read per record", perRecord, RECORDS, wireBytes))
        return 1;

    QByteArray stream;
    stream.reserve(int(wireBytes));
    for (int i = 0; i < RECORDS; ++i)
        stream += record;
    QList<QByteArray> segments;
    for (int at = 0; at < stream.size(); at += SEGMENT)
        segments << stream.mid(at, SEGMENT);
    if (!measure("1460-byte segments", segments, RECORDS, wireBytes))
        return 1;
    return 0;
}
