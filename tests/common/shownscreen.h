#ifndef VANTOREL_TESTS_SHOWNSCREEN_H
#define VANTOREL_TESTS_SHOWNSCREEN_H

#include <QString>
#include <QStringList>

class TerminalScreen;
class Tn5250Client;

// The screen as the interface shows it (nondisplay cells blanked), read by
// rows and cells with the host's 1-based numbering.
namespace ShownScreen {

QStringList lines(const TerminalScreen &screen);
// Row `row`, trailing blanks removed; empty past the last row.
QString line(const TerminalScreen &screen, int row);
// The characters of `length` cells from (row, column), trailing blanks removed.
QString cells(const TerminalScreen &screen, int row, int column, int length);

// The same of the client's presentation space.
QStringList lines(const Tn5250Client &client);
QString line(const Tn5250Client &client, int row);
QString cells(const Tn5250Client &client, int row, int column, int length);

} // namespace ShownScreen

#endif
