// AID keys as the host receives them over a real loopback socket: every key's
// record with its full header, which keys carry field data, the no-data mask
// of Start of Header, the pending read mode, the keyboard lock that follows,
// Read Immediate answered without a lock, the three out-of-band keys, and the
// password of a nondisplay field never leaving except inside the record.

#include <QSignalSpy>
#include <QtTest>

#include "app/tn5250client.h"
#include "common/clientprobe.h"
#include "codec/ebcdiccodec.h"
#include "common/hexfixture.h"
#include "keywire.h"

namespace {

QByteArray hex(const char *text)
{
    return HexFixture::parse(QString::fromLatin1(text));
}

// A modified field "AB" at row 5, column 10, an unmodified input field "C" at
// row 6, column 10, the cursor at row 5, column 12 and the keyboard unlocked.
void prepareScreen(TerminalScreen &screen)
{
    defineField(screen, 5, 10, 0x48, 0x00, 4, hex("C1 C2"));
    defineField(screen, 6, 10, 0x40, 0x00, 3, hex("C3"));
    screen.moveCursor(5, 12);
    screen.keyboardLocked = false;
}

const char MODIFIED_FIELD[] = "11 05 0A C1 C2";

} // namespace

class TestAid : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void keyRecord_data();
    void keyRecord();
    void noDataMaskedFunctionKey();
    void pendingReadModeSelectsFields_data();
    void pendingReadModeSelectsFields();
    void readImmediate_data();
    void readImmediate();
    void outOfBandKeys_data();
    void outOfBandKeys();
    void disconnectedKeysSendNothing();
    void lockedKeyboardRefusesKey();
    void enterValidationFailure();
    void passwordOnlyInsideItsField();
};

void TestAid::initTestCase()
{
    EbcdicCodec::setCodePage(37);
}

void TestAid::keyRecord_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<int>("argument"); // -1: the operation takes none
    QTest::addColumn<QByteArray>("data");

    QTest::newRow("Enter") << "sendEnter" << -1 << hex("05 0C F1") + hex(MODIFIED_FIELD);
    for (int n = 1; n <= 24; ++n) {
        const quint8 aid = n <= 12 ? quint8(0x30 + n) : quint8(0xB0 + n - 12);
        QTest::newRow(qPrintable(QStringLiteral("F%1").arg(n)))
            << "sendFunctionKey" << n << hex("05 0C") + QByteArray(1, char(aid)) + hex(MODIFIED_FIELD);
    }
    QTest::newRow("PA1") << "sendPaKey" << 1 << hex("05 0C 6C");
    QTest::newRow("PA2") << "sendPaKey" << 2 << hex("05 0C 6E");
    QTest::newRow("PA3") << "sendPaKey" << 3 << hex("05 0C 6B");
    QTest::newRow("Clear") << "sendClear" << -1 << hex("05 0C BD");
    QTest::newRow("Help") << "sendHelp" << -1 << hex("05 0C F3");
    QTest::newRow("Page Up is Roll Down") << "sendPageUp" << -1 << hex("05 0C F4");
    QTest::newRow("Page Down is Roll Up") << "sendPageDown" << -1 << hex("05 0C F5");
    QTest::newRow("Print") << "sendPrint" << -1 << hex("05 0C F6");
}

void TestAid::keyRecord()
{
    QFETCH(QString, operation);
    QFETCH(int, argument);
    QFETCH(QByteArray, data);

    Tn5250Client client;
    ClientProbe probe(client);
    KeyWire wire;
    QVERIFY(wire.attach(client));
    prepareScreen(probe.screen());
    probe.pendingReadMode() = 0;
    QSignalSpy screenChanged(&client, SIGNAL(screenChanged()));

    const QByteArray name = operation.toLatin1();
    if (argument < 0)
        QVERIFY(QMetaObject::invokeMethod(&client, name.constData()));
    else
        QVERIFY(QMetaObject::invokeMethod(&client, name.constData(), Q_ARG(int, argument)));

    QTRY_COMPARE(wire.recordCount(), 1);
    QCOMPARE(wire.takeRecord().toHex(), (KeyWire::header(data.size(), 0x00, 0x03) + data).toHex());
    QVERIFY(client.keyboardLocked());
    QCOMPARE(probe.pendingReadMode(), 0);
    QCOMPARE(client.status(), QStringLiteral("Connected — waiting for IBM i"));
    QVERIFY(screenChanged.count() >= 1);
}

void TestAid::noDataMaskedFunctionKey()
{
    Tn5250Client client;
    ClientProbe probe(client);
    KeyWire wire;
    QVERIFY(wire.attach(client));
    prepareScreen(probe.screen());
    probe.screen().noDataKeyMask = 1u << 4; // F5

    client.sendFunctionKey(5);
    QTRY_COMPARE(wire.recordCount(), 1);
    QCOMPARE(wire.takeRecord().mid(10).toHex(), hex("05 0C 35").toHex());

    // The mask names F5 only: F6 still carries the modified field.
    probe.screen().keyboardLocked = false;
    client.sendFunctionKey(6);
    QTRY_COMPARE(wire.recordCount(), 1);
    QCOMPARE(wire.takeRecord().mid(10).toHex(), (hex("05 0C 36") + hex(MODIFIED_FIELD)).toHex());
}

void TestAid::pendingReadModeSelectsFields_data()
{
    QTest::addColumn<int>("pending");
    QTest::addColumn<QByteArray>("data");
    QTest::newRow("none pending: modified fields only") << 0 << hex("05 0C F1  11 05 0A C1 C2");
    QTest::newRow("Read MDT Fields") << 2 << hex("05 0C F1  11 05 0A C1 C2");
    QTest::newRow("Read Input Fields: every input field")
        << 1 << hex("05 0C F1  11 05 0A C1 C2  11 06 0A C3");
    QTest::newRow("Read MDT Fields Alternate") << 3 << hex("05 0C F1  11 05 0A C1 C2");
}

void TestAid::pendingReadModeSelectsFields()
{
    QFETCH(int, pending);
    QFETCH(QByteArray, data);

    Tn5250Client client;
    ClientProbe probe(client);
    KeyWire wire;
    QVERIFY(wire.attach(client));
    prepareScreen(probe.screen());
    probe.pendingReadMode() = pending;

    client.sendEnter();
    QTRY_COMPARE(wire.recordCount(), 1);
    QCOMPARE(wire.takeRecord().mid(10).toHex(), data.toHex());
    QCOMPARE(probe.pendingReadMode(), 0);
}

void TestAid::readImmediate_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QByteArray>("data");
    QTest::newRow("Read Immediate: every input field")
        << int(Tn5250Client::ReadImmediate) << hex("05 0C 00  11 05 0A C1 C2  11 06 0A C3");
    QTest::newRow("Read Immediate Alternate: modified fields")
        << int(Tn5250Client::ReadImmediateAlternate) << hex("05 0C 00  11 05 0A C1 C2");
}

void TestAid::readImmediate()
{
    QFETCH(int, mode);
    QFETCH(QByteArray, data);

    Tn5250Client client;
    ClientProbe probe(client);
    KeyWire wire;
    QVERIFY(wire.attach(client));
    prepareScreen(probe.screen());
    probe.pendingReadMode() = Tn5250Client::ReadInputFields;
    client.setStatus(QStringLiteral("before"));

    client.sendImmediate(Tn5250Client::ReadMode(mode));
    QTRY_COMPARE(wire.recordCount(), 1);
    QCOMPARE(wire.takeRecord().toHex(), (KeyWire::header(data.size(), 0x00, 0x06) + data).toHex());
    // Answered at once: the operator keeps the keyboard and the pending read.
    QVERIFY(!client.keyboardLocked());
    QCOMPARE(probe.pendingReadMode(), int(Tn5250Client::ReadInputFields));
    QCOMPARE(client.status(), QStringLiteral("before"));
}

void TestAid::outOfBandKeys_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<int>("flags");
    QTest::addColumn<bool>("locks");
    QTest::newRow("System Request") << "sendSystemRequest" << 0x04 << true;
    QTest::newRow("Attention") << "sendAttention" << 0x40 << false;
    QTest::newRow("Test Request") << "sendTestRequest" << 0x02 << false;
}

void TestAid::outOfBandKeys()
{
    QFETCH(QString, operation);
    QFETCH(int, flags);
    QFETCH(bool, locks);

    Tn5250Client client;
    ClientProbe probe(client);
    KeyWire wire;
    QVERIFY(wire.attach(client));
    prepareScreen(probe.screen());

    QVERIFY(QMetaObject::invokeMethod(&client, operation.toLatin1().constData()));
    QTRY_COMPARE(wire.recordCount(), 1);
    QCOMPARE(wire.takeRecord().toHex(), hex("00 0A 12 A0 00 00 04").append(char(flags)).append(hex("00 00")).toHex());
    QCOMPARE(client.keyboardLocked(), locks);
}

void TestAid::disconnectedKeysSendNothing()
{
    Tn5250Client client;
    ClientProbe probe(client);
    KeyWire wire;
    QVERIFY(wire.attach(client));
    prepareScreen(probe.screen());
    probe.connected() = false;

    client.sendEnter();
    client.sendFunctionKey(3);
    client.sendClear();
    client.sendPaKey(1);
    client.sendSystemRequest();
    client.sendAttention();
    client.sendTestRequest();
    QVERIFY(wire.nothingSentBefore());
    QVERIFY(!client.keyboardLocked());

    // Numbers outside F1-F24 and PA1-PA3 are ignored even when connected.
    probe.connected() = true;
    client.sendFunctionKey(0);
    client.sendFunctionKey(25);
    client.sendPaKey(4);
    QVERIFY(wire.nothingSentBefore());
    QVERIFY(!client.keyboardLocked());
}

void TestAid::lockedKeyboardRefusesKey()
{
    Tn5250Client client;
    ClientProbe probe(client);
    KeyWire wire;
    QVERIFY(wire.attach(client));
    prepareScreen(probe.screen());
    probe.screen().keyboardLocked = true;
    probe.typeAhead() = false;

    client.sendFunctionKey(3);
    QCOMPARE(client.status(), QStringLiteral("Keyboard is locked by IBM i"));
    client.setStatus(QString());
    client.sendEnter();
    QCOMPARE(client.status(), QStringLiteral("Keyboard is locked by IBM i"));
    QVERIFY(wire.nothingSentBefore());
    QVERIFY(probe.typeAheadQueue().isEmpty());
}

void TestAid::enterValidationFailure()
{
    Tn5250Client client;
    ClientProbe probe(client);
    KeyWire wire;
    QVERIFY(wire.attach(client));
    TerminalScreen &screen = probe.screen();
    defineField(screen, 3, 5, 0x40, 0x08, 4); // mandatory entry, not entered
    screen.moveCursor(1, 1);
    screen.keyboardLocked = false;
    QSignalSpy bell(&client, SIGNAL(terminalBell()));
    QSignalSpy screenChanged(&client, SIGNAL(screenChanged()));

    client.sendEnter();
    QCOMPARE(client.status(), QStringLiteral("A mandatory-entry field has not been entered"));
    QCOMPARE(bell.count(), 1);
    QCOMPARE(screenChanged.count(), 1);
    QVERIFY(!client.keyboardLocked());
    QVERIFY(wire.nothingSentBefore());
}

// Typed into a nondisplay field, a password shows nowhere on the screen
// texts, the status line or the protocol log; the host gets it in the field's
// data of the Enter record and nowhere else.
void TestAid::passwordOnlyInsideItsField()
{
    const QString password = QStringLiteral("s3cretPW");
    const QByteArray passwordEbcdic = EbcdicCodec::encode(password);

    Tn5250Client client;
    ClientProbe probe(client);
    KeyWire wire;
    QVERIFY(wire.attach(client));
    TerminalScreen &screen = probe.screen();
    defineField(screen, 6, 53, 0x40, 0x00, 10, QByteArray(), QVector<unsigned short>(), 0x27);
    screen.moveCursor(6, 53);
    screen.keyboardLocked = false;

    QVERIFY(client.inputText(password));
    QVERIFY(!client.terminalText().contains(password));
    QVERIFY(!client.screenText().contains(password));
    QVERIFY(!client.status().contains(password));

    client.sendEnter();
    QTRY_COMPARE(wire.recordCount(), 1);
    const QByteArray record = wire.takeRecord();
    const QByteArray expectedData = hex("06 3D F1  11 06 35") + passwordEbcdic;
    QCOMPARE(record.toHex(), (KeyWire::header(expectedData.size(), 0x00, 0x03) + expectedData).toHex());

    QVERIFY(!client.diagnostics().contains(password));
    QVERIFY(!client.diagnostics().contains(QString::fromLatin1(passwordEbcdic.toHex())));
    QVERIFY(!client.status().contains(password));
}

QTEST_GUILESS_MAIN(TestAid)
#include "tst_aid.moc"
