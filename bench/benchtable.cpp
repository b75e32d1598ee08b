#include "benchtable.h"

#include <QElapsedTimer>
#include <QVector>

#include <algorithm>
#include <cstdio>

namespace {

Timing summary(QVector<double> values)
{
    Timing timing;
    if (values.isEmpty())
        return timing;
    std::sort(values.begin(), values.end());
    timing.min = values.first();
    timing.max = values.last();
    timing.median = values.at(values.size() / 2);
    return timing;
}

double divisor(const QString &unit)
{
    if (unit == QLatin1String("ms"))
        return 1.0e6;
    if (unit == QLatin1String("us"))
        return 1.0e3;
    return 1.0;
}

QString figure(const Timing &timing, const QString &unit)
{
    const double d = divisor(unit);
    const int precision = timing.median / d < 10 ? 2 : 1;
    return QStringLiteral("%1 %2 (%3–%4)")
        .arg(timing.median / d, 0, 'f', precision)
        .arg(unit)
        .arg(timing.min / d, 0, 'f', precision)
        .arg(timing.max / d, 0, 'f', precision);
}

} // namespace

void measurePair(int iterations, const Sample &now, const Sample &baseline, Timing *nowTiming,
                 Timing *baselineTiming)
{
    now(1);
    baseline(1);
    QVector<double> a;
    QVector<double> b;
    for (int round = 0; round < ROUNDS; ++round) {
        a.append(double(now(iterations)) / iterations);
        b.append(double(baseline(iterations)) / iterations);
    }
    *nowTiming = summary(a);
    *baselineTiming = summary(b);
}

Timing measureOne(int iterations, const Sample &now)
{
    now(1);
    QVector<double> a;
    for (int round = 0; round < ROUNDS; ++round)
        a.append(double(now(iterations)) / iterations);
    return summary(a);
}

Sample timedCalls(const std::function<void()> &f)
{
    return [f](int iterations) {
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < iterations; ++i)
            f();
        return timer.nsecsElapsed();
    };
}

void BenchTable::print() const
{
    std::printf("\n%d rounds each; median (min–max) per iteration.\n\n", ROUNDS);
    std::printf("| path | now | baseline in the same run | now / baseline | goal | checked equal |\n");
    std::printf("|---|---|---|---|---|---|\n");
    for (const BenchRow &row : m_rows) {
        QString now = figure(row.now, row.unit);
        if (!row.extra.isEmpty())
            now += QStringLiteral("; ") + row.extra;
        QString baseline = QStringLiteral("–");
        QString ratio = QStringLiteral("–");
        if (row.hasBaseline) {
            baseline = row.baselineName + QStringLiteral(": ") + figure(row.baseline, row.unit);
            if (row.baseline.median > 0)
                ratio = QStringLiteral("%1").arg(row.now.median / row.baseline.median, 0, 'f', 2);
        }
        std::printf("| %s | %s | %s | %s | %s | %s |\n", qPrintable(row.path), qPrintable(now),
                    qPrintable(baseline), qPrintable(ratio), qPrintable(row.goal), qPrintable(row.check));
    }
    std::fflush(stdout);
}
