// Macro execution: literal text through the typing path, key tokens through
// the same operations as the interface's keys, observed on a real loopback
// connection (the bytes the host receives) and on the screen.
#include <QSignalSpy>
#include <QtTest>

#include "app/tn5250client.h"
#include "codec/ebcdiccodec.h"
#include "common/clientprobe.h"
#include "common/loopbackpair.h"
#include "common/hexfixture.h"
#include "keywire.h"
#include "common/settingssandbox.h"

namespace {

// A small entry screen: two 10-position monocase fields and a 5-position
// field, keyboard unlocked, cursor on the first field (row 5, column 21).
const char ENTRY_SCREEN[] =
    "04 40                           # Clear Unit\n"
    "04 11 00 08                     # Write To Display, unlock the keyboard\n"
    "11 05 02 20 \"User\"\n"
    "11 05 14 1D 40 20 24 00 0A      # row 5: field at column 21, monocase, 10 long\n"
    "11 06 02 20 \"Program\"\n"
    "11 06 14 1D 40 20 24 00 0A      # row 6: field at column 21\n"
    "11 07 14 1D 40 00 24 00 05      # row 7: field at column 21, 5 long\n"
    "13 05 15                        # Insert Cursor: row 5, column 21\n";

const QString LOCKED = QStringLiteral("Keyboard is locked by IBM i");
const QString NOT_CONNECTED = QStringLiteral("Connect before running a macro");

QByteArray ebcdic(const char *text)
{
    return EbcdicCodec::encode(QString::fromLatin1(text));
}

// Operations of the presentation space that a local-editing token must
// perform, applied to a copy of the screen to predict the outcome.
enum LocalOperation { Tab, Backtab, Home, End, FieldExit, FieldMinus, EraseEof, EraseInput, NewLine, Backspace,
                      Delete };

void apply(TerminalScreen &screen, LocalOperation operation)
{
    switch (operation) {
    case Tab: screen.tab(false); break;
    case Backtab: screen.tab(true); break;
    case Home: screen.moveCursorHome(); break;
    case End: screen.moveToEndOfField(); break;
    case FieldExit: screen.fieldExit(false); break;
    case FieldMinus: screen.fieldExit(true); break;
    case EraseEof: screen.eraseToEndOfField(); break;
    case EraseInput: screen.eraseInput(); break;
    case NewLine: screen.newLine(); break;
    case Backspace: screen.backspace(); break;
    case Delete: screen.deleteCharacter(); break;
    }
}

} // namespace

Q_DECLARE_METATYPE(LocalOperation)

class TestMacros : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void userIdTabEnter();
    void keyTokenSendsItsAid_data();
    void keyTokenSendsItsAid();
    void outOfBandToken_data();
    void outOfBandToken();
    void tokenWithoutEffectSendsNothing_data();
    void tokenWithoutEffectSendsNothing();
    void editingToken_data();
    void editingToken();
    void literalText_data();
    void literalText();
    void textAfterEnterWithoutTypeAhead();
    void textAndKeysAfterEnterAreQueued();
    void refusedWhenNotConnected();
    void runStoredMacro();

private:
    bool showEntryScreen();
    QByteArray fieldBytes(int field) const;

    QScopedPointer<SettingsSandbox> m_sandbox;
    QScopedPointer<Tn5250Client> m_client;
    QScopedPointer<ClientProbe> m_probe;
    QScopedPointer<KeyWire> m_wire;
};

void TestMacros::init()
{
    m_sandbox.reset(new SettingsSandbox);
    m_client.reset(new Tn5250Client);
    m_probe.reset(new ClientProbe(*m_client));
    m_wire.reset(new KeyWire);
    QVERIFY(m_wire->attach(*m_client));
    QVERIFY(showEntryScreen());
}

void TestMacros::cleanup()
{
    m_wire.reset();
    m_probe.reset();
    m_client.reset();
    m_sandbox.reset();
}

bool TestMacros::showEntryScreen()
{
    QString error;
    const QByteArray record = HexFixture::parse(QString::fromLatin1(ENTRY_SCREEN), &error);
    if (!error.isEmpty())
        return false;
    receive(*m_client, 0x03, record);
    return m_client->inputFieldCount() == 3 && !m_client->keyboardLocked() && m_client->cursorRow() == 5
        && m_client->cursorColumn() == 21;
}

QByteArray TestMacros::fieldBytes(int field) const
{
    const TerminalScreen &screen = m_client->terminalScreen();
    return screen.fieldBytes(screen.fields.at(field));
}

void TestMacros::userIdTabEnter()
{
    m_client->runMacro(QStringLiteral("alice{TAB}menu{ENTER}"));

    QTRY_COMPARE(m_wire->recordCount(), 1);
    const QByteArray record = m_wire->takeRecord();
    QByteArray data;
    data.append('\x06').append('\x19');                       // cursor: row 6, column 25, after "MENU"
    data.append('\xF1');                                      // Enter
    data.append("\x11\x05\x15", 3).append(ebcdic("ALICE"));   // first field, monocase
    data.append("\x11\x06\x15", 3).append(ebcdic("MENU"));
    QCOMPARE(record, KeyWire::header(data.size(), 0x00, 0x03) + data);
    QVERIFY(m_client->keyboardLocked());
}

void TestMacros::keyTokenSendsItsAid_data()
{
    QTest::addColumn<QString>("macro");
    QTest::addColumn<int>("aid");

    QTest::newRow("ENTER") << "{ENTER}" << 0xF1;
    QTest::newRow("F12 sends 0x3C") << "{F12}" << 0x3C;
    QTest::newRow("f5 in lower case") << "{f5}" << 0x35;
    QTest::newRow("F1") << "{F1}" << 0x31;
    QTest::newRow("F13") << "{F13}" << 0xB1;
    QTest::newRow("F24") << "{F24}" << 0xBC;
    QTest::newRow("F with a leading zero") << "{F03}" << 0x33;
    QTest::newRow("blanks around F7") << "{ \tF7  }" << 0x37;
    QTest::newRow("CLEAR") << "{Clear}" << 0xBD;
    QTest::newRow("HELP") << "{help}" << 0xF3;
    QTest::newRow("PGUP") << "{PgUp}" << 0xF4;
    QTest::newRow("PGDN") << "{PGDN}" << 0xF5;
    QTest::newRow("PRINT") << "{print}" << 0xF6;
    QTest::newRow("PA1") << "{PA1}" << 0x6C;
    QTest::newRow("PA2") << "{pa2}" << 0x6E;
    QTest::newRow("PA3") << "{Pa3}" << 0x6B;
}

void TestMacros::keyTokenSendsItsAid()
{
    QFETCH(QString, macro);
    QFETCH(int, aid);

    m_client->runMacro(macro);
    QTRY_COMPARE(m_wire->recordCount(), 1);
    const QByteArray record = m_wire->takeRecord();
    QVERIFY(record.size() >= 13);
    QCOMPARE(int(quint8(record.at(9))), 0x03);   // Put/Get
    QCOMPARE(int(quint8(record.at(10))), 5);     // cursor row
    QCOMPARE(int(quint8(record.at(11))), 21);    // cursor column
    QCOMPARE(int(quint8(record.at(12))), aid);
    QVERIFY(m_client->keyboardLocked());
}

void TestMacros::outOfBandToken_data()
{
    QTest::addColumn<QString>("macro");
    QTest::addColumn<int>("flags");
    QTest::newRow("SYSREQ") << "{SysReq}" << 0x04;
    QTest::newRow("ATTN") << "{attn}" << 0x40;
    QTest::newRow("TESTREQ") << "{TESTREQ}" << 0x02;
}

void TestMacros::outOfBandToken()
{
    QFETCH(QString, macro);
    QFETCH(int, flags);

    m_client->runMacro(macro);
    QTRY_COMPARE(m_wire->recordCount(), 1);
    QCOMPARE(m_wire->takeRecord(), KeyWire::header(0, quint8(flags), 0x00));
}

void TestMacros::tokenWithoutEffectSendsNothing_data()
{
    QTest::addColumn<QString>("macro");
    QTest::newRow("F25") << "{F25}";
    QTest::newRow("F0") << "{F0}";
    QTest::newRow("FX") << "{FX}";
    QTest::newRow("F alone") << "{F}";
    QTest::newRow("blank between F and the number") << "{ f 3 }";
    QTest::newRow("F-1") << "{F-1}";
    QTest::newRow("F with a huge number") << "{F99999999999999999999}";
    QTest::newRow("PA4") << "{PA4}";
    QTest::newRow("unknown word") << "{SIGNOFF}";
    QTest::newRow("empty braces") << "{}";
    QTest::newRow("blank braces") << "{   }";
    QTest::newRow("nested opening brace") << "{a{b}";
    QTest::newRow("empty macro") << "";
}

void TestMacros::tokenWithoutEffectSendsNothing()
{
    QFETCH(QString, macro);
    const QByteArray screenBefore = m_client->terminalScreen().data;
    const QString status = m_client->status();
    QSignalSpy screen(m_client.data(), SIGNAL(screenChanged()));

    m_client->runMacro(macro);
    QVERIFY(m_wire->nothingSentBefore());
    QCOMPARE(screen.count(), 0);
    QCOMPARE(m_client->terminalScreen().data, screenBefore);
    QCOMPARE(m_client->status(), status);
    QVERIFY(!m_client->keyboardLocked());
}

void TestMacros::editingToken_data()
{
    QTest::addColumn<QString>("macro");
    QTest::addColumn<LocalOperation>("operation");

    QTest::newRow("TAB") << "{TAB}" << Tab;
    QTest::newRow("BACKTAB") << "{backtab}" << Backtab;
    QTest::newRow("HOME") << "{Home}" << Home;
    QTest::newRow("END") << "{END}" << End;
    QTest::newRow("FIELD") << "{FIELD}" << FieldExit;
    QTest::newRow("FIELDEX") << "{FieldEx}" << FieldExit;
    QTest::newRow("field+ in lower case with blanks") << "{ field+ }" << FieldExit;
    QTest::newRow("FIELD- outside a signed field") << "{FIELD-}" << FieldMinus;
    QTest::newRow("EOF") << "{EOF}" << EraseEof;
    QTest::newRow("ERASEINPUT") << "{EraseInput}" << EraseInput;
    QTest::newRow("NEWLINE") << "{NEWLINE}" << NewLine;
    QTest::newRow("NL") << "{nl}" << NewLine;
    QTest::newRow("BACKSPACE") << "{BACKSPACE}" << Backspace;
    QTest::newRow("BS") << "{bs}" << Backspace;
    QTest::newRow("DELETE") << "{Delete}" << Delete;
    QTest::newRow("DEL") << "{DEL}" << Delete;
}

void TestMacros::editingToken()
{
    QFETCH(QString, macro);
    QFETCH(LocalOperation, operation);

    // "ALICE" in the first field and "MENU" in the second, cursor on the
    // third position of the first field: every editing key has something
    // to change.
    QVERIFY(m_client->inputText(QStringLiteral("ALICE")));
    m_client->tab();
    QVERIFY(m_client->inputText(QStringLiteral("MENU")));
    m_client->setCursorCell(5, 23);
    const TerminalScreen before = m_client->terminalScreen();
    TerminalScreen expected = before;
    apply(expected, operation);
    // Each row must be able to fail: its operation changes this screen.
    if (operation != FieldMinus)
        QVERIFY(expected.data != before.data || expected.cursor != before.cursor);

    m_client->runMacro(macro);
    const TerminalScreen &screen = m_client->terminalScreen();
    QCOMPARE(screen.data, expected.data);
    QCOMPARE(screen.cursor, expected.cursor);
    QVERIFY(m_wire->nothingSentBefore());
    if (operation == FieldMinus)
        QCOMPARE(m_client->status(), QStringLiteral("Field- is only valid in a signed numeric field"));
}

void TestMacros::literalText_data()
{
    QTest::addColumn<QString>("macro");
    QTest::addColumn<QByteArray>("first");
    QTest::addColumn<QByteArray>("second");

    QTest::newRow("unclosed brace typed literally") << "abc{def" << ebcdic("ABC{DEF") << QByteArray();
    QTest::newRow("unclosed brace after a token") << "ab{TAB}c{d" << ebcdic("AB") << ebcdic("C{D");
    QTest::newRow("closing brace outside a token") << "a}b" << ebcdic("A}B") << QByteArray();
    QTest::newRow("text before and after a key") << "ab{tab}cd" << ebcdic("AB") << ebcdic("CD");
    QTest::newRow("unknown token splits the text") << "ab{nothing}cd" << ebcdic("ABCD") << QByteArray();
    QTest::newRow("two tokens in a row") << "{tab}{TAB}{backtab}x" << QByteArray() << ebcdic("X");
}

void TestMacros::literalText()
{
    QFETCH(QString, macro);
    QFETCH(QByteArray, first);
    QFETCH(QByteArray, second);

    m_client->runMacro(macro);
    QCOMPARE(fieldBytes(0).left(first.size()), first);
    QCOMPARE(fieldBytes(0).at(first.size()), '\0');
    QCOMPARE(fieldBytes(1).left(second.size()), second);
    QCOMPARE(fieldBytes(1).at(second.size()), '\0');
    QVERIFY(m_wire->nothingSentBefore());
}

void TestMacros::textAfterEnterWithoutTypeAhead()
{
    QCOMPARE(m_client->typeAhead(), false);
    m_client->runMacro(QStringLiteral("{ENTER}abc"));
    QTRY_COMPARE(m_wire->recordCount(), 1);
    QCOMPARE(int(quint8(m_wire->takeRecord().at(12))), 0xF1);
    QCOMPARE(m_client->status(), LOCKED);
    QCOMPARE(fieldBytes(0), QByteArray(10, '\0'));
    QVERIFY(m_probe->typeAheadQueue().isEmpty());
}

void TestMacros::textAndKeysAfterEnterAreQueued()
{
    m_client->setTypeAhead(true);
    m_client->runMacro(QStringLiteral("alice{ENTER}bob{TAB}{F3}"));
    QTRY_COMPARE(m_wire->recordCount(), 1);
    QCOMPARE(int(quint8(m_wire->takeRecord().at(12))), 0xF1);

    // Locked: the text and the function key wait; Tab does nothing while locked.
    const TypeAheadQueue queue = m_probe->typeAheadQueue();
    QCOMPARE(queue.size(), 2);
    QCOMPARE(queue.at(0).kind, 0);
    QCOMPARE(queue.at(0).text, QStringLiteral("bob"));
    QCOMPARE(queue.at(1).kind, 1);
    QCOMPARE(int(queue.at(1).aid), 0x33);

    // The host's next screen unlocks the keyboard; the queue is replayed.
    QVERIFY(showEntryScreen() || m_client->keyboardLocked());
    QTRY_COMPARE(m_wire->recordCount(), 1);
    QByteArray data;
    data.append('\x05').append('\x18');                     // after "BOB"
    data.append('\x33');                                    // F3
    data.append("\x11\x05\x15", 3).append(ebcdic("BOB"));
    QCOMPARE(m_wire->takeRecord(), KeyWire::header(data.size(), 0x00, 0x03) + data);
    QVERIFY(m_probe->typeAheadQueue().isEmpty());
}

void TestMacros::refusedWhenNotConnected()
{
    m_probe->connected() = false;
    const QByteArray screenBefore = m_client->terminalScreen().data;
    m_client->runMacro(QStringLiteral("alice{ENTER}"));
    QCOMPARE(m_client->status(), NOT_CONNECTED);
    QCOMPARE(m_client->terminalScreen().data, screenBefore);
    QVERIFY(m_wire->nothingSentBefore());

    m_probe->setStatus(QString());
    m_client->runMacro(QString());
    QCOMPARE(m_client->status(), NOT_CONNECTED);
}

void TestMacros::runStoredMacro()
{
    QVERIFY(m_client->saveMacro(-1, QStringLiteral("Sign on"), QStringLiteral("alice{F12}")));
    m_probe->setStatus(QString());

    QVERIFY(!m_client->runMacroAt(1));
    QVERIFY(!m_client->runMacroAt(-1));
    QCOMPARE(m_client->status(), QString());

    m_probe->connected() = false;
    QVERIFY(!m_client->runMacroAt(0));
    QCOMPARE(m_client->status(), NOT_CONNECTED);
    QVERIFY(m_wire->nothingSentBefore());

    m_probe->connected() = true;
    QVERIFY(m_client->runMacroAt(0));
    QTRY_COMPARE(m_wire->recordCount(), 1);
    const QByteArray record = m_wire->takeRecord();
    QCOMPARE(int(quint8(record.at(12))), 0x3C);
    QVERIFY(record.endsWith(ebcdic("ALICE")));
}

QTEST_MAIN(TestMacros)
#include "tst_macros.moc"
