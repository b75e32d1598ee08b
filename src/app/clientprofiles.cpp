// Connection profiles and their macros as the interface sees them: the
// list, renaming, and the operations that change which profile is current.
// Every such change ends a running or pending connection first, so a session
// never continues under the settings of another profile. What the file
// holds is ProfileStore's and MacroStorage's (src/settings).
#include "app/tn5250client.h"

#include <QAbstractSocket>
#include <QSettings>

#include "settings/macrostorage.h"
#include "settings/profilestore.h"
#include "settings/settingskeys.h"

using namespace SettingsKeys;

QVariantList Tn5250Client::profiles() const
{
    return ProfileStore::list(m_profileIds, m_currentProfileId);
}

void Tn5250Client::setCurrentProfileName(const QString &name)
{
    if (changeSetting(Settings::ProfileName, name))
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
    loadCurrentProfile(settings);
    settings.sync();
    resetProtocolState();

    setStatus(tr("Profile selected: %1").arg(currentProfileName()));
    emit profilesChanged();
    emit settingsChanged();
    emit credentialsChanged();
    emit macrosChanged();
    return true;
}

bool Tn5250Client::createProfile(const QString &name)
{
    const QString bounded = boundedProfileName(name);
    const QString profileName = bounded.isEmpty() ? QString(QLatin1String(NEW_PROFILE_NAME)) : bounded;
    saveSettings();

    const QString id = ProfileStore::newId();
    {
        QSettings settings(settingsFilePath(), QSettings::NativeFormat);
        m_profileIds.append(id);
        settings.setValue(QLatin1String(PROFILE_ORDER), m_profileIds);
        ProfileStore::writeNew(settings, id, profileName);
        settings.sync();
    }
    return switchProfile(id);
}

bool Tn5250Client::duplicateCurrentProfile()
{
    if (m_currentProfileId.isEmpty())
        return false;
    saveSettings();

    const QString id = ProfileStore::newId();
    {
        QSettings settings(settingsFilePath(), QSettings::NativeFormat);
        ProfileStore::writeCopy(settings, m_currentProfileId, id,
                                currentProfileName() + QLatin1String(DUPLICATE_SUFFIX));
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
    settings.remove(profileGroup(id));
    m_profileIds.removeAll(id);
    m_currentProfileId = m_profileIds.isEmpty() ? QString() : m_profileIds.first();
    settings.setValue(QLatin1String(PROFILE_ORDER), m_profileIds);
    settings.setValue(QLatin1String(PROFILE_CURRENT), m_currentProfileId);
    loadCurrentProfile(settings);
    settings.sync();
    resetProtocolState();

    setStatus(tr("Profile deleted"));
    emit profilesChanged();
    emit settingsChanged();
    emit credentialsChanged();
    emit macrosChanged();
    return true;
}

// --- Macros of the current profile ------------------------------------------------

QVariantList Tn5250Client::macros() const
{
    return MacroStorage::list(m_currentProfileId);
}

bool Tn5250Client::saveMacro(int index, const QString &name, const QString &sequence)
{
    if (m_currentProfileId.isEmpty())
        return false;
    switch (MacroStorage::save(m_currentProfileId, index, name, sequence)) {
    case MacroStorage::Incomplete:
        setStatus(tr("Macro name and sequence are required"));
        return false;
    case MacroStorage::Full:
        setStatus(tr("A profile can have up to 12 macros"));
        return false;
    case MacroStorage::NoSuchSlot:
        return false;
    case MacroStorage::Saved:
        break;
    }
    emit macrosChanged();
    setStatus(tr("Macro saved"));
    return true;
}

bool Tn5250Client::deleteMacro(int index)
{
    if (!MacroStorage::remove(m_currentProfileId, index))
        return false;
    emit macrosChanged();
    setStatus(tr("Macro deleted"));
    return true;
}
