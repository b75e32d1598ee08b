// The application in the user's language. This test runs under a German
// system locale (CTest sets LANG, LC_ALL and LANGUAGE to de_DE) and loads the
// translation as the entry point does, from the data directory's
// translations/ folder; then a client on the sign-on, connection and error
// paths reports in German, and so do the interface's key labels.

#include <QLocale>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QRegularExpression>
#include <QScopedPointer>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

#include <sailfishapp.h>

#include "app/tn5250client.h"
#include "app/translations.h"
#include "common/connectionwatch.h"
#include "demohost.h"

class TranslationsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void languageOfTheLocale_data();
    void languageOfTheLocale();
    void idleClientSpeaksGerman();
    void connectionAndSignOnInGerman();
    void refusedConnectionInGerman();
    void interfaceKeysInGerman();

private:
    QScopedPointer<QTemporaryDir> m_config;
};

void TranslationsTest::initTestCase()
{
    // Without the German environment nothing below would mean anything.
    QCOMPARE(QLocale().name(), QStringLiteral("de_DE"));
    QTranslator *translator = Translations::load(
        QLocale(), SailfishApp::pathTo(QStringLiteral("translations")).toLocalFile(), QCoreApplication::instance());
    QVERIFY2(translator, qPrintable(SailfishApp::pathTo(QStringLiteral("translations")).toLocalFile()));
    QVERIFY(QCoreApplication::installTranslator(translator));
}

void TranslationsTest::init()
{
    m_config.reset(ConnectionTest::useFreshSettings());
    QVERIFY(m_config->isValid());
}

void TranslationsTest::languageOfTheLocale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<bool>("translated");
    QTest::newRow("German of Germany") << QStringLiteral("de_DE") << true;
    QTest::newRow("German of Austria falls back to German") << QStringLiteral("de_AT") << true;
    QTest::newRow("French has no translation") << QStringLiteral("fr_FR") << false;
    QTest::newRow("English keeps the source texts") << QStringLiteral("en_GB") << false;
}

void TranslationsTest::languageOfTheLocale()
{
    QFETCH(QString, locale);
    QFETCH(bool, translated);
    const QString directory = SailfishApp::pathTo(QStringLiteral("translations")).toLocalFile();
    QScopedPointer<QTranslator> translator(Translations::load(QLocale(locale), directory, nullptr));
    QCOMPARE(!translator.isNull(), translated);
    if (translator)
        QCOMPARE(translator->translate("Tn5250Client", "Ready"), QStringLiteral("Bereit"));
}

void TranslationsTest::idleClientSpeaksGerman()
{
    Tn5250Client client;
    QCOMPARE(client.connectionStateLabel(), QStringLiteral("Getrennt"));
    client.setHost(QString());
    client.connectToHost();
    QCOMPARE(client.status(), QStringLiteral("Geben Sie zuerst einen Hostnamen ein"));
    // Not connected, the keyboard is locked.
    client.performSavedLogin();
    QCOMPARE(client.status(),
             QStringLiteral("Die gespeicherte Anmeldung ist nicht verfügbar, solange die Tastatur gesperrt ist"));
}

void TranslationsTest::connectionAndSignOnInGerman()
{
    DemoHost host;
    QVERIFY(host.listen());
    Tn5250Client client;
    ConnectionWatch watch(&client);
    ConnectionTest::configure(client, host.serverPort(), false, false);
    client.connectToHost();
    QTRY_COMPARE(client.connectionStateLabel(), QStringLiteral("Bereit"));
    QTRY_VERIFY2(client.status().startsWith(QStringLiteral("Verbunden — Eingabe bereit • ")),
                 qPrintable(client.status()));
    QVERIFY2(watch.statuses().contains(QStringLiteral("Verbindung mit 127.0.0.1:%1…").arg(host.serverPort())),
             qPrintable(watch.statuses().join(QLatin1Char('|'))));
    QVERIFY2(watch.statuses().contains(QStringLiteral("TN5250 wird ausgehandelt…")),
             qPrintable(watch.statuses().join(QLatin1Char('|'))));
    QVERIFY(QRegularExpression(QStringLiteral("^Verbunden — Eingabe bereit • \\d+ Zeichen • \\d+ Felder$"))
                .match(client.status())
                .hasMatch());

    // The screen's own messages: the title row of the sign-on screen is protected.
    client.setCursorCell(1, 1);
    QVERIFY(!client.inputText(QStringLiteral("x")));
    QCOMPARE(client.status(), QStringLiteral("Der Cursor steht in einem geschützten Bereich"));

    client.performSavedLogin();
    QCOMPARE(client.status(), QStringLiteral("Speichern Sie zuerst einen IBM i-Benutzernamen und ein Kennwort"));

    client.disconnectFromHost();
    QCOMPARE(client.status(), QStringLiteral("Getrennt"));
}

void TranslationsTest::refusedConnectionInGerman()
{
    const quint16 port = ConnectionTest::unusedPort();
    QVERIFY(port != 0);
    Tn5250Client client;
    ConnectionTest::configure(client, port, false, false);
    client.connectToHost();
    QTRY_COMPARE(client.connectionStateLabel(), QStringLiteral("Fehler"));
    QCOMPARE(client.lastErrorCategory(), QStringLiteral("Verbindung abgelehnt"));
    QVERIFY2(client.status().startsWith(QStringLiteral("Verbindung abgelehnt: ")), qPrintable(client.status()));
}

// The key bars take their labels from qml/components/keys.js, whose texts
// are translated under the file's name.
void TranslationsTest::interfaceKeysInGerman()
{
    QQmlEngine engine;
    QQmlComponent component(&engine);
    component.setData("import QtQml 2.2\n"
                      "import \"keys.js\" as Keys\n"
                      "QtObject {\n"
                      "    property var labels: Keys.actionKeys().map(function(key) { return key.label })\n"
                      "}\n",
                      SailfishApp::pathTo(QStringLiteral("qml/components/Keys.qml")));
    QScopedPointer<QObject> object(component.create());
    QVERIFY2(object, qPrintable(component.errorString()));
    const QStringList labels = object->property("labels").toStringList();
    QVERIFY2(labels.contains(QStringLiteral("Eingabe")), qPrintable(labels.join(QLatin1Char('|'))));
    QVERIFY2(labels.contains(QStringLiteral("Feldende")), qPrintable(labels.join(QLatin1Char('|'))));
    QVERIFY2(!labels.contains(QStringLiteral("Enter")), qPrintable(labels.join(QLatin1Char('|'))));
}

QTEST_GUILESS_MAIN(TranslationsTest)
#include "tst_translations.moc"
