// A large SoundFont is read as its tunes need it: playing or rendering a tune with FluidR3_GM
// (141 MiB) grows the process by far less than the SoundFont, because only the samples of the
// instruments the tune selects are loaded, and in rendering only those its notes reach. Skipped where FluidR3_GM is not
// installed.
#include <gtest/gtest.h>
#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "../inchild.h"
#include "media/midiplayer.h"
#include "media/midirender.h"
#include "midigen.h"
#include "rendered.h"
#include "testworld.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MELODECK_HAS_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || MELODECK_HAS_ASAN
#include <sanitizer/allocator_interface.h>
#endif

namespace {

using testsupport::TestWorld;

// The bytes of the heap in use: what is freed counts no more, whether or not it went back to
// the system (AddressSanitizer holds freed blocks back a while).
size_t LiveHeapBytes() {
#if defined(__SANITIZE_ADDRESS__) || MELODECK_HAS_ASAN
  return __sanitizer_get_current_allocated_bytes();
#else
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
#endif
}

constexpr const char *kLargeSoundFont = "/usr/share/sounds/sf2/FluidR3_GM.sf2";

// In a child process: by how many MiB the live heap grew while work ran (0 to 254), or 255 when
// work failed.
int HeapGrowthMiBInChild(const std::function<bool()> &work) {
  return platformtest::RunInChild(
      [&]() -> int {
        const size_t before = LiveHeapBytes();
        if (!work()) return 255;
        const long grew = static_cast<long>(LiveHeapBytes()) - static_cast<long>(before);
        return static_cast<int>(std::clamp(grew / (1024 * 1024), 0L, 254L));
      },
      60);
}

// The heap a renderer of tune with FluidR3_GM holds once started, or once it rendered the tune
// to its end.
int RendererGrowthMiB(const std::string &tune, bool onlyReachable, bool toTheEnd) {
  return HeapGrowthMiBInChild([&] {
    static platform::MidiRendering rendering;  // held until the child measured it
    rendering = platform::RenderMidi(tune, "tune.mid", kLargeSoundFont, 60, onlyReachable);
    if (rendering.decoder == nullptr) return false;
    std::vector<float> block(2 * 4096);
    if (toTheEnd)
      while (rendering.decoder->Read(block.data(), 4096) > 0) {
      }
    return true;
  });
}

// The resident memory of this process in KiB.
long ResidentKiB() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  return -1;
}

struct MemoryCase {
  const char *name;
  // Plays or renders the tune with the SoundFont and, while that still holds it, calls
  // measure. False when the tune did not sound.
  std::function<bool(TestWorld &, const std::string &tune, const std::string &soundFont,
                     const std::function<void()> &measure)>
      use;
};

void PrintTo(const MemoryCase &c, std::ostream *os) { *os << c.name; }

class LargeSoundFont : public testing::TestWithParam<MemoryCase> {};

TEST_P(LargeSoundFont, IsLoadedOnlyAsTheTuneNeedsIt) {
  if (access(kLargeSoundFont, R_OK) != 0) GTEST_SKIP() << "FluidR3_GM is not installed";
  struct stat st {};
  ASSERT_EQ(stat(kLargeSoundFont, &st), 0);
  const long soundFontKiB = st.st_size / 1024;
  TestWorld world;
  const std::string tune = world.Linux("tune.mid");
  TestWorld::WriteFile(tune, testsupport::MakeMidiTune(5));
  // In a process of its own, so that no memory other tests left behind is used again.
  const int grewMiB = platformtest::RunInChild(
      [&]() -> int {
        const long before = ResidentKiB();
        long after = before;
        if (!GetParam().use(world, tune, kLargeSoundFont, [&after] { after = ResidentKiB(); })) return 255;
        return static_cast<int>(std::min(254L, (after - before) / 1024));
      },
      60);
  ASSERT_GE(grewMiB, 0) << "the child did not end";
  ASSERT_NE(grewMiB, 255) << "the tune did not sound";
  EXPECT_LT(grewMiB, soundFontKiB / 1024 / 2);
}

INSTANTIATE_TEST_SUITE_P(
    Users, LargeSoundFont,
    testing::Values(MemoryCase{"Player",
                               [](TestWorld &world, const std::string &tune, const std::string &soundFont,
                                  const std::function<void()> &measure) {
                                 platform::FluidPlayerOptions options;
                                 options.soundFont = soundFont;
                                 options.renderFile = world.Linux("out.raw");
                                 auto player = platform::MakeFluidPlayer(options);
                                 if (!player->Open(tune) || !player->Play() ||
                                     rendered::WaitForSound(options.renderFile, 0) == 0)
                                   return false;
                                 measure();
                                 return true;
                               }},
                    MemoryCase{"Renderer",
                               [](TestWorld &, const std::string &tune, const std::string &soundFont,
                                  const std::function<void()> &measure) {
                                 platform::MidiRendering rendering =
                                     platform::RenderMidi(TestWorld::ReadFile(tune), "tune.mid", soundFont, 60);
                                 if (rendering.decoder == nullptr) return false;
                                 std::vector<float> block(2 * 4096);
                                 float peak = 0;
                                 while (size_t frames = rendering.decoder->Read(block.data(), 4096))
                                   for (size_t i = 0; i < 2 * frames; ++i) peak = std::max(peak, std::abs(block[i]));
                                 measure();
                                 return peak > 0.05f;
                               }}),
    [](const testing::TestParamInfo<MemoryCase> &info) { return std::string(info.param.name); });

// Rendering holds the samples of none of the default instruments (the piano on every channel,
// the drum kit on channel 10) where the tune plays no note with them: with FluidR3_GM those are
// 5.6 and 10.9 MiB. The tune here plays a guitar and a bass, selected by program changes.
TEST(LargeSoundFont, RenderingHoldsNoDefaultInstrumentTheTuneDoesNotPlay) {
  if (access(kLargeSoundFont, R_OK) != 0) GTEST_SKIP() << "FluidR3_GM is not installed";
  TestWorld world;
  const std::string tune = testsupport::MakeMidiTune(5);
  const int kept = RendererGrowthMiB(tune, false, true), released = RendererGrowthMiB(tune, true, true);
  ASSERT_GE(kept, 0);
  ASSERT_NE(kept, 255);
  ASSERT_GE(released, 0);
  ASSERT_NE(released, 255);
  EXPECT_LT(released, kept - 12) << "kept: " << kept << " MiB, released: " << released << " MiB";
}

// A renderer about to start holds the samples of no default instrument the tune replaces before
// its first note: the tune here chooses a guitar and a bass at its start, so neither the piano
// (5.6 MiB with FluidR3_GM) nor the drum kit (10.9 MiB) is loaded, even for a moment.
TEST(LargeSoundFont, StartingHoldsNoDefaultInstrumentTheTuneReplaces) {
  if (access(kLargeSoundFont, R_OK) != 0) GTEST_SKIP() << "FluidR3_GM is not installed";
  const std::string tune = testsupport::MakeMidiTune(5);
  const int kept = RendererGrowthMiB(tune, false, false), released = RendererGrowthMiB(tune, true, false);
  ASSERT_GE(kept, 0);
  ASSERT_NE(kept, 255);
  ASSERT_GE(released, 0);
  ASSERT_NE(released, 255);
  EXPECT_LT(released, kept - 15) << "all defaults: " << kept << " MiB, the tune's: " << released << " MiB";
}

// Rendering holds only the samples its notes reach, not whole instruments, nor the tables of
// the whole SoundFont (8.6 MiB with FluidR3_GM): the tune here plays one note of the piano
// (5.6 MiB of samples in all) and one drum of the kit (10.9 MiB).
TEST(LargeSoundFont, RenderingHoldsOnlyTheSamplesItsNotesReach) {
  if (access(kLargeSoundFont, R_OK) != 0) GTEST_SKIP() << "FluidR3_GM is not installed";
  const std::string tune = {'M',  'T',        'h', 'd', 0,    0,          0,  6, 0,  0,          0,          1,  0,
                            0x60, 'M',        'T', 'r', 'k',  0,          0,  0, 16, 0,          char(0x90), 60, 100,
                            0,    char(0x99), 36,  100, 0x60, char(0x80), 60, 0, 0,  char(0xFF), 0x2F,       0};
  const int reachable = RendererGrowthMiB(tune, true, true), whole = RendererGrowthMiB(tune, false, true);
  ASSERT_GE(reachable, 0);
  ASSERT_NE(reachable, 255);
  ASSERT_NE(whole, 255);
  EXPECT_LT(reachable * 5, whole) << "what the notes reach: " << reachable << " MiB, the whole SoundFont: " << whole
                                  << " MiB";
}

// A player with no file open holds the samples of no instrument: after a tune played and was
// closed, the player's synthesiser takes no more of the heap than a renderer's whose tune needs
// no default instrument before its own (the SoundFont's presets, the voices), where holding the
// piano and the drum kit would add 16.5 MiB.
TEST(LargeSoundFont, ClosedPlayerHoldsNoInstrument) {
  if (access(kLargeSoundFont, R_OK) != 0) GTEST_SKIP() << "FluidR3_GM is not installed";
  TestWorld world;
  const std::string tune = world.Linux("tune.mid");
  TestWorld::WriteFile(tune, testsupport::MakeMidiTune(5));
  const int closed = HeapGrowthMiBInChild([&] {
    platform::FluidPlayerOptions options;
    options.soundFont = kLargeSoundFont;
    options.renderFile = world.Linux("out.raw");
    auto player = platform::MakeFluidPlayer(options);
    if (!player->Open(tune) || !player->Play() || rendered::WaitForSound(options.renderFile, 0) == 0) return false;
    player->Stop();
    player->Close();
    return true;
  });
  const int started = RendererGrowthMiB(TestWorld::ReadFile(tune), true, false);
  ASSERT_GE(closed, 0);
  ASSERT_NE(closed, 255);
  ASSERT_GE(started, 0);
  ASSERT_NE(started, 255);
  EXPECT_LE(closed, started + 3) << "closed player: " << closed << " MiB, started renderer: " << started << " MiB";
}

}  // namespace
