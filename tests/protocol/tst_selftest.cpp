// The display self-test: the screen it paints through the real command
// interpreter, its status line, repeatability, and its refusal while a
// connection is up.
#include <QSignalSpy>
#include <QtTest>

#include "app/tn5250client.h"
#include "codec/ebcdiccodec.h"
#include "common/clientprobe.h"
#include "common/loopbackpair.h"
#include "common/protocolstreams.h"
#include "common/shownscreen.h"
#include "protocol/aidresponse.h"

using ProtocolStreams::logLines;
using ProtocolStreams::logLinesStartingWith;

namespace {

QString at(int column, const QString &text)
{
    return QString(column, QLatin1Char(' ')) + text;
}

} // namespace

class SelfTestTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void testScreen();
    void passwordFieldHidesTyping();
    void twiceGivesTheSameScreen();
    void sameTextInOtherCodePages_data();
    void sameTextInOtherCodePages();
    void refusedWhileConnected();
};

void SelfTestTest::init()
{
    EbcdicCodec::setCodePage(37);
}

void SelfTestTest::testScreen()
{
    Tn5250Client client;
    ClientProbe probe(client);
    client.clearDiagnostics();
    QSignalSpy screenSpy(&client, SIGNAL(screenChanged()));
    client.showDisplayTest();

    QCOMPARE(client.status(), QStringLiteral("5250 self-test — parser/render ready • 155 chars • 2 fields"));
    QCOMPARE(client.visibleCellCount(), 155);
    QCOMPARE(client.inputFieldCount(), 2);
    QCOMPARE(client.cursorRow(), 8);
    QCOMPARE(client.cursorColumn(), 31);
    QCOMPARE(probe.screen().insertCursorIndex, 7 * 80 + 30);
    QVERIFY(!client.keyboardLocked());
    QCOMPARE(probe.pendingReadMode(), int(AidResponse::ReadMdtFields));
    QCOMPARE(client.rxRecordCount(), 0);
    QCOMPARE(client.lastRecordBytes(), 0);
    QVERIFY(screenSpy.count() >= 1);

    const QStringList lines = ShownScreen::lines(client);
    QCOMPARE(lines.size(), 24);
    QCOMPARE(lines.at(2), at(22, QStringLiteral("VANTOREL DISPLAY SELF-TEST")));
    QCOMPARE(lines.at(4), at(15, QStringLiteral("If you can read this, 5250 parsing and rendering work.")));
    QCOMPARE(lines.at(7), at(19, QStringLiteral("USER ID:")));
    QCOMPARE(lines.at(9), at(19, QStringLiteral("PASSWORD:")));
    QCOMPARE(lines.at(12), at(11, QStringLiteral("Type into USER ID; PASSWORD must stay hidden.")));
    QCOMPARE(lines.at(14), at(11, QStringLiteral("This page uses no network connection.")));

    const QVector<TerminalScreen::Field> &fields = client.terminalScreen().fields;
    QCOMPARE(fields.at(0).start, 7 * 80 + 30);
    QCOMPARE(fields.at(0).length, 10);
    QCOMPARE(int(fields.at(0).attribute), 0x20);
    QCOMPARE(fields.at(1).start, 9 * 80 + 30);
    QCOMPARE(fields.at(1).length, 10);
    QCOMPARE(int(fields.at(1).attribute), 0x27);

    const QStringList log = logLines(client.diagnostics());
    QVERIFY(log.contains(QStringLiteral("5250 commands: 40 11 52")));
    QCOMPARE(logLinesStartingWith(client.diagnostics(), QStringLiteral("WTD complete")),
             QStringList() << QStringLiteral("WTD complete: 155 visible cells, 2 input fields, 24x80, cursor 8,31, "
                                             "home 8,31, last cursor order IC"));
    QCOMPARE(log.last(), QStringLiteral("Local 5250 parser/display self-test shown (no host data)"));
    QCOMPARE(logLinesStartingWith(client.diagnostics(), QStringLiteral("RX ")), QStringList());
}

void SelfTestTest::passwordFieldHidesTyping()
{
    Tn5250Client client;
    client.showDisplayTest();
    TerminalScreen &screen = ClientProbe(client).screen();
    screen.setCursorIndex(7 * 80 + 30);
    QVERIFY(screen.typeCharacter(QLatin1Char('Q')));
    screen.setCursorIndex(9 * 80 + 30);
    QVERIFY(screen.typeCharacter(QLatin1Char('Z')));
    const QStringList lines = ShownScreen::lines(client);
    QCOMPARE(lines.at(7), at(19, QStringLiteral("USER ID:")) + QString(3, QLatin1Char(' ')) + QLatin1Char('Q'));
    QCOMPARE(lines.at(9), at(19, QStringLiteral("PASSWORD:")));
    QCOMPARE(int(screen.rawAt(9 * 80 + 30)), 0xE9);
}

void SelfTestTest::twiceGivesTheSameScreen()
{
    Tn5250Client client;
    ClientProbe probe(client);
    client.showDisplayTest();
    const QString first = client.terminalText();
    const int cursor = probe.screen().cursor;

    // Disturb everything the second run must put right.
    probe.screen().setCursorIndex(7 * 80 + 30);
    QVERIFY(probe.screen().typeCharacter(QLatin1Char('Q')));
    receive(client, 0x04, ProtocolStreams::hex("04 02"));
    QCOMPARE(probe.savedScreens().size(), 1);
    probe.screen().setCursorIndex(0);

    client.showDisplayTest();
    QCOMPARE(client.terminalText(), first);
    QCOMPARE(probe.screen().cursor, cursor);
    QCOMPARE(client.inputFieldCount(), 2);
    QVERIFY(!probe.screen().fields.at(0).modified);
    QCOMPARE(probe.savedScreens().size(), 0);
    QCOMPARE(client.status(), QStringLiteral("5250 self-test — parser/render ready • 155 chars • 2 fields"));
}

void SelfTestTest::sameTextInOtherCodePages_data()
{
    QTest::addColumn<int>("codePage");
    const QList<int> pages = EbcdicCodec::supportedCodePages();
    for (int page : pages) {
        if (page != 37)
            QTest::newRow(qPrintable(QStringLiteral("code page %1").arg(page))) << page;
    }
}

void SelfTestTest::sameTextInOtherCodePages()
{
    QFETCH(int, codePage);
    Tn5250Client client;
    client.showDisplayTest();
    const QString reference = client.terminalText();
    EbcdicCodec::setCodePage(codePage);
    client.showDisplayTest();
    QCOMPARE(client.terminalText(), reference);
    QCOMPARE(client.visibleCellCount(), 155);
}

void SelfTestTest::refusedWhileConnected()
{
    Tn5250Client client;
    ClientProbe probe(client);
    LoopbackPair pair;
    QVERIFY(pair.open());
    probe.socket() = pair.terminalEnd();
    probe.connected() = true;
    receiveRecord(client, ProtocolStreams::record(0x03, ProtocolStreams::hex("04 11 00 08 C1")));
    const QString text = client.terminalText();
    const QString log = client.diagnostics();
    QSignalSpy screenSpy(&client, SIGNAL(screenChanged()));

    client.showDisplayTest();
    QCOMPARE(client.status(), QStringLiteral("Disconnect before running the display self-test"));
    QCOMPARE(client.terminalText(), text);
    QCOMPARE(client.rxRecordCount(), 1);
    QCOMPARE(client.diagnostics(), log);
    QCOMPARE(screenSpy.count(), 0);
    QCOMPARE(pair.takeSent(), QByteArray());
}

QTEST_MAIN(SelfTestTest)
#include "tst_selftest.moc"
