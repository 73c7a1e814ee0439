// The built-in player on FluidSynth: one synthesiser with the SoundFont, kept for the
// player's life; per open file a MIDI file player and a sound output. The output's thread
// renders the synthesiser and, through it, drives the file player; a file player is therefore
// made before its output starts and deleted only after its output has stopped.
#include <fluidsynth.h>

#include <vector>

#include "core/fileops.h"
#include "media/fluidlog.h"
#include "media/freedmemory.h"
#include "media/midiplayer.h"
#include "media/smfcheck.h"
#include "media/soundfont.h"
#include "core/translate.h"

namespace platform {
namespace {

class FluidPlayer final : public MidiPlayer {
 public:
  explicit FluidPlayer(FluidPlayerOptions options) : options_(std::move(options)) {
    RouteLibraryLog();
    if (options_.systemSoundFonts.empty()) options_.systemSoundFonts = SystemSoundFonts();
    if (!options_.renderFile.empty()) options_.drivers = {"file"};
  }
  ~FluidPlayer() override {
    Close();
    if (synth_ != nullptr) delete_fluid_synth(synth_);
    if (settings_ != nullptr) delete_fluid_settings(settings_);
    ReturnFreedMemory();
  }

  bool Open(const std::string &linuxPath) override {
    Close();
    error_.clear();
    TakeLibraryError();
    std::optional<std::string> tune = ReadLinuxFile(linuxPath);
    // The file is named as the window shows it: by its Windows path.
    const std::string shown = WindowsPathOf(linuxPath);
    if (!tune) return Fail(platform::Args(platform::translate("Media", "MIDI ファイル %1 を開けません"), {shown}));
    if (!IsPlayableMidiFile(*tune))
      return Fail(
          platform::Args(platform::translate("Media", "%1 は再生できる標準 MIDI ファイルではありません"), {shown}));
    if (!LoadSoundFont()) return false;
    if (idle_) fluid_synth_system_reset(synth_);
    idle_ = false;

    player_ = new_fluid_player(synth_);
    if (player_ == nullptr || fluid_player_add_mem(player_, tune->data(), tune->size()) != FLUID_OK) {
      Close();
      return Fail(platform::Args(platform::translate("Media", "MIDI ファイル %1 を開けません"), {shown}) +
                  TakeLibraryError());
    }
    if (!StartOutput()) {
      Close();
      return Fail(platform::Args(
                      platform::translate("Media", "MIDI デバイスを開けません。\n音声の出力先 (%1) がどれも使えません"),
                      {DriverNames(options_.drivers)}) +
                  TakeLibraryError());
    }
    return true;
  }

  bool Play() override {
    if (!IsOpen()) return Fail(platform::translate("Media", "再生する MIDI ファイルが開かれていません"));
    error_.clear();
    fluid_synth_set_gain(synth_, gain_);
    fluid_player_play(player_);
    return true;
  }

  void Stop() override {
    if (!IsOpen()) return;
    fluid_player_stop(player_);
    // Notes already released would ring out (a piano's for a second); the output goes silent
    // at once instead, until Play.
    fluid_synth_all_sounds_off(synth_, -1);
    fluid_synth_set_gain(synth_, 0.0f);
  }

  void Close() override {
    if (driver_ != nullptr) delete_fluid_audio_driver(driver_);  // joins the output's thread
    driver_ = nullptr;
    if (player_ != nullptr) delete_fluid_player(player_);
    player_ = nullptr;
    if (synth_ != nullptr && !idle_) {
      Silence();
      LetInstrumentsGo();
    }
  }

  bool IsOpen() const override { return driver_ != nullptr; }
  const std::string &ErrorText() const override { return error_; }

 private:
  // With no output running: ends every voice and effect tail by rendering them away, so that
  // the next file starts in silence. A reset alone leaves released notes to ring out.
  void Silence() {
    fluid_synth_system_reset(synth_);
    std::vector<float> scratch(4096);
    for (int blocks = 0; blocks < 64 && fluid_synth_get_active_voice_count(synth_) > 0; ++blocks)
      fluid_synth_write_float(synth_, 4096, scratch.data(), 0, 1, scratch.data(), 0, 1);
    fluid_synth_set_gain(synth_, gain_);
  }

  // With no file open the synthesiser holds no instrument, so that none of its samples stay
  // loaded (a SoundFont's piano and drum kit alone can be 16 MiB) and the memory they took goes
  // back to the system; the next file starts from a reset, which selects the default ones.
  void LetInstrumentsGo() {
    for (int channel = 0; channel < fluid_synth_count_midi_channels(synth_); ++channel)
      fluid_synth_unset_program(synth_, channel);
    idle_ = true;
    ReturnFreedMemory();
  }

  bool Fail(std::string text) {
    error_ = std::move(text);
    return false;
  }

  // Makes the synthesiser at the first need and loads the SoundFont into it once.
  bool LoadSoundFont() {
    if (synth_ != nullptr) return true;
    SoundFontChoice font = FindSoundFont(options_.soundFont, options_.systemSoundFonts);
    if (font.path.empty()) return Fail(font.error);
    settings_ = new_fluid_settings();
    fluid_settings_setstr(settings_, "audio.pulseaudio.media-role", "music");
    fluid_settings_setstr(settings_, "audio.file.type", "raw");
    fluid_settings_setstr(settings_, "audio.file.format", "s16");
    fluid_settings_setstr(settings_, "audio.file.endian", "little");
    fluid_settings_setnum(settings_, "synth.sample-rate", 44100.0);
    // Only the samples of the instruments a tune selects are read, not the whole SoundFont
    // (the system's may be well over 100 MiB), and those of instruments no longer selected
    // are let go.
    fluid_settings_setint(settings_, "synth.dynamic-sample-loading", 1);
    synth_ = settings_ != nullptr ? new_fluid_synth(settings_) : nullptr;
    if (synth_ == nullptr) return FailSynth(platform::translate("Media", "MIDI シンセサイザーを用意できません"));
    gain_ = fluid_synth_get_gain(synth_);
    if (fluid_synth_sfload(synth_, font.path.c_str(), 1) == FLUID_FAILED)
      return FailSynth(
          platform::Args(platform::translate("Media", "サウンドフォント %1 を読み込めません"), {font.path}));
    return true;
  }

  bool FailSynth(const std::string &text) {
    if (synth_ != nullptr) delete_fluid_synth(synth_);
    if (settings_ != nullptr) delete_fluid_settings(settings_);
    synth_ = nullptr;
    settings_ = nullptr;
    return Fail(text + TakeLibraryError());
  }

  bool StartOutput() {
    if (!options_.renderFile.empty()) fluid_settings_setstr(settings_, "audio.file.name", options_.renderFile.c_str());
    for (const std::string &name : options_.drivers) {
      if (fluid_settings_setstr(settings_, "audio.driver", name.c_str()) != FLUID_OK) continue;
      driver_ = new_fluid_audio_driver(settings_, synth_);
      if (driver_ != nullptr) return true;
    }
    return false;
  }

  FluidPlayerOptions options_;
  fluid_settings_t *settings_ = nullptr;
  fluid_synth_t *synth_ = nullptr;
  fluid_player_t *player_ = nullptr;
  fluid_audio_driver_t *driver_ = nullptr;
  float gain_ = 0.2f;  // the synthesiser's own
  bool idle_ = false;  // no file open since the instruments were let go
  std::string error_;
};

}  // namespace

std::unique_ptr<MidiPlayer> MakeFluidPlayer(FluidPlayerOptions options) {
  return std::make_unique<FluidPlayer>(std::move(options));
}

}  // namespace platform
