// The MIDI tunes of today's clients: a digital track whose numbers include a MIDI scene (0-48)
// stands for the same place in the game as that scene, and can take that scene's tune, converted
// on apply. Where its numbers name several MIDI scenes, the scene of its lowest number is used.
#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <vector>

#include "games.h"
#include "gamesets.h"

// The MIDI scene of a digital track's numbers.
struct TTrackMidiScene {
  QString MidiKey;     // the scene of its lowest number 0-48 ("oldult01.mid"); empty when it has none
  int Number = -1;     // that number
  QStringList Others;  // the other MIDI scenes its numbers name, by their numbers, each once
  bool Several() const { return !Others.isEmpty(); }
};
TTrackMidiScene MidiSceneOfNumbers(const std::vector<int> &numbers);

// Where a MIDI scene's tune comes from in a configuration.
enum class TMidiTuneFrom {
  None,           // neither the configuration nor the game has one
  Configuration,  // the configuration's source for the MIDI scene
  Game,           // the game's own MIDI file: the MIDI client's backup in music\default
};
struct TMidiTune {
  TMidiTuneFrom From = TMidiTuneFrom::None;
  QString Source;  // the configuration's source as stored, or the Windows path of the backup
};

// The tune of MIDI scene midiKey in a configuration of game with these assignments (scene key ->
// source, as stored): the configuration's source when it has one, else the game's own file when
// the game has MIDI clients and the backup exists.
TMidiTune MidiTuneOfScene(const QString &midiKey, const QMap<QString, QString> &assignments, const TGame &game);

// The MIDI tune for one digital track: scene is its index in digital.Set.Scenes.
struct TTrackMidiTune {
  QString TrackKey;   // "turfin.mp3"
  QString TrackName;  // its caption in the set
  TTrackMidiScene Scene;
  TMidiTune Tune;
  bool Found() const { return Tune.From != TMidiTuneFrom::None; }
};
TTrackMidiTune MidiTuneOfTrack(const TGameSet &digital, int scene, const QMap<QString, QString> &assignments,
                               const TGame &game);

// Every track of a digital set with the MIDI tune it can take ("すべて MIDI の曲にする").
struct TAllMidiTunes {
  std::vector<TTrackMidiTune> Given;  // tracks that get a source, in the set's order
  std::vector<TTrackMidiTune> Left;   // tracks left as they are: no MIDI scene, or no tune for it
};
TAllMidiTunes AllMidiTunes(const TGameSet &digital, const QMap<QString, QString> &assignments, const TGame &game);

// The note for a track given the tune of its lowest number while its numbers name several MIDI
// scenes; empty when they name one.
QString LowestNumberNote(const TTrackMidiTune &track);
// Why a track got no MIDI tune.
QString NoMidiTuneText(const TTrackMidiTune &track);
// What the whole-configuration form did: the notes of the tracks given the tune of their lowest
// number, then the tracks left as they were; empty when every track got its single scene's tune.
QString AllMidiTunesReport(const TAllMidiTunes &all);
