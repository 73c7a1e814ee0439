// Where the game keeps its music, found once at start-up and read-only afterwards.
// Folder values carry no trailing backslash.
#pragma once

#include <QMap>
#include <QString>

struct TGameFolders {
  QString ClientPath;    // "ExePath" of the first client
  QString MusicDir;      // its folder + "music", set only when ClientPath names a file
  QString DefaultDir;    // MusicDir + "\default": the backup of the game's own files
  QString ClientPathTD;  // the same for the Third Dawn client
  QString MusicDirTD;
  QString DefaultDirTD;
  bool HasThirdDawn = false;  // MusicDirTD names an existing folder
  // Where the spare of the record of written files lies; empty: MusicDir. A digital client
  // searches its whole Music folder for tracks, so nothing of ours may lie there.
  QString RecordSpareDir;
  // The game's files whose names on disk differ from their keys (a digital track's key is its
  // name in lower case: "britainpos.mp3" for Britainpos.mp3): key → name on disk.
  QMap<QString, QString> DiskNames;

  // The name on disk of the game file whose key is fileName.
  QString DiskName(const QString &fileName) const { return DiskNames.value(fileName, fileName); }
};

enum class TClient { First, ThirdDawn };
