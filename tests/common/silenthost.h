#ifndef VANTOREL_TESTS_SILENTHOST_H
#define VANTOREL_TESTS_SILENTHOST_H

#include <QList>
#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

// A host on 127.0.0.1 that accepts connections and never says a word: a
// plain client then waits in negotiation, a TLS client waits for a
// handshake that never finishes. hangUp() closes every accepted connection
// from the host's side; peerClosedCount() counts the connections the client
// closed. With a greeting it writes that one text on each connection and
// then falls silent, like a plain-text service on a port the client expected
// to speak TLS.
class SilentHost : public QObject
{
    Q_OBJECT

public:
    explicit SilentHost(QObject *parent = nullptr);

    bool listen();
    void setGreeting(const QByteArray &greeting) { m_greeting = greeting; }
    quint16 port() const { return m_server.serverPort(); }
    int acceptedCount() const { return m_accepted.size(); }
    int peerClosedCount() const { return m_peerClosed; }
    void hangUp();

signals:
    void accepted();
    void peerClosed();

private slots:
    void acceptConnections();
    void notePeerClosed();

private:
    QTcpServer m_server;
    QList<QPointer<QTcpSocket> > m_accepted;
    int m_peerClosed = 0;
    QByteArray m_greeting;
};

#endif
