// The demo host on its own: a scripted terminal on a real socket walks it
// through the negotiation an IBM i runs, the 5250 Query, the sign-on screen,
// the main menu and the exit; the screen builder and the read-response
// parser are checked against bytes written out by hand from the 5250
// references. The client signs on to it on 127.0.0.1 to try the account
// check: right and wrong passwords, unknown users, the failed-attempt count
// and a log that never holds a password; the vantorel-demohost program is
// run with its account options.

#include <QFileInfo>
#include <QHostAddress>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

#include "app/tn5250client.h"
#include "common/clientprobe.h"
#include "common/connectionwatch.h"
#include "demoaccount.h"
#include "demohost.h"
#include "demoscreens.h"
#include "demosession.h"
#include "hostcodec.h"
#include "screendescription.h"
#include "screenregistry.h"

namespace {

QByteArray hex(const char *digits)
{
    return QByteArray::fromHex(digits);
}

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

const char ACCOUNT_USER[] = "DEMO";
const char ACCOUNT_PASSWORD[] = "demo5250";

// The characters of `length` cells from (row, column) as the client shows
// them, trailing blanks removed.
QString shownCells(const Tn5250Client &client, int row, int column, int length)
{
    QString cells = client.terminalText().split(QLatin1Char('\n')).value(row - 1).mid(column - 1, length);
    while (cells.endsWith(QLatin1Char(' ')))
        cells.chop(1);
    return cells;
}

// What the client holds in the input field starting at (row, column), even
// a nondisplay one: its bytes with trailing nulls and blanks removed. A
// field the client does not have reads "(no field)".
QByteArray fieldContents(Tn5250Client &client, int row, int column)
{
    ClientProbe probe(client);
    const TerminalScreen &screen = probe.screen();
    const int start = screen.indexFromAddress(row, column);
    for (const TerminalScreen::Field &field : screen.fields) {
        if (field.start != start)
            continue;
        QByteArray bytes = screen.fieldBytes(field);
        while (!bytes.isEmpty() && (bytes.endsWith('\x00') || bytes.endsWith('\x40')))
            bytes.chop(1);
        return bytes;
    }
    return QByteArray("(no field)");
}

// The vantorel-demohost program next to this test in the build tree.
QString demoHostProgram()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../tools/demohost/vantorel-demohost");
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

    void signOnChecksAccount_data();
    void signOnChecksAccount();
    void failedAttemptsOnOneConnection();
    void accountChangesReachOpenSessions();
    void signOnDecisions_data();
    void signOnDecisions();
    void accountOption_data();
    void accountOption();
    void programAccount_data();
    void programAccount();
    void programRefusesBadAccount_data();
    void programRefusesBadAccount();

private:
    // Each leaves a test failure behind when it cannot finish; callers
    // return at once when QTest::currentTestFailed() says so.
    void connectToSignOn(Tn5250Client &client, quint16 port);
    void typeSignOn(Tn5250Client &client, const QString &user, const QString &password);

    QScopedPointer<QTemporaryDir> m_config;
};

void TestDemoHost::init()
{
    m_config.reset(ConnectionTest::useFreshSettings());
    QVERIFY(m_config->isValid());
}

void TestDemoHost::connectToSignOn(Tn5250Client &client, quint16 port)
{
    ConnectionTest::configure(client, port, false, false);
    client.connectToHost();
    QTRY_VERIFY(client.terminalText().contains(QStringLiteral("Sign On")));
    QTRY_VERIFY(!client.keyboardLocked());
}

// Signs on as an operator types it: the user name over whatever the field
// shows (a null `user` leaves the field untouched, so that the terminal does
// not send it), the password, Enter; returns once the host's answer has
// unlocked the keyboard again.
void TestDemoHost::typeSignOn(Tn5250Client &client, const QString &user, const QString &password)
{
    QTRY_VERIFY(!client.keyboardLocked());
    if (!user.isNull()) {
        client.setCursorCell(6, 53);
        client.eraseToEndOfField();
        if (!user.isEmpty())
            QVERIFY(client.inputText(user));
    }
    client.setCursorCell(7, 53);
    QVERIFY(client.inputText(password));
    client.sendEnter();
    QVERIFY2(client.keyboardLocked(), qPrintable(client.status()));
    QTRY_VERIFY(!client.keyboardLocked());
}

void TestDemoHost::scriptedSession()
{
    DemoHost host;
    QVERIFY(host.listen());
    QSignalSpy negotiated(&host, SIGNAL(negotiated()));
    QSignalSpy closed(&host, SIGNAL(sessionClosed()));
    ScriptedTerminal terminal(host.serverPort());

    // NEW-ENVIRON first, asking for the three user variables.
    QTRY_COMPARE(terminal.received.size(), 3);
    QCOMPARE(terminal.take(3), hex("FFFD27"));
    terminal.send(hex("FFFB27"));
    const QByteArray send = hex("FFFA2701") + '\x03' + "DEVNAME" + '\x03' + "KBDTYPE" + '\x03' + "CODEPAGE" + hex("FFF0");
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
               + hex("110825") + ebcdic("42") + customer + hex("110A25") + ebcdic("12345") + hex("110B25")
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
    QTest::newRow("Page Down with data")
        << "itemlist" << 0u << hex("031EF511031E") + ebcdic("7")
        << "check FAILED: field data with Page Down, a key that sends none on this screen";

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
void TestDemoHost::signOnChecksAccount_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("userShown");
    QTest::addColumn<int>("failed");
    QTest::addColumn<QString>("logLine");

    const QString signOn = QStringLiteral("signon");
    const QString menu = QStringLiteral("mainmenu");
    const QString wrong = QLatin1String(DemoScreens::PASSWORD_NOT_CORRECT);
    const QString refusedDemo = QStringLiteral("Sign-on refused for DEMO: wrong password");
    QTest::newRow("right password") << "DEMO" << "demo5250" << menu << "" << "" << 0 << "Signed on as DEMO";
    QTest::newRow("user name typed in lower case") << "demo" << "demo5250" << menu << "" << "" << 0
                                                   << "Signed on as DEMO";
    QTest::newRow("user name after a blank") << " demo" << "demo5250" << menu << "" << "" << 0
                                             << "Signed on as DEMO";
    QTest::newRow("wrong password") << "DEMO" << "Xyzzy9" << signOn << wrong << "DEMO" << 1 << refusedDemo;
    QTest::newRow("password in upper case") << "demo" << "DEMO5250" << signOn << wrong << "DEMO" << 1 << refusedDemo;
    QTest::newRow("password one character short") << "DEMO" << "demo525" << signOn << wrong << "DEMO" << 1
                                                  << refusedDemo;
    QTest::newRow("unknown user with the account's password")
        << "bob" << "demo5250" << signOn << "User BOB does not exist." << "BOB" << 1
        << "Sign-on refused for BOB: user profile does not exist";
    QTest::newRow("empty user") << "" << "demo5250" << signOn << "Enter a user profile name." << "" << 0
                                << "Sign-on refused: no user profile name";
}

void TestDemoHost::signOnChecksAccount()
{
    QFETCH(QString, user);
    QFETCH(QString, password);
    QFETCH(QString, screen);
    QFETCH(QString, message);
    QFETCH(QString, userShown);
    QFETCH(int, failed);
    QFETCH(QString, logLine);

    DemoHost host;
    QVERIFY(host.setAccount(QLatin1String(ACCOUNT_USER), QLatin1String(ACCOUNT_PASSWORD)));
    QVERIFY(host.listen());
    Tn5250Client client;
    connectToSignOn(client, host.serverPort());
    if (QTest::currentTestFailed())
        return;
    typeSignOn(client, user, password);
    if (QTest::currentTestFailed())
        return;

    QCOMPARE(host.currentScreen(), screen);
    const QString text = client.terminalText();
    if (screen == QLatin1String("mainmenu")) {
        QVERIFY2(text.contains(QStringLiteral("IBM i Main Menu")), qPrintable(text));
    } else {
        QVERIFY2(text.contains(QStringLiteral("Sign On")), qPrintable(text));
        QCOMPARE(shownCells(client, 24, 2, 78), message);
        // The password field comes back blank, the user name as it was.
        QCOMPARE(fieldContents(client, 7, 53), QByteArray());
        QCOMPARE(shownCells(client, 6, 53, 10), userShown);
    }
    QCOMPARE(host.failedSignOns(), failed);
    QCOMPARE(host.latestSession()->failedSignOns(), failed);

    // Exactly one line about the attempt, and no line anywhere with the
    // password in it, in either log.
    QStringList signOnLines;
    for (const QString &line : host.logLines()) {
        QVERIFY2(!line.contains(password, Qt::CaseInsensitive), qPrintable(line));
        if (line.contains(QStringLiteral("Sign-on")) || line.contains(QStringLiteral("Signed on")))
            signOnLines << line;
    }
    QCOMPARE(signOnLines, QStringList() << QStringLiteral("[session 1] ") + logLine);
    QVERIFY(!client.diagnostics().contains(password, Qt::CaseInsensitive));
}

// Several refusals on one connection, the last attempt retyping only the
// password, then the sign-on; a new connection counts afresh.
void TestDemoHost::failedAttemptsOnOneConnection()
{
    DemoHost host;
    QVERIFY(host.setAccount(QLatin1String(ACCOUNT_USER), QLatin1String(ACCOUNT_PASSWORD)));
    QVERIFY(host.listen());
    Tn5250Client client;
    connectToSignOn(client, host.serverPort());
    if (QTest::currentTestFailed())
        return;

    typeSignOn(client, QStringLiteral("demo"), QStringLiteral("first"));
    QCOMPARE(host.failedSignOns(), 1);
    typeSignOn(client, QStringLiteral("nobody"), QLatin1String(ACCOUNT_PASSWORD));
    QCOMPARE(host.failedSignOns(), 2);
    QCOMPARE(shownCells(client, 24, 2, 78), QStringLiteral("User NOBODY does not exist."));
    // A shorter name over the longer one left in the field.
    typeSignOn(client, QStringLiteral("demo"), QStringLiteral("second"));
    QCOMPARE(host.failedSignOns(), 3);
    QCOMPARE(shownCells(client, 6, 53, 10), QStringLiteral("DEMO"));
    if (QTest::currentTestFailed())
        return;

    // The name the host showed again is not sent back (its field is not
    // modified) and still counts.
    typeSignOn(client, QString(), QLatin1String(ACCOUNT_PASSWORD));
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(host.currentScreen(), QStringLiteral("mainmenu"));
    QVERIFY(!host.lastResponse().hasField(QStringLiteral("user")));
    QCOMPARE(host.failedSignOns(), 3);
    QCOMPARE(host.sessionCount(), 1);

    // Signing off shows an empty sign-on screen.
    QVERIFY(client.inputText(QStringLiteral("90")));
    client.sendEnter();
    QTRY_COMPARE(host.currentScreen(), QStringLiteral("signon"));
    QTRY_VERIFY(!client.keyboardLocked());
    QCOMPARE(shownCells(client, 6, 53, 10), QString());
    QCOMPARE(shownCells(client, 24, 2, 78), QString());

    client.disconnectFromHost();
    connectToSignOn(client, host.serverPort());
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(host.sessionCount(), 2);
    QCOMPARE(host.failedSignOns(), 0);
    QCOMPARE(host.sessions().first()->failedSignOns(), 3);
}

// The account is the host's: setting or clearing it reaches a session that
// already shows the sign-on screen, and a refused account changes nothing.
void TestDemoHost::accountChangesReachOpenSessions()
{
    DemoHost host;
    QVERIFY(!host.account().isSet());
    QVERIFY(host.listen());
    Tn5250Client client;
    connectToSignOn(client, host.serverPort());
    if (QTest::currentTestFailed())
        return;

    QVERIFY(host.setAccount(QStringLiteral(" demo "), QLatin1String(ACCOUNT_PASSWORD)));
    QCOMPARE(host.account().user, QStringLiteral("DEMO"));
    typeSignOn(client, QStringLiteral("demo"), QStringLiteral("anything"));
    QCOMPARE(host.currentScreen(), QStringLiteral("signon"));
    QCOMPARE(host.failedSignOns(), 1);

    QString error;
    QVERIFY(!host.setAccount(QString(), QStringLiteral("other"), &error));
    QCOMPARE(error, QStringLiteral("the account needs a user profile name"));
    QVERIFY(!host.setAccount(QStringLiteral("QSECOFR"), QString(), &error));
    QCOMPARE(error, QStringLiteral("the account needs a password"));
    QCOMPARE(host.account().user, QStringLiteral("DEMO"));
    QCOMPARE(host.account().password, QLatin1String(ACCOUNT_PASSWORD));

    // Without an account any password signs on again.
    host.clearAccount();
    QVERIFY(!host.latestSession()->account().isSet());
    typeSignOn(client, QStringLiteral("demo"), QStringLiteral("anything"));
    QCOMPARE(host.currentScreen(), QStringLiteral("mainmenu"));
    QCOMPARE(host.failedSignOns(), 1);
}

void TestDemoHost::signOnDecisions_data()
{
    QTest::addColumn<bool>("withAccount");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<int>("result");

    QTest::newRow("no account, any name and password") << false << "bob" << "x" << int(SignOnAccepted);
    QTest::newRow("no account, no password") << false << "bob" << "" << int(SignOnAccepted);
    QTest::newRow("no account, blank user") << false << "   " << "x" << int(SignOnNoUser);
    QTest::newRow("user in mixed case with blanks around")
        << true << " DeMo  " << "demo5250" << int(SignOnAccepted);
    QTest::newRow("password after a blank") << true << "DEMO" << " demo5250" << int(SignOnWrongPassword);
    QTest::newRow("no password") << true << "DEMO" << "" << int(SignOnWrongPassword);
    QTest::newRow("a name that starts like the account") << true << "DEMOX" << "demo5250" << int(SignOnUnknownUser);
}

void TestDemoHost::signOnDecisions()
{
    QFETCH(bool, withAccount);
    QFETCH(QString, user);
    QFETCH(QString, password);
    QFETCH(int, result);
    DemoAccount account;
    if (withAccount) {
        account.user = QLatin1String(ACCOUNT_USER);
        account.password = QLatin1String(ACCOUNT_PASSWORD);
    }
    QCOMPARE(int(checkSignOn(account, user, password)), result);
}

void TestDemoHost::accountOption_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("error");

    QTest::newRow("user and password") << "DEMO:demo5250" << "DEMO" << "demo5250" << "";
    QTest::newRow("user upper-cased, password kept") << "qpgmr:PassW0rd" << "QPGMR" << "PassW0rd" << "";
    QTest::newRow("colon inside the password") << "bob:a:b:c" << "BOB" << "a:b:c" << "";
    QTest::newRow("blanks around the user") << " bob :pw" << "BOB" << "pw" << "";
    QTest::newRow("ten-character name and password") << "ABCDEFGHIJ:0123456789" << "ABCDEFGHIJ" << "0123456789"
                                                     << "";
    QTest::newRow("no colon") << "DEMO" << "" << "" << "--account needs USER:PASSWORD";
    QTest::newRow("empty password") << "DEMO:" << "" << "" << "--account needs a password after the colon";
    QTest::newRow("empty user") << ":demo5250" << "" << "" << "--account needs a user profile name before the colon";
    QTest::newRow("empty text") << "" << "" << "" << "--account needs USER:PASSWORD";
    QTest::newRow("name longer than ten") << "ABCDEFGHIJK:pw" << "" << ""
                                          << "--account: the user profile name \"ABCDEFGHIJK\" is longer than 10 "
                                             "characters";
    QTest::newRow("blank inside the name") << "MY USER:pw" << "" << ""
                                           << "--account: the user profile name \"MY USER\" contains a blank";
    QTest::newRow("password longer than its field")
        << "DEMO:Secret12345" << "" << ""
        << "--account: the password is longer than the 10 positions of the sign-on password field";
    QTest::newRow("password ending in a blank") << "DEMO:Secret " << "" << ""
                                                << "--account: the password ends with a blank, which a terminal "
                                                   "never sends";
}

void TestDemoHost::accountOption()
{
    QFETCH(QString, text);
    QFETCH(QString, user);
    QFETCH(QString, password);
    QFETCH(QString, error);

    DemoAccount account;
    account.user = QStringLiteral("BEFORE");
    account.password = QStringLiteral("before");
    QString reason;
    const bool ok = parseAccountOption(text, &account, &reason);
    QCOMPARE(ok, error.isEmpty());
    QCOMPARE(reason, error);
    if (ok) {
        QCOMPARE(account.user, user);
        QCOMPARE(account.password, password);
        // What the option accepts, the host takes.
        DemoHost host;
        QVERIFY(host.setAccount(account.user, account.password));
    } else {
        QCOMPARE(account.user, QStringLiteral("BEFORE"));
        QCOMPARE(account.password, QStringLiteral("before"));
        // The reason never repeats the password.
        const QString given = text.mid(text.indexOf(QLatin1Char(':')) + 1);
        if (text.contains(QLatin1Char(':')) && given.size() >= 3)
            QVERIFY2(!reason.contains(given.trimmed()), qPrintable(reason));
    }
}

// The program as a script or a person runs it: the "listening on" line
// stays the only line on standard output, the default account is DEMO /
// demo5250, and the two options change it.
void TestDemoHost::programAccount_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("message"); // empty: signed on

    QTest::newRow("default account") << QStringList() << "demo" << "demo5250" << "";
    QTest::newRow("default account, password in upper case")
        << QStringList() << "DEMO" << "DEMO5250" << QString::fromLatin1(DemoScreens::PASSWORD_NOT_CORRECT);
    const QStringList account = QStringList() << QStringLiteral("--account") << QStringLiteral("qpgmr:Se:cret");
    QTest::newRow("--account with a colon in the password") << account << "QPGMR" << "Se:cret" << "";
    QTest::newRow("--account replaces DEMO") << account << "DEMO" << "demo5250" << "User DEMO does not exist.";
    QTest::newRow("--any-password") << (QStringList() << QStringLiteral("--any-password")) << "anyone"
                                    << "whatever" << "";
}

void TestDemoHost::programAccount()
{
    QFETCH(QStringList, options);
    QFETCH(QString, user);
    QFETCH(QString, password);
    QFETCH(QString, message);
    if (!QFileInfo(demoHostProgram()).isExecutable())
        QSKIP("vantorel-demohost is not built in this build tree");

    QProcess process;
    process.start(demoHostProgram(), QStringList() << QStringLiteral("--port") << QStringLiteral("0") << options);
    QVERIFY(process.waitForStarted());
    QByteArray output;
    QTRY_VERIFY((output += process.readAllStandardOutput()).endsWith('\n'));
    const QRegularExpression listening(QStringLiteral("^listening on 127\\.0\\.0\\.1:(\\d+)\n$"));
    const QRegularExpressionMatch match = listening.match(QString::fromLatin1(output));
    QVERIFY2(match.hasMatch(), output.constData());

    Tn5250Client client;
    connectToSignOn(client, quint16(match.captured(1).toUInt()));
    typeSignOn(client, user, password);
    if (!QTest::currentTestFailed()) {
        if (message.isEmpty())
            QVERIFY2(client.terminalText().contains(QStringLiteral("IBM i Main Menu")),
                     qPrintable(client.terminalText()));
        else
            QCOMPARE(shownCells(client, 24, 2, 78), message);
        // The session log on standard error tells the attempt, never the password.
        QByteArray log;
        QTRY_VERIFY((log += process.readAllStandardError()).contains("Sign"));
        QVERIFY2(!log.contains(password.toLatin1()), log.constData());
    }
    client.disconnectFromHost();
    QCOMPARE(process.readAllStandardOutput(), QByteArray());
    process.kill();
    QVERIFY(process.waitForFinished());
}

void TestDemoHost::programRefusesBadAccount_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("error");

    QTest::newRow("empty password after the colon")
        << (QStringList() << QStringLiteral("--account") << QStringLiteral("DEMO:"))
        << "vantorel-demohost: --account needs a password after the colon\n";
    QTest::newRow("--account with --any-password")
        << (QStringList() << QStringLiteral("--account") << QStringLiteral("DEMO:pw")
                          << QStringLiteral("--any-password"))
        << "vantorel-demohost: --account and --any-password exclude each other\n";
}

void TestDemoHost::programRefusesBadAccount()
{
    QFETCH(QStringList, options);
    QFETCH(QString, error);
    if (!QFileInfo(demoHostProgram()).isExecutable())
        QSKIP("vantorel-demohost is not built in this build tree");

    QProcess process;
    process.start(demoHostProgram(), QStringList() << QStringLiteral("--port") << QStringLiteral("0") << options);
    QVERIFY(process.waitForFinished());
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 2);
    QCOMPARE(QString::fromLocal8Bit(process.readAllStandardError()), error);
    // Nothing for a script waiting for "listening on".
    QCOMPARE(process.readAllStandardOutput(), QByteArray());
}

QTEST_GUILESS_MAIN(TestDemoHost)
#include "tst_demohost.moc"
