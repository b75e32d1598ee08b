#include "silenthost.h"

#include <QHostAddress>

SilentHost::SilentHost(QObject *parent) : QObject(parent)
{
    connect(&m_server, SIGNAL(newConnection()), this, SLOT(acceptConnections()));
}

bool SilentHost::listen()
{
    return m_server.listen(QHostAddress(QHostAddress::LocalHost), 0);
}

void SilentHost::acceptConnections()
{
    while (QTcpSocket *socket = m_server.nextPendingConnection()) {
        m_accepted << socket;
        connect(socket, SIGNAL(disconnected()), this, SLOT(notePeerClosed()));
        if (!m_greeting.isEmpty())
            socket->write(m_greeting);
        emit accepted();
    }
}

void SilentHost::notePeerClosed()
{
    ++m_peerClosed;
    emit peerClosed();
}

void SilentHost::hangUp()
{
    for (const QPointer<QTcpSocket> &socket : m_accepted) {
        if (socket && socket->state() == QAbstractSocket::ConnectedState) {
            // Our own close is not the peer's: count only the client's.
            socket->disconnect(this);
            socket->disconnectFromHost();
        }
    }
}
