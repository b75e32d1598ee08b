// Where operator keys enter the page, against the in-process demo host: the
// operator line's message after refused and accepted keys, double-tap Enter,
// hardware keys, and the segment model that keeps the Repeaters' delegates
// when a screen change leaves the fields where they were.

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "app/tn5250client.h"
#include "common/connectionwatch.h"
#include "demohost.h"
#include "view/screensegmentmodel.h"
#include "view/terminalinput.h"

using namespace ConnectionTest;

class TestTerminalInput : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void refusalMessageGoesAtTheNextAcceptedKey();
    void doubleTapSendsEnter_data();
    void doubleTapSendsEnter();
    void hardwareKeysReachTheHost_data();
    void hardwareKeysReachTheHost();
    void labelSpan_data();
    void labelSpan();
    void segmentsChangeOnlyWhereTheScreenDid();

private:
    void connectClient(DemoHost &host, Tn5250Client &client);
    void signOnTo(DemoHost &host, Tn5250Client &client, const QString &option);
    static void commit(TerminalInput &input, const QString &text);

    QScopedPointer<QTemporaryDir> m_config;
};

void TestTerminalInput::init()
{
    m_config.reset(useFreshSettings());
    QVERIFY(m_config->isValid());
}

void TestTerminalInput::connectClient(DemoHost &host, Tn5250Client &client)
{
    QVERIFY(host.listen());
    configure(client, host.serverPort(), false, false);
    client.connectToHost();
    QTRY_VERIFY(client.terminalText().contains(QStringLiteral("Sign On")));
    QTRY_VERIFY(!client.keyboardLocked());
}

// Any user and password sign on (the host has no account); then the menu
// option, unless empty.
void TestTerminalInput::signOnTo(DemoHost &host, Tn5250Client &client, const QString &option)
{
    connectClient(host, client);
    if (QTest::currentTestFailed())
        return;
    QVERIFY(client.inputText(QStringLiteral("user")));
    client.sendEnter();
    QTRY_COMPARE(host.currentScreen(), QStringLiteral("mainmenu"));
    QTRY_VERIFY(!client.keyboardLocked());
    if (option.isEmpty())
        return;
    QVERIFY(client.inputText(option));
    client.sendEnter();
    QTRY_VERIFY(host.currentScreen() != QStringLiteral("mainmenu"));
    QTRY_VERIFY(!client.keyboardLocked());
}

void TestTerminalInput::commit(TerminalInput &input, const QString &text)
{
    QInputMethodEvent event;
    event.setCommitString(text);
    QCoreApplication::sendEvent(&input, &event);
}

void TestTerminalInput::refusalMessageGoesAtTheNextAcceptedKey()
{
    DemoHost host;
    Tn5250Client client;
    signOnTo(host, client, QStringLiteral("21"));
    if (QTest::currentTestFailed())
        return;
    TerminalInput input;
    input.setClient(&client);
    QSignalSpy bells(&input, SIGNAL(bellRung()));
    const QString hostMessage = client.status();
    QCOMPARE(input.operatorMessage(), hostMessage);

    // The quantity field takes digits only.
    input.tapCell(6, 37);
    commit(input, QStringLiteral("x"));
    const QString refusal = QStringLiteral("Character is not valid for this field");
    QCOMPARE(client.status(), refusal);
    QCOMPARE(input.operatorMessage(), refusal);
    QCOMPARE(bells.count(), 1);

    commit(input, QStringLiteral("1"));
    QCOMPARE(input.operatorMessage(), QString());
    // The same refusal again sets no new status, and still shows.
    commit(input, QStringLiteral("y"));
    QCOMPARE(input.operatorMessage(), refusal);
    QVERIFY(input.trigger(QStringLiteral("right")));
    QCOMPARE(input.operatorMessage(), QString());

    // What the host says always shows.
    QVERIFY(input.trigger(QStringLiteral("F3")));
    QTRY_COMPARE(host.currentScreen(), QStringLiteral("mainmenu"));
    QTRY_VERIFY(!client.keyboardLocked());
    QVERIFY(!client.status().isEmpty());
    QCOMPARE(input.operatorMessage(), client.status());
    QVERIFY(!input.trigger(QStringLiteral("F25")));
}

void TestTerminalInput::doubleTapSendsEnter_data()
{
    QTest::addColumn<int>("secondColumn");
    QTest::addColumn<bool>("doubleTapEnter");
    QTest::addColumn<int>("enters");

    QTest::newRow("two taps on one cell") << 53 << true << 1;
    QTest::newRow("two taps on neighbouring cells") << 54 << true << 0;
    QTest::newRow("two taps on one cell, double tap switched off") << 53 << false << 0;
}

void TestTerminalInput::doubleTapSendsEnter()
{
    QFETCH(int, secondColumn);
    QFETCH(bool, doubleTapEnter);
    QFETCH(int, enters);

    DemoHost host;
    Tn5250Client client;
    connectClient(host, client);
    if (QTest::currentTestFailed())
        return;
    client.setDoubleTapEnter(doubleTapEnter);
    TerminalInput input;
    input.setClient(&client);
    QSignalSpy responses(&host, SIGNAL(responseReceived()));

    input.tapCell(6, 53);
    input.tapCell(6, secondColumn);
    QCOMPARE(client.cursorColumn(), secondColumn);
    if (enters > 0) {
        QTRY_COMPARE(responses.count(), enters);
        QCOMPARE(host.lastResponse().aid, quint8(0xF1));
    } else {
        // Enter locks the keyboard as it is sent; nothing was.
        QVERIFY(!client.keyboardLocked());
        QCOMPARE(responses.count(), 0);
    }
}

void TestTerminalInput::hardwareKeysReachTheHost_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("aid");

    QTest::newRow("F5") << int(Qt::Key_F5) << int(Qt::NoModifier) << 0x35;
    QTest::newRow("Shift+F3 is F15") << int(Qt::Key_F3) << int(Qt::ShiftModifier) << 0xB3;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << 0xF1;
    QTest::newRow("Page Down rolls up") << int(Qt::Key_PageDown) << int(Qt::NoModifier) << 0xF5;
}

void TestTerminalInput::hardwareKeysReachTheHost()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, aid);

    DemoHost host;
    Tn5250Client client;
    connectClient(host, client);
    if (QTest::currentTestFailed())
        return;
    TerminalInput input;
    input.setClient(&client);
    QSignalSpy responses(&host, SIGNAL(responseReceived()));

    QKeyEvent press(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers));
    QCoreApplication::sendEvent(&input, &press);
    QVERIFY(press.isAccepted());
    QTRY_COMPARE(responses.count(), 1);
    QCOMPARE(host.lastResponse().aid, quint8(aid));
}

void TestTerminalInput::labelSpan_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("limit");
    QTest::addColumn<int>("span");

    QTest::newRow("key and its word") << " F5=Refresh   F12=Cancel" << 1 << 3 << 14 << 10;
    QTest::newRow("words joined by one blank") << "F6=Add record  F3=Exit" << 0 << 3 << 15 << 13;
    QTest::newRow("stops where the next key starts") << "F3=Exit F5=Refresh" << 0 << 3 << 8 << 7;
    QTest::newRow("blank before the equals sign") << "F12 =Cancel" << 0 << 5 << 11 << 11;
    QTest::newRow("nothing after the key") << "F3=  more" << 0 << 3 << 9 << 3;
    QTest::newRow("label at the end of the line") << "   F24=More keys" << 3 << 4 << 16 << 13;
}

void TestTerminalInput::labelSpan()
{
    QFETCH(QString, line);
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(int, limit);
    QFETCH(int, span);

    QCOMPARE(ScreenSegmentModel::labelSpan(line, start, length, limit), span);
}

void TestTerminalInput::segmentsChangeOnlyWhereTheScreenDid()
{
    DemoHost host;
    Tn5250Client client;
    signOnTo(host, client, QString());
    if (QTest::currentTestFailed())
        return;
    ScreenSegmentModel fields;
    fields.setClient(&client);
    ScreenSegmentModel hotspots;
    hotspots.setSource(ScreenSegmentModel::Hotspots);
    hotspots.setClient(&client);
    QCOMPARE(fields.count(), client.inputFieldSegments().size());
    QVERIFY(hotspots.count() > 0);
    const QModelIndex first = hotspots.index(0);
    QCOMPARE(hotspots.data(first, ScreenSegmentModel::KindRole).toString(), QStringLiteral("function"));
    QCOMPARE(hotspots.data(first, ScreenSegmentModel::SpanRole).toInt(), int(qstrlen("F3=Exit")));

    QSignalSpy fieldResets(&fields, SIGNAL(modelReset()));
    QSignalSpy fieldInserts(&fields, SIGNAL(rowsInserted(QModelIndex, int, int)));
    QSignalSpy fieldRemovals(&fields, SIGNAL(rowsRemoved(QModelIndex, int, int)));
    QSignalSpy fieldChanges(&fields, SIGNAL(dataChanged(QModelIndex, QModelIndex, QVector<int>)));
    QSignalSpy hotspotChanges(&hotspots, SIGNAL(dataChanged(QModelIndex, QModelIndex, QVector<int>)));

    // Typing and moving change the screen, not where its fields are.
    QSignalSpy screens(&client, SIGNAL(screenChanged()));
    QVERIFY(client.inputText(QStringLiteral("21")));
    client.moveCursorLeft();
    QVERIFY(screens.count() >= 2);
    QCOMPARE(fieldResets.count() + fieldInserts.count() + fieldRemovals.count() + fieldChanges.count(), 0);
    QCOMPARE(hotspotChanges.count(), 0);

    // A new host screen with other fields does change them.
    client.sendEnter();
    QTRY_COMPARE(host.currentScreen(), QStringLiteral("entryform"));
    QTRY_VERIFY(!client.keyboardLocked());
    QVERIFY(fieldInserts.count() + fieldChanges.count() > 0);
    QCOMPARE(fields.count(), client.inputFieldSegments().size());
    QCOMPARE(fields.data(fields.index(0), ScreenSegmentModel::RowRole).toInt(), 5);
    QCOMPARE(fields.data(fields.index(0), ScreenSegmentModel::ColumnRole).toInt(), 37);
    QCOMPARE(fieldResets.count(), 0);
}

QTEST_MAIN(TestTerminalInput)
#include "tst_terminalinput.moc"
