#ifndef VANTOREL_BENCH_BENCHTABLE_H
#define VANTOREL_BENCH_BENCHTABLE_H

#include <QList>
#include <QString>

#include <functional>

// Timing of one path against its baseline in the same run. The machine is
// shared and noisy, so the two are measured in alternating rounds and only
// their ratio is meant to hold from run to run; the absolute figures say
// what this machine did this time.
const int ROUNDS = 9;

// Runs the path `iterations` times and returns the nanoseconds that count
// (a sample may leave its untimed preparation out).
typedef std::function<qint64(int iterations)> Sample;

// Per-iteration nanoseconds over the rounds.
struct Timing
{
    double min = 0;
    double median = 0;
    double max = 0;
};

struct BenchRow
{
    QString path;
    QString unit = QStringLiteral("us"); // "ms", "us", "MB"...
    bool hasBaseline = true;
    QString baselineName;
    Timing now;
    Timing baseline;
    QString check;  // what was found equal before timing
    QString goal;
    QString extra;  // further absolute figures of the row
};

// Alternates rounds of the two samples (a warm-up iteration each first).
void measurePair(int iterations, const Sample &now, const Sample &baseline, Timing *nowTiming,
                 Timing *baselineTiming);
Timing measureOne(int iterations, const Sample &now);

// A sample that times the whole of `f`, called once per iteration.
Sample timedCalls(const std::function<void()> &f);

class BenchTable
{
public:
    void add(const BenchRow &row) { m_rows.append(row); }
    void print() const;

private:
    QList<BenchRow> m_rows;
};

#endif
