// The game's own updates: a patch of the game replaces music files. A music file that matches
// neither its backup nor what Melodeck last wrote there is taken as the game's new original:
// it becomes the backup, and the previous backup is kept under a dated name beside it, so that
// applying "標準" gives the patched music and nothing is lost.
#pragma once

#include <QDateTime>
#include <QString>
#include <vector>

#include "gamefolders.h"
#include "musicset.h"

struct TGameUpdate {
  QString Target;  // the game's music file
  QString Backup;  // its backup, now a copy of the game's file
  QString KeptAs;  // where the previous backup went
};

// settingsPath: the settings file (an older program kept its record of written files beside
// it; see gamerecord.h). Files without a record count as written by the game only while no
// configuration has been applied to the game yet.
// Each adopted file is recorded as the game's own. Nothing is shown: the front end tells the
// files returned.
std::vector<TGameUpdate> AdoptGameUpdates(const TGameFolders &folders, const QString &settingsPath,
                                          const QDateTime &now = QDateTime::currentDateTime(),
                                          const TMusicSet &set = MidiMusicSet());

// "approach.mid" → "approach_20261207-131500.mid"; n > 1 adds "-n" for a second one that second.
QString DatedBackupName(const QString &fileName, const QDateTime &when, int n = 1);
// A dated name for fileName in folder that is not taken yet (a Windows path).
QString FreeDatedPath(const QString &folder, const QString &fileName, const QDateTime &when);
