// The macros of a profile in the settings file (macrostorage.h); running a
// sequence is the client's (src/app/clienttyping.cpp).
#include "settings/macrostorage.h"

#include <QSettings>
#include <QVariantMap>

#include "settings/settingskeys.h"

using namespace SettingsKeys;

namespace MacroStorage {

QVariantList list(const QString &profileId)
{
    QVariantList list;
    if (profileId.isEmpty())
        return list;

    QSettings settings(settingsFilePath(), QSettings::NativeFormat);
    const QString prefix = profilePrefix(profileId);
    const int count = clamped(settings.value(prefix + QLatin1String(MACRO_COUNT), 0).toInt(), 0, MACRO_MAX);
    for (int n = 0; n < count; ++n) {
        QVariantMap entry;
        entry.insert(QStringLiteral("index"), n);
        entry.insert(QStringLiteral("name"), settings.value(prefix + macroKey(n, "name"),
                                                            QStringLiteral("Macro %1").arg(n + 1)).toString());
        entry.insert(QStringLiteral("sequence"), settings.value(prefix + macroKey(n, "sequence")).toString());
        list.append(entry);
    }
    return list;
}

SaveResult save(const QString &profileId, int index, const QString &name, const QString &sequence)
{
    const QString trimmedName = name.trimmed();
    if (trimmedName.isEmpty() || sequence.isEmpty())
        return Incomplete;
    // The sequence is kept as typed: blanks can be meaningful input.
    const QString storedName = trimmedName.left(MACRO_NAME_MAX);
    const QString storedSequence = sequence.left(MACRO_SEQUENCE_MAX);

    QSettings settings(settingsFilePath(), QSettings::NativeFormat);
    const QString prefix = profilePrefix(profileId);
    const int count = settings.value(prefix + QLatin1String(MACRO_COUNT), 0).toInt();
    int slot = 0;
    int newCount = 0;
    if (index < 0) {
        if (count >= MACRO_MAX)
            return Full;
        slot = count <= 0 ? 0 : count;
        newCount = slot + 1;
    } else {
        const int listed = clamped(count, 0, MACRO_MAX);
        if (index >= listed)
            return NoSuchSlot;
        slot = index;
        newCount = listed;
    }

    settings.setValue(prefix + macroKey(slot, "name"), storedName);
    settings.setValue(prefix + macroKey(slot, "sequence"), storedSequence);
    settings.setValue(prefix + QLatin1String(MACRO_COUNT), newCount);
    settings.sync();
    return Saved;
}

bool remove(const QString &profileId, int index)
{
    const QVariantList macros = list(profileId);
    if (index < 0 || index >= macros.size())
        return false;

    // The whole group goes, including anything stored beyond the counted
    // slots, and the remaining macros are written back without a gap.
    QSettings settings(settingsFilePath(), QSettings::NativeFormat);
    const QString prefix = profilePrefix(profileId);
    settings.remove(prefix + QLatin1String(MACROS));
    int slot = 0;
    for (int i = 0; i < macros.size(); ++i) {
        if (i == index)
            continue;
        const QVariantMap entry = macros.at(i).toMap();
        settings.setValue(prefix + macroKey(slot, "name"), entry.value(QStringLiteral("name")));
        settings.setValue(prefix + macroKey(slot, "sequence"), entry.value(QStringLiteral("sequence")));
        ++slot;
    }
    settings.setValue(prefix + QLatin1String(MACRO_COUNT), slot);
    settings.sync();
    return true;
}

} // namespace MacroStorage
