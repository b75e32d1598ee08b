#ifndef VANTOREL_EBCDICCODEC_H
#define VANTOREL_EBCDICCODEC_H

#include <QByteArray>
#include <QChar>
#include <QList>
#include <QString>

// The host speaks single-byte EBCDIC; the screen, the keyboard and the
// interface speak Unicode. Every cell the view paints is decoded here and
// every character the operator types is encoded here, through the one code
// page that the client selects for the whole process.
//
// The tables are exactly the IBM CCSID mappings as glibc's iconv carries them
// (see tools/gen_codepages.py, which wrote codepagetables.cpp). Each is a
// bijection over all 256 bytes, so decode followed by encode is lossless.
class EbcdicCodec
{
public:
    EbcdicCodec() = delete;

    static QList<int> supportedCodePages();
    static QString codePageLabel(int codePage);

    static int codePage();
    static void setCodePage(int codePage);

    // 256 UTF-16 code units indexed by the EBCDIC byte.
    static const ushort *tableForCodePage(int codePage);

    // What a cell holding each byte shows under the current code page: the
    // character, or a blank for nulls, attribute bytes and EBCDIC controls.
    static const ushort *shownTable();

    static QChar decodeByte(unsigned char byte);
    static QString decode(const QByteArray &bytes);

    static unsigned char encodeChar(QChar character, bool *ok = nullptr);
    static QByteArray encode(const QString &text, bool *ok = nullptr);

    // 0x20..0x3F: a 5250 display attribute byte, whatever the code page.
    static bool isDisplayAttribute(unsigned char byte)
    {
        return (byte & 0xE0) == 0x20;
    }
};

// The generated tables (codepagetables.cpp).
extern const ushort cp37ToUnicode[256];
extern const ushort cp273ToUnicode[256];
extern const ushort cp277ToUnicode[256];
extern const ushort cp278ToUnicode[256];
extern const ushort cp280ToUnicode[256];
extern const ushort cp284ToUnicode[256];
extern const ushort cp285ToUnicode[256];
extern const ushort cp297ToUnicode[256];
extern const ushort cp500ToUnicode[256];
extern const ushort cp870ToUnicode[256];
extern const ushort cp871ToUnicode[256];

#endif
