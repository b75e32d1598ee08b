// Writes the seed corpora of the fuzz targets into a folder, one subfolder
// per target, from the protocol's own material: the screens in tests/data
// as host records (in the step form fuzz_hostbytes.cpp reads), the settings
// files there, and a few macros and code-page texts.
//
//   vantorel-fuzz-seeds OUTPUT_DIR
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>

#include <cstdio>

#include "common/hexfixture.h"
#include "protocol/recordframer.h"

namespace {

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "vantorel-fuzz-seeds: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

// One step of fuzz_hostbytes: length, host bytes, operator action.
QByteArray step(const QByteArray &hostBytes, quint8 action)
{
    QByteArray bytes;
    bytes.append(char(hostBytes.size() >> 8)).append(char(hostBytes.size() & 0xFF));
    bytes.append(hostBytes).append(char(action));
    return bytes;
}

// What a host sends before its first screen (RFC 1205): the options and a
// request for the terminal type.
const char NEGOTIATION[] = "FFFD18 FFFB19 FFFD19 FFFB00 FFFD00 FFFA1801FFF0 FFFD27";

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: vantorel-fuzz-seeds OUTPUT_DIR\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    for (const char *target : {"hostbytes", "settings", "ebcdic", "macro"})
        out.mkpath(QLatin1String(target));
    bool ok = true;

    const QDir data(QStringLiteral(VANTOREL_TEST_DATA_DIR));
    const QByteArray negotiation = QByteArray::fromHex(QByteArray(NEGOTIATION).replace(' ', ""));
    QByteArray everyScreen = step(negotiation, 2);
    const QStringList fixtures = data.entryList(QStringList() << QStringLiteral("*.hex"), QDir::Files, QDir::Name);
    quint8 action = 0;
    for (const QString &name : fixtures) {
        QFile file(data.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        QString error;
        const QByteArray record = HexFixture::parse(QString::fromUtf8(file.readAll()), &error);
        if (!error.isEmpty()) {
            std::fprintf(stderr, "vantorel-fuzz-seeds: %s: %s\n", qPrintable(name), qPrintable(error));
            ok = false;
            continue;
        }
        const QByteArray wire = RecordFramer::wire(0x03, record, 0);
        const QString base = QFileInfo(name).completeBaseName();
        ok = writeFile(out.filePath(QStringLiteral("hostbytes/") + base), step(negotiation, 2) + step(wire, 0))
            && ok;
        everyScreen += step(wire, action++) + step(QByteArray(), 19);
    }
    ok = writeFile(out.filePath(QStringLiteral("hostbytes/every-screen")), everyScreen) && ok;

    const QDir settings(data.filePath(QStringLiteral("settings")));
    for (const QString &name : settings.entryList(QDir::Files, QDir::Name)) {
        QFile file(settings.filePath(name));
        ok = file.open(QIODevice::ReadOnly) && writeFile(out.filePath(QStringLiteral("settings/") + name), file.readAll())
            && ok;
    }

    // "SIGN ON" in code page 37, every byte once, and a text with
    // characters some code pages have and others lack.
    ok = writeFile(out.filePath(QStringLiteral("ebcdic/sign-on")), QByteArray::fromHex("E2C9C7D540D6D5")) && ok;
    QByteArray everyByte;
    for (int i = 0; i < 256; ++i)
        everyByte.append(char(i));
    ok = writeFile(out.filePath(QStringLiteral("ebcdic/every-byte")), everyByte) && ok;
    const QString mixed = QStringLiteral("Größe ¤ Æ ø ¬ | € ß");
    ok = writeFile(out.filePath(QStringLiteral("ebcdic/mixed-text")),
                   QByteArray(reinterpret_cast<const char *>(mixed.utf16()), mixed.size() * 2))
        && ok;

    const char *const macros[] = {
        "DEMO{TAB}demo5250{ENTER}", "{F3}{PA1}{FIELD-}{f24}", "{ home }x{END}{BS}{DEL}{NEWLINE}", "{unclosed",
        "{}{{}}{F25}{F0}{F0003}", "Ärger{FIELD+}{ERASEINPUT}{SYSREQ}{ATTN}{TESTREQ}{PRINT}",
    };
    int index = 0;
    for (const char *macro : macros)
        ok = writeFile(out.filePath(QStringLiteral("macro/%1").arg(++index)), QByteArray(macro)) && ok;
    return ok ? 0 : 1;
}
