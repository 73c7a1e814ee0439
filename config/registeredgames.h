// The games registered in the Wine prefix: the MIDI clients (the first client and Third Dawn, one
// game) and the clients that play digital music, read from HKEY_LOCAL_MACHINE before
// HKEY_CURRENT_USER, each in the view a 32-bit program has.
#pragma once

#include <string>
#include <vector>

#include "core/registry.h"
#include "games.h"

struct TRegistryHives {
  platform::Registry Machine;  // system.reg
  platform::Registry User;     // user.reg
  static TRegistryHives Load(const std::string &prefixLinuxDir);
};

// The MIDI clients' folders as one hive names them (value ExePath of each client's key, paths as
// on disk). ClientPath and MusicDir are set only when the first client's file exists.
TGameFolders MidiClientFolders(const platform::Registry &registry);
// The folders make a MIDI set: the first client's music folder exists.
bool HasMidiClient(const TGameFolders &folders);
// The game of the MIDI clients' folders: the first client's folder, with the digital music it holds.
TGame MidiGame(const TGameFolders &folders);

// The registered games with a music set, in this order: the MIDI clients' game (its folder may
// also hold digital music), then per hive the Classic, Stygian Abyss and KR clients. A folder
// found twice is one game.
std::vector<TGame> RegisteredGames(const TRegistryHives &hives);

// Adds game to games unless its folder is one of theirs (a MIDI set it brings joins that game);
// answers the game's index.
size_t AddGame(std::vector<TGame> &games, const TGame &game);

// Games of one name are told apart by their folders.
void NameGamesApart(std::vector<TGame> &games);
