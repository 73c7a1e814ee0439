// What stands between an apply and the game's own music. A game file is replaced only while its
// backup exists; a game file that is neither its backup nor a file Melodeck wrote is kept
// beside the backup under a dated name first; and the record of written files names every new
// file before it is placed, so that a process killed at any moment leaves no file of ours that
// the next start would take for the game's.
#pragma once

#include <QDateTime>
#include <QStringList>
#include <map>
#include <optional>
#include <vector>

#include "apply.h"
#include "gamefolders.h"
#include "gamerecord.h"

class TApplyGuard {
 public:
  TApplyGuard(const TGameFolders &folders, const QString &settingsPath,
              const QDateTime &now = QDateTime::currentDateTime());

  // Before a copy whose source exists is staged: None when it may replace the game's file,
  // else why it must not. Makes a missing backup, keeps an unknown game file.
  TRefusal Admit(const TApplyCopy &copy);
  // Before the staged copies are placed: the record names their files beside what it names now.
  // False when the record can't be written: then nothing may be placed (RecordPath says which).
  bool RecordIntent(const std::vector<const TApplyCopy *> &staged);
  // After placing: the copy's file is what stands at its target now.
  void Placed(const TApplyCopy &copy);
  // Writes the record as it stands after placing; the intent covers a failure here.
  void Finish() { record_.Save(); }

  const QString &RecordPath() const { return recordPath_; }
  const std::vector<TKeptFile> &Kept() const { return kept_; }

 private:
  struct TSourceStamp {
    TFileStamp Stamp;
    bool GameOwn = false;  // the source is the game's own backup of that very file
  };

  const TGameFolders &folders_;
  TGameRecord record_;
  QDateTime now_;
  std::map<QString, TSourceStamp> sources_;                   // by target
  std::map<QString, std::optional<TFileStamp>> readSources_;  // by source: its stamp when read
  std::vector<TKeptFile> kept_;
  QString recordPath_;
};

// The window's messages about an apply beside its failures: the record that could not be
// written, the game files kept under dated names. Empty when there is nothing to tell.
QStringList ApplyNotes(const TApplyReport &report);
