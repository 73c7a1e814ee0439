#include "gamesets.h"

#include <QCoreApplication>
#include <QFile>

#include "backups.h"
#include "core/fileops.h"
#include "core/winpath.h"
#include "digitalcaption.h"
#include "digitalfiles.h"
#include "digitalindex.h"
#include "musicfiles.h"
#include "qtcore/qstr.h"
#include "scenetext.h"

using platform::QS;
using platform::SS;

namespace {

QString Linux(const QString &windowsPath) { return QS(platform::ToLinux(SS(windowsPath))); }

// The index of the digital music: Music\Digital\Config.txt, else Music\Config.txt (any case on
// disk, as the paths of the prefix are found).
QString FindIndex(const TGame &game) {
  for (const QString &folder : {game.DigitalDir, game.Folder + QStringLiteral("\\Music")}) {
    const QString path = folder + QStringLiteral("\\Config.txt");
    if (platform::FileExists(SS(path))) return path;
  }
  return {};
}

}  // namespace

bool IsSceneKey(const QString &key) {
  for (const TScene &scene : MidiMusicSet().Scenes)
    if (scene.FileName == key) return true;
  if (key.size() <= 4 || !key.endsWith(QLatin1String(".mp3")) || key != key.toLower()) return false;
  for (const QChar c : key)
    if (c < QChar(0x20) || c == '\\' || c == '/' || c == ':') return false;
  return true;
}

QStringList DigitalSourceExtensions() {
  QStringList extensions{QStringLiteral(".mp3")};
  for (const QString &extension : MusicFileExtensions())
    if (!extensions.contains(extension)) extensions << extension;
  return extensions;
}

QString DigitalBackupDir(const QString &gameFolder) {
  return gameFolder + QStringLiteral("\\melodeck-backup\\Digital");
}

TGameSet MidiGameSet(const TGameFolders &folders) { return {MidiMusicSet(), folders, {}, 0, {}, {}}; }

TGameSet DigitalGameSet(const TGame &game) {
  TGameSet g;
  g.Set.Id = QStringLiteral("digital");
  g.Set.Name = QCoreApplication::translate("MusicSets", "デジタル (MP3)");
  g.Set.SourceExtensions = DigitalSourceExtensions();
  g.Folders.ClientPath = game.Folder + QStringLiteral("\\client.exe");
  g.Folders.MusicDir = game.DigitalDir;
  g.Folders.DefaultDir = DigitalBackupDir(game.Folder);
  g.Folders.RecordSpareDir = game.Folder + QStringLiteral("\\melodeck-backup");

  std::vector<TDigitalTrack> tracks;
  const QString musicDir = Linux(game.DigitalDir);
  g.Index = FindIndex(game);
  if (!g.Index.isEmpty()) {
    QFile file(Linux(g.Index));
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    const TDigitalIndex index = ParseDigitalIndex(bytes);
    g.SkippedLines = index.Skipped;
    tracks = DigitalTracks(index);
  } else {
    tracks = DigitalTracksOfFolder(musicDir);
  }
  const QStringList files = DigitalFolderFiles(musicDir);
  for (const TDigitalTrack &track : tracks) {
    const TDigitalFileMatch match = MatchDigitalFile(musicDir, files, track.Name);
    QString diskName = track.Name + QStringLiteral(".mp3");
    if (match.Result == TDigitalFileMatch::Ambiguous) {
      QStringList names;
      for (const QString &path : match.Matches) names << path.mid(path.lastIndexOf('/') + 1);
      g.Ambiguous << track.Key + QStringLiteral(": ") + names.join(QStringLiteral(", "));
      continue;
    }
    if (match.Result == TDigitalFileMatch::Found) diskName = match.Path.mid(match.Path.lastIndexOf('/') + 1);
    if (diskName != track.Key) g.Folders.DiskNames.insert(track.Key, diskName);
    if (std::find(track.Numbers.begin(), track.Numbers.end(), 8) != track.Numbers.end())
      g.Set.TitleScene = static_cast<int>(g.Set.Scenes.size());
    g.Set.Scenes.push_back({DigitalTrackCaption(track), track.Key, QString(), SceneNumbersText(track.Numbers)});
    g.Numbers.push_back(track.Numbers);
  }
  return g;
}

namespace {

// A music folder holding a MIDI scene's file, or its backup.
bool HoldsMidiMusic(const TGameFolders &folders) {
  for (const TScene &scene : MidiMusicSet().Scenes)
    if (platform::FileExists(SS(MusicPath(folders, TClient::First, scene.FileName))) ||
        platform::FileExists(SS(BackupPath(folders, TClient::First, scene.FileName))))
      return true;
  return false;
}

}  // namespace

std::vector<TGameSet> GameSets(const TGame &game) {
  std::vector<TGameSet> sets;
  // Today's clients may be registered where the MIDI clients are: a game with digital music has
  // a MIDI set only when its music folder holds MIDI music.
  if (game.HasMidi() && (!game.HasDigital() || HoldsMidiMusic(game.Midi))) sets.push_back(MidiGameSet(game.Midi));
  if (game.HasDigital()) sets.push_back(DigitalGameSet(game));
  return sets;
}
