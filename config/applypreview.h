// What an apply would do, with nothing written: the configuration is read as an apply reads it
// (TConfigStore::ReadConfig: no backups are made, the loaded configuration is replaced in the
// scene table only), and each copy says whether the game's file would change.
#pragma once

#include <vector>

#include "apply.h"

enum class TPlannedChange { Changes, Same, Missing };

struct TPlannedCopy {
  TApplyCopy Copy;
  TPlannedChange Change = TPlannedChange::Missing;
};

// name: a configuration of the list (exactly as listed). Archive entries are extracted into the
// work folder, as an apply would.
std::vector<TPlannedCopy> PreviewApply(TSession &session, const QString &name);
