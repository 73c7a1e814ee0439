// The backups of the game's own music files (music\default): made from the game's file when
// missing, but never from a file that Melodeck wrote there, which would make "標準" play a
// replacement.
#pragma once

#include <QString>
#include <vector>

#include "gamefolders.h"
#include "gamerecord.h"

enum class TBackupState {
  Present,  // the backup exists
  Made,     // it was missing and is now a copy of the game's file
  Ours,     // it is missing and the game's file is one that Melodeck wrote: left alone
  Failed,   // it is missing and could not be made (no game file, no room, no folder)
};

// The backup of the client's file fileName.
QString BackupPath(const TGameFolders &folders, TClient client, const QString &fileName);
// The game's music file of that name.
QString MusicPath(const TGameFolders &folders, TClient client, const QString &fileName);

// Makes the backup when it is missing (and its folder, one level), from the game's file unless
// the record names that file's bytes as a replacement.
TBackupState EnsureBackup(const TGameFolders &folders, TClient client, const QString &fileName,
                          const TGameRecord &record);

// The message for game files whose backup was not made because Melodeck wrote them, a line each.
QString OurFilesNotBackedUpText(const std::vector<QString> &targets);
