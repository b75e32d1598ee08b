// What the page costs per host record: the same full 80-column screen fed
// through processTelnetBytes with no page, with the desktop page loaded
// (its bindings, the field and hot-spot models, the operator line) and the
// protocol log hidden, and with the log shown. The log is filled to its cap
// first, so that a shown log lays out its whole text on every line the
// protocol writes. The page is created without a window: this measures the
// bindings and text layout, not painting.
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
#include "protocol/recordframer.h"
#include "benchmarks.h"
#include "view/qmltypes.h"

namespace {

const int ROWS = 24;
const int COLUMNS = 80;
const int RECORDS = 300;
const int LOG_LINES = 400;

// A menu-like screen: text on every row, a command-line field and a legend
// of function keys, so that the field and hot-spot models have work.
QByteArray menuScreenData()
{
    QByteArray data;
    data.append(char(0x04)).append(char(0x40)).append(char(0x00)); // Clear Unit
    data.append(char(0x04)).append(char(0x11)).append(char(0x00)).append(char(0x08)); // WTD, unlock
    for (int row = 1; row <= ROWS - 3; ++row) {
        data.append(char(0x11)).append(char(row)).append(char(2));
        for (int column = 2; column < COLUMNS; ++column)
            data.append(char(column % 11 == 0 ? 0x40 : 0xC1 + (row + column) % 9));
    }
    data.append(char(0x11)).append(char(ROWS - 2)).append(char(1)).append(char(0x20));
    data.append(char(0x1D)).append(char(0x40)).append(char(0x00)).append(char(0x24));
    data.append(char(0x00)).append(char(70)).append(QByteArray(70, char(0x40))).append(char(0x20));
    // "F3=Exit   F12=Cancel" in code page 37.
    const QByteArray legend = QByteArray::fromHex("c6f37ec5a789a3404040c6f1f27ec381958385");
    data.append(char(0x11)).append(char(ROWS)).append(char(2)).append(legend);
    data.append(char(0x13)).append(char(ROWS - 2)).append(char(2)); // Insert Cursor
    return data;
}

QByteArray telnetRecord(const QByteArray &data)
{
    return RecordFramer::wire(0x03, data, 0x00);
}

// Microseconds per record; negative when the records did not all arrive.
double perRecord(Tn5250Client &client, const QByteArray &record)
{
    const int before = client.rxRecordCount();
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < RECORDS; ++i) {
        client.processTelnetBytes(record);
        // As between two reads from the socket: timers and posted events run.
        QCoreApplication::processEvents();
    }
    const qint64 elapsed = timer.nsecsElapsed();
    if (client.rxRecordCount() != before + RECORDS)
        return -1;
    return double(elapsed) / RECORDS / 1000.0;
}

// Every record adds its lines to the protocol log; enough of them fill it to
// the point where it is cut, as in a long session.
void fillLog(Tn5250Client &client, const QByteArray &record)
{
    for (int i = 0; i < LOG_LINES; ++i)
        client.processTelnetBytes(record);
}

} // namespace

int benchPage()
{
    registerQmlTypes();
    const QByteArray record = telnetRecord(menuScreenData());

    Tn5250Client bare;
    fillLog(bare, record);
    perRecord(bare, record); // warm-up
    const double withoutPage = perRecord(bare, record);

    Tn5250Client client;
    fillLog(client, record);
    QQmlEngine engine;
    engine.rootContext()->setContextProperty(QStringLiteral("tnClient"), &client);
    QQmlComponent component(&engine, QUrl::fromLocalFile(QStringLiteral(VANTOREL_SOURCE_DIR "/qml/harbour-vantorel.qml")));
    QScopedPointer<QObject> page(component.create());
    if (!page) {
        std::fprintf(stderr, "page: %s\n", qPrintable(component.errorString()));
        return 1;
    }
    perRecord(client, record); // warm-up
    const double logHidden = perRecord(client, record);
    page->setProperty("showLog", true);
    const double logShown = perRecord(client, record);

    if (withoutPage < 0 || logHidden < 0 || logShown < 0) {
        std::fprintf(stderr, "page: records went missing\n");
        return 1;
    }
    std::printf("page: %d records of a %dx%d menu screen, log at %d characters\n", RECORDS, ROWS, COLUMNS,
                int(client.diagnostics().size()));
    std::printf("page: no page          %8.1f us per record\n", withoutPage);
    std::printf("page: page, log hidden %8.1f us per record\n", logHidden);
    std::printf("page: page, log shown  %8.1f us per record\n", logShown);
    return 0;
}
