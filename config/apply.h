// Applying the loaded configuration: every scene's file is copied over the game's music file
// of that scene, in the first client's music folder and, when present, in the Third Dawn
// client's. Unassigned scenes get the game's own file back from the backup folder.
#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "session.h"

enum class TCopyResult { Copied, Failed, Missing };

// One copy of an apply: the scene, the client, the file copied (empty when an archive entry
// has no archive) and the game's file it replaces.
struct TApplyCopy {
  int Scene = 0;
  TClient Client = TClient::First;
  QString Source;
  QString Target;
};

// A game file that matched neither its backup nor the record of written files, copied beside
// the backup under a dated name before it was replaced.
struct TKeptFile {
  TApplyCopy Copy;
  QString KeptAs;
};

struct TApplyReport {
  // "\n<scene name> :  <target>" for each copy that failed twice (followed by " (<reason>)" for
  // one that was not tried, such as a game file without its backup), and
  // "\n<scene name> :  <source> (ファイルがありません)" for each scene whose file is missing.
  QString FailureText;
  int Copied = 0, Failed = 0, Missing = 0;
  // The record of written files that could not be saved: then no game file was replaced.
  QString RecordNotSaved;
  std::vector<TKeptFile> Kept;
};

// The question put before applying.
QString ApplyQuestion(bool gameRunning, const QString &config);

// The copies an apply makes, in order: scene 0 to 48, each first for the first client, then
// for Third Dawn. Archive entries are extracted into the work folder (once).
std::vector<TApplyCopy> ApplyPlan(TSession &session);

// Records the loaded configuration as the applied one ("LastConfig", caption), then copies.
// A scene whose file is missing is skipped and reported; the others are still copied. The
// game's own files are guarded as applyguard.h says.
// onCopy is told of every copy as it is made. "LastConfig" that can't be written raises
// EIniFileException before anything is copied.
TApplyReport ApplyConfig(TSession &session, const std::function<void(const TApplyCopy &, TCopyResult)> &onCopy = {});

// Copies source over target; a target that refuses is made writable and tried once more.
// The target is never left half written.
bool CopyWithRetry(const QString &source, const QString &target);

// The two failure messages, one after the other, when anything failed.
void ShowApplyFailures(const TApplyReport &report, platform::Dialogs &dialogs);
