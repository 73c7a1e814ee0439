#include "digitalfiles.h"

#include <QDir>
#include <QSet>
#include <algorithm>

QStringList DigitalFolderFiles(const QString &folder) {
  QDir dir(folder);
  dir.setFilter(QDir::Files | QDir::Hidden);
  dir.setNameFilters({QStringLiteral("*.mp3")});  // without regard to case by default
  dir.setSorting(QDir::Name);
  return dir.entryList();
}

TDigitalFileMatch MatchDigitalFile(const QString &folder, const QStringList &files, const QString &name) {
  TDigitalFileMatch match;
  const QString wanted = name + QStringLiteral(".mp3");
  for (const QString &file : files)
    if (file.compare(wanted, Qt::CaseInsensitive) == 0) match.Matches.append(QDir(folder).filePath(file));
  if (match.Matches.size() == 1) {
    match.Result = TDigitalFileMatch::Found;
    match.Path = match.Matches.front();
  } else if (match.Matches.size() > 1) {
    match.Result = TDigitalFileMatch::Ambiguous;
  }
  return match;
}

std::vector<TDigitalTrack> DigitalTracksOfFolder(const QString &folder) {
  std::vector<TDigitalTrack> tracks;
  QSet<QString> keys;
  for (const QString &file : DigitalFolderFiles(folder)) {
    const QString name = file.chopped(4);
    const QString key = DigitalTrackKey(name);
    if (name.isEmpty() || keys.contains(key)) continue;
    keys.insert(key);
    tracks.push_back({name, key, {}});
  }
  std::sort(tracks.begin(), tracks.end(), [](const TDigitalTrack &a, const TDigitalTrack &b) { return a.Key < b.Key; });
  return tracks;
}
