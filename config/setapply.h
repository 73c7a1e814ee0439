// Applying a configuration to a music set other than the one a front end shows: the set gets a
// session of its own, loaded from the settings file, so that a configuration is applied to every
// music set of the game through the one apply of apply.h.
#pragma once

#include "apply.h"

struct TSetApply {
  TBackupReport Backups;  // what loading the configuration for the set found missing
  TApplyReport Report;
};

// Loads configuration name for set (its scene names, its sources, its missing backups) and
// applies it, converting tunes as ApplyConfig does (told to progress); copies of archive entries go through a work
// folder of its own, removed after.
TSetApply ApplyConfigToSet(const QString &programPath, const TGameSet &set, const QString &name,
                           platform::Dialogs &dialogs, TConvertProgress *progress = nullptr);
