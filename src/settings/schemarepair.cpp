// Start-up repair of the settings file. Runs inside loadSettings, after the
// legacy import and before anything is read into the client, so whatever an
// older release, a crash or a hand edit left behind is loaded only in its
// repaired form.
//
// Both steps write through the caller's settings object: the loader reads
// the repaired values from it even when the file itself cannot be written.
#include "settings/schemarepair.h"

#include <QSettings>
#include <QStringList>

#include "settings/settingskeys.h"

using namespace SettingsKeys;

namespace {

// The connection keys of the layout before profiles existed, copied into the
// "Default" profile by the migration. The code page and macros were not part
// of that layout.
const char *const FLAT_KEYS[] = {
    HOST, PORT, TLS, DEVICE_NAME, SUPPORT_132, ZOOM, THEME,
    AUTO_CONNECT, AUTO_RECONNECT, AUTO_LOGIN, USER_NAME, PASSWORD_SAVED,
};

struct StoredMacro
{
    QString name;
    QString sequence;
};

// Brings one profile's macro group into shape: a count within 0..12 and, for
// every counted slot, a name and a sequence. When a counted slot is unusable
// the group is rewritten from the usable entries; otherwise it stays as it is.
void repairMacros(QSettings *settings, const QString &prefix)
{
    const int raw = settings->value(prefix + QLatin1String(MACRO_COUNT), 0).toInt();
    const int count = clamped(raw, 0, MACRO_MAX);
    settings->setValue(prefix + QLatin1String(MACRO_COUNT), count);
    if (raw < 1)
        return;

    QList<StoredMacro> valid;
    for (int k = 0; k < count; ++k) {
        const QString name = settings->value(prefix + macroKey(k, "name")).toString().trimmed();
        const QString sequence = settings->value(prefix + macroKey(k, "sequence")).toString();
        if (name.isEmpty() || sequence.isEmpty())
            continue;
        valid.append(StoredMacro{name.left(MACRO_NAME_MAX), sequence.left(MACRO_SEQUENCE_MAX)});
    }
    if (valid.size() == count)
        return;

    settings->remove(prefix + QLatin1String(MACROS));
    for (int slot = 0; slot < valid.size(); ++slot) {
        settings->setValue(prefix + macroKey(slot, "name"), valid.at(slot).name);
        settings->setValue(prefix + macroKey(slot, "sequence"), valid.at(slot).sequence);
    }
    settings->setValue(prefix + QLatin1String(MACRO_COUNT), valid.size());
}

void repairProfile(QSettings *settings, const QString &id)
{
    const QString prefix = profilePrefix(id);

    QString name = boundedProfileName(settings->value(prefix + QLatin1String(NAME), id).toString());
    if (name.isEmpty())
        name = QLatin1String(id == QLatin1String(DEFAULT_PROFILE_ID) ? DEFAULT_PROFILE_NAME
                                                                    : RENAMED_PROFILE_NAME);
    settings->setValue(prefix + QLatin1String(NAME), name);

    const int port = settings->value(prefix + QLatin1String(PORT), DEFAULT_PORT).toInt();
    settings->setValue(prefix + QLatin1String(PORT), clamped(port, PORT_MIN, PORT_MAX));

    const int codePage = settings->value(prefix + QLatin1String(CODE_PAGE), DEFAULT_CODE_PAGE).toInt();
    settings->setValue(prefix + QLatin1String(CODE_PAGE), normalizedCodePage(codePage));

    const double zoom = settings->value(prefix + QLatin1String(ZOOM), DEFAULT_ZOOM).toDouble();
    settings->setValue(prefix + QLatin1String(ZOOM), normalizedZoom(zoom));

    const int theme = settings->value(prefix + QLatin1String(THEME), DEFAULT_THEME).toInt();
    settings->setValue(prefix + QLatin1String(THEME), clamped(theme, 0, THEME_MAX));

    repairMacros(settings, prefix);
}

} // namespace

void migrateProfiles(QSettings *settings)
{
    if (!settings)
        return;
    if (!settings->value(QLatin1String(PROFILE_ORDER)).toStringList().isEmpty())
        return;

    const QString id = QLatin1String(DEFAULT_PROFILE_ID);
    const QString prefix = profilePrefix(id);
    settings->setValue(QLatin1String(PROFILE_ORDER), QStringList(id));
    settings->setValue(QLatin1String(PROFILE_CURRENT), id);
    settings->setValue(prefix + QLatin1String(NAME), QLatin1String(DEFAULT_PROFILE_NAME));
    // The flat keys stay where they are: an older release run again on the
    // same file still finds its settings.
    for (const char *key : FLAT_KEYS) {
        const QString flat = QLatin1String(key);
        if (settings->contains(flat))
            settings->setValue(prefix + flat, settings->value(flat));
    }
    settings->setValue(prefix + QLatin1String(CODE_PAGE), DEFAULT_CODE_PAGE);
    settings->setValue(QLatin1String(PROFILE_SCHEMA_VERSION_KEY), MIGRATED_PROFILE_SCHEMA);
    settings->sync();
}

void repairSettings(QSettings *settings)
{
    if (!settings)
        return;

    QStringList order;
    const QStringList stored = settings->value(QLatin1String(PROFILE_ORDER)).toStringList();
    for (const QString &entry : stored) {
        // Only ids the application could have made stay listed; the groups
        // of the others stay in the file, unread.
        const QString id = entry.trimmed();
        if (isValidProfileId(id) && !order.contains(id))
            order.append(id);
    }
    if (order.isEmpty()) {
        order.append(QLatin1String(DEFAULT_PROFILE_ID));
        settings->setValue(profilePrefix(order.first()) + QLatin1String(NAME),
                           QLatin1String(DEFAULT_PROFILE_NAME));
    }
    settings->setValue(QLatin1String(PROFILE_ORDER), order);

    QString current = settings->value(QLatin1String(PROFILE_CURRENT), order.first()).toString();
    if (!order.contains(current))
        current = order.first();
    settings->setValue(QLatin1String(PROFILE_CURRENT), current);

    for (const QString &id : order)
        repairProfile(settings, id);

    // The two bars come back at every start: hiding them is meant for the
    // session at hand, and a user who cannot find them again is worse off.
    settings->remove(QLatin1String(SHOW_FUNCTION_BAR));
    settings->remove(QLatin1String(SHOW_ACTION_BAR));

    settings->setValue(QLatin1String(PROFILE_SCHEMA_VERSION_KEY), REPAIRED_PROFILE_SCHEMA);
    settings->setValue(QLatin1String(SCHEMA_VERSION_KEY), SCHEMA_VERSION);
    settings->sync();
}
