#include "hostcodec.h"

#include "codec/ebcdiccodec.h"

namespace {

const unsigned char EBCDIC_QUESTION_MARK = 0x6F;

} // namespace

HostCodec::HostCodec(int codePage)
    : m_codePage(EbcdicCodec::supportedCodePages().contains(codePage) ? codePage : 37)
    , m_table(EbcdicCodec::tableForCodePage(m_codePage))
{
}

QByteArray HostCodec::encode(const QString &text) const
{
    QByteArray out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const ushort unicode = text.at(i).unicode();
        unsigned char byte = EBCDIC_QUESTION_MARK;
        // Bytes below 0x40 are controls and attributes, never text.
        for (int candidate = 0x40; candidate < 256; ++candidate) {
            if (m_table[candidate] == unicode) {
                byte = static_cast<unsigned char>(candidate);
                break;
            }
        }
        out.append(char(byte));
    }
    return out;
}

QString HostCodec::decode(const QByteArray &bytes) const
{
    QString text;
    text.reserve(bytes.size());
    for (int i = 0; i < bytes.size(); ++i) {
        const unsigned char byte = static_cast<unsigned char>(bytes.at(i));
        // Nulls are unused positions; shown as blanks like the terminal does.
        text.append(byte == 0x00 ? QChar(QLatin1Char(' ')) : QChar(m_table[byte]));
    }
    return text;
}
