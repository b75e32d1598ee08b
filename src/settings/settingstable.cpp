#include "settings/settingstable.h"

#include <QSettings>
#include <QtGlobal>

#include "settings/devicename.h"
#include "settings/settingskeys.h"

using namespace SettingsKeys;

namespace Settings {

namespace {

// A public IBM i server, so that a first start can try the application
// before entering a host of its own.
const char DEFAULT_HOST[] = "pub400.com";

enum Type { Bool, Int, Double, String };

typedef QVariant (*Rule)(const QVariant &value);

struct Entry
{
    const char *key;
    Type type;
    QVariant (*defaultValue)();
    Rule onLoad; // null: taken as read
    Rule onSet;  // null: taken as given
    Persistence persistence;
};

template <bool VALUE> QVariant boolean() { return VALUE; }
template <int VALUE> QVariant integer() { return VALUE; }
QVariant none() { return QVariant(); }
QVariant emptyText() { return QString(); }
QVariant hostDefault() { return defaultHost(); }
QVariant zoomDefault() { return DEFAULT_ZOOM; }

QVariant trimmed(const QVariant &value) { return value.toString().trimmed(); }

// A stored name is only trimmed; a blank one reads as the default profile's.
QVariant storedProfileName(const QVariant &value)
{
    const QString name = value.toString().trimmed();
    return name.isEmpty() ? QString(QLatin1String(DEFAULT_PROFILE_NAME)) : name;
}

// A name the user gives: trimmed, bounded, and a blank rename becomes "Profile".
QVariant givenProfileName(const QVariant &value)
{
    const QString name = boundedProfileName(value.toString());
    return name.isEmpty() ? QString(QLatin1String(RENAMED_PROFILE_NAME)) : name;
}

QVariant deviceName(const QVariant &value) { return sanitizeDeviceName(value.toString()); }
QVariant port(const QVariant &value) { return clamped(value.toInt(), PORT_MIN, PORT_MAX); }
QVariant codePage(const QVariant &value) { return normalizedCodePage(value.toInt()); }
QVariant zoom(const QVariant &value) { return normalizedZoom(value.toDouble()); }
QVariant theme(const QVariant &value) { return clamped(value.toInt(), 0, THEME_MAX); }
QVariant orientationLock(const QVariant &value) { return clamped(value.toInt(), 0, ORIENTATION_LOCK_MAX); }
QVariant keyboardMode(const QVariant &value) { return clamped(value.toInt(), 0, KEYBOARD_MODE_MAX); }
QVariant functionKeyPage(const QVariant &value) { return clamped(value.toInt(), 0, FUNCTION_KEY_PAGE_MAX); }
// A recorded port outside 1..65535 is no port: nothing to sign on to there.
QVariant loginPort(const QVariant &value)
{
    const int port = value.toInt();
    return port >= PORT_MIN && port <= PORT_MAX ? port : NO_LOGIN_PORT;
}

// Indexed by Key. Host, port, TLS and device name stay in memory until the
// next full save (at the latest when a connection starts): a half-typed
// host name is not worth a write for every keystroke.
const Entry TABLE[KEY_COUNT] = {
    { NAME,                     String, none,                                       storedProfileName, givenProfileName, Written },
    { HOST,                     String, hostDefault,                                nullptr,           trimmed,          NextSave },
    { PORT,                     Int,    integer<DEFAULT_PORT>,                      nullptr,           port,             NextSave },
    { TLS,                      Bool,   boolean<DEFAULT_TLS>,                       nullptr,           nullptr,          NextSave },
    { DEVICE_NAME,              String, emptyText,                                  nullptr,           deviceName,       NextSave },
    { SUPPORT_132,              Bool,   boolean<DEFAULT_SUPPORT_132>,               nullptr,           nullptr,          Stamped },
    { CODE_PAGE,                Int,    integer<DEFAULT_CODE_PAGE>,                 codePage,          codePage,         Written },
    { ZOOM,                     Double, zoomDefault,                                zoom,              zoom,             Unsynced },
    { THEME,                    Int,    integer<DEFAULT_THEME>,                     theme,             theme,            Written },
    { AUTO_CONNECT,             Bool,   boolean<DEFAULT_AUTO_CONNECT>,              nullptr,           nullptr,          Stamped },
    { AUTO_RECONNECT,           Bool,   boolean<DEFAULT_AUTO_RECONNECT>,            nullptr,           nullptr,          Stamped },
    { AUTO_LOGIN,               Bool,   boolean<DEFAULT_AUTO_LOGIN>,                nullptr,           nullptr,          Stamped },
    { USER_NAME,                String, emptyText,                                  nullptr,           trimmed,          Written },
    { PASSWORD_SAVED,           Bool,   boolean<DEFAULT_PASSWORD_SAVED>,            nullptr,           nullptr,          ByItsOwner },
    { LOGIN_HOST,               String, emptyText,                                  trimmed,           trimmed,          ByItsOwner },
    { LOGIN_PORT,               Int,    integer<NO_LOGIN_PORT>,                     loginPort,         loginPort,        ByItsOwner },
    { AUTO_LOGIN_WITHOUT_TLS,   Bool,   boolean<DEFAULT_AUTO_LOGIN_WITHOUT_TLS>,    nullptr,           nullptr,          Stamped },
    { AUTO_LOGIN_STOPPED,       Bool,   boolean<DEFAULT_AUTO_LOGIN_STOPPED>,        nullptr,           nullptr,          ByItsOwner },
    { SHOW_KEYBOARD_ON_CONNECT, Bool,   boolean<DEFAULT_SHOW_KEYBOARD_ON_CONNECT>,  nullptr,           nullptr,          Stamped },
    { KEEP_DISPLAY_ON,          Bool,   boolean<DEFAULT_KEEP_DISPLAY_ON>,           nullptr,           nullptr,          Stamped },
    { TYPE_AHEAD,               Bool,   boolean<DEFAULT_TYPE_AHEAD>,                nullptr,           nullptr,          Stamped },
    { CONFIRM_DISCONNECT,       Bool,   boolean<DEFAULT_CONFIRM_DISCONNECT>,        nullptr,           nullptr,          Stamped },
    { DOUBLE_TAP_ENTER,         Bool,   boolean<DEFAULT_DOUBLE_TAP_ENTER>,          nullptr,           nullptr,          Stamped },
    { HOTSPOTS,                 Bool,   boolean<DEFAULT_HOTSPOTS>,                  nullptr,           nullptr,          Stamped },
    { SHOW_FUNCTION_BAR,        Bool,   boolean<DEFAULT_SHOW_FUNCTION_BAR>,         nullptr,           nullptr,          Stamped },
    { SHOW_ACTION_BAR,          Bool,   boolean<DEFAULT_SHOW_ACTION_BAR>,           nullptr,           nullptr,          Stamped },
    { SHOW_STATUS_BAR,          Bool,   boolean<DEFAULT_SHOW_STATUS_BAR>,           nullptr,           nullptr,          Stamped },
    { ORIENTATION_LOCK,         Int,    integer<0>,                                 orientationLock,   orientationLock,  Written },
    { KEYBOARD_MODE,            Int,    integer<0>,                                 keyboardMode,      keyboardMode,     Written },
    { FUNCTION_KEY_PAGE,        Int,    integer<0>,                                 functionKeyPage,   functionKeyPage,  Written },
};

// Values of the wrong type are converted the QVariant way (a non-numeric
// text reads as 0); switches are read by readSwitch, falling back to their
// default.
QVariant typed(Type type, const QVariant &value, const QVariant &fallback = QVariant())
{
    switch (type) {
    case Bool:
        return readSwitch(value, fallback.toBool());
    case Int:
        return value.toInt();
    case Double:
        return value.toDouble();
    case String:
        break;
    }
    return value.toString();
}

QVariant loaded(Key key, const QSettings &settings, const QString &profileId)
{
    const Entry &entry = TABLE[key];
    const QVariant stored = settings.value(path(key, profileId), entry.defaultValue());
    return typed(entry.type, entry.onLoad ? entry.onLoad(stored) : stored, entry.defaultValue());
}

const char *const SWITCH_OFF[] = { "false", "no", "off", "0" };
const char *const SWITCH_ON[] = { "true", "yes", "on", "1" };

} // namespace

bool readSwitch(const QVariant &stored, bool fallback)
{
    switch (int(stored.type())) {
    case QVariant::Bool:
        return stored.toBool();
    case QVariant::Int:
    case QVariant::UInt:
    case QVariant::LongLong:
    case QVariant::ULongLong:
    case QVariant::Double:
        return stored.toDouble() != 0.0;
    default:
        break;
    }
    const QString text = stored.toString().trimmed().toLower();
    for (const char *word : SWITCH_OFF) {
        if (text == QLatin1String(word))
            return false;
    }
    for (const char *word : SWITCH_ON) {
        if (text == QLatin1String(word))
            return true;
    }
    bool isNumber = false;
    const double number = text.toDouble(&isNumber);
    return isNumber ? number != 0.0 : fallback;
}

QString defaultHost()
{
    return QLatin1String(DEFAULT_HOST);
}

bool perProfile(Key key)
{
    return key < FIRST_GLOBAL_KEY;
}

QVariant defaultValue(Key key)
{
    return TABLE[key].defaultValue();
}

Persistence persistence(Key key)
{
    return TABLE[key].persistence;
}

QString path(Key key, const QString &profileId)
{
    const QString name = QLatin1String(TABLE[key].key);
    return perProfile(key) ? profilePrefix(profileId) + name : name;
}

Values::Values()
{
    for (int key = 0; key < KEY_COUNT; ++key)
        m_values[key] = typed(TABLE[key].type, TABLE[key].defaultValue(), TABLE[key].defaultValue());
}

bool Values::set(Key key, const QVariant &value)
{
    const Entry &entry = TABLE[key];
    const QVariant normalized = typed(entry.type, entry.onSet ? entry.onSet(value) : value, entry.defaultValue());
    // Smaller changes of the zoom than its step are no change at all.
    const bool same = entry.type == Double ? qAbs(m_values[key].toDouble() - normalized.toDouble()) < ZOOM_STEP
                                           : m_values[key] == normalized;
    if (same)
        return false;
    m_values[key] = normalized;
    return true;
}

void Values::assign(Key key, const QVariant &value)
{
    m_values[key] = typed(TABLE[key].type, value, TABLE[key].defaultValue());
}

void Values::loadProfile(QSettings &settings, const QString &profileId)
{
    for (int key = FIRST_PROFILE_KEY; key < FIRST_GLOBAL_KEY; ++key)
        m_values[key] = loaded(Key(key), settings, profileId);
}

void Values::loadGlobal(QSettings &settings)
{
    for (int key = FIRST_GLOBAL_KEY; key < KEY_COUNT; ++key)
        m_values[key] = loaded(Key(key), settings, QString());
}

void Values::saveProfile(QSettings &settings, const QString &profileId) const
{
    // The password itself never goes here; only whether one is stored.
    for (int key = FIRST_PROFILE_KEY; key < FIRST_GLOBAL_KEY; ++key)
        settings.setValue(path(Key(key), profileId), m_values[key]);
}

void Values::saveGlobal(QSettings &settings) const
{
    for (int key = FIRST_GLOBAL_KEY; key < KEY_COUNT; ++key)
        settings.setValue(path(Key(key), QString()), m_values[key]);
}

void persist(Key key, const QVariant &value, const QString &profileId)
{
    const Persistence mode = TABLE[key].persistence;
    if (mode == NextSave || mode == ByItsOwner)
        return;
    QSettings settings(settingsFilePath(), QSettings::NativeFormat);
    settings.setValue(path(key, profileId), value);
    if (mode == Stamped)
        settings.setValue(QLatin1String(SCHEMA_VERSION_KEY), SCHEMA_VERSION);
    // Pinching the zoom sends a stream of values; those are flushed when the
    // settings object closes instead of with a sync of their own each time.
    if (mode != Unsynced)
        settings.sync();
}

} // namespace Settings
