// The client's settings: the start-up load, the full save, and the property
// setters behind the interface's settings pages. The keys, their defaults,
// their normalisation and when a change reaches the file are the settings
// table's (src/settings/settingstable.cpp); each setter here normalises its
// value through it, does nothing when that equals the current value,
// otherwise stores, persists and announces it with settingsChanged.
#include "app/tn5250client.h"

#include <QAbstractSocket>
#include <QSettings>
#include <QTimer>
#include <QVariantMap>

#include "codec/ebcdiccodec.h"
#include "settings/schemarepair.h"
#include "settings/settingskeys.h"

using namespace SettingsKeys;

void Tn5250Client::loadSettings()
{
    QSettings settings(settingsFilePath(), QSettings::NativeFormat);
    importLegacySettings(settings);
    migrateProfiles(&settings);
    repairSettings(&settings);
    loadCurrentProfile(settings);
    m_settings.loadGlobal(settings);
}

void Tn5250Client::loadCurrentProfile(QSettings &settings)
{
    // The repair has checked the ids already; read through the same rule all
    // the same, so that no unchecked id can become current.
    m_profileIds.clear();
    const QStringList order = settings.value(QLatin1String(PROFILE_ORDER)).toStringList();
    for (const QString &id : order) {
        if (isValidProfileId(id) && !m_profileIds.contains(id))
            m_profileIds << id;
    }
    if (m_profileIds.isEmpty())
        m_profileIds << QLatin1String(DEFAULT_PROFILE_ID);

    const QString current = settings.value(QLatin1String(PROFILE_CURRENT), m_profileIds.first()).toString();
    m_currentProfileId = m_profileIds.contains(current) ? current : m_profileIds.first();

    m_settings.loadProfile(settings, m_currentProfileId);
    EbcdicCodec::setCodePage(m_settings.number(Settings::CodePage));
    probeSavedPassword(settings);
}

void Tn5250Client::saveSettings()
{
    QSettings settings(settingsFilePath(), QSettings::NativeFormat);
    if (!m_currentProfileId.isEmpty())
        m_settings.saveProfile(settings, m_currentProfileId);
    settings.setValue(QLatin1String(PROFILE_ORDER), m_profileIds);
    settings.setValue(QLatin1String(PROFILE_CURRENT), m_currentProfileId);
    m_settings.saveGlobal(settings);
    settings.setValue(QLatin1String(SCHEMA_VERSION_KEY), SCHEMA_VERSION);

    settings.sync();
    if (settings.status() != QSettings::NoError) {
        setStatus(tr("Could not save Vantorel settings"));
        appendDiagnostic(QStringLiteral("Settings save failed with QSettings status %1")
                             .arg(static_cast<int>(settings.status())));
    }
}

bool Tn5250Client::changeSetting(Settings::Key key, const QVariant &value)
{
    if (!m_settings.set(key, value))
        return false;
    Settings::persist(key, m_settings.value(key), m_currentProfileId);
    return true;
}

void Tn5250Client::setSetting(Settings::Key key, const QVariant &value)
{
    if (changeSetting(key, value))
        emit settingsChanged();
}

QString Tn5250Client::codePageDescription() const
{
    return EbcdicCodec::codePageLabel(codePage());
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

// --- Connection: memory only until the next save ------------------------------

void Tn5250Client::setHost(const QString &host)
{
    setSetting(Settings::Host, host);
}

void Tn5250Client::setPort(int port)
{
    setSetting(Settings::Port, port);
}

void Tn5250Client::setTlsEnabled(bool enabled)
{
    setSetting(Settings::Tls, enabled);
}

void Tn5250Client::setDeviceName(const QString &name)
{
    setSetting(Settings::DeviceName, name);
}

// --- Terminal and display of the profile -------------------------------------

void Tn5250Client::setSupport132(bool enabled)
{
    setSetting(Settings::Support132, enabled);
}

void Tn5250Client::setCodePage(int codePage)
{
    if (!m_settings.set(Settings::CodePage, codePage))
        return;
    // A running connection keeps converting with the code page it started
    // with: the host device was created for it. The next connection applies
    // the new one.
    if (!m_connected)
        EbcdicCodec::setCodePage(this->codePage());
    Settings::persist(Settings::CodePage, this->codePage(), m_currentProfileId);
    if (m_connected)
        setStatus(tr("Code page changed — reconnect to apply it to the IBM i device"));
    emit settingsChanged();
}

void Tn5250Client::setTerminalZoom(double zoom)
{
    setSetting(Settings::Zoom, zoom);
}

void Tn5250Client::setTerminalTheme(int theme)
{
    setSetting(Settings::Theme, theme);
}

// --- Automation of the profile -------------------------------------------------

void Tn5250Client::setAutoConnect(bool on)
{
    setSetting(Settings::AutoConnect, on);
}

void Tn5250Client::setAutoReconnect(bool on)
{
    const bool wasPending = reconnecting();
    if (!changeSetting(Settings::AutoReconnect, on))
        return;
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
    setSetting(Settings::AutoLogin, on);
}

// --- Global switches and choices; what each number means is the interface's ---

void Tn5250Client::setShowKeyboardOnConnect(bool on)
{
    setSetting(Settings::ShowKeyboardOnConnect, on);
}

void Tn5250Client::setKeepDisplayOn(bool on)
{
    setSetting(Settings::KeepDisplayOn, on);
}

void Tn5250Client::setTypeAhead(bool on)
{
    setSetting(Settings::TypeAhead, on);
}

void Tn5250Client::setConfirmDisconnect(bool on)
{
    setSetting(Settings::ConfirmDisconnect, on);
}

void Tn5250Client::setDoubleTapEnter(bool on)
{
    setSetting(Settings::DoubleTapEnter, on);
}

void Tn5250Client::setHotspotsEnabled(bool on)
{
    setSetting(Settings::Hotspots, on);
}

void Tn5250Client::setShowFunctionBar(bool on)
{
    setSetting(Settings::ShowFunctionBar, on);
}

void Tn5250Client::setShowActionBar(bool on)
{
    setSetting(Settings::ShowActionBar, on);
}

void Tn5250Client::setShowStatusBar(bool on)
{
    setSetting(Settings::ShowStatusBar, on);
}

void Tn5250Client::setOrientationLock(int value)
{
    setSetting(Settings::OrientationLock, value);
}

void Tn5250Client::setKeyboardMode(int value)
{
    setSetting(Settings::KeyboardMode, value);
}

void Tn5250Client::setFunctionKeyPage(int value)
{
    setSetting(Settings::FunctionKeyPage, value);
}
