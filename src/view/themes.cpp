// Colours for the page around the painted terminal. The painted cells
// themselves keep the fixed 5250 attribute colours of TerminalItem; the
// theme only dresses the page.
#include "app/tn5250client.h"

namespace {

struct Theme
{
    const char *foreground;
    const char *background;
    const char *cursor;
};

// Indexed by terminalTheme; any value outside the table falls back to the
// first entry (green on black).
const Theme THEMES[] = {
    {"#78ff78", "#000000", "#d8ffd8"}, // 0: green phosphor
    {"#ffca58", "#000000", "#fff0b3"}, // 1: amber
    {"#f0f0f0", "#101010", "#ffffff"}, // 2: light grey
    {"#dbe9ff", "#00172e", "#80c8ff"}, // 3: blue
};

const int THEME_COUNT = int(sizeof(THEMES) / sizeof(THEMES[0]));

const Theme &themeFor(int index)
{
    return THEMES[index >= 1 && index < THEME_COUNT ? index : 0];
}

} // namespace

QString Tn5250Client::terminalForeground() const
{
    return QLatin1String(themeFor(terminalTheme()).foreground);
}

QString Tn5250Client::terminalBackground() const
{
    return QLatin1String(themeFor(terminalTheme()).background);
}

QString Tn5250Client::terminalCursorColor() const
{
    return QLatin1String(themeFor(terminalTheme()).cursor);
}
