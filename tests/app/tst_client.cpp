// Construction and destruction of the client as the interface sees them: the
// published constants, the one-based cursor, the state a first start shows.

#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include "app/tn5250client.h"
#include "common/clientprobe.h"
#include "common/loopbackpair.h"
#include "common/settingssandbox.h"

class TestClient : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void publishedConstants();
    void firstStartState();
    void cursorIsOneBased();
    void timersAreSingleShotAndStopped();
    void destructionAbortsTheSocket();
    void newSessionForgetsNoDataKeys();

private:
    QScopedPointer<SettingsSandbox> m_config;
};

void TestClient::init()
{
    m_config.reset(new SettingsSandbox);
}

void TestClient::publishedConstants()
{
    Tn5250Client client;
    QCOMPARE(client.property("settingsSchemaVersion").toInt(), 6);
    QCOMPARE(client.property("version").toString(), QStringLiteral("1.0.0"));
    QCOMPARE(client.property("codePageOptions").toList().size(), 11);
}

void TestClient::firstStartState()
{
    Tn5250Client client;
    QCOMPARE(client.property("connected").toBool(), false);
    QCOMPARE(client.property("status").toString(), QStringLiteral("Disconnected"));
    QCOMPARE(client.property("connectionState").toString(), QStringLiteral("Disconnected"));
    QCOMPARE(client.property("reconnecting").toBool(), false);
    QCOMPARE(client.property("rows").toInt(), 24);
    QCOMPARE(client.property("columns").toInt(), 80);
    QCOMPARE(client.property("keyboardLocked").toBool(), true);
    QCOMPARE(client.property("inputFieldCount").toInt(), 0);
    QCOMPARE(client.property("rxRecordCount").toInt(), 0);
    QCOMPARE(client.property("port").toInt(), 992);
    QCOMPARE(client.property("tlsEnabled").toBool(), true);
    QCOMPARE(client.property("codePage").toInt(), 37);
    QCOMPARE(client.property("terminalZoom").toDouble(), 1.25);
    QCOMPARE(client.property("host").toString(), Settings::defaultHost());
    QCOMPARE(client.property("profileCount").toInt(), 1);
    QCOMPARE(client.property("currentProfileId").toString(), QStringLiteral("Default"));
    QCOMPARE(client.property("currentProfileName").toString(), QStringLiteral("Default"));

    const char *on[] = {"confirmDisconnect", "doubleTapEnter", "hotspotsEnabled",
                        "showFunctionBar", "showActionBar", "showStatusBar"};
    for (const char *name : on)
        QVERIFY2(client.property(name).toBool(), name);
    const char *off[] = {"autoConnect", "autoReconnect", "autoLogin", "showKeyboardOnConnect",
                         "keepDisplayOn", "typeAhead", "support132", "passwordSaved"};
    for (const char *name : off)
        QVERIFY2(!client.property(name).toBool(), name);
}

void TestClient::cursorIsOneBased()
{
    Tn5250Client client;
    ClientProbe probe(client);
    probe.screen().setCursorIndex(0);
    QCOMPARE(client.property("cursorRow").toInt(), 1);
    QCOMPARE(client.property("cursorColumn").toInt(), 1);
    probe.screen().setCursorIndex(24 * 80 - 1);
    QCOMPARE(client.property("cursorRow").toInt(), 24);
    QCOMPARE(client.property("cursorColumn").toInt(), 80);
}

void TestClient::timersAreSingleShotAndStopped()
{
    Tn5250Client client;
    ClientProbe probe(client);
    QVERIFY(probe.reconnectTimer()->isSingleShot());
    QVERIFY(probe.connectionTimer()->isSingleShot());
    QVERIFY(!probe.reconnectTimer()->isActive());
    QVERIFY(!probe.connectionTimer()->isActive());
    QCOMPARE(probe.reconnectTimer()->parent(), &client);
    QCOMPARE(probe.connectionTimer()->parent(), &client);
}

void TestClient::destructionAbortsTheSocket()
{
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));

    QScopedPointer<Tn5250Client> client(new Tn5250Client);
    client->setProperty("host", QStringLiteral("127.0.0.1"));
    client->setProperty("port", int(server.serverPort()));
    client->setProperty("tlsEnabled", false);
    client->connectToHost();
    QVERIFY(server.waitForNewConnection(5000));
    QTcpSocket *peer = server.nextPendingConnection();
    QVERIFY(peer);
    QTRY_VERIFY(client->property("connected").toBool());

    QSignalSpy closed(peer, SIGNAL(disconnected()));
    client.reset();
    QVERIFY(closed.count() > 0 || closed.wait(5000));
}

// A function key one host marked as sending no data must send its fields
// again in the next session, whose first screen may have no header at all.
void TestClient::newSessionForgetsNoDataKeys()
{
    Tn5250Client client;
    // Write To Display with a Start of Header whose last byte marks F5.
    receive(client, 0x03, QByteArray::fromHex("04110000010700000000000010"));
    QVERIFY(!client.terminalScreen().functionSendsData(5));
    ClientProbe(client).resetProtocolState();
    QVERIFY(client.terminalScreen().functionSendsData(5));
    QCOMPARE(client.terminalScreen().noDataKeyMask, quint32(0));
}

QTEST_GUILESS_MAIN(TestClient)
#include "tst_client.moc"
