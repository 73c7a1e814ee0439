#include "windowmemory.h"

#include <sys/stat.h>

#include <QCoreApplication>
#include <QString>
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "formmain.h"
#include "gamefolder.h"
#include "midigen.h"
#include "playercontroller.h"
#include "qt/application.h"
#include "storeworld.h"

namespace benchwindow {
namespace {

constexpr const char *kFluidR3Windows = "Z:\\usr\\share\\sounds\\sf2\\FluidR3_GM.sf2";
constexpr const char *kRealTunes = "/usr/share/games/openttd/baseset/openmsx";
constexpr int kTracks = 49;
constexpr size_t kBytesPerSecond = 44100 * 4;
constexpr size_t kMostSecondsPlayed = 20;

// A field of /proc/self/status in KiB: VmRSS (resident now) or VmHWM (the most ever resident).
long StatusKiB(const std::string &field) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind(field + ":", 0) == 0) return std::stol(line.substr(field.size() + 1));
  return -1;
}

// From now on VmHWM is the most resident since now.
bool ResetPeak() {
  std::ofstream clear("/proc/self/clear_refs");
  clear << "5";
  clear.flush();
  return static_cast<bool>(clear);
}

size_t FileSize(const std::string &path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 ? static_cast<size_t>(st.st_size) : 0;
}

// The loudest 16-bit sample of bytes [from, to) of a raw output.
int Peak(const std::string &path, size_t from, size_t to) {
  std::ifstream in(path, std::ios::binary);
  in.seekg(static_cast<std::streamoff>(from));
  std::vector<char> data(to - from);
  in.read(data.data(), static_cast<std::streamsize>(data.size()));
  int peak = 0;
  for (size_t i = 0; i + 1 < static_cast<size_t>(in.gcount()); i += 2) {
    const int v = static_cast<int16_t>(static_cast<uint8_t>(data[i]) | (static_cast<uint8_t>(data[i + 1]) << 8));
    peak = std::max(peak, v < 0 ? -v : v);
  }
  return peak;
}

// Until the tune has sounded and then been silent for two seconds (its end), or has played for
// kMostSecondsPlayed (a real tune has chosen its instruments by then), the window's events handled
// meanwhile. Whether it sounded.
bool PlayOn(const std::string &out) {
  bool sounded = false;
  size_t quietSince = 0;
  for (size_t end = kBytesPerSecond / 4; end <= kMostSecondsPlayed * kBytesPerSecond; end += kBytesPerSecond / 4) {
    for (int waited = 0; FileSize(out) < end; waited += 20) {
      if (waited > 10000) return false;  // the output stalled
      QCoreApplication::processEvents();
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (Peak(out, end - kBytesPerSecond / 4, end) > 64) {
      sounded = true;
      quietSince = end;
    } else if (sounded && end - quietSince >= 2 * kBytesPerSecond) {
      return true;
    }
  }
  return sounded;
}

// The MIDI tunes of the configuration: the real ones of the openMSX set (many instruments and the
// drums) when installed, then the test support's, kTracks in all, written into folder.
std::vector<std::string> WriteTunes(const std::string &folder) {
  std::vector<std::string> real;
  if (std::filesystem::is_directory(kRealTunes))
    for (const auto &entry : std::filesystem::directory_iterator(kRealTunes))
      if (entry.path().extension() == ".mid") real.push_back(entry.path());
  std::sort(real.begin(), real.end());
  testsupport::TestWorld::MakeDirs(folder);
  std::vector<std::string> names;
  for (int i = 0; i < kTracks; ++i) {
    const std::string name = "tune" + std::to_string(i) + ".mid";
    std::ofstream out(folder + "/" + name, std::ios::binary);
    if (static_cast<size_t>(i) < real.size()) out << std::ifstream(real[i], std::ios::binary).rdbuf();
    else out << testsupport::MakeMidiTune(i);
    names.push_back(name);
  }
  return names;
}

// A program folder, a digital game whose index names kTracks tracks, and the configuration
// "Bench" giving every track a MIDI tune of its own; FluidR3_GM is the chosen SoundFont.
struct WindowWorld : StoreWorld {
  WindowWorld() : StoreWorld({}, false) {
    const std::string digital = Linux("game/Music/Digital");
    testsupport::TestWorld::MakeDirs(digital);
    std::string index;
    for (int i = 0; i < kTracks; ++i) {
      const std::string track = "track" + std::to_string(i);
      index += std::to_string(i) + " " + track + "\r\n";
      testsupport::TestWorld::WriteFile(digital + "/" + track + ".mp3", original + track);
    }
    testsupport::TestWorld::WriteFile(digital + "/Config.txt", index);
    const std::vector<std::string> tunes = WriteTunes(Linux("tunes"));
    std::string ini = "[Bench]\n";
    for (int i = 0; i < kTracks; ++i)
      ini += "track" + std::to_string(i) + ".mp3=" + world.Windows("tunes/" + tunes[i]) + "\n";
    ini += std::string("[melodeck]\nLastConfig=Bench\nSoundFont=") + kFluidR3Windows + "\n";
    testsupport::TestWorld::WriteFile(Linux("prog/melodeck.ini"), ini);
  }
  // The tracks the apply replaced.
  int Replaced() const {
    int replaced = 0;
    for (int i = 0; i < kTracks; ++i) {
      const std::string track = "track" + std::to_string(i);
      replaced += testsupport::TestWorld::ReadFile(Linux("game/Music/Digital/" + track + ".mp3")) != original + track;
    }
    return replaced;
  }
  const std::string original = std::string("ID3\x03\0\0\0\0\0\0", 10) + "the game's ";
};

}  // namespace

int MeasureWindow(int argc, char **argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  platform::TApplication app(argc, argv);
  const std::string result = argv[2];
  auto world = std::make_unique<WindowWorld>();
  const auto game = GameOfFolder(QString::fromStdString(world->world.Windows("game")));
  if (!game) {
    std::fprintf(stderr, "the digital game was not found\n");
    return 1;
  }
  auto form =
      std::make_unique<TFormMain>(world->programPath, std::vector<TGame>{*game}, 0, world->dialogs, nullptr, nullptr);
  form->SetExitWait(0);
  form->show();
  for (int i = 0; i < 10; ++i) QCoreApplication::processEvents();
  const long idle = StatusKiB("VmRSS");

  const std::string out = world->Linux("playing.raw");
  form->Players().Options().renderFile = out;
  form->PlaySource(QString::fromStdString(world->world.Windows("tunes/tune0.mid")));
  if (!form->Players().IsPlaying() || !PlayOn(out)) {
    std::fprintf(stderr, "the tune did not play\n");
    return 1;
  }
  form->ToolButtonStopClick();
  for (int i = 0; i < 10; ++i) QCoreApplication::processEvents();
  const long played = StatusKiB("VmRSS"), playPeak = StatusKiB("VmHWM");

  if (!ResetPeak()) {
    std::fprintf(stderr, "the peak could not be reset (/proc/self/clear_refs)\n");
    return 1;
  }
  world->dialogs.Answer(platform::TModalResult::OK);
  form->MainMenuApplayClick();
  const long applyPeak = StatusKiB("VmHWM"), afterApply = StatusKiB("VmRSS");
  const int replaced = world->Replaced();
  if (replaced != kTracks)  // what the window said about it
    for (const auto &shown : world->dialogs.Shown()) std::fprintf(stderr, "%s\n", shown.text.toStdString().c_str());
  form->close();
  form.reset();
  std::ofstream(result) << idle << ' ' << played << ' ' << playPeak << ' ' << applyPeak << ' ' << afterApply << ' '
                        << replaced << '\n';
  return replaced == kTracks ? 0 : 1;
}

}  // namespace benchwindow
