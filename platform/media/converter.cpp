#include "media/converter.h"

#include <sys/stat.h>
#include <fluidsynth.h>
#include <lame/lame.h>
#include <syn123.h>
#include <unistd.h>

#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>
#include <cstdlib>
#include <memory>
#include <vector>

#include "core/fileops.h"
#include "media/audiodecoder.h"
#include "media/fluidlog.h"
#include "media/midirender.h"
#include "media/mp3encoder.h"
#include "media/soundfont.h"
#include "core/translate.h"

namespace platform {
namespace {

constexpr size_t kBlock = 1152;  // frames decoded at a time

ConvertResult Fail(std::string text) { return ConvertResult{false, std::move(text)}; }

std::string CannotWrite(const std::string &shown) {
  return platform::Args(platform::translate("Media", "MP3 ファイル %1 を書き込めません"), {shown});
}

// "2 時間", "90 分", "5 秒": a length as the messages tell it.
std::string Duration(double seconds) {
  const long whole = static_cast<long>(seconds);
  if (whole >= 3600 && whole % 3600 == 0)
    return platform::Args(platform::translate("Media", "%1 時間"), {std::to_string(whole / 3600)});
  if (whole >= 60 && whole % 60 == 0)
    return platform::Args(platform::translate("Media", "%1 分"), {std::to_string(whole / 60)});
  return platform::Args(platform::translate("Media", "%1 秒"), {std::to_string(whole)});
}

}  // namespace

bool StartsLikeMidi(const std::string &linuxPath) {
  char head[12] = {};
  std::FILE *file = std::fopen(linuxPath.c_str(), "rb");
  if (file == nullptr) return false;
  const size_t got = std::fread(head, 1, sizeof head, file);
  std::fclose(file);
  const std::string h(head, got);
  return h.compare(0, 4, "MThd") == 0 || (got == 12 && h.compare(0, 4, "RIFF") == 0 && h.compare(8, 4, "RMID") == 0);
}

std::string ConvertSettingsText(const ConvertOptions &options) {
  // Whatever changes the bytes made from one source: the encoder's and the synthesiser's
  // versions and settings, and this program's way of using them.
  return "mp3 cbr " + std::to_string(options.kbitPerSecond) + " kbit/s 44100 Hz stereo gapless; lame " +
         get_lame_version() + "; fluidsynth " + fluid_version_str() +
         " release<=" + std::to_string(static_cast<int>(kMaxReleaseSeconds)) + " s longest " +
         std::to_string(static_cast<long>(options.longestMidiSeconds)) + " s; 1";
}

namespace {

// The temporary file beside the MP3 it becomes; removed unless Keep renames it into place.
class PartFile {
 public:
  explicit PartFile(const std::string &finalPath) : finalPath_(finalPath) {
    std::string pattern = finalPath + ".part-XXXXXX";
    const int fd = mkstemp(pattern.data());
    if (fd < 0) return;
    path_ = pattern;
    fchmod(fd, 0644);
    file_ = fdopen(fd, "w+b");
    if (file_ == nullptr) close(fd);
  }
  ~PartFile() {
    if (file_ != nullptr) std::fclose(file_);
    if (!path_.empty()) unlink(path_.c_str());
  }
  std::FILE *File() const { return file_; }
  bool Keep() {
    std::FILE *file = file_;
    file_ = nullptr;
    const bool written = std::fflush(file) == 0 && fsync(fileno(file)) == 0;
    if (std::fclose(file) != 0 || !written || std::rename(path_.c_str(), finalPath_.c_str()) != 0) return false;
    path_.clear();
    return true;
  }

 private:
  std::string finalPath_, path_;
  std::FILE *file_ = nullptr;
};

// The decoder's frames at its own rate, out at the encoder's.
class Resampler {
 public:
  // Null when rate can't be converted.
  static std::unique_ptr<Resampler> Make(long rate) {
    auto resampler = std::unique_ptr<Resampler>(new Resampler);
    if (rate == Mp3Encoder::kRate) return resampler;
    if (rate <= 0 || rate > syn123_resample_maxrate() || kBlock > syn123_resample_maxincount(rate, Mp3Encoder::kRate))
      return nullptr;
    int error = SYN123_OK;
    resampler->syn_ = syn123_new(Mp3Encoder::kRate, 2, MPG123_ENC_FLOAT_32, 0, &error);
    if (resampler->syn_ == nullptr ||
        syn123_setup_resample(resampler->syn_, rate, Mp3Encoder::kRate, 2, 0, 0) != SYN123_OK)
      return nullptr;
    resampler->out_.resize(syn123_resample_count(rate, Mp3Encoder::kRate, kBlock) * 2);
    return resampler;
  }
  ~Resampler() {
    if (syn_ != nullptr) syn123_del(syn_);
  }
  // frames of in, converted; the result stays valid until the next call.
  const float *Convert(float *in, size_t frames, size_t *outFrames) {
    if (syn_ == nullptr) {
      *outFrames = frames;
      return in;
    }
    *outFrames = syn123_resample(syn_, out_.data(), in, frames);
    return out_.data();
  }

 private:
  Resampler() = default;
  syn123_handle *syn_ = nullptr;
  std::vector<float> out_;
};

// Blocks of resampled frames from the thread that decodes to the thread that encodes; a few at
// most wait, so that a tune is never held whole.
class BlockQueue {
 public:
  // False when the encoding side stopped taking blocks.
  bool Push(std::vector<float> block) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return blocks_.size() < kWaiting || aborted_; });
    if (aborted_) return false;
    blocks_.push_back(std::move(block));
    changed_.notify_all();
    return true;
  }
  // The next block; none once the decoding side finished and every block was taken.
  std::optional<std::vector<float>> Pop() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !blocks_.empty() || finished_ || aborted_; });
    if (blocks_.empty() || aborted_) return std::nullopt;
    std::vector<float> block = std::move(blocks_.front());
    blocks_.pop_front();
    changed_.notify_all();
    return block;
  }
  void Finish() {
    std::lock_guard lock(mutex_);
    finished_ = true;
    changed_.notify_all();
  }
  void Abort() {
    std::lock_guard lock(mutex_);
    aborted_ = true;
    changed_.notify_all();
  }

 private:
  static constexpr size_t kWaiting = 16;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::vector<float>> blocks_;
  bool finished_ = false, aborted_ = false;
};

struct Source {
  std::unique_ptr<AudioDecoder> decoder;
  const MidiDecoder *midi = nullptr;
  std::string error;
};

Source OpenSource(const std::string &linuxPath, const std::string &shown, const ConvertOptions &options) {
  Source source;
  if (access(linuxPath.c_str(), R_OK) != 0) {
    source.error = platform::Args(platform::translate("Media", "ファイル %1 を開けません"), {shown});
  } else if (StartsLikeMidi(linuxPath)) {
    std::optional<std::string> tune = ReadLinuxFile(linuxPath);
    if (!tune) {
      source.error = platform::Args(platform::translate("Media", "MIDI ファイル %1 を開けません"), {shown});
      return source;
    }
    SoundFontChoice font = FindSoundFont(
        options.soundFont, options.systemSoundFonts.empty() ? SystemSoundFonts() : options.systemSoundFonts);
    if (font.path.empty()) {
      source.error = font.error;
      return source;
    }
    MidiRendering rendering = RenderMidi(*tune, shown, font.path, options.longestMidiSeconds);
    source.midi = rendering.decoder.get();
    source.decoder = std::move(rendering.decoder);
    source.error = std::move(rendering.error);
  } else {
    source.decoder = OpenAudioDecoder(linuxPath);
    if (source.decoder == nullptr)
      source.error =
          platform::Args(platform::translate("Media", "%1 は MP3 に変換できる音声ファイルではありません"), {shown});
  }
  return source;
}

}  // namespace

ConvertResult ConvertToMp3(const std::string &sourceLinuxPath, const std::string &mp3LinuxPath,
                           const ConvertOptions &options) {
  const std::string shown = WindowsPathOf(sourceLinuxPath);
  Source source = OpenSource(sourceLinuxPath, shown, options);
  if (source.decoder == nullptr) return Fail(source.error);
  std::unique_ptr<Resampler> resampler = Resampler::Make(source.decoder->Rate());
  if (resampler == nullptr)
    return Fail(platform::Args(platform::translate("Media", "%1 のサンプリング周波数 (%2 Hz) は変換できません"),
                               {shown, std::to_string(source.decoder->Rate())}));

  const std::string written = WindowsPathOf(mp3LinuxPath);
  PartFile part(mp3LinuxPath);
  if (part.File() == nullptr) return Fail(CannotWrite(written));
  Mp3Encoder encoder(part.File(), options.kbitPerSecond);
  if (!encoder.Good())
    return Fail(platform::Args(platform::translate("Media", "MP3 エンコーダーを %1 kbit/s に設定できません"),
                               {std::to_string(options.kbitPerSecond)}));

  // The tune is decoded (or rendered) and resampled on a thread of its own while this one
  // encodes: a tune keeps two cores busy.
  BlockQueue queue;
  std::atomic<bool> stop{false}, cancelled{false};
  size_t total = 0;
  std::thread producer([&] {
    std::vector<float> block(kBlock * 2);
    for (;;) {
      if (stop) break;
      if (options.cancelled && options.cancelled()) {
        cancelled = true;
        break;
      }
      const size_t frames = source.decoder->Read(block.data(), kBlock);
      if (frames == 0) break;
      size_t outFrames = 0;
      const float *out = resampler->Convert(block.data(), frames, &outFrames);
      if (!queue.Push(std::vector<float>(out, out + outFrames * 2))) break;
      total += outFrames;
    }
    queue.Finish();
  });
  bool encoded = true;
  while (std::optional<std::vector<float>> block = queue.Pop()) {
    if (!encoder.Encode(block->data(), block->size() / 2)) {
      encoded = false;
      break;
    }
    if (cancelled) break;
  }
  stop = true;
  queue.Abort();
  producer.join();
  if (cancelled) return ConvertResult{false, platform::translate("Media", "変換を取り消しました"), true};
  if (!encoded) return Fail(CannotWrite(written));
  if (source.midi != nullptr && source.midi->TooLong())
    return Fail(platform::Args(platform::translate("Media", "%1 は長すぎて MP3 に変換できません (%2まで)"),
                               {shown, Duration(options.longestMidiSeconds)}));
  if (source.decoder->Broken())
    return Fail(platform::Args(
        platform::translate("Media", "%1 は途中から読めません。壊れているか、途中で切れています"), {shown}));
  if (total == 0)
    return Fail(platform::Args(platform::translate("Media", "%1 には変換できる音が入っていません"), {shown}));
  if (!encoder.Finish() || !part.Keep()) return Fail(CannotWrite(written));
  return ConvertResult{true, {}};
}

}  // namespace platform
