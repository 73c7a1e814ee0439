// The synthesiser reads the smaller font through file callbacks of its own loader: while it
// loads the font, this thread's opening of the SoundFont's path gives the smaller font (the
// file's bytes up to the preset data, then the preset data kept). Every later opening, to
// load a sample when an instrument is chosen, reads the file itself: its samples are where
// the smaller font says, and FluidSynth's process-wide sample cache, keyed by the path and
// the samples' places, shares them with every other synthesiser that loads the same file.
#include "media/reachablesoundfont.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>

namespace platform {
namespace {

constexpr int kDrumChannel = 9, kDrumBank = 128;

// The smaller font while it loads.
struct FontView {
  std::string path;
  struct stat file {};     // the file the tables were read from
  std::string head;        // "RIFF", the smaller size, "sfbk"
  uint64_t fileUntil = 0;  // the file's own bytes up to here (its preset data's start)
  std::string presetData;
  uint64_t Size() const { return fileUntil + presetData.size(); }
};

thread_local const FontView *tLoading = nullptr;

struct OpenFont {
  int fd = -1;
  const FontView *view = nullptr;  // null: the file as it is
  uint64_t size = 0, at = 0;
};

bool ReadFile(int fd, char *out, uint64_t count, uint64_t at) {
  while (count > 0) {
    const ssize_t got = pread(fd, out, count, static_cast<off_t>(at));
    if (got <= 0) return false;
    out += got, count -= static_cast<uint64_t>(got), at += static_cast<uint64_t>(got);
  }
  return true;
}

bool SameFile(const struct stat &a, const struct stat &b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
         a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec;
}

void *Open(const char *filename) {
  const int fd = open(filename, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  auto font = std::make_unique<OpenFont>();
  font->fd = fd;
  struct stat st;
  if (fstat(fd, &st) != 0) {
    close(fd);
    return nullptr;
  }
  font->size = static_cast<uint64_t>(st.st_size);
  // A file changed since its tables were read is read as it is now.
  if (tLoading != nullptr && tLoading->path == filename && SameFile(st, tLoading->file)) {
    font->view = tLoading;
    font->size = tLoading->Size();
  }
  return font.release();
}

int Read(void *buf, fluid_long_long_t count, void *handle) {
  auto *font = static_cast<OpenFont *>(handle);
  if (count < 0 || font->at > font->size || static_cast<uint64_t>(count) > font->size - font->at) return FLUID_FAILED;
  char *out = static_cast<char *>(buf);
  uint64_t at = font->at, left = static_cast<uint64_t>(count);
  const FontView *view = font->view;
  while (left > 0) {
    uint64_t n;
    if (view != nullptr && at < view->head.size()) {
      n = std::min<uint64_t>(left, view->head.size() - at);
      std::memcpy(out, view->head.data() + at, n);
    } else if (view == nullptr || at < view->fileUntil) {
      n = view == nullptr ? left : std::min(left, view->fileUntil - at);
      if (!ReadFile(font->fd, out, n, at)) return FLUID_FAILED;
    } else {
      n = left;
      std::memcpy(out, view->presetData.data() + (at - view->fileUntil), n);
    }
    out += n, at += n, left -= n;
  }
  font->at = at;
  return FLUID_OK;
}

int Seek(void *handle, fluid_long_long_t offset, int origin) {
  auto *font = static_cast<OpenFont *>(handle);
  const fluid_long_long_t base = origin == SEEK_SET   ? 0
                                 : origin == SEEK_CUR ? static_cast<fluid_long_long_t>(font->at)
                                 : origin == SEEK_END ? static_cast<fluid_long_long_t>(font->size)
                                                      : -1;
  if (base < 0 || base + offset < 0) return FLUID_FAILED;
  font->at = static_cast<uint64_t>(base + offset);
  return FLUID_OK;
}

fluid_long_long_t Tell(void *handle) { return static_cast<fluid_long_long_t>(static_cast<OpenFont *>(handle)->at); }

int Close(void *handle) {
  auto *font = static_cast<OpenFont *>(handle);
  close(font->fd);
  delete font;
  return FLUID_OK;
}

// The tables of the SoundFont last asked for, read again when its file changed; file: what the
// file was when they were read.
std::shared_ptr<const Sf2Tables> TablesOf(const std::string &path, struct stat &file) {
  static std::mutex mutex;
  static std::string lastPath;
  static struct stat lastStat {};
  static std::shared_ptr<const Sf2Tables> last;
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat st;
  std::shared_ptr<const Sf2Tables> tables;
  if (fstat(fd, &st) == 0) {
    std::lock_guard<std::mutex> lock(mutex);
    file = st;
    if (last != nullptr && path == lastPath && SameFile(st, lastStat)) {
      tables = last;
    } else {
      std::optional<Sf2Tables> read =
          ReadSf2Tables(static_cast<uint64_t>(st.st_size),
                        [fd](uint64_t at, size_t count, char *out) { return ReadFile(fd, out, count, at); });
      if (read) tables = std::make_shared<const Sf2Tables>(std::move(*read));
      last = tables, lastPath = path, lastStat = st;
    }
  }
  close(fd);
  return tables;
}

}  // namespace

std::vector<NoteSet> NotesByPreset(const std::vector<Sf2Preset> &presets, const TuneUse &use) {
  const auto has = [&presets](int bank, int program) {
    return std::any_of(presets.begin(), presets.end(),
                       [&](const Sf2Preset &p) { return p.bank == bank && p.program == program; });
  };
  std::vector<NoteSet> notes(presets.size());
  for (int c = 0; c < 16; ++c) {
    const ChannelUse &channel = use.channels[c];
    if (channel.notes.Empty()) continue;
    const bool drum = c == kDrumChannel || use.systemExclusive, melodic = c != kDrumChannel || use.systemExclusive;
    std::bitset<128> programs = channel.programs;
    if ((use.soundingDefault & (1u << c)) != 0 || use.systemExclusive) programs.set(0);
    for (int p = 1; p < 128; ++p)
      if (channel.programs.test(p) && ((melodic && !has(0, p)) || (drum && !has(kDrumBank, p)))) programs.set(0);
    for (size_t i = 0; i < presets.size(); ++i) {
      const Sf2Preset &preset = presets[i];
      const bool bankFits =
          use.systemExclusive || (drum && preset.bank == kDrumBank) || (melodic && preset.bank < kDrumBank);
      if (bankFits && preset.program < 128 && programs.test(preset.program)) notes[i] |= channel.notes;
    }
  }
  return notes;
}

int LoadSoundFontForTune(fluid_synth_t *synth, fluid_settings_t *settings, const std::string &path,
                         const TuneUse &use) {
  FontView view;
  const std::shared_ptr<const Sf2Tables> tables = TablesOf(path, view.file);
  fluid_sfloader_t *loader = tables != nullptr ? new_fluid_defsfloader(settings) : nullptr;
  if (loader == nullptr) return fluid_synth_sfload(synth, path.c_str(), 0);
  fluid_sfloader_set_callbacks(loader, Open, Read, Seek, Tell, Close);
  fluid_synth_add_sfloader(synth, loader);  // tried before the synthesiser's own loader
  view.path = path;
  view.fileUntil = tables->presetDataAt;
  view.presetData = ReachablePresetData(*tables, NotesByPreset(Sf2Presets(*tables), use));
  view.head = Sf2FileHead(view.Size());
  tLoading = &view;
  const int id = fluid_synth_sfload(synth, path.c_str(), 0);
  tLoading = nullptr;
  return id;
}

}  // namespace platform
