// A SoundFont loaded for one tune: the synthesiser is given only the zones, instruments and
// samples the tune's notes can reach, read from the SoundFont's file as it is. Selecting an
// instrument then loads only the samples the tune may play, and the synthesiser's tables stay
// small; what it renders is the same as with the whole SoundFont.
#pragma once

#include <fluidsynth.h>

#include <string>
#include <vector>

#include "media/sf2tables.h"
#include "media/smfnotes.h"

namespace platform {

// For each preset, the notes the tune may start with it, as the synthesiser chooses presets:
// a program change on a melodic channel takes the bank its controller selected (0–127), else
// bank 0, else the first preset of bank 0; on the drum channel (10) bank 128, else its first
// preset. A tune that sends system exclusive messages may play any preset on any channel.
std::vector<NoteSet> NotesByPreset(const std::vector<Sf2Preset> &presets, const TuneUse &use);

// Loads the SoundFont at path into a synthesiser that has loaded none yet, as fluid_synth_sfload
// does without selecting presets: the sfont id, or FLUID_FAILED. A file whose tables can't be
// read whole is loaded whole.
int LoadSoundFontForTune(fluid_synth_t *synth, fluid_settings_t *settings, const std::string &path, const TuneUse &use);

}  // namespace platform
