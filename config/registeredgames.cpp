#include "registeredgames.h"

#include <optional>

#include "core/fileops.h"
#include "core/winpath.h"
#include "gamefolder.h"
#include "qtcore/qstr.h"

using platform::QS;
using platform::SS;

namespace {

constexpr char kFirstKey[] = "\\SOFTWARE\\Origin Worlds Online\\Ultima Online\\1.0";
constexpr char kThirdDawnKey[] = "\\SOFTWARE\\Origin Worlds Online\\Ultima Online Third Dawn\\1.0";

struct TDigitalClient {
  const char *key;
  const char *value;
  bool valueIsFile;  // the value names the client's program, in the game's folder
  const char *name;
};

constexpr TDigitalClient kDigitalClients[] = {
    {"\\Software\\Electronic Arts\\EA Games\\Ultima Online Classic", "InstallDir", false, "Ultima Online Classic"},
    {"\\Software\\Electronic Arts\\EA Games\\Ultima Online Stygian Abyss Classic", "InstallDir", false,
     "Ultima Online Stygian Abyss Classic"},
    {"\\Software\\Origin Worlds Online\\Ultima Online\\KR Legacy Beta", "ExePath", true, "Ultima Online KR"},
};

// Reads "ExePath" under key; when it names a file, answers its music folder. Paths are made
// canonical so that they compare equal to the paths the folder tree produces.
void ReadClient(const platform::Registry &registry, const char *key, QString &clientPath, QString &musicDir) {
  clientPath = QS(registry.ReadString32(key, "ExePath").value_or(""));
  if (clientPath.isEmpty() || !platform::FileExists(SS(clientPath))) return;
  clientPath = QS(platform::Paths().Canonical(SS(clientPath)));
  musicDir = QS(platform::ExtractFilePath(SS(clientPath))) + "music";
  if (platform::DirectoryExists(SS(musicDir))) musicDir = QS(platform::Paths().Canonical(SS(musicDir)));
}

QString WithoutTrailingSeparator(QString path) {
  while (path.endsWith('\\')) path.chop(1);
  return path;
}

std::optional<TGame> MidiGameOf(const TRegistryHives &hives) {
  TGameFolders folders = MidiClientFolders(hives.Machine);
  if (!HasMidiClient(folders)) folders = MidiClientFolders(hives.User);
  if (!HasMidiClient(folders)) return std::nullopt;
  return MidiGame(folders);
}

std::optional<TGame> DigitalGame(const platform::Registry &registry, const TDigitalClient &client) {
  const auto value = registry.ReadString32(client.key, client.value);
  if (!value || value->empty()) return std::nullopt;
  const QString folder = client.valueIsFile ? QS(platform::ExtractFilePath(*value)) : QS(*value);
  if (folder.isEmpty()) return std::nullopt;
  return GameOfFolder(folder, QString::fromLatin1(client.name));
}

}  // namespace

TRegistryHives TRegistryHives::Load(const std::string &prefixLinuxDir) {
  return {platform::Registry::LoadSystemReg(prefixLinuxDir), platform::Registry::LoadUserReg(prefixLinuxDir)};
}

TGameFolders MidiClientFolders(const platform::Registry &registry) {
  TGameFolders f;
  ReadClient(registry, kFirstKey, f.ClientPath, f.MusicDir);
  ReadClient(registry, kThirdDawnKey, f.ClientPathTD, f.MusicDirTD);
  f.HasThirdDawn = !f.MusicDirTD.isEmpty() && platform::DirectoryExists(SS(f.MusicDirTD));
  f.DefaultDir = f.MusicDir + "\\default";
  f.DefaultDirTD = f.MusicDirTD + "\\default";
  return f;
}

TGame MidiGame(const TGameFolders &folders) {
  TGame game;
  game.Folder = WithoutTrailingSeparator(QS(platform::ExtractFilePath(SS(folders.ClientPath))));
  game.Name = QStringLiteral("Ultima Online");
  game.Midi = folders;
  game.DigitalDir = DigitalMusicDir(game.Folder);
  return game;
}

bool HasMidiClient(const TGameFolders &f) { return !f.MusicDir.isEmpty() && platform::DirectoryExists(SS(f.MusicDir)); }

std::vector<TGame> RegisteredGames(const TRegistryHives &hives) {
  std::vector<TGame> games;
  if (auto game = MidiGameOf(hives)) games.push_back(*game);
  for (const platform::Registry *hive : {&hives.Machine, &hives.User})
    for (const TDigitalClient &client : kDigitalClients)
      if (auto game = DigitalGame(*hive, client)) AddGame(games, *game);
  return games;
}

size_t AddGame(std::vector<TGame> &games, const TGame &game) {
  for (size_t i = 0; i < games.size(); ++i)
    if (SameFolder(games[i].Folder, game.Folder)) {
      if (!games[i].HasMidi() && game.HasMidi()) games[i].Midi = game.Midi;
      return i;
    }
  games.push_back(game);
  return games.size() - 1;
}

void NameGamesApart(std::vector<TGame> &games) {
  std::vector<bool> shared(games.size(), false);
  for (size_t i = 0; i < games.size(); ++i)
    for (size_t j = i + 1; j < games.size(); ++j)
      if (games[i].Name == games[j].Name) shared[i] = shared[j] = true;
  for (size_t i = 0; i < games.size(); ++i)
    if (shared[i]) games[i].Name += QStringLiteral(" (%1)").arg(games[i].Folder);
}
