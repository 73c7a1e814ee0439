// The MIDI tunes on today's clients: a digital track takes the tune of its MIDI scene, one track
// from the scene list's menu or every track from the configuration menu; and the cache of tunes
// converted for digital tracks, cleared from the options menu.
#include "convertcache.h"
#include "formmain.h"
#include "midituneuse.h"

namespace {

QString MebibytesText(qint64 bytes) { return QString::number(static_cast<double>(bytes) / (1024.0 * 1024.0), 'f', 1); }

}  // namespace

const TGame *TFormMain::ShownGame() const {
  const int index = gameChoice_->GameIndex();
  return index < 0 ? nullptr : &gameChoice_->Games().at(static_cast<size_t>(index));
}

bool TFormMain::OffersMidiTunes() {
  const TGame *game = ShownGame();
  if (!game || !gameChoice_->Set().IsDigital()) return false;
  return AnyMidiTune(gameChoice_->Set(), StoredMidiAssignments(Store().Settings(), Store().CurrentConfig, *game),
                     *game);
}

void TFormMain::PopupMenuListMidiTuneClick() {
  const int scene = sceneList_->CurrentScene();
  const TGame *game = ShownGame();
  if (scene < 0 || !game || !gameChoice_->Set().IsDigital()) return;
  const TTrackMidiTune track = MidiTuneOfTrack(
      gameChoice_->Set(), scene, StoredMidiAssignments(Store().Settings(), Store().CurrentConfig, *game), *game);
  if (!track.Found()) {
    dialogs_.Message(NoMidiTuneText(track), platform::TMsgType::Warning);
    return;
  }
  if (!AssignSource(scene, track.Tune.Source)) return;
  EditMidiFile->setText(track.Tune.Source);  // Play plays the tune now assigned
  JumpToSceneFile();
  if (const QString note = LowestNumberNote(track); !note.isEmpty()) dialogs_.Message(note);
}

void TFormMain::MainMenuAllMidiTunesClick() {
  const TGame *game = ShownGame();
  if (!game || !gameChoice_->Set().IsDigital() || RefuseStandardEdit()) return;
  const TAllMidiTunes all =
      GiveAllMidiTunes(Session().SceneTable, gameChoice_->Set(),
                       StoredMidiAssignments(Store().Settings(), Store().CurrentConfig, *game), *game);
  for (int scene = 0; scene < Session().SceneTable.size(); ++scene) sceneList_->ShowSource(scene);
  JumpToSceneFile();
  if (const QString report = AllMidiTunesReport(all); !report.isEmpty()) dialogs_.Message(report);
}

void TFormMain::MainMenuClearCacheClick() {
  const TConvertCache cache;
  const qint64 size = cache.Size();
  if (size == 0) {
    dialogs_.Message(tr("変換済みの曲のキャッシュは空です."));
    return;
  }
  if (dialogs_.Message(tr("変換済みの曲のキャッシュ (%1 MiB) を削除します.\n"
                          "削除した曲は, 次に適用するときにもう一度変換します.")
                           .arg(MebibytesText(size)),
                       platform::TMsgType::Confirmation, platform::mbOKCancel) != platform::TModalResult::OK)
    return;
  if (!cache.Clear())
    dialogs_.Message(tr("変換済みの曲のキャッシュの一部を削除できませんでした: %1").arg(cache.Dir()),
                     platform::TMsgType::Error);
}
