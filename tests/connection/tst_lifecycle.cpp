// The connection lifecycle and the reconnect policy against real sockets on
// 127.0.0.1: a port where nothing listens, a host that accepts and stays
// silent, a host that hangs up. Waits are never slept through: the tests read
// the timers' intervals and fire them by calling their slots.

#include <QHostAddress>
#include <QPointer>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "app/tn5250client.h"
#include "common/clientprobe.h"
#include "common/connectionwatch.h"
#include "common/silenthost.h"
#include "demohost.h"
#include "connection/socketerrors.h"

using namespace ConnectionTest;

namespace {

// A socket whose error the test chooses, for the error codes that cannot be
// produced on the loopback interface (no DNS, no network to lose).
class ErrorSocket : public QTcpSocket
{
public:
    explicit ErrorSocket(QObject *parent = nullptr) : QTcpSocket(parent) {}
    void prepare(QAbstractSocket::SocketError error, const QString &text)
    {
        setSocketError(error);
        setErrorString(text);
    }
};

// Fires a single-shot timer's slot as if its time had run out: the timer is
// inactive by then, just as after a real timeout.
void fire(QTimer *timer, Tn5250Client &client, const char *slot)
{
    timer->stop();
    QVERIFY(QMetaObject::invokeMethod(&client, slot));
}

} // namespace

class TestLifecycle : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void stateLabels_data();
    void stateLabels();
    void emptyHostOnlySetsStatus();
    void hostNameIsShownAsTyped();
    void refusedConnection_data();
    void refusedConnection();
    void reconnectScheduleGrowsToThirtySeconds();
    void scheduleWhilePendingChangesNothing();
    void userConnectSavesSettingsReconnectDoesNot();
    void connectWhileWaitingStartsAfresh();
    void timerAfterUserDisconnectDoesNothing();
    void silentHostIsGivenUp_data();
    void silentHostIsGivenUp();
    void hostCloses_data();
    void hostCloses();
    void shortSessionsBackOff();
    void sessionThatStaysUpStartsTheWaitsAgain();
    void handlersThatConnectOrDisconnect_data();
    void handlersThatConnectOrDisconnect();
    void timeoutWhileConnecting_data();
    void timeoutWhileConnecting();
    void autoReconnectOffWhileWaiting_data();
    void autoReconnectOffWhileWaiting();
    void signalsOfDroppedSocketChangeNothing_data();
    void signalsOfDroppedSocketChangeNothing();
    void destroyingConnectedClientAbortsSocket();
    void socketErrorCategories_data();
    void socketErrorCategories();
    void classifyWithoutSocket();

private:
    QScopedPointer<QTemporaryDir> m_config;
};

void TestLifecycle::init()
{
    m_config.reset(useFreshSettings());
    QVERIFY(m_config->isValid());
}

void TestLifecycle::stateLabels_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("label");
    QTest::newRow("Disconnected") << "Disconnected" << "Disconnected";
    QTest::newRow("Connecting") << "Connecting" << "Connecting";
    QTest::newRow("Reconnecting") << "Reconnecting" << "Reconnecting";
    QTest::newRow("Reconnect wait") << "Reconnect wait" << "Waiting to reconnect";
    QTest::newRow("Negotiating") << "Negotiating" << "Negotiating";
    QTest::newRow("Ready") << "Ready" << "Ready";
    QTest::newRow("Error") << "Error" << "Error";
    QTest::newRow("unknown name") << "Sleeping" << "Disconnected";
}

void TestLifecycle::stateLabels()
{
    QFETCH(QString, state);
    QFETCH(QString, label);
    Tn5250Client client;
    ClientProbe(client).setConnectionState(state);
    QCOMPARE(client.property("connectionStateLabel").toString(), label);
    // Only the two waiting states count as reconnecting while no timer runs.
    const bool waiting = state == QLatin1String("Reconnecting") || state == QLatin1String("Reconnect wait");
    QCOMPARE(client.reconnecting(), waiting);
}

void TestLifecycle::emptyHostOnlySetsStatus()
{
    Tn5250Client client;
    client.setHost(QString());
    ClientProbe(client).setLastError(QStringLiteral("Earlier"), QStringLiteral("kept"));
    QSignalSpy info(&client, SIGNAL(connectionInfoChanged()));
    client.connectToHost();
    QCOMPARE(client.status(), QStringLiteral("Enter a host name first"));
    QCOMPARE(client.connectionState(), QStringLiteral("Disconnected"));
    QCOMPARE(client.lastErrorCategory(), QStringLiteral("Earlier"));
    QVERIFY(!ClientProbe(client).socket());
    QCOMPARE(info.count(), 0);
}

// Percent signs in a host name (an IPv6 zone, say) are part of the name, not
// placeholders of the status or the log line.
void TestLifecycle::hostNameIsShownAsTyped()
{
    Tn5250Client client;
    client.setHost(QStringLiteral("fe80::1%2"));
    client.setPort(2323);
    client.setTlsEnabled(false);
    // The address may fail at once, overwriting the status; keep them all.
    QStringList statuses;
    connect(&client, &Tn5250Client::statusChanged, [&] { statuses << client.status(); });
    client.connectToHost();
    QVERIFY(statuses.contains(QStringLiteral("Connecting to fe80::1%2:2323…")));
    QVERIFY(logLines(client).contains(QStringLiteral("Connecting to fe80::1%2:2323 (plain TN5250)")));
    client.disconnectFromHost();
}

void TestLifecycle::refusedConnection_data()
{
    addAutoReconnectRows();
}

void TestLifecycle::refusedConnection()
{
    QFETCH(bool, autoReconnect);
    const quint16 port = unusedPort();
    QVERIFY(port != 0);
    Tn5250Client client;
    ClientProbe probe(client);
    configure(client, port, false, autoReconnect);
    ConnectionWatch watch(&client);

    client.connectToHost();
    QCOMPARE(client.connectionState(), QStringLiteral("Connecting"));
    QCOMPARE(client.status(), QStringLiteral("Connecting to 127.0.0.1:%1…").arg(port));
    QVERIFY(probe.connectionTimer()->isActive());
    QCOMPARE(probe.connectionTimer()->interval(), 15000);

    QTRY_COMPARE(client.lastErrorCategory(), QStringLiteral("Connection refused"));
    const QString detail = client.lastErrorDetail();
    QVERIFY(!detail.isEmpty());
    QVERIFY(!probe.connectionTimer()->isActive());
    QVERIFY(!client.connected());
    const QStringList log = logLines(client);
    QVERIFY(log.contains(QStringLiteral("Connecting to 127.0.0.1:%1 (plain TN5250)").arg(port)));
    QVERIFY(log.contains(QStringLiteral("Connection refused: %1").arg(detail)));
    QVERIFY(watch.statuses().contains(QStringLiteral("Connection refused: %1").arg(detail)));

    if (autoReconnect) {
        QCOMPARE(watch.states(), QStringList() << "Connecting" << "Reconnect wait");
        QCOMPARE(client.status(), QStringLiteral("Connection lost — reconnecting in 2 s"));
        QVERIFY(probe.reconnectTimer()->isActive());
        QCOMPARE(probe.reconnectTimer()->interval(), 2000);
        QCOMPARE(client.reconnectAttempt(), 1);
        QVERIFY(client.property("reconnecting").toBool());
        QVERIFY(log.contains(QStringLiteral("Reconnect attempt 1 scheduled in 2 s (Connection refused)")));
    } else {
        QCOMPARE(watch.states(), QStringList() << "Connecting" << "Error");
        QCOMPARE(client.status(), QStringLiteral("Connection refused: %1").arg(detail));
        QVERIFY(!probe.reconnectTimer()->isActive());
        QCOMPARE(client.reconnectAttempt(), 0);
        QVERIFY(!client.property("reconnecting").toBool());
    }
}

void TestLifecycle::reconnectScheduleGrowsToThirtySeconds()
{
    const quint16 port = unusedPort();
    Tn5250Client client;
    ClientProbe probe(client);
    configure(client, port, false, true);
    client.connectToHost();

    const int expectedDelays[] = { 2, 5, 10, 20, 30, 30 };
    int attempt = 0;
    for (int delay : expectedDelays) {
        ++attempt;
        QTRY_VERIFY(probe.reconnectTimer()->isActive());
        QCOMPARE(probe.reconnectTimer()->interval(), delay * 1000);
        QCOMPARE(client.reconnectAttempt(), attempt);
        QCOMPARE(client.connectionState(), QStringLiteral("Reconnect wait"));
        QCOMPARE(client.status(), QStringLiteral("Connection lost — reconnecting in %1 s").arg(delay));
        QCOMPARE(logLines(client).last(),
                 QStringLiteral("Reconnect attempt %1 scheduled in %2 s (Connection refused)").arg(attempt).arg(delay));

        fire(probe.reconnectTimer(), client, "reconnectTimeout");
        QCOMPARE(client.connectionState(), QStringLiteral("Reconnecting"));
        QCOMPARE(client.status(), QStringLiteral("Reconnecting to 127.0.0.1:%1…").arg(port));
        QCOMPARE(logLines(client).last(), QStringLiteral("Reconnecting to 127.0.0.1:%1 (plain TN5250)").arg(port));
        // A reconnect keeps counting.
        QCOMPARE(client.reconnectAttempt(), attempt);
    }
}

void TestLifecycle::scheduleWhilePendingChangesNothing()
{
    Tn5250Client client;
    ClientProbe probe(client);
    configure(client, unusedPort(), false, true);
    client.connectToHost();
    QTRY_VERIFY(probe.reconnectTimer()->isActive());
    const int lines = logLines(client).size();

    ClientProbe(client).scheduleReconnect(QStringLiteral("again"));
    QCOMPARE(client.reconnectAttempt(), 1);
    QCOMPARE(probe.reconnectTimer()->interval(), 2000);
    QCOMPARE(logLines(client).size(), lines);
}

void TestLifecycle::userConnectSavesSettingsReconnectDoesNot()
{
    const quint16 firstPort = unusedPort();
    Tn5250Client client;
    ClientProbe probe(client);
    configure(client, firstPort, false, true);
    client.connectToHost();
    {
        Tn5250Client reader;
        QCOMPARE(reader.host(), QStringLiteral("127.0.0.1"));
        QCOMPARE(reader.port(), int(firstPort));
    }
    QTRY_VERIFY(probe.reconnectTimer()->isActive());

    // Changed while waiting, then the reconnect: the change is used but not
    // written, since nobody asked to connect.
    const quint16 secondPort = firstPort == 65535 ? firstPort - 1 : firstPort + 1;
    client.setPort(secondPort);
    fire(probe.reconnectTimer(), client, "reconnectTimeout");
    QCOMPARE(logLines(client).last(), QStringLiteral("Reconnecting to 127.0.0.1:%1 (plain TN5250)").arg(secondPort));
    Tn5250Client reader;
    QCOMPARE(reader.port(), int(firstPort));
}

void TestLifecycle::connectWhileWaitingStartsAfresh()
{
    Tn5250Client client;
    ClientProbe probe(client);
    configure(client, unusedPort(), false, true);
    client.connectToHost();
    QTRY_VERIFY(probe.reconnectTimer()->isActive());
    fire(probe.reconnectTimer(), client, "reconnectTimeout");
    QTRY_COMPARE(client.reconnectAttempt(), 2);

    client.connectToHost();
    QVERIFY(!probe.reconnectTimer()->isActive());
    QCOMPARE(client.reconnectAttempt(), 0);
    QCOMPARE(client.connectionState(), QStringLiteral("Connecting"));
    QVERIFY(client.lastErrorCategory().isEmpty());
    QTRY_VERIFY(probe.reconnectTimer()->isActive());
    QCOMPARE(probe.reconnectTimer()->interval(), 2000);
    QCOMPARE(client.reconnectAttempt(), 1);
}

void TestLifecycle::timerAfterUserDisconnectDoesNothing()
{
    Tn5250Client client;
    ClientProbe probe(client);
    configure(client, unusedPort(), false, true);
    client.connectToHost();
    QTRY_VERIFY(probe.reconnectTimer()->isActive());

    QSignalSpy info(&client, SIGNAL(connectionInfoChanged()));
    client.disconnectFromHost();
    QVERIFY(!probe.reconnectTimer()->isActive());
    QCOMPARE(client.connectionState(), QStringLiteral("Disconnected"));
    QCOMPARE(client.status(), QStringLiteral("Disconnected"));
    QCOMPARE(client.reconnectAttempt(), 0);
    QVERIFY(!client.reconnecting());
    QVERIFY(info.count() >= 1);
    // The last error of the failed attempt stays for the interface.
    QCOMPARE(client.lastErrorCategory(), QStringLiteral("Connection refused"));

    const int lines = logLines(client).size();
    QVERIFY(QMetaObject::invokeMethod(&client, "reconnectTimeout"));
    QCOMPARE(client.connectionState(), QStringLiteral("Disconnected"));
    QVERIFY(!probe.socket());
    QCOMPARE(logLines(client).size(), lines);
}

void TestLifecycle::silentHostIsGivenUp_data()
{
    QTest::addColumn<bool>("demoHost");
    QTest::addColumn<bool>("autoReconnect");
    QTest::newRow("demo host that never negotiates, reconnect off") << true << false;
    QTest::newRow("demo host that never negotiates, reconnect on") << true << true;
    QTest::newRow("host that accepts and says nothing, reconnect on") << false << true;
}

// A host that takes the connection and never says a word: the client
// negotiates no longer than 15 seconds after TCP connected, then gives up
// as for a host that does not answer at all.
void TestLifecycle::silentHostIsGivenUp()
{
    QFETCH(bool, demoHost);
    QFETCH(bool, autoReconnect);
    DemoHost demo;
    demo.setBehaviour(DemoBehaviour::NeverNegotiate);
    SilentHost silent;
    quint16 port = 0;
    if (demoHost) {
        QVERIFY(demo.listen());
        port = demo.serverPort();
    } else {
        QVERIFY(silent.listen());
        port = silent.port();
    }
    Tn5250Client client;
    ClientProbe probe(client);
    configure(client, port, false, autoReconnect);
    ConnectionWatch watch(&client);
    QSignalSpy connectedSpy(&client, SIGNAL(connectedChanged()));

    client.connectToHost();
    QTRY_COMPARE(client.connectionState(), QStringLiteral("Negotiating"));
    QCOMPARE(watch.states(), QStringList() << "Connecting" << "Negotiating");
    QVERIFY(client.connected());
    QCOMPARE(connectedSpy.count(), 1);
    QCOMPARE(client.status(), QStringLiteral("Negotiating TN5250…"));
    QVERIFY(logLines(client).contains(QStringLiteral("TCP connection established")));
    // Connected is not yet a session: 15 seconds from TCP connect.
    QVERIFY(probe.connectionTimer()->isActive());
    QCOMPARE(probe.connectionTimer()->interval(), 15000);
    QVERIFY(!probe.reconnectTimer()->isActive());
    if (demoHost)
        QTRY_VERIFY(demo.logLines().join(QLatin1Char('\n')).contains(QStringLiteral("Staying silent")));
    else
        QCOMPARE(silent.acceptedCount(), 1);
    // Plain connections have no TLS details.
    QVERIFY(client.tlsProtocol().isEmpty());
    QVERIFY(client.tlsCipher().isEmpty());
    QVERIFY(client.tlsPeerSubject().isEmpty());
    QVERIFY(client.tlsPeerIssuer().isEmpty());
    QVERIFY(client.tlsValidFrom().isEmpty());
    QVERIFY(client.tlsValidTo().isEmpty());

    fire(probe.connectionTimer(), client, "connectionTimeout");
    QCOMPARE(client.lastErrorCategory(), QStringLiteral("Connection timeout"));
    QCOMPARE(client.lastErrorDetail(),
             QStringLiteral("The host did not start a 5250 session within 15 seconds of connecting"));
    QVERIFY(logLines(client).contains(QStringLiteral("No 5250 session within 15 seconds of connecting")));
    QVERIFY(!client.connected());
    QTRY_VERIFY(!probe.socket());
    QCOMPARE(client.lastErrorCategory(), QStringLiteral("Connection timeout"));
    if (autoReconnect) {
        QCOMPARE(client.connectionState(), QStringLiteral("Reconnect wait"));
        QCOMPARE(probe.reconnectTimer()->interval(), 2000);
    } else {
        QCOMPARE(client.connectionState(), QStringLiteral("Disconnected"));
        QCOMPARE(client.status(), QStringLiteral("Disconnected — Connection timeout"));
    }
}

void TestLifecycle::hostCloses_data()
{
    addAutoReconnectRows();
}

void TestLifecycle::hostCloses()
{
    QFETCH(bool, autoReconnect);
    SilentHost host;
    QVERIFY(host.listen());
    Tn5250Client client;
    ClientProbe probe(client);
    configure(client, host.port(), false, autoReconnect);
    client.connectToHost();
    QTRY_COMPARE(client.connectionState(), QStringLiteral("Negotiating"));
    QTRY_COMPARE(host.acceptedCount(), 1);

    QSignalSpy connectedSpy(&client, SIGNAL(connectedChanged()));
    host.hangUp();
    QTRY_VERIFY(!probe.socket());
    QVERIFY(!client.connected());
    QCOMPARE(connectedSpy.count(), 1);

    // The network library reports the host's close as an error first; the
    // close itself then records nothing more.
    const QString category = client.lastErrorCategory();
    QVERIFY2(category == QLatin1String("Remote host closed connection") || category == QLatin1String("Remote disconnect"),
             qPrintable(category));
    const QStringList log = logLines(client);
    QVERIFY(log.contains(QStringLiteral("Connection closed unexpectedly")));
    if (autoReconnect) {
        QCOMPARE(client.connectionState(), QStringLiteral("Reconnect wait"));
        QCOMPARE(probe.reconnectTimer()->interval(), 2000);
        QVERIFY(log.contains(QStringLiteral("Reconnect attempt 1 scheduled in 2 s (%1)").arg(category)));
        QCOMPARE(client.status(), QStringLiteral("Connection lost — reconnecting in 2 s"));
    } else {
        QCOMPARE(client.connectionState(), QStringLiteral("Disconnected"));
        QCOMPARE(client.status(), QStringLiteral("Disconnected — %1").arg(category));
        QVERIFY(!probe.reconnectTimer()->isActive());
    }
}

// A host that sends one record and hangs up: each session reaches "Ready"
// but does not last, so the waits grow as for a host that never answers
// instead of starting at 2 seconds again and again.
void TestLifecycle::shortSessionsBackOff()
{
    DemoHost host;
    host.setBehaviour(DemoBehaviour::CloseAfterFirstRecord);
    QVERIFY(host.listen());
    Tn5250Client client;
    ClientProbe probe(client);
    configure(client, host.serverPort(), false, true);
    ConnectionWatch watch(&client);
    client.connectToHost();

    const int expectedDelays[] = { 2, 5, 10, 20, 30 };
    int attempt = 0;
    for (int delay : expectedDelays) {
        ++attempt;
        QTRY_VERIFY(probe.reconnectTimer()->isActive());
        QVERIFY2(watch.states().contains(QStringLiteral("Ready")), qPrintable(watch.states().join(", ")));
        QCOMPARE(probe.reconnectTimer()->interval(), delay * 1000);
        QCOMPARE(client.reconnectAttempt(), attempt);
        QCOMPARE(host.sessionCount(), attempt);
        watch.clear();
        fire(probe.reconnectTimer(), client, "reconnectTimeout");
    }
    QTRY_COMPARE(host.sessionCount(), 6);
}

// "Ready" alone starts nothing again; a session that has stayed up for a
// minute (its timer fired here, not waited for) does.
void TestLifecycle::sessionThatStaysUpStartsTheWaitsAgain()
{
    DemoHost host;
    host.setBehaviour(DemoBehaviour::CloseAfterFirstRecord);
    QVERIFY(host.listen());
    Tn5250Client client;
    ClientProbe probe(client);
    configure(client, host.serverPort(), false, true);
    client.connectToHost();
    QTRY_VERIFY(probe.reconnectTimer()->isActive());
    QVERIFY(!probe.sessionUpTimer()->isActive());
    fire(probe.reconnectTimer(), client, "reconnectTimeout");
    QTRY_COMPARE(client.reconnectAttempt(), 2);

    host.setBehaviour(DemoBehaviour::Normal);
    QTRY_VERIFY(probe.reconnectTimer()->isActive());
    fire(probe.reconnectTimer(), client, "reconnectTimeout");
    QTRY_COMPARE(host.currentScreen(), QStringLiteral("signon"));
    QCOMPARE(client.connectionState(), QStringLiteral("Ready"));
    QVERIFY(!probe.connectionTimer()->isActive());
    QVERIFY(probe.sessionUpTimer()->isActive());
    QCOMPARE(probe.sessionUpTimer()->interval(), 60000);
    QCOMPARE(client.reconnectAttempt(), 2);

    QSignalSpy info(&client, SIGNAL(connectionInfoChanged()));
    probe.sessionUpTimer()->stop();
    QVERIFY(QMetaObject::invokeMethod(probe.sessionUpTimer(), "timeout"));
    QCOMPARE(client.reconnectAttempt(), 0);
    QCOMPARE(info.count(), 1);
    QVERIFY(logLines(client).contains(QStringLiteral("Session up for a minute; reconnect waits start again")));

    host.closeSessions();
    QTRY_VERIFY(probe.reconnectTimer()->isActive());
    QCOMPARE(probe.reconnectTimer()->interval(), 2000);
    QCOMPARE(client.reconnectAttempt(), 1);
    QVERIFY(!probe.sessionUpTimer()->isActive());
}

void TestLifecycle::handlersThatConnectOrDisconnect_data()
{
    QTest::addColumn<int>("signal");
    QTest::addColumn<bool>("connectAgain");
    const char *const names[] = { "connectedChanged", "connectionInfoChanged", "statusChanged",
                                  "diagnosticsChanged", "screenChanged" };
    for (int signal = 0; signal < 5; ++signal) {
        QTest::newRow(qPrintable(QStringLiteral("%1 handler connects again").arg(QLatin1String(names[signal]))))
            << signal << true;
        QTest::newRow(qPrintable(QStringLiteral("%1 handler disconnects").arg(QLatin1String(names[signal]))))
            << signal << false;
    }
}

// A QML handler that reacts to the first change after the host hung up by
// connecting again (or disconnecting) runs inside the client's emit. The new
// connection must then be left alone by the rest of the old one's handling:
// no reconnect scheduled for the old one, no state of the old one.
void TestLifecycle::handlersThatConnectOrDisconnect()
{
    QFETCH(int, signal);
    QFETCH(bool, connectAgain);
    // The handler stays connected until the client is destroyed, and the
    // destructor's disconnect still emits: its flags must outlive the client.
    bool armed = false;
    bool acted = false;
    DemoHost host;
    QVERIFY(host.listen());
    Tn5250Client client;
    ClientProbe probe(client);
    configure(client, host.serverPort(), false, true);
    client.connectToHost();
    QTRY_COMPARE(host.currentScreen(), QStringLiteral("signon"));
    QTRY_VERIFY(!client.keyboardLocked());

    auto act = [&]() {
        if (!armed || acted)
            return;
        acted = true;
        if (connectAgain)
            client.connectToHost();
        else
            client.disconnectFromHost();
    };
    void (Tn5250Client::*const changeSignals[])() = { &Tn5250Client::connectedChanged, &Tn5250Client::connectionInfoChanged,
                                                &Tn5250Client::statusChanged, &Tn5250Client::diagnosticsChanged,
                                                &Tn5250Client::screenChanged };
    connect(&client, changeSignals[signal], &client, act);
    armed = true;
    host.closeSessions();
    QTRY_VERIFY(acted);

    if (connectAgain) {
        QTRY_COMPARE(host.sessionCount(), 2);
        QTRY_COMPARE(host.currentScreen(), QStringLiteral("signon"));
        QTRY_VERIFY(!client.keyboardLocked());
        QCOMPARE(client.connectionState(), QStringLiteral("Ready"));
        QVERIFY(client.connected());
        QVERIFY(!probe.reconnectTimer()->isActive());
        QCOMPARE(client.reconnectAttempt(), 0);
        QVERIFY(client.terminalText().contains(QStringLiteral("Sign On")));
        QCOMPARE(host.openSessionCount(), 1);
    } else {
        QTRY_VERIFY(!probe.socket());
        QCOMPARE(client.connectionState(), QStringLiteral("Disconnected"));
        QCOMPARE(client.status(), QStringLiteral("Disconnected"));
        QVERIFY(!probe.reconnectTimer()->isActive());
        QVERIFY(!client.connected());
        QCOMPARE(host.sessionCount(), 1);
    }
}

void TestLifecycle::timeoutWhileConnecting_data()
{
    addAutoReconnectRows();
}

// The timer fires while the socket is still connecting (before the event
// loop could complete the connect), as it does for a host that never
// answers: such a socket reports no close of its own.
void TestLifecycle::timeoutWhileConnecting()
{
    QFETCH(bool, autoReconnect);
    SilentHost host;
    QVERIFY(host.listen());
    Tn5250Client client;
    ClientProbe probe(client);
    configure(client, host.port(), false, autoReconnect);
    client.connectToHost();
    QVERIFY(probe.socket());
    QVERIFY(probe.socket()->state() != QAbstractSocket::ConnectedState);
    QPointer<QAbstractSocket> socket = probe.socket();

    fire(probe.connectionTimer(), client, "connectionTimeout");
    QCOMPARE(client.lastErrorCategory(), QStringLiteral("Connection timeout"));
    QCOMPARE(client.lastErrorDetail(), QStringLiteral("No connection was established within 15 seconds"));
    QVERIFY(!probe.socket());
    QVERIFY(!client.connected());
    const QStringList log = logLines(client);
    QVERIFY(log.contains(QStringLiteral("Connection timed out after 15 seconds")));
    if (autoReconnect) {
        QCOMPARE(client.connectionState(), QStringLiteral("Reconnect wait"));
        QVERIFY(log.contains(QStringLiteral("Reconnect attempt 1 scheduled in 2 s (timeout)")));
        QCOMPARE(client.status(), QStringLiteral("Connection lost — reconnecting in 2 s"));
    } else {
        QCOMPARE(client.connectionState(), QStringLiteral("Disconnected"));
        QCOMPARE(client.status(), QStringLiteral("Disconnected — Connection timeout"));
    }
    // Nothing of the aborted attempt comes later to change that.
    const QString state = client.connectionState();
    QTRY_VERIFY(!socket);
    QCOMPARE(client.connectionState(), state);
    QCOMPARE(client.lastErrorCategory(), QStringLiteral("Connection timeout"));
}

void TestLifecycle::autoReconnectOffWhileWaiting_data()
{
    QTest::addColumn<QString>("failure");
    QTest::newRow("after the host closed the connection") << "close";
    QTest::newRow("after a refused connection") << "refused";
    QTest::newRow("after a timeout while connecting") << "timeout";
}

void TestLifecycle::autoReconnectOffWhileWaiting()
{
    QFETCH(QString, failure);
    SilentHost host;
    QVERIFY(host.listen());
    Tn5250Client client;
    ClientProbe probe(client);
    configure(client, failure == QLatin1String("refused") ? unusedPort() : host.port(), false, true);
    client.connectToHost();
    if (failure == QLatin1String("close")) {
        QTRY_COMPARE(host.acceptedCount(), 1);
        QTRY_COMPARE(client.connectionState(), QStringLiteral("Negotiating"));
        host.hangUp();
    } else if (failure == QLatin1String("timeout")) {
        fire(probe.connectionTimer(), client, "connectionTimeout");
    }
    QTRY_COMPARE(client.connectionState(), QStringLiteral("Reconnect wait"));
    QVERIFY(probe.reconnectTimer()->isActive());

    QSignalSpy info(&client, SIGNAL(connectionInfoChanged()));
    QSignalSpy settings(&client, SIGNAL(settingsChanged()));
    client.setAutoReconnect(false);
    QVERIFY(!probe.reconnectTimer()->isActive());
    QCOMPARE(client.connectionState(), QStringLiteral("Disconnected"));
    QCOMPARE(client.status(), QStringLiteral("Disconnected"));
    QVERIFY(!client.property("reconnecting").toBool());
    QVERIFY(info.count() >= 1);
    QCOMPARE(settings.count(), 1);
}

void TestLifecycle::signalsOfDroppedSocketChangeNothing_data()
{
    QTest::addColumn<bool>("newConnection");
    QTest::newRow("after a user disconnect") << false;
    QTest::newRow("while a newer connection is up") << true;
}

void TestLifecycle::signalsOfDroppedSocketChangeNothing()
{
    QFETCH(bool, newConnection);
    SilentHost host;
    QVERIFY(host.listen());
    Tn5250Client client;
    ClientProbe probe(client);
    configure(client, host.port(), false, true);
    client.connectToHost();
    QTRY_COMPARE(client.connectionState(), QStringLiteral("Negotiating"));
    QPointer<QAbstractSocket> old = probe.socket();
    QVERIFY(old);

    if (newConnection)
        client.connectToHost();
    else
        client.disconnectFromHost();
    QVERIFY(probe.socket().data() != old.data());

    // The old socket object lives until the event loop deletes it. Wire it
    // to the client again and let it report everything it could.
    QVERIFY(old);
    connect(old.data(), SIGNAL(connected()), &client, SLOT(socketConnected()));
    connect(old.data(), SIGNAL(error(QAbstractSocket::SocketError)), &client, SLOT(socketError()));
    connect(old.data(), SIGNAL(disconnected()), &client, SLOT(socketDisconnected()));
    const QString state = client.connectionState();
    const QString status = client.status();
    const bool connected = client.connected();
    const QAbstractSocket *current = probe.socket().data();
    const int lines = logLines(client).size();

    QVERIFY(QMetaObject::invokeMethod(old.data(), "connected"));
    QVERIFY(QMetaObject::invokeMethod(old.data(), "error", Q_ARG(QAbstractSocket::SocketError,
                                                                 QAbstractSocket::RemoteHostClosedError)));
    QVERIFY(QMetaObject::invokeMethod(old.data(), "disconnected"));

    QCOMPARE(client.connectionState(), state);
    QCOMPARE(client.status(), status);
    QCOMPARE(client.connected(), connected);
    QCOMPARE(probe.socket().data(), current);
    QVERIFY(client.lastErrorCategory().isEmpty());
    QVERIFY(!probe.reconnectTimer()->isActive());
    QCOMPARE(logLines(client).size(), lines);

    // Dropping aborted the old connection: the host sees it close, and the
    // object goes away.
    QTRY_COMPARE(host.peerClosedCount(), 1);
    QTRY_VERIFY(!old);
    if (newConnection) {
        // The newer connection carries on undisturbed.
        QTRY_COMPARE(client.connectionState(), QStringLiteral("Negotiating"));
        QCOMPARE(probe.socket().data(), current);
        QVERIFY(client.connected());
    } else {
        QCOMPARE(client.connectionState(), QStringLiteral("Disconnected"));
    }
}

void TestLifecycle::destroyingConnectedClientAbortsSocket()
{
    SilentHost host;
    QVERIFY(host.listen());
    QScopedPointer<Tn5250Client> client(new Tn5250Client);
    ClientProbe probe(*client);
    configure(*client, host.port(), false, true);
    client->connectToHost();
    QTRY_COMPARE(client->connectionState(), QStringLiteral("Negotiating"));
    QPointer<QAbstractSocket> socket = probe.socket();
    QPointer<QTimer> reconnectTimer = probe.reconnectTimer();

    // Everything the client says while it goes.
    QStringList statuses;
    QStringList states;
    Tn5250Client *raw = client.data();
    connect(raw, &Tn5250Client::statusChanged, [&statuses, raw]() { statuses << raw->status(); });
    connect(raw, &Tn5250Client::connectionInfoChanged, [&states, raw]() { states << raw->connectionState(); });

    client.reset();
    QVERIFY(!socket);
    QVERIFY(!reconnectTimer);
    QCOMPARE(statuses, QStringList() << "Disconnected");
    QVERIFY(!states.contains(QStringLiteral("Reconnect wait")));
    QTRY_COMPARE(host.peerClosedCount(), 1);
}

void TestLifecycle::socketErrorCategories_data()
{
    QTest::addColumn<QAbstractSocket::SocketError>("error");
    QTest::addColumn<QString>("category");
    QTest::addColumn<bool>("retry");
    QTest::newRow("connection refused") << QAbstractSocket::ConnectionRefusedError << "Connection refused" << true;
    QTest::newRow("remote host closed") << QAbstractSocket::RemoteHostClosedError << "Remote host closed connection" << true;
    QTest::newRow("host not found") << QAbstractSocket::HostNotFoundError << "DNS / host not found" << true;
    QTest::newRow("access denied") << QAbstractSocket::SocketAccessError << "Socket access denied" << false;
    QTest::newRow("socket timeout") << QAbstractSocket::SocketTimeoutError << "Connection timeout" << true;
    QTest::newRow("network unavailable") << QAbstractSocket::NetworkError << "Network unavailable" << true;
    QTest::newRow("TLS handshake failed") << QAbstractSocket::SslHandshakeFailedError << "TLS handshake failed" << false;
    QTest::newRow("anything else") << QAbstractSocket::ProxyAuthenticationRequiredError << "Connection error" << true;
}

void TestLifecycle::socketErrorCategories()
{
    QFETCH(QAbstractSocket::SocketError, error);
    QFETCH(QString, category);
    QFETCH(bool, retry);
    Tn5250Client client;
    ClientProbe probe(client);
    configure(client, 23, false, true);

    ErrorSocket *socket = new ErrorSocket(&client);
    socket->prepare(error, QStringLiteral("forced error"));
    bool retryFlag = !retry;
    QCOMPARE(classifySocketError(socket, &retryFlag), category);
    QCOMPARE(retryFlag, retry);

    // The same error reported by the current socket.
    probe.socket() = socket;
    connect(socket, SIGNAL(error(QAbstractSocket::SocketError)), &client, SLOT(socketError()));
    QVERIFY(QMetaObject::invokeMethod(socket, "error", Q_ARG(QAbstractSocket::SocketError, error)));
    QCOMPARE(client.lastErrorCategory(), category);
    QCOMPARE(client.lastErrorDetail(), QStringLiteral("forced error"));
    QCOMPARE(logLines(client).contains(QStringLiteral("%1: forced error").arg(category)), true);
    QCOMPARE(client.connectionState(), retry ? QStringLiteral("Reconnect wait") : QStringLiteral("Error"));
    QCOMPARE(probe.reconnectTimer()->isActive(), retry);
    // It never connected, so no close will follow: it is released at once.
    QVERIFY(!probe.socket());
}

void TestLifecycle::classifyWithoutSocket()
{
    bool retry = false;
    QCOMPARE(classifySocketError(nullptr, &retry), QStringLiteral("Network error"));
    QVERIFY(retry);
    QCOMPARE(classifySocketError(nullptr, nullptr), QStringLiteral("Network error"));
}

QTEST_GUILESS_MAIN(TestLifecycle)
#include "tst_lifecycle.moc"
