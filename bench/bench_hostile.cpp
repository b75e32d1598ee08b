// What one hostile record costs the GUI thread: the largest legal record
// (64 KB) filled with one kind of command or order, fed through
// processTelnetBytes after a 27 x 132 screen was set up. Each kind is one
// way a host could try to hold the interface; the time per record is what
// the user would feel as a freeze. No socket: the answers are built but go
// nowhere, so this measures the receive path alone.
#include <QByteArray>
#include <QElapsedTimer>

#include <cstdio>

#include "app/tn5250client.h"
#include "protocol/datastream.h"
#include "protocol/recordframer.h"
#include "benchmarks.h"

namespace {

const int RECORDS = 5;

struct Flood
{
    const char *name;
    const char *prefix; // hex bytes once at the start
    const char *unit;   // hex bytes repeated to fill the record
};

// After Clear Unit Alternate and a Write To Display header where orders need
// one; the units are repeated until the record is full.
const Flood FLOODS[] = {
    { "Repeat to Address over the whole screen", "04 11 00 00", "02 1B 84 C1" },
    { "Erase to Address over the whole screen", "04 11 00 00", "03 1B 84 01" },
    { "Transparent Data of the whole screen", "04 11 00 00", nullptr },
    { "Start of Field at every cell", "04 11 00 00", "1D 40 00 24 00 01 C1" },
    { "Read Screen", "", "04 62" },
    { "5250 Query", "04 F3", "00 05 D9 70 00" },
    { "Read Immediate", "", "04 72" },
    { "Save Screen and one write", "", "04 02 04 11 00 00 C1" },
    { "empty Write To Display", "", "04 11 00 00" },
    { "unsupported command", "", "04 FF" },
    { "Roll", "", "04 23 01 01 1B" },
    { "Clear Unit Alternate", "", "04 20 00" },
};

QByteArray fromHex(const char *text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

// The largest record the header can describe, of the unit repeated.
QByteArray floodData(const Flood &flood)
{
    QByteArray data = fromHex(flood.prefix);
    QByteArray unit;
    if (flood.unit) {
        unit = fromHex(flood.unit);
    } else {
        unit.append(char(0x10));
        DataStream::appendU16(unit, 3564);
        unit.append(QByteArray(3564, char(0xC1)));
    }
    while (data.size() + unit.size() <= DataStream::MAX_DATA_SIZE)
        data.append(unit);
    return data;
}

QByteArray telnetRecord(quint8 opcode, const QByteArray &data)
{
    QByteArray wire = RecordFramer::escaped(RecordFramer::record(opcode, data, 0));
    wire.append(char(0xFF)).append(char(0xEF));
    return wire;
}

} // namespace

int benchHostile(BenchTable &)
{
    // A wide screen with a few fields, as a host would have drawn it.
    const QByteArray setUp = fromHex("04 20 00 04 11 00 08 11 01 01 1D 40 00 24 00 0A 11 02 01 1D 40 00 24 00 0A");
    for (const Flood &flood : FLOODS) {
        const QByteArray data = floodData(flood);
        const QByteArray record = telnetRecord(DataStream::OP_PUT_GET, data);
        Tn5250Client client;
        client.processTelnetBytes(telnetRecord(DataStream::OP_PUT_GET, setUp));
        QElapsedTimer timer;
        timer.start();
        qint64 slowest = 0;
        for (int i = 0; i < RECORDS; ++i) {
            const qint64 before = timer.nsecsElapsed();
            client.processTelnetBytes(record);
            slowest = qMax(slowest, timer.nsecsElapsed() - before);
        }
        const double average = double(timer.nsecsElapsed()) / RECORDS / 1.0e6;
        std::printf("hostile: %-42s %6d bytes: %8.1f ms per record (slowest %.1f ms)\n", flood.name,
                    int(data.size()), average, double(slowest) / 1.0e6);
        std::fflush(stdout);
    }
    return 0;
}
