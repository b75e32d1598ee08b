// The demo host on its own: a scripted terminal on a real socket walks it
// through the negotiation an IBM i runs, the 5250 Query, the sign-on screen,
// the main menu and the exit; the screen builder and the read-response
// parser are checked against bytes written out by hand from the 5250
// references. The account check has its own file, tst_demohostaccount.cpp.

#include <QFileInfo>
#include <QHostAddress>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

#include "app/tn5250client.h"
#include "common/connectionwatch.h"
#include "common/protocolstreams.h"
#include "demoaccount.h"
#include "demohost.h"
#include "demoscreens.h"
#include "demosession.h"
#include "hostcodec.h"
#include "screendescription.h"
#include "screenregistry.h"

using ProtocolStreams::hex;

namespace {

QByteArray ebcdic(const char *text)
{
    return HostCodec(37).encode(QLatin1String(text));
}

// A TN5250 record on the wire: header (length, 12 A0, 00 00, 04, flags, 00,
// opcode), data, every FF doubled, then IAC EOR.
QByteArray wireRecord(quint8 opcode, const QByteArray &data)
{
    QByteArray record;
    const int length = data.size() + 10;
    record.append(char(length >> 8)).append(char(length & 0xFF));
    record.append(hex("12A0000004000000"));
    record[9] = char(opcode);
    record.append(data);
    record.replace(QByteArray(1, '\xFF'), hex("FFFF"));
    return record + hex("FFEF");
}

// The terminal end: collects what the host writes.
class ScriptedTerminal : public QObject
{
    Q_OBJECT

public:
    QTcpSocket socket;
    QByteArray received;

    explicit ScriptedTerminal(quint16 port)
    {
        connect(&socket, SIGNAL(readyRead()), this, SLOT(collect()));
        socket.connectToHost(QHostAddress(QHostAddress::LocalHost), port);
    }

    void send(const QByteArray &bytes) { socket.write(bytes); }

    // Everything up to and including the first IAC EOR, removed from the
    // buffer; empty while no whole record has arrived.
    QByteArray takeRecord()
    {
        const int end = received.indexOf(hex("FFEF"));
        if (end < 0)
            return QByteArray();
        const QByteArray record = received.left(end + 2);
        received.remove(0, end + 2);
        return record;
    }

    QByteArray take(int count)
    {
        const QByteArray bytes = received.left(count);
        received.remove(0, count);
        return bytes;
    }

private slots:
    void collect() { received += socket.readAll(); }
};

} // namespace

class TestDemoHost : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void scriptedSession();
    void refusedTerminalTypeEndsSession();
    void screenStream();
    void placeholders_data();
    void placeholders();
    void readResponses_data();
    void readResponses();
    void responseChecks_data();
    void responseChecks();
    void noDataKeyHeaders_data();
    void noDataKeyHeaders();
    void refreshScreenMarksF5();

private:
    QScopedPointer<QTemporaryDir> m_config;
};

void TestDemoHost::init()
{
    m_config.reset(ConnectionTest::useFreshSettings());
    QVERIFY(m_config->isValid());
}

void TestDemoHost::scriptedSession()
{
    DemoHost host;
    QVERIFY(host.listen());
    QSignalSpy negotiated(&host, SIGNAL(negotiated()));
    QSignalSpy closed(&host, SIGNAL(sessionClosed()));
    ScriptedTerminal terminal(host.serverPort());

    // NEW-ENVIRON first, as an IBM i asks: a seed (bytes 00-03 quoted with
    // ESC, FF doubled by telnet), then every VAR and every USERVAR.
    QTRY_COMPARE(terminal.received.size(), 3);
    QCOMPARE(terminal.take(3), hex("FFFD27"));
    terminal.send(hex("FFFB27"));
    const QByteArray send = hex("FFFA270103") + "IBMRSEED" + hex("02009C0203FFFF410201 7F0202 0003") + hex("FFF0");
    QTRY_COMPARE(terminal.received.size(), send.size());
    QCOMPARE(terminal.take(send.size()), send);

    // A VAR, a value with an escaped VALUE byte in it (RFC 1572 ESC), the
    // device name, the code page.
    const QByteArray environment = QByteArray(1, '\x00') + "USER" + '\x01' + "A" + hex("0201") + "B" + '\x03'
        + "DEVNAME" + '\x01' + "DSP01" + '\x03' + "CODEPAGE" + '\x01' + "37";
    terminal.send(hex("FFFA2700") + environment + hex("FFF0"));
    QTRY_COMPARE(terminal.received.size(), 3);
    QCOMPARE(terminal.take(3), hex("FFFD18"));
    QCOMPARE(host.environment(), environment);
    const QList<QPair<QString, QByteArray> > variables = host.latestSession()->environmentVariables();
    QCOMPARE(variables.size(), 3);
    QCOMPARE(variables.at(0).first, QStringLiteral("VAR USER"));
    QCOMPARE(variables.at(0).second, QByteArray("A\x01" "B"));
    QCOMPARE(variables.at(1).first, QStringLiteral("USERVAR DEVNAME"));
    QCOMPARE(variables.at(1).second, QByteArray("DSP01"));
    QCOMPARE(variables.at(2).second, QByteArray("37"));
    // Without KBDTYPE and CHARSET beside it the code page is not taken.
    QCOMPARE(host.latestSession()->environmentCheck().summary(),
             QStringLiteral("check FAILED: KBDTYPE, CODEPAGE and CHARSET not sent together once"));

    terminal.send(hex("FFFB18"));
    QTRY_COMPARE(terminal.received.size(), 6);
    QCOMPARE(terminal.take(6), hex("FFFA1801FFF0"));
    terminal.send(hex("FFFA1800") + "IBM-3179-2" + hex("FFF0"));
    QTRY_COMPARE(terminal.received.size(), 12);
    QCOMPARE(terminal.take(12), hex("FFFD19FFFB19FFFD00FFFB00"));
    QCOMPARE(host.terminalType(), QStringLiteral("IBM-3179-2"));
    QCOMPARE(negotiated.count(), 0);

    // Both directions of END-OF-RECORD and BINARY agreed: the 5250 Query.
    terminal.send(hex("FFFB19FFFD19FFFB00FFFD00"));
    QTRY_VERIFY(!terminal.received.isEmpty() && terminal.received.endsWith(hex("FFEF")));
    QCOMPARE(terminal.takeRecord(), hex("001112A0000004000000") + hex("04F30005D97000") + hex("FFEF"));
    QCOMPARE(negotiated.count(), 1);

    // The Query Reply: a 3179 model 2. The sign-on screen follows.
    QByteArray reply(61, '\x00');
    reply.replace(0, 8, hex("000088003AD97080"));
    reply.replace(29, 1, hex("01"));
    reply.replace(30, 4, ebcdic("3179"));
    reply.replace(35, 2, ebcdic("02"));
    terminal.send(wireRecord(0x00, reply));
    QTRY_VERIFY(terminal.received.contains(hex("FFEF")));
    QCOMPARE(host.queryReply(), reply);
    QVERIFY(host.logLines().contains(QStringLiteral("[session 1] Query Reply: 61 bytes, display 3179-02")));
    QByteArray screen = terminal.takeRecord();
    QCOMPARE(screen.mid(2, 8), hex("12A0000004000003"));
    QCOMPARE(screen.mid(10, 6), hex("044004110008"));
    // "Sign On" in high intensity at row 1, column 36: the attribute one cell before.
    QVERIFY(screen.contains(hex("11012322") + ebcdic("Sign On") + hex("20")));
    QVERIFY(screen.contains(ebcdic("Display . . . . . :   DSP01")));
    // User at 6,53 upper case; password at 7,53 nondisplay.
    QVERIFY(screen.contains(hex("1106341D402024000A")));
    QVERIFY(screen.contains(hex("1107341D400027000A")));
    // Cursor into the user field, then Read MDT Fields.
    QVERIFY(screen.endsWith(hex("13063504520000FFEF")));
    QCOMPARE(host.currentScreen(), QStringLiteral("signon"));

    // Enter with user, password and an FF byte in the program field, which
    // travels doubled and counts once.
    const QByteArray enter = hex("073BF1") + hex("110635") + ebcdic("ALICE") + hex("110735") + ebcdic("PW")
        + hex("110935C1FFC2");
    terminal.send(wireRecord(0x03, enter));
    QTRY_VERIFY(terminal.received.contains(hex("FFEF")));
    const ReadResponse response = host.lastResponse();
    QVERIFY(response.valid);
    QCOMPARE(response.aid, quint8(0xF1));
    QCOMPARE(response.fields.size(), 3);
    QCOMPARE(response.fields.at(2).data, hex("C1FFC2"));
    QCOMPARE(response.fieldText(QStringLiteral("user")), QStringLiteral("ALICE"));
    QVERIFY(host.logLines().contains(QStringLiteral(
        "[session 1] AID Enter cursor 7,59 field 6,53 \"ALICE\" field 7,53 (redacted, 2 chars) field 9,53 \"A\u009FB\"")));
    // Sign-on turns the message-waiting light on, then the menu follows.
    QCOMPARE(terminal.takeRecord(), hex("000A12A000000400000BFFEF"));
    QTRY_VERIFY(terminal.received.contains(hex("FFEF")));
    screen = terminal.takeRecord();
    QVERIFY(screen.contains(ebcdic("IBM i Main Menu")));
    QCOMPARE(host.currentScreen(), QStringLiteral("mainmenu"));

    // F3 on the menu: back to sign-on. F3 there: the host hangs up.
    terminal.send(wireRecord(0x03, hex("140733")));
    QTRY_VERIFY(terminal.received.contains(hex("FFEF")));
    QVERIFY(terminal.takeRecord().contains(ebcdic("Sign On")));
    terminal.send(wireRecord(0x03, hex("063533")));
    QTRY_COMPARE(closed.count(), 1);
    QTRY_COMPARE(terminal.socket.state(), QAbstractSocket::UnconnectedState);
    QCOMPARE(host.latestSession()->phase(), DemoSession::Closed);
    QCOMPARE(host.latestSession()->responseCount(), 3);
}

void TestDemoHost::refusedTerminalTypeEndsSession()
{
    DemoHost host;
    QVERIFY(host.listen());
    QSignalSpy closed(&host, SIGNAL(sessionClosed()));
    ScriptedTerminal terminal(host.serverPort());
    QTRY_COMPARE(terminal.received.size(), 3);
    terminal.take(3);
    // No environment, and no terminal type either: no 5250 session.
    terminal.send(hex("FFFC27"));
    QTRY_COMPARE(terminal.received, hex("FFFD18"));
    terminal.send(hex("FFFC18"));
    QTRY_COMPARE(closed.count(), 1);
    QVERIFY(host.logLines().contains(
        QStringLiteral("[session 1] The terminal refused TERMINAL-TYPE; a 5250 session needs it")));
}

void TestDemoHost::screenStream()
{
    ScreenDescription screen;
    screen.name = QStringLiteral("sample");
    screen.header = hex("00000000000004");
    screen.texts << screenText(1, 1, QStringLiteral("AB")) << screenText(2, 5, QStringLiteral("{who}"), 0x22);
    screen.fields << outputField(QStringLiteral("out"), 3, 10, 4, QStringLiteral("XY"))
                  << inputField(QStringLiteral("in"), 4, 1, 2, 0x20);
    QMap<QString, QString> variables;
    variables.insert(QStringLiteral("who"), QStringLiteral("C"));

    const QByteArray expected = hex("0440")             // Clear Unit
        + hex("04110008")                               // Write To Display, keyboard unlocked
        + hex("010700000000000004")                     // Start of Header, F3 sends no data
        + hex("110101") + ebcdic("AB")                  // plain text at 1,1
        + hex("11020422") + ebcdic("C") + hex("20")     // attribute before 2,5, text, normal
        + hex("1103091D6000200004") + ebcdic("XY")      // bypass field at 3,10 with contents
        + hex("1103501D4020240002")                     // input field at 4,1: attribute at 3,80
        + hex("130401")                                 // cursor to the first input field
        + hex("04520000");                              // Read MDT Fields
    QCOMPARE(buildScreenStream(screen, variables, HostCodec(37)), expected);

    // An explicit cursor and the alarm.
    screen.cursorRow = 2;
    screen.cursorColumn = 7;
    screen.alarm = true;
    const QByteArray stream = buildScreenStream(screen, variables, HostCodec(37));
    QCOMPARE(stream.mid(2, 4), hex("0411000C"));
    QVERIFY(stream.endsWith(hex("13020704520000")));
}

void TestDemoHost::placeholders_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expanded");
    QTest::newRow("known name") << "System: {system}" << "System: DEMO400";
    QTest::newRow("two names") << "{system}/{user}" << "DEMO400/QUSER";
    QTest::newRow("unknown name stays") << "{nothing} here" << "{nothing} here";
    QTest::newRow("empty value") << "[{empty}]" << "[]";
    QTest::newRow("unclosed brace") << "a {system" << "a {system";
}

void TestDemoHost::placeholders()
{
    QFETCH(QString, text);
    QFETCH(QString, expanded);
    QMap<QString, QString> variables;
    variables.insert(QStringLiteral("system"), QStringLiteral("DEMO400"));
    variables.insert(QStringLiteral("user"), QStringLiteral("QUSER"));
    variables.insert(QStringLiteral("empty"), QString());
    QCOMPARE(expandPlaceholders(text, variables), expanded);
}

void TestDemoHost::readResponses_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("described");

    QTest::newRow("Enter with a field and a password")
        << hex("0A0BF1") + hex("110635") + ebcdic("BOB  ") + hex("110735") + ebcdic("HIDDEN") << true
        << "AID Enter cursor 10,11 field 6,53 \"BOB\" field 7,53 (redacted, 6 chars)";
    QTest::newRow("function key without fields") << hex("0101B5") << true << "AID F17 cursor 1,1";
    QTest::newRow("Page Down") << hex("0203F5") << true << "AID Page Down cursor 2,3";
    QTest::newRow("field nobody defined is shown") << hex("0101F1") + hex("111401") + ebcdic("X") << true
                                                   << "AID Enter cursor 1,1 field 20,1 \"X\"";
    QTest::newRow("nulls end a field") << hex("0101F1") + hex("110635C10000") << true
                                       << "AID Enter cursor 1,1 field 6,53 \"A\"";
    QTest::newRow("shorter than cursor and AID") << hex("0101") << false
                                                 << "Unreadable response: 2 bytes, fewer than cursor and AID";
    QTest::newRow("data without SBA") << hex("0101F1C1") << false
                                      << "Unreadable response: expected SBA and an address at offset 3";
    QTest::newRow("SBA without its address") << hex("0101F11106") << false
                                              << "Unreadable response: expected SBA and an address at offset 3";
}

void TestDemoHost::readResponses()
{
    QFETCH(QByteArray, data);
    QFETCH(bool, valid);
    QFETCH(QString, described);
    DemoHost host; // its registry holds the sign-on layout
    const ScreenDefinition *signOn = host.screens().find(QStringLiteral("signon"));
    QVERIFY(signOn);
    const ReadResponse response = parseReadResponse(0x03, 0x00, data, &signOn->layout, HostCodec(37));
    QCOMPARE(response.valid, valid);
    QCOMPARE(response.describe(), described);
    QCOMPARE(response.screen, QStringLiteral("signon"));
}

// Read responses to the demo screens, each judged by the host's check. The
// entry form's fields start in column 37 (0x25), rows 5 to 12: name (20,
// alphabetic), quantity (5, numeric), amount (8, signed), account (7,
// right-adjusted), customer (10, mandatory entry), post code (5, mandatory
// fill), code (6, monocase), confirm (1, auto enter).
void TestDemoHost::responseChecks_data()
{
    QTest::addColumn<QString>("screen");
    QTest::addColumn<quint32>("noDataKeyMask");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("summary");

    const QString entry = QStringLiteral("entryform");
    const QByteArray customer = hex("110925") + ebcdic("ACME");
    QTest::newRow("Enter with every entry field valid")
        << entry << 0u
        << hex("0C25F1") + hex("110525") + ebcdic("Ann-Marie") + hex("110625") + ebcdic("+1.5") + hex("110725F1F2D5")
               + hex("110825") + ebcdic("0000042") + customer + hex("110A25") + ebcdic("12345") + hex("110B25")
               + ebcdic("AB1") + hex("110C25") + ebcdic("Y")
        << "check OK";
    QTest::newRow("cursor below the last row") << entry << 0u << hex("1901F1") + customer
                                               << "check FAILED: cursor 25,1 outside the 24 x 80 screen";
    QTest::newRow("AID the screen does not take") << entry << 0u << hex("010137")
                                                  << "check FAILED: AID F7 not valid for this screen";
    QTest::newRow("two faults at once") << entry << 0u << hex("000137")
                                        << "check FAILED: cursor 0,1 outside the 24 x 80 screen; "
                                           "AID F7 not valid for this screen";
    QTest::newRow("field where the screen has no input field")
        << entry << 0u << hex("01013C110302") + ebcdic("X") << "check FAILED: field 3,2 is not an input field";
    QTest::newRow("field longer than its input field")
        << entry << 0u << hex("0101F1") + hex("110525") + ebcdic("ABCDEFGHIJKLMNOPQRSTU") + customer
        << "check FAILED: field 5,37 longer than 20";
    QTest::newRow("signed field sent with its sign position")
        << entry << 0u << hex("01013C110725F1F2F3F4F5F6F7F8") << "check FAILED: field 7,37 longer than 7";
    QTest::newRow("digit in an alphabetic field")
        << entry << 0u << hex("01013C110525") + ebcdic("A5")
        << "check FAILED: field 5,37: \"5\" is not valid in an alphabetic-only field";
    QTest::newRow("letter in a numeric field")
        << entry << 0u << hex("01013C110625") + ebcdic("1A")
        << "check FAILED: field 6,37: \"A\" is not valid in a numeric-only field";
    QTest::newRow("negative zone on the last digit") << entry << 0u << hex("01013C110725F1D2") << "check OK";
    QTest::newRow("negative zone before the last digit")
        << entry << 0u << hex("01013C110725D1F2")
        << "check FAILED: field 7,37: negative sign on a digit that is not the last";
    QTest::newRow("letter in a signed field")
        << entry << 0u << hex("01013C110725F1C1")
        << "check FAILED: field 7,37: \"A\" is not valid in a signed-numeric field";
    QTest::newRow("lower case in an upper-case field")
        << entry << 0u << hex("01013C110B25") + ebcdic("ab")
        << "check FAILED: field 11,37: lower case \"a\" in an upper-case field";
    QTest::newRow("field sent twice") << entry << 0u << hex("01013C110525") + ebcdic("A") + hex("110525") + ebcdic("B")
                                      << "check FAILED: field 5,37 sent twice";
    QTest::newRow("Enter without the mandatory-entry field")
        << entry << 0u << hex("0101F1110525") + ebcdic("Ann")
        << "check FAILED: mandatory-entry field 9,37 not sent";
    QTest::newRow("Enter with a partly filled mandatory-fill field")
        << entry << 0u << hex("0101F1") + customer + hex("110A25") + ebcdic("12")
        << "check FAILED: mandatory-fill field 10,37 incomplete (2 of 5)";
    QTest::newRow("F12 with a partly filled mandatory-fill field")
        << entry << 0u << hex("01013C110A25") + ebcdic("12") << "check OK";

    const QString refresh = QStringLiteral("refresh");
    const quint32 f5 = 1u << 4;
    QTest::newRow("F5 with data where F5 sends none")
        << refresh << f5 << hex("051635110516") + ebcdic("x")
        << "check FAILED: field data with F5, a key that sends none on this screen";
    QTest::newRow("F5 alone where F5 sends none") << refresh << f5 << hex("051635") << "check OK";
    QTest::newRow("F6 with data on the same screen") << refresh << f5 << hex("051636110516") + ebcdic("x")
                                                     << "check OK";
    QTest::newRow("F5 with data once the header allows it") << refresh << 0u << hex("051635110516") + ebcdic("x")
                                                            << "check OK";
    QTest::newRow("Page Down with data, as Enter sends it")
        << "itemlist" << 0u << hex("031EF511031E") + ebcdic("7") << "check OK";

    QTest::newRow("nondisplay content stays out of the message")
        << "signon" << 0u << hex("0735F1110635") + ebcdic("QSECOFR") + hex("110735C105")
        << "check FAILED: field 7,53: a character is not valid in this field";
    QTest::newRow("unreadable response") << "signon" << 0u << hex("0101")
                                         << "check FAILED: unreadable response (2 bytes, fewer than cursor and AID)";
}

void TestDemoHost::responseChecks()
{
    QFETCH(QString, screen);
    QFETCH(quint32, noDataKeyMask);
    QFETCH(QByteArray, data);
    QFETCH(QString, summary);
    DemoHost host;
    const ScreenDefinition *definition = host.screens().find(screen);
    QVERIFY(definition);
    const HostCodec codec(37);
    const ReadResponse response = parseReadResponse(0x03, 0x00, data, &definition->layout, codec);
    const ResponseCheck check = checkReadResponse(response, definition->layout, noDataKeyMask, codec);
    QCOMPARE(check.summary(), summary);
    QCOMPARE(check.ok(), summary == QLatin1String("check OK"));
}

void TestDemoHost::noDataKeyHeaders_data()
{
    QTest::addColumn<QVector<int> >("keys");
    QTest::addColumn<QByteArray>("header");
    QTest::addColumn<quint32>("mask");

    QTest::newRow("none") << QVector<int>() << hex("00000000000000") << 0u;
    QTest::newRow("F5") << (QVector<int>() << 5) << hex("00000000000010") << 0x10u;
    QTest::newRow("F1 and F24") << (QVector<int>() << 1 << 24) << hex("00000000800001") << 0x800001u;
    QTest::newRow("F9, F16 and F17") << (QVector<int>() << 9 << 16 << 17) << hex("00000000018100") << 0x018100u;
    QTest::newRow("numbers outside 1-24 ignored") << (QVector<int>() << 0 << 25 << -3) << hex("00000000000000") << 0u;
}

void TestDemoHost::noDataKeyHeaders()
{
    QFETCH(QVector<int>, keys);
    QFETCH(QByteArray, header);
    QFETCH(quint32, mask);
    QCOMPARE(noDataKeysHeader(keys), header);
    QCOMPARE(noDataKeyMaskAfterHeader(header, 0xFFu << 24), mask);
    // A shorter header clears the keys; a longer one is refused whole.
    QCOMPARE(noDataKeyMaskAfterHeader(hex("000000"), 0x10u), 0u);
    QCOMPARE(noDataKeyMaskAfterHeader(hex("0000000000000000"), 0x10u), 0x10u);
}

void TestDemoHost::refreshScreenMarksF5()
{
    DemoHost host;
    const ScreenDefinition *refresh = host.screens().find(QStringLiteral("refresh"));
    QVERIFY(refresh);
    const QByteArray stream = buildScreenStream(refresh->layout, QMap<QString, QString>(), HostCodec(37));
    // Right after Write To Display and its control characters: Start of
    // Header, seven bytes, F5 in byte 6.
    QCOMPARE(stream.mid(2, 13), hex("04110008") + hex("010700000000000010"));
    // The screens around it declare every key as sending data again.
    for (const char *name : { "signon", "mainmenu", "entryform", "entryresult", "itemlist", "functionkeys" }) {
        const ScreenDefinition *other = host.screens().find(QLatin1String(name));
        QVERIFY2(other, name);
        QCOMPARE(other->layout.header, hex("00000000000000"));
    }
}

// One attempt each against the account DEMO / demo5250, typed into the
// client: where it lands, the message line, what the fields show afterwards,
// the failure count and the host's one log line about it.
QTEST_GUILESS_MAIN(TestDemoHost)
#include "tst_demohost.moc"
