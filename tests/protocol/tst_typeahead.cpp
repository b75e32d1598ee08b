// Input while the host holds the keyboard: refused with the preference off,
// queued with it on and replayed in order once the host unlocks, one AID key
// per host exchange; the queue's limits; typed and pasted text (a rejected
// character keeps what came before it, an auto-enter field ends the text and
// sends Enter, a paste takes only the clipboard's first line).

#include <QClipboard>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QtTest>

#include "app/tn5250client.h"
#include "common/clientprobe.h"
#include "common/loopbackpair.h"
#include "codec/ebcdiccodec.h"
#include "common/hexfixture.h"
#include "common/protocolstreams.h"
#include "keywire.h"

using ProtocolStreams::hex;

namespace {

const QString LOCKED = QStringLiteral("Keyboard is locked by IBM i");
const QString FULL = QStringLiteral("Type-ahead buffer is full");
const QString QUEUED_TEXT = QStringLiteral("Queued input while IBM i is busy");
const QString QUEUED_KEY = QStringLiteral("Queued key while IBM i is busy");

} // namespace

class TestTypeAhead : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void lockedWithoutTypeAheadRefuses();
    void queuedInputReplaysOnUnlock_data();
    void queuedInputReplaysOnUnlock();
    void replayStopsAtTheKeyThatLocks();
    void queuedEnterIsChecked_data();
    void queuedEnterIsChecked();
    void typeAheadOffKeepsQueueUnplayed();
    void textLimit();
    void textRefusedAsAWhole();
    void keyLimit();
    void replayedInputMeetingLockIsRefused();
    void paste_data();
    void paste();
    void pasteWhileLockedQueuesFirstLine();
    void rejectedCharacterKeepsEarlierOnes();
    void autoEnterEndsTheText_data();
    void autoEnterEndsTheText();

private:
    // A connected client over a loopback wire, type-ahead on, the keyboard
    // locked, one empty input field at row 2, column 10, with the cursor on it.
    QScopedPointer<Tn5250Client> m_client;
    QScopedPointer<KeyWire> m_wire;
    QScopedPointer<ClientProbe> m_probe;
};

void TestTypeAhead::initTestCase()
{
    EbcdicCodec::setCodePage(37);
}

void TestTypeAhead::init()
{
    m_client.reset(new Tn5250Client);
    m_probe.reset(new ClientProbe(*m_client));
    m_wire.reset(new KeyWire);
    QVERIFY(m_wire->attach(*m_client));
    TerminalScreen &screen = m_probe->screen();
    defineField(screen, 2, 10, 0x40, 0x00, 5);
    screen.moveCursor(2, 10);
    screen.keyboardLocked = true;
    m_probe->setTypeAhead(true);
}

void TestTypeAhead::cleanup()
{
    m_probe.reset();
    m_wire.reset();
    m_client.reset();
}

void TestTypeAhead::lockedWithoutTypeAheadRefuses()
{
    m_probe->setTypeAhead(false);
    QVERIFY(!m_client->inputText(QStringLiteral("a")));
    QCOMPARE(m_client->status(), LOCKED);

    m_probe->setStatus(QString());
    QGuiApplication::clipboard()->setText(QStringLiteral("b"));
    m_client->pasteClipboard();
    QCOMPARE(m_client->status(), LOCKED);

    QVERIFY(m_probe->typeAheadQueue().isEmpty());
    const TerminalScreen::Field field = m_probe->screen().fields.at(0);
    QCOMPARE(m_probe->screen().fieldBytes(field).toHex(), hex("00 00 00 00 00").toHex());
}

void TestTypeAhead::queuedInputReplaysOnUnlock_data()
{
    QTest::addColumn<bool>("byWriteToDisplay");
    QTest::newRow("unlocked by a Write To Display") << true;
    QTest::newRow("unlocked by hand, then drained") << false;
}

void TestTypeAhead::queuedInputReplaysOnUnlock()
{
    QFETCH(bool, byWriteToDisplay);

    QVERIFY(m_client->inputText(QStringLiteral("abc")));
    QCOMPARE(m_client->status(), QUEUED_TEXT);
    m_client->sendEnter();
    QCOMPARE(m_client->status(), QUEUED_KEY);

    const TypeAheadQueue &queue = m_probe->typeAheadQueue();
    QCOMPARE(queue.size(), 2);
    QCOMPARE(queue.at(0).kind, 0);
    QCOMPARE(queue.at(0).text, QStringLiteral("abc"));
    QCOMPARE(queue.at(1).kind, 1);
    QCOMPARE(int(queue.at(1).aid), 0xF1);
    QCOMPARE(queue.at(1).function, 0);
    QCOMPARE(queue.at(1).noData, false);
    QVERIFY(m_wire->nothingSentBefore());

    if (byWriteToDisplay) {
        // Write To Display, CC1 0x00, CC2 0x48: unlock, cursor stays.
        receive(*m_client, 0x00, hex("04 11 00 48"));
    } else {
        m_probe->screen().keyboardLocked = false;
        m_probe->drainTypeAhead();
    }

    QTRY_COMPARE(m_wire->recordCount(), 1);
    QCOMPARE(m_wire->takeRecord().mid(10).toHex(), hex("02 0D F1  11 02 0A 81 82 83").toHex());
    QVERIFY(m_client->keyboardLocked());
    QVERIFY(m_probe->typeAheadQueue().isEmpty());
    QVERIFY(!m_probe->typeAheadDraining());
}

// Replay hands one AID key to the host per exchange: what was queued after
// the key waits for the next unlock.
void TestTypeAhead::replayStopsAtTheKeyThatLocks()
{
    QVERIFY(m_client->inputText(QStringLiteral("a")));
    m_client->sendFunctionKey(3);
    QVERIFY(m_client->inputText(QStringLiteral("b")));
    QCOMPARE(m_probe->typeAheadQueue().size(), 3);

    m_probe->screen().keyboardLocked = false;
    m_probe->drainTypeAhead();
    QTRY_COMPARE(m_wire->recordCount(), 1);
    QCOMPARE(m_wire->takeRecord().mid(10).toHex(), hex("02 0B 33  11 02 0A 81").toHex());
    QVERIFY(m_client->keyboardLocked());
    QCOMPARE(m_probe->typeAheadQueue().size(), 1);

    m_probe->screen().keyboardLocked = false;
    m_probe->drainTypeAhead();
    QVERIFY(m_probe->typeAheadQueue().isEmpty());
    const TerminalScreen::Field field = m_probe->screen().fields.at(0);
    QCOMPARE(m_probe->screen().fieldBytes(field).toHex(), hex("81 82 00 00 00").toHex());
    QVERIFY(m_wire->nothingSentBefore());
}

// The queued Enter goes out through sendAid as it was queued: the
// mandatory-entry check of a direct Enter is not made again on replay.
// A replayed Enter meets the same checks as a typed one; refused, the
// queue stops there and what followed it goes too.
void TestTypeAhead::queuedEnterIsChecked_data()
{
    QTest::addColumn<QString>("typedAhead");
    QTest::addColumn<QByteArray>("sent");   // data of the one record sent; empty: none
    QTest::addColumn<int>("left");          // entries still queued
    QTest::addColumn<QString>("status");

    QTest::newRow("untouched mandatory-entry field: refused, the rest dropped")
        << "" << QByteArray() << 0 << "A mandatory-entry field has not been entered";
    QTest::newRow("entered ahead as well: sent, F5 waits")
        << "AB" << hex("03 07 F1 11 03 05 C1 C2") << 1 << "Connected — waiting for IBM i";
}

void TestTypeAhead::queuedEnterIsChecked()
{
    QFETCH(QString, typedAhead);
    QFETCH(QByteArray, sent);
    QFETCH(int, left);
    QFETCH(QString, status);

    TerminalScreen &screen = m_probe->screen();
    screen.clearFormatTable();
    defineField(screen, 3, 5, 0x40, 0x08, 4); // mandatory entry, never entered
    screen.moveCursor(3, 5);
    screen.keyboardLocked = true;

    if (!typedAhead.isEmpty())
        QVERIFY(m_client->inputText(typedAhead));
    m_client->sendEnter();
    m_client->sendFunctionKey(5);
    screen.keyboardLocked = false;
    m_probe->drainTypeAhead();
    if (sent.isEmpty()) {
        QVERIFY(m_wire->nothingSentBefore());
        QVERIFY(!screen.keyboardLocked);
    } else {
        QTRY_COMPARE(m_wire->recordCount(), 1);
        QCOMPARE(m_wire->takeRecord().mid(10).toHex(), sent.toHex());
    }
    QCOMPARE(m_probe->typeAheadQueue().size(), left);
    QCOMPARE(m_client->status(), status);
}

void TestTypeAhead::typeAheadOffKeepsQueueUnplayed()
{
    QVERIFY(m_client->inputText(QStringLiteral("a")));
    m_probe->setTypeAhead(false);
    m_probe->screen().keyboardLocked = false;
    m_probe->drainTypeAhead();
    QCOMPARE(m_probe->typeAheadQueue().size(), 1);
    const TerminalScreen::Field field = m_probe->screen().fields.at(0);
    QCOMPARE(m_probe->screen().fieldBytes(field).toHex(), hex("00 00 00 00 00").toHex());
}

void TestTypeAhead::textLimit()
{
    QSignalSpy bell(m_client.data(), SIGNAL(terminalBell()));
    QVERIFY(m_client->inputText(QString(2048, QLatin1Char('a'))));
    QCOMPARE(m_client->status(), QUEUED_TEXT);

    // Refused, and reported as not taken so that the interface keeps it.
    QVERIFY(!m_client->inputText(QStringLiteral("b")));
    QCOMPARE(m_client->status(), FULL);
    QCOMPARE(bell.count(), 1);
    QCOMPARE(m_probe->typeAheadQueue().size(), 1);

    m_client->sendFunctionKey(1);
    QCOMPARE(m_client->status(), QUEUED_KEY);
    QCOMPARE(m_probe->typeAheadQueue().size(), 2);
    QCOMPARE(bell.count(), 1);
}

// The queue's own arithmetic: a text that does not fit is refused whole,
// and a shorter one still fits afterwards.
void TestTypeAhead::textRefusedAsAWhole()
{
    TypeAheadQueue queue;
    QCOMPARE(queue.addText(QString(2000, QLatin1Char('a'))), TypeAheadQueue::Queued);
    QCOMPARE(queue.addText(QString(40, QLatin1Char('b'))), TypeAheadQueue::Queued);
    QCOMPARE(queue.addText(QString(9, QLatin1Char('c'))), TypeAheadQueue::Full);
    QCOMPARE(queue.size(), 2);
    QCOMPARE(queue.addText(QString(8, QLatin1Char('d'))), TypeAheadQueue::Queued);
    QCOMPARE(queue.size(), 3);
    QCOMPARE(queue.at(2).text, QStringLiteral("dddddddd"));
    QCOMPARE(queue.addText(QString()), TypeAheadQueue::Ignored);
    QCOMPARE(queue.size(), 3);
}

void TestTypeAhead::keyLimit()
{
    QSignalSpy bell(m_client.data(), SIGNAL(terminalBell()));
    for (int i = 0; i < 64; ++i)
        m_client->sendFunctionKey(1 + i % 24);
    QCOMPARE(m_probe->typeAheadQueue().size(), 64);
    QCOMPARE(bell.count(), 0);

    m_client->sendPaKey(1);
    QCOMPARE(m_client->status(), FULL);
    QCOMPARE(bell.count(), 1);
    QCOMPARE(m_probe->typeAheadQueue().size(), 64);
    m_client->sendEnter();
    QCOMPARE(bell.count(), 2);
    QCOMPARE(m_probe->typeAheadQueue().size(), 64);

    // Text is bounded by its characters only.
    QVERIFY(m_client->inputText(QStringLiteral("x")));
    QCOMPARE(m_client->status(), QUEUED_TEXT);
    QCOMPARE(m_probe->typeAheadQueue().size(), 65);
    QVERIFY(m_wire->nothingSentBefore());
}

void TestTypeAhead::replayedInputMeetingLockIsRefused()
{
    m_probe->typeAheadDraining() = true;

    m_client->sendFunctionKey(2);
    QCOMPARE(m_client->status(), LOCKED);
    m_probe->setStatus(QString());
    m_client->sendEnter();
    QCOMPARE(m_client->status(), LOCKED);
    m_probe->setStatus(QString());
    QVERIFY(!m_client->inputText(QStringLiteral("x")));
    QCOMPARE(m_client->status(), LOCKED);

    QVERIFY(m_probe->typeAheadQueue().isEmpty());
    QVERIFY(m_wire->nothingSentBefore());
}

void TestTypeAhead::paste_data()
{
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<QString>("status");
    QTest::newRow("letter, CR LF, letter: first line only")
        << QStringLiteral("a\r\nb") << hex("81 00 00 00 00") << QString();
    QTest::newRow("lone CR ends the line") << QStringLiteral("xy\rz") << hex("A7 A8 00 00 00") << QString();
    QTest::newRow("empty first line") << QStringLiteral("\nabc") << hex("00 00 00 00 00")
                                      << QStringLiteral("Clipboard contains no text to paste");
    QTest::newRow("empty clipboard") << QString() << hex("00 00 00 00 00")
                                     << QStringLiteral("Clipboard contains no text to paste");
}

void TestTypeAhead::paste()
{
    QFETCH(QString, clipboard);
    QFETCH(QByteArray, field);
    QFETCH(QString, status);

    m_probe->screen().keyboardLocked = false;
    QGuiApplication::clipboard()->setText(clipboard);
    m_probe->setStatus(QString());
    m_client->pasteClipboard();
    const TerminalScreen::Field entry = m_probe->screen().fields.at(0);
    QCOMPARE(m_probe->screen().fieldBytes(entry).toHex(), field.toHex());
    QCOMPARE(m_client->status(), status);
}

void TestTypeAhead::pasteWhileLockedQueuesFirstLine()
{
    QGuiApplication::clipboard()->setText(QStringLiteral("abc\ndef"));
    m_client->pasteClipboard();
    QCOMPARE(m_probe->typeAheadQueue().size(), 1);
    QCOMPARE(m_probe->typeAheadQueue().at(0).text, QStringLiteral("abc"));
}

void TestTypeAhead::rejectedCharacterKeepsEarlierOnes()
{
    TerminalScreen &screen = m_probe->screen();
    screen.clearFormatTable();
    defineField(screen, 4, 20, 0x43, 0x00, 5); // numeric only
    screen.moveCursor(4, 20);
    screen.keyboardLocked = false;
    QSignalSpy bell(m_client.data(), SIGNAL(terminalBell()));
    QSignalSpy screenChanged(m_client.data(), SIGNAL(screenChanged()));

    QVERIFY(m_client->inputText(QStringLiteral("1x2")));
    QCOMPARE(m_client->status(), QStringLiteral("Character is not valid for this field"));
    QCOMPARE(bell.count(), 1);
    QCOMPARE(screenChanged.count(), 1);
    QCOMPARE(screen.fieldBytes(screen.fields.at(0)).toHex(), hex("F1 00 00 00 00").toHex());

    // Rejected at the first character: nothing taken, nothing to repaint.
    QVERIFY(!m_client->inputText(QStringLiteral("y3")));
    QCOMPARE(bell.count(), 2);
    QCOMPARE(screenChanged.count(), 1);
    QCOMPARE(screen.fieldBytes(screen.fields.at(0)).toHex(), hex("F1 00 00 00 00").toHex());
}

void TestTypeAhead::autoEnterEndsTheText_data()
{
    QTest::addColumn<bool>("connected");
    QTest::newRow("connected: Enter goes out") << true;
    QTest::newRow("not connected: nothing sent") << false;
}

void TestTypeAhead::autoEnterEndsTheText()
{
    QFETCH(bool, connected);

    TerminalScreen &screen = m_probe->screen();
    screen.clearFormatTable();
    defineField(screen, 3, 5, 0x40, 0x80, 2);  // auto enter
    defineField(screen, 4, 5, 0x40, 0x00, 5);
    screen.moveCursor(3, 5);
    screen.keyboardLocked = false;
    m_probe->connected() = connected;

    QVERIFY(m_client->inputText(QStringLiteral("abc")));
    QCOMPARE(screen.fieldBytes(screen.fields.at(0)).toHex(), hex("81 82").toHex());
    QCOMPARE(screen.fieldBytes(screen.fields.at(1)).toHex(), hex("00 00 00 00 00").toHex());
    if (connected) {
        QTRY_COMPARE(m_wire->recordCount(), 1);
        QCOMPARE(m_wire->takeRecord().mid(10).toHex(), hex("03 06 F1  11 03 05 81 82").toHex());
        QVERIFY(m_client->keyboardLocked());
    } else {
        QVERIFY(!m_client->keyboardLocked());
    }
    QVERIFY(m_wire->nothingSentBefore());
}

QTEST_MAIN(TestTypeAhead)
#include "tst_typeahead.moc"
