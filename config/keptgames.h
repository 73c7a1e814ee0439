// The games the user added and the game last chosen, kept in the settings file (melodeck.ini,
// section "melodeck"): Game1, Game2, … the added games' folders, Game the chosen game's folder,
// as Windows paths. Every other key of the file stays as it is.
#pragma once

#include <QString>
#include <QStringList>

#include "core/inifile.h"

// The kept folders in the order of their numbers, each once (a gap in the numbers loses none).
QStringList ReadKeptGames(const platform::IniFile &settings);
// Replaces the kept folders. Throws platform::EIniFileException when the file can't be written.
void WriteKeptGames(platform::IniFile &settings, const QStringList &folders);
// Adds folder after the kept ones unless it is one of them (SameFolder); true when it was added.
// Throws as WriteKeptGames.
bool KeepGame(platform::IniFile &settings, const QString &folder);

// The chosen game's folder; empty when none was kept.
QString ReadChosenGame(const platform::IniFile &settings);
void WriteChosenGame(platform::IniFile &settings, const QString &folder);  // throws as WriteKeptGames
