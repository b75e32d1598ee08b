// Start to first frame and resident memory: this program started again as
// a child that shows either the page (connected to a demo host in the same
// process and signed on) or an empty QML window, with the software Qt Quick
// renderer, and reports back. Start-up is timed from starting the child to
// its "first frame" line; memory is the child's VmRSS once it is done. It
// needs a display (run under xvfb-run); without one the rows are skipped.
#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickView>
#include <QQuickWindow>
#include <QScopedPointer>
#include <QUrl>
#include <QVector>

#include <algorithm>

#include <cstdio>

#include "app/tn5250client.h"
#include "benchmarks.h"
#include "demohost.h"
#include "view/qmltypes.h"

namespace {

const int STARTS = 5;
const qint64 PATIENCE_MS = 20000;

double residentMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return -1;
}

template <typename Condition>
bool spinUntil(Condition done)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > PATIENCE_MS)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

// One child run: milliseconds to the first frame and megabytes resident.
bool runChild(const QString &what, const QString &backend, double *milliseconds, double *megabytes)
{
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    if (backend.isEmpty())
        environment.remove(QStringLiteral("QT_QUICK_BACKEND"));
    else
        environment.insert(QStringLiteral("QT_QUICK_BACKEND"), backend);
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer timer;
    timer.start();
    child.start(QCoreApplication::applicationFilePath(), QStringList() << QStringLiteral("--startup-child") << what);
    *milliseconds = -1;
    *megabytes = -1;
    QByteArray output;
    while (child.waitForReadyRead(int(PATIENCE_MS))) {
        output += child.readAll();
        if (*milliseconds < 0 && output.contains("first frame"))
            *milliseconds = timer.nsecsElapsed() / 1.0e6;
        if (output.contains("\n") && output.contains("resident "))
            break;
    }
    child.waitForFinished(int(PATIENCE_MS));
    output += child.readAll();
    const int at = output.indexOf("resident ");
    if (at >= 0)
        *megabytes = output.mid(at + 9).split('\n').value(0).toDouble();
    return child.exitCode() == 0 && *milliseconds > 0 && *megabytes > 0;
}

Timing summary(QVector<double> values)
{
    std::sort(values.begin(), values.end());
    Timing timing;
    timing.min = values.first();
    timing.median = values.at(values.size() / 2);
    timing.max = values.last();
    return timing;
}

bool measure(const QString &what, const QString &backend, QVector<double> *ms, QVector<double> *mb)
{
    double milliseconds = 0;
    double megabytes = 0;
    if (!runChild(what, backend, &milliseconds, &megabytes)) {
        std::fprintf(stderr, "startup: the %s child did not report\n", qPrintable(what));
        return false;
    }
    ms->append(milliseconds * 1.0e6); // the table takes nanoseconds
    mb->append(megabytes);
    return true;
}

} // namespace

int startupChild(const QString &what)
{
    registerQmlTypes();
    // The client outlives the view, whose bindings read it to the end.
    QScopedPointer<DemoHost> host;
    QScopedPointer<Tn5250Client> client;
    QQuickView view;
    bool framed = false;
    QObject::connect(&view, &QQuickWindow::frameSwapped, [&framed]() {
        if (!framed) {
            framed = true;
            std::printf("first frame\n");
            std::fflush(stdout);
        }
    });
    if (what == QLatin1String("page")) {
        host.reset(new DemoHost);
        client.reset(new Tn5250Client);
        if (!host->listen())
            return 1;
        client->setHost(QStringLiteral("127.0.0.1"));
        client->setPort(host->serverPort());
        client->setTlsEnabled(false);
        view.rootContext()->setContextProperty(QStringLiteral("tnClient"), client.data());
        view.setSource(QUrl::fromLocalFile(QStringLiteral(VANTOREL_SOURCE_DIR "/qml/harbour-vantorel.qml")));
    } else {
        view.setSource(QUrl(QStringLiteral("data:text/plain,import QtQuick 2.0; Rectangle { width: 800; height: 600 }")));
    }
    if (view.status() != QQuickView::Ready)
        return 1;
    view.resize(1400, 800);
    view.show();
    if (!spinUntil([&framed]() { return framed; }))
        return 1;
    if (client) {
        // Signed on: any user name does, the demo host has no account here.
        client->connectToHost();
        if (!spinUntil([&]() { return !client->keyboardLocked() && host->currentScreen() == QLatin1String("signon"); }))
            return 1;
        client->inputText(QStringLiteral("BENCH"));
        client->setCursorCell(7, 53);
        client->inputText(QStringLiteral("bench1"));
        client->sendEnter();
        if (!spinUntil([&]() { return host->currentScreen() == QLatin1String("mainmenu") && !client->keyboardLocked(); }))
            return 1;
        // Let the page lay out and draw the new screen.
        int seen = 0;
        QObject::connect(&view, &QQuickWindow::frameSwapped, [&seen]() { ++seen; });
        view.update();
        spinUntil([&seen]() { return seen >= 1; });
    }
    std::printf("resident %.1f\n", residentMegabytes());
    std::fflush(stdout);
    return 0;
}

int benchStartup(BenchTable &table)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::fprintf(stderr, "startup: no display; run under xvfb-run to measure start-up and memory\n");
        return 0;
    }
    QVector<double> pageMs, pageMb, emptyMs, emptyMb, glMs, glMb;
    for (int i = 0; i < STARTS; ++i) {
        if (!measure(QStringLiteral("page"), QStringLiteral("software"), &pageMs, &pageMb)
            || !measure(QStringLiteral("empty"), QStringLiteral("software"), &emptyMs, &emptyMb)
            || !measure(QStringLiteral("page"), QString(), &glMs, &glMb))
            return 1;
    }
    BenchRow start;
    start.path = QStringLiteral("start to first frame, software renderer");
    start.unit = QStringLiteral("ms");
    start.baselineName = QStringLiteral("empty QML window");
    start.check = QStringLiteral("–");
    start.goal = QStringLiteral("≤ 250 ms");
    start.now = summary(pageMs);
    start.baseline = summary(emptyMs);
    table.add(start);
    BenchRow memory;
    memory.path = QStringLiteral("resident memory after sign-on, software renderer");
    memory.unit = QStringLiteral("MB");
    memory.baselineName = QStringLiteral("empty QML window");
    memory.check = QStringLiteral("–");
    memory.goal = QStringLiteral("≤ 60 MB");
    memory.now = summary(pageMb);
    memory.baseline = summary(emptyMb);
    table.add(memory);
    BenchRow gl;
    gl.path = QStringLiteral("resident memory after sign-on, OpenGL renderer (Mesa under Xvfb)");
    gl.unit = QStringLiteral("MB");
    gl.baselineName = QStringLiteral("the same, software renderer");
    gl.check = QStringLiteral("–");
    gl.now = summary(glMb);
    gl.baseline = summary(pageMb);
    gl.extra = QStringLiteral("first frame %1 ms").arg(summary(glMs).median / 1.0e6, 0, 'f', 0);
    table.add(gl);
    return 0;
}
