#include "codec/ebcdiccodec.h"

// Conversion between the host's single-byte EBCDIC and Unicode. Cells are
// decoded here for every paint, so decoding is one lookup in the forward
// table; encoding is only needed for typed, pasted and short protocol texts,
// so it searches the same table instead of keeping a reverse one.

namespace {

struct CodePage
{
    int number;
    const char *region;
    const ushort *table;
};

// The order here is the order offered to the user.
const CodePage CODE_PAGES[] = {
    { 37, "US/Canada", cp37ToUnicode },
    { 273, "Germany/Austria", cp273ToUnicode },
    { 277, "Denmark/Norway", cp277ToUnicode },
    { 278, "Finland/Sweden", cp278ToUnicode },
    { 280, "Italy", cp280ToUnicode },
    { 284, "Spain/Latin America", cp284ToUnicode },
    { 285, "United Kingdom", cp285ToUnicode },
    { 297, "France", cp297ToUnicode },
    { 500, "International", cp500ToUnicode },
    { 870, "Central Europe", cp870ToUnicode },
    { 871, "Iceland", cp871ToUnicode },
};

// Unknown numbers (from an old or edited settings file) fall back to this.
const CodePage &DEFAULT_CODE_PAGE = CODE_PAGES[0];

// '?' sits at 0x6F in every supported page; used should a table lack it.
const unsigned char QUESTION_MARK_BYTE = 0x6F;

int s_codePage = 37;
// The current page's table, so that decoding a byte is one lookup; and the
// table of shown characters, rebuilt when the page has changed.
const ushort *s_table = cp37ToUnicode;
ushort s_shown[256];
int s_shownCodePage = 0;

const CodePage &findCodePage(int number)
{
    for (const CodePage &page : CODE_PAGES) {
        if (page.number == number)
            return page;
    }
    return DEFAULT_CODE_PAGE;
}

bool findInTable(const ushort *table, ushort unit, unsigned char *byte)
{
    for (int position = 0; position < 256; ++position) {
        if (table[position] == unit) {
            *byte = static_cast<unsigned char>(position);
            return true;
        }
    }
    return false;
}

// Phones and pasted text bring typographic quotes and dashes that no EBCDIC
// page here carries; their plain ASCII forms are in every one of them.
bool typographicSubstitute(ushort unit, ushort *substitute)
{
    switch (unit) {
    case 0x2018: // left single quotation mark
    case 0x2019: // right single quotation mark
        *substitute = 0x0027;
        return true;
    case 0x201C: // left double quotation mark
    case 0x201D: // right double quotation mark
        *substitute = 0x0022;
        return true;
    case 0x2013: // en dash
    case 0x2014: // em dash
        *substitute = 0x002D;
        return true;
    default:
        return false;
    }
}

} // namespace

QList<int> EbcdicCodec::supportedCodePages()
{
    QList<int> numbers;
    for (const CodePage &page : CODE_PAGES)
        numbers.append(page.number);
    return numbers;
}

QString EbcdicCodec::codePageLabel(int codePage)
{
    const CodePage &page = findCodePage(codePage);
    return QString::number(page.number) + QStringLiteral(" \u2014 ")
        + QLatin1String(page.region);
}

int EbcdicCodec::codePage()
{
    return s_codePage;
}

void EbcdicCodec::setCodePage(int codePage)
{
    const CodePage &page = findCodePage(codePage);
    s_codePage = page.number;
    s_table = page.table;
}

const ushort *EbcdicCodec::tableForCodePage(int codePage)
{
    return findCodePage(codePage).table;
}

const ushort *EbcdicCodec::shownTable()
{
    if (s_shownCodePage != s_codePage) {
        for (int byte = 0; byte < 256; ++byte) {
            const QChar character(s_table[byte]);
            const bool blank = byte == 0 || isDisplayAttribute(static_cast<unsigned char>(byte))
                || character.category() == QChar::Other_Control;
            s_shown[byte] = blank ? ushort(0x0020) : character.unicode();
        }
        s_shownCodePage = s_codePage;
    }
    return s_shown;
}

QChar EbcdicCodec::decodeByte(unsigned char byte)
{
    return QChar(s_table[byte]);
}

QString EbcdicCodec::decode(const QByteArray &bytes)
{
    const ushort *table = s_table;
    QString text;
    text.reserve(bytes.size());
    for (int i = 0; i < bytes.size(); ++i)
        text.append(QChar(table[static_cast<unsigned char>(bytes.at(i))]));
    return text;
}

unsigned char EbcdicCodec::encodeChar(QChar character, bool *ok)
{
    const ushort *table = s_table;
    unsigned char byte = 0;
    bool found = findInTable(table, character.unicode(), &byte);
    if (!found) {
        ushort substitute = 0;
        found = typographicSubstitute(character.unicode(), &substitute)
            && findInTable(table, substitute, &byte);
    }
    if (!found && !findInTable(table, 0x003F, &byte))
        byte = QUESTION_MARK_BYTE;
    if (ok)
        *ok = found;
    return byte;
}

QByteArray EbcdicCodec::encode(const QString &text, bool *ok)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    bool allFound = true;
    for (int i = 0; i < text.size(); ++i) {
        bool found = false;
        bytes.append(static_cast<char>(encodeChar(text.at(i), &found)));
        allFound = allFound && found;
    }
    if (ok)
        *ok = allFound;
    return bytes;
}
