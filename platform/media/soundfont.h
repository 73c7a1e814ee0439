// Where the built-in player finds its SoundFont: the user's choice (the settings' "SoundFont"
// key), else the system's General MIDI SoundFont.
#pragma once

#include <string>
#include <vector>

namespace platform {

// The system's General MIDI SoundFonts, most preferred first: the distribution's default
// (/usr/share/sounds/sf2/default-GM.sf2, a link the packages maintain), then the usual names
// in /usr/share/sounds/sf2 and /usr/share/soundfonts.
const std::vector<std::string> &SystemSoundFonts();

// Where the system keeps its SoundFonts: the folder a SoundFont chooser opens in first.
constexpr const char *kSystemSoundFontFolder = "/usr/share/sounds/sf2";

struct SoundFontChoice {
  std::string path;   // empty when none was found
  std::string error;  // why, in the program's language, when path is empty
};

// chosen (a Linux path) when it is set: it must exist, nothing else is tried in its stead.
// Otherwise the first of candidates that is a file.
SoundFontChoice FindSoundFont(const std::string &chosen,
                              const std::vector<std::string> &candidates = SystemSoundFonts());

}  // namespace platform
