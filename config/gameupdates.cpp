#include "gameupdates.h"

#include "core/fileops.h"
#include "configstore.h"
#include "core/inifile.h"
#include "qtcore/qstr.h"
#include "scenetable.h"
#include "writtenrecord.h"

using platform::SS;

namespace {

bool NeverApplied(const QString &settingsPath) {
  return platform::IniFile(SS(settingsPath)).ReadString(kSettingsSection, "LastConfig", "").empty();
}

// A name beside the backup that is not taken yet.
QString FreeDatedPath(const QString &folder, const QString &fileName, const QDateTime &now) {
  QString path = folder + "\\" + DatedBackupName(fileName, now);
  for (int n = 2; platform::FileExists(SS(path)); ++n) path = folder + "\\" + DatedBackupName(fileName, now, n);
  return path;
}

}  // namespace

QString DatedBackupName(const QString &fileName, const QDateTime &when, int n) {
  const qsizetype dot = fileName.lastIndexOf('.');
  const QString stem = dot > 0 ? fileName.left(dot) : fileName;
  const QString ext = dot > 0 ? fileName.mid(dot) : QString();
  const QString count = n > 1 ? "-" + QString::number(n) : QString();
  return stem + "_" + when.toString(QStringLiteral("yyyyMMdd-HHmmss")) + count + ext;
}

std::vector<TGameUpdate> AdoptGameUpdates(const TGameFolders &folders, const QString &settingsPath,
                                          platform::Dialogs &dialogs, const QDateTime &now) {
  const QString recordPath = WrittenRecordPath(settingsPath);
  TWrittenRecord record(recordPath);
  const bool neverApplied = NeverApplied(settingsPath);
  std::vector<TGameUpdate> updates;
  for (const TScene &scene : BuiltInSceneTable()) {
    for (const bool td : {false, true}) {
      if (td && !folders.HasThirdDawn) continue;
      const QString music = td ? folders.MusicDirTD : folders.MusicDir;
      const QString backupDir = td ? folders.DefaultDirTD : folders.DefaultDir;
      const QString target = music + "\\" + scene.FileName;
      const QString backup = backupDir + "\\" + scene.FileName;
      const auto current = StampOf(target);
      const auto saved = StampOf(backup);
      if (!current || !saved || *current == *saved) continue;
      const auto written = record.Find(target);
      if (written ? *written == *current : !neverApplied) continue;
      // Keep the previous backup, then take the game's file in its place.
      const QString keptAs = FreeDatedPath(backupDir, scene.FileName, now);
      if (!platform::CopyFile(SS(backup), SS(keptAs), true)) continue;
      if (!platform::CopyFile(SS(target), SS(backup), false)) {
        platform::DeleteFile(SS(keptAs));
        continue;
      }
      record.Set(target, *current);
      updates.push_back({target, backup, keptAs});
    }
  }
  if (updates.empty()) return updates;
  record.Save();
  QString list;
  for (const TGameUpdate &u : updates) list += "\n" + u.Target;
  dialogs.Message(QStringLiteral("ゲームの更新で次の音楽ファイルが新しくなっていました.\n"
                                 "新しいファイルをバックアップ (標準の設定) として使います.\n"
                                 "以前のバックアップは日付を付けた名前で同じフォルダに残してあります.\n") +
                  list);
  return updates;
}
