// A tune of recorded sound (MP3, WAV, FLAC, Ogg Vorbis, Opus) decoded block by block into
// stereo float samples at the file's own rate.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

namespace platform {

class AudioDecoder {
 public:
  virtual ~AudioDecoder() = default;
  // Frames a second of what Read gives.
  virtual long Rate() const = 0;
  // Up to frames stereo frames (interleaved left, right; -1 to 1) into out; 0 at the end of the
  // tune or where the rest does not decode.
  virtual size_t Read(float *out, size_t frames) = 0;
  // Back to the start of the tune. False when the file can't be read again.
  virtual bool Rewind() = 0;
  // True when a Read since the start stopped at a part of the file that does not decode
  // rather than at the end of the tune.
  virtual bool Broken() const { return false; }
};

// The decoder for linuxPath: libsndfile for the formats it reads besides MPEG, libmpg123 for
// MP3. Null when neither recognises the file.
std::unique_ptr<AudioDecoder> OpenAudioDecoder(const std::string &linuxPath);

// The two decoders, each null for a file it does not take. libsndfile leaves MPEG files to
// libmpg123.
std::unique_ptr<AudioDecoder> OpenSndfileDecoder(const std::string &linuxPath);
std::unique_ptr<AudioDecoder> OpenMp3Decoder(const std::string &linuxPath);

}  // namespace platform
