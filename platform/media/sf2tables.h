// The tables of a SoundFont 2 file that say what sounds (presets, instruments, the headers of
// its samples), and a smaller font made of them that keeps only what given notes can reach:
// the same presets, each with only the zones those notes sound, and only the instruments and
// samples those zones use. The sample data stays where it is in the file, so the smaller font
// is the file's own bytes up to its preset data, then preset data of its own.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "media/noteset.h"

namespace platform {

struct Sf2Tables {
  uint64_t presetDataAt = 0;     // where the file's LIST chunk of preset data starts: it ends the file
  uint64_t sampleDataBytes = 0;  // the size of its 16-bit sample data; 0 when not found
  // The nine sub-chunks of the preset data, in the file's order, each its records as they
  // are, the terminal record included.
  std::string chunks[9];
};

// Reads `count` bytes at `offset` of the file into `out`; false when it can't.
using Sf2Reader = std::function<bool(uint64_t offset, size_t count, char *out)>;

// The tables of a file of fileSize bytes; nothing when it is not a SoundFont 2 file whose
// tables are whole and consistent (every index in range and in order), or when something
// follows its preset data. Never reads past fileSize.
std::optional<Sf2Tables> ReadSf2Tables(uint64_t fileSize, const Sf2Reader &read);

struct Sf2Preset {
  int bank, program;
};

// The first bytes of a SoundFont 2 file of fileSize bytes: its RIFF header.
std::string Sf2FileHead(uint64_t fileSize);

// The presets of the tables, in their order.
std::vector<Sf2Preset> Sf2Presets(const Sf2Tables &tables);

// The LIST chunk of preset data, header included, of a font with every preset of tables, each
// keeping its global zone and the zones a note of notes[preset's index] sounds; the
// instruments keep their global zones and the zones those notes sound through a preset's
// zone. notes has one set for each preset. An instrument that has no global zone and uses a
// sample the synthesiser may refuse keeps its first zone too: a first zone without its sample
// would be taken for the global zone.
std::string ReachablePresetData(const Sf2Tables &tables, const std::vector<NoteSet> &notes);

}  // namespace platform
