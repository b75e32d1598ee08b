// The macros of the current profile as the settings file keeps them: a
// count and, per slot, a name and a token sequence. The file is the only
// copy; the list is read from it on every call, so the interface always sees
// the last save. Running a sequence is src/protocol/macros.cpp.
#include "app/tn5250client.h"

#include <QSettings>
#include <QVariantMap>

#include "settings/settingskeys.h"

using namespace SettingsKeys;

QVariantList Tn5250Client::macros() const
{
    QVariantList list;
    if (m_currentProfileId.isEmpty())
        return list;

    QSettings settings(settingsFilePath(), QSettings::NativeFormat);
    const QString prefix = profilePrefix(m_currentProfileId);
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

bool Tn5250Client::saveMacro(int index, const QString &name, const QString &sequence)
{
    if (m_currentProfileId.isEmpty())
        return false;
    const QString trimmedName = name.trimmed();
    if (trimmedName.isEmpty() || sequence.isEmpty()) {
        setStatus(tr("Macro name and sequence are required"));
        return false;
    }
    // The sequence is kept as typed: blanks can be meaningful input.
    const QString storedName = trimmedName.left(MACRO_NAME_MAX);
    const QString storedSequence = sequence.left(MACRO_SEQUENCE_MAX);

    QSettings settings(settingsFilePath(), QSettings::NativeFormat);
    const QString prefix = profilePrefix(m_currentProfileId);
    const int count = settings.value(prefix + QLatin1String(MACRO_COUNT), 0).toInt();
    int slot = 0;
    int newCount = 0;
    if (index < 0) {
        if (count >= MACRO_MAX) {
            setStatus(tr("A profile can have up to 12 macros"));
            return false;
        }
        slot = count <= 0 ? 0 : count;
        newCount = slot + 1;
    } else {
        const int listed = clamped(count, 0, MACRO_MAX);
        if (index >= listed)
            return false;
        slot = index;
        newCount = listed;
    }

    settings.setValue(prefix + macroKey(slot, "name"), storedName);
    settings.setValue(prefix + macroKey(slot, "sequence"), storedSequence);
    settings.setValue(prefix + QLatin1String(MACRO_COUNT), newCount);
    settings.sync();

    emit macrosChanged();
    setStatus(tr("Macro saved"));
    return true;
}

bool Tn5250Client::deleteMacro(int index)
{
    const QVariantList list = macros();
    if (index < 0 || index >= list.size())
        return false;

    // The whole group goes, including anything stored beyond the counted
    // slots, and the remaining macros are written back without a gap.
    QSettings settings(settingsFilePath(), QSettings::NativeFormat);
    const QString prefix = profilePrefix(m_currentProfileId);
    settings.remove(prefix + QLatin1String(MACROS));
    int slot = 0;
    for (int i = 0; i < list.size(); ++i) {
        if (i == index)
            continue;
        const QVariantMap entry = list.at(i).toMap();
        settings.setValue(prefix + macroKey(slot, "name"), entry.value(QStringLiteral("name")));
        settings.setValue(prefix + macroKey(slot, "sequence"), entry.value(QStringLiteral("sequence")));
        ++slot;
    }
    settings.setValue(prefix + QLatin1String(MACRO_COUNT), slot);
    settings.sync();

    emit macrosChanged();
    setStatus(tr("Macro deleted"));
    return true;
}
