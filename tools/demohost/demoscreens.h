#ifndef VANTOREL_DEMOHOST_DEMOSCREENS_H
#define VANTOREL_DEMOHOST_DEMOSCREENS_H

class ScreenRegistry;

// The names of the demo host's screens and the texts they share. The screens
// themselves live one concern per file: screens.cpp (sign-on and main menu),
// screens_entry.cpp (the entry form and what the host received),
// screens_list.cpp (a paged list), screens_keys.cpp (a key that sends no
// data, and function-key labels and web addresses for hotspots) and
// screens_window.cpp (a window over the menu, a wide report, messages).
namespace DemoScreens {

const char SIGN_ON[] = "signon";
const char MAIN_MENU[] = "mainmenu";
const char ENTRY_FORM[] = "entryform";
const char ENTRY_RESULT[] = "entryresult";
const char ITEM_LIST[] = "itemlist";
const char REFRESH[] = "refresh";
const char FUNCTION_KEYS[] = "functionkeys";
const char CONFIRM_WINDOW[] = "confirmwindow";
const char WIDE_REPORT[] = "widereport";
const char MESSAGES[] = "messages";

const char FUNCTION_KEY_NOT_ALLOWED[] = "Function key not allowed.";
const char QUANTITY_NOT_ZERO[] = "Quantity must be greater than zero.";

// The sign-on screen's refusals, in IBM i's words (CPF1107, CPF1120).
const char ENTER_USER_NAME[] = "Enter a user profile name.";
const char PASSWORD_NOT_CORRECT[] = "Password not correct for user profile.";
const char USER_DOES_NOT_EXIST[] = "User %1 does not exist."; // %1: the name, upper case

} // namespace DemoScreens

void registerEntryScreens(ScreenRegistry &registry);
void registerListScreens(ScreenRegistry &registry);
void registerKeyScreens(ScreenRegistry &registry);
void registerWindowScreens(ScreenRegistry &registry);

class DemoSession;
struct ScreenReply;
// The message-waiting light: on at sign-on until the messages are displayed.
void turnMessageLightOnOnce(DemoSession &session);
ScreenReply displayMessages(DemoSession &session);

#endif
