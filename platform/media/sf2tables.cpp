#include "media/sf2tables.h"

#include <algorithm>
#include <cstring>

namespace platform {
namespace {

enum Chunk { kPhdr, kPbag, kPmod, kPgen, kInst, kIbag, kImod, kIgen, kShdr, kChunks };
constexpr const char *kChunkIds[kChunks] = {"phdr", "pbag", "pmod", "pgen", "inst", "ibag", "imod", "igen", "shdr"};
constexpr size_t kRecord[kChunks] = {38, 4, 10, 4, 22, 4, 10, 4, 46};
constexpr size_t kHeaderBagAt[kChunks] = {24, 0, 0, 0, 20};  // the bag index of a preset, of an instrument

// Generators: the ranges a zone sounds in, and the last of a zone, naming its instrument
// (in a preset) or its sample (in an instrument).
constexpr int kKeyRange = 43, kVelRange = 44, kInstrument = 41, kSampleId = 53;
constexpr size_t kSampleStartAt = 20, kSampleEndAt = 24, kSampleLinkAt = 42, kSampleTypeAt = 44;
// More preset data than any real font has: a file that claims more is not read.
constexpr uint64_t kMostPresetData = 64u << 20;

uint32_t Le(const char *p, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(p[i]);
  return v;
}

void PutLe(char *p, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) p[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

std::string LeBytes(uint32_t v, int bytes) {
  std::string s(bytes, '\0');
  PutLe(s.data(), v, bytes);
  return s;
}

size_t Records(const std::string &chunk, Chunk kind) { return chunk.size() / kRecord[kind]; }

uint32_t Field(const std::string &chunk, Chunk kind, size_t record, size_t at, int bytes = 2) {
  return Le(chunk.data() + record * kRecord[kind] + at, bytes);
}

// A table of headers (presets or instruments) indexes its bags, and a table of bags indexes
// generators and modulators, each from 0 upwards, the terminal record pointing past the last.
bool IndexesInOrder(const std::string &chunk, Chunk kind, size_t at, size_t targetRecords) {
  const size_t n = Records(chunk, kind);
  if (Field(chunk, kind, 0, at) != 0 || Field(chunk, kind, n - 1, at) != targetRecords - 1) return false;
  for (size_t i = 1; i < n; ++i)
    if (Field(chunk, kind, i, at) < Field(chunk, kind, i - 1, at)) return false;
  return true;
}

// What a zone's generators say, read as the synthesiser reads them: a key range counts only as
// the first generator, a velocity range only after nothing but key ranges, and the zone's
// instrument or sample ends its list.
struct ZoneSound {
  int keyLow = 0, keyHigh = 127, velocityLow = 0, velocityHigh = 127;
  long target = -1;  // the instrument or sample; -1 for a global zone
  size_t targetGen = 0;
};

ZoneSound ReadZone(const std::string &gens, size_t first, size_t end, int targetId) {
  ZoneSound zone;
  int level = 0;
  for (size_t g = first; g < end; ++g) {
    const int id = static_cast<int>(Field(gens, kPgen, g, 0));  // the same records in both tables
    const int low = static_cast<int>(Field(gens, kPgen, g, 2, 1)), high = static_cast<int>(Field(gens, kPgen, g, 3, 1));
    if (id == kKeyRange) {
      if (level == 0) level = 1, zone.keyLow = low, zone.keyHigh = high;
    } else if (id == kVelRange) {
      if (level <= 1) level = 2, zone.velocityLow = low, zone.velocityHigh = high;
    } else if (id == targetId) {
      zone.target = Field(gens, kPgen, g, 2);
      zone.targetGen = g;
      break;
    } else {
      level = 2;
    }
  }
  // A range upside down is taken as the whole range: a zone is never thought silent wrongly.
  if (zone.keyLow > zone.keyHigh) zone.keyLow = 0, zone.keyHigh = 127;
  if (zone.velocityLow > zone.velocityHigh) zone.velocityLow = 0, zone.velocityHigh = 127;
  return zone;
}

// Every zone's instrument or sample is one the tables have.
bool TargetsInRange(const Sf2Tables &t, Chunk bags, Chunk gens, int targetId, size_t targets) {
  const std::string &bag = t.chunks[bags];
  for (size_t z = 0; z + 1 < Records(bag, bags); ++z) {
    const ZoneSound zone = ReadZone(t.chunks[gens], Field(bag, bags, z, 0), Field(bag, bags, z + 1, 0), targetId);
    if (zone.target >= 0 && static_cast<size_t>(zone.target) >= targets) return false;
  }
  return true;
}

bool Consistent(const Sf2Tables &t) {
  for (int c = 0; c < kChunks; ++c)
    if (t.chunks[c].empty()) return false;
  const auto n = [&](Chunk c) { return Records(t.chunks[c], c); };
  return IndexesInOrder(t.chunks[kPhdr], kPhdr, kHeaderBagAt[kPhdr], n(kPbag)) &&
         IndexesInOrder(t.chunks[kPbag], kPbag, 0, n(kPgen)) && IndexesInOrder(t.chunks[kPbag], kPbag, 2, n(kPmod)) &&
         IndexesInOrder(t.chunks[kInst], kInst, kHeaderBagAt[kInst], n(kIbag)) &&
         IndexesInOrder(t.chunks[kIbag], kIbag, 0, n(kIgen)) && IndexesInOrder(t.chunks[kIbag], kIbag, 2, n(kImod)) &&
         TargetsInRange(t, kPbag, kPgen, kInstrument, n(kInst) - 1) &&
         TargetsInRange(t, kIbag, kIgen, kSampleId, n(kShdr) - 1);
}

bool ReadPresetData(const std::string &body, Sf2Tables &tables) {
  size_t at = 0;
  for (int c = 0; c < kChunks; ++c) {
    if (body.size() - at < 8 || body.compare(at, 4, kChunkIds[c]) != 0) return false;
    const uint32_t size = Le(body.data() + at + 4, 4);
    if (size > body.size() - at - 8 || size % kRecord[c] != 0) return false;
    tables.chunks[c] = body.substr(at + 8, size);
    at += 8 + size;
  }
  return at == body.size() && Consistent(tables);
}

// Writes one table of headers (presets or instruments) with their kept zones: each kept
// header copied with its first bag renumbered, each kept zone's bag, generators (its
// instrument or sample renumbered) and modulators copied.
class ZoneWriter {
 public:
  ZoneWriter(const Sf2Tables &t, Chunk headers) : t_(t), headers_(headers) {}

  void Header(size_t h) {
    std::string record = t_.chunks[headers_].substr(h * kRecord[headers_], kRecord[headers_]);
    PutLe(record.data() + kHeaderBagAt[headers_], Count(kBags), 2);
    out_[kHeaders] += record;
  }

  void Zone(size_t z, const ZoneSound &sound, long newTarget) {
    const size_t genAt = Count(kGens);
    out_[kBags] += LeBytes(Count(kGens), 2) + LeBytes(Count(kMods), 2);
    const std::string &bag = In(kBags);
    for (const Part part : {kMods, kGens}) {
      const size_t first = Field(bag, Kind(kBags), z, part == kGens ? 0 : 2);
      const size_t end = Field(bag, Kind(kBags), z + 1, part == kGens ? 0 : 2);
      out_[part] += In(part).substr(first * kRecord[Kind(part)], (end - first) * kRecord[Kind(part)]);
      if (part == kGens && sound.target >= 0)
        PutLe(out_[kGens].data() + (genAt + sound.targetGen - first) * kRecord[kPgen] + 2, newTarget, 2);
    }
  }

  // Appends the four sub-chunks, each ended by its terminal record, to data.
  void Finish(std::string &data) {
    Header(Records(In(kHeaders), headers_) - 1);
    out_[kBags] += LeBytes(Count(kGens), 2) + LeBytes(Count(kMods), 2);
    for (const Part part : {kMods, kGens}) out_[part] += In(part).substr(In(part).size() - kRecord[Kind(part)]);
    for (const Part part : {kHeaders, kBags, kMods, kGens})
      data += std::string(kChunkIds[Kind(part)], 4) + LeBytes(static_cast<uint32_t>(out_[part].size()), 4) + out_[part];
  }

 private:
  enum Part { kHeaders, kBags, kMods, kGens };  // in the file's order
  Chunk Kind(Part part) const { return Chunk(int(headers_) + int(part)); }
  const std::string &In(Part part) const { return t_.chunks[Kind(part)]; }
  uint32_t Count(Part part) const { return static_cast<uint32_t>(Records(out_[part], Kind(part))); }

  const Sf2Tables &t_;
  Chunk headers_;
  std::string out_[4];
};

// The zones [first, end) of header h, from the header table's bag indexes.
std::pair<size_t, size_t> ZonesOf(const Sf2Tables &t, Chunk headers, size_t h) {
  const std::string &chunk = t.chunks[headers];
  return {Field(chunk, headers, h, kHeaderBagAt[headers]), Field(chunk, headers, h + 1, kHeaderBagAt[headers])};
}

ZoneSound ZoneAt(const Sf2Tables &t, Chunk bags, size_t z) {
  const std::string &bag = t.chunks[bags];
  return ReadZone(t.chunks[bags + 2], Field(bag, bags, z, 0), Field(bag, bags, z + 1, 0),
                  bags == kPbag ? kInstrument : kSampleId);
}

// A sample the synthesiser surely takes: mono, left or right (perhaps linked) in the font's
// own data, not in ROM nor compressed, its frames within the data. Of any other it may make a
// zone without a sample.
bool PlainSample(const Sf2Tables &t, size_t s) {
  const uint32_t type = Field(t.chunks[kShdr], kShdr, s, kSampleTypeAt);
  const uint64_t start = Field(t.chunks[kShdr], kShdr, s, kSampleStartAt, 4),
                 end = Field(t.chunks[kShdr], kShdr, s, kSampleEndAt, 4);
  return (type & ~0xFu) == 0 && (type & 0x7u) != 0 && start < end && end * 2 <= t.sampleDataBytes;
}

// Keeps the first zone of an instrument that has no global zone but a sample the synthesiser
// may refuse: without it another zone would become the first, and be taken for the global one
// if its sample is refused; nor may the first go if it is that zone.
void KeepFirstZoneIfNeeded(const Sf2Tables &t, size_t instrument, std::vector<bool> &zoneKept) {
  const auto [first, end] = ZonesOf(t, kInst, instrument);
  bool refusable = false;
  for (size_t z = first; z < end; ++z) {
    const ZoneSound sound = ZoneAt(t, kIbag, z);
    if (sound.target < 0) return;
    refusable = refusable || !PlainSample(t, static_cast<size_t>(sound.target));
  }
  if (refusable && first < end) zoneKept[first] = true;
}

// Appends a table of headers (presets or instruments) to data: the headers kept (a new index
// of 0 or more), in their order, with their zones kept, each zone's instrument or sample
// renumbered by newTarget.
void WriteTable(const Sf2Tables &t, Chunk headers, const std::vector<long> &newIndex, const std::vector<bool> &zoneKept,
                const std::vector<long> &newTarget, std::string &data) {
  ZoneWriter writer(t, headers);
  for (size_t h = 0; h < newIndex.size(); ++h) {
    if (newIndex[h] < 0) continue;
    writer.Header(h);
    const auto [first, end] = ZonesOf(t, headers, h);
    for (size_t z = first; z < end; ++z) {
      if (!zoneKept[z]) continue;
      const ZoneSound sound = ZoneAt(t, Chunk(int(headers) + 1), z);
      writer.Zone(z, sound, sound.target >= 0 ? newTarget[sound.target] : 0);
    }
  }
  writer.Finish(data);
}

}  // namespace

std::optional<Sf2Tables> ReadSf2Tables(uint64_t fileSize, const Sf2Reader &read) {
  char head[12];
  if (fileSize < 12 || !read(0, 12, head) || std::memcmp(head, "RIFF", 4) != 0 ||
      std::memcmp(head + 8, "sfbk", 4) != 0 || Le(head + 4, 4) + uint64_t(8) != fileSize)
    return std::nullopt;
  uint64_t at = 12, sampleDataBytes = 0;
  while (fileSize - at >= 12) {
    char chunk[12];
    if (!read(at, 12, chunk)) return std::nullopt;
    const uint64_t size = Le(chunk + 4, 4);
    if (size > fileSize - at - 8) return std::nullopt;
    char samples[8];
    if (std::memcmp(chunk, "LIST", 4) == 0 && std::memcmp(chunk + 8, "sdta", 4) == 0 && size >= 12 &&
        read(at + 12, 8, samples) && std::memcmp(samples, "smpl", 4) == 0)
      sampleDataBytes = Le(samples + 4, 4);
    if (std::memcmp(chunk, "LIST", 4) == 0 && std::memcmp(chunk + 8, "pdta", 4) == 0) {
      if (at + 8 + size != fileSize || size < 4 || size > kMostPresetData) return std::nullopt;
      std::string body(size - 4, '\0');
      Sf2Tables tables;
      tables.presetDataAt = at;
      tables.sampleDataBytes = sampleDataBytes;
      if (!read(at + 12, body.size(), body.data()) || !ReadPresetData(body, tables)) return std::nullopt;
      return tables;
    }
    at += 8 + size + (size & 1);
  }
  return std::nullopt;
}

std::string Sf2FileHead(uint64_t fileSize) { return "RIFF" + LeBytes(static_cast<uint32_t>(fileSize - 8), 4) + "sfbk"; }

std::vector<Sf2Preset> Sf2Presets(const Sf2Tables &tables) {
  std::vector<Sf2Preset> presets;
  for (size_t p = 0; p + 1 < Records(tables.chunks[kPhdr], kPhdr); ++p)
    presets.push_back({static_cast<int>(Field(tables.chunks[kPhdr], kPhdr, p, 22)),
                       static_cast<int>(Field(tables.chunks[kPhdr], kPhdr, p, 20))});
  return presets;
}

std::string ReachablePresetData(const Sf2Tables &t, const std::vector<NoteSet> &notes) {
  const size_t presets = Records(t.chunks[kPhdr], kPhdr) - 1, instruments = Records(t.chunks[kInst], kInst) - 1,
               samples = Records(t.chunks[kShdr], kShdr) - 1;
  // Which preset zones sound, and through them which instrument zones and samples.
  std::vector<bool> presetZoneKept(Records(t.chunks[kPbag], kPbag)), instZoneKept(Records(t.chunks[kIbag], kIbag));
  std::vector<long> newInst(instruments, -1), newSample(samples, -1);
  for (size_t p = 0; p < presets && p < notes.size(); ++p) {
    const auto [first, end] = ZonesOf(t, kPhdr, p);
    for (size_t z = first; z < end; ++z) {
      const ZoneSound pz = ZoneAt(t, kPbag, z);
      if (pz.target >= 0 && !notes[p].AnyIn(pz.keyLow, pz.keyHigh, pz.velocityLow, pz.velocityHigh)) continue;
      presetZoneKept[z] = true;
      if (pz.target < 0) continue;
      newInst[pz.target] = 0;
      const auto [iFirst, iEnd] = ZonesOf(t, kInst, pz.target);
      for (size_t iz = iFirst; iz < iEnd; ++iz) {
        const ZoneSound sound = ZoneAt(t, kIbag, iz);
        if (sound.target < 0 ||
            notes[p].AnyIn(std::max(pz.keyLow, sound.keyLow), std::min(pz.keyHigh, sound.keyHigh),
                           std::max(pz.velocityLow, sound.velocityLow), std::min(pz.velocityHigh, sound.velocityHigh)))
          instZoneKept[iz] = true;
      }
    }
  }
  // The presets keep their order, the instruments and samples kept theirs.
  long next = 0;
  for (size_t i = 0; i < instruments; ++i)
    if (newInst[i] == 0) {
      newInst[i] = next++;
      KeepFirstZoneIfNeeded(t, i, instZoneKept);
      const auto [first, end] = ZonesOf(t, kInst, i);
      for (size_t z = first; z < end; ++z) {
        const ZoneSound sound = ZoneAt(t, kIbag, z);
        if (instZoneKept[z] && sound.target >= 0) newSample[sound.target] = 0;
      }
    }
  std::string shdr;
  next = 0;
  for (size_t s = 0; s < samples; ++s)
    if (newSample[s] == 0) newSample[s] = next++;
  for (size_t s = 0; s < samples; ++s) {
    if (newSample[s] < 0) continue;
    std::string record = t.chunks[kShdr].substr(s * kRecord[kShdr], kRecord[kShdr]);
    const uint32_t link = Le(record.data() + kSampleLinkAt, 2);
    PutLe(record.data() + kSampleLinkAt, link < samples && newSample[link] >= 0 ? newSample[link] : 0, 2);
    shdr += record;
  }
  shdr += t.chunks[kShdr].substr(samples * kRecord[kShdr]);

  std::string data = "pdta";
  WriteTable(t, kPhdr, std::vector<long>(presets, 0), presetZoneKept, newInst, data);
  WriteTable(t, kInst, newInst, instZoneKept, newSample, data);
  data += std::string("shdr") + LeBytes(static_cast<uint32_t>(shdr.size()), 4) + shdr;
  return "LIST" + LeBytes(static_cast<uint32_t>(data.size()), 4) + data;
}

}  // namespace platform
