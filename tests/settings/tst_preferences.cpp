// The preference setters: normalisation, what reaches the settings file and
// when, and that an unchanged value neither writes nor signals.
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include "app/tn5250client.h"
#include "codec/ebcdiccodec.h"
#include "common/clientprobe.h"
#include "common/settingssandbox.h"

class TestPreferences : public QObject
{
    Q_OBJECT

private slots:
    void setterNormalisesAndPersists_data();
    void setterNormalisesAndPersists();
    void unchangedValueWritesAndEmitsNothing_data();
    void unchangedValueWritesAndEmitsNothing();
    void booleanWritesStampSchemaVersion_data();
    void booleanWritesStampSchemaVersion();
    void memoryOnlyChangeIsLostWithoutSave();
    void codePageWhileDisconnectedSwitchesConversion();
    void codePageWhileConnectedWaitsForReconnect();
    void codePageOptionsListEveryCodePage();
    void autoReconnectOffEndsPendingWait();
    void autoReconnectOffWithoutPendingWaitLeavesState();
};

namespace {

enum Persist { MemoryOnly, Immediate };

} // namespace

Q_DECLARE_METATYPE(Persist)

void TestPreferences::setterNormalisesAndPersists_data()
{
    QTest::addColumn<QString>("property");
    QTest::addColumn<QVariant>("input");
    QTest::addColumn<QVariant>("expected");
    QTest::addColumn<QString>("key");
    QTest::addColumn<Persist>("persist");

    const QString p = QStringLiteral("profiles/Default/");
    QTest::newRow("host trimmed") << "host" << QVariant(QStringLiteral("  as400.example\t"))
                                  << QVariant(QStringLiteral("as400.example")) << p + "connection/host" << MemoryOnly;
    QTest::newRow("port 0") << "port" << QVariant(0) << QVariant(1) << p + "connection/port" << MemoryOnly;
    QTest::newRow("port -5") << "port" << QVariant(-5) << QVariant(1) << p + "connection/port" << MemoryOnly;
    QTest::newRow("port above 65535") << "port" << QVariant(99999) << QVariant(65535) << p + "connection/port"
                                      << MemoryOnly;
    QTest::newRow("port 23") << "port" << QVariant(23) << QVariant(23) << p + "connection/port" << MemoryOnly;
    QTest::newRow("TLS off") << "tlsEnabled" << QVariant(false) << QVariant(false) << p + "connection/tls"
                             << MemoryOnly;
    QTest::newRow("device name with blanks and punctuation")
        << "deviceName" << QVariant(QStringLiteral("  my-dev.01 ")) << QVariant(QStringLiteral("MYDEV01"))
        << p + "connection/deviceName" << MemoryOnly;
    QTest::newRow("device name of sixteen letters") << "deviceName" << QVariant(QStringLiteral("abcdefghijklmnop"))
                                                    << QVariant(QStringLiteral("ABCDEFGHIJ"))
                                                    << p + "connection/deviceName" << MemoryOnly;
    QTest::newRow("device name with a non-ASCII letter")
        << "deviceName" << QVariant(QString(QChar(0x00E4)) + QStringLiteral("_1")) << QVariant(QStringLiteral("_1"))
        << p + "connection/deviceName" << MemoryOnly;
    QTest::newRow("132 columns") << "support132" << QVariant(true) << QVariant(true) << p + "terminal/support132"
                                 << Immediate;
    QTest::newRow("code page 1047 is 37, a change from 273")
        << "codePage" << QVariant(1047) << QVariant(37) << p + "terminal/codePage" << Immediate;
    QTest::newRow("zoom 10") << "terminalZoom" << QVariant(10.0) << QVariant(3.0) << p + "display/zoom" << Immediate;
    QTest::newRow("zoom 0.2") << "terminalZoom" << QVariant(0.2) << QVariant(0.5) << p + "display/zoom" << Immediate;
    QTest::newRow("zoom 1.75") << "terminalZoom" << QVariant(1.75) << QVariant(1.75) << p + "display/zoom"
                               << Immediate;
    QTest::newRow("theme 7") << "terminalTheme" << QVariant(7) << QVariant(3) << p + "display/theme" << Immediate;
    QTest::newRow("theme 2") << "terminalTheme" << QVariant(2) << QVariant(2) << p + "display/theme" << Immediate;
    QTest::newRow("auto connect") << "autoConnect" << QVariant(true) << QVariant(true)
                                  << p + "automation/autoConnect" << Immediate;
    QTest::newRow("auto reconnect") << "autoReconnect" << QVariant(true) << QVariant(true)
                                    << p + "automation/autoReconnect" << Immediate;
    QTest::newRow("auto login without a password") << "autoLogin" << QVariant(true) << QVariant(true)
                                                   << p + "automation/autoLogin" << Immediate;
    QTest::newRow("keyboard on connect") << "showKeyboardOnConnect" << QVariant(true) << QVariant(true)
                                         << "automation/showKeyboardOnConnect" << Immediate;
    QTest::newRow("keep display on") << "keepDisplayOn" << QVariant(true) << QVariant(true) << "ui/keepDisplayOn"
                                     << Immediate;
    QTest::newRow("type-ahead") << "typeAhead" << QVariant(true) << QVariant(true) << "terminal/typeAhead"
                                << Immediate;
    QTest::newRow("confirm disconnect off") << "confirmDisconnect" << QVariant(false) << QVariant(false)
                                            << "terminal/confirmDisconnect" << Immediate;
    QTest::newRow("double tap off") << "doubleTapEnter" << QVariant(false) << QVariant(false)
                                    << "terminal/doubleTapEnter" << Immediate;
    QTest::newRow("hotspots off") << "hotspotsEnabled" << QVariant(false) << QVariant(false) << "terminal/hotspots"
                                  << Immediate;
    QTest::newRow("function bar off") << "showFunctionBar" << QVariant(false) << QVariant(false)
                                      << "ui/showFunctionBar" << Immediate;
    QTest::newRow("action bar off") << "showActionBar" << QVariant(false) << QVariant(false) << "ui/showActionBar"
                                    << Immediate;
    QTest::newRow("status bar off") << "showStatusBar" << QVariant(false) << QVariant(false) << "ui/showStatusBar"
                                    << Immediate;
    QTest::newRow("orientation 9") << "orientationLock" << QVariant(9) << QVariant(2) << "ui/orientationLock"
                                   << Immediate;
    QTest::newRow("keyboard mode 2") << "keyboardMode" << QVariant(2) << QVariant(2) << "ui/keyboardMode"
                                     << Immediate;
    QTest::newRow("function key page 9") << "functionKeyPage" << QVariant(9) << QVariant(2) << "ui/functionKeyPage"
                                         << Immediate;
}

void TestPreferences::setterNormalisesAndPersists()
{
    QFETCH(QString, property);
    QFETCH(QVariant, input);
    QFETCH(QVariant, expected);
    QFETCH(QString, key);
    QFETCH(Persist, persist);

    SettingsSandbox sandbox;
    if (property == QLatin1String("codePage")) {
        // Start from another code page, so that the fallback to 37 is a change.
        QVariantMap values;
        values.insert(QStringLiteral("profiles/order"), QStringList(QStringLiteral("Default")));
        values.insert(QStringLiteral("profiles/Default/terminal/codePage"), 273);
        sandbox.write(values);
    }
    Tn5250Client client;
    const QByteArray name = property.toLatin1();
    const QVariant before = sandbox.value(key);
    QVERIFY(client.property(name.constData()) != expected);

    QSignalSpy changed(&client, SIGNAL(settingsChanged()));
    QSignalSpy profiles(&client, SIGNAL(profilesChanged()));
    QVERIFY(client.setProperty(name.constData(), input));
    QCOMPARE(client.property(name.constData()), expected);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(profiles.count(), 0);

    if (persist == MemoryOnly) {
        QCOMPARE(sandbox.value(key), before);
        client.saveSettings();
    }
    QCOMPARE(sandbox.value(key).toString(), expected.toString());
}

void TestPreferences::unchangedValueWritesAndEmitsNothing_data()
{
    QTest::addColumn<QString>("property");
    QTest::addColumn<QVariant>("input");

    QTest::newRow("stored host with blanks around") << "host"
                                                    << QVariant(QStringLiteral("  ") + Settings::defaultHost()
                                                                + QStringLiteral(" "));
    QTest::newRow("port 992") << "port" << QVariant(992);
    QTest::newRow("TLS on") << "tlsEnabled" << QVariant(true);
    QTest::newRow("device name of punctuation only") << "deviceName" << QVariant(QStringLiteral("---"));
    QTest::newRow("132 columns off") << "support132" << QVariant(false);
    QTest::newRow("code page 1047 while 37") << "codePage" << QVariant(1047);
    QTest::newRow("zoom 1.2505 while 1.25") << "terminalZoom" << QVariant(1.2505);
    QTest::newRow("zoom 1.2495 while 1.25") << "terminalZoom" << QVariant(1.2495);
    QTest::newRow("theme -4 while 0") << "terminalTheme" << QVariant(-4);
    QTest::newRow("auto connect off") << "autoConnect" << QVariant(false);
    QTest::newRow("auto reconnect off") << "autoReconnect" << QVariant(false);
    QTest::newRow("auto login off") << "autoLogin" << QVariant(false);
    QTest::newRow("keyboard on connect off") << "showKeyboardOnConnect" << QVariant(false);
    QTest::newRow("keep display off") << "keepDisplayOn" << QVariant(false);
    QTest::newRow("type-ahead off") << "typeAhead" << QVariant(false);
    QTest::newRow("confirm disconnect on") << "confirmDisconnect" << QVariant(true);
    QTest::newRow("double tap on") << "doubleTapEnter" << QVariant(true);
    QTest::newRow("hotspots on") << "hotspotsEnabled" << QVariant(true);
    QTest::newRow("function bar on") << "showFunctionBar" << QVariant(true);
    QTest::newRow("action bar on") << "showActionBar" << QVariant(true);
    QTest::newRow("status bar on") << "showStatusBar" << QVariant(true);
    QTest::newRow("orientation -1 while 0") << "orientationLock" << QVariant(-1);
    QTest::newRow("keyboard mode -1 while 0") << "keyboardMode" << QVariant(-1);
    QTest::newRow("function key page 0") << "functionKeyPage" << QVariant(0);
    QTest::newRow("profile name with blanks around") << "currentProfileName" << QVariant(QStringLiteral(" Default "));
}

void TestPreferences::unchangedValueWritesAndEmitsNothing()
{
    QFETCH(QString, property);
    QFETCH(QVariant, input);

    SettingsSandbox sandbox;
    Tn5250Client client;
    const QByteArray file = sandbox.fileBytes();
    QVERIFY(!file.isEmpty());
    const QVariant before = client.property(property.toLatin1().constData());

    SignalRecorder recorder(&client);
    QVERIFY(client.setProperty(property.toLatin1().constData(), input));
    QCOMPARE(recorder.all(), QStringList());
    QCOMPARE(client.property(property.toLatin1().constData()), before);
    QCOMPARE(sandbox.fileBytes(), file);
}

void TestPreferences::booleanWritesStampSchemaVersion_data()
{
    QTest::addColumn<QString>("property");
    QTest::addColumn<QVariant>("input");
    QTest::newRow("132 columns") << "support132" << QVariant(true);
    QTest::newRow("auto connect") << "autoConnect" << QVariant(true);
    QTest::newRow("type-ahead") << "typeAhead" << QVariant(true);
    QTest::newRow("status bar") << "showStatusBar" << QVariant(false);
}

void TestPreferences::booleanWritesStampSchemaVersion()
{
    QFETCH(QString, property);
    QFETCH(QVariant, input);

    SettingsSandbox sandbox;
    Tn5250Client client;
    {
        QSettings settings(sandbox.settingsPath(), QSettings::IniFormat);
        settings.remove(QStringLiteral("settings/schemaVersion"));
    }
    QVERIFY(client.setProperty(property.toLatin1().constData(), input));
    QCOMPARE(sandbox.value(QStringLiteral("settings/schemaVersion")).toInt(), 6);
}

void TestPreferences::memoryOnlyChangeIsLostWithoutSave()
{
    SettingsSandbox sandbox;
    {
        Tn5250Client client;
        client.setHost(QStringLiteral("as400.example"));
        client.setPort(8023);
        client.setDeviceName(QStringLiteral("DSP01"));
        client.setTerminalTheme(2);
    }
    Tn5250Client restarted;
    QCOMPARE(restarted.host(), Settings::defaultHost());
    QCOMPARE(restarted.port(), 992);
    QCOMPARE(restarted.deviceName(), QString());
    QCOMPARE(restarted.terminalTheme(), 2);
}

void TestPreferences::codePageWhileDisconnectedSwitchesConversion()
{
    SettingsSandbox sandbox;
    Tn5250Client client;
    QCOMPARE(EbcdicCodec::codePage(), 37);
    client.setCodePage(273);
    QCOMPARE(client.codePage(), 273);
    QCOMPARE(EbcdicCodec::codePage(), 273);
    QCOMPARE(client.codePageDescription(), QStringLiteral("273 — Germany/Austria"));
    QCOMPARE(sandbox.value(QStringLiteral("profiles/Default/terminal/codePage")).toInt(), 273);
    QVERIFY(client.status() != QStringLiteral("Code page changed — reconnect to apply it to the IBM i device"));
    client.setCodePage(37);
}

void TestPreferences::codePageWhileConnectedWaitsForReconnect()
{
    SettingsSandbox sandbox;
    Tn5250Client client;
    ClientProbe probe(client);
    probe.connected() = true;

    QSignalSpy changed(&client, SIGNAL(settingsChanged()));
    client.setCodePage(273);
    QCOMPARE(client.codePage(), 273);
    QCOMPARE(EbcdicCodec::codePage(), 37);
    QCOMPARE(client.status(), QStringLiteral("Code page changed — reconnect to apply it to the IBM i device"));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(sandbox.value(QStringLiteral("profiles/Default/terminal/codePage")).toInt(), 273);
    probe.connected() = false;
}

void TestPreferences::codePageOptionsListEveryCodePage()
{
    SettingsSandbox sandbox;
    Tn5250Client client;
    const QVariantList options = client.codePageOptions();
    QCOMPARE(options.size(), 11);
    const QVariantMap first = options.first().toMap();
    QCOMPARE(first.value(QStringLiteral("value")).toInt(), 37);
    QCOMPARE(first.value(QStringLiteral("label")).toString(), QStringLiteral("37 — US/Canada"));
    QCOMPARE(options.last().toMap().value(QStringLiteral("value")).toInt(), 871);
    QCOMPARE(client.codePageDescription(), QStringLiteral("37 — US/Canada"));
}

void TestPreferences::autoReconnectOffEndsPendingWait()
{
    SettingsSandbox sandbox;
    Tn5250Client client;
    ClientProbe probe(client);
    client.setAutoReconnect(true);
    ClientProbe(client).setConnectionState(QStringLiteral("Reconnect wait"));
    ClientProbe(client).setStatus(QStringLiteral("Connection lost — reconnecting in 2 s"));
    probe.reconnectTimer()->start(60000);
    QVERIFY(client.reconnecting());

    SignalRecorder recorder(&client);
    client.setAutoReconnect(false);
    QVERIFY(!probe.reconnectTimer()->isActive());
    QVERIFY(!client.reconnecting());
    QCOMPARE(client.connectionState(), QStringLiteral("Disconnected"));
    QCOMPARE(client.status(), QStringLiteral("Disconnected"));
    QVERIFY(recorder.all().contains(QStringLiteral("connectionInfoChanged")));
    QCOMPARE(recorder.only(QStringList() << QStringLiteral("settingsChanged")).size(), 1);
    QCOMPARE(recorder.all().last(), QStringLiteral("settingsChanged"));
    QCOMPARE(sandbox.value(QStringLiteral("profiles/Default/automation/autoReconnect")).toBool(), false);
}

void TestPreferences::autoReconnectOffWithoutPendingWaitLeavesState()
{
    SettingsSandbox sandbox;
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));
    Tn5250Client client;
    ClientProbe probe(client);
    client.setAutoReconnect(true);

    // A live connection: switching the preference off does not touch it.
    QTcpSocket *socket = new QTcpSocket(&client);
    socket->connectToHost(QHostAddress::LocalHost, server.serverPort());
    QVERIFY(socket->waitForConnected(5000));
    probe.socket() = socket;
    probe.connected() = true;
    ClientProbe(client).setConnectionState(QStringLiteral("Ready"));

    SignalRecorder recorder(&client);
    client.setAutoReconnect(false);
    QCOMPARE(client.connectionState(), QStringLiteral("Ready"));
    QCOMPARE(recorder.all(), QStringList() << QStringLiteral("settingsChanged"));
    QCOMPARE(socket->state(), QAbstractSocket::ConnectedState);
    probe.connected() = false;
}

QTEST_MAIN(TestPreferences)
#include "tst_preferences.moc"
