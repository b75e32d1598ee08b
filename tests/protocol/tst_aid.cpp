// AID keys as the host receives them over a real loopback socket: every key's
// record with its full header, which keys carry field data, the no-data mask
// of Start of Header, the pending read mode, the keyboard lock that follows,
// Read Immediate answered without a lock, the three out-of-band keys, and the
// password of a nondisplay field never leaving except inside the record.

#include <QSignalSpy>
#include <QtTest>

#include "app/tn5250client.h"
#include "common/clientprobe.h"
#include "common/loopbackpair.h"
#include "codec/ebcdiccodec.h"
#include "common/hexfixture.h"
#include "common/protocolstreams.h"
#include "keywire.h"
#include "protocol/aidresponse.h"

using ProtocolStreams::hex;

namespace {

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
    void init();
    void cleanup();
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

private:
    // A client connected to a loopback wire, showing prepareScreen's fields.
    QScopedPointer<Tn5250Client> m_client;
    QScopedPointer<ClientProbe> m_probe;
    QScopedPointer<KeyWire> m_wire;
};

void TestAid::initTestCase()
{
    EbcdicCodec::setCodePage(37);
}

void TestAid::init()
{
    m_client.reset(new Tn5250Client);
    m_probe.reset(new ClientProbe(*m_client));
    m_wire.reset(new KeyWire);
    QVERIFY(m_wire->attach(*m_client));
    prepareScreen(m_probe->screen());
}

void TestAid::cleanup()
{
    m_probe.reset();
    m_wire.reset();
    m_client.reset();
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
    QTest::newRow("Page Up is Roll Down, with the modified fields") << "sendPageUp" << -1 << hex("05 0C F4") + hex(MODIFIED_FIELD);
    QTest::newRow("Page Down is Roll Up, with the modified fields") << "sendPageDown" << -1 << hex("05 0C F5") + hex(MODIFIED_FIELD);
    QTest::newRow("Print") << "sendPrint" << -1 << hex("05 0C F6");
}

void TestAid::keyRecord()
{
    QFETCH(QString, operation);
    QFETCH(int, argument);
    QFETCH(QByteArray, data);

    m_probe->pendingReadMode() = 0;
    QSignalSpy screenChanged(m_client.data(), SIGNAL(screenChanged()));

    const QByteArray name = operation.toLatin1();
    if (argument < 0)
        QVERIFY(QMetaObject::invokeMethod(m_client.data(), name.constData()));
    else
        QVERIFY(QMetaObject::invokeMethod(m_client.data(), name.constData(), Q_ARG(int, argument)));

    QTRY_COMPARE(m_wire->recordCount(), 1);
    QCOMPARE(m_wire->takeRecord().toHex(), (KeyWire::header(data.size(), 0x00, 0x03) + data).toHex());
    QVERIFY(m_client->keyboardLocked());
    QCOMPARE(m_probe->pendingReadMode(), 0);
    QCOMPARE(m_client->status(), QStringLiteral("Connected — waiting for IBM i"));
    QVERIFY(screenChanged.count() >= 1);
}

void TestAid::noDataMaskedFunctionKey()
{
    m_probe->screen().noDataKeyMask = 1u << 4; // F5

    m_client->sendFunctionKey(5);
    QTRY_COMPARE(m_wire->recordCount(), 1);
    QCOMPARE(m_wire->takeRecord().mid(10).toHex(), hex("05 0C 35").toHex());

    // The mask names F5 only: F6 still carries the modified field.
    m_probe->screen().keyboardLocked = false;
    m_client->sendFunctionKey(6);
    QTRY_COMPARE(m_wire->recordCount(), 1);
    QCOMPARE(m_wire->takeRecord().mid(10).toHex(), (hex("05 0C 36") + hex(MODIFIED_FIELD)).toHex());
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

    m_probe->pendingReadMode() = pending;

    m_client->sendEnter();
    QTRY_COMPARE(m_wire->recordCount(), 1);
    QCOMPARE(m_wire->takeRecord().mid(10).toHex(), data.toHex());
    QCOMPARE(m_probe->pendingReadMode(), 0);
}

void TestAid::readImmediate_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QByteArray>("data");
    QTest::newRow("Read Immediate: every input field")
        << int(AidResponse::ReadImmediate) << hex("05 0C 00  11 05 0A C1 C2  11 06 0A C3");
    QTest::newRow("Read Immediate Alternate: modified fields")
        << int(AidResponse::ReadImmediateAlternate) << hex("05 0C 00  11 05 0A C1 C2");
}

void TestAid::readImmediate()
{
    QFETCH(int, mode);
    QFETCH(QByteArray, data);

    m_probe->pendingReadMode() = AidResponse::ReadInputFields;
    m_probe->setStatus(QStringLiteral("before"));

    // The host's Read Immediate (Alternate) command.
    receive(*m_client, 0x06, mode == AidResponse::ReadImmediate ? hex("04 72") : hex("04 83"));
    QTRY_COMPARE(m_wire->recordCount(), 1);
    QCOMPARE(m_wire->takeRecord().toHex(), (KeyWire::header(data.size(), 0x00, 0x06) + data).toHex());
    // Answered at once: the operator keeps the keyboard and the pending read.
    QVERIFY(!m_client->keyboardLocked());
    QCOMPARE(m_probe->pendingReadMode(), int(AidResponse::ReadInputFields));
    QCOMPARE(m_client->status(), QStringLiteral("before"));
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


    QVERIFY(QMetaObject::invokeMethod(m_client.data(), operation.toLatin1().constData()));
    QTRY_COMPARE(m_wire->recordCount(), 1);
    QCOMPARE(m_wire->takeRecord().toHex(), hex("00 0A 12 A0 00 00 04").append(char(flags)).append(hex("00 00")).toHex());
    QCOMPARE(m_client->keyboardLocked(), locks);
}

void TestAid::disconnectedKeysSendNothing()
{
    m_probe->connected() = false;

    m_client->sendEnter();
    m_client->sendFunctionKey(3);
    m_client->sendClear();
    m_client->sendPaKey(1);
    m_client->sendSystemRequest();
    m_client->sendAttention();
    m_client->sendTestRequest();
    QVERIFY(m_wire->nothingSentBefore());
    QVERIFY(!m_client->keyboardLocked());

    // Numbers outside F1-F24 and PA1-PA3 are ignored even when connected.
    m_probe->connected() = true;
    m_client->sendFunctionKey(0);
    m_client->sendFunctionKey(25);
    m_client->sendPaKey(4);
    QVERIFY(m_wire->nothingSentBefore());
    QVERIFY(!m_client->keyboardLocked());
}

void TestAid::lockedKeyboardRefusesKey()
{
    m_probe->screen().keyboardLocked = true;
    m_probe->setTypeAhead(false);

    m_client->sendFunctionKey(3);
    QCOMPARE(m_client->status(), QStringLiteral("Keyboard is locked by IBM i"));
    m_probe->setStatus(QString());
    m_client->sendEnter();
    QCOMPARE(m_client->status(), QStringLiteral("Keyboard is locked by IBM i"));
    QVERIFY(m_wire->nothingSentBefore());
    QVERIFY(m_probe->typeAheadQueue().isEmpty());
}

void TestAid::enterValidationFailure()
{
    m_probe->screen().clearFormatTable();
    TerminalScreen &screen = m_probe->screen();
    defineField(screen, 3, 5, 0x40, 0x08, 4); // mandatory entry, not entered
    screen.moveCursor(1, 1);
    screen.keyboardLocked = false;
    QSignalSpy bell(m_client.data(), SIGNAL(terminalBell()));
    QSignalSpy screenChanged(m_client.data(), SIGNAL(screenChanged()));

    m_client->sendEnter();
    QCOMPARE(m_client->status(), QStringLiteral("A mandatory-entry field has not been entered"));
    QCOMPARE(bell.count(), 1);
    QCOMPARE(screenChanged.count(), 1);
    QVERIFY(!m_client->keyboardLocked());
    QVERIFY(m_wire->nothingSentBefore());
}

// Typed into a nondisplay field, a password shows nowhere on the screen
// texts, the status line or the protocol log; the host gets it in the field's
// data of the Enter record and nowhere else.
void TestAid::passwordOnlyInsideItsField()
{
    const QString password = QStringLiteral("s3cretPW");
    const QByteArray passwordEbcdic = EbcdicCodec::encode(password);

    m_probe->screen().clearFormatTable();
    TerminalScreen &screen = m_probe->screen();
    defineField(screen, 6, 53, 0x40, 0x00, 10, QByteArray(), QVector<unsigned short>(), 0x27);
    screen.moveCursor(6, 53);
    screen.keyboardLocked = false;

    QVERIFY(m_client->inputText(password));
    QVERIFY(!m_client->terminalText().contains(password));
    QVERIFY(!m_client->screenText().contains(password));
    QVERIFY(!m_client->status().contains(password));

    m_client->sendEnter();
    QTRY_COMPARE(m_wire->recordCount(), 1);
    const QByteArray record = m_wire->takeRecord();
    const QByteArray expectedData = hex("06 3D F1  11 06 35") + passwordEbcdic;
    QCOMPARE(record.toHex(), (KeyWire::header(expectedData.size(), 0x00, 0x03) + expectedData).toHex());

    QVERIFY(!m_client->diagnostics().contains(password));
    QVERIFY(!m_client->diagnostics().contains(QString::fromLatin1(passwordEbcdic.toHex())));
    QVERIFY(!m_client->status().contains(password));
}

QTEST_GUILESS_MAIN(TestAid)
#include "tst_aid.moc"
