#include "hexfixture.h"

#include <QFile>
#include <QtTest>

#include "codec/ebcdiccodec.h"

namespace HexFixture {

QString dataPath(const QString &name)
{
    return QStringLiteral(VANTOREL_TEST_DATA_DIR) + QLatin1Char('/') + name;
}

QByteArray parse(const QString &text, QString *error)
{
    QByteArray out;
    const int previousCodePage = EbcdicCodec::codePage();
    EbcdicCodec::setCodePage(37);
    int i = 0;
    const int n = text.size();
    int line = 1;
    while (i < n) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\n')) {
            ++line;
            ++i;
        } else if (c.isSpace()) {
            ++i;
        } else if (c == QLatin1Char('#')) {
            while (i < n && text.at(i) != QLatin1Char('\n'))
                ++i;
        } else if (c == QLatin1Char('"')) {
            const int close = text.indexOf(QLatin1Char('"'), i + 1);
            if (close < 0) {
                if (error)
                    *error = QStringLiteral("line %1: unclosed quote").arg(line);
                break;
            }
            out += EbcdicCodec::encode(text.mid(i + 1, close - i - 1));
            i = close + 1;
        } else {
            bool ok = false;
            const uint value = text.mid(i, 2).toUInt(&ok, 16);
            if (!ok || i + 1 >= n) {
                if (error)
                    *error = QStringLiteral("line %1: bad hex byte '%2'").arg(line).arg(text.mid(i, 2));
                break;
            }
            out.append(char(value));
            i += 2;
        }
    }
    EbcdicCodec::setCodePage(previousCodePage);
    return out;
}

QByteArray load(const QString &name)
{
    QFile file(dataPath(name));
    if (!file.open(QIODevice::ReadOnly)) {
        QTest::qFail(qPrintable(QStringLiteral("cannot open fixture %1").arg(file.fileName())),
                     __FILE__, __LINE__);
        return QByteArray();
    }
    QString error;
    const QByteArray bytes = parse(QString::fromUtf8(file.readAll()), &error);
    if (!error.isEmpty())
        QTest::qFail(qPrintable(name + QStringLiteral(": ") + error), __FILE__, __LINE__);
    return bytes;
}

} // namespace HexFixture
