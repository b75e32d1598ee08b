#ifndef VANTOREL_SCHEMAREPAIR_H
#define VANTOREL_SCHEMAREPAIR_H

class QSettings;

// Start-up care of the settings file, on the loader's settings object (null
// does nothing). The migration moves the flat layout from before profiles
// into a "Default" profile once; the repair brings every profile and the
// profile list into the current schema.
void migrateProfiles(QSettings *settings);
void repairSettings(QSettings *settings);

#endif
