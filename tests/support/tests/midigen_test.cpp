// The generated tunes are real music: FluidSynth takes them as MIDI files and they sound.
#include "midigen.h"

#include <fluidsynth.h>
#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace {

// Renders up to seconds of a tune through the tests' SoundFont (else the system's); answers the
// peak level.
float PeakLevel(const std::string &tune, double seconds) {
  fluid_settings_t *settings = new_fluid_settings();
  fluid_settings_setint(settings, "synth.cpu-cores", 1);
  fluid_settings_setstr(settings, "player.timing-source", "sample");
  fluid_synth_t *synth = new_fluid_synth(settings);
  float peak = -1;
  bool loaded = false;
  for (const char *font :
       {testsupport::kTestSoundFont, "/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf2/FluidR3_GM.sf2"})
    if (!loaded) loaded = fluid_synth_sfload(synth, font, 1) != FLUID_FAILED;
  if (loaded) {
    fluid_player_t *player = new_fluid_player(synth);
    if (fluid_player_add_mem(player, tune.data(), tune.size()) != FLUID_OK || fluid_player_play(player) != FLUID_OK) {
      delete_fluid_player(player);
      delete_fluid_synth(synth);
      delete_fluid_settings(settings);
      return -1;
    }
    std::vector<float> left(4096), right(4096);
    peak = 0;
    for (int frames = 0; frames < seconds * 44100 && fluid_player_get_status(player) == FLUID_PLAYER_PLAYING;
         frames += 4096) {
      fluid_synth_write_float(synth, 4096, left.data(), 0, 1, right.data(), 0, 1);
      for (float v : left) peak = std::max(peak, std::fabs(v));
    }
    delete_fluid_player(player);
  }
  delete_fluid_synth(synth);
  delete_fluid_settings(settings);
  return peak;
}

}  // namespace

TEST(MidiTunes, AreDistinctValidAndAudible) {
  fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
  fluid_set_log_function(FLUID_INFO, nullptr, nullptr);
  std::set<std::string> seen;
  for (int i = 0; i < 49; ++i) {
    const std::string tune = testsupport::MakeMidiTune(i);
    EXPECT_TRUE(seen.insert(tune).second) << "tune " << i << " repeats another";
    if (i % 8 == 0) EXPECT_GT(PeakLevel(tune, 2.0), 0.01f) << "tune " << i << " is silent";
  }
}
