// Connection profiles: ids, renaming, creating, duplicating, switching and
// deleting, the signals each emits, and what survives a restart.
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include "app/tn5250client.h"
#include "settings/profilestore.h"
#include "settings/settingskeys.h"
#include "codec/ebcdiccodec.h"
#include "common/clientprobe.h"
#include "common/settingssandbox.h"

namespace {

// Ids as the application makes them: "P" and 32 lower-case hex digits.
const QString ID_A = QStringLiteral("P0000000000000000000000000000000a");
const QString ID_B = QStringLiteral("P0000000000000000000000000000000b");
const QString ID_C = QStringLiteral("P0000000000000000000000000000000c");

QString key(const QString &id, const char *name)
{
    return QStringLiteral("profiles/") + id + QLatin1Char('/') + QLatin1String(name);
}

const QStringList PROFILE_SIGNALS = QStringList() << QStringLiteral("profilesChanged")
                                                  << QStringLiteral("settingsChanged")
                                                  << QStringLiteral("credentialsChanged")
                                                  << QStringLiteral("macrosChanged");

QString fortyCharacters()
{
    return QStringLiteral("Production partition in the north campus");
}

// Two profiles, A current, each with a host and a macro of its own.
void writeTwoProfiles(const SettingsSandbox &sandbox)
{
    QVariantMap values;
    values.insert(QStringLiteral("profiles/order"), QStringList() << ID_A << ID_B);
    values.insert(QStringLiteral("profiles/current"), ID_A);
    values.insert(key(ID_A, "name"), QStringLiteral("Alpha"));
    values.insert(key(ID_A, "connection/host"), QStringLiteral("alpha.example"));
    values.insert(key(ID_A, "macros/count"), 1);
    values.insert(key(ID_A, "macros/0/name"), QStringLiteral("Sign on"));
    values.insert(key(ID_A, "macros/0/sequence"), QStringLiteral("ALICE{tab}"));
    values.insert(key(ID_B, "name"), QStringLiteral("Beta"));
    values.insert(key(ID_B, "connection/host"), QStringLiteral("beta.example"));
    values.insert(key(ID_B, "connection/port"), 23);
    values.insert(key(ID_B, "connection/tls"), false);
    values.insert(key(ID_B, "terminal/codePage"), 273);
    sandbox.write(values);
}

} // namespace

class TestProfiles : public QObject
{
    Q_OBJECT

private slots:
    void newIdIsRandomHex();
    void profileListComesFromFile();
    void rename_data();
    void rename();
    void create_data();
    void create();
    void duplicateCopiesAllButPassword();
    void duplicateOfLongNameIsCutAtNextStart();
    void switchToUnknownIdIsRefused();
    void switchToCurrentDoesNothing();
    void switchLoadsOtherProfile();
    void deleteCurrent_data();
    void deleteCurrent();
    void deleteOnlyProfileIsRefused();
    void profileChangeEndsConnection_data();
    void profileChangeEndsConnection();
    void profilesSurviveRestart();
    void profileIdForms_data();
    void profileIdForms();
    void invalidIdsNameNoGroup_data();
    void invalidIdsNameNoGroup();
};

void TestProfiles::newIdIsRandomHex()
{
    const QRegularExpression form(QStringLiteral("^P[0-9a-f]{32}$"));
    const QString first = ProfileStore::newId();
    const QString second = ProfileStore::newId();
    QVERIFY2(form.match(first).hasMatch(), qPrintable(first));
    QVERIFY2(form.match(second).hasMatch(), qPrintable(second));
    QVERIFY(first != second);
}

void TestProfiles::profileListComesFromFile()
{
    SettingsSandbox sandbox;
    writeTwoProfiles(sandbox);
    QVariantMap extra;
    extra.insert(QStringLiteral("profiles/order"),
                 QStringList() << ID_A << ID_B << ID_C);
    sandbox.write(extra);
    Tn5250Client client;
    {
        // Take C's repaired name away again, as a hand edit might.
        QSettings settings(sandbox.settingsPath(), QSettings::IniFormat);
        settings.remove(key(ID_C, "name"));
    }
    client.setHost(QStringLiteral("typed.example"));

    const QVariantList list = client.profiles();
    QCOMPARE(list.size(), 3);
    const QVariantMap a = list.at(0).toMap();
    QCOMPARE(a.value(QStringLiteral("id")).toString(), ID_A);
    QCOMPARE(a.value(QStringLiteral("name")).toString(), QStringLiteral("Alpha"));
    // The host typed into the current profile shows only once it is saved.
    QCOMPARE(a.value(QStringLiteral("host")).toString(), QStringLiteral("alpha.example"));
    QCOMPARE(a.value(QStringLiteral("active")).toBool(), true);
    const QVariantMap b = list.at(1).toMap();
    QCOMPARE(b.value(QStringLiteral("name")).toString(), QStringLiteral("Beta"));
    QCOMPARE(b.value(QStringLiteral("active")).toBool(), false);
    const QVariantMap c = list.at(2).toMap();
    QCOMPARE(c.value(QStringLiteral("name")).toString(), ID_C);
    QCOMPARE(c.value(QStringLiteral("host")).toString(), QString());
    QCOMPARE(client.profileCount(), 3);

    client.saveSettings();
    QCOMPARE(client.profiles().at(0).toMap().value(QStringLiteral("host")).toString(),
             QStringLiteral("typed.example"));
}

void TestProfiles::rename_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("emitted");

    QTest::newRow("blanks only") << QStringLiteral("   ") << QStringLiteral("Profile") << 1;
    QTest::newRow("empty") << QString() << QStringLiteral("Profile") << 1;
    QTest::newRow("padded") << QStringLiteral("  Test system ") << QStringLiteral("Test system") << 1;
    QTest::newRow("50 characters") << fortyCharacters() + QStringLiteral(" and more")
                                   << fortyCharacters() << 1;
    QTest::newRow("current name") << QStringLiteral("Alpha") << QStringLiteral("Alpha") << 0;
    QTest::newRow("current name padded") << QStringLiteral(" Alpha  ") << QStringLiteral("Alpha") << 0;
    // The cut comes before the last trim, so the stored name never ends in
    // a blank that the next start would trim away.
    QTest::newRow("space as the 40th character") << fortyCharacters().left(39) + QStringLiteral(" tail")
                                                 << fortyCharacters().left(39) << 1;
    QTest::newRow("leading blanks are not counted") << QStringLiteral("   ") + fortyCharacters() + QStringLiteral("xyz")
                                                    << fortyCharacters() << 1;
}

void TestProfiles::rename()
{
    QFETCH(QString, name);
    QFETCH(QString, expected);
    QFETCH(int, emitted);

    SettingsSandbox sandbox;
    writeTwoProfiles(sandbox);
    Tn5250Client client;
    SignalRecorder recorder(&client);
    client.setCurrentProfileName(name);
    QCOMPARE(client.currentProfileName(), expected);
    QCOMPARE(sandbox.value(key(ID_A, "name")).toString(), expected);
    QCOMPARE(recorder.all(), emitted ? QStringList(QStringLiteral("profilesChanged")) : QStringList());
}

void TestProfiles::create_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty name") << QString() << QStringLiteral("New profile");
    QTest::newRow("blank name") << QStringLiteral(" \t ") << QStringLiteral("New profile");
    QTest::newRow("padded name") << QStringLiteral(" Test ") << QStringLiteral("Test");
    QTest::newRow("long name") << fortyCharacters() + QStringLiteral("!!!") << fortyCharacters();
    QTest::newRow("line feed as the 40th character") << fortyCharacters().left(39) + QStringLiteral("\nmore")
                                                     << fortyCharacters().left(39);
}

void TestProfiles::create()
{
    QFETCH(QString, name);
    QFETCH(QString, expected);

    SettingsSandbox sandbox;
    writeTwoProfiles(sandbox);
    Tn5250Client client;
    client.setHost(QStringLiteral("unsaved.example"));
    client.setTerminalTheme(2);

    SignalRecorder recorder(&client);
    QVERIFY(client.createProfile(name));

    const QString id = client.currentProfileId();
    QVERIFY(QRegularExpression(QStringLiteral("^P[0-9a-f]{32}$")).match(id).hasMatch());
    QCOMPARE(client.currentProfileName(), expected);
    QCOMPARE(client.profileCount(), 3);
    QCOMPARE(sandbox.value(QStringLiteral("profiles/order")).toStringList(),
             QStringList() << ID_A << ID_B << id);
    QCOMPARE(sandbox.value(QStringLiteral("profiles/current")).toString(), id);

    // Nothing is taken over from the profile that was current.
    QCOMPARE(client.host(), QString());
    QCOMPARE(client.port(), 992);
    QCOMPARE(client.tlsEnabled(), true);
    QCOMPARE(client.terminalTheme(), 0);
    QCOMPARE(client.codePage(), 37);
    QCOMPARE(client.terminalZoom(), 1.25);
    QCOMPARE(client.macros(), QVariantList());
    QCOMPARE(client.userName(), QString());
    const QString prefix = QStringLiteral("profiles/") + id + QLatin1Char('/');
    QCOMPARE(sandbox.value(prefix + QStringLiteral("name")).toString(), expected);
    QVERIFY(sandbox.contains(prefix + QStringLiteral("connection/host")));
    QVERIFY(!sandbox.contains(prefix + QStringLiteral("connection/deviceName")));
    QVERIFY(!sandbox.contains(prefix + QStringLiteral("login/userName")));

    // The profile that was current was saved first, memory-only host included.
    QCOMPARE(sandbox.value(key(ID_A, "connection/host")).toString(),
             QStringLiteral("unsaved.example"));
    QCOMPARE(recorder.only(PROFILE_SIGNALS), PROFILE_SIGNALS);
    QCOMPARE(client.status(), QStringLiteral("Profile selected: ") + expected);
}

void TestProfiles::duplicateCopiesAllButPassword()
{
    SettingsSandbox sandbox;
    writeTwoProfiles(sandbox);
    QVariantMap values;
    values.insert(key(ID_A, "login/userName"), QStringLiteral("ALICE"));
    values.insert(key(ID_A, "login/passwordSaved"), true);
    values.insert(key(ID_A, "automation/autoLogin"), true);
    values.insert(key(ID_A, "terminal/codePage"), 273);
    sandbox.write(values);

    Tn5250Client client;
    QCOMPARE(client.passwordSaved(), true);
    client.setPort(8023);
    QVERIFY(client.saveMacro(-1, QStringLiteral("Menu"), QStringLiteral("{f3}")));

    SignalRecorder recorder(&client);
    QVERIFY(client.duplicateCurrentProfile());
    const QString id = client.currentProfileId();
    QVERIFY(id != ID_A);
    QCOMPARE(client.profileCount(), 3);
    QCOMPARE(client.currentProfileName(), QStringLiteral("Alpha copy"));
    QCOMPARE(client.host(), QStringLiteral("alpha.example"));
    QCOMPARE(client.port(), 8023);
    QCOMPARE(client.codePage(), 273);
    QCOMPARE(client.userName(), QStringLiteral("ALICE"));
    QCOMPARE(client.autoLogin(), false);
    QCOMPARE(client.passwordSaved(), false);
    QCOMPARE(client.credentialStatus(), QStringLiteral("Password not saved for this profile"));
    const QVariantList macros = client.macros();
    QCOMPARE(macros.size(), 2);
    QCOMPARE(macros.at(0).toMap().value(QStringLiteral("sequence")).toString(), QStringLiteral("ALICE{tab}"));
    QCOMPARE(macros.at(1).toMap().value(QStringLiteral("name")).toString(), QStringLiteral("Menu"));
    QCOMPARE(recorder.only(PROFILE_SIGNALS), PROFILE_SIGNALS);

    // The source keeps its password flag and its automatic sign-on.
    QCOMPARE(sandbox.value(key(ID_A, "login/passwordSaved")).toBool(), true);
    QCOMPARE(sandbox.value(key(ID_A, "automation/autoLogin")).toBool(), true);
    QVERIFY(client.switchProfile(ID_A));
    QCOMPARE(client.passwordSaved(), true);
    QCOMPARE(client.autoLogin(), true);
}

void TestProfiles::duplicateOfLongNameIsCutAtNextStart()
{
    SettingsSandbox sandbox;
    {
        Tn5250Client client;
        client.setCurrentProfileName(fortyCharacters());
        QVERIFY(client.duplicateCurrentProfile());
        QCOMPARE(client.currentProfileName(), fortyCharacters() + QStringLiteral(" copy"));
        QCOMPARE(client.currentProfileName().size(), 45);
    }
    Tn5250Client restarted;
    QCOMPARE(restarted.currentProfileName(), fortyCharacters());
}

void TestProfiles::switchToUnknownIdIsRefused()
{
    SettingsSandbox sandbox;
    writeTwoProfiles(sandbox);
    Tn5250Client client;
    const QByteArray file = sandbox.fileBytes();
    SignalRecorder recorder(&client);
    QVERIFY(!client.switchProfile(ID_C));
    QVERIFY(!client.switchProfile(QStringLiteral("b")));
    QVERIFY(!client.switchProfile(QString()));
    QCOMPARE(client.currentProfileId(), ID_A);
    QCOMPARE(recorder.all(), QStringList());
    QCOMPARE(sandbox.fileBytes(), file);
}

void TestProfiles::switchToCurrentDoesNothing()
{
    SettingsSandbox sandbox;
    writeTwoProfiles(sandbox);
    Tn5250Client client;
    client.setHost(QStringLiteral("unsaved.example"));
    const QByteArray file = sandbox.fileBytes();
    SignalRecorder recorder(&client);
    QVERIFY(client.switchProfile(ID_A));
    QCOMPARE(recorder.all(), QStringList());
    QCOMPARE(sandbox.fileBytes(), file);
}

void TestProfiles::switchLoadsOtherProfile()
{
    SettingsSandbox sandbox;
    writeTwoProfiles(sandbox);
    Tn5250Client client;
    client.setHost(QStringLiteral("unsaved.example"));

    SignalRecorder recorder(&client);
    QVERIFY(client.switchProfile(ID_B));
    QCOMPARE(client.currentProfileId(), ID_B);
    QCOMPARE(client.currentProfileName(), QStringLiteral("Beta"));
    QCOMPARE(client.host(), QStringLiteral("beta.example"));
    QCOMPARE(client.port(), 23);
    QCOMPARE(client.tlsEnabled(), false);
    QCOMPARE(client.macros(), QVariantList());
    // The conversion follows the profile.
    QCOMPARE(client.codePage(), 273);
    QCOMPARE(EbcdicCodec::codePage(), 273);
    QCOMPARE(client.status(), QStringLiteral("Profile selected: Beta"));
    QCOMPARE(recorder.only(PROFILE_SIGNALS), PROFILE_SIGNALS);
    QCOMPARE(sandbox.value(QStringLiteral("profiles/current")).toString(), ID_B);
    QCOMPARE(sandbox.value(key(ID_A, "connection/host")).toString(),
             QStringLiteral("unsaved.example"));
    const QVariantList list = client.profiles();
    QCOMPARE(list.at(0).toMap().value(QStringLiteral("active")).toBool(), false);
    QCOMPARE(list.at(1).toMap().value(QStringLiteral("active")).toBool(), true);

    QVERIFY(client.switchProfile(ID_A));
    QCOMPARE(client.host(), QStringLiteral("unsaved.example"));
    QCOMPARE(EbcdicCodec::codePage(), 37);
}

void TestProfiles::deleteCurrent_data()
{
    QTest::addColumn<QStringList>("order");
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("next");
    QTest::newRow("first in the order") << (QStringList() << ID_A << ID_B << ID_C) << ID_A << ID_B;
    QTest::newRow("not first in the order") << (QStringList() << ID_A << ID_B << ID_C) << ID_C << ID_A;
    QTest::newRow("in the middle") << (QStringList() << ID_A << ID_B << ID_C) << ID_B << ID_A;
}

void TestProfiles::deleteCurrent()
{
    QFETCH(QStringList, order);
    QFETCH(QString, current);
    QFETCH(QString, next);

    SettingsSandbox sandbox;
    writeTwoProfiles(sandbox);
    QVariantMap values;
    values.insert(QStringLiteral("profiles/order"), order);
    values.insert(QStringLiteral("profiles/current"), current);
    values.insert(key(ID_C, "name"), QStringLiteral("Gamma"));
    sandbox.write(values);

    Tn5250Client client;
    QCOMPARE(client.currentProfileId(), current);
    // An unsaved change of the deleted profile goes with it.
    client.setHost(QStringLiteral("discarded.example"));

    SignalRecorder recorder(&client);
    QVERIFY(client.deleteCurrentProfile());
    QStringList remaining = order;
    remaining.removeAll(current);
    QCOMPARE(client.currentProfileId(), next);
    QCOMPARE(client.profileCount(), 2);
    QCOMPARE(client.status(), QStringLiteral("Profile deleted"));
    QCOMPARE(recorder.only(PROFILE_SIGNALS), PROFILE_SIGNALS);
    QCOMPARE(sandbox.value(QStringLiteral("profiles/order")).toStringList(), remaining);
    QCOMPARE(sandbox.value(QStringLiteral("profiles/current")).toString(), next);
    const QStringList keys = sandbox.snapshot().keys();
    for (const QString &key : keys) {
        QVERIFY2(!key.startsWith(QStringLiteral("profiles/") + current + QLatin1Char('/')), qPrintable(key));
        QVERIFY2(!key.contains(QStringLiteral("discarded.example")), qPrintable(key));
    }
    QVERIFY(!sandbox.fileBytes().contains("discarded.example"));
    QCOMPARE(client.host(), sandbox.value(QStringLiteral("profiles/") + next + "/connection/host").toString());
}

void TestProfiles::deleteOnlyProfileIsRefused()
{
    SettingsSandbox sandbox;
    Tn5250Client client;
    const QByteArray file = sandbox.fileBytes();
    SignalRecorder recorder(&client);
    QVERIFY(!client.deleteCurrentProfile());
    QCOMPARE(client.currentProfileId(), QStringLiteral("Default"));
    QCOMPARE(recorder.all(), QStringList());
    QCOMPARE(sandbox.fileBytes(), file);
}

void TestProfiles::profileChangeEndsConnection_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<bool>("live");
    QTest::newRow("switch during a connection") << "switch" << true;
    QTest::newRow("switch while waiting to reconnect") << "switch" << false;
    QTest::newRow("create during a connection") << "create" << true;
    QTest::newRow("duplicate while waiting to reconnect") << "duplicate" << false;
    QTest::newRow("delete during a connection") << "delete" << true;
    QTest::newRow("delete while waiting to reconnect") << "delete" << false;
}

void TestProfiles::profileChangeEndsConnection()
{
    QFETCH(QString, operation);
    QFETCH(bool, live);

    SettingsSandbox sandbox;
    writeTwoProfiles(sandbox);
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));
    Tn5250Client client;
    ClientProbe probe(client);
    client.setAutoReconnect(true);

    QPointer<QTcpSocket> socket;
    if (live) {
        socket = new QTcpSocket(&client);
        socket->connectToHost(QHostAddress::LocalHost, server.serverPort());
        QVERIFY(socket->waitForConnected(5000));
        QVERIFY(server.waitForNewConnection(5000));
        probe.socket() = socket.data();
        probe.connected() = true;
        ClientProbe(client).setConnectionState(QStringLiteral("Ready"));
    } else {
        ClientProbe(client).setConnectionState(QStringLiteral("Reconnect wait"));
        probe.reconnectTimer()->start(60000);
    }

    bool done = false;
    if (operation == QLatin1String("switch"))
        done = client.switchProfile(ID_B);
    else if (operation == QLatin1String("create"))
        done = client.createProfile(QStringLiteral("Other"));
    else if (operation == QLatin1String("duplicate"))
        done = client.duplicateCurrentProfile();
    else
        done = client.deleteCurrentProfile();
    QVERIFY(done);

    QVERIFY(probe.socket().isNull());
    QCOMPARE(client.connected(), false);
    QVERIFY(!probe.reconnectTimer()->isActive());
    QCOMPARE(client.connectionState(), QStringLiteral("Disconnected"));
    QVERIFY(!client.reconnecting());
    // Nothing starts a new connection on its own.
    QVERIFY(probe.socket().isNull());
    if (live)
        QTRY_VERIFY(socket.isNull() || socket->state() == QAbstractSocket::UnconnectedState);
}

void TestProfiles::profilesSurviveRestart()
{
    SettingsSandbox sandbox;
    QString created;
    {
        Tn5250Client client;
        client.setShowFunctionBar(false);
        client.setShowActionBar(false);
        client.setShowStatusBar(false);
        client.setTypeAhead(true);

        QVERIFY(client.createProfile(QStringLiteral("Test system")));
        created = client.currentProfileId();
        client.setHost(QStringLiteral("test.example"));
        client.setPort(8023);
        client.setTerminalZoom(2.0);
        client.setCurrentProfileName(QStringLiteral("Test LPAR"));
        QVERIFY(client.saveMacro(-1, QStringLiteral("Menu"), QStringLiteral("{f3}")));

        QVERIFY(client.createProfile(QStringLiteral("Scratch")));
        QVERIFY(client.switchProfile(created));   // saves Scratch, loads Test LPAR
        QVERIFY(client.switchProfile(QStringLiteral("Default")));
        client.setHost(QStringLiteral("  prod.example "));
        QVERIFY(client.switchProfile(created));
        QCOMPARE(client.profileCount(), 3);
        // Delete Scratch: switch to it, then delete; the first profile becomes current.
        const QString scratch = client.profiles().at(2).toMap().value(QStringLiteral("id")).toString();
        QVERIFY(client.switchProfile(scratch));
        QVERIFY(client.deleteCurrentProfile());
        QCOMPARE(client.currentProfileId(), QStringLiteral("Default"));
        QVERIFY(client.switchProfile(created));
    }

    Tn5250Client client;
    QCOMPARE(client.profileCount(), 2);
    QCOMPARE(client.currentProfileId(), created);
    QCOMPARE(client.currentProfileName(), QStringLiteral("Test LPAR"));
    QCOMPARE(client.host(), QStringLiteral("test.example"));
    QCOMPARE(client.port(), 8023);
    QCOMPARE(client.terminalZoom(), 2.0);
    QCOMPARE(client.macros().size(), 1);
    QCOMPARE(client.macros().at(0).toMap().value(QStringLiteral("sequence")).toString(), QStringLiteral("{f3}"));
    const QVariantList list = client.profiles();
    QCOMPARE(list.at(0).toMap().value(QStringLiteral("id")).toString(), QStringLiteral("Default"));
    QCOMPARE(list.at(0).toMap().value(QStringLiteral("host")).toString(), QStringLiteral("prod.example"));
    QCOMPARE(list.at(1).toMap().value(QStringLiteral("name")).toString(), QStringLiteral("Test LPAR"));

    // Hiding the two bars lasts one run; the status bar stays hidden.
    QCOMPARE(client.showFunctionBar(), true);
    QCOMPARE(client.showActionBar(), true);
    QCOMPARE(client.showStatusBar(), false);
    QCOMPARE(client.typeAhead(), true);
}

void TestProfiles::profileIdForms_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<bool>("valid");
    QTest::newRow("Default") << "Default" << true;
    QTest::newRow("P and 32 lower-case hex digits") << "P0123456789abcdef0123456789abcdef" << true;
    QTest::newRow("made by newId") << ProfileStore::newId() << true;
    QTest::newRow("slash: the whole profiles group") << "/" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("no letters or digits") << "-_-" << false;
    QTest::newRow("default in lower case") << "default" << false;
    QTest::newRow("upper-case hex digits") << "P0123456789ABCDEF0123456789abcdef" << false;
    QTest::newRow("31 digits") << "P0123456789abcdef0123456789abcde" << false;
    QTest::newRow("33 digits") << "P0123456789abcdef0123456789abcdef0" << false;
    QTest::newRow("braced UUID") << "{1b4e28ba-2fa1-11d2-883f-0016d3cca427}" << false;
    QTest::newRow("slash inside") << "P0123456789abcdef/123456789abcdef" << false;
}

void TestProfiles::profileIdForms()
{
    QFETCH(QString, id);
    QFETCH(bool, valid);
    QCOMPARE(SettingsKeys::isValidProfileId(id), valid);
    // A key is built for a valid id only; any other lands where no profile is.
    QCOMPARE(SettingsKeys::profilePrefix(id) == QStringLiteral("profiles/") + id + QLatin1Char('/'), valid);
    QVERIFY(SettingsKeys::profilePrefix(id).startsWith(QStringLiteral("profiles/")));
}

void TestProfiles::invalidIdsNameNoGroup_data()
{
    QTest::addColumn<QString>("invalid");
    QTest::newRow("slash") << "/";
    QTest::newRow("no letters or digits") << "-_-";
    QTest::newRow("short id") << "A";
}

// An invalid id in the list, even as the current one, never becomes a
// profile: deleting the current profile then takes only that one's keys.
void TestProfiles::invalidIdsNameNoGroup()
{
    QFETCH(QString, invalid);
    SettingsSandbox sandbox;
    writeTwoProfiles(sandbox);
    QVariantMap values;
    values.insert(QStringLiteral("profiles/order"), QStringList() << ID_A << invalid << ID_B);
    values.insert(QStringLiteral("profiles/current"), invalid);
    sandbox.write(values);

    Tn5250Client client;
    QCOMPARE(client.currentProfileId(), ID_A);
    QCOMPARE(client.profileCount(), 2);
    QCOMPARE(sandbox.value(QStringLiteral("profiles/order")).toStringList(), QStringList() << ID_A << ID_B);
    QVERIFY(!client.switchProfile(invalid));

    QVERIFY(client.deleteCurrentProfile());
    QCOMPARE(client.currentProfileId(), ID_B);
    QCOMPARE(sandbox.value(key(ID_B, "connection/host")).toString(), QStringLiteral("beta.example"));
    QCOMPARE(sandbox.value(key(ID_B, "name")).toString(), QStringLiteral("Beta"));
    QVERIFY(!sandbox.contains(key(ID_A, "name")));
}

QTEST_MAIN(TestProfiles)
#include "tst_profiles.moc"
