#ifndef VANTOREL_BENCH_BENCHSCREENS_H
#define VANTOREL_BENCH_BENCHSCREENS_H

#include <QByteArray>

// The host screens the benchmarks work on, as 5250 data (commands and
// orders, code page 37) and as a record on the wire.

// 27 x 132, every cell a character under a mix of every visible attribute
// (colours, reverse image, underscore): the heaviest paint.
QByteArray paintScreenData();

// 24 x 80, about 2 KB: a label and one or two 20-cell input fields with
// their data on every row, 35 fields in all.
QByteArray denseScreenData();
const int DENSE_FIELDS = 35;

// 27 x 132 text with an input field on every other row, function-key
// labels and a web address; `variant` changes one word, so that two
// variants make two different screens.
QByteArray wideScreenData(int variant);

// A Put/Get record with that data, framed for the telnet stream.
QByteArray putGetRecord(const QByteArray &data);

#endif
