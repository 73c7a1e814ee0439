// What an apply wrote into the game's music folders: per target file its size and a 64-bit hash.
// A music file that matches neither its backup nor this record was replaced by someone else,
// normally a patch of the game (gameupdates.h).
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

struct TFileStamp {
  qint64 Size = -1;
  QByteArray Hash;  // 16 hex digits
  bool operator==(const TFileStamp &) const = default;
};

// The hash of a stamp: FNV-1a over 64-bit words, fed in parts. Every part but the last must be
// a whole number of words long.
class THashState {
 public:
  void Add(const char *data, size_t size);
  QByteArray Hex() const;  // 16 hex digits

 private:
  uint64_t h_ = 14695981039346656037ull;
};
QByteArray HashOfBytes(const std::string &data);
// The stamp of a file's current bytes; none when it can't be read.
std::optional<TFileStamp> StampOf(const QString &windowsPath);

// The record file of a settings file: beside it, with the extension ".written".
QString WrittenRecordPath(const QString &settingsPath);

// One recorded stamp of a target. GameOwn: the bytes are the game's own file (copied from its
// backup, or taken as the game's update), not a replacement.
struct TRecordedStamp {
  TFileStamp Stamp;
  bool GameOwn = false;
};

class TWrittenRecord {
 public:
  // Reads the record; a missing or damaged file is an empty record (damaged lines are skipped).
  explicit TWrittenRecord(const QString &windowsPath);

  // The stamp recorded last for target.
  std::optional<TFileStamp> Find(const QString &target) const;
  // Any stamp recorded for target is stamp; with replacementsOnly, only those not GameOwn count.
  bool Matches(const QString &target, const TFileStamp &stamp, bool replacementsOnly = false) const;
  // stamp becomes target's only stamp.
  void Set(const QString &target, const TFileStamp &stamp, bool gameOwn = false);
  // stamp becomes acceptable beside target's stamps (a file about to be placed).
  void Add(const QString &target, const TFileStamp &stamp, bool gameOwn = false);
  // A target with several stamps, one of which is stamp: that one alone is kept. True when
  // the record changed.
  bool Resolve(const QString &target, const TFileStamp &stamp);
  bool Empty() const { return entries_.empty(); }
  const std::map<QString, std::vector<TRecordedStamp>> &Entries() const { return entries_; }
  const QString &Path() const { return path_; }
  // Replaces the file as a whole; false when it can't be written.
  bool Save() const { return SaveTo(path_); }
  // The same, as the file windowsPath.
  bool SaveTo(const QString &windowsPath) const;
  // The file's content as Save writes it.
  QByteArray Text() const;
  // The content the file had when it was read; none when it could not be read.
  const std::optional<QByteArray> &Read() const { return read_; }

 private:
  QString path_;
  std::optional<QByteArray> read_;
  std::map<QString, std::vector<TRecordedStamp>> entries_;
};
