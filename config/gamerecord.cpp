#include "gamerecord.h"

#include <vector>

#include "core/atomicfile.h"
#include "core/winpath.h"
#include "qtcore/qstr.h"

using platform::SS;

namespace {

// "C:\game\music\a.mid" → "a.mid" when its folder is musicDir (compared without regard to case).
QString NameIn(const QString &musicDir, const QString &path) {
  const qsizetype slash = path.lastIndexOf('\\');
  if (musicDir.isEmpty() || slash < 0 || path.left(slash).compare(musicDir, Qt::CaseInsensitive) != 0) return {};
  return path.mid(slash + 1);
}

}  // namespace

QString GameRecordPath(const QString &folder) {
  return folder.isEmpty() ? QString() : folder + QStringLiteral("\\melodeck.written");
}

namespace {
QString SparePath(const TGameFolders &folders, TClient client) {
  if (client == TClient::ThirdDawn) return GameRecordPath(folders.MusicDirTD);
  return GameRecordPath(folders.RecordSpareDir.isEmpty() ? folders.MusicDir : folders.RecordSpareDir);
}
}  // namespace

TGameRecord::TGameRecord(const TGameFolders &folders, const QString &settingsPath)
    : folders_(folders), first_(GameRecordPath(folders.DefaultDir)), thirdDawn_(GameRecordPath(folders.DefaultDirTD)) {
  for (const TClient client : {TClient::First, TClient::ThirdDawn}) {
    const TWrittenRecord spare(SparePath(folders, client));
    onDisk_[Of(client).Path()] = Of(client).Read();
    onDisk_[spare.Path()] = spare.Read();
    for (const auto &[name, stamps] : spare.Entries())
      for (const TRecordedStamp &r : stamps) Of(client).Add(name, r.Stamp, r.GameOwn);
  }
  const TWrittenRecord older(WrittenRecordPath(settingsPath));
  for (const auto &[target, stamps] : older.Entries()) {
    for (const TClient client : {TClient::First, TClient::ThirdDawn}) {
      const bool td = client == TClient::ThirdDawn;
      if (td && !folders.HasThirdDawn) continue;
      const QString name = NameIn(td ? folders.MusicDirTD : folders.MusicDir, target);
      if (name.isEmpty()) continue;
      for (const TRecordedStamp &r : stamps) Of(client).Add(name, r.Stamp, r.GameOwn);
    }
  }
}

bool TGameRecord::Recorded(TClient client, const QString &fileName, const TFileStamp &stamp) const {
  return Of(client).Matches(fileName, stamp);
}

bool TGameRecord::Replacement(TClient client, const QString &fileName, const TFileStamp &stamp) const {
  return Of(client).Matches(fileName, stamp, true);
}

bool TGameRecord::Known(TClient client, const QString &fileName) const { return Of(client).Find(fileName).has_value(); }

void TGameRecord::Set(TClient client, const QString &fileName, const TFileStamp &stamp, bool gameOwn) {
  Of(client).Set(fileName, stamp, gameOwn);
  changed_[client == TClient::ThirdDawn] = true;
}

void TGameRecord::Add(TClient client, const QString &fileName, const TFileStamp &stamp, bool gameOwn) {
  Of(client).Add(fileName, stamp, gameOwn);
  changed_[client == TClient::ThirdDawn] = true;
}

void TGameRecord::Resolve(TClient client, const QString &fileName, const TFileStamp &current) {
  if (Of(client).Resolve(fileName, current)) changed_[client == TClient::ThirdDawn] = true;
}

QString TGameRecord::Save() {
  std::vector<QString> paths;
  std::vector<QByteArray> texts;
  std::vector<std::pair<std::string, std::string>> files;
  for (const TClient client : {TClient::First, TClient::ThirdDawn}) {
    if (!changed_[client == TClient::ThirdDawn]) continue;
    const QByteArray text = Of(client).Text();
    for (const QString &path : {Of(client).Path(), SparePath(folders_, client)}) {
      if (const auto &now = onDisk_[path]; now && *now == text) continue;
      paths.push_back(path);
      texts.push_back(text);
      files.emplace_back(platform::ToLinux(SS(path)), text.toStdString());
    }
  }
  const size_t written = platform::WriteFilesTogether(files);
  for (size_t i = 0; i < written; ++i) onDisk_[paths[i]] = texts[i];
  if (written < files.size()) return paths[written];
  changed_[0] = changed_[1] = false;
  return {};
}
