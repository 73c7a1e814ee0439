#include "apply.h"

#include "applyguard.h"
#include "core/fileops.h"
#include "extraction.h"
#include "qtcore/qstr.h"
#include "sources.h"

using platform::SS;

QString ApplyQuestion(bool gameRunning, const QString &config) {
  if (gameRunning)
    return QStringLiteral(
        "Ultima Online が実行中であることを確認しました\nUltima Online で現在演奏されている曲は変更できません\n\n"
        "処理を続行しますか？");
  return config + QStringLiteral("を適用しますか？");
}

std::vector<TApplyCopy> ApplyPlan(TSession &s) {
  std::vector<TApplyCopy> plan;
  for (int i = 0; i < kSceneCount; ++i) {
    const TScene &scene = s.SceneTable[i];
    for (TClient client : {TClient::First, TClient::ThirdDawn}) {
      const bool td = client == TClient::ThirdDawn;
      if (td && !s.Folders.HasThirdDawn) continue;
      TApplyCopy copy{i, client, QString(), (td ? s.Folders.MusicDirTD : s.Folders.MusicDir) + "\\" + scene.FileName};
      copy.Source = scene.Source.contains('|') ? ExtractSource(scene.Source, false, s.ArchiveFile, s.WorkFolder)
                                               : ResolveSource(scene.Source, client, s.Folders);
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

// Stages every copy whose source exists and that the guard admits (marked Failed until it is
// placed; refused: why the guard did not admit it); a target that refuses is made writable and
// tried once more. The plan's indices of the staged copies, in the batch's order.
std::vector<size_t> StageCopies(const std::vector<TApplyCopy> &plan, std::vector<TCopyResult> &results,
                                platform::CopyBatch &batch, TApplyGuard &guard, std::vector<QString> &refused) {
  std::vector<size_t> wanted, staged, again;
  std::vector<std::pair<std::string, std::string>> copies, retries;
  for (size_t i = 0; i < plan.size(); ++i) {
    const TApplyCopy &copy = plan[i];
    if (copy.Source.isEmpty() || !platform::FileExists(SS(copy.Source))) continue;
    results[i] = TCopyResult::Failed;
    refused[i] = guard.Admit(copy);
    if (!refused[i].isEmpty()) continue;
    wanted.push_back(i);
    copies.emplace_back(SS(copy.Source), SS(copy.Target));
  }
  const std::vector<bool> first = batch.Stage(copies);
  for (size_t k = 0; k < wanted.size(); ++k) {
    if (first[k]) {
      staged.push_back(wanted[k]);
      continue;
    }
    platform::SetReadOnly(copies[k].second, false);
    again.push_back(wanted[k]);
    retries.push_back(copies[k]);
  }
  const std::vector<bool> second = batch.Stage(retries);
  for (size_t k = 0; k < again.size(); ++k)
    if (second[k]) staged.push_back(again[k]);
  return staged;
}

}  // namespace

TApplyReport ApplyConfig(TSession &s, const std::function<void(const TApplyCopy &, TCopyResult)> &onCopy) {
  s.Store.RecordApplied(s.Store.CurrentConfig);
  // Every copy is written beside its target first; all of them reach the disk with one sync
  // and only then replace the game's files.
  const std::vector<TApplyCopy> plan = ApplyPlan(s);
  std::vector<TCopyResult> results(plan.size(), TCopyResult::Missing);
  platform::CopyBatch batch;
  TApplyGuard guard(s.Folders, s.Store.SettingsPath());
  std::vector<QString> refused(plan.size());
  const std::vector<size_t> staged = StageCopies(plan, results, batch, guard, refused);
  TApplyReport report;
  // What lands in the music folders is recorded before it is placed, so that a later change by
  // the game is told from our own writes (gameupdates.h).
  std::vector<const TApplyCopy *> stagedCopies;
  for (const size_t i : staged) stagedCopies.push_back(&plan[i]);
  if (guard.RecordIntent(stagedCopies)) {
    const std::vector<bool> placed = batch.Place();
    for (size_t k = 0; k < staged.size(); ++k)
      if (placed[k]) {
        results[staged[k]] = TCopyResult::Copied;
        guard.Placed(plan[staged[k]]);
      }
    guard.Finish();
  } else {
    report.RecordNotSaved = guard.RecordPath();
  }
  report.Kept = guard.Kept();

  QString lastMissing;
  for (size_t i = 0; i < plan.size(); ++i) {
    const TApplyCopy &copy = plan[i];
    const TScene &scene = s.SceneTable[copy.Scene];
    switch (results[i]) {
      case TCopyResult::Missing: {
        ++report.Missing;
        // An archive entry is one file for both clients: reported once.
        const QString shown = scene.Source.contains('|') ? scene.Source : copy.Source;
        const QString line = QStringLiteral("\n%1 :  %2 (ファイルがありません)").arg(scene.Name, shown);
        if (line != lastMissing) report.FailureText += line;
        lastMissing = line;
        break;
      }
      case TCopyResult::Copied:
        ++report.Copied;
        break;
      case TCopyResult::Failed:
        ++report.Failed;
        report.FailureText += QStringLiteral("\n%1 :  %2").arg(scene.Name, copy.Target);
        if (!refused[i].isEmpty()) report.FailureText += QStringLiteral(" (%1)").arg(refused[i]);
        break;
    }
    if (onCopy) onCopy(copy, results[i]);
  }
  return report;
}

void ShowApplyFailures(const TApplyReport &report, platform::Dialogs &dialogs) {
  if (report.FailureText.isEmpty()) return;
  dialogs.Message(QStringLiteral("以下のファイルにコピーできませんでした\n\n") + report.FailureText);
  dialogs.Message(QStringLiteral("ファイルを使用中、または書き込み不可属性になっていないか確認して再試行してください"));
}
