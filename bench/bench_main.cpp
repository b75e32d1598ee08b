// Entry point of vantorel-bench: runs every benchmark, or only those named
// on the command line ("vantorel-bench render").
#include <QByteArray>
#include <QFile>
#include <QGuiApplication>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdio>

#include "benchmarks.h"

namespace {

struct Benchmark
{
    const char *name;
    int (*run)();
};

const Benchmark BENCHMARKS[] = {
    {"render", benchRender},
    {"protocol", benchProtocol},
    {"page", benchPage},
    {"hostile", benchHostile},
};

} // namespace

int main(int argc, char *argv[])
{
    // Painting needs a GUI application but no display; and the client the
    // benchmarks create must not read or repair the user's real settings.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir configHome;
    if (!configHome.isValid()) {
        std::fprintf(stderr, "vantorel-bench: cannot create a temporary settings directory\n");
        return 1;
    }
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome.path()));

    QGuiApplication app(argc, argv);
    const QStringList wanted = app.arguments().mid(1);

    int failures = 0;
    int ran = 0;
    for (const Benchmark &benchmark : BENCHMARKS) {
        const QString name = QLatin1String(benchmark.name);
        if (!wanted.isEmpty() && !wanted.contains(name))
            continue;
        std::printf("== %s\n", benchmark.name);
        std::fflush(stdout);
        ++ran;
        if (benchmark.run() != 0)
            ++failures;
    }
    if (ran == 0) {
        std::fprintf(stderr, "vantorel-bench: no benchmark named %s; available:",
                     qPrintable(wanted.join(QLatin1Char(' '))));
        for (const Benchmark &benchmark : BENCHMARKS)
            std::fprintf(stderr, " %s", benchmark.name);
        std::fprintf(stderr, "\n");
        return 2;
    }
    return failures == 0 ? 0 : 1;
}
