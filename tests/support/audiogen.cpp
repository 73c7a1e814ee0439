#include "audiogen.h"

#include <sndfile.h>

#include <cmath>
#include <cstdio>

namespace testsupport {

std::vector<int16_t> Tone(double seconds, int rate, int channels, bool rising) {
  const auto frames = static_cast<size_t>(seconds * rate);
  std::vector<int16_t> samples;
  samples.reserve(frames * channels);
  for (size_t i = 0; i < frames; ++i) {
    const double level = rising ? 32000.0 * static_cast<double>(i) / static_cast<double>(frames) : 16383.0;
    const auto v = static_cast<int16_t>(std::lround(level * std::sin(2.0 * M_PI * 440.0 * i / rate)));
    for (int c = 0; c < channels; ++c) samples.push_back(v);
  }
  return samples;
}

bool MakeMp3(const std::string &linuxPath, double seconds, int rate, int channels) {
  char kHz[16];
  std::snprintf(kHz, sizeof kHz, "%g", rate / 1000.0);
  const std::string command = std::string("lame --silent -r -s ") + kHz +
                              " --bitwidth 16 --signed --little-endian -m " + (channels == 1 ? "m" : "j") +
                              " -b 128 - '" + linuxPath + "' 2>/dev/null";
  FILE *lame = popen(command.c_str(), "w");
  if (lame == nullptr) return false;
  std::string pcm;
  for (int16_t v : Tone(seconds, rate, channels)) {
    pcm += static_cast<char>(v & 0xFF);
    pcm += static_cast<char>((v >> 8) & 0xFF);
  }
  const bool written = std::fwrite(pcm.data(), 1, pcm.size(), lame) == pcm.size();
  return pclose(lame) == 0 && written;
}

bool MakeSoundFile(const std::string &linuxPath, int format, double seconds, int rate, int channels, bool rising) {
  SF_INFO info{};
  info.samplerate = rate;
  info.channels = channels;
  info.format = format;
  SNDFILE *file = sf_open(linuxPath.c_str(), SFM_WRITE, &info);
  if (file == nullptr) return false;
  const std::vector<int16_t> samples = Tone(seconds, rate, channels, rising);
  const auto frames = static_cast<sf_count_t>(samples.size() / channels);
  const bool written = sf_writef_short(file, samples.data(), frames) == frames;
  return sf_close(file) == 0 && written;
}

}  // namespace testsupport
