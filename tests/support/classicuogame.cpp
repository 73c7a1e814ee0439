#include "classicuogame.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace testsupport {

const std::vector<DigitalTrackFile> &ClassicUoTrackFiles() {
  static const std::vector<DigitalTrackFile> files = {
      {"0 turfin,loop", "Turfin.mp3"},
      {"1 turfin,loop", ""},
      {"2 turfin,loop", ""},
      {"8 stones1", "Stones1.mp3"},
      {"9 britainpos,loop", "Britainpos.mp3"},
      {"10 britain1", "britain1.mp3"},
      {"22 vesper1", "Vesper1.mp3"},
      {"28 walking,loop", "Walking.mp3"},
      {"29 citynightedit,loop", "CityNightEdit.mp3"},
      {"31 citynightedit,loop", ""},
      {"41 turfin,loop", ""},
      {"48 moonglowpos,loop", "MoonglowPos.mp3"},
      {"78 LoginLoop.mp3,loop", "LoginLoop.mp3"},
      {"101 StarlightInBritain.mp3", "StarlightInBritain.mp3"},
  };
  return files;
}

std::string JsonString(const std::string &utf8) {
  std::string out = "\"";
  for (const char c : utf8) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      static const char hex[] = "0123456789abcdef";
      out += "\\u00";
      out += hex[(c >> 4) & 0xF];
      out += hex[c & 0xF];
    } else {
      out += c;
    }
  }
  return out + "\"";
}

void MakeClassicUoGame(const std::string &gameDir, const std::string &classicUoDir, double seconds) {
  const std::string digital = gameDir + "/Music/Digital";
  std::filesystem::create_directories(digital);
  std::filesystem::create_directories(classicUoDir);
  // Four notes of a C major scale, from a different step for every file.
  static const int scale[] = {262, 294, 330, 349, 392, 440, 494, 523, 587, 659, 698};
  std::ofstream index(digital + "/Config.txt", std::ios::binary);
  int tune = 0;
  for (const DigitalTrackFile &f : ClassicUoTrackFiles()) {
    index << f.indexLine << "\r\n";
    if (f.diskName.empty()) continue;
    const int step = tune++ % 4;
    const std::vector<int> notes = {scale[step], scale[step + 2], scale[step + 4], scale[step + 7]};
    if (MakeTuneMp3(digital + "/" + f.diskName, notes, seconds / notes.size()).empty())
      throw std::runtime_error("could not make " + digital + "/" + f.diskName + " (is lame installed?)");
  }
  if (!index.flush()) throw std::runtime_error("could not write " + digital + "/Config.txt");
  // ClassicUO's settings as it writes them, the data folder among its other keys.
  std::ofstream json(classicUoDir + "/settings.json", std::ios::binary);
  json << "{\n"
       << "  \"username\": \"\",\n"
       << "  \"password\": \"\",\n"
       << "  \"ip\": \"127.0.0.1\",\n"
       << "  \"port\": 2593,\n"
       << "  \"ultimaonlinedirectory\": " << JsonString(gameDir) << ",\n"
       << "  \"profilespath\": \"\",\n"
       << "  \"clientversion\": \"7.0.95.0\",\n"
       << "  \"lang\": \"JPN\",\n"
       << "  \"lastservernum\": 1,\n"
       << "  \"fps\": 60,\n"
       << "  \"saveaccount\": false,\n"
       << "  \"autologin\": false,\n"
       << "  \"plugins\": []\n"
       << "}\n";
  if (!json.flush()) throw std::runtime_error("could not write " + classicUoDir + "/settings.json");
}

}  // namespace testsupport
