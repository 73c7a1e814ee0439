// What a configuration assigns to a scene (its Source) and the files it stands for.
// A Source is stored as text: a full path, an archive-entry path ("archive|folder/entry.mid":
// the first "|" separates, as a Windows path never holds one) or a bare file name, which stands
// for the game's own file in the backup folder. TSource is that text taken apart; formatting a
// parsed Source gives back exactly the text it was parsed from, so stored files keep theirs.
#pragma once

#include <QString>

#include "gamefolders.h"

class TSource {
 public:
  // An empty Source: no file.
  TSource() = default;
  // The text as stored: everything before the first "|" is the path, everything after it the
  // entry; text without "|" is a file's path or a bare name.
  static TSource Parse(const QString &text);
  // A file's path (or a bare name).
  static TSource File(const QString &path);
  // The entry of the archive at archivePath, "/" between its folder levels as listed.
  static TSource Entry(const QString &archivePath, const QString &entryPath);

  // The stored text: Parse(text).Text() == text for every text.
  QString Text() const;

  bool IsEmpty() const { return !entry_ && path_.isEmpty(); }
  bool IsEntry() const { return entry_; }
  // The file's path, or the archive's for an entry.
  const QString &Path() const { return path_; }
  // The entry's name inside its archive; empty for a file.
  const QString &EntryPath() const { return entryPath_; }

  // The same Source with another file or archive path: the entry is kept.
  TSource WithPath(const QString &path) const;

  // The file on disk it names for a client: the archive for an entry, the backup folder's file
  // for a bare name, the path itself otherwise.
  QString Resolve(TClient client, const TGameFolders &folders) const;

  // The name shown in the scene list: the last component of the path or of the entry.
  QString DisplayName() const;

  // An entry whose name stays inside the folder it is extracted to (see IsSafeEntryPath).
  bool HasSafeEntry() const { return entry_ && IsSafeEntryPath(entryPath_); }

  // Whether an entry's name stays inside the folder it is extracted to: not empty, no leading
  // "/" or "\", no drive (":"), no ".." between "/" or "\".
  static bool IsSafeEntryPath(const QString &entryPath);

  friend bool operator==(const TSource &, const TSource &) = default;

 private:
  QString path_;
  QString entryPath_;
  bool entry_ = false;
};
