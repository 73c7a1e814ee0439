// The music sets of a game, each with the folders it is applied to: the MIDI set with the MIDI
// clients' music folders and their backups in music\default, the digital set with the tracks of
// the index in Music\Digital (or Music) and their backups in melodeck-backup\Digital, beside
// Music, where no digital client looks for tracks.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "games.h"
#include "musicset.h"

struct TGameSet {
  TMusicSet Set;
  TGameFolders Folders;
  QString Index;         // the index read (Windows path); empty: the MP3 files present are the tracks
  int SkippedLines = 0;  // lines of the index that are not tracks
  // Tracks left out because several files on disk are named like them: each "name.mp3: file, file".
  QStringList Ambiguous;
  // Per scene of the digital set, the numbers of the index naming its file, in index order (none
  // without an index); empty for the MIDI set.
  std::vector<std::vector<int>> Numbers;

  bool IsDigital() const { return Set.Id == QLatin1String("digital"); }
};

// The game's sets: MIDI first when it has MIDI clients (and, with digital music beside it, MIDI
// files in its music folder or their backups), then digital when it has digital music.
std::vector<TGameSet> GameSets(const TGame &game);
// The digital set of a game with digital music (DigitalDir).
TGameSet DigitalGameSet(const TGame &game);
// The MIDI set over folders.
TGameSet MidiGameSet(const TGameFolders &folders);

// A key some music set's scene could have: a MIDI scene's file name, or a digital track's key
// (a file name in lower case ending ".mp3", without a folder).
bool IsSceneKey(const QString &key);

// What a digital track takes as its source: MP3, copied as it is, and every other music file
// (WAV, FLAC, Ogg Vorbis, Opus, MIDI), converted to MP3 when applied. MP3 first.
QStringList DigitalSourceExtensions();

// Where a game's digital backups live: Folder + "\melodeck-backup\Digital".
QString DigitalBackupDir(const QString &gameFolder);
