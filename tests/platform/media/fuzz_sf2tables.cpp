#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "media/sf2tables.h"

namespace {

std::optional<platform::Sf2Tables> Read(const std::string &file) {
  return platform::ReadSf2Tables(file.size(), [&file](uint64_t at, size_t count, char *out) {
    if (at > file.size() || count > file.size() - at) return false;
    std::memcpy(out, file.data() + at, count);
    return true;
  });
}

}  // namespace

// Any font read is cut down for notes everywhere, and for notes of the first keys only; what
// is kept must read back as a font.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::string file(reinterpret_cast<const char *>(data), size);
  const std::optional<platform::Sf2Tables> tables = Read(file);
  if (!tables) return 0;
  const size_t presets = platform::Sf2Presets(*tables).size();
  platform::NoteSet every, few;
  for (int key = 0; key < 128; ++key)
    for (int velocity = 1; velocity < 128; velocity += 7) every.Add(key, velocity), few.Add(key % 8, velocity);
  for (const platform::NoteSet &notes : {every, few}) {
    const std::string kept = file.substr(0, tables->presetDataAt) +
                             platform::ReachablePresetData(*tables, std::vector<platform::NoteSet>(presets, notes));
    const uint32_t riff = static_cast<uint32_t>(kept.size() - 8);
    const std::string head = {'R',
                              'I',
                              'F',
                              'F',
                              char(riff & 0xFF),
                              char(riff >> 8 & 0xFF),
                              char(riff >> 16 & 0xFF),
                              char(riff >> 24 & 0xFF)};
    if (!Read(head + kept.substr(8))) __builtin_trap();
  }
  return 0;
}
