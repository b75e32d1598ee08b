#ifndef VANTOREL_DEMOHOST_SCREENREGISTRY_H
#define VANTOREL_DEMOHOST_SCREENREGISTRY_H

#include <functional>

#include <QMap>
#include <QString>
#include <QStringList>
#include <QVector>

#include "readresponse.h"
#include "screendescription.h"

class DemoSession;

// What a screen's handler decides after an AID key.
struct ScreenReply
{
    enum Kind {
        Show,        // send `screen` (the same one to redisplay it)
        Disconnect,  // end the session, as F3 on the sign-on screen does
        InputError,  // Write Error Code: `message` on the error line, the screen stays
        Window,      // Save Screen, then the window `screen` over what is shown
        CloseWindow  // Restore Screen: the screen under the window again
    };
    Kind kind = Show;
    QString screen;
    QString message;   // shown on the message line of the next screen
    // Show only: rows the screen's roll region moves (positive: up, as for
    // the next page) before its rows are written again, when `screen` is the
    // one already shown.
    int rollLines = 0;

    static ScreenReply show(const QString &screen, const QString &message = QString());
    static ScreenReply roll(const QString &screen, int lines);
    static ScreenReply disconnect();
    static ScreenReply inputError(const QString &message);
    static ScreenReply window(const QString &screen);
    static ScreenReply closeWindow();
};

// One screen of the demo host: its layout as data, an optional hook that
// adapts the layout to the session before it is sent (rows of a paged list,
// for example), and the handler for the AID keys the operator sends on it.
struct ScreenDefinition
{
    ScreenDescription layout;
    std::function<void(ScreenDescription &layout, const DemoSession &session)> prepare;
    std::function<ScreenReply(DemoSession &session, const ReadResponse &response)> onAid;
};

// The screens a demo host serves, by name. The host starts every session on
// "signon"; the handlers name the screen that follows.
class ScreenRegistry
{
public:
    void add(const ScreenDefinition &definition);
    const ScreenDefinition *find(const QString &name) const;
    QStringList names() const { return m_screens.keys(); }

private:
    QMap<QString, ScreenDefinition> m_screens;
};

// The screens every demo host has: "signon" and "mainmenu" (screens.cpp).
void registerStandardScreens(ScreenRegistry &registry);

// Helpers that keep screen tables short.
ScreenText screenText(int row, int column, const QString &text, quint8 attribute = 0);
ScreenField inputField(const QString &name, int row, int column, int length, quint8 ffwLow = 0x00,
                       quint8 attribute = 0x24);
ScreenField outputField(const QString &name, int row, int column, int length, const QString &initial,
                        quint8 attribute = 0x20);

// The AID code of function key Fn (1-24): 0x31-0x3C, then 0xB1-0xBC; 0 for
// any other number.
quint8 functionKeyAid(int key);

// Start of Header parameters (seven bytes) that mark the given function keys
// (1-24) as sending the AID alone, without field data: header bytes 4, 5 and
// 6 hold F24-F17, F16-F9 and F8-F1, high bit first.
QByteArray noDataKeysHeader(const QVector<int> &functionKeys);
// The terminal's no-data key mask (bit n-1: Fn) after it reads a Start of
// Header with these parameters: a seven-byte header sets it from bytes 4-6,
// a shorter one clears it, a longer one is refused and leaves `current`.
quint32 noDataKeyMaskAfterHeader(const QByteArray &header, quint32 current);

#endif
