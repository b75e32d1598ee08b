#ifndef VANTOREL_PROFILESTORE_H
#define VANTOREL_PROFILESTORE_H

#include <QString>
#include <QStringList>
#include <QVariantList>

class QSettings;

// The connection profiles as the settings file keeps them: each a group
// "profiles/<id>/" of keys, listed in "profiles/order". What the client does
// around a change of profile (disconnecting, reloading, the signals) is its
// own; these only read and write the file.
namespace ProfileStore {

// "P" and the 32 lower-case hexadecimal digits of a random UUID.
QString newId();
// One map per id: "id", "name", "host", "active".
QVariantList list(const QStringList &ids, const QString &currentId);
// A new profile from the defaults, not from the current one; device name,
// user name and macros stay absent and read as empty.
void writeNew(QSettings &settings, const QString &id, const QString &name);
// Every key of the group, macros and user name included, under a new id
// and name. Passwords are kept by profile id in the secure store and are not
// copied, so signing on by itself is switched off for the copy.
void writeCopy(QSettings &settings, const QString &fromId, const QString &toId, const QString &name);

} // namespace ProfileStore

#endif
