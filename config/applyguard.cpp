#include "applyguard.h"

#include <QCoreApplication>

#include "backups.h"
#include "core/fileops.h"
#include "core/winpath.h"
#include "gameupdates.h"
#include "qtcore/qstr.h"
#include "stampcache.h"

using platform::SS;

namespace {

TClient ClientOf(const TApplyCopy &copy) { return copy.Client; }
QString FileNameOf(const TApplyCopy &copy) {
  return copy.FileName.isEmpty() ? copy.Target.mid(copy.Target.lastIndexOf('\\') + 1) : copy.FileName;
}

}  // namespace

TApplyGuard::TApplyGuard(const TGameFolders &folders, const QString &settingsPath, const QDateTime &now)
    : folders_(folders), record_(folders, settingsPath), now_(now) {}

TRefusal TApplyGuard::Admit(const TApplyCopy &copy) {
  const TClient client = ClientOf(copy);
  const QString name = FileNameOf(copy);
  // A source that serves both clients is read once.
  auto read = readSources_.find(copy.Source);
  if (read == readSources_.end()) read = readSources_.emplace(copy.Source, StampOf(copy.Source)).first;
  const std::optional<TFileStamp> &source = read->second;
  if (!source) return TRefusal::None;  // the copy itself fails and says so
  const QString backup = BackupPath(folders_, client, name);
  sources_[copy.Target] = {*source, copy.Source.compare(backup, Qt::CaseInsensitive) == 0};
  const auto current = StampOf(copy.Target);
  if (!current && !platform::FileExists(SS(copy.Target))) return TRefusal::None;  // no game file to lose
  const TBackupState state = EnsureBackup(folders_, client, name, record_);
  if (state == TBackupState::Ours || state == TBackupState::Failed) return TRefusal::NoBackup;
  if (!current) return TRefusal::TargetUnreadable;
  if (*current == *source || record_.Recorded(client, name, *current) || StampOf(backup) == current)
    return TRefusal::None;
  // Neither the game's backup nor ours: whatever it is (a patch of the game while no record
  // was kept), it stays beside the backup.
  const QString keptAs = FreeDatedPath(backup.left(backup.lastIndexOf('\\')), name, now_);
  if (!platform::CopyFile(SS(copy.Target), SS(keptAs), true)) return TRefusal::CannotKeep;
  kept_.push_back({copy, keptAs});
  return TRefusal::None;
}

bool TApplyGuard::RecordIntent(const std::vector<const TApplyCopy *> &staged) {
  for (const TApplyCopy *copy : staged)
    if (const auto it = sources_.find(copy->Target); it != sources_.end())
      record_.Add(ClientOf(*copy), FileNameOf(*copy), it->second.Stamp, it->second.GameOwn);
  recordPath_ = record_.Save();
  return recordPath_.isEmpty();
}

void TApplyGuard::Placed(const TApplyCopy &copy) {
  const auto it = sources_.find(copy.Target);
  if (it == sources_.end()) return;
  record_.Set(ClientOf(copy), FileNameOf(copy), it->second.Stamp, it->second.GameOwn);
  // The next apply, and the look for the game's updates, need not read the copy again.
  LearnCopyStamp(platform::ToLinux(SS(copy.Source)), platform::ToLinux(SS(copy.Target)), it->second.Stamp);
}

QStringList ApplyNotes(const TApplyReport &report) {
  QStringList notes;
  if (!report.RecordNotSaved.isEmpty())
    notes << QCoreApplication::translate(
                 "Apply",
                 "書き込んだファイルの記録を保存できないため, ゲームの音楽ファイルは置き換えませんでした.\n"
                 "ディスクの空きと書き込みの許可を確認してください.\n\n%1")
                 .arg(report.RecordNotSaved);
  if (!report.Kept.empty()) {
    QString text =
        QCoreApplication::translate("Apply",
                                    "次の音楽ファイルはバックアップとも Melodeck が書き込んだものとも違っていました.\n"
                                    "置き換える前に, 日付を付けた名前でバックアップのフォルダに残してあります.\n");
    for (const TKeptFile &k : report.Kept) text += "\n" + k.Copy.Target + "\n  → " + k.KeptAs;
    notes << text;
  }
  return notes;
}
