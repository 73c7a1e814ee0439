// A decoded tune as the sound output takes it: 44,100 stereo frames a second, starting again
// at its end.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "media/audiodecoder.h"

struct syn123_struct;

namespace platform {

class AudioStream {
 public:
  static constexpr long kRate = 44100;

  // Null when the decoder's rate can't be converted.
  static std::unique_ptr<AudioStream> Make(std::unique_ptr<AudioDecoder> decoder);
  ~AudioStream();

  // Decodes the first block, so that the first Fill has it at once. False when the tune gives
  // no sound at all (it does not decode, or it is empty).
  bool Prime();
  // The next frames of the tune into left and right, from where the last Fill ended. After the
  // last frame the tune starts again; a tune that gives nothing more fills silence.
  void Fill(float *left, float *right, size_t frames);

 private:
  explicit AudioStream(std::unique_ptr<AudioDecoder> decoder);
  // Decodes (and converts) the next block into pending_. False when nothing more comes.
  bool Refill();

  std::unique_ptr<AudioDecoder> decoder_;
  syn123_struct *resampler_ = nullptr;    // only when the file's rate is not kRate
  std::vector<float> decoded_, pending_;  // interleaved stereo
  size_t pendingFrames_ = 0, pendingAt_ = 0;
  bool ended_ = false;
};

}  // namespace platform
