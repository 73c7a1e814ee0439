#include "startup.h"

#include <cstdio>
#include <string>

#include "configstore.h"
#include "core/fileops.h"
#include "core/inifile.h"
#include "core/winpath.h"
#include "qtcore/qstr.h"

using platform::QS;
using platform::SS;

namespace {

constexpr char kFirstKey[] = "\\SOFTWARE\\Origin Worlds Online\\Ultima Online\\1.0";
constexpr char kThirdDawnKey[] = "\\SOFTWARE\\Origin Worlds Online\\Ultima Online Third Dawn\\1.0";

// Reads "ExePath" under key; when it names a file, answers its music folder. Paths are made
// canonical so that they compare equal to the paths the folder tree produces.
void ReadClient(const platform::Registry &registry, const char *key, QString &clientPath, QString &musicDir) {
  clientPath = QS(registry.ReadString32(key, "ExePath").value_or(""));
  if (clientPath.isEmpty() || !platform::FileExists(SS(clientPath))) return;
  clientPath = QS(platform::Paths().Canonical(SS(clientPath)));
  musicDir = QS(platform::ExtractFilePath(SS(clientPath))) + "music";
  if (platform::DirectoryExists(SS(musicDir))) musicDir = QS(platform::Paths().Canonical(SS(musicDir)));
}

// One line for whoever started the program from a terminal: where it looked, and what for.
void LogClientNotFound(const platform::Registry &registry) {
  const std::string prefix = platform::Paths().Prefix();
  std::string line = "melodeck: the client was not found: Wine prefix " + prefix + ", registry " + prefix +
                     "/system.reg, value ExePath of HKEY_LOCAL_MACHINE" + kFirstKey + " (32-bit view)";
  if (const auto exePath = registry.ReadString32(kFirstKey, "ExePath"))
    line += " = \"" + *exePath + "\", but that file or the music folder beside it is not there\n";
  else line += " is not there\n";
  // The value is outside data: no control character of it reaches the terminal.
  for (size_t i = 0; i + 1 < line.size(); ++i)
    if (static_cast<unsigned char>(line[i]) < 0x20 || line[i] == '\x7F') line[i] = '?';
  std::fputs(line.c_str(), stderr);
}

}  // namespace

bool AcquireInstance(platform::InstanceLock &lock) {
  return lock.Acquire(kInstanceMutexName) != platform::InstanceLock::kHeldElsewhere;
}

bool ConfirmFirstRun(const QString &programPath, platform::Dialogs &dialogs) {
  const std::string settings = platform::ChangeFileExt(SS(programPath), ".ini");
  if (platform::FileExists(settings)) return true;
  const bool yes =
      dialogs.Message(QStringLiteral("MelodeckはUltimaOnlineのMusic(MIDI)ファイルを任意に入れ替えるツールです.\n"
                                     "Melodeckは現在のMIDIファイルをデフォルトの設定として扱います.\n"
                                     "すでに手動で変更している場合は元に戻してから利用してください.\n\n"
                                     "Melodeck を起動しますか？"),
                      platform::TMsgType::Confirmation, platform::mbYesCancel) == platform::TModalResult::Yes;
  if (!yes) return false;
  // The answer is kept at once: the command line works beside this first window, and the
  // question does not come back should the window end without saving.
  try {
    platform::IniFile(settings).WriteStrings(kSettingsSection, {});
  } catch (const platform::EIniFileException &e) {
    dialogs.Message(QString::fromUtf8(e.what()) + ".", platform::TMsgType::Error);
  }
  return true;
}

bool DiscoverGame(const platform::Registry &registry, platform::Dialogs &dialogs, TGameFolders &f) {
  f = TGameFolders();
  ReadClient(registry, kFirstKey, f.ClientPath, f.MusicDir);
  ReadClient(registry, kThirdDawnKey, f.ClientPathTD, f.MusicDirTD);
  if (f.MusicDir.isEmpty() || !platform::DirectoryExists(SS(f.MusicDir))) {
    LogClientNotFound(registry);
    dialogs.Message(QStringLiteral("\"Client.exe\" was not found."));
    return false;
  }
  f.HasThirdDawn = !f.MusicDirTD.isEmpty() && platform::DirectoryExists(SS(f.MusicDirTD));
  f.DefaultDir = f.MusicDir + "\\default";
  f.DefaultDirTD = f.MusicDirTD + "\\default";
  return true;
}
