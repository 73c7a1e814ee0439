// The index of a digital client's music (Config.txt): one numbered MP3 track a line, e.g.
// "9 britainpos,loop". The server names a track by its number only; several numbers may name one
// file, and the music set of the digital client has one track per distinct file.
#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

struct TDigitalIndexEntry {
  int Number = 0;
  QString Name;  // the file name as written, without ".mp3"
  bool Loop = false;
};

struct TDigitalIndex {
  std::vector<TDigitalIndexEntry> Entries;  // in the order of their lines, each number once
  int Skipped = 0;                          // lines that are not a track (blank lines not counted)
  int Replaced = 0;                         // lines whose number a later line gives to another name
};

// Reads the index's bytes (LF or CR LF, an optional UTF-8 byte order mark). A line's fields are
// separated by runs of spaces, commas and tabs; it is a track when it has two or three fields:
// a non-negative decimal number, the file name (a ".mp3" suffix in any case is dropped; a name
// with a path separator or a control character is refused) and optionally "loop" in any case.
// A third field other than "loop" does not make the track loop but keeps it: the game still plays
// the file. Lines that are not tracks are skipped and counted, never fatal. When a number appears
// on several lines, the last one names its file, as the game's table is filled line by line.
TDigitalIndex ParseDigitalIndex(const QByteArray &bytes);

struct TDigitalTrack {
  QString Name;              // the file name as first written, without ".mp3"
  QString Key;               // the key of its stored values: the name in lower case + ".mp3"
  std::vector<int> Numbers;  // every number naming the file, in index order; none without an index
};

// The key of a track's stored values: "Britainpos" -> "britainpos.mp3".
QString DigitalTrackKey(const QString &name);

// One track per distinct file name (compared without regard to case), in the order of the lines
// first naming them.
std::vector<TDigitalTrack> DigitalTracks(const TDigitalIndex &index);
