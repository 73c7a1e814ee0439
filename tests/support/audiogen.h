// Recorded sound made for tests and benchmarks: a 440 Hz tone as raw samples, encoded to MP3
// by the `lame` command or written by libsndfile in one of its formats.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

// seconds of the tone, channels interleaved: at half of full scale, or (rising) growing from
// silence to nearly full scale over the whole length.
std::vector<int16_t> Tone(double seconds, int rate, int channels, bool rising = false);
// The tone encoded to an MP3 file by `lame` (128 kbit/s). False when lame failed.
bool MakeMp3(const std::string &linuxPath, double seconds = 1.0, int rate = 44100, int channels = 2);
// The tone in a file of libsndfile's format (SF_FORMAT_WAV | SF_FORMAT_PCM_16, say).
bool MakeSoundFile(const std::string &linuxPath, int format, double seconds = 1.0, int rate = 44100, int channels = 2,
                   bool rising = false);

}  // namespace testsupport
