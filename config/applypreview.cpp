#include "applypreview.h"

#include <map>

#include "applyconvert.h"
#include "convertcache.h"
#include "core/fileops.h"
#include "core/winpath.h"
#include "gamerecord.h"
#include "qtcore/qstr.h"

using platform::QS;
using platform::SS;

namespace {

// What becomes of each copy's source that is converted, by the plan's index.
std::map<size_t, TTuneToConvert> TunesOf(TSession &s, const std::vector<TApplyCopy> &copies) {
  std::map<size_t, TTuneToConvert> tunes;
  if (s.MusicSet().Id != QLatin1String("digital")) return tunes;
  const TConvertCache cache;
  for (const TTuneToConvert &tune : TunesToConvert(s, copies, ConvertSetupOf(s), cache, true))
    for (const size_t i : tune.Copies) tunes[i] = tune;
  return tunes;
}

}  // namespace

std::vector<TPlannedCopy> PreviewApply(TSession &s, const QString &name) {
  s.Store.ReadConfig(name);
  const TGameRecord record(s.Folders, s.Store.SettingsPath());
  std::vector<TPlannedCopy> plan;
  const std::vector<TApplyCopy> copies = ApplyPlan(s);
  const std::map<size_t, TTuneToConvert> tunes = TunesOf(s, copies);
  for (size_t i = 0; i < copies.size(); ++i) {
    const TApplyCopy &copy = copies[i];
    TPlannedChange change = TPlannedChange::Missing;
    TPlannedConvert convert = TPlannedConvert::None;
    QString copied = copy.Source, convertError;
    if (const auto tune = tunes.find(i); tune != tunes.end()) {
      convertError = tune->second.Error;
      convert = !convertError.isEmpty()         ? TPlannedConvert::Fails
                : tune->second.Cached.isEmpty() ? TPlannedConvert::Needed
                                                : TPlannedConvert::Cached;
      copied = convert == TPlannedConvert::Cached ? QS(platform::ToWindows(SS(tune->second.Cached))) : QString();
      if (convert != TPlannedConvert::Cached) change = TPlannedChange::Changes;
    }
    if (const auto source = copied.isEmpty() ? std::nullopt : platform::ReadWholeFile(SS(copied)))
      change = platform::ReadWholeFile(SS(copy.Target)) == source ? TPlannedChange::Same : TPlannedChange::Changes;
    // An unassigned scene whose backup is not made yet: the apply makes it from the game's file
    // first, so that file stays as it is; unless the file is one Melodeck wrote, which is never
    // taken as a backup.
    const TScene &scene = s.SceneTable[copy.Scene];
    if (change == TPlannedChange::Missing && scene.Source == scene.FileName && platform::FileExists(SS(copy.Target))) {
      const auto current = StampOf(copy.Target);
      if (current && !record.Replacement(copy.Client, scene.FileName, *current)) change = TPlannedChange::Same;
    }
    plan.push_back({copy, change, convert, convertError});
  }
  return plan;
}
