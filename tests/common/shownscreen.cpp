#include "shownscreen.h"

#include "app/tn5250client.h"
#include "screen/terminalscreen.h"

namespace ShownScreen {

QStringList lines(const TerminalScreen &screen)
{
    return screen.plainText(true).split(QLatin1Char('\n'));
}

QString line(const TerminalScreen &screen, int row)
{
    return lines(screen).value(row - 1);
}

QString cells(const TerminalScreen &screen, int row, int column, int length)
{
    QString text = line(screen, row).mid(column - 1, length);
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text;
}

QStringList lines(const Tn5250Client &client)
{
    return lines(client.terminalScreen());
}

QString line(const Tn5250Client &client, int row)
{
    return line(client.terminalScreen(), row);
}

QString cells(const Tn5250Client &client, int row, int column, int length)
{
    return cells(client.terminalScreen(), row, column, length);
}

} // namespace ShownScreen
