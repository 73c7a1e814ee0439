// The record of what Melodeck wrote into one game's music folders. It belongs to the game: one
// file in each client's backup folder (music\default\melodeck.written), keyed by the game
// file's name, so that every copy of the program working on that game reads the same record and
// no copy working on another game does. A spare of it in the music folder itself outlives a
// deleted backup folder. What an older program recorded beside its settings file, for this
// game's music folders, is read as well.
#pragma once

#include <QString>
#include <map>
#include <optional>

#include "gamefolders.h"
#include "writtenrecord.h"

// The record file of a folder (the backup folder; its spare: the music folder); empty for a
// client that is not there.
QString GameRecordPath(const QString &folder);

class TGameRecord {
 public:
  // settingsPath: the settings file, beside which an older program kept its record.
  TGameRecord(const TGameFolders &folders, const QString &settingsPath);

  // Any recorded stamp of the client's file is stamp.
  bool Recorded(TClient client, const QString &fileName, const TFileStamp &stamp) const;
  // A recorded stamp of the client's file is stamp and stands for a replacement, not the game's
  // own bytes.
  bool Replacement(TClient client, const QString &fileName, const TFileStamp &stamp) const;
  bool Known(TClient client, const QString &fileName) const;
  // Nothing is recorded for any file of the client.
  bool Empty(TClient client) const { return Of(client).Empty(); }

  void Set(TClient client, const QString &fileName, const TFileStamp &stamp, bool gameOwn = false);
  void Add(TClient client, const QString &fileName, const TFileStamp &stamp, bool gameOwn = false);
  // An apply that named new files and was ended before it recorded what it placed: the file
  // found there now is the one that stays recorded.
  void Resolve(TClient client, const QString &fileName, const TFileStamp &current);
  // Writes the records that changed, each with its spare, all of them flushed to the disk
  // before the first replaces its file; a file that holds that content already is left as it
  // is. Empty when all were written, else the record file that could not be.
  QString Save();

 private:
  TWrittenRecord &Of(TClient client) { return client == TClient::ThirdDawn ? thirdDawn_ : first_; }
  const TWrittenRecord &Of(TClient client) const { return client == TClient::ThirdDawn ? thirdDawn_ : first_; }

  const TGameFolders &folders_;
  TWrittenRecord first_, thirdDawn_;
  bool changed_[2] = {false, false};
  std::map<QString, std::optional<QByteArray>> onDisk_;  // by record file: its content now
};
