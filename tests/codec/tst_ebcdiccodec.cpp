#include "codec/ebcdiccodec.h"

#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QtTest>

// The code page tables against glibc's iconv (when it is there to ask), the
// properties every table must keep, and the conversions built on them.
class TestEbcdicCodec : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void tableMatchesIconv_data();
    void tableMatchesIconv();
    void decodeThenEncodeGivesEveryByteBack_data();
    void decodeThenEncodeGivesEveryByteBack();
    void positionsSharedByEveryPage_data();
    void positionsSharedByEveryPage();
    void tellingRows_data();
    void tellingRows();
    void charactersBeyondLatin1_data();
    void charactersBeyondLatin1();
    void decodeByte_data();
    void decodeByte();
    void encodeChar_data();
    void encodeChar();
    void encode_data();
    void encode();
    void supportedCodePagesAndLabels();
    void unsupportedCodePageFallsBackTo37_data();
    void unsupportedCodePageFallsBackTo37();
    void isDisplayAttribute_data();
    void isDisplayAttribute();

private:
    bool m_iconvAvailable = false;
    QSet<QString> m_iconvConverters;
};

namespace {

QString iconvName(int codePage)
{
    return QStringLiteral("IBM%1").arg(codePage, 3, 10, QLatin1Char('0'));
}

void addCodePageRows()
{
    QTest::addColumn<int>("codePage");
    const QList<int> pages = EbcdicCodec::supportedCodePages();
    for (int page : pages)
        QTest::newRow(qPrintable(QStringLiteral("code page %1").arg(page))) << page;
}

} // namespace

void TestEbcdicCodec::initTestCase()
{
    QCOMPARE(EbcdicCodec::codePage(), 37);

    QProcess iconv;
    iconv.start(QStringLiteral("iconv"), QStringList() << QStringLiteral("-l"));
    if (!iconv.waitForStarted() || !iconv.waitForFinished(-1) || iconv.exitCode() != 0)
        return;
    m_iconvAvailable = true;
    // glibc prints its names as "IBM037//, CP037//, ..." over many lines.
    const QStringList names = QString::fromLatin1(iconv.readAllStandardOutput())
                                  .split(QRegularExpression(QStringLiteral("[,\\s]+")));
    for (QString name : names) {
        if (name.endsWith(QLatin1String("//")))
            name.chop(2);
        if (!name.isEmpty())
            m_iconvConverters.insert(name.toUpper());
    }
}

void TestEbcdicCodec::cleanup()
{
    EbcdicCodec::setCodePage(37);
}

void TestEbcdicCodec::tableMatchesIconv_data()
{
    addCodePageRows();
}

void TestEbcdicCodec::tableMatchesIconv()
{
    QFETCH(int, codePage);
    if (!m_iconvAvailable)
        QSKIP("iconv is not installed");
    const QString converter = iconvName(codePage);
    if (!m_iconvConverters.contains(converter))
        QSKIP(qPrintable(QStringLiteral("iconv has no %1 converter").arg(converter)));

    QByteArray allBytes;
    for (int byte = 0; byte < 256; ++byte)
        allBytes.append(static_cast<char>(byte));
    QProcess iconv;
    iconv.start(QStringLiteral("iconv"),
                QStringList() << QStringLiteral("-f") << converter << QStringLiteral("-t")
                              << QStringLiteral("UTF-16BE"));
    QVERIFY(iconv.waitForStarted());
    iconv.write(allBytes);
    iconv.closeWriteChannel();
    QVERIFY(iconv.waitForFinished(-1));
    QCOMPARE(iconv.exitCode(), 0);
    const QByteArray utf16 = iconv.readAllStandardOutput();
    QCOMPARE(utf16.size(), 512);

    const ushort *table = EbcdicCodec::tableForCodePage(codePage);
    for (int byte = 0; byte < 256; ++byte) {
        const ushort expected = static_cast<ushort>(
            (static_cast<unsigned char>(utf16.at(2 * byte)) << 8)
            | static_cast<unsigned char>(utf16.at(2 * byte + 1)));
        QVERIFY2(table[byte] == expected,
                 qPrintable(QStringLiteral("byte 0x%1: table U+%2, iconv U+%3")
                                .arg(byte, 2, 16, QLatin1Char('0'))
                                .arg(table[byte], 4, 16, QLatin1Char('0'))
                                .arg(expected, 4, 16, QLatin1Char('0'))));
    }
}

void TestEbcdicCodec::decodeThenEncodeGivesEveryByteBack_data()
{
    addCodePageRows();
}

void TestEbcdicCodec::decodeThenEncodeGivesEveryByteBack()
{
    QFETCH(int, codePage);
    EbcdicCodec::setCodePage(codePage);
    QCOMPARE(EbcdicCodec::codePage(), codePage);

    QByteArray allBytes;
    for (int byte = 0; byte < 256; ++byte) {
        const unsigned char original = static_cast<unsigned char>(byte);
        bool ok = false;
        const unsigned char back = EbcdicCodec::encodeChar(EbcdicCodec::decodeByte(original), &ok);
        QVERIFY2(ok && back == original,
                 qPrintable(QStringLiteral("byte 0x%1 came back as 0x%2 (ok %3)")
                                .arg(byte, 2, 16, QLatin1Char('0'))
                                .arg(back, 2, 16, QLatin1Char('0'))
                                .arg(ok)));
        allBytes.append(static_cast<char>(byte));
    }

    const QString text = EbcdicCodec::decode(allBytes);
    QCOMPARE(text.size(), 256);
    bool ok = false;
    QCOMPARE(EbcdicCodec::encode(text, &ok), allBytes);
    QVERIFY(ok);
}

void TestEbcdicCodec::positionsSharedByEveryPage_data()
{
    addCodePageRows();
}

void TestEbcdicCodec::positionsSharedByEveryPage()
{
    QFETCH(int, codePage);
    const ushort *table = EbcdicCodec::tableForCodePage(codePage);
    for (int byte = 0x00; byte <= 0x3F; ++byte)
        QCOMPARE(table[byte], cp37ToUnicode[byte]);

    // The standard EBCDIC control mapping.
    QCOMPARE(table[0x00], ushort(0x0000));
    QCOMPARE(table[0x05], ushort(0x0009));
    QCOMPARE(table[0x15], ushort(0x0085));
    QCOMPARE(table[0x25], ushort(0x000A));
    QCOMPARE(table[0x3F], ushort(0x001A));
    QCOMPARE(table[0xFF], ushort(0x009F));

    QCOMPARE(table[0x40], ushort(0x0020));
    QCOMPARE(table[0x60], ushort(0x002D));
    QCOMPARE(table[0x6F], ushort(0x003F));
    QCOMPARE(table[0x7D], ushort(0x0027));
    QCOMPARE(table[0x7F], ushort(0x0022));
}

void TestEbcdicCodec::tellingRows_data()
{
    QTest::addColumn<int>("codePage");
    QTest::addColumn<QList<int>>("expected"); // at 0x4A 0x4F 0x5A 0x5B 0x5F 0x7B 0x7C 0xE0

    QTest::newRow("37 US/Canada") << 37
        << (QList<int>() << 0x00A2 << 0x007C << 0x0021 << 0x0024 << 0x00AC << 0x0023 << 0x0040 << 0x005C);
    QTest::newRow("273 Germany/Austria") << 273
        << (QList<int>() << 0x00C4 << 0x0021 << 0x00DC << 0x0024 << 0x005E << 0x0023 << 0x00A7 << 0x00D6);
    QTest::newRow("277 Denmark/Norway") << 277
        << (QList<int>() << 0x0023 << 0x0021 << 0x00A4 << 0x00C5 << 0x005E << 0x00C6 << 0x00D8 << 0x005C);
    QTest::newRow("278 Finland/Sweden") << 278
        << (QList<int>() << 0x00A7 << 0x0021 << 0x00A4 << 0x00C5 << 0x005E << 0x00C4 << 0x00D6 << 0x005C);
    QTest::newRow("280 Italy") << 280
        << (QList<int>() << 0x00B0 << 0x0021 << 0x00E9 << 0x0024 << 0x005E << 0x00A3 << 0x00A7 << 0x00E7);
    QTest::newRow("284 Spain/Latin America") << 284
        << (QList<int>() << 0x005B << 0x007C << 0x005D << 0x0024 << 0x00AC << 0x00D1 << 0x0040 << 0x005C);
    QTest::newRow("285 United Kingdom") << 285
        << (QList<int>() << 0x0024 << 0x007C << 0x0021 << 0x00A3 << 0x00AC << 0x0023 << 0x0040 << 0x005C);
    QTest::newRow("297 France") << 297
        << (QList<int>() << 0x00B0 << 0x0021 << 0x00A7 << 0x0024 << 0x005E << 0x00A3 << 0x00E0 << 0x00E7);
    QTest::newRow("500 International") << 500
        << (QList<int>() << 0x005B << 0x0021 << 0x005D << 0x0024 << 0x005E << 0x0023 << 0x0040 << 0x005C);
    QTest::newRow("870 Central Europe") << 870
        << (QList<int>() << 0x005B << 0x0021 << 0x005D << 0x0024 << 0x005E << 0x0023 << 0x0040 << 0x005C);
    QTest::newRow("871 Iceland") << 871
        << (QList<int>() << 0x00FE << 0x0021 << 0x00C6 << 0x0024 << 0x00D6 << 0x0023 << 0x00D0 << 0x00B4);
}

void TestEbcdicCodec::tellingRows()
{
    QFETCH(int, codePage);
    QFETCH(QList<int>, expected);
    EbcdicCodec::setCodePage(codePage);

    const QString decoded = EbcdicCodec::decode(QByteArray::fromHex("4a4f5a5b5f7b7ce0"));
    QList<int> actual;
    for (const QChar c : decoded)
        actual.append(c.unicode());
    QCOMPARE(actual, expected);
}

void TestEbcdicCodec::charactersBeyondLatin1_data()
{
    QTest::addColumn<int>("codePage");
    QTest::addColumn<int>("beyondLatin1");

    const QList<int> pages = EbcdicCodec::supportedCodePages();
    for (int page : pages) {
        const int count = page == 870 ? 56 : page == 285 ? 1 : 0;
        QTest::newRow(qPrintable(QStringLiteral("code page %1").arg(page))) << page << count;
    }
}

void TestEbcdicCodec::charactersBeyondLatin1()
{
    QFETCH(int, codePage);
    QFETCH(int, beyondLatin1);
    const ushort *table = EbcdicCodec::tableForCodePage(codePage);
    int count = 0;
    for (int byte = 0; byte < 256; ++byte) {
        if (table[byte] > 0x00FF)
            ++count;
    }
    QCOMPARE(count, beyondLatin1);

    if (codePage == 285)
        QCOMPARE(table[0xA1], ushort(0x203E)); // overline
    if (codePage == 870) {
        QCOMPARE(table[0x44], ushort(0x0163));
        QCOMPARE(table[0x64], ushort(0x02DD));
    }
    if (codePage == 273)
        QCOMPARE(table[0xBC], ushort(0x00AF)); // macron, not the overline
}

void TestEbcdicCodec::decodeByte_data()
{
    QTest::addColumn<int>("codePage");
    QTest::addColumn<uchar>("byte");
    QTest::addColumn<int>("expected");

    QTest::newRow("space under 37") << 37 << uchar(0x40) << 0x0020;
    QTest::newRow("letter A under 37") << 37 << uchar(0xC1) << 0x0041;
    QTest::newRow("NEL control under 37") << 37 << uchar(0x15) << 0x0085;
    QTest::newRow("attribute byte decodes as its control") << 37 << uchar(0x20) << 0x0080;
}

void TestEbcdicCodec::decodeByte()
{
    QFETCH(int, codePage);
    QFETCH(uchar, byte);
    QFETCH(int, expected);
    EbcdicCodec::setCodePage(codePage);
    QCOMPARE(int(EbcdicCodec::decodeByte(byte).unicode()), expected);
}

void TestEbcdicCodec::encodeChar_data()
{
    QTest::addColumn<int>("codePage");
    QTest::addColumn<int>("character");
    QTest::addColumn<uchar>("expected");
    QTest::addColumn<bool>("ok");

    struct Substitute
    {
        int character;
        uchar byte;
        const char *name;
    };
    const Substitute substitutes[] = {
        { 0x2018, 0x7D, "left single quote" },
        { 0x2019, 0x7D, "right single quote" },
        { 0x201C, 0x7F, "left double quote" },
        { 0x201D, 0x7F, "right double quote" },
        { 0x2013, 0x60, "en dash" },
        { 0x2014, 0x60, "em dash" },
    };
    const QList<int> pages = EbcdicCodec::supportedCodePages();
    for (int page : pages) {
        for (const Substitute &s : substitutes) {
            QTest::newRow(qPrintable(QStringLiteral("%1 under %2").arg(QLatin1String(s.name)).arg(page)))
                << page << s.character << s.byte << true;
        }
        QTest::newRow(qPrintable(QStringLiteral("euro sign under %1").arg(page)))
            << page << 0x20AC << uchar(0x6F) << false;
    }

    QTest::newRow("A umlaut under 273") << 273 << 0x00C4 << uchar(0x4A) << true;
    QTest::newRow("A umlaut under 37") << 37 << 0x00C4 << uchar(0x63) << true;
    QTest::newRow("question mark itself is representable") << 37 << 0x003F << uchar(0x6F) << true;
    QTest::newRow("null character") << 37 << 0x0000 << uchar(0x00) << true;
    QTest::newRow("CJK ideograph") << 37 << 0x4E00 << uchar(0x6F) << false;
    QTest::newRow("overline under 285") << 285 << 0x203E << uchar(0xA1) << true;
    QTest::newRow("overline under 273") << 273 << 0x203E << uchar(0x6F) << false;
    QTest::newRow("double acute under 870") << 870 << 0x02DD << uchar(0x64) << true;
}

void TestEbcdicCodec::encodeChar()
{
    QFETCH(int, codePage);
    QFETCH(int, character);
    QFETCH(uchar, expected);
    QFETCH(bool, ok);
    EbcdicCodec::setCodePage(codePage);

    bool actualOk = !ok;
    QCOMPARE(EbcdicCodec::encodeChar(QChar(character), &actualOk), expected);
    QCOMPARE(actualOk, ok);
    QCOMPARE(EbcdicCodec::encodeChar(QChar(character)), expected);
}

void TestEbcdicCodec::encode_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<bool>("ok");

    QTest::newRow("empty text") << QString() << QByteArray() << true;
    QTest::newRow("plain text") << QStringLiteral("SIGN ON") << QByteArray::fromHex("e2c9c7d540d6d5") << true;
    QTest::newRow("typographic quotes and dash")
        << QString::fromUtf8("\xe2\x80\x98" "a" "\xe2\x80\x99" "\xe2\x80\x94")
        << QByteArray::fromHex("7d817d60") << true;
    QTest::newRow("one unrepresentable character")
        << QString::fromUtf8("A\xe2\x82\xac" "B") << QByteArray::fromHex("c16fc2") << false;
    QTest::newRow("character outside the BMP is two units")
        << QString::fromUtf8("x\xf0\x9f\x98\x80") << QByteArray::fromHex("a76f6f") << false;
}

void TestEbcdicCodec::encode()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, expected);
    QFETCH(bool, ok);

    bool actualOk = !ok;
    const QByteArray bytes = EbcdicCodec::encode(text, &actualOk);
    QCOMPARE(bytes, expected);
    QCOMPARE(actualOk, ok);
    QCOMPARE(EbcdicCodec::encode(text), expected);
}

void TestEbcdicCodec::supportedCodePagesAndLabels()
{
    const QList<int> expectedPages = QList<int>()
        << 37 << 273 << 277 << 278 << 280 << 284 << 285 << 297 << 500 << 870 << 871;
    QCOMPARE(EbcdicCodec::supportedCodePages(), expectedPages);

    const QStringList expectedLabels = QString::fromUtf8(
        "37 — US/Canada|273 — Germany/Austria|277 — Denmark/Norway|278 — Finland/Sweden|"
        "280 — Italy|284 — Spain/Latin America|285 — United Kingdom|297 — France|"
        "500 — International|870 — Central Europe|871 — Iceland").split(QLatin1Char('|'));
    QStringList labels;
    for (int page : expectedPages)
        labels.append(EbcdicCodec::codePageLabel(page));
    QCOMPARE(labels, expectedLabels);
}

void TestEbcdicCodec::unsupportedCodePageFallsBackTo37_data()
{
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("requested");

    QTest::newRow("1140 from 273") << 273 << 1140;
    QTest::newRow("1140 from 37") << 37 << 1140;
    QTest::newRow("zero from 870") << 870 << 0;
    QTest::newRow("negative from 285") << 285 << -1;
}

void TestEbcdicCodec::unsupportedCodePageFallsBackTo37()
{
    QFETCH(int, before);
    QFETCH(int, requested);
    EbcdicCodec::setCodePage(before);
    QCOMPARE(EbcdicCodec::codePage(), before);

    EbcdicCodec::setCodePage(requested);
    QCOMPARE(EbcdicCodec::codePage(), 37);
    QCOMPARE(EbcdicCodec::codePageLabel(requested), QString::fromUtf8("37 — US/Canada"));
    QVERIFY(EbcdicCodec::tableForCodePage(requested) == cp37ToUnicode);
}

void TestEbcdicCodec::isDisplayAttribute_data()
{
    QTest::addColumn<uchar>("byte");
    QTest::addColumn<bool>("attribute");

    QTest::newRow("0x1F below the range") << uchar(0x1F) << false;
    QTest::newRow("0x20 first attribute") << uchar(0x20) << true;
    QTest::newRow("0x3F last attribute") << uchar(0x3F) << true;
    QTest::newRow("0x40 space above the range") << uchar(0x40) << false;
    QTest::newRow("0xA0 shares the low bits") << uchar(0xA0) << false;
}

void TestEbcdicCodec::isDisplayAttribute()
{
    QFETCH(uchar, byte);
    QFETCH(bool, attribute);
    QCOMPARE(EbcdicCodec::isDisplayAttribute(byte), attribute);
}

QTEST_GUILESS_MAIN(TestEbcdicCodec)

#include "tst_ebcdiccodec.moc"
