#ifndef VANTOREL_MACROSTORAGE_H
#define VANTOREL_MACROSTORAGE_H

#include <QString>
#include <QVariantList>

// The macros of a profile as the settings file keeps them: a count and, per
// slot, a name and a token sequence. The file is the only copy; the list is
// read from it on every call, so the interface always sees the last save.
namespace MacroStorage {

enum SaveResult {
    Saved,
    Incomplete, // no name or no sequence
    Full,       // a new macro, but the profile has the most it may have
    NoSuchSlot  // an index past the list
};

// One map per macro: "index", "name", "sequence". Empty for no profile.
QVariantList list(const QString &profileId);
// Index -1 adds a macro; another index replaces that one.
SaveResult save(const QString &profileId, int index, const QString &name, const QString &sequence);
// False when the index names no macro.
bool remove(const QString &profileId, int index);

} // namespace MacroStorage

#endif
