// Applying a configuration: copying every scene's file over the game's music.
#include "apply.h"

#include "applyguard.h"
#include "coredialogs.h"
#include "formmain.h"
#include "gamerunning.h"
#include "setapply.h"
#include "sources.h"

void TFormMain::MainMenuApplayClick() {
  bool running = false;
  for (const TGameSet &set : gameChoice_->Sets()) running = running || IsGameRunning(set.Folders);
  const QString question = ApplyQuestion(running, Store().CurrentConfig);
  if (dialogs_.Message(question, platform::TMsgType::Confirmation, platform::mbOKCancel) != platform::TModalResult::OK)
    return;
  if (players_->IsPlaying()) StopPlaying();
  // An archive entry without a file, when the work folder can't be made: that is the reason.
  bool noWorkFolder = false;
  const TApplyReport report = ApplyConfig(Session(), [&](const TApplyCopy &copy, TCopyResult result) {
    noWorkFolder = noWorkFolder || (result == TCopyResult::Missing && copy.Source.isEmpty() &&
                                    TSource::Parse(Session().SceneTable[copy.Scene].Source).IsEntry() &&
                                    !Session().WorkFolder.Error().isEmpty());
  });
  if (noWorkFolder) dialogs_.Message(WorkFolderFailureText(Session().WorkFolder));
  for (const QString &note : ApplyNotes(report)) dialogs_.Message(note);
  ShowApplyFailures(report, dialogs_);
  // The game's other music sets get the configuration as stored.
  const std::vector<TGameSet> &sets = gameChoice_->Sets();
  for (size_t i = 0; i < sets.size(); ++i) {
    if (static_cast<int>(i) == gameChoice_->SetIndex()) continue;
    const TSetApply other = ApplyConfigToSet(Store().ProgramPath(), sets[i], Store().CurrentConfig, dialogs_);
    ShowBackupReport(dialogs_, other.Backups);
    for (const QString &note : ApplyNotes(other.Report)) dialogs_.Message(note);
    ShowApplyFailures(other.Report, dialogs_);
  }
}

void TFormMain::MainMenuApplayCloseClick() {
  MainMenuApplayClick();
  close();
}
