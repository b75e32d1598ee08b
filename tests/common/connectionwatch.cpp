#include "connectionwatch.h"

#include <QHostAddress>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>

#include "app/tn5250client.h"

ConnectionWatch::ConnectionWatch(Tn5250Client *client)
    : m_client(client)
    , m_lastState(client->connectionState())
{
    connect(client, SIGNAL(connectionInfoChanged()), this, SLOT(noteConnectionInfo()));
    connect(client, SIGNAL(statusChanged()), this, SLOT(noteStatus()));
}

void ConnectionWatch::clear()
{
    m_states.clear();
    m_statuses.clear();
    m_lastState = m_client->connectionState();
}

void ConnectionWatch::noteConnectionInfo()
{
    const QString state = m_client->connectionState();
    if (state == m_lastState)
        return;
    m_lastState = state;
    m_states << state;
}

void ConnectionWatch::noteStatus()
{
    m_statuses << m_client->status();
}

namespace ConnectionTest {

QTemporaryDir *useFreshSettings()
{
    QCoreApplication::setOrganizationName(QStringLiteral("orvik"));
    QCoreApplication::setApplicationName(QStringLiteral("harbour-vantorel"));
    QTemporaryDir *directory = new QTemporaryDir;
    qputenv("XDG_CONFIG_HOME", directory->path().toLocal8Bit());
    return directory;
}

QStringList logLines(const Tn5250Client &client)
{
    static const QRegularExpression stamp(QStringLiteral("^\\[\\d\\d:\\d\\d:\\d\\d\\] "));
    QStringList lines;
    const QStringList raw = client.diagnostics().split(QLatin1Char('\n'));
    for (QString line : raw) {
        if (!line.isEmpty())
            lines << line.remove(stamp);
    }
    return lines;
}

quint16 unusedPort()
{
    QTcpServer server;
    if (!server.listen(QHostAddress(QHostAddress::LocalHost), 0))
        return 0;
    const quint16 port = server.serverPort();
    server.close();
    return port;
}

void addAutoReconnectRows()
{
    QTest::addColumn<bool>("autoReconnect");
    QTest::newRow("automatic reconnect off") << false;
    QTest::newRow("automatic reconnect on") << true;
}

void configure(Tn5250Client &client, quint16 port, bool tls, bool autoReconnect)
{
    client.setHost(QStringLiteral("127.0.0.1"));
    client.setPort(port);
    client.setTlsEnabled(tls);
    client.setAutoReconnect(autoReconnect);
}

} // namespace ConnectionTest
