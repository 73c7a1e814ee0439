// WAV, FLAC, Ogg Vorbis, Opus and the other formats of libsndfile. Mono is played on both
// sides; of more channels the first two are played.
#include <sndfile.h>
#include <strings.h>

#include <cstdio>
#include <vector>

#include "media/audiodecoder.h"

namespace platform {
namespace {

class SndfileDecoder final : public AudioDecoder {
 public:
  SndfileDecoder(SNDFILE *file, const SF_INFO &info) : file_(file), info_(info) {}
  ~SndfileDecoder() override { sf_close(file_); }

  long Rate() const override { return info_.samplerate; }

  size_t Read(float *out, size_t frames) override {
    const size_t channels = static_cast<size_t>(info_.channels);
    if (channels == 2) {
      const sf_count_t got = sf_readf_float(file_, out, static_cast<sf_count_t>(frames));
      // A read that meets a part that does not decode gives what came before it, and the
      // next read nothing, with no error of its own.
      broken_ = broken_ || sf_error(file_) != SF_ERR_NO_ERROR;
      return got > 0 ? static_cast<size_t>(got) : 0;
    }
    scratch_.resize(frames * channels);
    const sf_count_t got = sf_readf_float(file_, scratch_.data(), static_cast<sf_count_t>(frames));
    broken_ = broken_ || sf_error(file_) != SF_ERR_NO_ERROR;
    if (got <= 0) return 0;
    for (size_t i = 0; i < static_cast<size_t>(got); ++i) {
      out[2 * i] = scratch_[i * channels];
      out[2 * i + 1] = scratch_[i * channels + (channels > 1 ? 1 : 0)];
    }
    return static_cast<size_t>(got);
  }

  bool Rewind() override {
    broken_ = false;
    return sf_seek(file_, 0, SEEK_SET) == 0;
  }
  bool Broken() const override { return broken_; }

 private:
  SNDFILE *file_;
  SF_INFO info_;
  std::vector<float> scratch_;
  bool broken_ = false;  // since the start
};

}  // namespace

std::unique_ptr<AudioDecoder> OpenSndfileDecoder(const std::string &linuxPath) {
  SF_INFO info{};
  SNDFILE *file = sf_open(linuxPath.c_str(), SFM_READ, &info);
  if (file == nullptr) return nullptr;
  const int container = info.format & SF_FORMAT_TYPEMASK;
  if (container == SF_FORMAT_MPEG || info.channels < 1 || info.samplerate < 1) {
    sf_close(file);
    return nullptr;
  }
  return std::make_unique<SndfileDecoder>(file, info);
}

namespace {

// An MP3 is named so, or starts with a tag or a frame's sync bits. libsndfile is not asked
// about those: it would read them with its own, talkative, use of libmpg123.
bool LooksLikeMp3(const std::string &linuxPath) {
  const size_t dot = linuxPath.rfind('.');
  if (dot != std::string::npos && strcasecmp(linuxPath.c_str() + dot, ".mp3") == 0) return true;
  unsigned char head[3] = {};
  FILE *file = std::fopen(linuxPath.c_str(), "rb");
  if (file == nullptr) return false;
  const size_t got = std::fread(head, 1, sizeof head, file);
  std::fclose(file);
  if (got == 3 && head[0] == 'I' && head[1] == 'D' && head[2] == '3') return true;
  return got >= 2 && head[0] == 0xFF && (head[1] & 0xE0) == 0xE0;
}

}  // namespace

std::unique_ptr<AudioDecoder> OpenAudioDecoder(const std::string &linuxPath) {
  if (!LooksLikeMp3(linuxPath))
    if (auto decoder = OpenSndfileDecoder(linuxPath)) return decoder;
  return OpenMp3Decoder(linuxPath);
}

}  // namespace platform
