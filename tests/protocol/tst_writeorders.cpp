// Write To Display: the control characters, every order with its operands
// and its truncation rule, the cursor placement, and whole host screens kept
// as hex fixtures (a sign-on screen, a menu, a 27 x 132 list), also cut at
// every position and filled with noise.
#include <random>

#include <QtTest>

#include "common/interpretedscreen.h"
#include "common/hexfixture.h"
#include "common/protocolstreams.h"
#include "protocol/aidresponse.h"
#include "protocol/recordframer.h"

using ProtocolStreams::hex;
using ProtocolStreams::logLines;
using ProtocolStreams::logLinesStartingWith;

namespace {

// One screen line built from texts placed at 0-based columns, trailing
// blanks removed as terminalText does.
QString line(const QList<QPair<int, QString>> &pieces)
{
    QString text;
    for (const QPair<int, QString> &piece : pieces) {
        if (text.size() < piece.first)
            text += QString(piece.first - text.size(), QLatin1Char(' '));
        text.replace(piece.first, piece.second.size(), piece.second);
        if (text.size() < piece.first + piece.second.size())
            text += piece.second.mid(text.size() - piece.first);
    }
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text;
}

QString at(int column, const QString &text)
{
    return line(QList<QPair<int, QString>>() << qMakePair(column, text));
}

// What must hold after any input, however broken: the buffers match the
// size, and every position the screen keeps lies inside them.
QString screenInvariantViolation(const TerminalScreen &screen)
{
    const int size = screen.rows * screen.columns;
    if (screen.data.size() != size || screen.attributes.size() != size)
        return QStringLiteral("buffer size %1/%2 for %3x%4").arg(screen.data.size()).arg(screen.attributes.size())
            .arg(screen.rows).arg(screen.columns);
    if (screen.cursor < 0 || screen.cursor >= size)
        return QStringLiteral("cursor %1").arg(screen.cursor);
    if (screen.displayAddress < 0 || screen.displayAddress >= size)
        return QStringLiteral("display address %1").arg(screen.displayAddress);
    if (screen.insertCursorIndex < -1 || screen.insertCursorIndex >= size)
        return QStringLiteral("insert cursor %1").arg(screen.insertCursorIndex);
    for (const TerminalScreen::Field &field : screen.fields) {
        if (field.start < 0 || field.length < 0 || field.start + field.length > size)
            return QStringLiteral("field %1+%2").arg(field.start).arg(field.length);
    }
    return QString();
}

} // namespace

class WriteOrdersTest : public QObject
{
    Q_OBJECT

private slots:
    void controlCharacters_data();
    void controlCharacters();
    void controlCharacterFieldActions_data();
    void controlCharacterFieldActions();
    void onlyOneControlCharacter();
    void cursorPlacement_data();
    void cursorPlacement();
    void completionDiagnostic_data();
    void completionDiagnostic();
    void setBufferAddress_data();
    void setBufferAddress();
    void dataOrders_data();
    void dataOrders();
    void startField_data();
    void startField();
    void startOfHeader_data();
    void startOfHeader();
    void escapeEndsTheOrders();
    void signOnScreen();
    void menuScreen();
    void wideScreen();
    void everyPrefixOfAFixture_data();
    void everyPrefixOfAFixture();
    void noise();
};

void WriteOrdersTest::controlCharacters_data()
{
    QTest::addColumn<quint8>("cc1");
    QTest::addColumn<quint8>("cc2");
    QTest::addColumn<bool>("lockedBefore");
    QTest::addColumn<bool>("messageBefore");
    QTest::addColumn<bool>("locked");
    QTest::addColumn<bool>("message");
    QTest::addColumn<int>("bells");
    QTest::addColumn<bool>("readKept");

    QTest::newRow("nothing") << quint8(0x00) << quint8(0x00) << false << false << false << false << 0 << true;
    QTest::newRow("low CC1 bits do not count") << quint8(0x1F) << quint8(0x00) << false << false << false << false << 0
                                               << true;
    QTest::newRow("CC1 0x20 locks and drops the read")
        << quint8(0x20) << quint8(0x00) << false << false << true << false << 0 << false;
    QTest::newRow("CC1 0x20 with CC2 0x08 leaves it unlocked")
        << quint8(0x20) << quint8(0x08) << false << false << false << false << 0 << false;
    QTest::newRow("CC2 0x08 unlocks") << quint8(0x00) << quint8(0x08) << true << false << false << false << 0 << true;
    QTest::newRow("CC2 0x04 sounds the alarm") << quint8(0x00) << quint8(0x04) << true << false << true << false << 1
                                               << true;
    QTest::newRow("CC2 0x02 turns the indicator off") << quint8(0x00) << quint8(0x02) << true << true << true << false
                                                      << 0 << true;
    QTest::newRow("CC2 0x01 turns it on") << quint8(0x00) << quint8(0x01) << true << false << true << true << 0 << true;
    QTest::newRow("CC2 0x03 leaves it on") << quint8(0x00) << quint8(0x03) << true << false << true << true << 0 << true;
    QTest::newRow("CC1 0xE0 with all CC2 bits")
        << quint8(0xE0) << quint8(0x0F) << true << false << false << true << 1 << false;
}

void WriteOrdersTest::controlCharacters()
{
    QFETCH(quint8, cc1);
    QFETCH(quint8, cc2);
    QFETCH(bool, lockedBefore);
    QFETCH(bool, messageBefore);
    QFETCH(bool, locked);
    QFETCH(bool, message);
    QFETCH(int, bells);
    QFETCH(bool, readKept);

    InterpretedScreen t;
    t.screen.keyboardLocked = lockedBefore;
    t.screen.messageWaiting = messageBefore;
    t.pendingReadMode = AidResponse::ReadInputFields;
    // Write To Display with these control characters and no orders.
    t.run(0x00, hex("04 11") + QByteArray(1, char(cc1)) + QByteArray(1, char(cc2)));
    QCOMPARE(t.screen.keyboardLocked, locked);
    QCOMPARE(t.screen.messageWaiting, message);
    QCOMPARE(t.alarms, bells);
    QCOMPARE(t.pendingReadMode, readKept ? int(AidResponse::ReadInputFields) : 0);
}

void WriteOrdersTest::controlCharacterFieldActions_data()
{
    // Three fields: an input field with its MDT set, an input field
    // without, and a bypass field with its MDT set. Each column: MDT after
    // (a, b, c) and whether the field was nulled (a, b, c).
    QTest::addColumn<quint8>("cc1");
    QTest::addColumn<QString>("mdt");
    QTest::addColumn<QString>("nulled");
    QTest::newRow("0x40 resets the MDT of input fields") << quint8(0x40) << "--x" << "---";
    QTest::newRow("0x60 resets every MDT") << quint8(0x60) << "---" << "---";
    QTest::newRow("0x80 nulls modified input fields") << quint8(0x80) << "x-x" << "x--";
    QTest::newRow("0xA0 resets input MDTs, nulls all input fields") << quint8(0xA0) << "--x" << "xx-";
    QTest::newRow("0xC0 nulls modified input fields, then resets their MDT") << quint8(0xC0) << "--x" << "x--";
    QTest::newRow("0xE0 resets every MDT, nulls all input fields") << quint8(0xE0) << "---" << "xx-";
    QTest::newRow("0x20 only locks") << quint8(0x20) << "x-x" << "---";
}

void WriteOrdersTest::controlCharacterFieldActions()
{
    QFETCH(quint8, cc1);
    QFETCH(QString, mdt);
    QFETCH(QString, nulled);

    InterpretedScreen t;
    TerminalScreen &screen = t.screen;
    const unsigned char ffwHigh[3] = { 0x48, 0x40, 0x28 };
    for (int i = 0; i < 3; ++i) {
        screen.setDisplayAddressIndex(100 * (i + 1));
        screen.startField(true, ffwHigh[i], 0x00, QVector<unsigned short>(), 0x24, 3);
        screen.setFieldBytes(screen.fields.at(i), hex("C1 C2 C3"));
    }
    QCOMPARE(screen.fields.size(), 3);
    t.run(0x00, hex("04 11") + QByteArray(1, char(cc1)) + hex("00"));
    for (int i = 0; i < 3; ++i) {
        const TerminalScreen::Field &field = screen.fields.at(i);
        QCOMPARE(field.modified, mdt.at(i) == QLatin1Char('x'));
        QCOMPARE(screen.fieldBytes(field), nulled.at(i) == QLatin1Char('x') ? hex("00 00 00") : hex("C1 C2 C3"));
    }
}

void WriteOrdersTest::onlyOneControlCharacter()
{
    InterpretedScreen t;
    t.screen.keyboardLocked = false;
    t.run(0x00, hex("04 11 20"));
    QVERIFY(!t.screen.keyboardLocked);
    QCOMPARE(t.logStartingWith(QStringLiteral("WTD")), QStringList());
}

void WriteOrdersTest::cursorPlacement_data()
{
    QTest::addColumn<QByteArray>("stream");
    QTest::addColumn<int>("cursorBefore");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<int>("home");
    QTest::addColumn<QStringList>("problems");

    QTest::newRow("IC row 2, column 5 with CC2 0x00")
        << hex("04 11 00 00 13 02 05") << 7 << 84 << 84 << QStringList();
    QTest::newRow("IC with CC2 0x40 sets home, cursor stays")
        << hex("04 11 00 40 13 02 05") << 7 << 7 << 84 << QStringList();
    QTest::newRow("IC then MC: the MC decides") << hex("04 11 00 00 13 02 05 14 03 03") << 7 << 162 << 84
                                                << QStringList();
    QTest::newRow("MC then IC: the IC decides") << hex("04 11 00 00 14 03 03 13 02 05") << 7 << 84 << 84
                                                << QStringList();
    QTest::newRow("MC with CC2 0x40 still moves") << hex("04 11 00 40 14 03 03") << 7 << 162 << -1 << QStringList();
    QTest::newRow("no cursor order, CC2 0x08: first input field")
        << hex("04 11 00 08 11 05 0A 1D 40 00 24 00 05") << 7 << 330 << -1 << QStringList();
    QTest::newRow("no cursor order, CC2 0x48: cursor stays")
        << hex("04 11 00 48 11 05 0A 1D 40 00 24 00 05") << 7 << 7 << -1 << QStringList();
    QTest::newRow("no cursor order, CC2 0x00: cursor stays") << hex("04 11 00 00") << 7 << 7 << -1 << QStringList();
    QTest::newRow("IC at row 0 is reported") << hex("04 11 00 00 13 00 05") << 7 << 7 << -1
                                             << (QStringList() << "Invalid IC address 0,5");
    QTest::newRow("IC at row 25 is reported, CC2 0x08 sends home")
        << hex("04 11 00 08 13 19 01") << 7 << 0 << -1 << (QStringList() << "Invalid IC address 25,1");
    QTest::newRow("IC at column 81 is reported") << hex("04 11 00 00 13 01 51") << 7 << 7 << -1
                                                 << (QStringList() << "Invalid IC address 1,81");
    QTest::newRow("truncated IC") << hex("04 11 00 00 13 02") << 7 << 7 << -1
                                  << (QStringList() << "Truncated IC order");
    QTest::newRow("IC order byte last") << hex("04 11 00 00 13") << 7 << 7 << -1
                                        << (QStringList() << "Truncated IC order");
    QTest::newRow("invalid MC is skipped silently") << hex("04 11 00 00 14 00 00 14 19 01") << 7 << 7 << -1
                                                    << QStringList();
    QTest::newRow("truncated MC ends quietly") << hex("04 11 00 00 14 02") << 7 << 7 << -1 << QStringList();
    QTest::newRow("last cell") << hex("04 11 00 00 14 18 50") << 7 << 1919 << -1 << QStringList();
}

void WriteOrdersTest::cursorPlacement()
{
    QFETCH(QByteArray, stream);
    QFETCH(int, cursorBefore);
    QFETCH(int, cursor);
    QFETCH(int, home);
    QFETCH(QStringList, problems);

    InterpretedScreen t;
    t.screen.setCursorIndex(cursorBefore);
    t.run(0x00, stream);
    QCOMPARE(t.screen.cursor, cursor);
    QCOMPARE(t.screen.insertCursorIndex, home);
    QStringList reported = t.logStartingWith(QStringLiteral("Invalid"));
    reported += t.logStartingWith(QStringLiteral("Truncated"));
    QCOMPARE(reported, problems);
}

void WriteOrdersTest::completionDiagnostic_data()
{
    QTest::addColumn<QByteArray>("stream");
    QTest::addColumn<QString>("expected");
    QTest::newRow("IC") << hex("04 11 00 08 11 01 01 C1 C2 13 02 05")
                        << "WTD complete: 2 visible cells, 0 input fields, 24x80, cursor 2,5, home 2,5, last cursor order IC";
    QTest::newRow("MC") << hex("04 11 00 00 14 18 50")
                        << "WTD complete: 0 visible cells, 0 input fields, 24x80, cursor 24,80, home default, last cursor order MC";
    QTest::newRow("none, 27 x 132, a field")
        << hex("04 20 00 04 11 00 08 11 1B 01 1D 40 00 24 00 05")
        << "WTD complete: 0 visible cells, 1 input fields, 27x132, cursor 27,2, home default, last cursor order none";
}

void WriteOrdersTest::completionDiagnostic()
{
    QFETCH(QByteArray, stream);
    QFETCH(QString, expected);
    InterpretedScreen t;
    t.run(0x00, stream);
    QCOMPARE(t.logStartingWith(QStringLiteral("WTD")), QStringList() << expected);
}

void WriteOrdersTest::setBufferAddress_data()
{
    QTest::addColumn<QByteArray>("order");
    QTest::addColumn<int>("landed");
    // Each stream first writes at row 5, column 5 (index 324): "A" lands at
    // 324 and the write position moves to 325.
    QTest::newRow("SBA 1,0 is cell 0") << hex("11 01 00") << 0;
    QTest::newRow("SBA 1,1 is cell 0") << hex("11 01 01") << 0;
    QTest::newRow("SBA 0,5 is ignored") << hex("11 00 05") << 325;
    QTest::newRow("SBA 2,0 is ignored") << hex("11 02 00") << 325;
    QTest::newRow("SBA 25,1 is ignored") << hex("11 19 01") << 325;
    QTest::newRow("SBA 24,81 is ignored") << hex("11 18 51") << 325;
    QTest::newRow("SBA 24,80 is the last cell") << hex("11 18 50") << 1919;
}

void WriteOrdersTest::setBufferAddress()
{
    QFETCH(QByteArray, order);
    QFETCH(int, landed);
    InterpretedScreen t;
    t.run(0x00, hex("04 11 00 00 11 05 05 C1") + order + hex("C2"));
    QCOMPARE(int(t.screen.rawAt(324)), 0xC1);
    QCOMPARE(int(t.screen.rawAt(landed)), 0xC2);
}

void WriteOrdersTest::dataOrders_data()
{
    QTest::addColumn<QByteArray>("orders");
    QTest::addColumn<QByteArray>("cells"); // the first cells of the screen afterwards

    QTest::newRow("data bytes") << hex("C1 C2 C3") << hex("C1 C2 C3 00");
    QTest::newRow("RA to column 5") << hex("02 01 05 C1 C2") << hex("C1 C1 C1 C1 C1 C2 00");
    QTest::newRow("RA to the write position writes one") << hex("02 01 01 C1 C2") << hex("C1 C2 00");
    QTest::newRow("RA missing its character") << hex("02 01 05") << hex("00 00");
    QTest::newRow("EA to column 3, length byte 1") << hex("C1 C1 C1 C1 C1 11 01 01 03 01 03 01 C2")
                                                   << hex("00 00 00 C2 C1 00");
    QTest::newRow("EA with length byte 0 is like 1") << hex("C1 C1 C1 C1 C1 11 01 01 03 01 03 00 C2")
                                                     << hex("00 00 00 C2 C1 00");
    QTest::newRow("EA skips its attribute types") << hex("C1 C1 C1 C1 C1 11 01 01 03 01 03 03 AA BB C2")
                                                  << hex("00 00 00 C2 C1 00");
    QTest::newRow("EA attribute types past the end") << hex("C1 C1 11 01 01 03 01 01 FF AA") << hex("00 C1 00");
    QTest::newRow("EA missing its length byte") << hex("C1 C1 11 01 01 03 01 01") << hex("C1 C1 00");
    QTest::newRow("TD stores bytes as they are") << hex("10 00 03 22 FF 04 C1") << hex("22 FF 04 C1 00");
    QTest::newRow("TD longer than the data") << hex("10 00 10 C1 C2") << hex("C1 C2 00");
    QTest::newRow("TD without its length") << hex("10 00") << hex("00 00");
    QTest::newRow("WEA is accepted without effect") << hex("12 01 F1 C1") << hex("C1 00");
    QTest::newRow("WEA missing a byte") << hex("12 01") << hex("00 00");
    QTest::newRow("WDSF is skipped by its length") << hex("15 00 05 D9 51 00 C1") << hex("C1 00");
    QTest::newRow("WDSF length 1") << hex("15 00 01 C1") << hex("C1 00");
    QTest::newRow("WDSF length past the end") << hex("15 00 40 D9 51 C1") << hex("00 00");
    QTest::newRow("WDSF without its length") << hex("15 00") << hex("00 00");
    QTest::newRow("attribute byte") << hex("22 C1") << hex("22 C1 00");
}

void WriteOrdersTest::dataOrders()
{
    QFETCH(QByteArray, orders);
    QFETCH(QByteArray, cells);
    InterpretedScreen t;
    t.run(0x00, hex("04 11 00 00") + orders);
    QCOMPARE(t.screen.data.left(cells.size()), cells);
}

void WriteOrdersTest::startField_data()
{
    QTest::addColumn<QByteArray>("orders");
    QTest::addColumn<bool>("complete");
    QTest::addColumn<int>("fields");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("ffw");
    QTest::addColumn<QVector<unsigned short>>("fcws");

    QTest::newRow("no FFW: the attribute alone") << hex("1D 24 00 0A C1") << true << 0 << 0 << 0
                                                 << QVector<unsigned short>();
    QTest::newRow("FFW 40 00, length 10") << hex("1D 40 00 24 00 0A C1") << true << 1 << 10 << 0x4000
                                          << QVector<unsigned short>();
    QTest::newRow("one control word") << hex("1D 40 00 81 00 24 00 05 C1") << true << 1 << 5 << 0x4000
                                      << (QVector<unsigned short>() << 0x8100);
    QTest::newRow("two control words") << hex("1D 40 00 84 00 88 01 24 00 05 C1") << true << 1 << 5 << 0x4000
                                       << (QVector<unsigned short>() << 0x8400 << 0x8801);
    QTest::newRow("order alone") << hex("1D") << false << 0 << 0 << 0 << QVector<unsigned short>();
    QTest::newRow("half a format word") << hex("1D 40") << false << 0 << 0 << 0 << QVector<unsigned short>();
    QTest::newRow("format word only") << hex("1D 40 00") << false << 0 << 0 << 0 << QVector<unsigned short>();
    QTest::newRow("half a control word") << hex("1D 40 00 81") << false << 0 << 0 << 0 << QVector<unsigned short>();
    QTest::newRow("attribute without length") << hex("1D 40 00 24") << false << 0 << 0 << 0
                                              << QVector<unsigned short>();
    QTest::newRow("half a length") << hex("1D 40 00 24 00") << false << 0 << 0 << 0 << QVector<unsigned short>();
    QTest::newRow("no FFW, half a length") << hex("1D 24 00") << false << 0 << 0 << 0 << QVector<unsigned short>();
}

void WriteOrdersTest::startField()
{
    QFETCH(QByteArray, orders);
    QFETCH(bool, complete);
    QFETCH(int, fields);
    QFETCH(int, length);
    QFETCH(int, ffw);
    QFETCH(QVector<unsigned short>, fcws);

    // The order starts at row 2, column 20 (index 99). A complete order is
    // followed by a Clear Unit, which must then run; a truncated one is cut at
    // the end of the data, and records no field.
    InterpretedScreen t;
    t.run(0x00, hex("04 11 00 00 11 02 14") + orders + (complete ? hex("04 40") : QByteArray()));
    QCOMPARE(t.logStartingWith(QStringLiteral("5250 commands")),
             QStringList() << (complete ? QStringLiteral("5250 commands: 11 40") : QStringLiteral("5250 commands: 11")));
    if (!complete) {
        QCOMPARE(t.screen.fields.size(), 0);
        QCOMPARE(t.logStartingWith(QStringLiteral("WTD complete")).size(), 1);
        return;
    }
    // The same orders without the Clear Unit, to look at what they made.
    InterpretedScreen made;
    made.run(0x00, hex("04 11 00 00 11 02 14") + orders);
    const TerminalScreen &screen = made.screen;
    QCOMPARE(screen.fields.size(), fields);
    if (fields) {
        const TerminalScreen::Field &field = screen.fields.first();
        QCOMPARE(field.start, 100);
        QCOMPARE(field.length, length);
        QCOMPARE((field.ffwHigh << 8) | field.ffwLow, ffw);
        QCOMPARE(field.fcws, fcws);
        QCOMPARE(int(field.attribute), 0x24);
    }
    // The attribute takes its cell; the host's next byte follows it.
    QCOMPARE(int(screen.rawAt(99)), 0x24);
    QCOMPARE(int(screen.rawAt(100)), 0xC1);
}

void WriteOrdersTest::startOfHeader_data()
{
    QTest::addColumn<QByteArray>("orders");
    QTest::addColumn<quint32>("mask");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("c1At"); // where a following C1 lands, -1 when none follows

    const quint32 before = 0x00000005;
    QTest::newRow("F24 and F1") << hex("01 07 00 00 00 00 80 00 01 C1") << quint32(0x800001) << QStringList() << 0;
    QTest::newRow("F17, F16, F9, F8") << hex("01 07 00 00 00 00 01 81 80 C1") << quint32(0x01 << 16 | 0x8180)
                                      << QStringList() << 0;
    QTest::newRow("length 3 clears the mask") << hex("01 03 AA BB CC C1") << quint32(0) << QStringList() << 0;
    QTest::newRow("length 0 clears the mask") << hex("01 00 C1") << quint32(0) << QStringList() << 0;
    QTest::newRow("length 7 with bytes missing clears the mask") << hex("01 07 00 00 00 00 FF") << quint32(0)
                                                                 << QStringList() << -1;
    QTest::newRow("length 8 is reported and skipped")
        << hex("01 08 00 00 00 00 FF FF FF FF C1") << before
        << (QStringList() << "Invalid Start-of-Header length 8") << 0;
    QTest::newRow("length 255 runs to the end") << hex("01 FF 00 C1") << before
                                                << (QStringList() << "Invalid Start-of-Header length 255") << -1;
    QTest::newRow("no length byte") << hex("01") << before << QStringList() << -1;
}

void WriteOrdersTest::startOfHeader()
{
    QFETCH(QByteArray, orders);
    QFETCH(quint32, mask);
    QFETCH(QStringList, lines);
    QFETCH(int, c1At);

    InterpretedScreen t;
    t.screen.noDataKeyMask = 0x00000005;
    t.screen.startField(true, 0x40, 0x00, QVector<unsigned short>(), 0x24, 5);
    QCOMPARE(t.screen.fields.size(), 1);
    t.run(0x00, hex("04 11 00 00") + orders);
    // The format table goes first, whatever follows.
    QCOMPARE(t.screen.fields.size(), 0);
    QCOMPARE(t.screen.noDataKeyMask, mask);
    QCOMPARE(t.logStartingWith(QStringLiteral("Invalid")), lines);
    if (c1At >= 0)
        QCOMPARE(int(t.screen.rawAt(c1At)), 0xC1);
    else
        QVERIFY(!t.screen.data.contains(char(0xC1)));
}

void WriteOrdersTest::escapeEndsTheOrders()
{
    InterpretedScreen t;
    t.run(0x00, hex("04 11 00 00 C1 04 20 00 04 11 00 00 C2"));
    QCOMPARE(t.logStartingWith(QStringLiteral("5250 commands")),
             QStringList() << QStringLiteral("5250 commands: 11 20 11"));
    QCOMPARE(t.screen.columns, 132);
    QCOMPARE(int(t.screen.rawAt(0)), 0xC2);
}

void WriteOrdersTest::signOnScreen()
{
    InterpretedScreen t;
    t.runRecord(ProtocolStreams::record(0x03, HexFixture::load(QStringLiteral("signon.hex"))));

    QCOMPARE(t.screen.rows, 24);
    QCOMPARE(t.screen.columns, 80);
    const QStringList lines = t.lines();
    QCOMPARE(lines.size(), 24);
    QCOMPARE(lines.at(0), at(35, QStringLiteral("Sign On")));
    QCOMPARE(lines.at(1), at(48, QStringLiteral("System  . . . . . :   VNTLDEMO")));
    QCOMPARE(lines.at(2), at(48, QStringLiteral("Subsystem . . . . :   QINTER")));
    QCOMPARE(lines.at(3), at(48, QStringLiteral("Display . . . . . :   QPADEV0001")));
    QCOMPARE(lines.at(4), QString());
    QCOMPARE(lines.at(5), at(17, QStringLiteral("User  . . . . . . . . . . . . . .")));
    QCOMPARE(lines.at(6), at(17, QStringLiteral("Password  . . . . . . . . . . . .")));
    QCOMPARE(lines.at(9), at(17, QStringLiteral("Current library . . . . . . . . .")));
    QCOMPARE(lines.at(23), at(2, QStringLiteral("(C) VNTL DEMO SYSTEMS")));

    const QVector<TerminalScreen::Field> &fields = t.screen.fields;
    QCOMPARE(fields.size(), 5);
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(fields.at(i).start, (5 + i) * 80 + 52);
        QCOMPARE(fields.at(i).length, 10);
        QVERIFY(fields.at(i).monocase());
        QVERIFY(!fields.at(i).bypass());
        QCOMPARE(int(fields.at(i).attribute), i == 1 ? 0x27 : 0x24);
    }
    QVERIFY(t.screen.isNondisplayAt(6 * 80 + 52));
    QVERIFY(!t.screen.isNondisplayAt(5 * 80 + 52));
    QCOMPARE(t.screen.cursorRow() + 1, 6);
    QCOMPARE(t.screen.cursorColumn() + 1, 53);
    QCOMPARE(t.screen.insertCursorIndex, 5 * 80 + 52);
    QVERIFY(!t.screen.keyboardLocked);
    QCOMPARE(t.pendingReadMode, int(AidResponse::ReadMdtFields));
    QCOMPARE(t.screen.noDataKeyMask, quint32(0));
    QCOMPARE(t.logStartingWith(QStringLiteral("5250 commands")),
             QStringList() << QStringLiteral("5250 commands: 40 11 52"));
}

void WriteOrdersTest::menuScreen()
{
    InterpretedScreen t;
    t.runRecord(ProtocolStreams::record(0x03, HexFixture::load(QStringLiteral("menu.hex"))));

    const QStringList lines = t.lines();
    QCOMPARE(lines.size(), 24);
    QCOMPARE(lines.at(0), line(QList<QPair<int, QString>>() << qMakePair(2, QStringLiteral("MAIN"))
                                                            << qMakePair(32, QStringLiteral("IBM i Main Menu"))));
    QCOMPARE(lines.at(1), at(58, QStringLiteral("System:   VNTLDEMO")));
    QCOMPARE(lines.at(4), at(6, QStringLiteral(" 1. User tasks")));
    QCOMPARE(lines.at(13), at(6, QStringLiteral("10. Information Assistant options")));
    QCOMPARE(lines.at(16), at(6, QStringLiteral("90. Sign off")));
    QCOMPARE(lines.at(19), at(2, QStringLiteral("===>")));
    QCOMPARE(lines.at(20), QString());
    QCOMPARE(lines.at(21), at(2, QStringLiteral("F3=Exit   F4=Prompt   F9=Retrieve   F12=Cancel   F13=Information Assistant")));

    QCOMPARE(t.screen.fields.size(), 1);
    const TerminalScreen::Field &commandLine = t.screen.fields.first();
    QCOMPARE(commandLine.start, 19 * 80 + 7);
    QCOMPARE(commandLine.length, 153);
    QCOMPARE(t.screen.cursorRow() + 1, 20);
    QCOMPARE(t.screen.cursorColumn() + 1, 8);
    QVERIFY(!t.screen.keyboardLocked);
    // F3 and F12 send no field data; the other keys do.
    QCOMPARE(t.screen.noDataKeyMask, quint32(0x804));
    QVERIFY(!t.screen.functionSendsData(3));
    QVERIFY(!t.screen.functionSendsData(12));
    QVERIFY(t.screen.functionSendsData(4));
}

void WriteOrdersTest::wideScreen()
{
    InterpretedScreen t;
    t.wideScreenOffered = false;
    t.runRecord(ProtocolStreams::record(0x03, HexFixture::load(QStringLiteral("wide.hex"))));

    QCOMPARE(t.screen.rows, 27);
    QCOMPARE(t.screen.columns, 132);
    const QStringList lines = t.lines();
    QCOMPARE(lines.size(), 27);
    QCOMPARE(lines.at(0), line(QList<QPair<int, QString>>() << qMakePair(54, QStringLiteral("Work with Active Jobs"))
                                                            << qMakePair(111, QStringLiteral("VNTLDEMO"))));
    QCOMPARE(lines.at(2), at(2, QString(129, QLatin1Char('-'))));
    QCOMPARE(lines.at(7), at(6, QStringLiteral("QBATCH           QSYS        SBS      .0                   DEQW")));
    QCOMPARE(lines.at(25), at(124, QStringLiteral("More...")));
    QCOMPARE(lines.at(26), at(2, QStringLiteral("F3=Exit   F5=Refresh   F7=Display elapsed data   F10=Restart statistics   "
                                                "F11=Display thread data   F12=Cancel   F23=More options")));
    QCOMPARE(t.screen.fields.size(), 3);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(t.screen.fields.at(i).start, (7 + i) * 132 + 2);
        QCOMPARE(t.screen.fields.at(i).length, 2);
    }
    QCOMPARE(t.screen.cursorRow() + 1, 8);
    QCOMPARE(t.screen.cursorColumn() + 1, 3);
    QVERIFY(!t.screen.keyboardLocked);
}

void WriteOrdersTest::everyPrefixOfAFixture_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<QByteArray>("insertCursor");
    QTest::newRow("sign-on") << "signon.hex" << hex("13 06 35");
    QTest::newRow("menu") << "menu.hex" << hex("13 14 08");
    QTest::newRow("27 x 132") << "wide.hex" << hex("13 08 03");
}

// A record cut anywhere is taken as far as it goes; only a cut inside the
// Insert Cursor order is reported.
void WriteOrdersTest::everyPrefixOfAFixture()
{
    QFETCH(QString, fixture);
    QFETCH(QByteArray, insertCursor);

    const QByteArray stream = HexFixture::load(fixture);
    const int icAt = stream.lastIndexOf(insertCursor);
    QVERIFY(icAt > 0);
    for (int cut = 0; cut <= stream.size(); ++cut) {
        InterpretedScreen t;
        const QByteArray record = ProtocolStreams::record(0x03, stream.left(cut));
        QVERIFY(RecordFramer::parse(record).accepted);
        t.runRecord(record);
        const QString violation = screenInvariantViolation(t.screen);
        QVERIFY2(violation.isEmpty(), qPrintable(QStringLiteral("cut %1: %2").arg(cut).arg(violation)));
        const bool insideIc = cut == icAt + 1 || cut == icAt + 2;
        QCOMPARE(t.logStartingWith(QStringLiteral("Truncated IC order")).size(),
                 insideIc ? 1 : 0);
    }
}

// Seeded random data after a Write To Display: whatever the host sends, the
// screen keeps its shape.
void WriteOrdersTest::noise()
{
    std::mt19937 random(5250);
    std::uniform_int_distribution<int> byteValue(0, 255);
    std::uniform_int_distribution<int> length(0, 400);
    // Order bytes and small operands more often than uniform noise gives.
    const unsigned char favourites[] = { 0x01, 0x02, 0x03, 0x04, 0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x1D,
                                         0x20, 0x24, 0x27, 0x40, 0x00, 0x18, 0x50, 0x1B, 0x84, 0xFF };
    std::uniform_int_distribution<int> favourite(0, int(sizeof(favourites)) - 1);
    std::bernoulli_distribution pickFavourite(0.5);
    InterpretedScreen t;
    for (int round = 0; round < 3000; ++round) {
        QByteArray data = round % 2 ? hex("04 11 00 08") : hex("04 20 00 04 11 20 08");
        const int n = length(random);
        for (int i = 0; i < n; ++i)
            data.append(char(pickFavourite(random) ? favourites[favourite(random)] : byteValue(random)));
        t.run(0x03, data);
        const QString violation = screenInvariantViolation(t.screen);
        QVERIFY2(violation.isEmpty(), qPrintable(QStringLiteral("round %1: %2").arg(round).arg(violation)));
        if (round % 100 == 0)
            t.log.clear();
    }
}

QTEST_MAIN(WriteOrdersTest)
#include "tst_writeorders.moc"
