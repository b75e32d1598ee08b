#ifndef VANTOREL_DEMOHOST_DEMOSCREENS_H
#define VANTOREL_DEMOHOST_DEMOSCREENS_H

class ScreenRegistry;

// The names of the demo host's screens and the texts they share. The screens
// themselves live one concern per file: screens.cpp (sign-on and main menu),
// screens_entry.cpp (the entry form and what the host received),
// screens_list.cpp (a paged list) and screens_keys.cpp (a key that sends no
// data, and function-key labels and web addresses for hotspots).
namespace DemoScreens {

const char SIGN_ON[] = "signon";
const char MAIN_MENU[] = "mainmenu";
const char ENTRY_FORM[] = "entryform";
const char ENTRY_RESULT[] = "entryresult";
const char ITEM_LIST[] = "itemlist";
const char REFRESH[] = "refresh";
const char FUNCTION_KEYS[] = "functionkeys";

const char FUNCTION_KEY_NOT_ALLOWED[] = "Function key not allowed.";

// The sign-on screen's refusals, in IBM i's words (CPF1107, CPF1120).
const char ENTER_USER_NAME[] = "Enter a user profile name.";
const char PASSWORD_NOT_CORRECT[] = "Password not correct for user profile.";
const char USER_DOES_NOT_EXIST[] = "User %1 does not exist."; // %1: the name, upper case

} // namespace DemoScreens

void registerEntryScreens(ScreenRegistry &registry);
void registerListScreens(ScreenRegistry &registry);
void registerKeyScreens(ScreenRegistry &registry);

#endif
