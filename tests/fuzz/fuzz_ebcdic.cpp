// The EBCDIC conversion both ways, in every code page: the bytes decode and
// encode back to themselves (each table is a bijection), and the same bytes
// read as UTF-16 text encode to bytes that decode to characters that encode
// to the same bytes again.
#include <QList>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "codec/ebcdiccodec.h"

namespace {

void fail(const char *what, int codePage)
{
    std::fprintf(stderr, "%s in code page %d\n", what, codePage);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    const QString text(reinterpret_cast<const QChar *>(data), int(size / 2));
    const int before = EbcdicCodec::codePage();
    const QList<int> codePages = EbcdicCodec::supportedCodePages();
    for (int codePage : codePages) {
        EbcdicCodec::setCodePage(codePage);
        bool ok = false;
        if (EbcdicCodec::encode(EbcdicCodec::decode(bytes), &ok) != bytes || !ok)
            fail("Bytes did not survive decode and encode", codePage);

        const QByteArray encoded = EbcdicCodec::encode(text, &ok);
        if (encoded.size() != text.size())
            fail("Encoding changed the length", codePage);
        const QString decoded = EbcdicCodec::decode(encoded);
        bool allKnown = true;
        for (int i = 0; i < text.size(); ++i) {
            bool known = false;
            const unsigned char byte = EbcdicCodec::encodeChar(text.at(i), &known);
            if (byte != quint8(encoded.at(i)))
                fail("encode and encodeChar disagree", codePage);
            // A character the code page has comes back as itself; one it
            // stands in for (a typographic quote, say) as its stand-in,
            // which encodes to the same byte again.
            if (known && EbcdicCodec::encodeChar(decoded.at(i)) != byte)
                fail("A character did not survive encode and decode", codePage);
            allKnown = allKnown && known;
        }
        if (ok != allKnown)
            fail("encode's ok flag does not match its characters", codePage);
    }
    EbcdicCodec::setCodePage(before);
    return 0;
}
