// A SoundFont cut down to what given notes can reach keeps every preset, and of the zones,
// instruments and samples exactly those the notes sound; a file whose tables are not whole
// and consistent is not read at all (the synthesiser then loads it whole).
#include "media/sf2tables.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "media/reachablesoundfont.h"
#include "sf2build.h"

namespace {

using namespace sf2build;
using platform::NoteSet;

// The piano's zones split the keys at 60 and the upper half's velocities at 64; the split
// preset reaches the piano only from key 70 up; the organ is in no preset.
const std::vector<Header> kInstruments = {
    {"piano",
     0,
     0,
     {{{kPan, 100}},
      {{kKeyRange, Range(0, 59)}, {kSampleId, 0}},
      {{kKeyRange, Range(60, 127)}, {kVelRange, Range(0, 63)}, {kSampleId, 1}},
      {{kKeyRange, Range(60, 127)}, {kVelRange, Range(64, 127)}, {kSampleId, 2}}}},
    {"drums", 0, 0, {{{kKeyRange, Range(36, 36)}, {kSampleId, 3}}, {{kKeyRange, Range(38, 38)}, {kSampleId, 4}}}},
    {"organ", 0, 0, {{{kSampleId, 5}}}},
};
const std::vector<Header> kPresets = {
    {"Piano", 0, 0, {{{kInstrument, 0}}}},
    {"Drums", 128, 0, {{{kInstrument, 1}}}},
    {"High piano", 0, 5, {{{kPan, 20}}, {{kKeyRange, Range(70, 127)}, {kInstrument, 0}}}},
};
const std::string kFont = Font(kPresets, kInstruments, 6);

std::set<std::string> SampleNames(const platform::Sf2Tables &t) {
  std::set<std::string> names;
  const std::string &shdr = t.chunks[8];
  for (size_t at = 0; at + 46 < shdr.size(); at += 46) names.insert(shdr.substr(at, 20).c_str());
  return names;
}

NoteSet Notes(std::initializer_list<std::pair<int, int>> notes) {
  NoteSet set;
  for (const auto &[key, velocity] : notes) set.Add(key, velocity);
  return set;
}

TEST(Sf2Tables, KeepsWhatTheNotesReach) {
  const std::optional<platform::Sf2Tables> tables = ReadFont(kFont);
  ASSERT_TRUE(tables);
  const struct {
    const char *name;
    std::vector<NoteSet> notes;  // for the piano, the drums, the high piano
    std::set<std::string> samples;
    size_t instrumentZones;  // kept, global zones included
  } cases[] = {
      {"no note", {{}, {}, {}}, {}, 0},
      {"a low piano key", {Notes({{40, 100}}), {}, {}}, {"S0"}, 2},
      {"a high key, soft", {Notes({{70, 30}}), {}, {}}, {"S1"}, 2},
      {"a high key, loud", {Notes({{70, 64}}), {}, {}}, {"S2"}, 2},
      {"every layer", {Notes({{30, 1}, {70, 30}, {127, 127}}), {}, {}}, {"S0", "S1", "S2"}, 4},
      {"one drum", {{}, Notes({{36, 100}}), {}}, {"S3"}, 1},
      {"a drum key with no zone", {{}, Notes({{37, 100}}), {}}, {}, 0},
      {"below the high piano's keys", {{}, {}, Notes({{65, 100}})}, {}, 0},
      {"in the high piano's keys", {{}, {}, Notes({{75, 100}})}, {"S2"}, 2},
      {"everything",
       {Notes({{40, 1}, {80, 1}, {80, 100}}), Notes({{36, 1}, {38, 1}}), {}},
       {"S0", "S1", "S2", "S3", "S4"},
       6},
  };
  for (const auto &c : cases) {
    const std::string pdta = platform::ReachablePresetData(*tables, c.notes);
    const std::optional<platform::Sf2Tables> kept = ReadFont(CutFont(kFont, *tables, pdta));
    ASSERT_TRUE(kept) << c.name;
    EXPECT_EQ(SampleNames(*kept), c.samples) << c.name;
    EXPECT_EQ(kept->chunks[5].size() / 4 - 1, c.instrumentZones) << c.name;
    const std::vector<platform::Sf2Preset> presets = platform::Sf2Presets(*kept);
    ASSERT_EQ(presets.size(), 3u) << c.name;
    EXPECT_EQ(presets[1].bank, 128) << c.name;
    EXPECT_EQ(presets[2].program, 5) << c.name;
  }
}

// A zone whose sample the synthesiser refuses (here, samples in ROM) has no sample for it, and
// an instrument's first zone with no sample is its global zone: no zone before such a zone may
// go, nor the first zone itself, or another zone would become the global one.
TEST(Sf2Tables, KeepsTheFirstZoneOfAnInstrumentWithARefusedSample) {
  const auto split = [](const char *name, int low, int high) {
    return Header{name,
                  0,
                  0,
                  {{{kKeyRange, Range(0, 59)}, {kPan, 100}, {kSampleId, low}},
                   {{kKeyRange, Range(60, 127)}, {kPan, -100}, {kSampleId, high}}}};
  };
  const std::string font =
      Font({{"Refused first", 0, 0, {{{kInstrument, 0}}}},
            {"Refused later", 0, 1, {{{kInstrument, 1}}}},
            {"Plain", 0, 2, {{{kInstrument, 2}}}}},
           {split("refused first", 0, 1), split("refused later", 2, 3), split("plain", 4, 5)}, 6, {0, 3});
  const std::optional<platform::Sf2Tables> tables = ReadFont(font);
  ASSERT_TRUE(tables);
  const struct {
    const char *name;
    std::vector<NoteSet> notes;
    std::set<std::string> samples;
  } cases[] = {
      {"the refused sample's zone first", {Notes({{70, 100}}), {}, {}}, {"S0", "S1"}},
      {"the refused sample's zone later", {{}, Notes({{70, 100}}), {}}, {"S2", "S3"}},
      {"no refused sample", {{}, {}, Notes({{70, 100}})}, {"S5"}},
  };
  for (const auto &c : cases) {
    const std::string pdta = platform::ReachablePresetData(*tables, c.notes);
    const std::optional<platform::Sf2Tables> kept = ReadFont(CutFont(font, *tables, pdta));
    ASSERT_TRUE(kept) << c.name;
    EXPECT_EQ(SampleNames(*kept), c.samples) << c.name;
  }
}

// Each a change of one field of the font: where it is, its new bytes.
struct Damage {
  const char *name;
  std::string file;
};

std::string Patched(const std::string &at, size_t offset, const std::string &bytes) {
  const size_t where = kFont.find(at) + offset;
  return kFont.substr(0, where) + bytes + kFont.substr(where + bytes.size());
}

TEST(Sf2Tables, RefusesTablesNotWhole) {
  const Damage cases[] = {
      {"cut short", kFont.substr(0, kFont.size() - 2)},
      {"file size not as the header says", Patched("RIFF", 4, Le(kFont.size() - 6, 4))},
      {"not a SoundFont", Patched("sfbk", 0, "sfbx")},
      {"something after the preset data", Patched("RIFF", 4, Le(kFont.size(), 4)) + "JUNK" + Le(0, 4)},
      {"a table missing", Patched("shdr", 0, "shdx")},
      {"a table's size not whole records", Patched("pgen", 4, Le(5 * 4 + 2, 4))},
      {"preset bags out of order", Patched("High piano", 24, Le(0, 2))},
      {"an instrument the font lacks", Patched("pgen", 8 + 2, Le(3, 2))},
      {"a sample the font lacks", Patched("igen", 8 + 4 * 2 + 2, Le(6, 2))},
      {"a preset pointing past the bags", Patched("EOP", 24, Le(9, 2))},
  };
  ASSERT_TRUE(ReadFont(kFont));
  for (const auto &c : cases) EXPECT_FALSE(ReadFont(c.file)) << c.name;
}

// The presets the synthesiser may choose on a channel get that channel's notes.
TEST(Sf2Tables, NotesGoToThePresetsTheSynthesiserMayChoose) {
  const std::vector<platform::Sf2Preset> presets = {{0, 0}, {0, 5}, {8, 5}, {128, 0}, {128, 8}};
  const auto use = [](int channel, std::initializer_list<int> programs, bool soundingDefault = false,
                      bool sysex = false) {
    platform::TuneUse u;
    u.channels[channel].notes.Add(60, 100);
    for (int p : programs) u.channels[channel].programs.set(p);
    if (soundingDefault) u.soundingDefault = uint16_t(1u << channel);
    u.systemExclusive = sysex;
    return u;
  };
  const struct {
    const char *name;
    platform::TuneUse use;
    std::vector<bool> reached;  // for each preset
  } cases[] = {
      {"a program in any melodic bank", use(0, {5}), {false, true, true, false, false}},
      {"a program bank 0 lacks: its first preset", use(0, {7}), {true, false, false, false, false}},
      {"the default piano", use(3, {}, true), {true, false, false, false, false}},
      {"a drum kit", use(9, {8}), {false, false, false, false, true}},
      {"a drum kit the font lacks: its first", use(9, {9}), {false, false, false, true, false}},
      {"the default drum kit", use(9, {}, true), {false, false, false, true, false}},
      {"a channel with no program sounds nothing", use(2, {}), {false, false, false, false, false}},
      {"system exclusive: any bank, and the defaults", use(0, {5}, false, true), {true, true, true, true, false}},
  };
  for (const auto &c : cases) {
    const std::vector<NoteSet> notes = platform::NotesByPreset(presets, c.use);
    ASSERT_EQ(notes.size(), presets.size());
    for (size_t i = 0; i < presets.size(); ++i)
      EXPECT_EQ(!notes[i].Empty(), c.reached[i]) << c.name << ", preset " << i;
  }
}

}  // namespace
