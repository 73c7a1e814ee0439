// On which channels a Standard MIDI File plays notes, and with which instruments at first.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <optional>
#include <string_view>

#include "media/noteset.h"

namespace platform {

// The channels (bit 0: channel 1 … bit 15: channel 16) on which some track of the file starts a
// note: a note-on of velocity above 0, running status followed. Nothing when the file's tracks
// can't be read to their end (a track cut short, an event the synthesiser would not take, a data
// byte with no status before it): then which channels sound is not known. Never reads past the
// bytes.
std::optional<uint16_t> ChannelsWithNotes(std::string_view smf);

// Of those, the channels that may start a note with their default instrument: no program change
// surely reaches the channel before its first note. Nothing when the file can't be read, as
// above.
std::optional<uint16_t> ChannelsSoundingDefault(std::string_view smf);

// What a tune may ask of a SoundFont on one channel.
struct ChannelUse {
  std::bitset<128> programs;  // every program it selects there, at any time
  NoteSet notes;              // every note it starts there
};

// What a tune may ask of a SoundFont, to know which of its samples the tune can reach.
struct TuneUse {
  std::array<ChannelUse, 16> channels;
  uint16_t soundingDefault = 0;  // the channels that may start a note with their default instrument
  // The tune sends system exclusive messages: they may reset the synthesiser or turn a channel
  // into a drum channel or back, so any channel may sound any program of any bank.
  bool systemExclusive = false;
};

// Nothing when the file can't be read, as above.
std::optional<TuneUse> ScanTuneUse(std::string_view smf);

}  // namespace platform
