// MP3 encoding on LAME: 44,100 stereo frames a second in, a constant bitrate out, with the
// LAME tag in the first frame so that decoders trim the encoder's delay and padding.
#pragma once

#include <cstddef>
#include <cstdio>

struct lame_global_struct;

namespace platform {

class Mp3Encoder {
 public:
  static constexpr long kRate = 44100;

  // Writes into file (opened for reading and writing, at its start). Good() tells whether
  // LAME took the settings.
  Mp3Encoder(std::FILE *file, int kbitPerSecond);
  ~Mp3Encoder();
  Mp3Encoder(const Mp3Encoder &) = delete;
  Mp3Encoder &operator=(const Mp3Encoder &) = delete;

  bool Good() const { return lame_ != nullptr; }
  // frames interleaved stereo frames (-1 to 1). False when encoding or writing fails.
  bool Encode(const float *interleaved, size_t frames);
  // Flushes the last frames and writes the tag over the first frame. False on failure.
  bool Finish();

 private:
  bool Write(const unsigned char *bytes, size_t size);

  std::FILE *file_;
  lame_global_struct *lame_ = nullptr;
  unsigned char *buffer_ = nullptr;
  size_t bufferSize_ = 0;
};

}  // namespace platform
