// Applying a configuration: copying every scene's file over the game's music.
#include "apply.h"

#include "applyguard.h"
#include "formmain.h"
#include "gamerunning.h"

void TFormMain::MainMenuApplayClick() {
  const QString question = ApplyQuestion(IsGameRunning(folders_), Store().CurrentConfig);
  if (dialogs_.Message(question, platform::TMsgType::Confirmation, platform::mbOKCancel) != platform::TModalResult::OK)
    return;
  if (ToolButtonStop->isEnabled()) StopPlaying();
  const TApplyReport report = ApplyConfig(Session());
  for (const QString &note : ApplyNotes(report)) dialogs_.Message(note);
  ShowApplyFailures(report, dialogs_);
}

void TFormMain::MainMenuApplayCloseClick() {
  MainMenuApplayClick();
  close();
}
