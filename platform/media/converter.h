// Any tune the program plays, made into an MP3 file: MIDI rendered with a SoundFont, WAV,
// FLAC, Ogg Vorbis and Opus decoded (an MP3 is decoded and encoded again, though a caller
// would rather copy it), resampled to 44,100 frames a second and encoded at a constant
// bitrate. The tune is streamed block by block, never held whole.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace platform {

struct ConvertOptions {
  int kbitPerSecond = 192;
  // The SoundFont for MIDI files, as the built-in player finds it: the chosen one (a Linux
  // path) when set, else the first of the system's that exists (empty: SystemSoundFonts()).
  std::string soundFont;
  std::vector<std::string> systemSoundFonts;
  // A MIDI tune that lasts longer is not converted.
  double longestMidiSeconds = 2 * 60 * 60;
  // Asked between blocks, from the thread that decodes (not the caller's); true stops the
  // conversion.
  std::function<bool()> cancelled;
};

struct ConvertResult {
  bool ok = false;
  std::string error;       // why not, in the program's language, when !ok
  bool cancelled = false;  // !ok because options.cancelled said so
};

// A Standard MIDI File, bare or in a RIFF MIDI (.rmi) wrapper, by its first bytes: a source
// ConvertToMp3 renders with a SoundFont.
bool StartsLikeMidi(const std::string &linuxPath);

// Names everything besides the source and the SoundFont that decides the MP3 ConvertToMp3 makes
// with options: two conversions with the same text, source and SoundFont give the same bytes.
std::string ConvertSettingsText(const ConvertOptions &options);

// Writes mp3LinuxPath anew from sourceLinuxPath. On failure no file is left at mp3LinuxPath
// (nor a temporary one beside it) and whatever was there before is kept.
ConvertResult ConvertToMp3(const std::string &sourceLinuxPath, const std::string &mp3LinuxPath,
                           const ConvertOptions &options = {});

}  // namespace platform
