#include "applypreview.h"

#include "core/fileops.h"
#include "gamerecord.h"
#include "qtcore/qstr.h"

using platform::SS;

std::vector<TPlannedCopy> PreviewApply(TSession &s, const QString &name) {
  s.Store.ReadConfig(name);
  const TGameRecord record(s.Folders, s.Store.SettingsPath());
  std::vector<TPlannedCopy> plan;
  for (const TApplyCopy &copy : ApplyPlan(s)) {
    TPlannedChange change = TPlannedChange::Missing;
    if (const auto source = copy.Source.isEmpty() ? std::nullopt : platform::ReadWholeFile(SS(copy.Source)))
      change = platform::ReadWholeFile(SS(copy.Target)) == source ? TPlannedChange::Same : TPlannedChange::Changes;
    // An unassigned scene whose backup is not made yet: the apply makes it from the game's file
    // first, so that file stays as it is; unless the file is one Melodeck wrote, which is never
    // taken as a backup.
    const TScene &scene = s.SceneTable[copy.Scene];
    if (change == TPlannedChange::Missing && scene.Source == scene.FileName && platform::FileExists(SS(copy.Target))) {
      const auto current = StampOf(copy.Target);
      if (current && !record.Replacement(copy.Client, scene.FileName, *current)) change = TPlannedChange::Same;
    }
    plan.push_back({copy, change});
  }
  return plan;
}
