#ifndef VANTOREL_TESTS_CONNECTIONWATCH_H
#define VANTOREL_TESTS_CONNECTIONWATCH_H

#include <QObject>
#include <QString>
#include <QStringList>

class QTemporaryDir;
class Tn5250Client;

// Watches a client the way the interface does: on every connectionInfoChanged
// it notes the connection state when that differs from the last one noted,
// and on every statusChanged the status text. So a test can check the order
// of states a connection went through, not just where it ended.
class ConnectionWatch : public QObject
{
    Q_OBJECT

public:
    explicit ConnectionWatch(Tn5250Client *client);

    QStringList states() const { return m_states; }
    QStringList statuses() const { return m_statuses; }
    void clear();

private slots:
    void noteConnectionInfo();
    void noteStatus();

private:
    Tn5250Client *m_client;
    QString m_lastState;
    QStringList m_states;
    QStringList m_statuses;
};

namespace ConnectionTest {

// Names the application as the product does and points its settings at a
// new, empty folder, so that each test starts like a first start. The folder
// lives as long as the returned object.
QTemporaryDir *useFreshSettings();

// The protocol log's lines without their "[HH:mm:ss] " time stamps.
QStringList logLines(const Tn5250Client &client);

// A port on 127.0.0.1 where nothing listens: bound once, then released.
quint16 unusedPort();

// The two rows "automatic reconnect off" and "automatic reconnect on" of a
// data-driven test, in a bool column "autoReconnect".
void addAutoReconnectRows();

// Points the client at 127.0.0.1:port through its property setters.
void configure(Tn5250Client &client, quint16 port, bool tls, bool autoReconnect);

} // namespace ConnectionTest

#endif
