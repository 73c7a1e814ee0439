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
  // True once Read stopped because the tune lasts longer than its longest.
  virtual bool TooLong() const = 0;
};

struct MidiRendering {
  std::unique_ptr<MidiDecoder> decoder;  // 44,100 frames a second; null on failure
  std::string error;                     // why, in the program's language
};

// Longest the notes may ring on after the end of the tune.
constexpr double kMaxReleaseSeconds = 10;

// tune: the file's bytes; shown: its name as the messages show it. soundFontPath: the Linux
// path of the SoundFont to load. A tune longer than longestSeconds is rendered that far.
// onlyReachable: the synthesiser is given only the parts of the SoundFont the tune's notes can
// reach, and a channel gets its default instrument only when the tune may start a note on it
// before selecting one, so that no other sample is ever loaded; the samples rendered are the
// same either way (only the tests turn it off, to show that). A file that can't be read to its
// end is rendered with the whole SoundFont and every default instrument.
MidiRendering RenderMidi(const std::string &tune, const std::string &shown, const std::string &soundFontPath,
                         double longestSeconds, bool onlyReachable = true);

}  // namespace platform
