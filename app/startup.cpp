#include "startup.h"

#include <QCoreApplication>
#include <cstdio>
#include <string>

#include "configstore.h"
#include "gamefolder.h"
#include "keptgames.h"
#include "core/fileops.h"
#include "core/inifile.h"
#include "core/winpath.h"
#include "qtcore/qstr.h"
#include "registeredgames.h"

using platform::QS;
using platform::SS;

namespace {

constexpr char kFirstKey[] = "\\SOFTWARE\\Origin Worlds Online\\Ultima Online\\1.0";
// Written in English, as the command line's texts are; shown in the language chosen.
constexpr char kClientNotFound[] = QT_TRANSLATE_NOOP("EnglishMessages", "\"Client.exe\" was not found.");

// One line for whoever started the program from a terminal: where it looked, and what for.
void LogClientNotFound(const platform::Registry &registry) {
  const QString prefix = QS(platform::Paths().Prefix());
  const QString key = QStringLiteral("HKEY_LOCAL_MACHINE") + QLatin1String(kFirstKey);
  const auto exePath = registry.ReadString32(kFirstKey, "ExePath");
  const QString text =
      exePath ? QCoreApplication::translate("CliStart",
                                            "the client was not found: Wine prefix %1, registry %1/system.reg, value "
                                            "ExePath of %2 (32-bit view) = \"%3\", but that file or the music "
                                            "folder beside it is not there")
                    .arg(prefix, key, QS(*exePath))
              : QCoreApplication::translate("CliStart",
                                            "the client was not found: Wine prefix %1, registry %1/system.reg, value "
                                            "ExePath of %2 (32-bit view) is not there")
                    .arg(prefix, key);
  std::string line = "melodeck: " + SS(text) + "\n";
  // The value is outside data: no control character of it reaches the terminal.
  for (size_t i = 0; i + 1 < line.size(); ++i)
    if (static_cast<unsigned char>(line[i]) < 0x20 || line[i] == '\x7F') line[i] = '?';
  std::fputs(line.c_str(), stderr);
}

// Writes to the settings file; a failure is shown, and the program goes on.
template <typename Write>
void KeepInSettings(platform::Dialogs &dialogs, Write write) {
  try {
    write();
  } catch (const platform::EIniFileException &e) {
    dialogs.Message(QString::fromUtf8(e.what()) + ".", platform::TMsgType::Error);
  }
}

// With no game found: the user may choose the game's folder, until one is a game.
std::optional<TGame> ChooseGameFolder(platform::Dialogs &dialogs) {
  platform::TFileDialogOptions options;
  options.title = QCoreApplication::translate("Startup", "ゲームのフォルダを選択してください");
  for (;;) {
    const QString folder = dialogs.ChooseFolder(options);
    if (folder.isEmpty()) return std::nullopt;
    const TGameLookup lookup = LookUpGame(folder);
    if (lookup.Game) return lookup.Game;
    dialogs.Message(GameLookupText(lookup), platform::TMsgType::Warning);
    options.initialDir = folder;
  }
}

std::optional<size_t> IndexOf(const std::vector<TGame> &games, const QString &folder) {
  if (folder.isEmpty()) return std::nullopt;
  for (size_t i = 0; i < games.size(); ++i)
    if (SameFolder(games[i].Folder, folder)) return i;
  return std::nullopt;
}

}  // namespace

bool AcquireInstance(platform::InstanceLock &lock) {
  return lock.Acquire(kInstanceMutexName) != platform::InstanceLock::kHeldElsewhere;
}

bool ConfirmFirstRun(const QString &programPath, platform::Dialogs &dialogs) {
  const std::string settings = platform::ChangeFileExt(SS(programPath), ".ini");
  if (platform::FileExists(settings)) return true;
  const bool yes =
      dialogs.Message(
          QCoreApplication::translate("Startup",
                                      "MelodeckはUltimaOnlineのMusic(MIDI)ファイルを任意に入れ替えるツールです.\n"
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
  f = MidiClientFolders(registry);
  if (!HasMidiClient(f)) {
    LogClientNotFound(registry);
    dialogs.Message(QCoreApplication::translate("EnglishMessages", kClientNotFound));
    return false;
  }
  return true;
}

std::optional<TGameList> FindGames(const TRegistryHives &hives, const QString &settingsPath,
                                   const std::optional<TGameRequest> &request, platform::Dialogs &dialogs) {
  platform::IniFile settings(SS(settingsPath));
  TGameList list;
  list.Games = RegisteredGames(hives);
  for (const QString &folder : ReadKeptGames(settings))
    if (auto game = GameOfFolder(folder)) AddGame(list.Games, *game);
  std::optional<size_t> chosen;
  if (request) {
    chosen = AddGame(list.Games, request->Game);
    if (request->Keep) KeepInSettings(dialogs, [&] { KeepGame(settings, request->Game.Folder); });
  }
  if (list.Games.empty()) {
    LogClientNotFound(hives.Machine);
    dialogs.Message(QCoreApplication::translate("EnglishMessages", kClientNotFound));
    auto game = ChooseGameFolder(dialogs);
    if (!game) return std::nullopt;
    KeepInSettings(dialogs, [&] {
      KeepGame(settings, game->Folder);
      WriteChosenGame(settings, game->Folder);
    });
    list.Games.push_back(*game);
    chosen = 0;
  }
  if (!chosen) chosen = IndexOf(list.Games, ReadChosenGame(settings));
  if (!chosen)
    for (size_t i = 0; i < list.Games.size() && !chosen; ++i)
      if (list.Games[i].HasMidi()) chosen = i;
  list.Chosen = chosen.value_or(0);
  NameGamesApart(list.Games);
  return list;
}
