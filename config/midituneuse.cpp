#include "midituneuse.h"

#include "backups.h"
#include "musicset.h"
#include "qtcore/qstr.h"
#include "sources.h"

using platform::QS;
using platform::SS;

namespace {

// A bare file name stands for the game's own file (see sources.h).
bool IsBareName(const TSource &source) {
  return !source.IsEntry() && !source.Path().contains('\\') && !source.Path().contains(':');
}

}  // namespace

TAssignments StoredMidiAssignments(const platform::IniFile &settings, const QString &config, const TGame &game) {
  TAssignments assignments;
  if (config.isEmpty() || config == kStandardConfig) return assignments;
  for (const TScene &scene : MidiMusicSet().Scenes) {
    const QString value = QS(settings.ReadString(SS(config), SS(scene.FileName), ""));
    const TSource source = TSource::Parse(value);
    if (source.IsEmpty()) continue;
    if (!IsBareName(source)) {
      assignments.insert(scene.FileName, value);
    } else if (source.Path().compare(scene.FileName, Qt::CaseInsensitive) != 0 && game.HasMidi()) {
      assignments.insert(scene.FileName, BackupPath(game.Midi, TClient::First, source.Path()));
    }
  }
  return assignments;
}

bool AnyMidiTune(const TGameSet &digital, const TAssignments &midiAssignments, const TGame &game) {
  if (!digital.IsDigital()) return false;
  for (int i = 0; i < static_cast<int>(digital.Set.Scenes.size()); ++i)
    if (MidiTuneOfTrack(digital, i, midiAssignments, game).Found()) return true;
  return false;
}

TAllMidiTunes GiveAllMidiTunes(TSceneTable &table, const TGameSet &digital, const TAssignments &midiAssignments,
                               const TGame &game) {
  TAllMidiTunes all = AllMidiTunes(digital, midiAssignments, game);
  for (const TTrackMidiTune &track : all.Given)
    for (TScene &scene : table)
      if (scene.FileName == track.TrackKey) scene.Source = track.Tune.Source;
  return all;
}
