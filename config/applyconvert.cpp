#include "applyconvert.h"

#include <QCoreApplication>
#include <stdlib.h>
#include <unistd.h>

#include <QDir>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include "scenetext.h"
#include "configstore.h"
#include "convertcache.h"
#include "core/fileops.h"
#include "core/winpath.h"
#include "media/converter.h"
#include "media/soundfont.h"
#include "qtcore/qstr.h"
#include "sources.h"

using platform::QS;
using platform::SS;

namespace {

constexpr auto kTickInterval = std::chrono::milliseconds(50);

QString WindowsOf(const QString &linuxPath) { return QS(platform::ToWindows(SS(linuxPath))); }
QString LinuxOf(const QString &windowsPath) { return QS(platform::ToLinux(SS(windowsPath))); }

platform::ConvertOptions OptionsOf(const TConvertSetup &setup) {
  platform::ConvertOptions options;
  options.soundFont = SS(setup.SoundFont);
  return options;
}

// Where converted files are written before they go into the cache: the cache's own folder, so
// that storing them is a rename. When it can't be made, a private folder under the system's
// temporary folder, whose files are removed after the apply.
struct TOutputFolder {
  QString Dir;  // Linux path
  bool Private = false;
};

TOutputFolder OutputFolder(const TConvertCache &cache) {
  if (QDir().mkpath(cache.Dir())) return {cache.Dir(), false};
  QByteArray pattern = QDir::tempPath().toLocal8Bit() + "/melodeck-convert-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) return {};
  return {QString::fromLocal8Bit(pattern), true};
}

// The conversions in progress, shared by the worker threads and the applying thread.
class TWorkers {
 public:
  TWorkers(const std::vector<TTuneToConvert> &tunes, std::vector<size_t> queue, const TConvertSetup &setup,
           const TConvertCache &cache, TOutputFolder out)
      : tunes_(tunes),
        queue_(std::move(queue)),
        setup_(setup),
        cache_(cache),
        out_(std::move(out)),
        busy_(tunes.size(), false) {}

  void Run(int threads) {
    running_ = threads;
    for (int i = 0; i < threads; ++i) threads_.emplace_back([this] { Work(); });
  }
  void Cancel() { cancelled_ = true; }
  bool Cancelled() const { return cancelled_; }

  // Waits up to the tick interval for a tune to finish; the finished ones since the last call,
  // and false once every worker has ended and everything finished was handed out.
  bool Next(std::vector<std::pair<size_t, TConvertedTune>> &finished, QString &converting) {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, kTickInterval, [this] { return !finished_.empty() || running_ == 0; });
    finished.assign(finished_.begin(), finished_.end());
    finished_.clear();
    converting.clear();
    for (size_t i = 0; i < busy_.size() && converting.isEmpty(); ++i)
      if (busy_[i]) converting = tunes_[i].Name;
    return running_ > 0 || !finished.empty();
  }

  void Join() {
    for (std::thread &t : threads_) t.join();
  }

  const std::vector<QString> &Leftovers() const { return leftovers_; }

 private:
  void Work() {
    for (;;) {
      size_t index;
      {
        std::lock_guard lock(mutex_);
        if (next_ >= queue_.size() || cancelled_) break;
        index = queue_[next_++];
        busy_[index] = true;
      }
      TConvertedTune result = Convert(tunes_[index], index);
      std::lock_guard lock(mutex_);
      busy_[index] = false;
      finished_.emplace_back(index, std::move(result));
      changed_.notify_all();
    }
    std::lock_guard lock(mutex_);
    --running_;
    changed_.notify_all();
  }

  TConvertedTune Convert(const TTuneToConvert &tune, size_t index) {
    TConvertedTune result;
    if (out_.Dir.isEmpty()) {
      result.Error = QCoreApplication::translate("Convert", "変換した曲を書き込むフォルダを作れません");
      return result;
    }
    const QString produced = QStringLiteral("%1/.part-%2-%3-%4.mp3").arg(out_.Dir, tune.Key).arg(getpid()).arg(index);
    platform::ConvertOptions options = OptionsOf(setup_);
    options.cancelled = [this] { return cancelled_.load(); };
    const platform::ConvertResult converted = platform::ConvertToMp3(SS(LinuxOf(tune.Source)), SS(produced), options);
    if (!converted.ok) {
      result.Error = QS(converted.error);
      return result;
    }
    if (!out_.Private) {
      if (const auto stored = cache_.Store(tune.Key, produced)) {
        result.Mp3 = WindowsOf(*stored);
        return result;
      }
    }
    // Not kept in the cache: the apply copies it from where it was made, and removes it after.
    std::lock_guard lock(mutex_);
    leftovers_.push_back(produced);
    result.Mp3 = WindowsOf(produced);
    return result;
  }

  const std::vector<TTuneToConvert> &tunes_;
  const std::vector<size_t> queue_;
  const TConvertSetup &setup_;
  const TConvertCache &cache_;
  const TOutputFolder out_;
  std::vector<std::thread> threads_;
  std::atomic<bool> cancelled_{false};
  std::mutex mutex_;
  std::condition_variable changed_;
  size_t next_ = 0;
  int running_ = 0;
  std::vector<bool> busy_;
  std::deque<std::pair<size_t, TConvertedTune>> finished_;
  std::vector<QString> leftovers_;
};

void Count(TConversions &c, const TConvertedTune &tune) {
  if (!tune.Error.isEmpty()) ++c.Failed;
  else if (tune.FromCache) ++c.FromCache;
  else ++c.Converted;
}

}  // namespace

TConvertSetup ConvertSetupOf(TSession &session) {
  TConvertSetup setup;
  const std::string chosen = session.Store.Settings().ReadString(kSettingsSection, "SoundFont", "");
  const platform::SoundFontChoice font = platform::FindSoundFont(chosen.empty() ? chosen : platform::ToLinux(chosen));
  setup.SoundFont = QS(font.path);
  setup.SoundFontError = QS(font.error);
  setup.SettingsText = QS(platform::ConvertSettingsText(OptionsOf(setup)));
  return setup;
}

bool IsConverted(const TMusicSet &set, const QString &sourceText) {
  if (set.Id != QLatin1String("digital")) return false;
  const TSource source = TSource::Parse(sourceText);
  const QString name = source.IsEntry() ? source.EntryPath() : source.Path();
  // The game's own file (its key) is its MP3.
  if (!source.IsEntry() && !name.contains('\\') && !name.contains(':')) return false;
  return !name.endsWith(QLatin1String(".mp3"), Qt::CaseInsensitive);
}

std::vector<TTuneToConvert> TunesToConvert(TSession &session, const std::vector<TApplyCopy> &plan,
                                           const TConvertSetup &setup, const TConvertCache &cache, bool peek) {
  std::vector<TTuneToConvert> tunes;
  std::map<QString, size_t> bySource;
  for (size_t i = 0; i < plan.size(); ++i) {
    const TApplyCopy &copy = plan[i];
    const TScene &scene = session.SceneTable[copy.Scene];
    if (copy.Source.isEmpty() || !IsConverted(session.MusicSet(), scene.Source)) continue;
    if (platform::SourceFailure(SS(copy.Source)) != platform::CopyFailure::None) continue;  // missing
    if (const auto known = bySource.find(copy.Source); known != bySource.end()) {
      tunes[known->second].Copies.push_back(i);
      continue;
    }
    TTuneToConvert tune{copy.Source, copy.FileName, ShownSceneName(scene), {}, {}, {}, {i}};
    const QString linux = LinuxOf(copy.Source);
    const bool midi = platform::StartsLikeMidi(SS(linux));
    if (midi && setup.SoundFont.isEmpty()) {
      tune.Error = setup.SoundFontError;
    } else if (const auto key = ConvertKey(linux, midi ? setup.SoundFont : QString(), setup.SettingsText)) {
      tune.Key = *key;
      if (const auto cached = peek ? cache.Peek(*key) : cache.Find(*key)) tune.Cached = *cached;
    } else {
      tune.Error = QCoreApplication::translate("Convert", "ファイル %1 を読めません").arg(copy.Source);
    }
    bySource.emplace(copy.Source, tunes.size());
    tunes.push_back(std::move(tune));
  }
  return tunes;
}

TConversions ConvertTunes(const std::vector<TTuneToConvert> &tunes, const TConvertSetup &setup,
                          const TConvertCache &cache, TConvertProgress *progress, int threads) {
  TConversions c;
  const int total = static_cast<int>(tunes.size());
  int done = 0;
  auto finish = [&](size_t index, TConvertedTune result) {
    Count(c, result);
    ++done;
    if (progress) progress->Finished(tunes[index], result, done, total);
    c.Tunes[tunes[index].Source] = std::move(result);
  };
  std::vector<size_t> queue;
  for (size_t i = 0; i < tunes.size(); ++i) {
    if (!tunes[i].Error.isEmpty()) finish(i, TConvertedTune{QString(), tunes[i].Error});
    else if (!tunes[i].Cached.isEmpty()) finish(i, TConvertedTune{WindowsOf(tunes[i].Cached), QString(), true});
    else queue.push_back(i);
  }
  if (queue.empty()) return c;

  const TOutputFolder out = OutputFolder(cache);
  if (threads <= 0) threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  threads = std::min(threads, static_cast<int>(queue.size()));
  TWorkers workers(tunes, queue, setup, cache, out);
  workers.Run(threads);
  std::vector<std::pair<size_t, TConvertedTune>> finished;
  QString converting;
  while (workers.Next(finished, converting)) {
    for (auto &[index, result] : finished) finish(index, std::move(result));
    if (progress && !workers.Cancelled() && !progress->Tick(done, total, converting)) workers.Cancel();
  }
  workers.Join();
  c.Cancelled = workers.Cancelled();
  c.Leftovers = workers.Leftovers();
  if (out.Private) c.Leftovers.push_back(out.Dir);
  return c;
}
