#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "media/sf2tables.h"
#include "sf2build.h"

// Any font read is cut down for notes everywhere, and for notes of the first keys only; what
// is kept must read back as a font.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::string file(reinterpret_cast<const char *>(data), size);
  const std::optional<platform::Sf2Tables> tables = sf2build::ReadFont(file);
  if (!tables) return 0;
  const size_t presets = platform::Sf2Presets(*tables).size();
  platform::NoteSet every, few;
  for (int key = 0; key < 128; ++key)
    for (int velocity = 1; velocity < 128; velocity += 7) every.Add(key, velocity), few.Add(key % 8, velocity);
  for (const platform::NoteSet &notes : {every, few}) {
    const std::string pdta = platform::ReachablePresetData(*tables, std::vector<platform::NoteSet>(presets, notes));
    if (!sf2build::ReadFont(sf2build::CutFont(file, *tables, pdta))) __builtin_trap();
  }
  return 0;
}
