#ifndef VANTOREL_SETTINGSTABLE_H
#define VANTOREL_SETTINGSTABLE_H

#include <QString>
#include <QVariant>

class QSettings;

// The settings the client mirrors in memory (the current profile's and the
// global preferences), read and written through one table: for each, the
// key, the type, the default when the file has none, the normalisation on
// load and in the setter, and when a change reaches the file.
namespace Settings {

// In the order the file is read and written.
enum Key {
    // Per profile, under "profiles/<id>/".
    ProfileName,
    Host,
    Port,
    Tls,
    DeviceName,
    Support132,
    CodePage,
    Zoom,
    Theme,
    AutoConnect,
    AutoReconnect,
    AutoLogin,
    UserName,
    PasswordSaved,
    // Where the saved login may be sent by itself, and whether it may be.
    LoginHost,
    LoginPort,
    AutoLoginWithoutTls,
    AutoLoginStopped,
    // Global.
    ShowKeyboardOnConnect,
    KeepDisplayOn,
    TypeAhead,
    ConfirmDisconnect,
    DoubleTapEnter,
    Hotspots,
    ShowFunctionBar,
    ShowActionBar,
    ShowStatusBar,
    OrientationLock,
    KeyboardMode,
    FunctionKeyPage,
    KEY_COUNT
};

const int FIRST_PROFILE_KEY = ProfileName;
const int FIRST_GLOBAL_KEY = ShowKeyboardOnConnect;

// When a setter's change reaches the file.
enum Persistence {
    NextSave,     // memory only until the next full save (connection details)
    Stamped,      // written and synced with the schema version (the switches)
    Written,      // written and synced
    Unsynced,     // written, flushed when the settings object closes (the zoom, set in streams)
    ByItsOwner    // not changed by a setter of the table (the saved login's own keys)
};

// The host a first start offers: a public IBM i server, so that a new user
// can try the application before entering a host of their own.
QString defaultHost();

bool perProfile(Key key);
QVariant defaultValue(Key key);
Persistence persistence(Key key);
// The key in the settings file; per-profile keys under the profile's group.
QString path(Key key, const QString &profileId);

// The client's copy of every table setting. Values are kept normalised and
// of their table type; a new object holds the defaults.
class Values
{
public:
    Values();

    const QVariant &value(Key key) const { return m_values[key]; }
    bool flag(Key key) const { return m_values[key].toBool(); }
    int number(Key key) const { return m_values[key].toInt(); }
    double real(Key key) const { return m_values[key].toDouble(); }
    QString text(Key key) const { return m_values[key].toString(); }

    // Normalises the value as the key's setter does; false (and nothing
    // stored) when that equals the current value.
    bool set(Key key, const QVariant &value);
    // Stores the value as given, converted to the key's type.
    void assign(Key key, const QVariant &value);

    // The current profile's keys, applying the load rules.
    void loadProfile(QSettings &settings, const QString &profileId);
    void loadGlobal(QSettings &settings);
    // As they stand, without further normalisation.
    void saveProfile(QSettings &settings, const QString &profileId) const;
    void saveGlobal(QSettings &settings) const;

private:
    QVariant m_values[KEY_COUNT];
};

// A switch as the file holds it. Qt writes "true" and "false", but a hand
// edit or another tool may have written "no", "off" or "0" (any case), which
// read as off, or "yes", "on", "1", which read as on; a number is on unless
// it is zero. Anything else (an empty value, a typo) reads as `fallback`,
// the switch's default, and never as on merely for not being empty.
bool readSwitch(const QVariant &stored, bool fallback);

// Writes one changed value as its key's persistence says.
void persist(Key key, const QVariant &value, const QString &profileId);

} // namespace Settings

#endif
