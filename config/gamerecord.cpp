#include "gamerecord.h"

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

TGameRecord::TGameRecord(const TGameFolders &folders, const QString &settingsPath)
    : folders_(folders), first_(GameRecordPath(folders.DefaultDir)), thirdDawn_(GameRecordPath(folders.DefaultDirTD)) {
  for (const TClient client : {TClient::First, TClient::ThirdDawn}) {
    const TWrittenRecord spare(GameRecordPath(client == TClient::ThirdDawn ? folders.MusicDirTD : folders.MusicDir));
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
  for (const TClient client : {TClient::First, TClient::ThirdDawn}) {
    bool &changed = changed_[client == TClient::ThirdDawn];
    if (!changed) continue;
    if (!Of(client).Save()) return Of(client).Path();
    const QString spare = GameRecordPath(client == TClient::ThirdDawn ? folders_.MusicDirTD : folders_.MusicDir);
    if (!Of(client).SaveTo(spare)) return spare;
    changed = false;
  }
  return {};
}
