// The property setters behind the interface's settings pages. Each one
// normalises its value, does nothing when that equals the current value,
// otherwise stores, persists and announces it with settingsChanged.
//
// Host, port, TLS and device name are kept in memory only until the next
// saveSettings (at the latest when a connection starts): a half-typed host
// name is not worth a write for every keystroke. Everything else is written
// at once.
#include "app/tn5250client.h"

#include <QAbstractSocket>
#include <QSettings>
#include <QTimer>
#include <QVariantMap>
#include <QtGlobal>

#include "codec/ebcdiccodec.h"
#include "settings/devicename.h"
#include "settings/settingskeys.h"

using namespace SettingsKeys;

namespace {

template <typename T>
bool changeField(T &field, const T &value)
{
    if (field == value)
        return false;
    field = value;
    return true;
}

void writeValue(const QString &key, const QVariant &value)
{
    QSettings settings(settingsFilePath(), QSettings::NativeFormat);
    settings.setValue(key, value);
    settings.sync();
}

// An on/off preference: stored with the schema stamp (a boolean write).
void storeSwitch(Tn5250Client &client, bool &field, bool value, const QString &key)
{
    if (!changeField(field, value))
        return;
    client.saveBooleanSetting(key, value);
    emit client.settingsChanged();
}

// A numbered choice, already clamped into its range (a value write).
void storeChoice(Tn5250Client &client, int &field, int value, const QString &key)
{
    if (!changeField(field, value))
        return;
    writeValue(key, value);
    emit client.settingsChanged();
}

} // namespace

QString Tn5250Client::codePageDescription() const
{
    return EbcdicCodec::codePageLabel(m_codePage);
}

QVariantList Tn5250Client::codePageOptions() const
{
    QVariantList options;
    const QList<int> codePages = EbcdicCodec::supportedCodePages();
    for (int codePage : codePages) {
        QVariantMap option;
        option.insert(QStringLiteral("value"), codePage);
        option.insert(QStringLiteral("label"), EbcdicCodec::codePageLabel(codePage));
        options.append(option);
    }
    return options;
}

void Tn5250Client::saveBooleanSetting(const QString &key, bool value)
{
    QSettings settings(settingsFilePath(), QSettings::NativeFormat);
    settings.setValue(key, value);
    settings.setValue(QLatin1String(SCHEMA_VERSION_KEY), SCHEMA_VERSION);
    settings.sync();
}

// --- Connection: memory only -------------------------------------------------

void Tn5250Client::setHost(const QString &host)
{
    if (changeField(m_host, host.trimmed()))
        emit settingsChanged();
}

void Tn5250Client::setPort(int port)
{
    if (changeField(m_port, clamped(port, PORT_MIN, PORT_MAX)))
        emit settingsChanged();
}

void Tn5250Client::setTlsEnabled(bool enabled)
{
    if (changeField(m_tlsEnabled, enabled))
        emit settingsChanged();
}

void Tn5250Client::setDeviceName(const QString &name)
{
    if (changeField(m_deviceName, sanitizeDeviceName(name)))
        emit settingsChanged();
}

// --- Terminal and display of the profile -------------------------------------

void Tn5250Client::setSupport132(bool enabled)
{
    if (!changeField(m_support132, enabled))
        return;
    QSettings settings(settingsFilePath(), QSettings::NativeFormat);
    settings.setValue(profileKey(QLatin1String(SUPPORT_132)), m_support132);
    settings.setValue(QLatin1String(SCHEMA_VERSION_KEY), SCHEMA_VERSION);
    settings.sync();
    emit settingsChanged();
}

void Tn5250Client::setCodePage(int codePage)
{
    if (!changeField(m_codePage, normalizedCodePage(codePage)))
        return;
    // A running connection keeps converting with the code page it started
    // with: the host device was created for it. The next connection applies
    // the new one.
    if (!m_connected)
        EbcdicCodec::setCodePage(m_codePage);
    writeValue(profileKey(QLatin1String(CODE_PAGE)), m_codePage);
    if (m_connected)
        setStatus(tr("Code page changed — reconnect to apply it to the IBM i device"));
    emit settingsChanged();
}

void Tn5250Client::setTerminalZoom(double zoom)
{
    const double normalized = normalizedZoom(zoom);
    if (qAbs(m_terminalZoom - normalized) < ZOOM_STEP)
        return;
    m_terminalZoom = normalized;
    // Pinching sends a stream of values; the file is flushed when the
    // settings object closes instead of with a sync of its own each time.
    QSettings settings(settingsFilePath(), QSettings::NativeFormat);
    settings.setValue(profileKey(QLatin1String(ZOOM)), m_terminalZoom);
    emit settingsChanged();
}

void Tn5250Client::setTerminalTheme(int theme)
{
    storeChoice(*this, m_terminalTheme, clamped(theme, 0, THEME_MAX), profileKey(QLatin1String(THEME)));
}

// --- Automation of the profile -------------------------------------------------

void Tn5250Client::setAutoConnect(bool on)
{
    storeSwitch(*this, m_autoConnect, on, profileKey(QLatin1String(AUTO_CONNECT)));
}

void Tn5250Client::setAutoReconnect(bool on)
{
    if (on == m_autoReconnect)
        return;
    const bool wasPending = reconnecting();
    m_autoReconnect = on;
    saveBooleanSetting(profileKey(QLatin1String(AUTO_RECONNECT)), on);
    if (!on) {
        // Switching it off ends a wait between attempts at once; with no
        // socket left the client is simply disconnected.
        const bool pending = reconnecting();
        m_reconnectTimer->stop();
        if (pending)
            emit connectionInfoChanged();
        if (wasPending && !m_connected && !m_socket) {
            setConnectionState(QStringLiteral("Disconnected"));
            setStatus(tr("Disconnected"));
        }
    }
    emit settingsChanged();
}

void Tn5250Client::setAutoLogin(bool on)
{
    storeSwitch(*this, m_autoLogin, on, profileKey(QLatin1String(AUTO_LOGIN)));
}

// --- Global switches ------------------------------------------------------------

void Tn5250Client::setShowKeyboardOnConnect(bool on)
{
    storeSwitch(*this, m_showKeyboardOnConnect, on, QLatin1String(SHOW_KEYBOARD_ON_CONNECT));
}

void Tn5250Client::setKeepDisplayOn(bool on)
{
    storeSwitch(*this, m_keepDisplayOn, on, QLatin1String(KEEP_DISPLAY_ON));
}

void Tn5250Client::setTypeAhead(bool on)
{
    storeSwitch(*this, m_typeAhead, on, QLatin1String(TYPE_AHEAD));
}

void Tn5250Client::setConfirmDisconnect(bool on)
{
    storeSwitch(*this, m_confirmDisconnect, on, QLatin1String(CONFIRM_DISCONNECT));
}

void Tn5250Client::setDoubleTapEnter(bool on)
{
    storeSwitch(*this, m_doubleTapEnter, on, QLatin1String(DOUBLE_TAP_ENTER));
}

void Tn5250Client::setHotspotsEnabled(bool on)
{
    storeSwitch(*this, m_hotspotsEnabled, on, QLatin1String(HOTSPOTS));
}

void Tn5250Client::setShowFunctionBar(bool on)
{
    storeSwitch(*this, m_showFunctionBar, on, QLatin1String(SHOW_FUNCTION_BAR));
}

void Tn5250Client::setShowActionBar(bool on)
{
    storeSwitch(*this, m_showActionBar, on, QLatin1String(SHOW_ACTION_BAR));
}

void Tn5250Client::setShowStatusBar(bool on)
{
    storeSwitch(*this, m_showStatusBar, on, QLatin1String(SHOW_STATUS_BAR));
}

// --- Global choices; what each number means is the interface's business -------

void Tn5250Client::setOrientationLock(int value)
{
    storeChoice(*this, m_orientationLock, clamped(value, 0, ORIENTATION_LOCK_MAX),
                QLatin1String(ORIENTATION_LOCK));
}

void Tn5250Client::setKeyboardMode(int value)
{
    storeChoice(*this, m_keyboardMode, clamped(value, 0, KEYBOARD_MODE_MAX),
                QLatin1String(KEYBOARD_MODE));
}

void Tn5250Client::setFunctionKeyPage(int value)
{
    storeChoice(*this, m_functionKeyPage, clamped(value, 0, FUNCTION_KEY_PAGE_MAX),
                QLatin1String(FUNCTION_KEY_PAGE));
}
