// The standard screens of the demo host, written as data: the sign-on
// screen and the main menu of an IBM i, with the AID handling that moves
// between them. A new screen is one more function like these, registered in
// registerStandardScreens: a layout (texts and fields at 1-based positions,
// see screendescription.h) and a handler that names the next screen. The
// menu's demonstration options lead to the screens of the other screens_*
// files.
#include "demoaccount.h"
#include "demoscreens.h"
#include "demosession.h"
#include "hostprotocol.h"
#include "screenregistry.h"

using namespace DemoScreens;
using namespace HostProtocol;

namespace {

// Options of the main menu beyond the IBM i ones, listed in a second column.
struct MenuOption
{
    int number;
    const char *screen;
    const char *label;
};

const MenuOption DEMO_OPTIONS[] = {
    { 21, ENTRY_FORM, "Entry form with field rules" },
    { 22, ITEM_LIST, "List of items (Page Up/Down)" },
    { 23, REFRESH, "Refresh without field data" },
    { 24, FUNCTION_KEYS, "Function keys and web links" },
    { 25, CONFIRM_WINDOW, "Window over this menu" },
    { 26, WIDE_REPORT, "Wide report (27 x 132)" },
    { 27, MESSAGES, "Display messages" },
};
const int DEMO_OPTIONS_ROW = 5;
const int DEMO_OPTIONS_COLUMN = 43;

// Function keys the main menu lists on its key lines.
const int MENU_FUNCTION_KEYS[] = { 3, 4, 9, 12, 13, 23 };

// Input fields of the sign-on screen: upper case, like IBM i object names.
const quint8 FFW_NAME = FFW_MONOCASE;

const char SIGN_ON_USER[] = "signonuser";

// After a refused sign-on the user name stays in its field, as an IBM i
// display file shows it again.
ScreenField userField()
{
    ScreenField field = inputField(QStringLiteral("user"), 6, 53, 10, FFW_NAME);
    field.initial = QStringLiteral("{%1}").arg(QLatin1String(SIGN_ON_USER));
    return field;
}

// Enter on the sign-on screen: the session's account decides (see
// checkSignOn). The password is compared and forgotten; no log line carries
// it or its length. Unknown users and wrong passwords count as failed
// attempts; an empty user field does not.
ScreenReply signOn(DemoSession &session, const ReadResponse &response)
{
    // Read MDT Fields returns the user field only when the operator changed
    // it; otherwise the name shown again after a refusal still stands.
    const QString userKey = QStringLiteral("user");
    const QString typed = response.hasField(userKey) ? response.fieldText(userKey)
                                                     : session.variable(QLatin1String(SIGN_ON_USER));
    const QString user = typed.trimmed().toUpper();
    const SignOnResult result = checkSignOn(session.accounts(), user, response.fieldText(QStringLiteral("password")));
    session.setVariable(QLatin1String(SIGN_ON_USER), result == SignOnAccepted ? QString() : user);
    switch (result) {
    case SignOnNoUser:
        session.log(QStringLiteral("Sign-on refused: no user profile name"));
        return ScreenReply::show(QLatin1String(SIGN_ON), QLatin1String(ENTER_USER_NAME));
    case SignOnUnknownUser:
        session.countFailedSignOn();
        session.log(QStringLiteral("Sign-on refused for %1: user profile does not exist").arg(user));
        return ScreenReply::show(QLatin1String(SIGN_ON), QString::fromLatin1(USER_DOES_NOT_EXIST).arg(user));
    case SignOnWrongPassword:
        session.countFailedSignOn();
        session.log(QStringLiteral("Sign-on refused for %1: wrong password").arg(user));
        return ScreenReply::show(QLatin1String(SIGN_ON), QLatin1String(PASSWORD_NOT_CORRECT));
    case SignOnAccepted:
        break;
    }
    session.setVariable(QStringLiteral("user"), user);
    session.log(QStringLiteral("Signed on as %1").arg(user));
    turnMessageLightOnOnce(session);
    return ScreenReply::show(QLatin1String(MAIN_MENU));
}

ScreenDefinition signOnScreen()
{
    ScreenDefinition screen;
    ScreenDescription &layout = screen.layout;
    layout.name = QLatin1String(SIGN_ON);
    // Each screen sends its own Start of Header: the terminal keeps the no-data
    // keys of the last one it read, and the demo screens differ in them.
    layout.header = noDataKeysHeader(QVector<int>());
    layout.texts = {
        screenText(1, 36, QStringLiteral("Sign On"), ATTR_HIGH),
        screenText(2, 48, QStringLiteral("System  . . . . . :   {system}")),
        screenText(3, 48, QStringLiteral("Subsystem . . . . :   {subsystem}")),
        screenText(4, 48, QStringLiteral("Display . . . . . :   {device}")),
        screenText(6, 17, QStringLiteral("User  . . . . . . . . . . . . . .")),
        screenText(7, 17, QStringLiteral("Password  . . . . . . . . . . . .")),
        screenText(9, 17, QStringLiteral("Program/procedure . . . . . . . .")),
        screenText(10, 17, QStringLiteral("Menu  . . . . . . . . . . . . . .")),
        screenText(11, 17, QStringLiteral("Current library . . . . . . . . .")),
        screenText(22, 2, QStringLiteral("F3=Exit"), ATTR_BLUE),
        screenText(24, 2, QStringLiteral("{message}"), ATTR_HIGH),
    };
    layout.fields = {
        userField(),
        inputField(QStringLiteral("password"), 7, 53, 10, 0x00, ATTR_NONDISPLAY),
        inputField(QStringLiteral("program"), 9, 53, 10, FFW_NAME),
        inputField(QStringLiteral("menu"), 10, 53, 10, FFW_NAME),
        inputField(QStringLiteral("library"), 11, 53, 10, FFW_NAME),
    };
    layout.aids = { AID_ENTER, functionKeyAid(3) };
    screen.onAid = [](DemoSession &session, const ReadResponse &response) {
        if (response.aid == AID_ENTER)
            return signOn(session, response);
        if (functionKeyOf(response.aid) == 3)
            return ScreenReply::disconnect();
        return ScreenReply::show(QLatin1String(SIGN_ON), QLatin1String(FUNCTION_KEY_NOT_ALLOWED));
    };
    return screen;
}

ScreenDefinition mainMenuScreen()
{
    ScreenDefinition screen;
    ScreenDescription &layout = screen.layout;
    layout.name = QLatin1String(MAIN_MENU);
    layout.header = noDataKeysHeader(QVector<int>());
    layout.texts = {
        screenText(1, 2, QStringLiteral("MAIN")),
        screenText(1, 33, QStringLiteral("IBM i Main Menu"), ATTR_HIGH),
        screenText(2, 63, QStringLiteral("System:   {system}")),
        screenText(3, 2, QStringLiteral("Select one of the following:")),
        screenText(5, 6, QStringLiteral("1. User tasks")),
        screenText(6, 6, QStringLiteral("2. Office tasks")),
        screenText(7, 6, QStringLiteral("3. General system tasks")),
        screenText(8, 6, QStringLiteral("4. Files, libraries, and folders")),
        screenText(9, 6, QStringLiteral("5. Programming")),
        screenText(10, 6, QStringLiteral("6. Communications")),
        screenText(11, 6, QStringLiteral("7. Define or change the system")),
        screenText(12, 6, QStringLiteral("8. Problem handling")),
        screenText(13, 6, QStringLiteral("9. Display a menu")),
        screenText(14, 5, QStringLiteral("10. Information Assistant options")),
        screenText(15, 5, QStringLiteral("11. IBM i Access tasks")),
        screenText(17, 5, QStringLiteral("90. Sign off")),
        screenText(19, 2, QStringLiteral("Selection or command")),
        screenText(20, 2, QStringLiteral("===>")),
        screenText(22, 2, QStringLiteral("F3=Exit   F4=Prompt   F9=Retrieve   F12=Cancel   F13=Information Assistant"),
                   ATTR_BLUE),
        screenText(23, 2, QStringLiteral("F23=Set initial menu"), ATTR_BLUE),
        screenText(24, 2, QStringLiteral("{message}"), ATTR_HIGH),
    };
    int optionRow = DEMO_OPTIONS_ROW;
    for (const MenuOption &option : DEMO_OPTIONS)
        layout.texts.append(screenText(optionRow++, DEMO_OPTIONS_COLUMN,
                                       QStringLiteral("%1. %2").arg(option.number).arg(QLatin1String(option.label))));
    layout.fields = {
        inputField(QStringLiteral("command"), 20, 7, 73),
    };
    layout.aids = { AID_ENTER, AID_ROLL_DOWN, AID_ROLL_UP };
    for (int key : MENU_FUNCTION_KEYS)
        layout.aids.append(functionKeyAid(key));
    screen.onAid = [](DemoSession &session, const ReadResponse &response) {
        const int function = functionKeyOf(response.aid);
        if (function == 3) {
            session.log(QStringLiteral("F3 on the main menu: back to sign-on"));
            session.setVariable(QStringLiteral("user"), QString());
            return ScreenReply::show(QLatin1String(SIGN_ON));
        }
        if (function == 12)
            return ScreenReply::show(QLatin1String(MAIN_MENU));
        if (response.aid == AID_ROLL_UP || response.aid == AID_ROLL_DOWN)
            return ScreenReply::show(QLatin1String(MAIN_MENU),
                                     QStringLiteral("Roll up or down beyond first or last record in list."));
        if (response.aid != AID_ENTER)
            return ScreenReply::show(QLatin1String(MAIN_MENU), QLatin1String(FUNCTION_KEY_NOT_ALLOWED));

        const QString command = response.fieldText(QStringLiteral("command")).trimmed().toUpper();
        if (command.isEmpty())
            return ScreenReply::show(QLatin1String(MAIN_MENU));
        if (command == QLatin1String("90") || command == QLatin1String("SIGNOFF")) {
            session.log(QStringLiteral("%1 signed off").arg(session.variable(QStringLiteral("user"))));
            session.setVariable(QStringLiteral("user"), QString());
            return ScreenReply::show(QLatin1String(SIGN_ON));
        }
        bool isOption = false;
        const int option = command.toInt(&isOption);
        for (const MenuOption &demo : DEMO_OPTIONS) {
            if (!isOption || option != demo.number)
                continue;
            if (demo.screen == QLatin1String(CONFIRM_WINDOW))
                return ScreenReply::window(QLatin1String(demo.screen));
            if (demo.screen == QLatin1String(MESSAGES))
                return displayMessages(session);
            return ScreenReply::show(QLatin1String(demo.screen));
        }
        if (isOption && option >= 1 && option <= 11)
            return ScreenReply::show(QLatin1String(MAIN_MENU),
                                     QStringLiteral("Option %1 is not available on this demo system.").arg(option));
        return ScreenReply::show(QLatin1String(MAIN_MENU),
                                 QStringLiteral("Command %1 is not available on this demo system.").arg(command));
    };
    return screen;
}

} // namespace

void registerStandardScreens(ScreenRegistry &registry)
{
    registry.add(signOnScreen());
    registry.add(mainMenuScreen());
    registerEntryScreens(registry);
    registerListScreens(registry);
    registerKeyScreens(registry);
    registerWindowScreens(registry);
}
