#include "miditunes.h"

#include <QCoreApplication>
#include <algorithm>

#include "scenetext.h"
#include "backups.h"
#include "core/fileops.h"
#include "digitalcaption.h"
#include "musicset.h"
#include "qtcore/qstr.h"

using platform::SS;

namespace {

QString MidiSceneName(const QString &key) {
  for (const TScene &scene : MidiMusicSet().Scenes)
    if (scene.FileName == key) return ShownSceneName(scene);
  return key;
}

}  // namespace

TTrackMidiScene MidiSceneOfNumbers(const std::vector<int> &numbers) {
  std::vector<int> sorted = numbers;
  std::sort(sorted.begin(), sorted.end());
  TTrackMidiScene scene;
  for (const int number : sorted) {
    const QString key = MidiFileOfDigitalNumber(number);
    if (key.isEmpty()) continue;
    if (scene.MidiKey.isEmpty()) {
      scene.MidiKey = key;
      scene.Number = number;
    } else if (key != scene.MidiKey && !scene.Others.contains(key)) {
      scene.Others << key;
    }
  }
  return scene;
}

TMidiTune MidiTuneOfScene(const QString &midiKey, const QMap<QString, QString> &assignments, const TGame &game) {
  if (midiKey.isEmpty()) return {};
  const QString assigned = assignments.value(midiKey);
  if (!assigned.isEmpty()) return {TMidiTuneFrom::Configuration, assigned};
  if (!game.HasMidi()) return {};
  const QString backup = BackupPath(game.Midi, TClient::First, midiKey);
  if (!platform::FileExists(SS(backup))) return {};
  return {TMidiTuneFrom::Game, backup};
}

TTrackMidiTune MidiTuneOfTrack(const TGameSet &digital, int scene, const QMap<QString, QString> &assignments,
                               const TGame &game) {
  TTrackMidiTune track;
  if (scene < 0 || scene >= static_cast<int>(digital.Set.Scenes.size())) return track;
  track.TrackKey = digital.Set.Scenes[scene].FileName;
  track.TrackName = ShownSceneName(digital.Set.Scenes[scene]);
  if (scene < static_cast<int>(digital.Numbers.size())) track.Scene = MidiSceneOfNumbers(digital.Numbers[scene]);
  track.Tune = MidiTuneOfScene(track.Scene.MidiKey, assignments, game);
  return track;
}

TAllMidiTunes AllMidiTunes(const TGameSet &digital, const QMap<QString, QString> &assignments, const TGame &game) {
  TAllMidiTunes all;
  for (int i = 0; i < static_cast<int>(digital.Set.Scenes.size()); ++i) {
    TTrackMidiTune track = MidiTuneOfTrack(digital, i, assignments, game);
    (track.Found() ? all.Given : all.Left).push_back(std::move(track));
  }
  return all;
}

QString LowestNumberNote(const TTrackMidiTune &track) {
  if (!track.Scene.Several()) return {};
  QStringList others;
  for (const QString &key : track.Scene.Others) others << MidiSceneName(key);
  return QCoreApplication::translate(
             "MidiTunes", "「%1」の曲には番号の小さい「%2」(番号 %3) の曲を使いました. ほかの番号の場面: %4.")
      .arg(track.TrackName, MidiSceneName(track.Scene.MidiKey), QString::number(track.Scene.Number),
           others.join(QStringLiteral(", ")));
}

QString NoMidiTuneText(const TTrackMidiTune &track) {
  if (track.Scene.MidiKey.isEmpty())
    return QCoreApplication::translate("MidiTunes", "「%1」の番号には MIDI の場面がありません.").arg(track.TrackName);
  return QCoreApplication::translate("MidiTunes",
                                     "「%1」の MIDI の場面「%2」には, この設定にもゲームにも曲がありません.")
      .arg(track.TrackName, MidiSceneName(track.Scene.MidiKey));
}

QString AllMidiTunesReport(const TAllMidiTunes &all) {
  QStringList notes, left;
  for (const TTrackMidiTune &track : all.Given)
    if (track.Scene.Several()) notes << LowestNumberNote(track);
  for (const TTrackMidiTune &track : all.Left) left << NoMidiTuneText(track);
  QStringList parts;
  if (!notes.isEmpty()) parts << notes.join('\n');
  if (!left.isEmpty())
    parts << QCoreApplication::translate("MidiTunes", "次の曲はそのままにしました.\n%1").arg(left.join('\n'));
  return parts.join(QStringLiteral("\n\n"));
}
