#ifndef VANTOREL_TESTS_CELLBYCELLPAINT_H
#define VANTOREL_TESTS_CELLBYCELLPAINT_H

#include <QImage>
#include <QSize>

class QPainter;
class TerminalScreen;

// The terminal drawn the plain way: every visible cell on its own, a block
// for reverse image, one drawText of one character, a line for underscore,
// in the item's font and colours. The painted item must give exactly these
// pixels; the tests and the benchmarks compare against it.
void paintCellByCell(QPainter *painter, const TerminalScreen &screen, const QSizeF &size);
QImage paintedCellByCell(const TerminalScreen &screen, const QSize &size);

// Pixels that differ between two images of one size (all of them when the
// sizes differ).
int differingPixels(const QImage &a, const QImage &b);

#endif
