// Applying a configuration: copying every scene's file over the game's music.
#include "apply.h"

#include "applyguard.h"
#include "convertdialog.h"
#include "shownnames.h"
#include "coredialogs.h"
#include "formmain.h"
#include "gamerunning.h"
#include "setapply.h"
#include "sources.h"

void TFormMain::MainMenuApplayClick() { ApplyAll(); }

bool TFormMain::ApplyAll() {
  bool running = false;
  for (const TGameSet &set : gameChoice_->Sets()) running = running || IsGameRunning(set.Folders);
  const QString question = ApplyQuestion(running, ShownConfigName(Store().CurrentConfig));
  if (dialogs_.Message(question, platform::TMsgType::Confirmation, platform::mbOKCancel) != platform::TModalResult::OK)
    return true;
  if (players_->IsPlaying()) StopPlaying();
  // The built-in player's synthesiser and SoundFont are released, for the conversions' memory;
  // the next play loads them again.
  players_->ForgetBuiltInPlayer();
  // The sets whose tunes are converted go first: cancelled while converting, nothing of the game
  // has been touched yet. The other sets get the configuration as stored.
  const std::vector<TGameSet> &sets = gameChoice_->Sets();
  std::vector<size_t> order;
  for (const bool digital : {true, false})
    for (size_t i = 0; i < sets.size(); ++i)
      if (sets[i].IsDigital() == digital) order.push_back(i);
  TConvertDialog progress(this);
  for (const size_t i : order) {
    const bool shown = static_cast<int>(i) == gameChoice_->SetIndex();
    const bool cancelled = shown ? !ApplyShownSet(progress) : !ApplyOtherSet(sets[i], progress);
    if (cancelled) {
      dialogs_.Message(ApplyCancelledText());
      return false;
    }
  }
  return true;
}

bool TFormMain::ApplyShownSet(TConvertProgress &progress) {
  // An archive entry without a file, when the work folder can't be made: that is the reason.
  bool noWorkFolder = false;
  const TApplyReport report = ApplyConfig(
      Session(),
      [&](const TApplyCopy &copy, TCopyResult result) {
        noWorkFolder = noWorkFolder || (result == TCopyResult::Missing && copy.Source.isEmpty() &&
                                        TSource::Parse(Session().SceneTable[copy.Scene].Source).IsEntry() &&
                                        !Session().WorkFolder.Error().isEmpty());
      },
      &progress);
  if (report.Cancelled) return false;
  if (noWorkFolder) dialogs_.Message(WorkFolderFailureText(Session().WorkFolder));
  for (const QString &note : ApplyNotes(report)) dialogs_.Message(note);
  ShowApplyFailures(report, dialogs_);
  return true;
}

bool TFormMain::ApplyOtherSet(const TGameSet &set, TConvertProgress &progress) {
  const TSetApply other = ApplyConfigToSet(Store().ProgramPath(), set, Store().CurrentConfig, dialogs_, &progress);
  if (other.Report.Cancelled) return false;
  ShowBackupReport(dialogs_, other.Backups);
  for (const QString &note : ApplyNotes(other.Report)) dialogs_.Message(note);
  ShowApplyFailures(other.Report, dialogs_);
  return true;
}

// Cancelled while converting, the window stays open.
void TFormMain::MainMenuApplayCloseClick() {
  if (ApplyAll()) close();
}
