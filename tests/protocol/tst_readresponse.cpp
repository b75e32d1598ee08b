// The read response byte for byte: cursor address, AID code, and for each
// field the host asked for an SBA with the field's address followed by its
// data as the host expects it (trailing nulls dropped, inner nulls blanked
// unless the read is an alternate one, the sign of a signed-numeric field in
// the zone of its last digit, a transparency field untouched).

#include <QtTest>

#include "common/hexfixture.h"
#include "common/protocolstreams.h"
#include "keywire.h"
#include "protocol/aidresponse.h"

using ProtocolStreams::hex;

namespace {

struct FieldSpec
{
    int row;
    int column;
    quint8 ffwHigh;
    quint8 ffwLow;
    int length;
    QByteArray content;
    bool transparent;
};

typedef QVector<FieldSpec> FieldSpecs;

FieldSpec field(int row, int column, quint8 ffwHigh, int length, const char *contentHex,
                bool transparent = false)
{
    return FieldSpec{row, column, ffwHigh, 0x00, length,
                     HexFixture::parse(QString::fromLatin1(contentHex)), transparent};
}

// FFW first bytes: 0x40 is the usual "this is an FFW" top bit pattern, 0x08
// the MDT, 0x20 bypass, the low three bits the field type.
const quint8 INPUT = 0x40;
const quint8 MODIFIED = 0x48;
const quint8 BYPASS_MODIFIED = 0x68;
const quint8 SIGNED_MODIFIED = 0x4F;

} // namespace

Q_DECLARE_METATYPE(FieldSpecs)

class TestReadResponse : public QObject
{
    Q_OBJECT

private slots:
    void response_data();
    void response();
    void screenOf27By132();
    void functionKeyCodes_data();
    void functionKeyCodes();
};

void TestReadResponse::response_data()
{
    QTest::addColumn<FieldSpecs>("fields");
    QTest::addColumn<int>("cursorRow");
    QTest::addColumn<int>("cursorColumn");
    QTest::addColumn<int>("aid");
    QTest::addColumn<bool>("includeFields");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QByteArray>("expected");

    const FieldSpecs twoFields = {field(5, 10, MODIFIED, 4, "C1 C2"), field(6, 10, INPUT, 3, "C3")};

    QTest::newRow("MDT read sends only the modified field")
        << twoFields << 5 << 12 << 0xF1 << true << int(AidResponse::ReadMdtFields)
        << hex("05 0C F1  11 05 0A C1 C2");
    QTest::newRow("read input fields sends unmodified fields too")
        << twoFields << 5 << 12 << 0xF1 << true << int(AidResponse::ReadInputFields)
        << hex("05 0C F1  11 05 0A C1 C2  11 06 0A C3");
    QTest::newRow("read immediate sends every input field")
        << twoFields << 1 << 1 << 0x00 << true << int(AidResponse::ReadImmediate)
        << hex("01 01 00  11 05 0A C1 C2  11 06 0A C3");
    QTest::newRow("no field data: cursor and AID only")
        << twoFields << 2 << 3 << 0xBD << false << int(AidResponse::ReadInputFields)
        << hex("02 03 BD");
    QTest::newRow("bypass field is never sent, even modified")
        << FieldSpecs{field(3, 2, BYPASS_MODIFIED, 3, "C1"), field(4, 2, MODIFIED, 2, "C2")}
        << 1 << 1 << 0xF1 << true << int(AidResponse::ReadInputFields)
        << hex("01 01 F1  11 04 02 C2");
    QTest::newRow("field starting in column 1 of a later row")
        << FieldSpecs{field(3, 1, MODIFIED, 5, "D1 D2")}
        << 1 << 1 << 0xF1 << true << int(AidResponse::ReadMdtFields)
        << hex("01 01 F1  11 03 01 D1 D2");
    QTest::newRow("fields go in format-table order, not screen order")
        << FieldSpecs{field(10, 5, MODIFIED, 2, "C1"), field(2, 5, MODIFIED, 2, "C2")}
        << 1 << 1 << 0xF1 << true << int(AidResponse::ReadMdtFields)
        << hex("01 01 F1  11 0A 05 C1  11 02 05 C2");
    QTest::newRow("cursor on the last cell")
        << FieldSpecs{} << 24 << 80 << 0xF1 << true << int(AidResponse::ReadMdtFields)
        << hex("18 50 F1");

    QTest::newRow("trailing nulls are dropped")
        << FieldSpecs{field(2, 2, MODIFIED, 5, "F1 F2 00 00 00")}
        << 1 << 1 << 0xF1 << true << int(AidResponse::ReadMdtFields)
        << hex("01 01 F1  11 02 02 F1 F2");
    QTest::newRow("inner nulls go back as blanks")
        << FieldSpecs{field(2, 2, MODIFIED, 4, "C1 00 C2 00")}
        << 1 << 1 << 0xF1 << true << int(AidResponse::ReadMdtFields)
        << hex("01 01 F1  11 02 02 C1 40 C2");
    QTest::newRow("blanks the operator typed are kept")
        << FieldSpecs{field(2, 2, MODIFIED, 4, "40 C1 40 40")}
        << 1 << 1 << 0xF1 << true << int(AidResponse::ReadMdtFields)
        << hex("01 01 F1  11 02 02 40 C1 40 40");
    QTest::newRow("MDT alternate keeps inner nulls")
        << FieldSpecs{field(2, 2, MODIFIED, 4, "C1 00 C2 00")}
        << 1 << 1 << 0xF1 << true << int(AidResponse::ReadMdtFieldsAlternate)
        << hex("01 01 F1  11 02 02 C1 00 C2");
    QTest::newRow("read immediate alternate: modified only, inner nulls kept")
        << FieldSpecs{field(2, 2, MODIFIED, 4, "C1 00 C2"), field(3, 2, INPUT, 2, "C3")}
        << 1 << 1 << 0x00 << true << int(AidResponse::ReadImmediateAlternate)
        << hex("01 01 00  11 02 02 C1 00 C2");
    QTest::newRow("empty modified field sends only its address")
        << FieldSpecs{field(2, 2, MODIFIED, 4, "")}
        << 1 << 1 << 0xF1 << true << int(AidResponse::ReadMdtFields)
        << hex("01 01 F1  11 02 02");

    QTest::newRow("signed numeric, negative: sign in the last digit's zone")
        << FieldSpecs{field(2, 2, SIGNED_MODIFIED, 3, "F1 F2 60")}
        << 1 << 1 << 0xF1 << true << int(AidResponse::ReadMdtFields)
        << hex("01 01 F1  11 02 02 F1 D2");
    QTest::newRow("signed numeric, blank sign is positive")
        << FieldSpecs{field(2, 2, SIGNED_MODIFIED, 3, "F1 F2 40")}
        << 1 << 1 << 0xF1 << true << int(AidResponse::ReadMdtFields)
        << hex("01 01 F1  11 02 02 F1 F2");
    QTest::newRow("signed numeric, null sign is positive")
        << FieldSpecs{field(2, 2, SIGNED_MODIFIED, 3, "F1 F2 00")}
        << 1 << 1 << 0xF1 << true << int(AidResponse::ReadMdtFields)
        << hex("01 01 F1  11 02 02 F1 F2");
    QTest::newRow("signed numeric, negative with nulls before the sign")
        << FieldSpecs{field(2, 2, SIGNED_MODIFIED, 6, "F1 00 F3 00 00 60")}
        << 1 << 1 << 0xF1 << true << int(AidResponse::ReadMdtFields)
        << hex("01 01 F1  11 02 02 F1 40 D3");
    QTest::newRow("signed numeric, negative: digit before trailing blanks")
        << FieldSpecs{field(2, 2, SIGNED_MODIFIED, 5, "F4 F5 40 40 60")}
        << 1 << 1 << 0xF1 << true << int(AidResponse::ReadMdtFields)
        << hex("01 01 F1  11 02 02 F4 D5 40 40");
    QTest::newRow("signed numeric, negative without digits is left alone")
        << FieldSpecs{field(2, 2, SIGNED_MODIFIED, 3, "4B 40 60")}
        << 1 << 1 << 0xF1 << true << int(AidResponse::ReadMdtFields)
        << hex("01 01 F1  11 02 02 4B 40");

    QTest::newRow("transparent field is sent exactly as stored")
        << FieldSpecs{field(2, 2, MODIFIED, 5, "C1 00 FF 00 00", true)}
        << 1 << 1 << 0xF1 << true << int(AidResponse::ReadMdtFields)
        << hex("01 01 F1  11 02 02 C1 00 FF 00 00");
}

void TestReadResponse::response()
{
    QFETCH(FieldSpecs, fields);
    QFETCH(int, cursorRow);
    QFETCH(int, cursorColumn);
    QFETCH(int, aid);
    QFETCH(bool, includeFields);
    QFETCH(int, mode);
    QFETCH(QByteArray, expected);

    TerminalScreen screen;
    for (const FieldSpec &spec : fields) {
        QVector<unsigned short> fcws;
        if (spec.transparent)
            fcws.append(0x8400);
        defineField(screen, spec.row, spec.column, spec.ffwHigh, spec.ffwLow, spec.length, spec.content, fcws);
    }
    QCOMPARE(screen.fields.size(), fields.size());
    screen.moveCursor(cursorRow, cursorColumn);

    const QByteArray response =
        AidResponse::build(screen, quint8(aid), includeFields, AidResponse::ReadMode(mode));
    QCOMPARE(response.toHex(), expected.toHex());
}

void TestReadResponse::screenOf27By132()
{
    TerminalScreen screen;
    screen.resize(27, 132);
    defineField(screen, 27, 131, MODIFIED, 0x00, 2, hex("C1 C2"));
    screen.moveCursor(27, 132);
    QCOMPARE(AidResponse::build(screen, 0xF1, true, AidResponse::ReadMdtFields).toHex(),
             hex("1B 84 F1  11 1B 83 C1 C2").toHex());
}

void TestReadResponse::functionKeyCodes_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("aid");
    for (int n = 1; n <= 12; ++n)
        QTest::newRow(qPrintable(QStringLiteral("F%1").arg(n))) << n << 0x30 + n;
    for (int n = 13; n <= 24; ++n)
        QTest::newRow(qPrintable(QStringLiteral("F%1").arg(n))) << n << 0xB1 + n - 13;
    QTest::newRow("0 is no function key") << 0 << 0;
    QTest::newRow("25 is no function key") << 25 << 0;
    QTest::newRow("negative is no function key") << -1 << 0;
}

void TestReadResponse::functionKeyCodes()
{
    QFETCH(int, number);
    QFETCH(int, aid);
    QCOMPARE(int(AidResponse::functionKeyAid(number)), aid);
}

QTEST_GUILESS_MAIN(TestReadResponse)
#include "tst_readresponse.moc"
