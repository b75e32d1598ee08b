// The editing keys of the interface: which of them a locked keyboard stops,
// which repaint only when something changed, the insert-mode status line,
// refusals shown with the bell, the cursor keys and cell taps, and the Enter
// that an auto-enter field sends when Field Exit leaves it.

#include <QSignalSpy>
#include <QtTest>

#include "app/tn5250client.h"
#include "common/clientprobe.h"
#include "codec/ebcdiccodec.h"
#include "common/hexfixture.h"
#include "common/protocolstreams.h"
#include "keywire.h"

using ProtocolStreams::hex;

namespace {

// Two input fields, "AB" at row 3, column 5 (length 4) and an empty one at
// row 7, column 5; the cursor on position 1 of the first.
void prepareScreen(TerminalScreen &screen)
{
    defineField(screen, 3, 5, 0x40, 0x00, 4, hex("C1 C2"));
    defineField(screen, 7, 5, 0x40, 0x00, 4);
    screen.moveCursor(3, 6);
    screen.keyboardLocked = false;
}

} // namespace

class TestLocalEditing : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void lockedKeyboardIgnores_data();
    void lockedKeyboardIgnores();
    void unlockedKeysMove_data();
    void unlockedKeysMove();
    void toggleInsertMode();
    void changeOnlyRepaints_data();
    void changeOnlyRepaints();
    void eraseToEndOfFieldRefusal();
    void fieldMinusRefusal();
    void fieldExitAutoEnter_data();
    void fieldExitAutoEnter();
    void cursorKeys_data();
    void cursorKeys();
    void setCursorCell_data();
    void setCursorCell();
};

void TestLocalEditing::initTestCase()
{
    EbcdicCodec::setCodePage(37);
}

void TestLocalEditing::lockedKeyboardIgnores_data()
{
    QTest::addColumn<QString>("operation");
    QTest::newRow("tab") << "tab";
    QTest::newRow("backtab") << "backtab";
    QTest::newRow("home") << "home";
    QTest::newRow("newLine") << "newLine";
    QTest::newRow("eraseInput") << "eraseInput";
    QTest::newRow("toggleInsertMode") << "toggleInsertMode";
}

void TestLocalEditing::lockedKeyboardIgnores()
{
    QFETCH(QString, operation);

    Tn5250Client client;
    ClientProbe probe(client);
    TerminalScreen &screen = probe.screen();
    prepareScreen(screen);
    screen.fields[0].modified = true;
    screen.keyboardLocked = true;
    const QByteArray dataBefore = screen.data;
    const QString statusBefore = client.status();
    QSignalSpy screenChanged(&client, SIGNAL(screenChanged()));

    QVERIFY(QMetaObject::invokeMethod(&client, operation.toLatin1().constData()));
    QCOMPARE(screenChanged.count(), 0);
    QCOMPARE(screen.cursor, 2 * 80 + 5);
    QCOMPARE(screen.data.toHex(), dataBefore.toHex());
    QVERIFY(!screen.insertMode);
    QCOMPARE(client.status(), statusBefore);
}

void TestLocalEditing::unlockedKeysMove_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<int>("cursor");
    QTest::newRow("tab to the next field") << "tab" << 6 * 80 + 4;
    QTest::newRow("backtab to the field's first position") << "backtab" << 2 * 80 + 4;
    QTest::newRow("home to the first input field") << "home" << 2 * 80 + 4;
    QTest::newRow("new line to the field below") << "newLine" << 6 * 80 + 4;
}

void TestLocalEditing::unlockedKeysMove()
{
    QFETCH(QString, operation);
    QFETCH(int, cursor);

    Tn5250Client client;
    ClientProbe probe(client);
    prepareScreen(probe.screen());
    QSignalSpy screenChanged(&client, SIGNAL(screenChanged()));

    QVERIFY(QMetaObject::invokeMethod(&client, operation.toLatin1().constData()));
    QCOMPARE(probe.screen().cursor, cursor);
    QCOMPARE(screenChanged.count(), 1);
}

void TestLocalEditing::toggleInsertMode()
{
    Tn5250Client client;
    ClientProbe probe(client);
    prepareScreen(probe.screen());
    QSignalSpy screenChanged(&client, SIGNAL(screenChanged()));
    QSignalSpy statusChanged(&client, SIGNAL(statusChanged()));

    client.toggleInsertMode();
    QVERIFY(client.insertMode());
    QCOMPARE(client.status(), QStringLiteral("Insert mode on"));
    client.toggleInsertMode();
    QVERIFY(!client.insertMode());
    QCOMPARE(client.status(), QStringLiteral("Insert mode off"));
    QCOMPARE(screenChanged.count(), 2);
    QCOMPARE(statusChanged.count(), 2);
}

void TestLocalEditing::changeOnlyRepaints_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<bool>("inField");
    QTest::addColumn<QByteArray>("field"); // first field afterwards
    QTest::addColumn<int>("cursor");
    QTest::newRow("backspace in a field") << "backspace" << true << hex("00 C2 00 00") << 2 * 80 + 4;
    QTest::newRow("backspace outside fields") << "backspace" << false << hex("C1 C2 00 00") << 0;
    QTest::newRow("delete in a field") << "deleteCharacter" << true << hex("C1 00 00 00") << 2 * 80 + 5;
    QTest::newRow("delete outside fields") << "deleteCharacter" << false << hex("C1 C2 00 00") << 0;
    QTest::newRow("end of field in a field") << "endOfField" << true << hex("C1 C2 00 00") << 2 * 80 + 6;
    QTest::newRow("end of field outside fields") << "endOfField" << false << hex("C1 C2 00 00") << 0;
}

void TestLocalEditing::changeOnlyRepaints()
{
    QFETCH(QString, operation);
    QFETCH(bool, inField);
    QFETCH(QByteArray, field);
    QFETCH(int, cursor);

    Tn5250Client client;
    ClientProbe probe(client);
    TerminalScreen &screen = probe.screen();
    prepareScreen(screen);
    if (!inField)
        screen.setCursorIndex(0);
    QSignalSpy screenChanged(&client, SIGNAL(screenChanged()));

    QVERIFY(QMetaObject::invokeMethod(&client, operation.toLatin1().constData()));
    QCOMPARE(screen.fieldBytes(screen.fields.at(0)).toHex(), field.toHex());
    QCOMPARE(screen.cursor, cursor);
    QCOMPARE(screenChanged.count(), inField ? 1 : 0);
}

void TestLocalEditing::eraseToEndOfFieldRefusal()
{
    Tn5250Client client;
    ClientProbe probe(client);
    prepareScreen(probe.screen());
    probe.screen().setCursorIndex(0);
    QSignalSpy bell(&client, SIGNAL(terminalBell()));
    QSignalSpy screenChanged(&client, SIGNAL(screenChanged()));

    client.eraseToEndOfField();
    QCOMPARE(client.status(), QStringLiteral("Erase EOF is only valid in an input field"));
    QCOMPARE(bell.count(), 1);
    QCOMPARE(screenChanged.count(), 1);

    // In the field it erases from the cursor on, without a bell.
    probe.screen().moveCursor(3, 6);
    client.eraseToEndOfField();
    QCOMPARE(bell.count(), 1);
    QCOMPARE(screenChanged.count(), 2);
    QCOMPARE(probe.screen().fieldBytes(probe.screen().fields.at(0)).toHex(), hex("C1 00 00 00").toHex());
}

void TestLocalEditing::fieldMinusRefusal()
{
    Tn5250Client client;
    ClientProbe probe(client);
    prepareScreen(probe.screen());
    QSignalSpy bell(&client, SIGNAL(terminalBell()));

    client.fieldMinus();
    QCOMPARE(client.status(), QStringLiteral("Field- is only valid in a signed numeric field"));
    QCOMPARE(bell.count(), 1);
    QCOMPARE(probe.screen().cursor, 2 * 80 + 5);

    // Field+ in the same field is Field Exit: clears from the cursor, moves on.
    client.fieldPlus();
    QCOMPARE(bell.count(), 1);
    QCOMPARE(probe.screen().fieldBytes(probe.screen().fields.at(0)).toHex(), hex("C1 00 00 00").toHex());
    QCOMPARE(probe.screen().cursor, 6 * 80 + 4);
}

void TestLocalEditing::fieldExitAutoEnter_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<bool>("connected");
    QTest::newRow("Field Exit, connected") << "fieldExit" << true;
    QTest::newRow("Field+, connected") << "fieldPlus" << true;
    QTest::newRow("Field Exit, not connected") << "fieldExit" << false;
}

void TestLocalEditing::fieldExitAutoEnter()
{
    QFETCH(QString, operation);
    QFETCH(bool, connected);

    Tn5250Client client;
    ClientProbe probe(client);
    KeyWire wire;
    QVERIFY(wire.attach(client));
    TerminalScreen &screen = probe.screen();
    defineField(screen, 3, 5, 0x40, 0x80, 4, hex("C1 C2")); // auto enter
    defineField(screen, 7, 5, 0x40, 0x00, 4);
    screen.moveCursor(3, 7);
    screen.keyboardLocked = false;
    probe.connected() = connected;

    QVERIFY(QMetaObject::invokeMethod(&client, operation.toLatin1().constData()));
    if (connected) {
        // Field Exit moved the cursor to the next field before Enter went out.
        QTRY_COMPARE(wire.recordCount(), 1);
        QCOMPARE(wire.takeRecord().mid(10).toHex(), hex("07 05 F1  11 03 05 C1 C2").toHex());
        QVERIFY(client.keyboardLocked());
    } else {
        QVERIFY(!client.keyboardLocked());
    }
    QVERIFY(wire.nothingSentBefore());
}

void TestLocalEditing::cursorKeys_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<int>("row"); // 1-based, from row 10, column 20
    QTest::addColumn<int>("column");
    QTest::newRow("left") << "moveCursorLeft" << 10 << 19;
    QTest::newRow("right") << "moveCursorRight" << 10 << 21;
    QTest::newRow("up") << "moveCursorUp" << 9 << 20;
    QTest::newRow("down") << "moveCursorDown" << 11 << 20;
}

// The cursor keys work whatever the keyboard lock says.
void TestLocalEditing::cursorKeys()
{
    QFETCH(QString, operation);
    QFETCH(int, row);
    QFETCH(int, column);

    Tn5250Client client;
    ClientProbe probe(client);
    probe.screen().moveCursor(10, 20);
    probe.screen().keyboardLocked = true;
    QSignalSpy screenChanged(&client, SIGNAL(screenChanged()));

    QVERIFY(QMetaObject::invokeMethod(&client, operation.toLatin1().constData()));
    QCOMPARE(client.cursorRow(), row);
    QCOMPARE(client.cursorColumn(), column);
    QCOMPARE(screenChanged.count(), 1);
}

void TestLocalEditing::setCursorCell_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<bool>("moves");
    QTest::newRow("first cell") << 1 << 1 << true;
    QTest::newRow("last cell") << 24 << 80 << true;
    QTest::newRow("row 25 of 24") << 25 << 1 << false;
    QTest::newRow("row 0") << 0 << 1 << false;
    QTest::newRow("column 81 of 80") << 1 << 81 << false;
    QTest::newRow("column 0") << 5 << 0 << false;
}

void TestLocalEditing::setCursorCell()
{
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(bool, moves);

    Tn5250Client client;
    ClientProbe probe(client);
    probe.screen().moveCursor(10, 20);
    QSignalSpy screenChanged(&client, SIGNAL(screenChanged()));

    client.setCursorCell(row, column);
    QCOMPARE(client.cursorRow(), moves ? row : 10);
    QCOMPARE(client.cursorColumn(), moves ? column : 20);
    QCOMPARE(screenChanged.count(), moves ? 1 : 0);
}

QTEST_GUILESS_MAIN(TestLocalEditing)
#include "tst_localediting.moc"
