// Where the settings file lies, and the one-time import of the file older
// releases used.
//
// No settings object outlives one operation. Each load or save opens the file
// afresh by path, so there is never a second, stale copy of a value in
// memory besides the client's own.
#include "settings/settingskeys.h"
#include "settings/settingstable.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

using namespace SettingsKeys;

QString settingsFilePath()
{
    const QString directory = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    // A failure shows up later as the access error that saveSettings reports.
    QDir().mkpath(directory);
    return directory + QLatin1Char('/') + QLatin1String(FILE_NAME);
}

void importLegacySettings(QSettings &settings)
{
    if (Settings::readSwitch(settings.value(QLatin1String(LEGACY_IMPORTED)), false))
        return;
    QSettings legacy;
    if (legacy.fileName() != settings.fileName()) {
        const QStringList keys = legacy.allKeys();
        // An old file that could not be read whole (unreadable, damaged) is
        // tried again at the next start instead of being marked done: what
        // it holds would otherwise never be imported.
        if (legacy.status() != QSettings::NoError)
            return;
        for (const QString &key : keys) {
            if (!settings.contains(key))
                settings.setValue(key, legacy.value(key));
        }
    }
    settings.setValue(QLatin1String(LEGACY_IMPORTED), true);
    settings.sync();
}
