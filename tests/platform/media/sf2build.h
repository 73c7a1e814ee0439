// SoundFont 2 files made in the tests: named presets and instruments of zones of generators,
// and samples of a few frames each.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "media/sf2tables.h"

namespace sf2build {

enum Generator { kPan = 17, kInstrument = 41, kKeyRange = 43, kVelRange = 44, kSampleId = 53 };

struct Gen {
  int id;
  int amount;  // a range as low | high << 8
};
constexpr int Range(int low, int high) { return low | high << 8; }

using Zone = std::vector<Gen>;

struct Header {
  std::string name;
  int bank = 0, program = 0;  // presets only
  std::vector<Zone> zones;
};

inline std::string Le(uint32_t v, int bytes) {
  std::string s;
  for (int i = 0; i < bytes; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
  return s;
}

inline std::string Name(const std::string &name) { return (name + std::string(20, '\0')).substr(0, 20); }

inline std::string Chunk(const std::string &id, const std::string &data) {
  return id + Le(static_cast<uint32_t>(data.size()), 4) + data;
}

// The header, bag, modulator and generator chunks of presets or instruments.
inline std::string Tables(const std::vector<Header> &headers, bool presets) {
  std::string hdr, bag, gen;
  int bags = 0, gens = 0;
  for (const Header &h : headers) {
    hdr +=
        Name(h.name) + (presets ? Le(h.program, 2) + Le(h.bank, 2) + Le(bags, 2) + std::string(12, '\0') : Le(bags, 2));
    for (const Zone &zone : h.zones) {
      bag += Le(gens, 2) + Le(0, 2);
      ++bags;
      for (const Gen &g : zone) gen += Le(g.id, 2) + Le(g.amount, 2), ++gens;
    }
  }
  hdr += Name(presets ? "EOP" : "EOI") + (presets ? Le(0, 4) + Le(bags, 2) + std::string(12, '\0') : Le(bags, 2));
  bag += Le(gens, 2) + Le(0, 2);
  gen += Le(0, 4);
  const std::string p = presets ? "p" : "i";
  return Chunk(presets ? "phdr" : "inst", hdr) + Chunk(p + "bag", bag) + Chunk(p + "mod", std::string(10, '\0')) +
         Chunk(p + "gen", gen);
}

// A whole file: samples named S0, S1, … of 64 frames each, mono, or in ROM where romSamples says.
inline std::string Font(const std::vector<Header> &presets, const std::vector<Header> &instruments, int samples,
                        const std::vector<int> &romSamples = {}) {
  constexpr int kFrames = 64, kPad = 46;
  std::string smpl, shdr;
  for (int s = 0; s < samples; ++s) {
    const uint32_t start = static_cast<uint32_t>(smpl.size() / 2);
    for (int i = 0; i < kFrames; ++i) smpl += Le(static_cast<uint16_t>((i * 997 + s * 131) & 0x7FFF), 2);
    smpl += std::string(2 * kPad, '\0');
    shdr += Name("S" + std::to_string(s)) + Le(start, 4) + Le(start + kFrames, 4) + Le(start + 8, 4) +
            Le(start + 56, 4) + Le(44100, 4) + Le(60, 1) + Le(0, 1) + Le(0, 2) +
            Le(std::count(romSamples.begin(), romSamples.end(), s) ? 0x8001 : 1, 2);
  }
  shdr += Name("EOS") + std::string(26, '\0');
  const std::string info = Chunk("LIST", "INFO" + Chunk("ifil", Le(2, 2) + Le(1, 2)) + Chunk("INAM", "Test\0\0"));
  const std::string sdta = Chunk("LIST", "sdta" + Chunk("smpl", smpl));
  const std::string pdta =
      Chunk("LIST", "pdta" + Tables(presets, true) + Tables(instruments, false) + Chunk("shdr", shdr));
  return Chunk("RIFF", "sfbk" + info + sdta + pdta);
}

// The tables of a file held in memory.
inline std::optional<platform::Sf2Tables> ReadFont(const std::string &file) {
  return platform::ReadSf2Tables(file.size(), [&file](uint64_t at, size_t count, char *out) {
    if (at > file.size() || count > file.size() - at) return false;
    std::memcpy(out, file.data() + at, count);
    return true;
  });
}

// The font with presetData in place of its own, as the renderer gives it to the synthesiser.
inline std::string CutFont(const std::string &font, const platform::Sf2Tables &tables, const std::string &presetData) {
  const std::string file = font.substr(0, tables.presetDataAt) + presetData;
  return platform::Sf2FileHead(file.size()) + file.substr(12);
}

}  // namespace sf2build
