// The window's one player: each file goes to the player that takes it.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>

#include "media/musicplayer.h"
#include "core/translate.h"

namespace platform {
namespace {

bool StartsAsMidi(const std::string &linuxPath) {
  const int fd = open(linuxPath.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  char head[4];
  const bool midi = read(fd, head, 4) == 4 && std::string_view(head, 4) == "MThd";
  close(fd);
  return midi;
}

bool NamedAsMidi(const std::string &linuxPath) {
  const size_t dot = linuxPath.rfind('.');
  if (dot == std::string::npos || linuxPath.find('/', dot) != std::string::npos) return false;
  std::string ext = linuxPath.substr(dot);
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
  return ext == ".mid" || ext == ".midi";
}

class MusicPlayer final : public MidiPlayer {
 public:
  explicit MusicPlayer(const FluidPlayerOptions &options)
      : midi_(MakeFluidPlayer(options)), audio_(MakeAudioPlayer(options)) {}

  bool Open(const std::string &linuxPath) override {
    Close();
    error_.clear();
    MidiPlayer *player = StartsAsMidi(linuxPath) ? midi_.get() : audio_.get();
    bool opened = player->Open(linuxPath);
    if (!opened && player == audio_.get() && NamedAsMidi(linuxPath)) {
      player = midi_.get();  // for the MIDI player's message
      opened = player->Open(linuxPath);
    }
    if (!opened) {
      error_ = player->ErrorText();
      return false;
    }
    current_ = player;
    return true;
  }

  bool Play() override {
    if (current_ == nullptr) {
      error_ = platform::translate("Media", "再生するファイルが開かれていません");
      return false;
    }
    const bool played = current_->Play();
    error_ = current_->ErrorText();
    return played;
  }

  void Stop() override {
    if (current_ != nullptr) current_->Stop();
  }

  void Close() override {
    midi_->Close();
    audio_->Close();
    current_ = nullptr;
  }

  bool IsOpen() const override { return current_ != nullptr && current_->IsOpen(); }
  const std::string &ErrorText() const override { return error_; }

 private:
  std::unique_ptr<MidiPlayer> midi_, audio_;
  MidiPlayer *current_ = nullptr;  // the player of the open file
  std::string error_;
};

}  // namespace

std::unique_ptr<MidiPlayer> MakeMusicPlayer(FluidPlayerOptions options) {
  return std::make_unique<MusicPlayer>(options);
}

}  // namespace platform
