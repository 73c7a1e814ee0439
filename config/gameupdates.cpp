#include "gameupdates.h"

#include "core/fileops.h"
#include "configstore.h"
#include "core/inifile.h"
#include "qtcore/qstr.h"
#include "scenetable.h"
#include "backups.h"
#include "gamerecord.h"
#include "stampcache.h"

using platform::SS;

namespace {

bool NeverApplied(const QString &settingsPath) {
  return platform::IniFile(SS(settingsPath)).ReadString(kSettingsSection, "LastConfig", "").empty();
}

}  // namespace

QString FreeDatedPath(const QString &folder, const QString &fileName, const QDateTime &now) {
  QString path = folder + "\\" + DatedBackupName(fileName, now);
  for (int n = 2; platform::FileExists(SS(path)); ++n) path = folder + "\\" + DatedBackupName(fileName, now, n);
  return path;
}

QString DatedBackupName(const QString &fileName, const QDateTime &when, int n) {
  const qsizetype dot = fileName.lastIndexOf('.');
  const QString stem = dot > 0 ? fileName.left(dot) : fileName;
  const QString ext = dot > 0 ? fileName.mid(dot) : QString();
  const QString count = n > 1 ? "-" + QString::number(n) : QString();
  return stem + "_" + when.toString(QStringLiteral("yyyyMMdd-HHmmss")) + count + ext;
}

std::vector<TGameUpdate> AdoptGameUpdates(const TGameFolders &folders, const QString &settingsPath,
                                          const QDateTime &now, const TMusicSet &set) {
  TGameRecord record(folders, settingsPath);
  const bool neverApplied = NeverApplied(settingsPath);
  std::vector<TGameUpdate> updates;
  for (const TScene &scene : set.Scenes) {
    for (const bool td : {false, true}) {
      if (td && !folders.HasThirdDawn) continue;
      const TClient client = td ? TClient::ThirdDawn : TClient::First;
      const QString backupDir = td ? folders.DefaultDirTD : folders.DefaultDir;
      const QString target = MusicPath(folders, client, scene.FileName);
      const QString backup = BackupPath(folders, client, scene.FileName);
      const auto current = StampOf(target);
      if (current) record.Resolve(client, scene.FileName, *current);
      // A file recorded as what stands there stays: its backup need not be read.
      if (current && record.Known(client, scene.FileName) && record.Recorded(client, scene.FileName, *current))
        continue;
      const auto saved = StampOf(backup);
      if (!current || !saved || *current == *saved) continue;
      // Without a record of the file, it is the game's only when nothing was ever applied to
      // this game (by any copy of the program).
      if (record.Known(client, scene.FileName) ? record.Recorded(client, scene.FileName, *current)
                                               : !(neverApplied && record.Empty(client)))
        continue;
      // Keep the previous backup, then take the game's file in its place.
      const QString keptAs = FreeDatedPath(backupDir, scene.FileName, now);
      if (!platform::CopyFile(SS(backup), SS(keptAs), true)) continue;
      if (!platform::CopyFile(SS(target), SS(backup), false)) {
        platform::DeleteFile(SS(keptAs));
        continue;
      }
      record.Set(client, scene.FileName, *current, true);
      updates.push_back({target, backup, keptAs});
    }
  }
  record.Save();
  SaveStampFile();
  return updates;
}
