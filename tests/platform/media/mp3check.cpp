#include "mp3check.h"

#include <mpg123.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace mp3check {

Decoded Decode(const std::string &linuxPath) {
  Decoded d;
  mpg123_handle *h = mpg123_new(nullptr, nullptr);
  if (h == nullptr) return d;
  mpg123_param(h, MPG123_ADD_FLAGS, MPG123_GAPLESS | MPG123_QUIET, 0);
  mpg123_format_none(h);
  for (long rate : {8000L, 11025L, 12000L, 16000L, 22050L, 24000L, 32000L, 44100L, 48000L})
    mpg123_format(h, rate, MPG123_MONO | MPG123_STEREO, MPG123_ENC_FLOAT_32);
  if (mpg123_open(h, linuxPath.c_str()) == MPG123_OK) {
    int encoding = 0;
    if (mpg123_getformat(h, &d.rate, &d.channels, &encoding) == MPG123_OK) {
      std::vector<float> buffer(4608);
      int result = MPG123_OK;
      bool sounded = false;
      while (result == MPG123_OK || result == MPG123_NEW_FORMAT) {
        size_t bytes = 0;
        result = mpg123_read(h, buffer.data(), buffer.size() * sizeof(float), &bytes);
        const size_t samples = bytes / sizeof(float);
        for (size_t i = 0; i < samples; ++i) {
          d.peak = std::max(d.peak, std::fabs(buffer[i]));
          if (std::fabs(buffer[i]) > 0.01f) {
            const size_t frame = d.frames + i / static_cast<size_t>(d.channels);
            if (!sounded) d.firstSound = frame;
            sounded = true;
            d.lastSound = frame;
          }
        }
        d.frames += samples / static_cast<size_t>(d.channels);
      }
      mpg123_frameinfo2 info{};
      if (!sounded) d.firstSound = d.lastSound = d.frames;
      d.ok = result == MPG123_DONE && mpg123_info2(h, &info) == MPG123_OK;
      d.kbitPerSecond = info.bitrate;
    }
    mpg123_close(h);
  }
  mpg123_delete(h);
  return d;
}

}  // namespace mp3check
