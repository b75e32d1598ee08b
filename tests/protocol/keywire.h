#ifndef VANTOREL_TESTS_KEYWIRE_H
#define VANTOREL_TESTS_KEYWIRE_H

#include <QByteArray>
#include <QList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include "app/tn5250client.h"
#include "common/clientprobe.h"

// The host end of a real loopback connection for the key tests: a listening
// socket on 127.0.0.1 whose accepted peer reads what the client writes and
// cuts it into TN5250 records at IAC EOR, undoing IAC IAC. The client's end is
// a plain QTcpSocket handed to the client as its current socket, with
// `connected` set, as if negotiation had begun.
class KeyWire
{
public:
    // Connects `client` to a fresh peer; false (with a test failure message)
    // when the loopback connection cannot be made.
    bool attach(Tn5250Client &client)
    {
        if (!m_server.listen(QHostAddress::LocalHost))
            return false;
        // A child of the client: it goes with the client, and the client may
        // hand it to deleteLater when it drops the connection.
        QTcpSocket *socket = new QTcpSocket(&client);
        socket->connectToHost(QHostAddress::LocalHost, m_server.serverPort());
        if (!socket->waitForConnected(5000) || !m_server.waitForNewConnection(5000))
            return false;
        m_peer = m_server.nextPendingConnection();
        if (!m_peer)
            return false;
        ClientProbe probe(client);
        probe.socket() = socket;
        probe.connected() = true;
        m_clientSocket = socket;
        return true;
    }

    // Records complete so far; reads whatever has arrived. Meant for
    // QTRY_COMPARE(wire.recordCount(), n), which keeps the event loop turning.
    int recordCount()
    {
        readAvailable();
        return m_records.size();
    }

    // The oldest complete record, removed from the list (empty when none).
    QByteArray takeRecord()
    {
        readAvailable();
        return m_records.isEmpty() ? QByteArray() : m_records.takeFirst();
    }

    // Writes a marker through the client's socket and reads until it arrives.
    // TCP keeps order, so anything the client sent before shows up in front
    // of the marker: returns true when nothing did.
    bool nothingSentBefore()
    {
        static const QByteArray MARKER("--marker--");
        if (!m_clientSocket || m_clientSocket->write(MARKER) != MARKER.size())
            return false;
        m_clientSocket->flush();
        while (!m_raw.endsWith(MARKER) && m_peer->waitForReadyRead(5000))
            m_raw.append(m_peer->readAll());
        const bool clean = m_raw == MARKER && m_records.isEmpty() && m_pending.isEmpty();
        m_raw.clear();
        return clean;
    }

    // The whole 10-byte record header the client must write for `dataLength`
    // bytes of data.
    static QByteArray header(int dataLength, quint8 flags, quint8 opcode)
    {
        QByteArray bytes;
        const int length = dataLength + 10;
        bytes.append(char(length >> 8)).append(char(length & 0xFF));
        bytes.append('\x12').append('\xA0').append('\0').append('\0').append('\x04');
        bytes.append(char(flags)).append('\0').append(char(opcode));
        return bytes;
    }

private:
    void readAvailable()
    {
        if (!m_peer)
            return;
        m_raw.append(m_peer->readAll());
        int i = 0;
        // Telnet un-escaping (RFC 854): IAC IAC is one data byte 0xFF, IAC
        // EOR ends a record (RFC 885); a lone IAC at the end waits for more.
        while (i < m_raw.size()) {
            const quint8 byte = quint8(m_raw.at(i));
            if (byte != 0xFF) {
                m_pending.append(char(byte));
                ++i;
                continue;
            }
            if (i + 1 >= m_raw.size())
                break;
            const quint8 next = quint8(m_raw.at(i + 1));
            if (next == 0xFF) {
                m_pending.append('\xFF');
            } else if (next == 0xEF) {
                m_records.append(m_pending);
                m_pending.clear();
            } else {
                m_pending.append("<IAC?>"); // not expected from a key; makes the record differ
            }
            i += 2;
        }
        m_raw.remove(0, i);
    }

    QTcpServer m_server;
    QTcpSocket *m_peer = nullptr;
    QPointer<QTcpSocket> m_clientSocket;
    QByteArray m_raw;
    QByteArray m_pending;
    QList<QByteArray> m_records;
};

// Defines one field through the screen's own Start of Field operation so that
// its first data position is the 1-based (row, column), and writes `content`
// into it as the host would. The attribute byte lands in the cell before.
inline void defineField(TerminalScreen &screen, int row, int column, quint8 ffwHigh, quint8 ffwLow,
                        int length, const QByteArray &content = QByteArray(),
                        const QVector<unsigned short> &fcws = QVector<unsigned short>(),
                        quint8 attribute = 0x20)
{
    screen.setDisplayAddressIndex((row - 1) * screen.columns + column - 2);
    screen.startField(true, ffwHigh, ffwLow, fcws, attribute, length);
    for (char byte : content)
        screen.writeByte(quint8(byte));
}

#endif
