// The players besides the MIDI one, behind the same interface: recorded sound (MP3, WAV,
// FLAC, Ogg Vorbis, Opus), and the player for any music file that the window holds.
#pragma once

#include <memory>

#include "media/midiplayer.h"

namespace platform {

// Plays MP3 (libmpg123) and what libsndfile reads through FluidSynth's audio drivers, in the
// order of options.drivers, or into options.renderFile. The SoundFont options are not used.
// Files at other rates than 44.1 kHz are converted to it.
std::unique_ptr<MidiPlayer> MakeAudioPlayer(FluidPlayerOptions options = {});

// Plays a Standard MIDI File (known by its bytes) with the FluidSynth player, and anything
// else with the audio player. A file of neither kind gets the audio player's message, or the
// MIDI player's when its name ends in ".mid" or ".midi".
std::unique_ptr<MidiPlayer> MakeMusicPlayer(FluidPlayerOptions options = {});

}  // namespace platform
