#include "apply.h"

#include <QCoreApplication>
#include <unistd.h>

#include "scenetext.h"
#include "applyconvert.h"
#include "applyfailures.h"
#include "applyguard.h"
#include "applyleftovers.h"
#include "backups.h"
#include "convertcache.h"
#include "core/fileops.h"
#include "extraction.h"
#include "qtcore/qstr.h"
#include "sources.h"
#include "stampcache.h"

using platform::SS;

QString ApplyQuestion(bool gameRunning, const QString &config) {
  if (gameRunning)
    return QCoreApplication::translate(
        "Apply",
        "Ultima Online が実行中であることを確認しました\nUltima Online で現在演奏されている曲は変更できません\n\n"
        "処理を続行しますか？");
  return QCoreApplication::translate("Apply", "%1を適用しますか？").arg(config);
}

std::vector<TApplyCopy> ApplyPlan(TSession &s) {
  std::vector<TApplyCopy> plan;
  for (int i = 0; i < s.SceneTable.size(); ++i) {
    const TScene &scene = s.SceneTable[i];
    for (TClient client : {TClient::First, TClient::ThirdDawn}) {
      const bool td = client == TClient::ThirdDawn;
      if (td && !s.Folders.HasThirdDawn) continue;
      TApplyCopy copy{i, client, QString(), MusicPath(s.Folders, client, scene.FileName), scene.FileName};
      const TSource source = TSource::Parse(scene.Source);
      copy.Source = source.IsEntry() ? ExtractSource(source, false, s.WorkFolder) : source.Resolve(client, s.Folders);
      plan.push_back(copy);
    }
  }
  return plan;
}

bool CopyWithRetry(const QString &source, const QString &target) {
  if (platform::CopyFile(SS(source), SS(target), false)) return true;
  platform::SetReadOnly(SS(target), false);
  return platform::CopyFile(SS(source), SS(target), false);
}

namespace {

// Stages every copy whose source is a regular file and that the guard admits (marked Failed
// until it is placed); a target that refuses is made writable and tried once more. The plan's
// indices of the staged copies, in the batch's order.
// Whether the scene's source is of a kind its music set takes; the game's own file always is.
bool OfItsKind(const TMusicSet &set, const TScene &scene) {
  const TSource source = TSource::Parse(scene.Source);
  if (!source.IsEntry() && !source.Path().contains('\\') && !source.Path().contains(':')) return true;
  return set.Takes(source.IsEntry() ? source.EntryPath() : source.Path());
}

std::vector<size_t> StageCopies(const std::vector<TApplyCopy> &plan, std::vector<TApplyOutcome> &outcomes,
                                platform::CopyBatch &batch, TApplyGuard &guard) {
  std::vector<size_t> wanted, staged, again;
  std::vector<std::pair<std::string, std::string>> copies, retries;
  for (size_t i = 0; i < plan.size(); ++i) {
    const TApplyCopy &copy = plan[i];
    outcomes[i].Reason =
        copy.Source.isEmpty() ? platform::CopyFailure::SourceMissing : platform::SourceFailure(SS(copy.Source));
    if (outcomes[i].Reason != platform::CopyFailure::None) continue;
    outcomes[i].Result = TCopyResult::Failed;
    if (outcomes[i].Refusal == TRefusal::WrongKind || !outcomes[i].ConvertError.isEmpty()) continue;
    outcomes[i].Refusal = guard.Admit(copy);
    if (outcomes[i].Refusal != TRefusal::None) continue;
    wanted.push_back(i);
    copies.emplace_back(SS(copy.Source), SS(copy.Target));
  }
  std::vector<platform::CopyFailure> why;
  const std::vector<bool> first = batch.Stage(copies, &why);
  for (size_t k = 0; k < wanted.size(); ++k) {
    if (first[k]) {
      staged.push_back(wanted[k]);
      continue;
    }
    outcomes[wanted[k]].Reason = why[k];
    if (platform::IsSourceFailure(why[k])) continue;
    platform::SetReadOnly(copies[k].second, false);
    again.push_back(wanted[k]);
    retries.push_back(copies[k]);
  }
  const std::vector<bool> second = batch.Stage(retries, &why);
  for (size_t k = 0; k < again.size(); ++k) {
    if (second[k]) staged.push_back(again[k]);
    outcomes[again[k]].Reason = why[k];
  }
  // A source that went away or turned out no regular file is missing, not a failed copy.
  for (const size_t i : wanted)
    if (platform::IsSourceFailure(outcomes[i].Reason)) outcomes[i].Result = TCopyResult::Missing;
  return staged;
}

}  // namespace

namespace {

// Every tune of the plan that is converted, before anything else is done.
TConversions ConvertPlan(TSession &s, const std::vector<TApplyCopy> &plan, TConvertProgress *progress) {
  if (s.MusicSet().Id != QLatin1String("digital")) return {};
  const TConvertCache cache;
  const TConvertSetup setup = ConvertSetupOf(s);
  return ConvertTunes(TunesToConvert(s, plan, setup, cache), setup, cache, progress);
}

void RemoveLeftovers(const TConversions &conversions) {
  for (const QString &path : conversions.Leftovers)
    if (unlink(SS(path).c_str()) != 0) rmdir(SS(path).c_str());
}

}  // namespace

TApplyReport ApplyConfig(TSession &s, const std::function<void(const TApplyCopy &, TCopyResult)> &onCopy,
                         TConvertProgress *progress) {
  // Every copy is written beside its target first; all of them reach the disk with one sync
  // and only then replace the game's files.
  const std::vector<TApplyCopy> plan = ApplyPlan(s);
  TApplyReport report;
  const TConversions conversions = ConvertPlan(s, plan, progress);
  report.Converted = conversions.Converted;
  report.FromCache = conversions.FromCache;
  if (conversions.Cancelled) {
    RemoveLeftovers(conversions);
    report.Cancelled = true;
    return report;
  }
  s.Store.RecordApplied(s.Store.CurrentConfig);
  RemoveApplyLeftovers(s.Folders);
  // The copies as they are made: a converted tune is copied from its MP3.
  std::vector<TApplyCopy> made = plan;
  std::vector<TApplyOutcome> outcomes(plan.size());
  for (size_t i = 0; i < plan.size(); ++i) {
    const TScene &scene = s.SceneTable[plan[i].Scene];
    outcomes[i].Copy = plan[i];
    outcomes[i].SceneName = ShownSceneName(scene);
    if (const TSource source = TSource::Parse(scene.Source); source.IsEntry()) outcomes[i].Entry = source;
    // A file the game could not play in that place is never copied there.
    if (!OfItsKind(s.MusicSet(), scene)) outcomes[i].Refusal = TRefusal::WrongKind;
    if (const auto tune = conversions.Tunes.find(plan[i].Source); tune != conversions.Tunes.end()) {
      outcomes[i].Converted = true;
      outcomes[i].ConvertError = tune->second.Error;
      if (tune->second.Error.isEmpty()) made[i].Source = tune->second.Mp3;
    }
  }
  platform::CopyBatch batch;
  TApplyGuard guard(s.Folders, s.Store.SettingsPath());
  const std::vector<size_t> staged = StageCopies(made, outcomes, batch, guard);
  // What lands in the music folders is recorded before it is placed, so that a later change by
  // the game is told from our own writes (gameupdates.h).
  std::vector<const TApplyCopy *> stagedCopies;
  for (const size_t i : staged) stagedCopies.push_back(&made[i]);
  if (guard.RecordIntent(stagedCopies)) {
    std::vector<platform::CopyFailure> why;
    const std::vector<bool> placed = batch.Place(&why);
    for (size_t k = 0; k < staged.size(); ++k) {
      outcomes[staged[k]].Result = placed[k] ? TCopyResult::Copied : TCopyResult::Failed;
      outcomes[staged[k]].Reason = why[k];
      if (placed[k]) guard.Placed(made[staged[k]]);
    }
    guard.Finish();
  } else {
    report.RecordNotSaved = guard.RecordPath();
    for (const size_t i : staged) outcomes[i].Refusal = TRefusal::RecordNotSaved;
  }
  report.Kept = guard.Kept();

  for (const TApplyOutcome &outcome : outcomes) {
    const TApplyCopy &copy = outcome.Copy;
    switch (outcome.Result) {
      case TCopyResult::Missing:
        ++report.Missing;
        break;
      case TCopyResult::Copied:
        ++report.Copied;
        break;
      case TCopyResult::Failed:
        ++report.Failed;
        break;
    }
    if (onCopy) onCopy(copy, outcome.Result);
  }
  report.Outcomes = std::move(outcomes);
  report.FailureText = FailureLines(report.Outcomes, [](const QString &path) { return path; });
  RemoveLeftovers(conversions);
  SaveStampFile();
  return report;
}
