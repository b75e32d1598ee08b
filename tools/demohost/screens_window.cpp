// Screens that use what an IBM i program uses besides plain panels: a
// confirmation window drawn with characters over the main menu between Save
// Screen and Restore Screen, read with Read Input Fields; a 27 x 132 report
// written after Clear Unit Alternate; and the message queue, whose display
// turns the message-waiting light off that sign-on turned on.
#include "demoscreens.h"
#include "demosession.h"
#include "hostprotocol.h"
#include "screenregistry.h"

using namespace DemoScreens;
using namespace HostProtocol;

namespace {

// The window's frame, as IBM i draws windows: dots along the top and the
// bottom, colons down the sides.
const int WINDOW_TOP = 8;
const int WINDOW_BOTTOM = 14;
const int WINDOW_LEFT = 20;
const int WINDOW_WIDTH = 42;

const char WINDOW_ANSWER[] = "window.answer";
const char MESSAGES_READ[] = "messages.read";

ScreenDefinition confirmWindow()
{
    ScreenDefinition screen;
    ScreenDescription &layout = screen.layout;
    layout.name = QLatin1String(CONFIRM_WINDOW);
    layout.window = true;
    const QString edge = QString(WINDOW_WIDTH, QLatin1Char('.'));
    const QString side = QLatin1Char(':') + QString(WINDOW_WIDTH - 2, QLatin1Char(' ')) + QLatin1Char(':');
    layout.texts.append(screenText(WINDOW_TOP, WINDOW_LEFT, edge));
    for (int row = WINDOW_TOP + 1; row < WINDOW_BOTTOM; ++row)
        layout.texts.append(screenText(row, WINDOW_LEFT, side));
    layout.texts.append(screenText(WINDOW_BOTTOM, WINDOW_LEFT, edge));
    layout.texts.append(screenText(WINDOW_TOP + 1, WINDOW_LEFT + 15, QStringLiteral("Confirm"), ATTR_HIGH));
    layout.texts.append(screenText(WINDOW_TOP + 3, WINDOW_LEFT + 2, QStringLiteral("Continue (Y/N)  . . .")));
    layout.texts.append(screenText(WINDOW_BOTTOM - 1, WINDOW_LEFT + 2, QStringLiteral("F12=Cancel"), ATTR_BLUE));
    layout.fields = { inputField(QStringLiteral("answer"), WINDOW_TOP + 3, WINDOW_LEFT + 25, 1, FFW_MONOCASE) };
    layout.aids = { AID_ENTER, functionKeyAid(12) };
    screen.onAid = [](DemoSession &session, const ReadResponse &response) {
        const QString answer = response.aid == AID_ENTER ? response.fieldText(QStringLiteral("answer")).trimmed()
                                                         : QStringLiteral("F12");
        session.setVariable(QLatin1String(WINDOW_ANSWER), answer);
        session.log(QStringLiteral("Window answered: %1").arg(answer.isEmpty() ? QStringLiteral("(nothing)") : answer));
        return ScreenReply::closeWindow();
    };
    return screen;
}

ScreenDefinition wideReport()
{
    ScreenDefinition screen;
    ScreenDescription &layout = screen.layout;
    layout.name = QLatin1String(WIDE_REPORT);
    layout.wide = true;
    layout.header = noDataKeysHeader(QVector<int>());
    layout.texts = {
        screenText(1, 2, QStringLiteral("REPORT")),
        screenText(1, 55, QStringLiteral("Wide Report (27 x 132)"), ATTR_HIGH),
        screenText(3, 2, QStringLiteral("Item       Description") + QString(97, QLatin1Char(' '))
                             + QStringLiteral("Column 132 |"),
                   ATTR_HIGH),
        screenText(25, 2, QStringLiteral("F3=Exit   F12=Cancel"), ATTR_BLUE),
        screenText(27, 2, QStringLiteral("{message}"), ATTR_HIGH),
    };
    for (int item = 1; item <= 20; ++item)
        layout.texts.append(screenText(4 + item, 2, QStringLiteral("Item %1   Sample record number %2, on a line "
                                                                   "wider than a 24 x 80 display holds")
                                                        .arg(item, 3, 10, QLatin1Char('0'))
                                                        .arg(item)));
    layout.aids = { AID_ENTER, functionKeyAid(3), functionKeyAid(12) };
    screen.onAid = [](DemoSession &, const ReadResponse &response) {
        if (response.aid == AID_ENTER)
            return ScreenReply::show(QLatin1String(WIDE_REPORT));
        return ScreenReply::show(QLatin1String(MAIN_MENU));
    };
    return screen;
}

ScreenDefinition messagesScreen()
{
    ScreenDefinition screen;
    ScreenDescription &layout = screen.layout;
    layout.name = QLatin1String(MESSAGES);
    layout.header = noDataKeysHeader(QVector<int>());
    layout.texts = {
        screenText(1, 2, QStringLiteral("MESSAGES")),
        screenText(1, 33, QStringLiteral("Display Messages"), ATTR_HIGH),
        screenText(3, 2, QStringLiteral("Queue . . . . . :   {user}")),
        screenText(5, 2, QStringLiteral("Messages needing a reply: none")),
        screenText(7, 4, QStringLiteral("Welcome to {system}. This message turned the message-waiting light on.")),
        screenText(22, 2, QStringLiteral("Enter=Continue   F3=Exit   F12=Cancel"), ATTR_BLUE),
    };
    layout.aids = { AID_ENTER, functionKeyAid(3), functionKeyAid(12) };
    screen.onAid = [](DemoSession &, const ReadResponse &) { return ScreenReply::show(QLatin1String(MAIN_MENU)); };
    return screen;
}

} // namespace

void turnMessageLightOnOnce(DemoSession &session)
{
    if (!session.variable(QLatin1String(MESSAGES_READ)).isEmpty() || session.messageWaiting())
        return;
    session.setMessageWaiting(true);
}

ScreenReply displayMessages(DemoSession &session)
{
    session.setVariable(QLatin1String(MESSAGES_READ), QStringLiteral("yes"));
    if (session.messageWaiting())
        session.setMessageWaiting(false);
    return ScreenReply::show(QLatin1String(MESSAGES));
}

void registerWindowScreens(ScreenRegistry &registry)
{
    registry.add(confirmWindow());
    registry.add(wideReport());
    registry.add(messagesScreen());
}
