// The player of recorded sound: the tune is decoded while it plays, by the sound output's
// thread, block by block as the output asks for them. Stop only makes that thread write
// silence; the tune stays where it was.
#include <fcntl.h>
#include <fluidsynth.h>
#include <unistd.h>

#include <atomic>
#include <vector>

#include "media/audiostream.h"
#include "media/fileoutput.h"
#include "media/fluidlog.h"
#include "media/musicplayer.h"
#include "core/translate.h"

namespace platform {
namespace {

constexpr const char *kFormats = "MP3, WAV, FLAC, Ogg Vorbis, Opus";

bool Readable(const std::string &linuxPath) {
  const int fd = open(linuxPath.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  char byte;
  const bool readable = read(fd, &byte, 1) >= 0;  // a folder opens but does not read
  close(fd);
  return readable;
}

class AudioPlayer final : public MidiPlayer {
 public:
  explicit AudioPlayer(FluidPlayerOptions options) : options_(std::move(options)) { RouteLibraryLog(); }
  ~AudioPlayer() override {
    Close();
    if (settings_ != nullptr) delete_fluid_settings(settings_);
  }

  bool Open(const std::string &linuxPath) override {
    Close();
    error_.clear();
    TakeLibraryError();
    const std::string shown = WindowsPathOf(linuxPath);
    if (!Readable(linuxPath))
      return Fail(platform::Args(platform::translate("Media", "音声ファイル %1 を開けません"), {shown}));
    std::unique_ptr<AudioDecoder> decoder = OpenAudioDecoder(linuxPath);
    std::unique_ptr<AudioStream> stream = decoder ? AudioStream::Make(std::move(decoder)) : nullptr;
    if (!stream || !stream->Prime())
      return Fail(platform::Args(platform::translate("Media", "%1 は再生できる音声ファイル (%2) ではありません"),
                                 {shown, kFormats}));
    stream_ = std::move(stream);
    if (!StartOutput()) {
      Close();
      return Fail(platform::Args(
                      platform::translate("Media", "音声デバイスを開けません。\n音声の出力先 (%1) がどれも使えません"),
                      {OutputNames()}) +
                  TakeLibraryError());
    }
    return true;
  }

  bool Play() override {
    if (!IsOpen()) return Fail(platform::translate("Media", "再生する音声ファイルが開かれていません"));
    error_.clear();
    playing_ = true;
    return true;
  }

  void Stop() override { playing_ = false; }

  void Close() override {
    if (driver_ != nullptr) delete_fluid_audio_driver(driver_);  // joins the output's thread
    driver_ = nullptr;
    file_.Stop();
    playing_ = false;
    stream_.reset();
  }

  bool IsOpen() const override { return driver_ != nullptr || file_.Running(); }
  const std::string &ErrorText() const override { return error_; }

 private:
  bool Fail(std::string text) {
    error_ = std::move(text);
    return false;
  }

  std::string OutputNames() const {
    return options_.renderFile.empty() ? DriverNames(options_.drivers) : options_.renderFile;
  }

  // From the output's thread, with the buffers zeroed: the tune's next frames while playing.
  void Render(int frames, float *left, float *right) {
    if (playing_) stream_->Fill(left, right, static_cast<size_t>(frames));
  }

  static int Callback(void *data, int len, int, float *[], int nout, float *out[]) {
    auto *self = static_cast<AudioPlayer *>(data);
    if (nout >= 2) {
      self->Render(len, out[0], out[1]);
    } else if (nout == 1) {
      self->scratch_.assign(static_cast<size_t>(len), 0.0f);
      self->Render(len, out[0], self->scratch_.data());
    }
    return FLUID_OK;
  }

  bool StartOutput() {
    if (!options_.renderFile.empty())
      return file_.Start(options_.renderFile, [this](int frames, float *l, float *r) { Render(frames, l, r); });
    if (settings_ == nullptr) {
      settings_ = new_fluid_settings();
      if (settings_ == nullptr) return false;
      fluid_settings_setstr(settings_, "audio.pulseaudio.media-role", "music");
      fluid_settings_setnum(settings_, "synth.sample-rate", static_cast<double>(AudioStream::kRate));
    }
    for (const std::string &name : options_.drivers) {
      if (fluid_settings_setstr(settings_, "audio.driver", name.c_str()) != FLUID_OK) continue;
      driver_ = new_fluid_audio_driver2(settings_, Callback, this);
      if (driver_ != nullptr) return true;
    }
    return false;
  }

  FluidPlayerOptions options_;
  fluid_settings_t *settings_ = nullptr;
  fluid_audio_driver_t *driver_ = nullptr;
  FileOutput file_;
  std::unique_ptr<AudioStream> stream_;  // read by the output's thread while it runs
  std::atomic<bool> playing_{false};
  std::vector<float> scratch_;
  std::string error_;
};

}  // namespace

std::unique_ptr<MidiPlayer> MakeAudioPlayer(FluidPlayerOptions options) {
  return std::make_unique<AudioPlayer>(std::move(options));
}

}  // namespace platform
