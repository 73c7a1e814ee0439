// The built-in MIDI player: one file at a time, opened by its Linux path and played in the
// background while the caller goes on. The main window holds one for its whole life.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace platform {

class MidiPlayer {
 public:
  virtual ~MidiPlayer() = default;

  // Closes the file held so far (its sound stops), then opens linuxPath and the sound output.
  // False, with ErrorText() set and nothing held, when the file can't be read or isn't a
  // playable Standard MIDI File, when there is no SoundFont or no sound output. Blocks while
  // it loads the SoundFont (at the first call only) and opens the output.
  virtual bool Open(const std::string &linuxPath) = 0;
  // Plays the open file from where it is (the start, or where Stop left it; after the end the
  // tune starts again) and returns at once. False, with ErrorText() set, when no file is open.
  virtual bool Play() = 0;
  // Silences the sound at once; the file stays open at its position.
  virtual void Stop() = 0;
  // Stops and releases the file and the sound output. The SoundFont stays loaded.
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;
  // What the last failed Open or Play found, for a message box; empty after a success.
  virtual const std::string &ErrorText() const = 0;
};

struct FluidPlayerOptions {
  // The user's SoundFont (Linux path); empty: the first of systemSoundFonts that exists.
  std::string soundFont;
  std::vector<std::string> systemSoundFonts;  // empty: SystemSoundFonts()
  // FluidSynth's audio drivers in the order they are tried; the first that starts is used.
  std::vector<std::string> drivers = {"pipewire", "pulseaudio", "alsa"};
  // For tests and benchmarks: when set, the sound goes to this file instead, as raw 16-bit
  // little-endian stereo at 44,100 frames a second, written at the pace of playing.
  std::string renderFile;
};

// The player on FluidSynth. Its threads (the sound output) run only while a file is open.
std::unique_ptr<MidiPlayer> MakeFluidPlayer(FluidPlayerOptions options = {});

}  // namespace platform
