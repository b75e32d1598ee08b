// Two screens about command keys. "refresh" sends a Start of Header that marks
// F5 as a key that returns the AID alone (IBM 5250 data stream reference,
// Start of Header, bytes 4-6), so a refresh never carries the note field
// while Enter and F6 do; the host's response check reports field data that
// arrives with F5 anyway. "functionkeys" shows function-key labels and web
// addresses for the terminal's tappable hotspots.
#include "demoscreens.h"
#include "demosession.h"
#include "hostprotocol.h"
#include "screenregistry.h"

using namespace DemoScreens;
using namespace HostProtocol;

namespace {

const int REFRESH_KEY = 5;
const int SAVE_KEY = 6;

const char REFRESH_COUNT[] = "refresh.count";
const char REFRESH_NOTE[] = "refresh.note";
const char KEYS_COUNT[] = "keys.count";

const char HELP_ADDRESS[] = "https://www.example.com/vantorel/help";
const char DOWNLOAD_ADDRESS[] = "https://downloads.example.com/5250/";

int count(const DemoSession &session, const char *name)
{
    return session.variable(QLatin1String(name)).toInt();
}

void countOne(DemoSession &session, const char *name)
{
    session.setVariable(QLatin1String(name), QString::number(count(session, name) + 1));
}

ScreenDefinition refreshScreen()
{
    ScreenDefinition screen;
    ScreenDescription &layout = screen.layout;
    layout.name = QLatin1String(REFRESH);
    layout.header = noDataKeysHeader(QVector<int>() << REFRESH_KEY);
    layout.texts = {
        screenText(1, 2, QStringLiteral("REFRESH")),
        screenText(1, 30, QStringLiteral("Refresh Without Field Data"), ATTR_HIGH),
        screenText(3, 2, QStringLiteral("F5 sends no field data on this screen; Enter and F6 send the note.")),
        screenText(5, 2, QStringLiteral("Note . . . . . . .")),
        screenText(22, 2, QStringLiteral("F3=Exit   F5=Refresh   F6=Save note   F12=Cancel"), ATTR_BLUE),
        screenText(24, 2, QStringLiteral("{message}"), ATTR_HIGH),
    };
    layout.fields = { inputField(QStringLiteral("note"), 5, 22, 40) };
    layout.aids = { AID_ENTER, functionKeyAid(3), functionKeyAid(REFRESH_KEY), functionKeyAid(SAVE_KEY),
                    functionKeyAid(12) };

    screen.prepare = [](ScreenDescription &page, const DemoSession &session) {
        page.texts.append(screenText(7, 2, QStringLiteral("Refreshed  . . . :   %1 times")
                                               .arg(count(session, REFRESH_COUNT))));
        page.texts.append(screenText(8, 2, QStringLiteral("Saved note . . . :   %1")
                                               .arg(session.variable(QLatin1String(REFRESH_NOTE)))));
    };

    screen.onAid = [](DemoSession &session, const ReadResponse &response) {
        const int function = functionKeyOf(response.aid);
        if (function == 3 || function == 12)
            return ScreenReply::show(QLatin1String(MAIN_MENU));
        if (function == REFRESH_KEY) {
            countOne(session, REFRESH_COUNT);
            return ScreenReply::show(QLatin1String(REFRESH),
                                     response.fields.isEmpty() ? QStringLiteral("Refreshed; no field data received.")
                                                               : QStringLiteral("Refresh carried field data."));
        }
        if (response.aid == AID_ENTER || function == SAVE_KEY) {
            const QString note = response.fieldText(QStringLiteral("note"));
            session.setVariable(QLatin1String(REFRESH_NOTE), note);
            return ScreenReply::show(QLatin1String(REFRESH),
                                     note.isEmpty() ? QStringLiteral("No note received.")
                                                    : QStringLiteral("Note saved."));
        }
        return ScreenReply::show(QLatin1String(REFRESH), QLatin1String(FUNCTION_KEY_NOT_ALLOWED));
    };
    return screen;
}

ScreenDefinition functionKeysScreen()
{
    ScreenDefinition screen;
    ScreenDescription &layout = screen.layout;
    layout.name = QLatin1String(FUNCTION_KEYS);
    layout.header = noDataKeysHeader(QVector<int>());
    layout.texts = {
        screenText(1, 2, QStringLiteral("KEYS")),
        screenText(1, 29, QStringLiteral("Function Keys and Links"), ATTR_HIGH),
        screenText(3, 2, QStringLiteral("Tap a function key label or an address to use it.")),
        screenText(5, 2, QStringLiteral("Help pages . . . :   %1").arg(QLatin1String(HELP_ADDRESS))),
        screenText(6, 2, QStringLiteral("Downloads  . . . :   %1").arg(QLatin1String(DOWNLOAD_ADDRESS))),
        screenText(22, 2, QStringLiteral("F3=Exit  F5=Refresh  F12=Cancel"), ATTR_BLUE),
        screenText(24, 2, QStringLiteral("{message}"), ATTR_HIGH),
    };
    layout.aids = { AID_ENTER, functionKeyAid(3), functionKeyAid(5), functionKeyAid(12) };

    screen.prepare = [](ScreenDescription &page, const DemoSession &session) {
        page.texts.append(screenText(8, 2, QStringLiteral("Refreshed  . . . :   %1 times")
                                               .arg(count(session, KEYS_COUNT))));
    };

    screen.onAid = [](DemoSession &session, const ReadResponse &response) {
        const int function = functionKeyOf(response.aid);
        if (function == 3 || function == 12)
            return ScreenReply::show(QLatin1String(MAIN_MENU));
        if (function == 5) {
            countOne(session, KEYS_COUNT);
            return ScreenReply::show(QLatin1String(FUNCTION_KEYS), QStringLiteral("Screen refreshed."));
        }
        if (response.aid == AID_ENTER)
            return ScreenReply::show(QLatin1String(FUNCTION_KEYS));
        return ScreenReply::show(QLatin1String(FUNCTION_KEYS), QLatin1String(FUNCTION_KEY_NOT_ALLOWED));
    };
    return screen;
}

} // namespace

void registerKeyScreens(ScreenRegistry &registry)
{
    registry.add(refreshScreen());
    registry.add(functionKeysScreen());
}
