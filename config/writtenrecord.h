// What an apply wrote into the game's music folders: per target file its size and a 64-bit hash.
// A music file that matches neither its backup nor this record was replaced by someone else,
// normally a patch of the game (gameupdates.h).
#pragma once

#include <QByteArray>
#include <QString>
#include <map>
#include <optional>

struct TFileStamp {
  qint64 Size = -1;
  QByteArray Hash;  // 16 hex digits
  bool operator==(const TFileStamp &) const = default;
};

// The stamp of a file's current bytes; none when it can't be read.
std::optional<TFileStamp> StampOf(const QString &windowsPath);

// The record file of a settings file: beside it, with the extension ".written".
QString WrittenRecordPath(const QString &settingsPath);

class TWrittenRecord {
 public:
  // Reads the record; a missing or damaged file is an empty record (damaged lines are skipped).
  explicit TWrittenRecord(const QString &windowsPath);

  std::optional<TFileStamp> Find(const QString &target) const;
  void Set(const QString &target, const TFileStamp &stamp) { entries_[target] = stamp; }
  bool Empty() const { return entries_.empty(); }
  // Replaces the file as a whole; false when it can't be written.
  bool Save() const;

 private:
  QString path_;
  std::map<QString, TFileStamp> entries_;
};
