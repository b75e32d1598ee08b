// Macro storage of a profile: limits, adding, replacing and deleting, and
// the list offered to the interface.
#include <QSignalSpy>
#include <QtTest>

#include "app/tn5250client.h"
#include "common/settingssandbox.h"

namespace {

const QString PREFIX = QStringLiteral("profiles/Default/macros/");

// Writes a macro group straight into the file, after the client has started
// (the start-up repair would otherwise tidy it). An empty name leaves the
// name key out.
void storeMacros(const SettingsSandbox &sandbox, int count, int entries)
{
    QVariantMap values;
    values.insert(PREFIX + QStringLiteral("count"), count);
    for (int n = 0; n < entries; ++n) {
        values.insert(PREFIX + QString::number(n) + QStringLiteral("/name"), QStringLiteral("M%1").arg(n));
        values.insert(PREFIX + QString::number(n) + QStringLiteral("/sequence"), QStringLiteral("s%1").arg(n));
    }
    sandbox.write(values);
}

QStringList names(const QVariantList &list)
{
    QStringList result;
    for (const QVariant &entry : list)
        result << entry.toMap().value(QStringLiteral("name")).toString();
    return result;
}

} // namespace

class TestMacroStorage : public QObject
{
    Q_OBJECT

private slots:
    void addToEmptyProfile();
    void save_data();
    void save();
    void thirteenthMacroIsRefused();
    void listShowsAtMostTwelve();
    void deleteClosesTheGap();
    void deleteKeepsGeneratedNames();
    void deleteWithStoredCountTwenty();
    void deleteMissingIndexIsRefused_data();
    void deleteMissingIndexIsRefused();
};

void TestMacroStorage::addToEmptyProfile()
{
    SettingsSandbox sandbox;
    Tn5250Client client;
    QCOMPARE(client.macros(), QVariantList());

    SignalRecorder recorder(&client);
    QVERIFY(client.saveMacro(-1, QStringLiteral("  Sign on "), QStringLiteral("ALICE{tab}")));
    QCOMPARE(recorder.all(), QStringList() << QStringLiteral("macrosChanged") << QStringLiteral("statusChanged"));
    QCOMPARE(client.status(), QStringLiteral("Macro saved"));
    QCOMPARE(sandbox.value(PREFIX + QStringLiteral("count")).toInt(), 1);
    QCOMPARE(sandbox.value(PREFIX + QStringLiteral("0/name")).toString(), QStringLiteral("Sign on"));

    const QVariantList list = client.macros();
    QCOMPARE(list.size(), 1);
    const QVariantMap entry = list.first().toMap();
    QCOMPARE(entry.value(QStringLiteral("index")).toInt(), 0);
    QCOMPARE(entry.value(QStringLiteral("name")).toString(), QStringLiteral("Sign on"));
    QCOMPARE(entry.value(QStringLiteral("sequence")).toString(), QStringLiteral("ALICE{tab}"));
}

void TestMacroStorage::save_data()
{
    QTest::addColumn<int>("storedCount");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("sequence");
    QTest::addColumn<bool>("saved");
    QTest::addColumn<QString>("status");
    QTest::addColumn<int>("slot");
    QTest::addColumn<int>("count");

    const QString required = QStringLiteral("Macro name and sequence are required");
    const QString full = QStringLiteral("A profile can have up to 12 macros");
    const QString ok = QStringLiteral("Macro saved");
    const QString quiet = QStringLiteral("Disconnected");

    QTest::newRow("name of blanks only") << 2 << -1 << "   " << "x" << false << required << -1 << 2;
    QTest::newRow("empty sequence") << 2 << -1 << "Name" << "" << false << required << -1 << 2;
    QTest::newRow("sequence of blanks kept") << 2 << -1 << "Blanks" << "   " << true << ok << 2 << 3;
    QTest::newRow("30-character name") << 0 << -1 << "abcdefghijklmnopqrstuvwxyz0123" << "x" << true << ok << 0
                                       << 1;
    QTest::newRow("600-character sequence") << 0 << -1 << "Long" << QString(600, QLatin1Char('a')) << true << ok
                                            << 0 << 1;
    QTest::newRow("add after a negative count") << -4 << -1 << "First" << "x" << true << ok << 0 << 1;
    QTest::newRow("replace index 1 of 2") << 2 << 1 << "Other" << "y" << true << ok << 1 << 2;
    QTest::newRow("replace index 3 of 2") << 2 << 3 << "Other" << "y" << false << quiet << -1 << 2;
    QTest::newRow("replace index 2 of 2") << 2 << 2 << "Other" << "y" << false << quiet << -1 << 2;
    QTest::newRow("add with a stored count of 20") << 20 << -1 << "More" << "z" << false << full << -1 << 20;
    QTest::newRow("replace index 5 with a stored count of 20") << 20 << 5 << "Five" << "5" << true << ok << 5
                                                               << 12;
    QTest::newRow("replace index 12 with a stored count of 20") << 20 << 12 << "Twelve" << "z" << false << quiet
                                                                << -1 << 20;
}

void TestMacroStorage::save()
{
    QFETCH(int, storedCount);
    QFETCH(int, index);
    QFETCH(QString, name);
    QFETCH(QString, sequence);
    QFETCH(bool, saved);
    QFETCH(QString, status);
    QFETCH(int, slot);
    QFETCH(int, count);

    SettingsSandbox sandbox;
    Tn5250Client client;
    storeMacros(sandbox, storedCount, qMax(0, storedCount));
    const QByteArray before = sandbox.fileBytes();

    QSignalSpy changed(&client, SIGNAL(macrosChanged()));
    QCOMPARE(client.saveMacro(index, name, sequence), saved);
    QCOMPARE(client.status(), status);
    QCOMPARE(changed.count(), saved ? 1 : 0);
    QCOMPARE(sandbox.value(PREFIX + QStringLiteral("count")).toInt(), count);
    if (!saved) {
        QCOMPARE(sandbox.fileBytes(), before);
        return;
    }
    const QString key = PREFIX + QString::number(slot);
    QCOMPARE(sandbox.value(key + QStringLiteral("/name")).toString(), name.trimmed().left(24));
    QCOMPARE(sandbox.value(key + QStringLiteral("/sequence")).toString(), sequence.left(512));
}

void TestMacroStorage::thirteenthMacroIsRefused()
{
    SettingsSandbox sandbox;
    Tn5250Client client;
    for (int n = 0; n < 12; ++n)
        QVERIFY(client.saveMacro(-1, QStringLiteral("Macro"), QStringLiteral("{f%1}").arg(n + 1)));
    QCOMPARE(client.macros().size(), 12);
    QCOMPARE(client.macros().last().toMap().value(QStringLiteral("index")).toInt(), 11);

    const QByteArray before = sandbox.fileBytes();
    QVERIFY(!client.saveMacro(-1, QStringLiteral("Thirteenth"), QStringLiteral("{enter}")));
    QCOMPARE(client.status(), QStringLiteral("A profile can have up to 12 macros"));
    QCOMPARE(sandbox.fileBytes(), before);
}

void TestMacroStorage::listShowsAtMostTwelve()
{
    SettingsSandbox sandbox;
    Tn5250Client client;
    storeMacros(sandbox, 20, 20);
    {
        // A name stored with blanks is shown as stored; a missing name gets
        // its 1-based position.
        QSettings settings(sandbox.settingsPath(), QSettings::IniFormat);
        settings.setValue(PREFIX + QStringLiteral("2/name"), QStringLiteral("  padded  "));
        settings.remove(PREFIX + QStringLiteral("3/name"));
        settings.remove(PREFIX + QStringLiteral("4/sequence"));
    }
    const QVariantList list = client.macros();
    QCOMPARE(list.size(), 12);
    QCOMPARE(list.at(2).toMap().value(QStringLiteral("name")).toString(), QStringLiteral("  padded  "));
    QCOMPARE(list.at(3).toMap().value(QStringLiteral("name")).toString(), QStringLiteral("Macro 4"));
    QCOMPARE(list.at(4).toMap().value(QStringLiteral("sequence")).toString(), QString());
    QCOMPARE(list.at(11).toMap().value(QStringLiteral("name")).toString(), QStringLiteral("M11"));
}

void TestMacroStorage::deleteClosesTheGap()
{
    SettingsSandbox sandbox;
    Tn5250Client client;
    storeMacros(sandbox, 3, 3);

    SignalRecorder recorder(&client);
    QVERIFY(client.deleteMacro(0));
    QCOMPARE(recorder.all(), QStringList() << QStringLiteral("macrosChanged") << QStringLiteral("statusChanged"));
    QCOMPARE(client.status(), QStringLiteral("Macro deleted"));
    QCOMPARE(names(client.macros()), QStringList() << QStringLiteral("M1") << QStringLiteral("M2"));
    QCOMPARE(sandbox.value(PREFIX + QStringLiteral("count")).toInt(), 2);
    QCOMPARE(sandbox.value(PREFIX + QStringLiteral("0/sequence")).toString(), QStringLiteral("s1"));
    QVERIFY(!sandbox.contains(PREFIX + QStringLiteral("2/name")));
}

void TestMacroStorage::deleteKeepsGeneratedNames()
{
    SettingsSandbox sandbox;
    Tn5250Client client;
    storeMacros(sandbox, 3, 3);
    {
        QSettings settings(sandbox.settingsPath(), QSettings::IniFormat);
        settings.remove(PREFIX + QStringLiteral("2/name"));
    }
    QVERIFY(client.deleteMacro(0));
    QCOMPARE(names(client.macros()), QStringList() << QStringLiteral("M1") << QStringLiteral("Macro 3"));
    QCOMPARE(sandbox.value(PREFIX + QStringLiteral("1/name")).toString(), QStringLiteral("Macro 3"));
}

void TestMacroStorage::deleteWithStoredCountTwenty()
{
    SettingsSandbox sandbox;
    Tn5250Client client;
    storeMacros(sandbox, 20, 20);
    QVERIFY(client.deleteMacro(1));
    QCOMPARE(sandbox.value(PREFIX + QStringLiteral("count")).toInt(), 11);
    QCOMPARE(sandbox.value(PREFIX + QStringLiteral("1/name")).toString(), QStringLiteral("M2"));
    QCOMPARE(sandbox.value(PREFIX + QStringLiteral("10/name")).toString(), QStringLiteral("M11"));
    QVERIFY(!sandbox.contains(PREFIX + QStringLiteral("11/name")));
    QVERIFY(!sandbox.contains(PREFIX + QStringLiteral("19/sequence")));
}

void TestMacroStorage::deleteMissingIndexIsRefused_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("negative") << -1;
    QTest::newRow("one past the end") << 2;
    QTest::newRow("far past the end") << 40;
}

void TestMacroStorage::deleteMissingIndexIsRefused()
{
    QFETCH(int, index);
    SettingsSandbox sandbox;
    Tn5250Client client;
    storeMacros(sandbox, 2, 2);
    const QByteArray before = sandbox.fileBytes();
    SignalRecorder recorder(&client);
    QVERIFY(!client.deleteMacro(index));
    QCOMPARE(recorder.all(), QStringList());
    QCOMPARE(sandbox.fileBytes(), before);
}

QTEST_MAIN(TestMacroStorage)
#include "tst_macrostorage.moc"
