// Applying a configuration: copying every scene's file over the game's music.
#include "apply.h"

#include "applyguard.h"
#include "coredialogs.h"
#include "formmain.h"
#include "gamerunning.h"
#include "sources.h"

void TFormMain::MainMenuApplayClick() {
  const QString question = ApplyQuestion(IsGameRunning(folders_), Store().CurrentConfig);
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
}

void TFormMain::MainMenuApplayCloseClick() {
  MainMenuApplayClick();
  close();
}
