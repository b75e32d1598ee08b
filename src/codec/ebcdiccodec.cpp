// PROVISIONAL STUB
#include "codec/ebcdiccodec.h"
QList<int> EbcdicCodec::supportedCodePages() { return QList<int>() << 37; }
QString EbcdicCodec::codePageLabel(int) { return QString(); }
int EbcdicCodec::codePage() { return 37; }
void EbcdicCodec::setCodePage(int) {}
const ushort *EbcdicCodec::tableForCodePage(int) { static ushort t[256]; return t; }
QChar EbcdicCodec::decodeByte(unsigned char) { return QChar(); }
QString EbcdicCodec::decode(const QByteArray &) { return QString(); }
unsigned char EbcdicCodec::encodeChar(QChar, bool *ok) { if (ok) *ok = false; return 0x6F; }
QByteArray EbcdicCodec::encode(const QString &, bool *ok) { if (ok) *ok = false; return QByteArray(); }
