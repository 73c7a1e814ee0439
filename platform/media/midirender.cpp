// The file player is driven by the synthesiser's sample clock: every block written advances
// the tune by exactly that many frames, whatever the speed of the machine.
#include "media/midirender.h"

#include <fluidsynth.h>

#include <cstdint>
#include <optional>

#include "media/fluidlog.h"
#include "media/freedmemory.h"
#include "media/reachablesoundfont.h"
#include "media/smfcheck.h"
#include "media/smfnotes.h"
#include "core/translate.h"

namespace platform {
namespace {

std::string CannotOpen(const std::string &shown) {
  return Args(translate("Media", "MIDI ファイル %1 を開けません"), {shown});
}

constexpr long kRate = 44100;
constexpr int kChannels = 16;

class MidiRenderer final : public MidiDecoder {
 public:
  explicit MidiRenderer(double longestSeconds) : longest_(longestSeconds * kRate) {}
  ~MidiRenderer() override {
    if (player_ != nullptr) delete_fluid_player(player_);
    if (synth_ != nullptr) delete_fluid_synth(synth_);
    if (settings_ != nullptr) delete_fluid_settings(settings_);
    ReturnFreedMemory();
  }

  // An empty text when the synthesiser, the SoundFont and the tune are ready.
  std::string Start(const std::string &tune, const std::string &shown, const std::string &soundFontPath,
                    bool onlyReachable) {
    settings_ = new_fluid_settings();
    if (settings_ == nullptr) return platform::translate("Media", "MIDI シンセサイザーを用意できません");
    fluid_settings_setnum(settings_, "synth.sample-rate", kRate);
    fluid_settings_setint(settings_, "synth.cpu-cores", 1);
    // Only the samples of the instruments the tune selects are loaded, not the whole SoundFont.
    fluid_settings_setint(settings_, "synth.dynamic-sample-loading", 1);
    fluid_settings_setstr(settings_, "player.timing-source", "sample");
    // The synthesiser is reset here before the tune starts, as the file player would do it.
    fluid_settings_setint(settings_, "player.reset-synth", 0);
    synth_ = new_fluid_synth(settings_);
    if (synth_ == nullptr)
      return platform::translate("Media", "MIDI シンセサイザーを用意できません") + TakeLibraryError();
    // Every renderer, like the player, loads the SoundFont into a synthesiser of its own: one
    // loaded SoundFont must not serve synthesisers on different threads, which count their use
    // of its samples without a lock. The samples' data is shared all the same: FluidSynth keeps
    // one copy of each in the process, whichever synthesisers load it.
    // Loading it selects no instrument yet: the tune's channels are given theirs below.
    const std::optional<TuneUse> use = onlyReachable ? ScanTuneUse(tune) : std::nullopt;
    const int loaded = use ? LoadSoundFontForTune(synth_, settings_, soundFontPath, *use)
                           : fluid_synth_sfload(synth_, soundFontPath.c_str(), onlyReachable ? 0 : 1);
    if (loaded == FLUID_FAILED)
      return platform::Args(platform::translate("Media", "サウンドフォント %1 を読み込めません"), {soundFontPath}) +
             TakeLibraryError();
    player_ = new_fluid_player(synth_);
    if (player_ == nullptr || fluid_player_add_mem(player_, tune.data(), tune.size()) != FLUID_OK)
      return CannotOpen(shown) + TakeLibraryError();
    if (use) SelectDefaultsPlayed(use->soundingDefault);
    else fluid_synth_system_reset(synth_);
    if (fluid_player_play(player_) != FLUID_OK) return CannotOpen(shown) + TakeLibraryError();
    return {};
  }

  long Rate() const override { return kRate; }

  size_t Read(float *out, size_t frames) override {
    if (player_ == nullptr) return 0;
    // The tune ends at its last event; the file player would stay on for a grace time of its
    // own after that, silence when the notes have ended sooner.
    if (!playerDone_ &&
        (fluid_player_get_status(player_) != FLUID_PLAYER_PLAYING ||
         (rendered_ > 0 && fluid_player_get_current_tick(player_) >= fluid_player_get_total_ticks(player_)))) {
      // Notes still held at the end of the tune are let go, so that they ring out and end.
      playerDone_ = true;
      for (int channel = 0; channel < kChannels; ++channel) {
        fluid_synth_cc(synth_, channel, 64, 0);
        fluid_synth_all_notes_off(synth_, channel);
      }
    }
    if (playerDone_ && (fluid_synth_get_active_voice_count(synth_) == 0 || released_ >= kMaxReleaseSeconds * kRate))
      return 0;
    if (!playerDone_ && rendered_ >= longest_) {
      tooLong_ = true;
      return 0;
    }
    if (fluid_synth_write_float(synth_, static_cast<int>(frames), out, 0, 2, out, 1, 2) != FLUID_OK) return 0;
    rendered_ += static_cast<double>(frames);
    if (playerDone_) released_ += static_cast<double>(frames);
    return frames;
  }

  bool Rewind() override { return false; }

  bool TooLong() const override { return tooLong_; }

 private:
  // The fresh synthesiser is in the reset's state, except that no channel has an instrument
  // yet. A reset would give every channel its default one, the piano or the drum kit, and load
  // its samples; only the channels on which the tune starts a note before choosing an
  // instrument (sounding) get theirs here. A program change in the tune still selects the
  // instrument it asks for.
  void SelectDefaultsPlayed(uint16_t sounding) {
    for (int channel = 0; channel < kChannels; ++channel) {
      if ((sounding & (1u << channel)) != 0) fluid_synth_program_change(synth_, channel, 0);
      else fluid_synth_unset_program(synth_, channel);
    }
  }

  fluid_settings_t *settings_ = nullptr;
  fluid_synth_t *synth_ = nullptr;
  fluid_player_t *player_ = nullptr;
  bool playerDone_ = false, tooLong_ = false;
  double longest_, rendered_ = 0, released_ = 0;  // in frames
};

}  // namespace

MidiRendering RenderMidi(const std::string &tune, const std::string &shown, const std::string &soundFontPath,
                         double longestSeconds, bool onlyReachable) {
  RouteLibraryLog();
  TakeLibraryError();
  MidiRendering rendering;
  if (!IsPlayableMidiFile(tune)) {
    rendering.error =
        platform::Args(platform::translate("Media", "%1 は再生できる標準 MIDI ファイルではありません"), {shown});
    return rendering;
  }
  auto renderer = std::make_unique<MidiRenderer>(longestSeconds);
  rendering.error = renderer->Start(tune, shown, soundFontPath, onlyReachable);
  if (rendering.error.empty()) rendering.decoder = std::move(renderer);
  return rendering;
}

}  // namespace platform
