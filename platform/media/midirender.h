// A Standard MIDI File rendered on FluidSynth as fast as the machine allows, with no sound
// output: the tune to its end, then the release of its last notes. The same tune and
// SoundFont give the same samples every time.
#pragma once

#include <memory>
#include <string>

#include "media/audiodecoder.h"

namespace platform {

class MidiDecoder : public AudioDecoder {
 public:
  // True once Read stopped because the tune lasts longer than kMaxMidiSeconds.
  virtual bool TooLong() const = 0;
};

struct MidiRendering {
  std::unique_ptr<MidiDecoder> decoder;  // 44,100 frames a second; null on failure
  std::string error;                     // why, in the program's language
};

// Longest a tune may last, and longest its notes may ring on after its end.
constexpr double kMaxMidiSeconds = 2 * 60 * 60;
constexpr double kMaxReleaseSeconds = 10;

// tune: the file's bytes; shown: its name as the messages show it. soundFontPath: the Linux
// path of the SoundFont to load.
MidiRendering RenderMidi(const std::string &tune, const std::string &shown, const std::string &soundFontPath);

}  // namespace platform
