// Applying the loaded configuration: every scene's file is copied over the game's music file
// of that scene, in the first client's music folder and, when present, in the Third Dawn
// client's. Unassigned scenes get the game's own file back from the backup folder.
#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "core/copyfailure.h"
#include "session.h"
#include "sources.h"

enum class TCopyResult { Copied, Failed, Missing };

// One copy of an apply: the scene, the client, the file copied (empty when an archive entry
// has no archive) and the game's file it replaces.
struct TApplyCopy {
  int Scene = 0;
  TClient Client = TClient::First;
  QString Source;
  QString Target;
  QString FileName;  // the scene's key: its game file's name, whatever its case on disk
};

// Why a copy whose source is present was not made although nothing failed to copy: the game's
// own music would have been at risk (applyguard.h).
enum class TRefusal {
  None,
  NoBackup,          // the game's file has no backup, and none can be made from it
  TargetUnreadable,  // the game's file can't be read, so it can't be told from ours
  CannotKeep,        // an unknown game file can't be kept beside the backup first
  RecordNotSaved,    // the record of written files can't be written: nothing was placed
  WrongKind,         // the file is of a kind the scene's music set does not take (an MP3 for a MIDI scene)
};

// What became of one copy, and why it was not made.
struct TApplyOutcome {
  TApplyCopy Copy;
  QString SceneName;
  TSource Entry;  // the scene's Source when its file comes from an archive, else empty
  TCopyResult Result = TCopyResult::Missing;
  platform::CopyFailure Reason = platform::CopyFailure::None;
  TRefusal Refusal = TRefusal::None;
  // Why the source could not be made into the MP3 its track plays (the copy then failed).
  QString ConvertError;
  bool Converted = false;  // the file copied was made from the source (applyconvert.h)
};

// A game file that matched neither its backup nor the record of written files, copied beside
// the backup under a dated name before it was replaced.
struct TKeptFile {
  TApplyCopy Copy;
  QString KeptAs;
};

struct TApplyReport {
  // "\n<scene name> :  <target> (<reason>)" for each copy that failed twice or was refused, and
  // "\n<scene name> :  <source> (<reason>)" for each scene whose file is missing or no
  // regular file, with the paths the window shows (see applyfailures.h).
  QString FailureText;
  int Copied = 0, Failed = 0, Missing = 0;
  std::vector<TApplyOutcome> Outcomes;  // every copy of the plan, in order
  // The record of written files that could not be saved: then no game file was replaced.
  QString RecordNotSaved;
  std::vector<TKeptFile> Kept;
  // Cancelled while converting: nothing was applied, the applied configuration is not recorded.
  bool Cancelled = false;
  int Converted = 0, FromCache = 0;  // tunes converted now, and found converted in the cache
};

class TConvertProgress;

// The question put before applying.
QString ApplyQuestion(bool gameRunning, const QString &config);

// The copies an apply makes, in order: scene 0 to 48, each first for the first client, then
// for Third Dawn. Archive entries are extracted into the work folder (once).
std::vector<TApplyCopy> ApplyPlan(TSession &session);

// Converts the sources a digital track can't play as they are (applyconvert.h), told to progress;
// cancelled there, nothing more is done. Then records the loaded configuration as the applied
// one ("LastConfig", caption), and copies. A source that can't be converted is a failed copy.
// A scene whose file is missing is skipped and reported; the others are still copied. The
// game's own files are guarded as applyguard.h says.
// onCopy is told of every copy as it is made. "LastConfig" that can't be written raises
// EIniFileException before anything is copied.
TApplyReport ApplyConfig(TSession &session, const std::function<void(const TApplyCopy &, TCopyResult)> &onCopy = {},
                         TConvertProgress *progress = nullptr);

// Copies source over target; a target that refuses is made writable and tried once more.
// The target is never left half written.
bool CopyWithRetry(const QString &source, const QString &target);
