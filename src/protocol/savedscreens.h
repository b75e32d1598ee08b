#ifndef VANTOREL_SAVEDSCREENS_H
#define VANTOREL_SAVEDSCREENS_H

#include <QByteArray>
#include <QVector>

#include "screen/terminalscreen.h"

// The screens the host had the terminal save (Save Screen), each behind the
// token the terminal answered with. The host hands a token back inside
// Restore Screen to get that screen again. Screens are cheap snapshots of
// the presentation space; the stack keeps the newest 250.
class SavedScreens
{
public:
    // Keeps a copy of the screen; returns the token for the Save Screen
    // reply: ESC, Restore Screen, "VNTL" and the entry's number.
    QByteArray save(const TerminalScreen &screen);
    // Puts back the screen a Restore Screen's data names, with or without
    // its ESC and command code in front; false when it names none.
    bool restore(const QByteArray &data, TerminalScreen &screen) const;

    int size() const { return m_screens.size(); }
    const TerminalScreen &at(int index) const { return m_screens.at(index); }
    void clear() { m_screens.clear(); }

private:
    QVector<TerminalScreen> m_screens;
};

#endif
