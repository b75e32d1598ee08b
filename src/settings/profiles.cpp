// Connection profiles: the list offered to the interface, renaming, and the
// operations that change which profile is current. Every such change ends a
// running or pending connection first, so a session never continues under
// the settings of another profile.
#include "app/tn5250client.h"

#include <QAbstractSocket>
#include <QSettings>
#include <QStringList>
#include <QUuid>
#include <QVariantMap>

#include "settings/settingskeys.h"

using namespace SettingsKeys;

namespace {

QString normalizedProfileName(const QString &name, const char *fallback)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return QLatin1String(fallback);
    return trimmed.left(PROFILE_NAME_MAX);
}

} // namespace

QString Tn5250Client::newProfileId()
{
    // QUuid::createUuid makes a random (version 4) UUID; only its 32 hex
    // digits are kept, so the id is usable as a settings group name as is.
    QString digits = QUuid::createUuid().toString().toLower();
    digits.remove(QLatin1Char('{'));
    digits.remove(QLatin1Char('}'));
    digits.remove(QLatin1Char('-'));
    return QStringLiteral("P") + digits;
}

QString Tn5250Client::profileKey(const QString &key) const
{
    return QStringLiteral("profiles/%1/%2").arg(m_currentProfileId, key);
}

QVariantList Tn5250Client::profiles() const
{
    QSettings settings(settingsFilePath(), QSettings::NativeFormat);
    QVariantList list;
    for (const QString &id : m_profileIds) {
        const QString prefix = profilePrefix(id);
        QVariantMap entry;
        entry.insert(QStringLiteral("id"), id);
        entry.insert(QStringLiteral("name"), settings.value(prefix + QLatin1String(NAME), id).toString());
        entry.insert(QStringLiteral("host"), settings.value(prefix + QLatin1String(HOST), QString()).toString());
        entry.insert(QStringLiteral("active"), id == m_currentProfileId);
        list.append(entry);
    }
    return list;
}

void Tn5250Client::setCurrentProfileName(const QString &name)
{
    const QString normalized = normalizedProfileName(name, RENAMED_PROFILE_NAME);
    if (normalized == m_currentProfileName)
        return;
    m_currentProfileName = normalized;
    QSettings settings(settingsFilePath(), QSettings::NativeFormat);
    settings.setValue(profileKey(QLatin1String(NAME)), m_currentProfileName);
    settings.sync();
    emit profilesChanged();
}

bool Tn5250Client::switchProfile(const QString &profileId)
{
    if (!m_profileIds.contains(profileId))
        return false;
    if (profileId == m_currentProfileId)
        return true;

    saveSettings();
    if (m_socket || m_connected || reconnecting())
        disconnectFromHost();

    QSettings settings(settingsFilePath(), QSettings::NativeFormat);
    m_currentProfileId = profileId;
    settings.setValue(QLatin1String(PROFILE_CURRENT), m_currentProfileId);
    loadCurrentProfile(&settings);
    settings.sync();
    resetProtocolState();

    setStatus(tr("Profile selected: %1").arg(m_currentProfileName));
    emit profilesChanged();
    emit settingsChanged();
    emit credentialsChanged();
    emit macrosChanged();
    return true;
}

bool Tn5250Client::createProfile(const QString &name)
{
    const QString profileName = normalizedProfileName(name, NEW_PROFILE_NAME);
    saveSettings();

    const QString id = newProfileId();
    {
        QSettings settings(settingsFilePath(), QSettings::NativeFormat);
        m_profileIds.append(id);
        settings.setValue(QLatin1String(PROFILE_ORDER), m_profileIds);

        // A new profile starts from the defaults, not from the current one;
        // device name, user name and macros stay absent and read as empty.
        const QString prefix = profilePrefix(id);
        settings.setValue(prefix + QLatin1String(NAME), profileName);
        settings.setValue(prefix + QLatin1String(HOST), QString());
        settings.setValue(prefix + QLatin1String(PORT), DEFAULT_PORT);
        settings.setValue(prefix + QLatin1String(TLS), DEFAULT_TLS);
        settings.setValue(prefix + QLatin1String(SUPPORT_132), DEFAULT_SUPPORT_132);
        settings.setValue(prefix + QLatin1String(CODE_PAGE), DEFAULT_CODE_PAGE);
        settings.setValue(prefix + QLatin1String(ZOOM), DEFAULT_ZOOM);
        settings.setValue(prefix + QLatin1String(THEME), DEFAULT_THEME);
        settings.setValue(prefix + QLatin1String(AUTO_CONNECT), DEFAULT_AUTO_CONNECT);
        settings.setValue(prefix + QLatin1String(AUTO_RECONNECT), DEFAULT_AUTO_RECONNECT);
        settings.setValue(prefix + QLatin1String(AUTO_LOGIN), DEFAULT_AUTO_LOGIN);
        settings.setValue(prefix + QLatin1String(PASSWORD_SAVED), DEFAULT_PASSWORD_SAVED);
        settings.sync();
    }
    return switchProfile(id);
}

bool Tn5250Client::duplicateCurrentProfile()
{
    if (m_currentProfileId.isEmpty())
        return false;
    saveSettings();

    const QString id = newProfileId();
    {
        QSettings settings(settingsFilePath(), QSettings::NativeFormat);
        // Every key of the group, macros and user name included, copied in
        // ascending key order.
        settings.beginGroup(QLatin1String("profiles/") + m_currentProfileId);
        QStringList keys = settings.allKeys();
        keys.sort();
        QVariantList values;
        for (const QString &key : keys)
            values.append(settings.value(key));
        settings.endGroup();

        const QString prefix = profilePrefix(id);
        for (int i = 0; i < keys.size(); ++i)
            settings.setValue(prefix + keys.at(i), values.at(i));

        // Passwords are kept by profile id in the secure store and are not
        // copied; sign-on must therefore not run on its own for the copy.
        settings.setValue(prefix + QLatin1String(NAME), m_currentProfileName + QLatin1String(DUPLICATE_SUFFIX));
        settings.setValue(prefix + QLatin1String(AUTO_LOGIN), false);
        settings.setValue(prefix + QLatin1String(PASSWORD_SAVED), false);

        m_profileIds.append(id);
        settings.setValue(QLatin1String(PROFILE_ORDER), m_profileIds);
        settings.sync();
    }
    return switchProfile(id);
}

bool Tn5250Client::deleteCurrentProfile()
{
    if (m_profileIds.size() <= 1)
        return false;
    if (m_currentProfileId.isEmpty())
        return false;

    if (m_socket || m_connected || reconnecting())
        disconnectFromHost();

    const QString id = m_currentProfileId;
    m_credentialStore.deletePassword(id);

    QSettings settings(settingsFilePath(), QSettings::NativeFormat);
    settings.remove(QLatin1String("profiles/") + id);
    m_profileIds.removeAll(id);
    m_currentProfileId = m_profileIds.isEmpty() ? QString() : m_profileIds.first();
    settings.setValue(QLatin1String(PROFILE_ORDER), m_profileIds);
    settings.setValue(QLatin1String(PROFILE_CURRENT), m_currentProfileId);
    loadCurrentProfile(&settings);
    settings.sync();
    resetProtocolState();

    setStatus(tr("Profile deleted"));
    emit profilesChanged();
    emit settingsChanged();
    emit credentialsChanged();
    emit macrosChanged();
    return true;
}
