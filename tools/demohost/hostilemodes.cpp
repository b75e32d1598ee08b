#include "hostilemodes.h"

#include <QAbstractSocket>
#include <QTimer>

#include "demosession.h"
#include "hostprotocol.h"

using namespace HostProtocol;

namespace {

struct ModeEntry
{
    HostileModes::Mode mode;
    const char *name;
    const char *description;
};

const ModeEntry MODES[] = {
    { HostileModes::NoEndOfRecord, "no-end-of-record",
      "256 KB of record data without end of record, then IAC EOR and a normal session" },
    { HostileModes::EndlessSubnegotiation, "endless-subnegotiation",
      "a subnegotiation of 256 KB without IAC SE, then IAC SE and a normal session" },
    { HostileModes::SlowDrip, "slow-drip", "every byte on its own, one a millisecond" },
    { HostileModes::DropMidRecord, "drop-mid-record", "half of the sign-on screen's record, then the close" },
    { HostileModes::RepeatNegotiation, "repeat-negotiation",
      "every WILL and DO of the terminal acknowledged again, whatever the state" },
    { HostileModes::ReadScreenFlood, "read-screen-flood",
      "after the sign-on screen, records full of Read Screen commands; the answers are never read" },
    { HostileModes::CloseAtOnce, "close-at-once", "every connection closed as soon as it is accepted" },
};

// Well past the terminal's bound on a record or subnegotiation it buffers.
const int OVERSIZED_BYTES = 256 * 1024;
const int DRIP_INTERVAL_MS = 1;
// A terminal that answered every repeat would loop; the host gives up here.
const int MAX_REPEATS = 1000;
// Enough to outgrow any sane bound on the terminal's unsent output; the
// flood ends earlier when the terminal closes the connection.
const int MAX_FLOOD_RECORDS = 2000;
const qint64 FLOOD_WRITE_AHEAD_BYTES = 512 * 1024;
// What the host lets its socket buffer: it reads nothing during the flood.
const qint64 NOT_READING_BUFFER_BYTES = 4096;

const quint8 OPCODE_READ_SCREEN = 0x08;
const quint8 CMD_READ_SCREEN = 0x62;

// The largest record the header allows: Clear Unit Alternate, so that every
// answer is a 27 x 132 screen, then Read Screen after Read Screen.
QByteArray floodRecord()
{
    static QByteArray record;
    if (record.isEmpty()) {
        QByteArray data;
        data.append(char(ESC)).append(char(CMD_CLEAR_UNIT_ALTERNATE)).append(char(0x00));
        while (data.size() + 2 <= 0xFFFF - RECORD_HEADER_LENGTH)
            data.append(char(ESC)).append(char(CMD_READ_SCREEN));
        record = frameRecord(OPCODE_READ_SCREEN, data);
    }
    return record;
}

} // namespace

namespace HostileModes {

QStringList names()
{
    QStringList list;
    for (const ModeEntry &entry : MODES)
        list << QLatin1String(entry.name);
    return list;
}

QString name(Mode mode)
{
    for (const ModeEntry &entry : MODES) {
        if (entry.mode == mode)
            return QLatin1String(entry.name);
    }
    return QStringLiteral("none");
}

bool fromName(const QString &name, Mode *mode)
{
    for (const ModeEntry &entry : MODES) {
        if (name == QLatin1String(entry.name)) {
            if (mode)
                *mode = entry.mode;
            return true;
        }
    }
    return false;
}

QString description()
{
    QStringList lines;
    for (const ModeEntry &entry : MODES)
        lines << QStringLiteral("%1: %2").arg(QLatin1String(entry.name), QLatin1String(entry.description));
    return lines.join(QLatin1Char('\n'));
}

} // namespace HostileModes

HostileBehaviour::HostileBehaviour(HostileModes::Mode mode, DemoSession *session, QAbstractSocket *socket)
    : QObject(session)
    , m_mode(mode)
    , m_session(session)
    , m_socket(socket)
{
    if (m_mode == HostileModes::SlowDrip) {
        m_dripTimer = new QTimer(this);
        m_dripTimer->setInterval(DRIP_INTERVAL_MS);
        connect(m_dripTimer, SIGNAL(timeout()), this, SLOT(drip()));
    }
}

void HostileBehaviour::write(const QByteArray &bytes)
{
    if (m_socket)
        m_socket->write(bytes);
}

bool HostileBehaviour::begin()
{
    if (m_mode != HostileModes::CloseAtOnce)
        return true;
    m_session->log(QStringLiteral("Hostile: closing the connection at once"));
    m_session->close();
    return false;
}

bool HostileBehaviour::divert(const QByteArray &bytes, bool record)
{
    switch (m_mode) {
    case HostileModes::SlowDrip:
        m_dripQueue.append(bytes);
        if (!m_dripTimer->isActive())
            m_dripTimer->start();
        return true;
    case HostileModes::DropMidRecord:
        if (m_dropped)
            return true;
        if (!record || m_session->phase() != DemoSession::Serving)
            return false;
        m_dropped = true;
        write(bytes.left(bytes.size() / 2));
        m_session->log(QStringLiteral("Hostile: sent %1 of the record's %2 bytes, closing")
                           .arg(bytes.size() / 2)
                           .arg(bytes.size()));
        m_session->close();
        return true;
    default:
        return false;
    }
}

void HostileBehaviour::drip()
{
    if (m_dripQueue.isEmpty() || !m_socket) {
        m_dripTimer->stop();
        return;
    }
    write(m_dripQueue.left(1));
    m_dripQueue.remove(0, 1);
}

// A host that ignores RFC 1143 and confirms every request again, so that a
// terminal answering each confirmation would negotiate for ever.
void HostileBehaviour::verbHandled(quint8 verb, quint8 option)
{
    if (m_mode != HostileModes::RepeatNegotiation || (verb != WILL && verb != DO))
        return;
    if (m_repeats >= MAX_REPEATS) {
        if (m_repeats++ == MAX_REPEATS)
            m_session->log(QStringLiteral("Hostile: %1 repeats, giving up").arg(MAX_REPEATS));
        return;
    }
    ++m_repeats;
    const quint8 reply = verb == WILL ? DO : WILL;
    const char bytes[] = { char(IAC), char(reply), char(option) };
    write(QByteArray(bytes, 3));
    m_session->log(QStringLiteral("Hostile: repeated %1 %2").arg(verbName(reply), optionName(option)));
}

void HostileBehaviour::negotiated()
{
    if (m_mode == HostileModes::NoEndOfRecord) {
        write(QByteArray(OVERSIZED_BYTES, char(0x40)));
        write(QByteArray::fromHex("FFEF"));
        m_session->log(QStringLiteral("Hostile: %1 bytes without end of record").arg(OVERSIZED_BYTES));
    } else if (m_mode == HostileModes::EndlessSubnegotiation) {
        // A TERMINAL-TYPE SEND that never ends: answered, it would be taken.
        write(QByteArray::fromHex("FFFA1801"));
        write(QByteArray(OVERSIZED_BYTES, char(0x01)));
        write(QByteArray::fromHex("FFF0"));
        m_session->log(QStringLiteral("Hostile: subnegotiation of %1 bytes").arg(OVERSIZED_BYTES));
    }
}

void HostileBehaviour::serving()
{
    if (m_mode != HostileModes::ReadScreenFlood || !m_socket)
        return;
    // From here on nothing is read: neither the answers nor anything else.
    disconnect(m_socket.data(), SIGNAL(readyRead()), m_session, nullptr);
    m_socket->setReadBufferSize(NOT_READING_BUFFER_BYTES);
    m_socket->setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, int(NOT_READING_BUFFER_BYTES));
    connect(m_socket.data(), SIGNAL(bytesWritten(qint64)), this, SLOT(flood()));
    m_session->log(QStringLiteral("Hostile: Read Screen flood, no longer reading"));
    flood();
}

void HostileBehaviour::flood()
{
    while (m_socket && m_socket->state() == QAbstractSocket::ConnectedState && m_floodRecords < MAX_FLOOD_RECORDS
           && m_socket->bytesToWrite() < FLOOD_WRITE_AHEAD_BYTES) {
        write(floodRecord());
        ++m_floodRecords;
    }
}
