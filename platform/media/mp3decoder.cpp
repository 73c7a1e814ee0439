// MP3 (MPEG audio) through libmpg123, as stereo float at the stream's rate. The decoder skips
// tags and, where the encoder recorded them, the encoder's padding at both ends.
#include <mpg123.h>

#include <mutex>

#include "media/audiodecoder.h"

namespace platform {
namespace {

class Mp3Decoder final : public AudioDecoder {
 public:
  Mp3Decoder(mpg123_handle *handle, long rate) : handle_(handle), rate_(rate) {}
  ~Mp3Decoder() override {
    mpg123_close(handle_);
    mpg123_delete(handle_);
  }

  long Rate() const override { return rate_; }

  size_t Read(float *out, size_t frames) override {
    unsigned char *bytes = reinterpret_cast<unsigned char *>(out);
    const size_t wanted = frames * kFrameBytes;
    size_t got = 0;
    while (got < wanted) {
      size_t done = 0;
      const int result = mpg123_read(handle_, bytes + got, wanted - got, &done);
      got += done;
      // A new format within the stream (rare) is played on at the first one's rate.
      if (result == MPG123_NEW_FORMAT) continue;
      if (result != MPG123_OK) {  // the end, or a part that does not decode
        broken_ = broken_ || result != MPG123_DONE;
        break;
      }
      if (done == 0) break;
    }
    return got / kFrameBytes;
  }

  bool Rewind() override {
    broken_ = false;
    return mpg123_seek(handle_, 0, SEEK_SET) >= 0;
  }
  bool Broken() const override { return broken_; }

 private:
  static constexpr size_t kFrameBytes = 2 * sizeof(float);
  mpg123_handle *handle_;
  long rate_;
  bool broken_ = false;  // since the start
};

void InitLibrary() {
  static std::once_flag once;
  std::call_once(once, [] { mpg123_init(); });
}

}  // namespace

std::unique_ptr<AudioDecoder> OpenMp3Decoder(const std::string &linuxPath) {
  InitLibrary();
  int error = MPG123_OK;
  mpg123_handle *handle = mpg123_new(nullptr, &error);
  if (handle == nullptr) return nullptr;
  auto fail = [handle] {
    mpg123_close(handle);
    mpg123_delete(handle);
    return nullptr;
  };
  mpg123_param(handle, MPG123_ADD_FLAGS, MPG123_QUIET | MPG123_FORCE_STEREO | MPG123_FORCE_FLOAT, 0.0);
  mpg123_format_none(handle);
  const long *rates = nullptr;
  size_t count = 0;
  mpg123_rates(&rates, &count);
  for (size_t i = 0; i < count; ++i) mpg123_format(handle, rates[i], MPG123_STEREO, MPG123_ENC_FLOAT_32);
  if (mpg123_open(handle, linuxPath.c_str()) != MPG123_OK) return fail();
  long rate = 0;
  int channels = 0, encoding = 0;
  if (mpg123_getformat(handle, &rate, &channels, &encoding) != MPG123_OK || rate <= 0 || channels != 2 ||
      encoding != MPG123_ENC_FLOAT_32)
    return fail();
  return std::make_unique<Mp3Decoder>(handle, rate);
}

}  // namespace platform
