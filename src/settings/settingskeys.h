#ifndef VANTOREL_SETTINGSKEYS_H
#define VANTOREL_SETTINGSKEYS_H

#include <QString>

#include "codec/ebcdiccodec.h"

// Every key of the settings file, its default and the range its value is
// kept in, written once. The loader, the start-up repair, the preference
// setters and the profile operations all read from this block, so a default
// or a limit changes in one place only.
//
// Per-profile keys are relative: they live under "profiles/<id>/".
namespace SettingsKeys {

// --- The file ---------------------------------------------------------------
constexpr char FILE_NAME[] = "harbour-vantorel.conf";
constexpr int SCHEMA_VERSION = 6;          // "settings/schemaVersion"
constexpr int MIGRATED_PROFILE_SCHEMA = 1; // written by the flat-layout migration
constexpr int REPAIRED_PROFILE_SCHEMA = 2; // written by every start-up repair

// --- Global keys --------------------------------------------------------------
constexpr char PROFILE_ORDER[] = "profiles/order";
constexpr char PROFILE_CURRENT[] = "profiles/current";
constexpr char SCHEMA_VERSION_KEY[] = "settings/schemaVersion";
constexpr char PROFILE_SCHEMA_VERSION_KEY[] = "settings/profileSchemaVersion";
constexpr char LEGACY_IMPORTED[] = "settings/sandboxSettingsMigrated";

constexpr char SHOW_KEYBOARD_ON_CONNECT[] = "automation/showKeyboardOnConnect";
constexpr char KEEP_DISPLAY_ON[] = "ui/keepDisplayOn";
constexpr char TYPE_AHEAD[] = "terminal/typeAhead";
constexpr char CONFIRM_DISCONNECT[] = "terminal/confirmDisconnect";
constexpr char DOUBLE_TAP_ENTER[] = "terminal/doubleTapEnter";
constexpr char HOTSPOTS[] = "terminal/hotspots";
constexpr char SHOW_FUNCTION_BAR[] = "ui/showFunctionBar";
constexpr char SHOW_ACTION_BAR[] = "ui/showActionBar";
constexpr char SHOW_STATUS_BAR[] = "ui/showStatusBar";
constexpr char ORIENTATION_LOCK[] = "ui/orientationLock";
constexpr char KEYBOARD_MODE[] = "ui/keyboardMode";
constexpr char FUNCTION_KEY_PAGE[] = "ui/functionKeyPage";

constexpr bool DEFAULT_SHOW_KEYBOARD_ON_CONNECT = false;
constexpr bool DEFAULT_KEEP_DISPLAY_ON = false;
constexpr bool DEFAULT_TYPE_AHEAD = false;
constexpr bool DEFAULT_CONFIRM_DISCONNECT = true;
constexpr bool DEFAULT_DOUBLE_TAP_ENTER = true;
constexpr bool DEFAULT_HOTSPOTS = true;
constexpr bool DEFAULT_SHOW_FUNCTION_BAR = true;
constexpr bool DEFAULT_SHOW_ACTION_BAR = true;
constexpr bool DEFAULT_SHOW_STATUS_BAR = true;
constexpr int ORIENTATION_LOCK_MAX = 2;
constexpr int KEYBOARD_MODE_MAX = 3;
constexpr int FUNCTION_KEY_PAGE_MAX = 2;

// --- Per-profile keys -----------------------------------------------------------
constexpr char NAME[] = "name";
constexpr char HOST[] = "connection/host";
constexpr char PORT[] = "connection/port";
constexpr char TLS[] = "connection/tls";
constexpr char DEVICE_NAME[] = "connection/deviceName";
constexpr char SUPPORT_132[] = "terminal/support132";
constexpr char CODE_PAGE[] = "terminal/codePage";
constexpr char ZOOM[] = "display/zoom";
constexpr char THEME[] = "display/theme";
constexpr char AUTO_CONNECT[] = "automation/autoConnect";
constexpr char AUTO_RECONNECT[] = "automation/autoReconnect";
constexpr char AUTO_LOGIN[] = "automation/autoLogin";
constexpr char USER_NAME[] = "login/userName";
constexpr char PASSWORD_SAVED[] = "login/passwordSaved";
// The host and port the saved password was saved for; automatic sign-on
// happens only there. Absent in files of older releases (see clientlogin.cpp).
constexpr char LOGIN_HOST[] = "login/host";
constexpr char LOGIN_PORT[] = "login/port";
// Automatic sign-on over a connection without TLS, which sends the password
// readable to anyone on the way: off unless the user turns it on.
constexpr char AUTO_LOGIN_WITHOUT_TLS[] = "automation/autoLoginWithoutTls";
// Set when the host refused an automatic sign-on; automatic sign-on then
// waits until the user signs on by hand or saves the login again.
constexpr char AUTO_LOGIN_STOPPED[] = "login/autoLoginStopped";
constexpr char MACROS[] = "macros";
constexpr char MACRO_COUNT[] = "macros/count";

constexpr char DEFAULT_PROFILE_ID[] = "Default";
constexpr char DEFAULT_PROFILE_NAME[] = "Default";
constexpr char RENAMED_PROFILE_NAME[] = "Profile";   // a blank rename or repaired name
constexpr char NEW_PROFILE_NAME[] = "New profile";   // a blank name given to createProfile
constexpr char DUPLICATE_SUFFIX[] = " copy";
constexpr int PROFILE_NAME_MAX = 40;

constexpr int DEFAULT_PORT = 992;
constexpr int PORT_MIN = 1;
constexpr int PORT_MAX = 65535;
constexpr bool DEFAULT_TLS = true;
constexpr bool DEFAULT_SUPPORT_132 = false;
constexpr int DEFAULT_CODE_PAGE = 37;
constexpr double DEFAULT_ZOOM = 1.25;
constexpr double ZOOM_MIN = 0.5;
constexpr double ZOOM_MAX = 3.0;
constexpr double ZOOM_STEP = 0.001; // smaller changes of the zoom are ignored
constexpr int DEFAULT_THEME = 0;
constexpr int THEME_MAX = 3;
constexpr bool DEFAULT_AUTO_CONNECT = false;
constexpr bool DEFAULT_AUTO_RECONNECT = false;
constexpr bool DEFAULT_AUTO_LOGIN = false;
constexpr bool DEFAULT_PASSWORD_SAVED = false;
constexpr int NO_LOGIN_PORT = 0;  // no port recorded with the saved login
constexpr bool DEFAULT_AUTO_LOGIN_WITHOUT_TLS = false;
constexpr bool DEFAULT_AUTO_LOGIN_STOPPED = false;

// --- Macros of a profile, under "profiles/<id>/macros/" ----------------------
constexpr int MACRO_MAX = 12;
constexpr int MACRO_NAME_MAX = 24;
constexpr int MACRO_SEQUENCE_MAX = 512;

// --- Normalisation, the same on load, on repair and in the setters ---------------
inline int clamped(int value, int low, int high)
{
    return value < low ? low : (value > high ? high : value);
}

// Also catches NaN: a value that is not above the minimum, including one that
// is not a number at all, becomes the minimum.
inline double normalizedZoom(double zoom)
{
    if (zoom > ZOOM_MAX)
        return ZOOM_MAX;
    if (!(zoom > ZOOM_MIN))
        return ZOOM_MIN;
    return zoom;
}

inline int normalizedCodePage(int codePage)
{
    return EbcdicCodec::supportedCodePages().contains(codePage) ? codePage : DEFAULT_CODE_PAGE;
}

// A profile name as stored: trimmed, cut to its first 40 characters, and
// trimmed again, since the cut may end in white space (or in the first half
// of a surrogate pair, which is dropped). Trimming only before the cut left
// a name that the next start's repair changed once more; this form is its
// own result, so a repair run twice changes nothing the second time. Empty
// when nothing is left; the caller picks the default.
inline QString boundedProfileName(const QString &name)
{
    QString bounded = name.trimmed().left(PROFILE_NAME_MAX);
    if (!bounded.isEmpty() && bounded.at(bounded.size() - 1).isHighSurrogate())
        bounded.chop(1);
    return bounded.trimmed();
}

// A profile id as the application makes them: "Default", or "P" and the 32
// lower-case hexadecimal digits of a UUID. Nothing else may name a settings
// group: an id such as "/" would make the profile's group the whole
// "profiles" group (deleting it would delete every profile), and one without
// letters or digits would share the Default profile's older secret names.
inline bool isValidProfileId(const QString &id)
{
    if (id == QLatin1String(DEFAULT_PROFILE_ID))
        return true;
    if (id.size() != 33 || id.at(0) != QLatin1Char('P'))
        return false;
    for (int i = 1; i < id.size(); ++i) {
        const ushort c = id.at(i).unicode();
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    }
    return true;
}

// The group of a profile's keys, "profiles/<id>". An id that is not valid
// gets a group of its own that no profile can have and that nothing lists,
// so that whatever a caller does with it cannot reach another profile's
// keys (or all of them).
inline QString profileGroup(const QString &profileId)
{
    return QLatin1String("profiles/")
        + (isValidProfileId(profileId) ? profileId : QStringLiteral("unchecked-id"));
}

inline QString profilePrefix(const QString &profileId)
{
    return profileGroup(profileId) + QLatin1Char('/');
}

inline QString macroKey(int slot, const char *field)
{
    return QLatin1String(MACROS) + QLatin1Char('/') + QString::number(slot) + QLatin1Char('/')
        + QLatin1String(field);
}

} // namespace SettingsKeys

// The full path of the settings file in the per-application configuration
// directory; the directory is created (with its parents) on every call
// (settingsfile.cpp).
QString settingsFilePath();

class QSettings;
// Older releases kept their settings in the default QSettings file of the
// application: copies its keys once, those already in the file winning, and
// notes that it did (settingsfile.cpp).
void importLegacySettings(QSettings &settings);

#endif
