// What a configuration assigns to a scene (its Source) and the files it stands for.
// A Source is a full path, an archive-entry path ("archive|folder/entry.mid": the first "|"
// separates) or a bare file name, which stands for the game's own file in the backup folder.
#pragma once

#include <QString>

#include "gamefolders.h"

// The file on disk a Source names for a client: the archive for an archive entry, the backup
// folder's file for a bare name, the path itself otherwise.
QString ResolveSource(const QString &source, TClient client, const TGameFolders &folders);

// The name shown in the scene list: the last component of the path or of the entry.
QString SourceDisplayName(const QString &source);
