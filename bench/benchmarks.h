#ifndef VANTOREL_BENCH_BENCHMARKS_H
#define VANTOREL_BENCH_BENCHMARKS_H

#include "benchtable.h"

// The benchmarks of vantorel-bench, run on demand (never by CTest). Each one
// checks that its path and its baseline give the same result, measures both
// in the same run and adds its rows to the table; it returns 0, or non-zero
// when it could not measure what it meant to (and says why on stderr).
// bench_main.cpp lists them by name.

// Full repaint against drawText per cell; one typed character (bench_render.cpp).
int benchRender(BenchTable &table);

// A dense Write To Display against a lean interpreter (bench_protocol.cpp).
int benchProtocol(BenchTable &table);

// The views re-read after a change against lean code (bench_views.cpp).
int benchViews(BenchTable &table);

// Host records and Enter with the page against the bare client (bench_page.cpp).
int benchPage(BenchTable &table);

// Start to first frame and resident memory against an empty QML window,
// each in a process of its own (bench_startup.cpp).
int benchStartup(BenchTable &table);
// The child process's part: shows the page or an empty window, prints what
// it measured and returns.
int startupChild(const QString &what);

// What one 64 KB record of a single hostile command or order costs the
// receive path (bench_hostile.cpp). It has no baseline, so it prints its
// own lines and leaves the table alone.
int benchHostile(BenchTable &table);

#endif
