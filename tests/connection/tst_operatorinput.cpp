// Operator input from end to end: the client against the in-process demo
// host over a real TCP connection on 127.0.0.1. The operator signs on by
// typing, works the entry form under the 5250 field rules, pages through a
// list with the roll keys, presses a key the host declared as sending no
// data, follows function-key hotspots and types ahead while the host holds
// its reply. The host parses and checks every read response; the tests
// compare what it received with what was typed.

#include <QClipboard>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "app/tn5250client.h"
#include "common/clientprobe.h"
#include "common/connectionwatch.h"
#include "common/shownscreen.h"
#include "demohost.h"
#include "demosession.h"
#include "hostcodec.h"
#include "screenregistry.h"

using namespace ConnectionTest;

namespace {

const char PASSWORD[] = "Pa55word";

QByteArray ebcdic(const QString &text)
{
    return HostCodec(37).encode(text);
}

// The screen line that starts with `label` after its leading blanks.
QString lineStartingWith(const Tn5250Client &client, const QString &label)
{
    const QStringList lines = client.terminalText().split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        if (line.trimmed().startsWith(label))
            return line.trimmed();
    }
    return QString();
}

QVariantMap hotspot(int row, int column, int length, const QString &kind, const QVariant &value)
{
    QVariantMap map;
    map.insert(QStringLiteral("row"), row);
    map.insert(QStringLiteral("column"), column);
    map.insert(QStringLiteral("length"), length);
    map.insert(QStringLiteral("kind"), kind);
    map.insert(QStringLiteral("value"), value);
    return map;
}

const ScreenField *layoutField(DemoHost &host, const char *screen, const QString &name)
{
    const ScreenDefinition *definition = host.screens().find(QLatin1String(screen));
    return definition ? definition->layout.fieldNamed(name) : nullptr;
}

} // namespace

class TestOperatorInput : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void signOnSendsTypedFields();
    void passwordNeverShownOrLogged();
    void entryFieldRules_data();
    void entryFieldRules();
    void entryFormSubmitted_data();
    void entryFormSubmitted();
    void entryRefusesIncompleteFields_data();
    void entryRefusesIncompleteFields();
    void listPagesWithRollKeys();
    void entryErrorHoldsUntilReset();
    void windowOverMenuIsRestored();
    void wideReportAndMessageLight();
    void noDataKeySendsAidAlone_data();
    void noDataKeySendsAidAlone();
    void functionKeyHotspots_data();
    void functionKeyHotspots();
    void typeAheadReplaysInOrder();

private:
    // Each leaves a test failure behind when it cannot finish; callers
    // return at once when QTest::currentTestFailed() says so.
    void connectClient(DemoHost &host, Tn5250Client &client);
    void signOn(DemoHost &host, Tn5250Client &client);
    void openOption(DemoHost &host, Tn5250Client &client, const QString &option, const char *screen);
    void waitForAnswer(Tn5250Client &client);
    void expectListPage(Tn5250Client &client, int page);

    QScopedPointer<QTemporaryDir> m_config;
};

void TestOperatorInput::init()
{
    m_config.reset(useFreshSettings());
    QVERIFY(m_config->isValid());
}

void TestOperatorInput::connectClient(DemoHost &host, Tn5250Client &client)
{
    QVERIFY(host.listen());
    configure(client, host.serverPort(), false, false);
    client.connectToHost();
    QTRY_VERIFY(client.terminalText().contains(QStringLiteral("Sign On")));
    QTRY_VERIFY(!client.keyboardLocked());
}

void TestOperatorInput::signOn(DemoHost &host, Tn5250Client &client)
{
    connectClient(host, client);
    if (QTest::currentTestFailed())
        return;
    QVERIFY(client.inputText(QStringLiteral("qsecofr")));
    client.tab();
    QVERIFY(client.inputText(QLatin1String(PASSWORD)));
    client.sendEnter();
    waitForAnswer(client);
    QCOMPARE(host.currentScreen(), QStringLiteral("mainmenu"));
}

// An AID key has just been pressed: it must have locked the keyboard (so it
// went to the host), and the host's next screen unlocks it.
void TestOperatorInput::waitForAnswer(Tn5250Client &client)
{
    QVERIFY2(client.keyboardLocked(), qPrintable(client.status()));
    QTRY_VERIFY(!client.keyboardLocked());
}

void TestOperatorInput::openOption(DemoHost &host, Tn5250Client &client, const QString &option, const char *screen)
{
    signOn(host, client);
    if (QTest::currentTestFailed())
        return;
    QVERIFY(client.inputText(option));
    client.sendEnter();
    waitForAnswer(client);
    QCOMPARE(host.currentScreen(), QLatin1String(screen));
}

void TestOperatorInput::expectListPage(Tn5250Client &client, int page)
{
    const QString text = client.terminalText();
    const int first = page * 15 + 1;
    for (int item = first; item < first + 15; ++item) {
        const QString label = QStringLiteral("Item %1").arg(item, 3, 10, QLatin1Char('0'));
        QVERIFY2(ShownScreen::cells(client, 6 + item - first, 2, 8) == label, qPrintable(text));
    }
    if (first > 1)
        QVERIFY2(!text.contains(QStringLiteral("Item %1").arg(first - 1, 3, 10, QLatin1Char('0'))), qPrintable(text));
    QCOMPARE(ShownScreen::line(client, 21).trimmed(), page < 3 ? QStringLiteral("More...") : QStringLiteral("Bottom"));
}

void TestOperatorInput::signOnSendsTypedFields()
{
    DemoHost host;
    Tn5250Client client;
    connectClient(host, client);
    if (QTest::currentTestFailed())
        return;
    QSignalSpy responses(&host, SIGNAL(responseReceived()));

    QVERIFY(client.inputText(QStringLiteral("qsecofr")));
    client.tab();
    QCOMPARE(client.cursorRow(), 7);
    QCOMPARE(client.cursorColumn(), 53);
    QVERIFY(client.inputText(QLatin1String(PASSWORD)));
    client.sendEnter();
    QTRY_COMPARE(responses.count(), 1);

    const ReadResponse response = host.lastResponse();
    QVERIFY(response.valid);
    QCOMPARE(response.aid, quint8(0xF1));
    // The cursor stayed just after the eighth character of the password.
    QCOMPARE(response.cursorRow, 7);
    QCOMPARE(response.cursorColumn, 61);
    // Only the two fields typed into, in screen order, at their first cells.
    QCOMPARE(response.fields.size(), 2);
    QCOMPARE(response.fields.at(0).row, 6);
    QCOMPARE(response.fields.at(0).column, 53);
    QCOMPARE(response.fields.at(0).name, QStringLiteral("user"));
    // The user field is monocase: typed in lower case, sent in upper case.
    QCOMPARE(response.fields.at(0).data, ebcdic(QStringLiteral("QSECOFR")));
    QCOMPARE(response.fields.at(1).row, 7);
    QCOMPARE(response.fields.at(1).column, 53);
    QCOMPARE(response.fields.at(1).data, ebcdic(QLatin1String(PASSWORD)));
    QVERIFY(response.fields.at(1).nondisplay);
    QVERIFY(!response.fields.at(0).data.contains(ebcdic(QLatin1String(PASSWORD))));
    QVERIFY2(host.lastCheck().ok(), qPrintable(host.lastCheck().summary()));

    // The menu, with the demonstration options listed.
    QTRY_VERIFY(!client.keyboardLocked());
    QCOMPARE(host.currentScreen(), QStringLiteral("mainmenu"));
    QCOMPARE(ShownScreen::cells(client, 1, 33, 15), QStringLiteral("IBM i Main Menu"));
    QCOMPARE(ShownScreen::cells(client, 5, 43, 38), QStringLiteral("21. Entry form with field rules"));
    QCOMPARE(ShownScreen::cells(client, 6, 43, 38), QStringLiteral("22. List of items (Page Up/Down)"));
    QCOMPARE(ShownScreen::cells(client, 7, 43, 38), QStringLiteral("23. Refresh without field data"));
    QCOMPARE(ShownScreen::cells(client, 8, 43, 38), QStringLiteral("24. Function keys and web links"));
    QCOMPARE(client.cursorRow(), 20);
    QCOMPARE(client.cursorColumn(), 7);
}

void TestOperatorInput::passwordNeverShownOrLogged()
{
    DemoHost host;
    Tn5250Client client;
    connectClient(host, client);
    if (QTest::currentTestFailed())
        return;
    const QString password = QLatin1String(PASSWORD);
    const QString passwordHex = QString::fromLatin1(ebcdic(password).toHex());

    QVERIFY(client.inputText(QStringLiteral("qsecofr")));
    client.tab();
    QVERIFY(client.inputText(password));

    // Typed, on the screen, not yet sent: the field shows blanks.
    QCOMPARE(ShownScreen::cells(client, 6, 53, 10), QStringLiteral("QSECOFR"));
    QCOMPARE(ShownScreen::cells(client, 7, 53, 10), QString());
    QVERIFY(!client.terminalText().contains(password, Qt::CaseInsensitive));
    QVERIFY(!client.screenText().contains(password, Qt::CaseInsensitive));
    QGuiApplication::clipboard()->clear();
    client.copyScreen();
    const QString copied = QGuiApplication::clipboard()->text();
    QVERIFY2(copied.contains(QStringLiteral("Sign On")), qPrintable(copied));
    QVERIFY(copied.contains(QStringLiteral("QSECOFR")));
    QVERIFY(!copied.contains(password, Qt::CaseInsensitive));

    client.sendEnter();
    waitForAnswer(client);
    QCOMPARE(host.currentScreen(), QStringLiteral("mainmenu"));
    // The host did get it, in the password field.
    QCOMPARE(host.lastResponse().fieldText(QStringLiteral("password")), password);

    // Neither the protocol log nor the host's log holds it, in text or in hex.
    const QString diagnostics = client.diagnostics();
    QVERIFY(diagnostics.contains(QStringLiteral("TX opcode")));
    QVERIFY(!diagnostics.contains(password, Qt::CaseInsensitive));
    QVERIFY(!diagnostics.contains(passwordHex, Qt::CaseInsensitive));
    const QStringList hostLog = host.logLines();
    QVERIFY(hostLog.contains(QStringLiteral("[session 1] AID Enter cursor 7,61 field 6,53 \"QSECOFR\" field 7,53 "
                                            "(redacted, 8 chars)")));
    QVERIFY(hostLog.contains(QStringLiteral("[session 1] check OK")));
    for (const QString &line : hostLog) {
        QVERIFY2(!line.contains(password, Qt::CaseInsensitive), qPrintable(line));
        QVERIFY2(!line.contains(passwordHex, Qt::CaseInsensitive), qPrintable(line));
    }
    QVERIFY(!client.terminalText().contains(password, Qt::CaseInsensitive));
}

void TestOperatorInput::entryFieldRules_data()
{
    QTest::addColumn<QString>("field");   // empty: the label in front of the first field
    QTest::addColumn<int>("offset");      // where in the field typing starts
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");   // the field's cells afterwards
    QTest::addColumn<int>("cursorAfter"); // offset in the field; -1: first cell of the next field
    QTest::addColumn<QString>("status");  // empty: unchanged

    const QString invalid = QStringLiteral("Character is not valid for this field");
    QTest::newRow("letters, blank, hyphen and full stop in an alphabetic field")
        << "name" << 0 << "Ann-Marie O." << "Ann-Marie O." << 12 << "";
    QTest::newRow("digit in an alphabetic field") << "name" << 0 << "Bo5b" << "Bo" << 2 << invalid;
    QTest::newRow("full alphabetic field moves on to the next field")
        << "name" << 0 << "ABCDEFGHIJKLMNOPQRST" << "ABCDEFGHIJKLMNOPQRST" << -1 << "";
    QTest::newRow("digits and signs in a numeric field") << "quantity" << 0 << "+1.5" << "+1.5" << 4 << "";
    QTest::newRow("letter in a numeric field") << "quantity" << 0 << "12x4" << "12" << 2 << invalid;
    QTest::newRow("letter in a signed-numeric field") << "amount" << 0 << "9A" << "9" << 1 << invalid;
    QTest::newRow("sign position of a signed-numeric field")
        << "amount" << 7 << "1" << "" << 7 << "Cursor is on the sign position of a signed numeric field";
    QTest::newRow("full signed-numeric field waits on its last digit")
        << "amount" << 0 << "12345678" << "1234568" << 6 << "";
    QTest::newRow("full right-adjusted field waits for Field Exit")
        << "account" << 0 << "1234567" << "1234567" << 6 << "";
    QTest::newRow("full mandatory-fill field moves on") << "postcode" << 0 << "12345" << "12345" << -1 << "";
    QTest::newRow("lower case in an upper-case field") << "code" << 0 << "ab-1" << "AB-1" << 4 << "";
    QTest::newRow("euro sign in an alphanumeric field")
        << "code" << 0 << QString(QChar(0x20AC)) << "" << 0 << "Character is not available in EBCDIC code page 37";
    QTest::newRow("label in front of a field") << "" << 0 << "x" << "Name (letters only)" << 0
                                               << "Cursor is in a protected area";
}

void TestOperatorInput::entryFieldRules()
{
    QFETCH(QString, field);
    QFETCH(int, offset);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(int, cursorAfter);
    QFETCH(QString, status);

    DemoHost host;
    Tn5250Client client;
    openOption(host, client, QStringLiteral("21"), "entryform");
    if (QTest::currentTestFailed())
        return;
    // The cursor waits in the first field.
    QCOMPARE(client.cursorRow(), 5);
    QCOMPARE(client.cursorColumn(), 37);

    int row = 5;
    int column = 2;
    int length = shown.size();
    const ScreenField *next = nullptr;
    if (!field.isEmpty()) {
        const ScreenDefinition *form = host.screens().find(QStringLiteral("entryform"));
        QVERIFY(form);
        const QVector<ScreenField> &fields = form->layout.fields;
        int index = 0;
        while (index < fields.size() && fields.at(index).name != field)
            ++index;
        QVERIFY(index < fields.size());
        row = fields.at(index).row;
        column = fields.at(index).column;
        length = fields.at(index).length;
        if (index + 1 < fields.size())
            next = &fields.at(index + 1);
    }
    client.setCursorCell(row, column + offset);
    const QString before = client.status();

    client.inputText(typed);
    QCOMPARE(ShownScreen::cells(client, row, column, length), shown);
    QCOMPARE(client.status(), status.isEmpty() ? before : status);
    if (cursorAfter < 0) {
        QVERIFY(next);
        QCOMPARE(client.cursorRow(), next->row);
        QCOMPARE(client.cursorColumn(), next->column);
    } else {
        QCOMPARE(client.cursorRow(), row);
        QCOMPARE(client.cursorColumn(), column + cursorAfter);
    }
    QVERIFY(!client.keyboardLocked());
}

void TestOperatorInput::entryFormSubmitted_data()
{
    QTest::addColumn<QString>("signKey");
    QTest::addColumn<QByteArray>("amountBytes");
    QTest::addColumn<QString>("amountShown");

    QTest::newRow("Field- leaves the amount negative") << "Field-" << QByteArray::fromHex("F1F2F5D0") << "-1250";
    QTest::newRow("Field+ leaves it positive") << "Field+" << QByteArray::fromHex("F1F2F5F0") << "1250";
    QTest::newRow("Field Exit leaves it positive") << "Field Exit" << QByteArray::fromHex("F1F2F5F0") << "1250";
}

void TestOperatorInput::entryFormSubmitted()
{
    QFETCH(QString, signKey);
    QFETCH(QByteArray, amountBytes);
    QFETCH(QString, amountShown);

    DemoHost host;
    Tn5250Client client;
    openOption(host, client, QStringLiteral("21"), "entryform");
    if (QTest::currentTestFailed())
        return;
    const int before = host.responses().size();

    QVERIFY(client.inputText(QStringLiteral("Ann-Marie")));
    client.tab();
    QVERIFY(client.inputText(QStringLiteral("12")));
    client.tab();
    QVERIFY(client.inputText(QStringLiteral("1250")));
    if (signKey == QLatin1String("Field-"))
        client.fieldMinus();
    else if (signKey == QLatin1String("Field+"))
        client.fieldPlus();
    else
        client.fieldExit();
    // Each of them leaves the signed field for the next one.
    QCOMPARE(client.cursorRow(), 8);
    QCOMPARE(client.cursorColumn(), 37);
    QVERIFY(client.inputText(QStringLiteral("42")));
    client.fieldExit();
    QCOMPARE(client.cursorRow(), 9);
    QVERIFY(client.inputText(QStringLiteral("ACME")));
    client.tab();
    QVERIFY(client.inputText(QStringLiteral("12345")));
    QCOMPARE(client.cursorRow(), 11);
    QVERIFY(client.inputText(QStringLiteral("ab1")));
    client.tab();
    QVERIFY(!client.keyboardLocked());
    // The one-position confirm field is auto enter: typing it sends the form.
    QVERIFY(client.inputText(QStringLiteral("y")));
    waitForAnswer(client);
    QCOMPARE(host.currentScreen(), QStringLiteral("entryresult"));
    QCOMPARE(host.responses().size(), before + 1);

    const ReadResponse response = host.lastResponse();
    QCOMPARE(response.aid, quint8(0xF1));
    QCOMPARE(response.cursorRow, 12);
    QCOMPARE(response.cursorColumn, 37);
    const QStringList names = QStringList() << "name" << "quantity" << "amount" << "account" << "customer"
                                            << "postcode" << "code" << "confirm";
    QCOMPARE(response.fields.size(), names.size());
    for (int i = 0; i < names.size(); ++i) {
        QCOMPARE(response.fields.at(i).name, names.at(i));
        QCOMPARE(response.fields.at(i).row, 5 + i);
        QCOMPARE(response.fields.at(i).column, 37);
    }
    QCOMPARE(response.fields.at(0).data, ebcdic(QStringLiteral("Ann-Marie")));
    QCOMPARE(response.fields.at(1).data, ebcdic(QStringLiteral("12")));
    // The sign travels in the zone of the last digit, not as a character.
    QCOMPARE(response.fields.at(2).data, amountBytes);
    QCOMPARE(response.fields.at(3).data, ebcdic(QStringLiteral("0000042"))); // right-adjusted by Field Exit
    QCOMPARE(response.fields.at(4).data, ebcdic(QStringLiteral("ACME")));
    QCOMPARE(response.fields.at(5).data, ebcdic(QStringLiteral("12345")));
    QCOMPARE(response.fields.at(6).data, ebcdic(QStringLiteral("AB1")));
    QCOMPARE(response.fields.at(7).data, ebcdic(QStringLiteral("Y")));
    QVERIFY2(host.lastCheck().ok(), qPrintable(host.lastCheck().summary()));
    QVERIFY(host.logLines().contains(QStringLiteral("[session 1] Entry accepted for customer ACME")));

    // What the host made of it: the sign applied, the account aligned.
    QVERIFY(client.terminalText().contains(QStringLiteral("Entry Received")));
    QVERIFY2(lineStartingWith(client, QStringLiteral("Amount")).endsWith(QStringLiteral(":   ") + amountShown),
             qPrintable(client.terminalText()));
    QVERIFY(lineStartingWith(client, QStringLiteral("Account")).endsWith(QStringLiteral(":   0000042")));
    QVERIFY(lineStartingWith(client, QStringLiteral("Code")).endsWith(QStringLiteral(":   AB1")));
    QVERIFY(lineStartingWith(client, QStringLiteral("Host check")).endsWith(QStringLiteral(":   check OK")));
}

void TestOperatorInput::entryRefusesIncompleteFields_data()
{
    QTest::addColumn<QStringList>("steps"); // "field=text": cursor into the field, then the text
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("status");

    QTest::newRow("Enter with the required field untouched")
        << (QStringList() << "name=Zoe") << "Enter" << "A mandatory-entry field has not been entered";
    QTest::newRow("Field Exit on the untouched required field")
        << (QStringList() << "customer=") << "Field Exit" << "This is a mandatory-entry field";
    QTest::newRow("Enter with a partly filled post code")
        << (QStringList() << "customer=ACME" << "postcode=12") << "Enter" << "A mandatory-fill field is incomplete";
    QTest::newRow("Field Exit inside a partly filled post code")
        << (QStringList() << "postcode=12") << "Field Exit" << "Mandatory-fill field is not complete";
}

void TestOperatorInput::entryRefusesIncompleteFields()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, key);
    QFETCH(QString, status);

    DemoHost host;
    Tn5250Client client;
    openOption(host, client, QStringLiteral("21"), "entryform");
    if (QTest::currentTestFailed())
        return;
    for (const QString &step : steps) {
        const QString name = step.section(QLatin1Char('='), 0, 0);
        const QString text = step.section(QLatin1Char('='), 1);
        const ScreenField *field = layoutField(host, "entryform", name);
        QVERIFY(field);
        client.setCursorCell(field->row, field->column);
        if (!text.isEmpty())
            QVERIFY(client.inputText(text));
    }
    const int before = host.responses().size();

    if (key == QLatin1String("Enter"))
        client.sendEnter();
    else
        client.fieldExit();
    QCOMPARE(client.status(), status);
    // Refused on the terminal: nothing went out, the keyboard stays open.
    QVERIFY(!client.keyboardLocked());

    // F12 reaches the host next, and nothing came before it.
    client.sendFunctionKey(12);
    waitForAnswer(client);
    QCOMPARE(host.currentScreen(), QStringLiteral("mainmenu"));
    QCOMPARE(host.responses().size(), before + 1);
    QCOMPARE(host.lastResponse().aid, quint8(0x3C));
    QVERIFY2(host.lastCheck().ok(), qPrintable(host.lastCheck().summary()));
}

void TestOperatorInput::listPagesWithRollKeys()
{
    DemoHost host;
    Tn5250Client client;
    openOption(host, client, QStringLiteral("22"), "itemlist");
    if (QTest::currentTestFailed())
        return;
    expectListPage(client, 0);
    if (QTest::currentTestFailed())
        return;

    // A number typed into "Position to" travels with Page Down, and the page
    // turns from that item's page: 37 is on page 2, so page 3 follows.
    QVERIFY(client.inputText(QStringLiteral("37")));
    client.sendPageDown();
    waitForAnswer(client);
    expectListPage(client, 3);
    QCOMPARE(host.lastResponse().aid, quint8(0xF5));
    QCOMPARE(host.lastResponse().fieldText(QStringLiteral("position")), QStringLiteral("37"));
    QVERIFY2(host.lastCheck().ok(), qPrintable(host.lastCheck().summary()));
    client.sendPageUp();
    waitForAnswer(client);
    client.sendPageUp();
    waitForAnswer(client);
    client.sendPageUp();
    waitForAnswer(client);
    expectListPage(client, 0);
    for (int page = 1; page <= 3; ++page) {
        client.sendPageDown();
        waitForAnswer(client);
        expectListPage(client, page);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(host.lastResponse().aid, quint8(0xF5));
        QVERIFY(host.lastResponse().fields.isEmpty());
        QVERIFY2(host.lastCheck().ok(), qPrintable(host.lastCheck().summary()));
    }
    QCOMPARE(ShownScreen::line(client, 24).trimmed(), QString());
    // Each turn of one page went out as the Roll command and the new rows.
    QCOMPARE(host.logLines().filter(QStringLiteral("rolled 15 rows")).size(), 3);

    client.sendPageDown();
    waitForAnswer(client);
    expectListPage(client, 3);
    QCOMPARE(ShownScreen::line(client, 24).trimmed(), QStringLiteral("You are already at the bottom of the list."));

    for (int page = 2; page >= 0; --page) {
        client.sendPageUp();
        waitForAnswer(client);
        expectListPage(client, page);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(host.lastResponse().aid, quint8(0xF4));
        QVERIFY2(host.lastCheck().ok(), qPrintable(host.lastCheck().summary()));
    }
    client.sendPageUp();
    waitForAnswer(client);
    expectListPage(client, 0);
    QCOMPARE(ShownScreen::line(client, 24).trimmed(), QStringLiteral("You are already at the top of the list."));

    // Enter with a position jumps to the page of that item.
    QVERIFY(client.inputText(QStringLiteral("47")));
    client.sendEnter();
    waitForAnswer(client);
    expectListPage(client, 3);
    QCOMPARE(host.lastResponse().fieldText(QStringLiteral("position")), QStringLiteral("47"));
}

// The host's own validation answers with Write Error Code: the message on
// the error line, the form and its fields untouched, input inhibited until
// Reset; the corrected form then goes with every modified field again.
void TestOperatorInput::entryErrorHoldsUntilReset()
{
    DemoHost host;
    Tn5250Client client;
    openOption(host, client, QStringLiteral("21"), "entryform");
    if (QTest::currentTestFailed())
        return;
    const ScreenField *quantity = layoutField(host, "entryform", QStringLiteral("quantity"));
    const ScreenField *customer = layoutField(host, "entryform", QStringLiteral("customer"));
    QVERIFY(quantity && customer);
    client.setCursorCell(quantity->row, quantity->column);
    QVERIFY(client.inputText(QStringLiteral("0")));
    client.setCursorCell(customer->row, customer->column);
    QVERIFY(client.inputText(QStringLiteral("ACME")));
    const QString line24 = ShownScreen::line(client, 24);
    QSignalSpy responses(&host, SIGNAL(responseReceived()));
    client.sendEnter();
    QTRY_VERIFY(client.inputError());
    QCOMPARE(ShownScreen::line(client, 24).trimmed(), QStringLiteral("Quantity must be greater than zero."));
    QCOMPARE(ShownScreen::cells(client, quantity->row, quantity->column, 1), QStringLiteral("0"));
    QVERIFY(client.keyboardLocked());
    QCOMPARE(client.status(), QStringLiteral("Input error — press Reset"));
    QCOMPARE(host.currentScreen(), QStringLiteral("entryform"));

    // Keys wait for Reset; Reset puts the line back.
    client.sendEnter();
    QCOMPARE(client.status(), QStringLiteral("Input error — press Reset"));
    client.reset();
    QVERIFY(!client.inputError());
    QVERIFY(!client.keyboardLocked());
    QCOMPARE(ShownScreen::line(client, 24), line24);

    client.setCursorCell(quantity->row, quantity->column);
    QVERIFY(client.inputText(QStringLiteral("5")));
    client.sendEnter();
    waitForAnswer(client);
    QCOMPARE(responses.count(), 2);
    QCOMPARE(host.currentScreen(), QStringLiteral("entryresult"));
    QCOMPARE(host.lastResponse().fieldText(QStringLiteral("quantity")), QStringLiteral("5"));
    QCOMPARE(host.lastResponse().fieldText(QStringLiteral("customer")), QStringLiteral("ACME"));
}

// A window drawn over the menu between Save Screen and Restore Screen: the
// menu shows around it, and afterwards is back as it was, fields included.
// Each opening gets a token of its own.
void TestOperatorInput::windowOverMenuIsRestored()
{
    DemoHost host;
    Tn5250Client client;
    signOn(host, client);
    if (QTest::currentTestFailed())
        return;
    QByteArray firstToken;
    for (int round = 0; round < 2; ++round) {
        client.setCursorCell(20, 7);
        QVERIFY(client.inputText(QStringLiteral("25")));
        const QString menu = client.terminalText();
        client.sendEnter();
        QTRY_COMPARE(host.currentScreen(), QStringLiteral("confirmwindow"));
        QTRY_VERIFY(!client.keyboardLocked());
        QVERIFY2(ShownScreen::line(client, 9).contains(QStringLiteral("Confirm")), qPrintable(client.terminalText()));
        QCOMPARE(ShownScreen::cells(client, 5, 6, 13), QStringLiteral("1. User tasks"));
        QCOMPARE(client.cursorRow(), 11);
        QVERIFY(client.inputText(QStringLiteral("y")));
        client.sendEnter();
        QTRY_COMPARE(host.currentScreen(), QStringLiteral("mainmenu"));
        QTRY_VERIFY(!client.keyboardLocked());
        QCOMPARE(host.lastResponse().fieldText(QStringLiteral("answer")), QStringLiteral("Y"));
        QVERIFY2(host.lastCheck().ok(), qPrintable(host.lastCheck().summary()));
        QCOMPARE(client.terminalText(), menu);
        const QByteArray token = host.latestSession()->saveToken();
        QVERIFY(!token.isEmpty());
        if (round == 0)
            firstToken = token;
        else
            QVERIFY(token != firstToken);
    }
    QVERIFY(host.logLines().contains(QStringLiteral("[session 1] Window answered: Y")));
    // The menu's own field is back in the format table.
    client.setCursorCell(20, 7);
    QVERIFY(client.inputText(QStringLiteral("21")));
    client.sendEnter();
    waitForAnswer(client);
    QCOMPARE(host.currentScreen(), QStringLiteral("entryform"));
}

void TestOperatorInput::wideReportAndMessageLight()
{
    DemoHost host;
    Tn5250Client client;
    signOn(host, client);
    if (QTest::currentTestFailed())
        return;
    // Sign-on turns the light on; displaying the messages turns it off.
    QTRY_VERIFY(client.messageWaiting());
    QVERIFY(client.inputText(QStringLiteral("27")));
    client.sendEnter();
    waitForAnswer(client);
    QCOMPARE(host.currentScreen(), QStringLiteral("messages"));
    QVERIFY(!client.messageWaiting());
    client.sendFunctionKey(12);
    waitForAnswer(client);

    QVERIFY(client.inputText(QStringLiteral("26")));
    client.sendEnter();
    waitForAnswer(client);
    QCOMPARE(host.currentScreen(), QStringLiteral("widereport"));
    QCOMPARE(client.rows(), 27);
    QCOMPARE(client.columns(), 132);
    QVERIFY2(ShownScreen::line(client, 3).trimmed().endsWith(QStringLiteral("Column 132 |")),
             qPrintable(ShownScreen::line(client, 3)));
    client.sendFunctionKey(3);
    waitForAnswer(client);
    QCOMPARE(host.currentScreen(), QStringLiteral("mainmenu"));
    QCOMPARE(client.columns(), 80);
    QVERIFY2(host.lastCheck().ok(), qPrintable(host.lastCheck().summary()));
}

void TestOperatorInput::noDataKeySendsAidAlone_data()
{
    QTest::addColumn<int>("key"); // function key, 0 for Enter
    QTest::addColumn<bool>("sendsNote");
    QTest::addColumn<QString>("message");

    QTest::newRow("F5, declared no-data, returns the AID alone") << 5 << false
                                                                  << "Refreshed; no field data received.";
    QTest::newRow("F6 returns the note") << 6 << true << "Note saved.";
    QTest::newRow("Enter returns the note") << 0 << true << "Note saved.";
}

void TestOperatorInput::noDataKeySendsAidAlone()
{
    QFETCH(int, key);
    QFETCH(bool, sendsNote);
    QFETCH(QString, message);

    DemoHost host;
    Tn5250Client client;
    openOption(host, client, QStringLiteral("23"), "refresh");
    if (QTest::currentTestFailed())
        return;
    // The screen's Start of Header marked F5 alone.
    QCOMPARE(host.latestSession()->noDataKeyMask(), quint32(1) << 4);

    QVERIFY(client.inputText(QStringLiteral("keep this")));
    if (key == 0)
        client.sendEnter();
    else
        client.sendFunctionKey(key);
    waitForAnswer(client);

    const ReadResponse response = host.lastResponse();
    QCOMPARE(response.aid, key == 0 ? quint8(0xF1) : quint8(0x30 + key));
    QCOMPARE(response.cursorRow, 5);
    QCOMPARE(response.cursorColumn, 31);
    QCOMPARE(response.fields.size(), sendsNote ? 1 : 0);
    if (sendsNote) {
        QCOMPARE(response.fields.at(0).name, QStringLiteral("note"));
        QCOMPARE(response.fields.at(0).data, ebcdic(QStringLiteral("keep this")));
    }
    QVERIFY2(host.lastCheck().ok(), qPrintable(host.lastCheck().summary()));
    QCOMPARE(ShownScreen::line(client, 24).trimmed(), message);
}

void TestOperatorInput::functionKeyHotspots_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("message");

    QTest::newRow("F3=Exit goes back to the menu") << 3 << "mainmenu" << "";
    QTest::newRow("F5=Refresh shows the screen again") << 5 << "functionkeys" << "Screen refreshed.";
    QTest::newRow("F12=Cancel goes back to the menu") << 12 << "mainmenu" << "";
}

void TestOperatorInput::functionKeyHotspots()
{
    QFETCH(int, key);
    QFETCH(QString, screen);
    QFETCH(QString, message);

    DemoHost host;
    Tn5250Client client;
    openOption(host, client, QStringLiteral("24"), "functionkeys");
    if (QTest::currentTestFailed())
        return;

    const QString help = QStringLiteral("https://www.example.com/vantorel/help");
    const QString downloads = QStringLiteral("https://downloads.example.com/5250/");
    const QVariantList expected = QVariantList()
        << hotspot(5, 23, help.size(), QStringLiteral("url"), help)
        << hotspot(6, 23, downloads.size(), QStringLiteral("url"), downloads)
        << hotspot(22, 2, 3, QStringLiteral("function"), 3) << hotspot(22, 11, 3, QStringLiteral("function"), 5)
        << hotspot(22, 23, 4, QStringLiteral("function"), 12);
    const QVariantList hotspots = client.hotspotSegments();
    QCOMPARE(hotspots, expected);

    // The interface taps a hotspot: its value names the key to send.
    QVariant value;
    for (const QVariant &entry : hotspots) {
        const QVariantMap map = entry.toMap();
        if (map.value(QStringLiteral("kind")) == QLatin1String("function")
            && map.value(QStringLiteral("value")).toInt() == key)
            value = map.value(QStringLiteral("value"));
    }
    QVERIFY(value.isValid());
    client.sendFunctionKey(value.toInt());
    waitForAnswer(client);
    QCOMPARE(host.lastResponse().aid, quint8(0x30 + key));
    QVERIFY2(host.lastCheck().ok(), qPrintable(host.lastCheck().summary()));
    QCOMPARE(host.currentScreen(), screen);
    QCOMPARE(ShownScreen::line(client, 24).trimmed(), message);
}

void TestOperatorInput::typeAheadReplaysInOrder()
{
    DemoHost host;
    Tn5250Client client;
    signOn(host, client);
    if (QTest::currentTestFailed())
        return;
    client.setTypeAhead(true);
    ConnectionWatch watch(&client);
    ClientProbe probe(client);
    const int before = host.responses().size();

    // The host takes the menu choice and keeps the terminal waiting.
    host.setHoldReplies(true);
    QVERIFY(client.inputText(QStringLiteral("22")));
    client.sendEnter();
    QVERIFY(client.keyboardLocked());
    QTRY_COMPARE(host.latestSession()->heldReplyCount(), 1);
    QCOMPARE(host.currentScreen(), QStringLiteral("mainmenu"));

    // Meanwhile the operator goes on: two pages down, a position, Enter.
    watch.clear();
    client.sendPageDown();
    client.sendPageDown();
    QVERIFY(client.inputText(QStringLiteral("47")));
    client.sendEnter();
    QCOMPARE(probe.typeAheadQueue().size(), 4);
    QVERIFY(client.keyboardLocked());
    QCOMPARE(watch.statuses(), QStringList() << "Queued key while IBM i is busy"
                                             << "Queued input while IBM i is busy"
                                             << "Queued key while IBM i is busy");
    QCOMPARE(host.responses().size(), before + 1);

    // The answer arrives; each replayed key waits for the screen before it.
    host.setHoldReplies(false);
    QTRY_COMPARE(host.responses().size(), before + 4);
    QTRY_VERIFY(!client.keyboardLocked());
    QVERIFY(probe.typeAheadQueue().isEmpty());

    const QList<ReadResponse> responses = host.responses().mid(before);
    QCOMPARE(responses.at(0).aid, quint8(0xF1));
    QCOMPARE(responses.at(0).fieldText(QStringLiteral("command")), QStringLiteral("22"));
    QCOMPARE(responses.at(1).aid, quint8(0xF5));
    QCOMPARE(responses.at(2).aid, quint8(0xF5));
    QCOMPARE(responses.at(3).aid, quint8(0xF1));
    QCOMPARE(responses.at(3).fields.size(), 1);
    QCOMPARE(responses.at(3).fieldText(QStringLiteral("position")), QStringLiteral("47"));
    QCOMPARE(responses.at(0).screen, QStringLiteral("mainmenu"));
    for (int i = 1; i < responses.size(); ++i)
        QCOMPARE(responses.at(i).screen, QStringLiteral("itemlist"));
    for (const ReadResponse &response : responses)
        QVERIFY2(response.check.ok(), qPrintable(response.check.summary()));
    QVERIFY(host.logLines().contains(QStringLiteral("[session 1] Holding the reply to Enter")));
    expectListPage(client, 3);
}

QTEST_MAIN(TestOperatorInput)
#include "tst_operatorinput.moc"
