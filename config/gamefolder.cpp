#include "gamefolder.h"

#include <QCoreApplication>

#include "classicuosettings.h"
#include "core/fileops.h"
#include "core/fullpath.h"
#include "core/winpath.h"
#include "qtcore/qstr.h"

using platform::QS;
using platform::SS;

namespace {

constexpr char kSettingsJson[] = "settings.json";

bool NameIs(const QString &path, const char *name) {
  return QS(platform::ExtractFileName(SS(path))).compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
}

// The path as the program spells it: absolute, as on disk where it exists, no trailing "\".
QString Canonical(const QString &windowsPath) {
  // "C:" alone would be the current folder of the drive; a folder stored without its trailing
  // "\" at a drive's root means the root.
  const bool driveOnly = windowsPath.size() == 2 && windowsPath[1] == ':';
  QString path =
      QS(platform::Paths().Canonical(platform::ExpandFileName(SS(driveOnly ? windowsPath + "\\" : windowsPath))));
  while (path.endsWith('\\')) path.chop(1);
  return path;
}

QString Parent(const QString &path) {
  QString parent = QS(platform::ExtractFilePath(SS(path)));
  while (parent.endsWith('\\')) parent.chop(1);
  return parent;
}

bool IsFolder(const QString &path) { return platform::DirectoryExists(SS(path + "\\")); }

// Music of an older client: MP3 files and their index side by side.
bool HoldsTracksAndIndex(const QString &music) {
  bool mp3 = false, index = false;
  for (const platform::DirEntry &e : platform::ListDirectory(SS(music))) {
    if (e.attributes & platform::faDirectory) continue;
    const QString name = QS(e.name);
    mp3 = mp3 || name.endsWith(QLatin1String(".mp3"), Qt::CaseInsensitive);
    index = index || name.compare(QLatin1String("Config.txt"), Qt::CaseInsensitive) == 0;
  }
  return mp3 && index;
}

TGameLookup Problem(TGameLookup::Kind kind, const QString &path, const QString &settings = QString()) {
  TGameLookup lookup;
  lookup.Problem = kind;
  lookup.Path = path;
  lookup.Settings = settings;
  return lookup;
}

TGameLookup Found(const TGame &game) {
  TGameLookup lookup;
  lookup.Game = game;
  return lookup;
}

// A folder the user names, or the game above its Music or Music\Digital folder.
TGameLookup LookUpFolder(const QString &folder) {
  if (auto game = GameOfFolder(folder)) return Found(*game);
  const QString parent = Parent(folder);
  if (NameIs(folder, "Music") && !parent.isEmpty())
    if (auto game = GameOfFolder(parent)) return Found(*game);
  if (NameIs(folder, "Digital") && NameIs(parent, "Music") && !Parent(parent).isEmpty())
    if (auto game = GameOfFolder(Parent(parent))) return Found(*game);
  return Problem(TGameLookup::NoMusic, folder);
}

TGameLookup LookUpSettings(const QString &json) {
  const auto bytes = platform::ReadWholeFile(SS(json));
  if (!bytes) return Problem(TGameLookup::SettingsUnreadable, json);
  const TClassicUoFolder named = ReadClassicUoFolder(QByteArray::fromStdString(*bytes));
  if (named.Result == TClassicUoFolder::NotJson) return Problem(TGameLookup::SettingsUnreadable, json);
  if (named.Result == TClassicUoFolder::NoFolder) return Problem(TGameLookup::SettingsWithoutFolder, json);
  const QString folder = Canonical(ClassicUoFolderPath(named.Value, Parent(json)));
  if (!IsFolder(folder)) return Problem(TGameLookup::NotFound, folder, json);
  TGameLookup lookup = LookUpFolder(folder);
  if (!lookup.Game) lookup.Settings = json;
  return lookup;
}

}  // namespace

QString DigitalMusicDir(const QString &folder) {
  const QString digital = folder + "\\Music\\Digital";
  if (IsFolder(digital)) return Canonical(digital);
  const QString music = folder + "\\Music";
  if (IsFolder(music) && HoldsTracksAndIndex(music)) return Canonical(music);
  return QString();
}

std::optional<TGame> GameOfFolder(const QString &folder, const QString &name) {
  if (folder.trimmed().isEmpty()) return std::nullopt;  // not the current folder
  const QString canonical = Canonical(folder);
  if (canonical.isEmpty() || !IsFolder(canonical)) return std::nullopt;
  TGame game;
  game.Folder = canonical;
  game.DigitalDir = DigitalMusicDir(canonical);
  if (!game.HasDigital()) return std::nullopt;
  game.Name = name.isEmpty() ? QS(platform::ExtractFileName(SS(canonical))) : name;
  if (game.Name.isEmpty()) game.Name = canonical;
  return game;
}

bool SameFolder(const QString &a, const QString &b) {
  const std::string idA = platform::FileIdentity(SS(a + "\\")), idB = platform::FileIdentity(SS(b + "\\"));
  if (!idA.empty() && !idB.empty()) return idA == idB;
  return Canonical(a).compare(Canonical(b), Qt::CaseInsensitive) == 0;
}

TGameLookup LookUpGame(const QString &windowsPath) {
  if (windowsPath.trimmed().isEmpty()) return Problem(TGameLookup::NotFound, windowsPath);
  const QString path = Canonical(windowsPath);
  if (platform::FileExists(SS(path)))
    return NameIs(path, kSettingsJson) || path.endsWith(QLatin1String(".json"), Qt::CaseInsensitive)
               ? LookUpSettings(path)
               : Problem(TGameLookup::NotSettings, path);
  if (!IsFolder(path)) return Problem(TGameLookup::NotFound, path);
  TGameLookup lookup = LookUpFolder(path);
  // A ClassicUO folder: its settings name the game's.
  const QString json = path + "\\" + kSettingsJson;
  if (!lookup.Game && platform::FileExists(SS(json))) {
    TGameLookup named = LookUpSettings(json);
    if (named.Game || named.Problem != TGameLookup::SettingsWithoutFolder) return named;
  }
  return lookup;
}

TGameLookup LookUpGameArgument(const QString &argument) {
  const bool windows =
      (argument.size() >= 2 && argument[1] == ':' && argument[0].isLetter()) || argument.startsWith('\\');
  if (windows || argument.isEmpty()) return LookUpGame(argument);
  return LookUpGame(QS(platform::ToWindows(platform::NormalizeLinuxPath(SS(argument)))));
}

QString GameLookupText(const TGameLookup &lookup) {
  QString text;
  switch (lookup.Problem) {
    case TGameLookup::None:
      return QString();
    case TGameLookup::NotFound:
      text = QCoreApplication::translate("Games", "%1\nが見つかりません.");
      break;
    case TGameLookup::NoMusic:
      text = QCoreApplication::translate(
          "Games",
          "%1\nにはゲームの音楽がありません.\n"
          "Ultima Onlineのフォルダ(Music\\Digitalのあるフォルダ)か, ClassicUOのsettings.jsonを選んでください.");
      break;
    case TGameLookup::NotSettings:
      text = QCoreApplication::translate("Games", "%1\nはゲームのフォルダでもClassicUOのsettings.jsonでもありません.");
      break;
    case TGameLookup::SettingsUnreadable:
      text = QCoreApplication::translate("Games", "%1\nをClassicUOの設定として読み込めません.");
      break;
    case TGameLookup::SettingsWithoutFolder:
      text = QCoreApplication::translate("Games", "%1\nにゲームのフォルダ(ultimaonlinedirectory)がありません.");
      break;
  }
  text = text.arg(lookup.Path);
  if (!lookup.Settings.isEmpty())
    text += QCoreApplication::translate("Games", "\n(%1 のultimaonlinedirectory)").arg(lookup.Settings);
  return text;
}

QString GameLookupLine(const TGameLookup &lookup) {
  QString text;
  switch (lookup.Problem) {
    case TGameLookup::None:
      return QString();
    case TGameLookup::NotFound:
      text = QCoreApplication::translate("CliGames", "%1 does not exist");
      break;
    case TGameLookup::NoMusic:
      text = QCoreApplication::translate(
          "CliGames",
          "%1 holds no music of the game (neither Music\\Digital nor MP3 files with a Config.txt in "
          "Music)");
      break;
    case TGameLookup::NotSettings:
      text = QCoreApplication::translate("CliGames", "%1 is neither a game folder nor ClassicUO's settings.json");
      break;
    case TGameLookup::SettingsUnreadable:
      text = QCoreApplication::translate("CliGames", "%1 can't be read as ClassicUO's settings");
      break;
    case TGameLookup::SettingsWithoutFolder:
      text = QCoreApplication::translate("CliGames", "%1 names no game folder (ultimaonlinedirectory)");
      break;
  }
  text = text.arg(lookup.Path);
  if (!lookup.Settings.isEmpty())
    text += QCoreApplication::translate("CliGames", " (the ultimaonlinedirectory of %1)").arg(lookup.Settings);
  return text;
}
