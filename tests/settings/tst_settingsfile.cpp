// Loading the settings file at start-up: legacy import, migration of the flat
// layout, repair of damaged files, and what the client shows afterwards.
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QtTest>

#include "app/tn5250client.h"
#include "settings/schemarepair.h"
#include "common/settingssandbox.h"

namespace {

const QVariant ABSENT;

// The fixtures' profile ids, as the application makes them ("P" and 32
// lower-case hex digits). Rows write them {X}, {Y}, {W}, {V} (damaged.conf)
// and {A} (profiles-and-flat.conf).
const char *const FIXTURE_IDS[][2] = {
    { "{X}", "P0000000000000000000000000000000a" },
    { "{Y}", "P0000000000000000000000000000000b" },
    { "{W}", "P0000000000000000000000000000000c" },
    { "{V}", "P0000000000000000000000000000000d" },
    { "{A}", "P0000000000000000000000000000000e" },
};

QString ids(QString text)
{
    for (const auto &id : FIXTURE_IDS)
        text.replace(QLatin1String(id[0]), QLatin1String(id[1]));
    return text;
}

QString id(const char *tag)
{
    return ids(QString::fromLatin1(tag));
}

QString longName(int length)
{
    const QString base = QStringLiteral("Warehouse terminal on the second floor AB");
    return base.left(length);
}

} // namespace

class TestSettingsFile : public QObject
{
    Q_OBJECT

private slots:
    void fixtureIsReadAsWritten();
    void fileIsRepaired_data();
    void fileIsRepaired();
    void loadedState_data();
    void loadedState();
    void repairTwiceChangesNothing_data();
    void repairTwiceChangesNothing();
    void repairedNameIsStable_data();
    void repairedNameIsStable();
    void storedValuesAreNormalisedOnLoad_data();
    void storedValuesAreNormalisedOnLoad();
    void legacyFileIsImportedOnce();
    void legacyFileIsIgnoredAfterImport();
    void unreadableLegacyFileIsTriedAgain_data();
    void unreadableLegacyFileIsTriedAgain();
    void unwritableLocationIsReported();
    void saveSettingsWritesProfileAndGlobals();
    void passwordFlagDecidesCredentialStatus_data();
    void passwordFlagDecidesCredentialStatus();
};

// The damaged fixture must really hold the blanks and duplicates that the
// repair is tested against; INI quoting is easy to get wrong.
void TestSettingsFile::fixtureIsReadAsWritten()
{
    SettingsSandbox sandbox;
    QVERIFY(sandbox.install(QStringLiteral("damaged.conf")));
    QCOMPARE(sandbox.value(QStringLiteral("profiles/order")).toStringList(),
             QStringList() << QLatin1Char(' ') + id("{X}") << id("{X}") << QString() << id("{Y}")
                           << QStringLiteral("Default") << id("{W}") << id("{V}") << id("{X}")
                           << QStringLiteral("/") << QStringLiteral("X") << QStringLiteral("Q")
                           << QStringLiteral("P0000000000000000000000000000000A")
                           << QStringLiteral("P000000000000000000000000000000f"));
    QCOMPARE(sandbox.value(ids(QStringLiteral("profiles/{X}/macros/2/name"))).toString(), QStringLiteral("  Menu  "));
    QCOMPARE(sandbox.value(QStringLiteral("profiles/Default/name")).toString(), QStringLiteral("   "));
}

void TestSettingsFile::fileIsRepaired_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("expected");

    const QString none;
    const QString flat = QStringLiteral("flat.conf");
    const QString both = QStringLiteral("profiles-and-flat.conf");
    const QString damaged = QStringLiteral("damaged.conf");
    const QString junk = QStringLiteral("not-ini.conf");

    auto row = [](const char *name, const QString &fixture, const char *key, const QVariant &expected) {
        QTest::newRow(name) << fixture << QString::fromLatin1(key) << expected;
    };

    row("no file: one profile Default", none, "profiles/order", QStringList(QStringLiteral("Default")));
    row("no file: Default is current", none, "profiles/current", QStringLiteral("Default"));
    row("no file: name", none, "profiles/Default/name", QStringLiteral("Default"));
    row("no file: port", none, "profiles/Default/connection/port", QStringLiteral("992"));
    row("no file: code page", none, "profiles/Default/terminal/codePage", QStringLiteral("37"));
    row("no file: zoom", none, "profiles/Default/display/zoom", QStringLiteral("1.25"));
    row("no file: theme", none, "profiles/Default/display/theme", QStringLiteral("0"));
    row("no file: macro count", none, "profiles/Default/macros/count", QStringLiteral("0"));
    row("no file: host is left to the default", none, "profiles/Default/connection/host", ABSENT);
    row("no file: schema version", none, "settings/schemaVersion", QStringLiteral("6"));
    row("no file: profile schema version", none, "settings/profileSchemaVersion", QStringLiteral("2"));
    row("no file: legacy import done", none, "settings/sandboxSettingsMigrated", QStringLiteral("true"));

    row("flat: host copied into Default", flat, "profiles/Default/connection/host",
        QStringLiteral("legacy-host.example"));
    row("flat: port copied", flat, "profiles/Default/connection/port", QStringLiteral("23"));
    row("flat: TLS copied", flat, "profiles/Default/connection/tls", QStringLiteral("false"));
    row("flat: user name copied", flat, "profiles/Default/login/userName", QStringLiteral("ALICE"));
    row("flat: code page is not taken over", flat, "profiles/Default/terminal/codePage", QStringLiteral("37"));
    row("flat: flat host stays", flat, "connection/host", QStringLiteral("legacy-host.example"));
    row("flat: flat port stays", flat, "connection/port", QStringLiteral("23"));
    row("flat: name Default", flat, "profiles/Default/name", QStringLiteral("Default"));

    row("profiles and flat keys: not migrated", both, "profiles/Default/name", ABSENT);
    row("profiles and flat keys: order kept", both, "profiles/order", QStringList(id("{A}")));
    row("profiles and flat keys: profile host kept", both, "profiles/{A}/connection/host",
        QStringLiteral("alpha.example"));
    row("profiles and flat keys: port default written", both, "profiles/{A}/connection/port", QStringLiteral("992"));

    row("blank, padded, repeated and invalid ids dropped", damaged, "profiles/order",
        QStringList() << id("{X}") << id("{Y}") << QStringLiteral("Default") << id("{W}") << id("{V}"));
    row("unknown current id becomes the first", damaged, "profiles/current", id("{X}"));
    row("keys of an invalid id stay, unread", damaged, "profiles/Q/connection/host", QStringLiteral("q-host.example"));
    row("keys of an invalid id are not repaired", damaged, "profiles/Q/connection/port", ABSENT);
    row("empty name of another profile", damaged, "profiles/{X}/name", QStringLiteral("Profile"));
    row("blank name of Default", damaged, "profiles/Default/name", QStringLiteral("Default"));
    row("missing name becomes the id", damaged, "profiles/{Y}/name", id("{Y}"));
    row("41-character name cut to 40", damaged, "profiles/{W}/name", longName(40));
    row("port 0", damaged, "profiles/{X}/connection/port", QStringLiteral("1"));
    row("port 70000", damaged, "profiles/{Y}/connection/port", QStringLiteral("65535"));
    row("port that is no number", damaged, "profiles/{V}/connection/port", QStringLiteral("1"));
    row("code page 1047", damaged, "profiles/{X}/terminal/codePage", QStringLiteral("37"));
    row("zoom 0", damaged, "profiles/{X}/display/zoom", QStringLiteral("0.5"));
    row("zoom 7", damaged, "profiles/{Y}/display/zoom", QStringLiteral("3"));
    row("zoom that is no number", damaged, "profiles/{V}/display/zoom", QStringLiteral("0.5"));
    row("theme -2", damaged, "profiles/{X}/display/theme", QStringLiteral("0"));
    row("theme 9", damaged, "profiles/{Y}/display/theme", QStringLiteral("3"));
    row("theme in range kept", damaged, "profiles/{V}/display/theme", QStringLiteral("2"));
    row("host untouched", damaged, "profiles/{X}/connection/host", QStringLiteral("host-x.example"));

    row("hole: count of valid macros", damaged, "profiles/{X}/macros/count", QStringLiteral("2"));
    row("hole: first macro name cut to 24", damaged, "profiles/{X}/macros/0/name",
        QStringLiteral("Sign on to the productio"));
    row("hole: later macro moves up, name trimmed", damaged, "profiles/{X}/macros/1/name", QStringLiteral("Menu"));
    row("hole: later sequence moves up", damaged, "profiles/{X}/macros/1/sequence", QStringLiteral("{f3}"));
    row("hole: old last slot gone", damaged, "profiles/{X}/macros/2/name", ABSENT);
    row("count 15: cut to 12", damaged, "profiles/{Y}/macros/count", QStringLiteral("12"));
    row("count 15: entries beyond 12 stay", damaged, "profiles/{Y}/macros/14/name", QStringLiteral("Y macro 14"));
    row("count 15: valid entries stay as stored", damaged, "profiles/{Y}/macros/0/name",
        QStringLiteral("Sign on to the production LPAR"));
    row("count 20 with a hole: rewritten", damaged, "profiles/{W}/macros/count", QStringLiteral("11"));
    row("count 20 with a hole: later entry moves up", damaged, "profiles/{W}/macros/4/name",
        QStringLiteral("W macro 5"));
    row("count 20 with a hole: slot 11 gone", damaged, "profiles/{W}/macros/11/name", ABSENT);
    row("count 20 with a hole: entries beyond 12 gone", damaged, "profiles/{W}/macros/19/sequence", ABSENT);

    row("function bar key removed", damaged, "ui/showFunctionBar", ABSENT);
    row("action bar key removed", damaged, "ui/showActionBar", ABSENT);
    row("status bar key kept", damaged, "ui/showStatusBar", QStringLiteral("false"));

    row("not INI: a Default profile", junk, "profiles/order", QStringList(QStringLiteral("Default")));
    row("not INI: Default named", junk, "profiles/Default/name", QStringLiteral("Default"));
    row("not INI: schema version", junk, "settings/schemaVersion", QStringLiteral("6"));
}

void TestSettingsFile::fileIsRepaired()
{
    QFETCH(QString, fixture);
    QFETCH(QString, key);
    QFETCH(QVariant, expected);
    key = ids(key);

    SettingsSandbox sandbox;
    if (!fixture.isEmpty())
        QVERIFY(sandbox.install(fixture));
    {
        Tn5250Client client;
    }
    if (!expected.isValid()) {
        QVERIFY2(!sandbox.contains(key), qPrintable(sandbox.value(key).toString()));
    } else if (expected.type() == QVariant::StringList) {
        QCOMPARE(sandbox.value(key).toStringList(), expected.toStringList());
    } else {
        QCOMPARE(sandbox.value(key).toString(), expected.toString());
    }
}

void TestSettingsFile::loadedState_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<QString>("property");
    QTest::addColumn<QVariant>("expected");

    const QString none;
    const QString flat = QStringLiteral("flat.conf");
    const QString damaged = QStringLiteral("damaged.conf");
    const QString junk = QStringLiteral("not-ini.conf");

    auto row = [](const char *name, const QString &fixture, const char *property, const QVariant &expected) {
        QTest::newRow(name) << fixture << QString::fromLatin1(property) << expected;
    };

    row("no file: id", none, "currentProfileId", QStringLiteral("Default"));
    row("no file: name", none, "currentProfileName", QStringLiteral("Default"));
    row("no file: one profile", none, "profileCount", 1);
    row("no file: default host", none, "host", Settings::defaultHost());
    row("no file: port", none, "port", 992);
    row("no file: TLS", none, "tlsEnabled", true);
    row("no file: code page", none, "codePage", 37);
    row("no file: zoom", none, "terminalZoom", 1.25);
    row("no file: theme", none, "terminalTheme", 0);
    row("no file: device name", none, "deviceName", QString());
    row("no file: type-ahead off", none, "typeAhead", false);
    row("no file: confirm disconnect", none, "confirmDisconnect", true);
    row("no file: status bar shown", none, "showStatusBar", true);

    row("flat: host", flat, "host", QStringLiteral("legacy-host.example"));
    row("flat: port", flat, "port", 23);
    row("flat: TLS off", flat, "tlsEnabled", false);
    row("flat: device name", flat, "deviceName", QStringLiteral("DSP01"));
    row("flat: 132 columns", flat, "support132", true);
    row("flat: code page not migrated", flat, "codePage", 37);
    row("flat: zoom", flat, "terminalZoom", 2.0);
    row("flat: theme", flat, "terminalTheme", 1);
    row("flat: auto connect", flat, "autoConnect", true);
    row("flat: user name", flat, "userName", QStringLiteral("ALICE"));

    row("damaged: first listed profile current", damaged, "currentProfileId", id("{X}"));
    row("damaged: repaired name", damaged, "currentProfileName", QStringLiteral("Profile"));
    row("damaged: five profiles", damaged, "profileCount", 5);
    row("damaged: host", damaged, "host", QStringLiteral("host-x.example"));
    row("damaged: port", damaged, "port", 1);
    row("damaged: code page", damaged, "codePage", 37);
    row("damaged: zoom", damaged, "terminalZoom", 0.5);
    row("damaged: theme", damaged, "terminalTheme", 0);
    row("damaged: function bar back", damaged, "showFunctionBar", true);
    row("damaged: action bar back", damaged, "showActionBar", true);
    row("damaged: status bar stays hidden", damaged, "showStatusBar", false);
    row("damaged: orientation clamped", damaged, "orientationLock", 2);
    row("damaged: keyboard mode clamped", damaged, "keyboardMode", 3);
    row("damaged: function key page clamped", damaged, "functionKeyPage", 0);
    row("damaged: global switch read", damaged, "typeAhead", true);

    row("not INI: id", junk, "currentProfileId", QStringLiteral("Default"));
    row("not INI: host", junk, "host", Settings::defaultHost());
    row("not INI: port", junk, "port", 992);
    // Keys older files do not have read as their safe defaults.
    row("no file: automatic sign-on without TLS off", none, "autoLoginWithoutTls", false);
    row("flat: automatic sign-on without TLS off", flat, "autoLoginWithoutTls", false);
    row("flat: no host recorded with the login", flat, "savedLoginHost", QString());
    row("flat: no port recorded with the login", flat, "savedLoginPort", 0);
}

void TestSettingsFile::loadedState()
{
    QFETCH(QString, fixture);
    QFETCH(QString, property);
    QFETCH(QVariant, expected);

    SettingsSandbox sandbox;
    if (!fixture.isEmpty())
        QVERIFY(sandbox.install(fixture));
    Tn5250Client client;
    QCOMPARE(client.property(property.toLatin1().constData()), expected);
}

void TestSettingsFile::repairTwiceChangesNothing_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::newRow("no file") << QString();
    QTest::newRow("flat layout") << QStringLiteral("flat.conf");
    QTest::newRow("profiles and flat keys") << QStringLiteral("profiles-and-flat.conf");
    QTest::newRow("damaged profiles and macros") << QStringLiteral("damaged.conf");
    QTest::newRow("not an INI file") << QStringLiteral("not-ini.conf");
}

void TestSettingsFile::repairTwiceChangesNothing()
{
    QFETCH(QString, fixture);
    SettingsSandbox sandbox;
    if (!fixture.isEmpty())
        QVERIFY(sandbox.install(fixture));

    Tn5250Client client;
    const QVariantMap once = sandbox.snapshot();
    QVERIFY(!once.isEmpty());
    {
        QSettings settings(sandbox.settingsPath(), QSettings::NativeFormat);
        migrateProfiles(&settings);
        repairSettings(&settings);
    }
    const QVariantMap twice = sandbox.snapshot();
    QCOMPARE(twice.keys(), once.keys());
    for (auto it = once.constBegin(); it != once.constEnd(); ++it)
        QCOMPARE(twice.value(it.key()), it.value());
}

// Names that trimming before the cut left ending in white space: the next
// start trimmed them again and rewrote the file.
void TestSettingsFile::repairedNameIsStable_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("expected");
    const QString name39 = longName(38) + QStringLiteral("s"); // no blank at its end
    QTest::newRow("space as the 40th character") << name39 + QStringLiteral(" floor") << name39;
    QTest::newRow("line feed as the 40th character") << name39 + QStringLiteral("\nfloor") << name39;
    QTest::newRow("tab and spaces across the cut") << longName(38) + QStringLiteral(" \t  x") << longName(38);
    QTest::newRow("leading blanks are not counted") << QStringLiteral("  ") + longName(41) << longName(40);
    QTest::newRow("surrogate pair across the cut")
        << name39 + QString::fromUtf8("\xF0\x9F\x96\xA5") << name39;
    QTest::newRow("only white space") << QStringLiteral(" \n\t ") << QStringLiteral("Default");
}

void TestSettingsFile::repairedNameIsStable()
{
    QFETCH(QString, stored);
    QFETCH(QString, expected);
    SettingsSandbox sandbox;
    QVariantMap values;
    values.insert(QStringLiteral("profiles/order"), QStringList(QStringLiteral("Default")));
    values.insert(QStringLiteral("profiles/Default/name"), stored);
    sandbox.write(values);

    {
        Tn5250Client client;
        QCOMPARE(client.currentProfileName(), expected);
    }
    QCOMPARE(sandbox.value(QStringLiteral("profiles/Default/name")).toString(), expected);
    const QByteArray once = sandbox.fileBytes();
    {
        Tn5250Client client;
        QCOMPARE(client.currentProfileName(), expected);
    }
    QCOMPARE(sandbox.fileBytes(), once);
}

void TestSettingsFile::storedValuesAreNormalisedOnLoad_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QString>("property");
    QTest::addColumn<QVariant>("expected");

    const QString zoom = QStringLiteral("profiles/Default/display/zoom");
    QTest::newRow("zoom 0.1") << zoom << QVariant(0.1) << "terminalZoom" << QVariant(0.5);
    QTest::newRow("zoom 7") << zoom << QVariant(7) << "terminalZoom" << QVariant(3.0);
    QTest::newRow("zoom 3 stays") << zoom << QVariant(3.0) << "terminalZoom" << QVariant(3.0);
    QTest::newRow("zoom 0.5 stays") << zoom << QVariant(0.5) << "terminalZoom" << QVariant(0.5);
    QTest::newRow("zoom 2.75 stays") << zoom << QVariant(2.75) << "terminalZoom" << QVariant(2.75);
    QTest::newRow("code page 1047") << "profiles/Default/terminal/codePage" << QVariant(1047) << "codePage"
                                    << QVariant(37);
    QTest::newRow("theme 4") << "profiles/Default/display/theme" << QVariant(4) << "terminalTheme" << QVariant(3);
    QTest::newRow("port 0") << "profiles/Default/connection/port" << QVariant(0) << "port" << QVariant(1);
    QTest::newRow("name with blanks around") << "profiles/Default/name" << QVariant(QStringLiteral("  Plant 2 "))
                                             << "currentProfileName" << QVariant(QStringLiteral("Plant 2"));
    QTest::newRow("host not trimmed") << "profiles/Default/connection/host"
                                      << QVariant(QStringLiteral(" as400.example "))
                                      << "host" << QVariant(QStringLiteral(" as400.example "));
    QTest::newRow("orientation 5") << "ui/orientationLock" << QVariant(5) << "orientationLock" << QVariant(2);
    QTest::newRow("orientation -3") << "ui/orientationLock" << QVariant(-3) << "orientationLock" << QVariant(0);
    QTest::newRow("keyboard mode 9") << "ui/keyboardMode" << QVariant(9) << "keyboardMode" << QVariant(3);
    QTest::newRow("function key page 3") << "ui/functionKeyPage" << QVariant(3) << "functionKeyPage"
                                         << QVariant(2);
    QTest::newRow("function bar hidden last time") << "ui/showFunctionBar" << QVariant(false)
                                                   << "showFunctionBar" << QVariant(true);
    QTest::newRow("action bar hidden last time") << "ui/showActionBar" << QVariant(false) << "showActionBar"
                                                 << QVariant(true);
    QTest::newRow("status bar hidden last time") << "ui/showStatusBar" << QVariant(false) << "showStatusBar"
                                                 << QVariant(false);
    QTest::newRow("hotspots off") << "terminal/hotspots" << QVariant(false) << "hotspotsEnabled"
                                  << QVariant(false);
    QTest::newRow("keep display on") << "ui/keepDisplayOn" << QVariant(true) << "keepDisplayOn" << QVariant(true);

    // Switches written by hand or by another tool: the words and numbers
    // that mean off read as off in any case; unknown text reads as the
    // switch's default, never as on for merely not being empty.
    const QString autoLogin = QStringLiteral("profiles/Default/automation/autoLogin");
    const QString confirm = QStringLiteral("terminal/confirmDisconnect");
    const QString withoutTls = QStringLiteral("profiles/Default/automation/autoLoginWithoutTls");
    QTest::newRow("autoLogin=no") << autoLogin << QVariant(QStringLiteral("no")) << "autoLogin" << QVariant(false);
    QTest::newRow("autoLogin=OFF") << autoLogin << QVariant(QStringLiteral("OFF")) << "autoLogin" << QVariant(false);
    QTest::newRow("autoLogin=False") << autoLogin << QVariant(QStringLiteral("False")) << "autoLogin" << QVariant(false);
    QTest::newRow("autoLogin=0") << autoLogin << QVariant(QStringLiteral("0")) << "autoLogin" << QVariant(false);
    QTest::newRow("autoLogin=yes") << autoLogin << QVariant(QStringLiteral("yes")) << "autoLogin" << QVariant(true);
    QTest::newRow("autoLogin=On") << autoLogin << QVariant(QStringLiteral("On")) << "autoLogin" << QVariant(true);
    QTest::newRow("autoLogin=1") << autoLogin << QVariant(QStringLiteral("1")) << "autoLogin" << QVariant(true);
    QTest::newRow("autoLogin=maybe: its default, off") << autoLogin << QVariant(QStringLiteral("maybe")) << "autoLogin"
                                                       << QVariant(false);
    QTest::newRow("autoLogin empty: its default, off") << autoLogin << QVariant(QString()) << "autoLogin"
                                                       << QVariant(false);
    QTest::newRow("confirmDisconnect=NO") << confirm << QVariant(QStringLiteral("NO")) << "confirmDisconnect"
                                          << QVariant(false);
    QTest::newRow("confirmDisconnect=maybe: its default, on") << confirm << QVariant(QStringLiteral("maybe"))
                                                              << "confirmDisconnect" << QVariant(true);
    QTest::newRow("autoLoginWithoutTls=off") << withoutTls << QVariant(QStringLiteral("off")) << "autoLoginWithoutTls"
                                             << QVariant(false);
    QTest::newRow("autoLoginWithoutTls=garbage: off") << withoutTls << QVariant(QStringLiteral("x"))
                                                      << "autoLoginWithoutTls" << QVariant(false);
    QTest::newRow("login port out of range: none") << "profiles/Default/login/port" << QVariant(70000)
                                                   << "savedLoginPort" << QVariant(0);
    QTest::newRow("login host trimmed") << "profiles/Default/login/host" << QVariant(QStringLiteral(" corp.example "))
                                        << "savedLoginHost" << QVariant(QStringLiteral("corp.example"));
}

void TestSettingsFile::storedValuesAreNormalisedOnLoad()
{
    QFETCH(QString, key);
    QFETCH(QVariant, stored);
    QFETCH(QString, property);
    QFETCH(QVariant, expected);

    SettingsSandbox sandbox;
    QVariantMap values;
    values.insert(QStringLiteral("profiles/order"), QStringList(QStringLiteral("Default")));
    values.insert(key, stored);
    sandbox.write(values);

    Tn5250Client client;
    QCOMPARE(client.property(property.toLatin1().constData()), expected);
}

void TestSettingsFile::legacyFileIsImportedOnce()
{
    SettingsSandbox sandbox;
    QVERIFY(sandbox.installLegacy(QStringLiteral("legacy.conf")));
    // Present in both files: the current file wins.
    QVariantMap current;
    current.insert(QStringLiteral("ui/showStatusBar"), true);
    sandbox.write(current);

    {
        Tn5250Client client;
        QCOMPARE(client.host(), QStringLiteral("old-host.example"));
        QCOMPARE(client.port(), 8023);
        QCOMPARE(client.showStatusBar(), true);
    }
    QCOMPARE(sandbox.value(QStringLiteral("settings/sandboxSettingsMigrated")).toBool(), true);
    QCOMPARE(sandbox.value(QStringLiteral("connection/host")).toString(), QStringLiteral("old-host.example"));
    // The legacy file is read, never written.
    QFile legacy(sandbox.legacyPath());
    QVERIFY(legacy.open(QIODevice::ReadOnly));
    QFile fixture(QStringLiteral(VANTOREL_TEST_DATA_DIR "/settings/legacy.conf"));
    QVERIFY(fixture.open(QIODevice::ReadOnly));
    QCOMPARE(legacy.readAll(), fixture.readAll());
}

void TestSettingsFile::legacyFileIsIgnoredAfterImport()
{
    SettingsSandbox sandbox;
    QVERIFY(sandbox.installLegacy(QStringLiteral("legacy.conf")));
    QVariantMap current;
    current.insert(QStringLiteral("settings/sandboxSettingsMigrated"), true);
    sandbox.write(current);

    Tn5250Client client;
    QCOMPARE(client.host(), Settings::defaultHost());
    QVERIFY(!sandbox.contains(QStringLiteral("connection/host")));
}

void TestSettingsFile::unreadableLegacyFileIsTriedAgain_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("doneFlag");
    QTest::newRow("not an INI file") << "not-ini" << QString();
    // Runs as root in CI, where permissions do not stop a read: a folder
    // where the file should be cannot be read by anyone.
    QTest::newRow("a folder in its place") << "folder" << QString();
    QTest::newRow("done flag written by hand as no") << "none" << "no";
}

// Only a clean read marks the old file as imported; one that could not be
// read is tried again at the next start, and then imported.
void TestSettingsFile::unreadableLegacyFileIsTriedAgain()
{
    QFETCH(QString, damage);
    QFETCH(QString, doneFlag);
    SettingsSandbox sandbox;
    if (!doneFlag.isEmpty()) {
        QVariantMap current;
        current.insert(QStringLiteral("settings/sandboxSettingsMigrated"), doneFlag);
        sandbox.write(current);
    }
    if (damage == QLatin1String("not-ini")) {
        QVERIFY(sandbox.installLegacy(QStringLiteral("not-ini.conf")));
    } else if (damage == QLatin1String("folder")) {
        QVERIFY(QDir().mkpath(sandbox.legacyPath()));
    }
    if (damage != QLatin1String("none")) {
        {
            Tn5250Client client;
            QCOMPARE(client.host(), Settings::defaultHost());
        }
        QVERIFY(!Settings::readSwitch(sandbox.value(QStringLiteral("settings/sandboxSettingsMigrated")), false));
        // Mended: a folder goes; installLegacy replaces a file.
        QVERIFY(QDir(sandbox.legacyPath()).removeRecursively());
    }

    QVERIFY(sandbox.installLegacy(QStringLiteral("legacy.conf")));
    {
        Tn5250Client client;
    }
    QCOMPARE(sandbox.value(QStringLiteral("connection/host")).toString(), QStringLiteral("old-host.example"));
    QCOMPARE(sandbox.value(QStringLiteral("settings/sandboxSettingsMigrated")).toBool(), true);
}

void TestSettingsFile::unwritableLocationIsReported()
{
    SettingsSandbox sandbox;
    // Runs as root in CI, where permissions do not stop a write: a regular
    // file where the configuration folder should be makes the path impossible.
    const QString blocker = sandbox.legacyHome() + QStringLiteral("-blocker");
    {
        QFile file(blocker);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not a folder");
    }
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(blocker));

    Tn5250Client client;
    QCOMPARE(client.currentProfileId(), QStringLiteral("Default"));
    QCOMPARE(client.port(), 992);
    client.setHost(QStringLiteral("as400.example"));

    QSignalSpy status(&client, SIGNAL(statusChanged()));
    client.saveSettings();
    QCOMPARE(client.status(), QStringLiteral("Could not save Vantorel settings"));
    QCOMPARE(status.count(), 1);
    QVERIFY2(client.diagnostics().contains(QStringLiteral("Settings save failed with QSettings status 1")),
             qPrintable(client.diagnostics()));
    // The fields stay as they were.
    QCOMPARE(client.host(), QStringLiteral("as400.example"));
}

void TestSettingsFile::saveSettingsWritesProfileAndGlobals()
{
    SettingsSandbox sandbox;
    Tn5250Client client;
    client.setHost(QStringLiteral("  as400.example "));
    client.setPort(8023);
    client.setTlsEnabled(false);
    client.setDeviceName(QStringLiteral("qpadev0001"));
    QVERIFY(!sandbox.contains(QStringLiteral("profiles/Default/connection/host")));

    client.saveSettings();
    QCOMPARE(client.status(), QStringLiteral("Disconnected"));
    const QVariantMap file = sandbox.snapshot();
    QCOMPARE(file.value(QStringLiteral("profiles/Default/connection/host")).toString(),
             QStringLiteral("as400.example"));
    QCOMPARE(file.value(QStringLiteral("profiles/Default/connection/port")).toInt(), 8023);
    QCOMPARE(file.value(QStringLiteral("profiles/Default/connection/tls")).toBool(), false);
    QCOMPARE(file.value(QStringLiteral("profiles/Default/connection/deviceName")).toString(),
             QStringLiteral("QPADEV0001"));
    QCOMPARE(file.value(QStringLiteral("profiles/Default/name")).toString(), QStringLiteral("Default"));
    QCOMPARE(file.value(QStringLiteral("profiles/Default/login/passwordSaved")).toBool(), false);
    QCOMPARE(file.value(QStringLiteral("profiles/current")).toString(), QStringLiteral("Default"));
    QCOMPARE(file.value(QStringLiteral("settings/schemaVersion")).toInt(), 6);
    // The two bar switches are written again although the start removed them.
    QCOMPARE(file.value(QStringLiteral("ui/showFunctionBar")).toBool(), true);
    QCOMPARE(file.value(QStringLiteral("ui/showActionBar")).toBool(), true);
    const char *const globals[] = {"automation/showKeyboardOnConnect", "ui/keepDisplayOn", "terminal/typeAhead",
                                   "terminal/confirmDisconnect", "terminal/doubleTapEnter", "terminal/hotspots",
                                   "ui/showStatusBar", "ui/orientationLock", "ui/keyboardMode",
                                   "ui/functionKeyPage"};
    for (const char *key : globals)
        QVERIFY2(file.contains(QString::fromLatin1(key)), key);
    // No password, in any form, reaches the file.
    QVERIFY(!sandbox.fileBytes().toLower().contains("password="));
}

void TestSettingsFile::passwordFlagDecidesCredentialStatus_data()
{
    QTest::addColumn<bool>("storedFlag");
    QTest::addColumn<QString>("status");
    QTest::newRow("flag set") << true << QStringLiteral("Password saved securely for this profile");
    QTest::newRow("flag clear, nothing in the store") << false << QStringLiteral("Password not saved for this profile");
}

void TestSettingsFile::passwordFlagDecidesCredentialStatus()
{
    QFETCH(bool, storedFlag);
    QFETCH(QString, status);

    SettingsSandbox sandbox;
    QVariantMap values;
    values.insert(QStringLiteral("profiles/order"), QStringList(QStringLiteral("Default")));
    values.insert(QStringLiteral("profiles/Default/login/passwordSaved"), storedFlag);
    sandbox.write(values);

    Tn5250Client client;
    QCOMPARE(client.passwordSaved(), storedFlag);
    QCOMPARE(client.credentialStatus(), status);
    QCOMPARE(sandbox.value(QStringLiteral("profiles/Default/login/passwordSaved")).toBool(), storedFlag);
}

QTEST_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
