// The files of a digital client's music folder: which file on disk a track is, and the tracks of
// a folder without an index. The game finds its files without regard to case.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "digitalindex.h"

struct TDigitalFileMatch {
  enum Kind { Missing, Found, Ambiguous };
  Kind Result = Missing;
  QString Path;         // the file when Found; empty otherwise
  QStringList Matches;  // every file of the folder named like the track, sorted; for the message
};

// The MP3 files of folder, by name; listed once for all the tracks of the folder.
QStringList DigitalFolderFiles(const QString &folder);

// The files of folder (files: as DigitalFolderFiles lists them) named "name.mp3" without regard
// to case: one is the track's file; when several are, none of them is chosen.
TDigitalFileMatch MatchDigitalFile(const QString &folder, const QStringList &files, const QString &name);

// Without an index: the MP3 files of folder are the tracks, one per name without regard to case,
// sorted by key; they have no numbers.
std::vector<TDigitalTrack> DigitalTracksOfFolder(const QString &folder);
