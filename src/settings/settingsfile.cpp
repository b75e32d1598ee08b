// The settings file: where it lies, how a start reads it and how the current
// profile and the global preferences are written back.
//
// No settings object outlives one operation. Each load or save opens the file
// afresh by path, so there is never a second, stale copy of a value in
// memory besides the client's own fields.
#include "app/tn5250client.h"

#include <QDir>
#include <QScopedPointer>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

#include "codec/ebcdiccodec.h"
#include "credentials/credentialstore.h"
#include "settings/settingskeys.h"

using namespace SettingsKeys;

QString settingsFilePath()
{
    const QString directory = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    // A failure shows up later as the access error that saveSettings reports.
    QDir().mkpath(directory);
    return directory + QLatin1Char('/') + QLatin1String(FILE_NAME);
}

void Tn5250Client::loadSettings()
{
    QSettings settings(settingsFilePath(), QSettings::NativeFormat);

    // Older releases kept their settings in the default QSettings file of the
    // application. Import it once; keys already in the current file win.
    if (!settings.value(QLatin1String(LEGACY_IMPORTED), false).toBool()) {
        QSettings legacy;
        if (legacy.fileName() != settings.fileName()) {
            const QStringList keys = legacy.allKeys();
            for (const QString &key : keys) {
                if (!settings.contains(key))
                    settings.setValue(key, legacy.value(key));
            }
        }
        settings.setValue(QLatin1String(LEGACY_IMPORTED), true);
        settings.sync();
    }

    migrateProfiles(&settings);
    repairSettings(&settings);
    loadCurrentProfile(&settings);

    m_showKeyboardOnConnect = settings.value(QLatin1String(SHOW_KEYBOARD_ON_CONNECT),
                                             DEFAULT_SHOW_KEYBOARD_ON_CONNECT).toBool();
    m_keepDisplayOn = settings.value(QLatin1String(KEEP_DISPLAY_ON), DEFAULT_KEEP_DISPLAY_ON).toBool();
    m_typeAhead = settings.value(QLatin1String(TYPE_AHEAD), DEFAULT_TYPE_AHEAD).toBool();
    m_confirmDisconnect = settings.value(QLatin1String(CONFIRM_DISCONNECT),
                                         DEFAULT_CONFIRM_DISCONNECT).toBool();
    m_doubleTapEnter = settings.value(QLatin1String(DOUBLE_TAP_ENTER), DEFAULT_DOUBLE_TAP_ENTER).toBool();
    m_hotspotsEnabled = settings.value(QLatin1String(HOTSPOTS), DEFAULT_HOTSPOTS).toBool();
    m_showFunctionBar = settings.value(QLatin1String(SHOW_FUNCTION_BAR), DEFAULT_SHOW_FUNCTION_BAR).toBool();
    m_showActionBar = settings.value(QLatin1String(SHOW_ACTION_BAR), DEFAULT_SHOW_ACTION_BAR).toBool();
    m_showStatusBar = settings.value(QLatin1String(SHOW_STATUS_BAR), DEFAULT_SHOW_STATUS_BAR).toBool();
    m_orientationLock = clamped(settings.value(QLatin1String(ORIENTATION_LOCK), 0).toInt(),
                                0, ORIENTATION_LOCK_MAX);
    m_keyboardMode = clamped(settings.value(QLatin1String(KEYBOARD_MODE), 0).toInt(),
                             0, KEYBOARD_MODE_MAX);
    m_functionKeyPage = clamped(settings.value(QLatin1String(FUNCTION_KEY_PAGE), 0).toInt(),
                                0, FUNCTION_KEY_PAGE_MAX);
}

void Tn5250Client::loadCurrentProfile(QSettings *settings)
{
    QScopedPointer<QSettings> own;
    if (!settings) {
        own.reset(new QSettings(settingsFilePath(), QSettings::NativeFormat));
        settings = own.data();
    }

    m_profileIds = settings->value(QLatin1String(PROFILE_ORDER)).toStringList();
    if (m_profileIds.isEmpty())
        m_profileIds << QLatin1String(DEFAULT_PROFILE_ID);

    const QString current = settings->value(QLatin1String(PROFILE_CURRENT), m_profileIds.first()).toString();
    m_currentProfileId = m_profileIds.contains(current) ? current : m_profileIds.first();

    const QString prefix = profilePrefix(m_currentProfileId);
    m_currentProfileName = settings->value(prefix + QLatin1String(NAME)).toString().trimmed();
    if (m_currentProfileName.isEmpty())
        m_currentProfileName = QLatin1String(DEFAULT_PROFILE_NAME);
    m_host = settings->value(prefix + QLatin1String(HOST), defaultHost()).toString();
    m_port = settings->value(prefix + QLatin1String(PORT), DEFAULT_PORT).toInt();
    m_tlsEnabled = settings->value(prefix + QLatin1String(TLS), DEFAULT_TLS).toBool();
    m_deviceName = settings->value(prefix + QLatin1String(DEVICE_NAME)).toString();
    m_support132 = settings->value(prefix + QLatin1String(SUPPORT_132), DEFAULT_SUPPORT_132).toBool();
    m_codePage = normalizedCodePage(settings->value(prefix + QLatin1String(CODE_PAGE),
                                                    DEFAULT_CODE_PAGE).toInt());
    m_terminalZoom = normalizedZoom(settings->value(prefix + QLatin1String(ZOOM), DEFAULT_ZOOM).toDouble());
    m_terminalTheme = clamped(settings->value(prefix + QLatin1String(THEME), DEFAULT_THEME).toInt(),
                              0, THEME_MAX);
    m_autoConnect = settings->value(prefix + QLatin1String(AUTO_CONNECT), DEFAULT_AUTO_CONNECT).toBool();
    m_autoReconnect = settings->value(prefix + QLatin1String(AUTO_RECONNECT), DEFAULT_AUTO_RECONNECT).toBool();
    m_autoLogin = settings->value(prefix + QLatin1String(AUTO_LOGIN), DEFAULT_AUTO_LOGIN).toBool();
    m_userName = settings->value(prefix + QLatin1String(USER_NAME)).toString();
    m_passwordSaved = settings->value(prefix + QLatin1String(PASSWORD_SAVED), DEFAULT_PASSWORD_SAVED).toBool();

    EbcdicCodec::setCodePage(m_codePage);

    // The flag in the file can lag behind the secure store (a password kept
    // by an older release, or a flag lost with the file). Ask the store, and
    // correct the flag when it does hold a password.
    if (!m_passwordSaved) {
        QString probed;
        if (m_credentialStore.loadPassword(m_currentProfileId, &probed) && !probed.isEmpty()) {
            m_passwordSaved = true;
            settings->setValue(prefix + QLatin1String(PASSWORD_SAVED), true);
            settings->sync();
        }
        // Only the existence of the password mattered; its copy must not
        // linger in released memory.
        scrub(probed);
    }
    m_credentialStatus = m_passwordSaved ? tr("Password saved securely for this profile")
                                         : tr("Password not saved for this profile");
}

void Tn5250Client::saveCurrentProfile(QSettings *settings)
{
    if (m_currentProfileId.isEmpty())
        return;
    QScopedPointer<QSettings> own;
    if (!settings) {
        own.reset(new QSettings(settingsFilePath(), QSettings::NativeFormat));
        settings = own.data();
    }

    // The password itself never goes here; only whether one is stored.
    const QString prefix = profilePrefix(m_currentProfileId);
    settings->setValue(prefix + QLatin1String(NAME), m_currentProfileName);
    settings->setValue(prefix + QLatin1String(HOST), m_host);
    settings->setValue(prefix + QLatin1String(PORT), m_port);
    settings->setValue(prefix + QLatin1String(TLS), m_tlsEnabled);
    settings->setValue(prefix + QLatin1String(DEVICE_NAME), m_deviceName);
    settings->setValue(prefix + QLatin1String(SUPPORT_132), m_support132);
    settings->setValue(prefix + QLatin1String(CODE_PAGE), m_codePage);
    settings->setValue(prefix + QLatin1String(ZOOM), m_terminalZoom);
    settings->setValue(prefix + QLatin1String(THEME), m_terminalTheme);
    settings->setValue(prefix + QLatin1String(AUTO_CONNECT), m_autoConnect);
    settings->setValue(prefix + QLatin1String(AUTO_RECONNECT), m_autoReconnect);
    settings->setValue(prefix + QLatin1String(AUTO_LOGIN), m_autoLogin);
    settings->setValue(prefix + QLatin1String(USER_NAME), m_userName);
    settings->setValue(prefix + QLatin1String(PASSWORD_SAVED), m_passwordSaved);
}

void Tn5250Client::saveSettings()
{
    QSettings settings(settingsFilePath(), QSettings::NativeFormat);
    saveCurrentProfile(&settings);
    settings.setValue(QLatin1String(PROFILE_ORDER), m_profileIds);
    settings.setValue(QLatin1String(PROFILE_CURRENT), m_currentProfileId);

    settings.setValue(QLatin1String(SHOW_KEYBOARD_ON_CONNECT), m_showKeyboardOnConnect);
    settings.setValue(QLatin1String(KEEP_DISPLAY_ON), m_keepDisplayOn);
    settings.setValue(QLatin1String(TYPE_AHEAD), m_typeAhead);
    settings.setValue(QLatin1String(CONFIRM_DISCONNECT), m_confirmDisconnect);
    settings.setValue(QLatin1String(DOUBLE_TAP_ENTER), m_doubleTapEnter);
    settings.setValue(QLatin1String(HOTSPOTS), m_hotspotsEnabled);
    settings.setValue(QLatin1String(SHOW_FUNCTION_BAR), m_showFunctionBar);
    settings.setValue(QLatin1String(SHOW_ACTION_BAR), m_showActionBar);
    settings.setValue(QLatin1String(SHOW_STATUS_BAR), m_showStatusBar);
    settings.setValue(QLatin1String(ORIENTATION_LOCK), m_orientationLock);
    settings.setValue(QLatin1String(KEYBOARD_MODE), m_keyboardMode);
    settings.setValue(QLatin1String(FUNCTION_KEY_PAGE), m_functionKeyPage);
    settings.setValue(QLatin1String(SCHEMA_VERSION_KEY), SCHEMA_VERSION);

    settings.sync();
    if (settings.status() != QSettings::NoError) {
        setStatus(tr("Could not save Vantorel settings"));
        appendDiagnostic(QStringLiteral("Settings save failed with QSettings status %1")
                             .arg(static_cast<int>(settings.status())));
    }
}
