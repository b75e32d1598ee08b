// What the desktop page costs: host records fed through processTelnetBytes
// with the page loaded (its bindings, the field and hot-spot models, the
// operator line; the protocol log hidden or shown) against the bare client;
// and Enter on the sign-on screen until the bytes are readable at a real
// host on 127.0.0.1, with the page against the bare client. The page is
// created without a window: this measures the bindings and text layout,
// not painting.
#include <QByteArray>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QScopedPointer>
#include <QUrl>

#include <cstdio>

#include "app/tn5250client.h"
#include "benchmarks.h"
#include "benchscreens.h"
#include "demohost.h"
#include "view/qmltypes.h"

namespace {

const int RECORDS = 100;
const int LOG_LINES = 400;
const int ENTERS = 20;
const qint64 PATIENCE_MS = 10000;

// Runs the event loop until `done` holds; false when it never did.
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

class Page
{
public:
    explicit Page(Tn5250Client &client)
    {
        m_engine.rootContext()->setContextProperty(QStringLiteral("tnClient"), &client);
        QQmlComponent component(&m_engine, QUrl::fromLocalFile(QStringLiteral(VANTOREL_SOURCE_DIR "/qml/harbour-vantorel.qml")));
        m_page.reset(component.create());
        if (!m_page)
            std::fprintf(stderr, "page: %s\n", qPrintable(component.errorString()));
    }
    QObject *page() const { return m_page.data(); }

private:
    QQmlEngine m_engine;
    QScopedPointer<QObject> m_page;
};

Sample feedRecords(Tn5250Client &client, const QByteArray &record)
{
    return timedCalls([&client, record]() {
        client.processTelnetBytes(record);
        // As between two reads from the socket: timers and posted events run.
        QCoreApplication::processEvents();
    });
}

bool recordRows(BenchTable &table)
{
    const QByteArray record = putGetRecord(wideScreenData(0));
    Tn5250Client bare;
    Tn5250Client paged;
    // Every record adds its lines to the protocol log; enough of them fill
    // it to the point where it is cut, as in a long session.
    for (int i = 0; i < LOG_LINES; ++i) {
        bare.processTelnetBytes(record);
        paged.processTelnetBytes(record);
    }
    Page page(paged);
    if (!page.page())
        return false;
    if (paged.terminalText() != bare.terminalText() || paged.rxRecordCount() != bare.rxRecordCount()) {
        std::fprintf(stderr, "page: the clients disagree about the screen\n");
        return false;
    }
    for (int shown = 0; shown < 2; ++shown) {
        page.page()->setProperty("showLog", bool(shown));
        BenchRow row;
        row.path = QStringLiteral("27x132 host record with the page, protocol log %1 (%2 characters)")
                       .arg(shown ? QStringLiteral("shown") : QStringLiteral("hidden"))
                       .arg(paged.diagnostics().size());
        row.baselineName = QStringLiteral("bare client");
        row.check = QStringLiteral("screen text, record count");
        measurePair(RECORDS, feedRecords(paged, record), feedRecords(bare, record), &row.now, &row.baseline);
        table.add(row);
    }
    return paged.rxRecordCount() == bare.rxRecordCount();
}

// A client signed on to nothing yet: connected to its own host and showing
// the sign-on screen with the keyboard open.
struct Session
{
    DemoHost host;
    Tn5250Client client;
    int responses = 0;

    bool start()
    {
        // Empty user fields never sign on, so Enter brings the sign-on
        // screen back every time.
        if (!host.listen() || !host.setAccount(QStringLiteral("BENCH"), QStringLiteral("bench1")))
            return false;
        QObject::connect(&host, &DemoHost::responseReceived, [this]() { ++responses; });
        client.setHost(QStringLiteral("127.0.0.1"));
        client.setPort(host.serverPort());
        client.setTlsEnabled(false);
        client.setAutoReconnect(false);
        client.connectToHost();
        return spinUntil([this]() { return !client.keyboardLocked() && host.currentScreen() == QLatin1String("signon"); });
    }

    Sample enters()
    {
        return [this](int iterations) {
            qint64 total = 0;
            for (int i = 0; i < iterations; ++i) {
                if (!spinUntil([this]() { return !client.keyboardLocked(); }))
                    return qint64(-1);
                const int before = responses;
                QElapsedTimer timer;
                timer.start();
                client.sendEnter();
                if (!spinUntil([this, before]() { return responses > before; }))
                    return qint64(-1);
                total += timer.nsecsElapsed();
            }
            return total;
        };
    }
};

bool sameResponse(const ReadResponse &a, const ReadResponse &b)
{
    if (!a.valid || !b.valid || a.aid != b.aid || a.cursorRow != b.cursorRow || a.cursorColumn != b.cursorColumn
        || a.fields.size() != b.fields.size() || a.screen != b.screen)
        return false;
    for (int i = 0; i < a.fields.size(); ++i) {
        if (a.fields.at(i).data != b.fields.at(i).data || a.fields.at(i).row != b.fields.at(i).row
            || a.fields.at(i).column != b.fields.at(i).column)
            return false;
    }
    return true;
}

bool enterRow(BenchTable &table)
{
    Session bare;
    Session paged;
    if (!bare.start() || !paged.start()) {
        std::fprintf(stderr, "page: the demo host's sign-on screen did not come up\n");
        return false;
    }
    Page page(paged.client);
    if (!page.page())
        return false;
    const Sample withPage = paged.enters();
    const Sample withoutPage = bare.enters();
    if (withPage(1) < 0 || withoutPage(1) < 0 || !sameResponse(paged.host.lastResponse(), bare.host.lastResponse())) {
        std::fprintf(stderr, "page: the host did not read the same Enter from both clients\n");
        return false;
    }
    BenchRow row;
    row.path = QStringLiteral("Enter on the sign-on screen → bytes readable at the host (127.0.0.1), inside the page");
    row.unit = QStringLiteral("ms");
    row.baselineName = QStringLiteral("bare client");
    row.check = QStringLiteral("the host's reading of the response");
    row.goal = QStringLiteral("≤ 3");
    measurePair(ENTERS, withPage, withoutPage, &row.now, &row.baseline);
    table.add(row);
    return row.now.min >= 0 && row.baseline.min >= 0;
}

} // namespace

int benchPage(BenchTable &table)
{
    registerQmlTypes();
    const bool records = recordRows(table);
    const bool enter = enterRow(table);
    return records && enter ? 0 : 1;
}
