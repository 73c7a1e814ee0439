#include "digitalgen.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace testsupport {

std::string MakeSineMp3(const std::string &linuxPath, int hz, double seconds) {
  return MakeTuneMp3(linuxPath, {hz}, seconds);
}

std::string MakeTuneMp3(const std::string &linuxPath, const std::vector<int> &notesHz, double secondsPerNote) {
  const std::string wav = linuxPath + ".wav";
  {
    const auto noteFrames = static_cast<uint32_t>(44100 * secondsPerNote);
    const auto frames = static_cast<uint32_t>(noteFrames * notesHz.size());
    std::ofstream out(wav, std::ios::binary);
    auto u32 = [&out](uint32_t v) {
      for (int i = 0; i < 4; ++i) out.put(static_cast<char>((v >> (8 * i)) & 0xFF));
    };
    auto u16 = [&out](uint16_t v) { out.put(static_cast<char>(v & 0xFF)).put(static_cast<char>(v >> 8)); };
    out << "RIFF";
    u32(36 + frames * 2);
    out << "WAVEfmt ";
    u32(16), u16(1), u16(1), u32(44100), u32(88200), u16(2), u16(16);
    out << "data";
    u32(frames * 2);
    for (const int hz : notesHz) {
      for (uint32_t i = 0; i < noteFrames; ++i) {
        // The notes of a tune fade in and out over 5 ms, so that they join without clicks.
        const double edge = notesHz.size() < 2 ? 1.0 : std::min({1.0, i / 220.0, (noteFrames - i) / 220.0});
        const double sample = 12000 * edge * std::sin(2 * M_PI * hz * i / 44100.0);
        u16(static_cast<uint16_t>(static_cast<int16_t>(sample)));
      }
    }
  }
  const std::string command = "lame --quiet -b 64 '" + wav + "' '" + linuxPath + "' </dev/null 2>/dev/null";
  const int status = std::system(command.c_str());
  std::filesystem::remove(wav);
  if (status != 0) return {};
  std::ifstream in(linuxPath, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

const std::vector<DigitalTrackFile> &DigitalTrackFiles() {
  static const std::vector<DigitalTrackFile> files = {
      {"0 turfin", "Turfin.mp3"},
      {"1, turfin.mp3", ""},
      {"2\tTURFIN", ""},
      {"8 stones,loop", "stones.mp3"},
      {"9 britainpos,loop", "Britainpos.mp3"},
      {"10 britain1.mp3", "BRITAIN1.MP3"},
      {"41 turfin", ""},
      {"the end of the table", ""},
      {"60 echo", "echo.mp3"},
      {"61 Echo", "ECHO.mp3"},
  };
  return files;
}

void MakeRealDigitalMusic(const std::string &linuxDir) {
  std::filesystem::create_directories(linuxDir);
  std::ofstream index(linuxDir + "/Config.txt", std::ios::binary);
  int hz = 330;
  for (const DigitalTrackFile &f : DigitalTrackFiles()) {
    index << f.indexLine << "\r\n";
    if (!f.diskName.empty()) MakeSineMp3(linuxDir + "/" + f.diskName, hz += 55);
  }
}

}  // namespace testsupport
