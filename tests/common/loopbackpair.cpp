#include "loopbackpair.h"

#include "common/clientprobe.h"
#include "common/protocolstreams.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHostAddress>

namespace {

// Bytes no terminal reply contains: the client never sends 0xFE 0xFE
// outside a telnet command, and never this text.
const char MARKER[] = "\xFE\xFE<loopback-marker>\xFE\xFE";
// An upper bound for a step that normally takes microseconds; reaching it
// means the sockets are broken, not that the test is slow.
const int GIVE_UP_MS = 10000;

} // namespace

LoopbackPair::LoopbackPair() = default;

LoopbackPair::~LoopbackPair()
{
    delete m_terminal.data();
    delete m_host.data();
}

bool LoopbackPair::open()
{
    if (!m_server.listen(QHostAddress(QHostAddress::LocalHost), 0))
        return false;
    m_terminal = new QTcpSocket;
    m_terminal->connectToHost(QHostAddress(QHostAddress::LocalHost), m_server.serverPort());
    if (!m_terminal->waitForConnected(GIVE_UP_MS))
        return false;
    if (!m_server.hasPendingConnections() && !m_server.waitForNewConnection(GIVE_UP_MS))
        return false;
    m_host = m_server.nextPendingConnection();
    if (!m_host)
        return false;
    // Owned here rather than by the server, which is destroyed first.
    m_host->setParent(nullptr);
    return true;
}

QByteArray LoopbackPair::takeSent()
{
    const QByteArray marker(MARKER);
    if (!m_terminal || !m_host)
        return QByteArray();
    m_terminal->write(marker);
    m_terminal->flush();
    QElapsedTimer timer;
    timer.start();
    int at = m_received.indexOf(marker);
    while (at < 0 && timer.elapsed() < GIVE_UP_MS) {
        QCoreApplication::processEvents();
        m_terminal->flush();
        m_host->waitForReadyRead(20);
        m_received += m_host->readAll();
        at = m_received.indexOf(marker);
    }
    if (at < 0)
        return QByteArray("<no marker: the loopback connection failed>");
    const QByteArray sent = m_received.left(at);
    m_received.remove(0, at + marker.size());
    return sent;
}

bool LoopbackTerminal::attach()
{
    if (!pair.open())
        return false;
    ClientProbe probe(client);
    probe.socket() = pair.terminalEnd();
    probe.setSessionTarget(client.host(), client.port(), false);
    return true;
}

void LoopbackTerminal::feed(quint8 opcode, const QByteArray &data)
{
    receive(client, opcode, data);
}

void receiveRecord(Tn5250Client &client, const QByteArray &record)
{
    client.processTelnetBytes(ProtocolStreams::telnetFramed(record));
}

void receive(Tn5250Client &client, quint8 opcode, const QByteArray &data)
{
    receiveRecord(client, ProtocolStreams::record(opcode, data));
}
