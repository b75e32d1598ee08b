#include "protocolstreams.h"

#include <QRegularExpression>

#include "hexfixture.h"

namespace ProtocolStreams {

QByteArray hex(const char *text)
{
    return HexFixture::parse(QString::fromUtf8(text));
}

QByteArray record(quint8 opcode, const QByteArray &data, quint8 flags)
{
    const int length = data.size() + 10;
    QByteArray out;
    out.append(char((length >> 8) & 0xFF));
    out.append(char(length & 0xFF));
    out.append(char(0x12));
    out.append(char(0xA0));
    out.append(char(0x00));
    out.append(char(0x00));
    out.append(char(0x04));
    out.append(char(flags));
    out.append(char(0x00));
    out.append(char(opcode));
    out.append(data);
    return out;
}

QByteArray escaped(const QByteArray &bytes)
{
    QByteArray out;
    for (int i = 0; i < bytes.size(); ++i) {
        out.append(bytes.at(i));
        if (quint8(bytes.at(i)) == 0xFF)
            out.append(char(0xFF));
    }
    return out;
}

QByteArray telnetRecord(quint8 opcode, const QByteArray &data, quint8 flags)
{
    return telnetFramed(record(opcode, data, flags));
}

QByteArray telnetFramed(const QByteArray &record)
{
    QByteArray out = escaped(record);
    out.append(char(0xFF));
    out.append(char(0xEF));
    return out;
}

QStringList logLines(const QString &diagnostics)
{
    static const QRegularExpression stamp(QStringLiteral("^\\[\\d\\d:\\d\\d:\\d\\d\\] "));
    QStringList lines;
    const QStringList raw = diagnostics.split(QLatin1Char('\n'));
    for (QString line : raw) {
        if (!line.isEmpty())
            lines << line.remove(stamp);
    }
    return lines;
}

QStringList logLinesStartingWith(const QString &diagnostics, const QString &prefix)
{
    QStringList matching;
    const QStringList lines = logLines(diagnostics);
    for (const QString &line : lines) {
        if (line.startsWith(prefix))
            matching << line;
    }
    return matching;
}

} // namespace ProtocolStreams
