// Giving digital tracks of the configuration shown the MIDI tunes of their scenes: the command of
// one track ("MIDI の曲を使う") and of the whole configuration ("すべて MIDI の曲にする"). The
// scene table holds the digital set's scenes only; the configuration's sources for the MIDI
// scenes are read from the stored configuration, where the MIDI set's keys are kept while
// another set is shown.
#pragma once

#include "configstore.h"
#include "games.h"
#include "gamesets.h"
#include "miditunes.h"

// The configuration's sources for the MIDI scenes as stored in settings (MIDI scenes' keys only).
// A scene left to the game's own file (its own bare name) is left out, so that the game's backup
// stands for it; a bare name of another MIDI file is that file's backup in the MIDI client's
// folders. Empty for "標準" and for a configuration that is not stored.
TAssignments StoredMidiAssignments(const platform::IniFile &settings, const QString &config, const TGame &game);

// Whether some track of the digital set can take a MIDI tune: the commands are offered then.
bool AnyMidiTune(const TGameSet &digital, const TAssignments &midiAssignments, const TGame &game);

// Every track of table (the digital set's scenes) that has a MIDI tune gets it as its source; the
// others keep theirs. What was given and what was left, as AllMidiTunes says.
TAllMidiTunes GiveAllMidiTunes(TSceneTable &table, const TGameSet &digital, const TAssignments &midiAssignments,
                               const TGame &game);
