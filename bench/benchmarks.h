#ifndef VANTOREL_BENCH_BENCHMARKS_H
#define VANTOREL_BENCH_BENCHMARKS_H

// The benchmarks of vantorel-bench, run on demand (never by CTest). Each one
// prints its own result lines and returns 0, or non-zero when it could not
// measure what it meant to. bench_main.cpp lists them by name.

// Paints a full 27 x 132 screen of mixed attributes (bench_render.cpp).
int benchRender();

// Parses full 27 x 132 host screens through the telnet layer (bench_protocol.cpp).
int benchProtocol();

// Cost per host record of the desktop page's bindings, with the protocol log
// hidden and shown (bench_page.cpp).
int benchPage();

// What one 64 KB record of a single hostile command or order costs the
// receive path (bench_hostile.cpp).
int benchHostile();

#endif
