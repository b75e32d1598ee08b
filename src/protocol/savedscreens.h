#ifndef VANTOREL_SAVEDSCREENS_H
#define VANTOREL_SAVEDSCREENS_H

#include <QByteArray>
#include <QVector>

#include "screen/terminalscreen.h"

// The screens the host had the terminal save (Save Screen), each behind the
// token the terminal answered with. The host hands a token back inside
// Restore Screen to get that screen again. Screens are cheap snapshots of
// the presentation space; the stack keeps the newest 250.
//
// A token carries a serial number that is never given twice on one
// connection, so dropping the oldest screen renumbers nothing and a token
// of a dropped screen names no other.
class SavedScreens
{
public:
    enum Restore { Restored, NotAToken, UnknownToken };

    // Keeps a copy of the screen; returns the token for the Save Screen
    // reply: ESC, Restore Screen, "VNTL" and the entry's 32-bit serial.
    QByteArray save(const TerminalScreen &screen);
    // Puts back the screen a Restore Screen's data names, with or without
    // its ESC and command code in front. `serial` receives the number the
    // token holds (for the log) when it is one of ours.
    Restore restore(const QByteArray &data, TerminalScreen &screen, quint32 *serial = nullptr) const;

    int size() const { return m_screens.size(); }
    const TerminalScreen &at(int index) const { return m_screens.at(index).screen; }
    // Also starts the serials again: a new connection's tokens are its own.
    void clear();

private:
    struct Entry
    {
        quint32 serial = 0;
        TerminalScreen screen;
    };

    QVector<Entry> m_screens;
    quint32 m_lastSerial = 0;
};

#endif
