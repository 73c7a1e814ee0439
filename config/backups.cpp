#include "backups.h"

#include <QCoreApplication>

#include "core/fileops.h"
#include "qtcore/qstr.h"

using platform::SS;

QString BackupPath(const TGameFolders &folders, TClient client, const QString &fileName) {
  return (client == TClient::ThirdDawn ? folders.DefaultDirTD : folders.DefaultDir) + "\\" + fileName;
}

QString MusicPath(const TGameFolders &folders, TClient client, const QString &fileName) {
  return (client == TClient::ThirdDawn ? folders.MusicDirTD : folders.MusicDir) + "\\" + folders.DiskName(fileName);
}

TBackupState EnsureBackup(const TGameFolders &folders, TClient client, const QString &fileName,
                          const TGameRecord &record) {
  const QString backup = BackupPath(folders, client, fileName);
  if (platform::FileExists(SS(backup))) return TBackupState::Present;
  const QString music = MusicPath(folders, client, fileName);
  const auto stamp = StampOf(music);
  if (!stamp) return TBackupState::Failed;
  if (record.Replacement(client, fileName, *stamp)) return TBackupState::Ours;
  const QString folder = client == TClient::ThirdDawn ? folders.DefaultDirTD : folders.DefaultDir;
  if (!platform::DirectoryExists(SS(folder))) platform::ForceDirectories(SS(folder));
  return platform::CopyFile(SS(music), SS(backup), true) ? TBackupState::Made : TBackupState::Failed;
}

QString OurFilesNotBackedUpText(const std::vector<QString> &targets) {
  if (targets.empty()) return {};
  QString text =
      QCoreApplication::translate("Backups",
                                  "次の音楽ファイルのバックアップがありません.\n"
                                  "今のファイルは Melodeck が書き込んだものなので, バックアップにはしませんでした.\n"
                                  "標準の設定でもこのファイルはそのままです.\n");
  for (const QString &target : targets) text += "\n" + target;
  return text;
}
