// Entry point of vantorel-bench: runs every benchmark, or only those named
// on the command line ("vantorel-bench render views"), then prints one table.
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
    int (*run)(BenchTable &table);
};

const Benchmark BENCHMARKS[] = {
    {"render", benchRender},
    {"protocol", benchProtocol},
    {"views", benchViews},
    {"page", benchPage},
    {"startup", benchStartup},
    {"hostile", benchHostile},
};

const char CHILD_OPTION[] = "--startup-child";

} // namespace

int main(int argc, char *argv[])
{
    // The start-up benchmark runs this program again to show one window.
    if (argc == 3 && qstrcmp(argv[1], CHILD_OPTION) == 0) {
        QGuiApplication app(argc, argv);
        return startupChild(QString::fromLocal8Bit(argv[2]));
    }

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

    BenchTable table;
    int failures = 0;
    int ran = 0;
    for (const Benchmark &benchmark : BENCHMARKS) {
        const QString name = QLatin1String(benchmark.name);
        if (!wanted.isEmpty() && !wanted.contains(name))
            continue;
        std::fprintf(stderr, "vantorel-bench: %s\n", benchmark.name);
        ++ran;
        if (benchmark.run(table) != 0)
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
    table.print();
    return failures == 0 ? 0 : 1;
}
