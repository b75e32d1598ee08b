#include "settings/profilestore.h"

#include <QSettings>
#include <QUuid>
#include <QVariantMap>

#include "settings/settingskeys.h"
#include "settings/settingstable.h"

using namespace SettingsKeys;

namespace ProfileStore {

QString newId()
{
    // QUuid::createUuid makes a random (version 4) UUID; only its 32 hex
    // digits are kept, so the id is usable as a settings group name as is.
    QString digits = QUuid::createUuid().toString().toLower();
    digits.remove(QLatin1Char('{'));
    digits.remove(QLatin1Char('}'));
    digits.remove(QLatin1Char('-'));
    return QStringLiteral("P") + digits;
}

QVariantList list(const QStringList &ids, const QString &currentId)
{
    QSettings settings(settingsFilePath(), QSettings::NativeFormat);
    QVariantList profiles;
    for (const QString &id : ids) {
        const QString prefix = profilePrefix(id);
        QVariantMap entry;
        entry.insert(QStringLiteral("id"), id);
        entry.insert(QStringLiteral("name"), settings.value(prefix + QLatin1String(NAME), id).toString());
        entry.insert(QStringLiteral("host"), settings.value(prefix + QLatin1String(HOST), QString()).toString());
        entry.insert(QStringLiteral("active"), id == currentId);
        profiles.append(entry);
    }
    return profiles;
}

void writeNew(QSettings &settings, const QString &id, const QString &name)
{
    using namespace Settings;
    settings.setValue(path(ProfileName, id), name);
    // A new profile has no host of its own yet.
    settings.setValue(path(Host, id), QString());
    const Key defaults[] = { Port, Tls, Support132, CodePage, Zoom, Theme,
                             AutoConnect, AutoReconnect, AutoLogin, PasswordSaved };
    for (Key key : defaults)
        settings.setValue(path(key, id), defaultValue(key));
}

void writeCopy(QSettings &settings, const QString &fromId, const QString &toId, const QString &name)
{
    // Copied in ascending key order.
    settings.beginGroup(profileGroup(fromId));
    QStringList keys = settings.allKeys();
    keys.sort();
    QVariantList values;
    for (const QString &key : keys)
        values.append(settings.value(key));
    settings.endGroup();

    const QString prefix = profilePrefix(toId);
    for (int i = 0; i < keys.size(); ++i)
        settings.setValue(prefix + keys.at(i), values.at(i));

    settings.setValue(prefix + QLatin1String(NAME), name);
    settings.setValue(prefix + QLatin1String(AUTO_LOGIN), false);
    settings.setValue(prefix + QLatin1String(PASSWORD_SAVED), false);
}

} // namespace ProfileStore
