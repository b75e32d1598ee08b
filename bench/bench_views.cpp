// The views the page re-reads on every screenChanged() of a 27 x 132 screen
// (terminalText, inputFieldSegments, hotspotSegments, the cursor), against
// lean code written here that builds the text once and the segments and
// hotspots from it, checked to give the same values. Two screens take turns,
// so that every read follows a change; only the reads are timed.
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QStringList>
#include <QVariantMap>

#include <cstdio>

#include "app/tn5250client.h"
#include "benchmarks.h"
#include "benchscreens.h"
#include "codec/ebcdiccodec.h"

namespace {

const int CHANGES = 100;

struct Views
{
    QString text;
    QVariantList segments;
    QVariantList hotspots;
    int cursorRow = 0;
    int cursorColumn = 0;

    bool operator==(const Views &other) const
    {
        return text == other.text && segments == other.segments && hotspots == other.hotspots
            && cursorRow == other.cursorRow && cursorColumn == other.cursorColumn;
    }
};

Views clientViews(const Tn5250Client &client)
{
    Views views;
    views.text = client.terminalText();
    views.segments = client.inputFieldSegments();
    views.hotspots = client.hotspotSegments();
    views.cursorRow = client.cursorRow();
    views.cursorColumn = client.cursorColumn();
    return views;
}

QVariantMap map(int row, int column, int length, const QString &kind, const QVariant &value)
{
    QVariantMap m;
    m.insert(QStringLiteral("row"), row);
    m.insert(QStringLiteral("column"), column);
    m.insert(QStringLiteral("length"), length);
    m.insert(QStringLiteral("kind"), kind);
    m.insert(QStringLiteral("value"), value);
    return m;
}

Views leanViews(const TerminalScreen &screen)
{
    Views views;
    const ushort *shown = EbcdicCodec::shownTable();
    const unsigned char *data = reinterpret_cast<const unsigned char *>(screen.data.constData());
    const unsigned char *attributes = reinterpret_cast<const unsigned char *>(screen.attributes.constData());
    QStringList lines;
    QString line;
    for (int row = 0; row < screen.rows; ++row) {
        line.resize(screen.columns);
        QChar *out = line.data();
        for (int column = 0; column < screen.columns; ++column) {
            const int index = row * screen.columns + column;
            out[column] = (attributes[index] & 0x07) == 0x07 ? QChar(QLatin1Char(' ')) : QChar(shown[data[index]]);
        }
        int end = screen.columns;
        while (end > 0 && out[end - 1] == QLatin1Char(' '))
            --end;
        line.truncate(end);
        lines.append(line);
    }
    views.text = lines.join(QLatin1Char('\n'));

    for (const TerminalScreen::Field &field : screen.fields) {
        if (field.bypass())
            continue;
        QVariantMap m;
        m.insert(QStringLiteral("row"), field.start / screen.columns + 1);
        m.insert(QStringLiteral("column"), field.start % screen.columns + 1);
        m.insert(QStringLiteral("length"), field.length);
        m.insert(QStringLiteral("nondisplay"), (attributes[field.start] & 0x07) == 0x07);
        views.segments.append(m);
    }

    static const QRegularExpression keys(QStringLiteral("\\bF([1-9]|1[0-9]|2[0-4])\\s*="),
                                         QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression addresses(QStringLiteral("https?://[^\\s<>]+"),
                                              QRegularExpression::CaseInsensitiveOption);
    for (int i = 0; i < lines.size(); ++i) {
        QRegularExpressionMatchIterator k = keys.globalMatch(lines.at(i));
        while (k.hasNext()) {
            const QRegularExpressionMatch m = k.next();
            views.hotspots.append(map(i + 1, m.capturedStart() + 1, m.capturedLength(), QStringLiteral("function"),
                                      m.captured(1).toInt()));
        }
        QRegularExpressionMatchIterator a = addresses.globalMatch(lines.at(i));
        while (a.hasNext()) {
            const QRegularExpressionMatch m = a.next();
            views.hotspots.append(map(i + 1, m.capturedStart() + 1, m.capturedLength(), QStringLiteral("url"),
                                      m.captured()));
        }
    }
    views.cursorRow = screen.cursorRow() + 1;
    views.cursorColumn = screen.cursorColumn() + 1;
    return views;
}

} // namespace

int benchViews(BenchTable &table)
{
    Tn5250Client client;
    client.setHotspotsEnabled(true);
    const QByteArray screens[2] = {putGetRecord(wideScreenData(0)), putGetRecord(wideScreenData(1))};
    for (const QByteArray &record : screens) {
        client.processTelnetBytes(record);
        const Views views = clientViews(client);
        if (!(views == leanViews(client.terminalScreen())) || views.hotspots.size() < 4 || views.segments.isEmpty()) {
            std::fprintf(stderr, "views: the lean views differ from the client's (%d hotspots, %d segments)\n",
                         views.hotspots.size(), views.segments.size());
            return 1;
        }
    }

    int turn = 0;
    int sink = 0;
    auto readAfterChange = [&](bool lean) {
        return [&, lean](int iterations) {
            qint64 total = 0;
            for (int i = 0; i < iterations; ++i) {
                client.processTelnetBytes(screens[turn++ % 2]);
                QElapsedTimer timer;
                timer.start();
                const Views views = lean ? leanViews(client.terminalScreen()) : clientViews(client);
                total += timer.nsecsElapsed();
                sink += views.text.size();
            }
            return qint64(total);
        };
    };
    BenchRow row;
    row.path = QStringLiteral("views re-read after a change at 27x132 (terminalText, inputFieldSegments, "
                              "hotspotSegments, cursor)");
    row.baselineName = QStringLiteral("lean text and hotspot code");
    row.check = QStringLiteral("text, segments, hotspots, cursor");
    row.goal = QStringLiteral("≤ 1.5");
    measurePair(CHANGES, readAfterChange(false), readAfterChange(true), &row.now, &row.baseline);
    table.add(row);
    if (sink < 0)
        std::printf("%d\n", sink);
    return 0;
}
