// A game known by its folder: the digital music it holds, and the game that a path the user
// names stands for (the game folder, its Music or Music\Digital folder, or ClassicUO's
// settings.json). Names on disk compare without regard to case, as the clients find them.
#pragma once

#include <QString>
#include <optional>

#include "games.h"

// The folder's digital music: <folder>\Music\Digital when it exists, else <folder>\Music when it
// holds MP3 files and a Config.txt; empty when neither. Spelled as on disk.
QString DigitalMusicDir(const QString &folder);

// The game of a folder (a Windows path) holding digital music, named name (else as the folder);
// null when the folder has no music set. The MIDI set comes from the registry only.
std::optional<TGame> GameOfFolder(const QString &folder, const QString &name = QString());

// One install: both folders exist and are one, or (when either is missing) are spelled alike.
bool SameFolder(const QString &a, const QString &b);

// What a path the user names turned out to be.
struct TGameLookup {
  enum Kind { None, NotFound, NoMusic, NotSettings, SettingsUnreadable, SettingsWithoutFolder };
  std::optional<TGame> Game;  // set when Problem is None
  Kind Problem = None;
  QString Path;      // the path the problem is about (a Windows path)
  QString Settings;  // the settings.json that named Path, when one did
};

// windowsPath: a game folder, its Music or Music\Digital folder, a folder holding ClassicUO's
// settings.json, or that file itself.
TGameLookup LookUpGame(const QString &windowsPath);

// The command line's game argument: a Linux path or a Windows path of the prefix.
TGameLookup LookUpGameArgument(const QString &argument);

// Why a path is not a game: for the window (Japanese) and for the command line (English).
QString GameLookupText(const TGameLookup &lookup);
QString GameLookupLine(const TGameLookup &lookup);
