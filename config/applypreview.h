// What an apply would do, with nothing written: the configuration is read as an apply reads it
// (TConfigStore::ReadConfig: no backups are made, the loaded configuration is replaced in the
// scene table only), and each copy says whether the game's file would change.
#pragma once

#include <vector>

#include "apply.h"

enum class TPlannedChange { Changes, Same, Missing };

// Whether the source is converted to an MP3 first (applyconvert.h), and whether the cache of
// converted tunes holds it already.
enum class TPlannedConvert { None, Cached, Needed, Fails };

struct TPlannedCopy {
  TApplyCopy Copy;
  TPlannedChange Change = TPlannedChange::Missing;
  TPlannedConvert Convert = TPlannedConvert::None;
  QString ConvertError;  // why it can't be converted, when that is known without converting
};

// name: a configuration of the list (exactly as listed). Archive entries are extracted into the
// work folder, as an apply would. A converted tune found in the cache is compared as the MP3 it
// became; one to convert changes its track. The cache is left as it was.
std::vector<TPlannedCopy> PreviewApply(TSession &session, const QString &name);
