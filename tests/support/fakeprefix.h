// Fake Wine prefixes with the game installed: system.reg and user.reg with the clients' keys, dosdevices
// links, the client executables and the 49 music files. For tests and the demo.
#pragma once

#include <string>
#include <vector>

namespace testsupport {

// A client that plays digital music, registered in the prefix.
struct FakeDigitalGame {
  enum Hive { Machine, User };  // system.reg (HKEY_LOCAL_MACHINE) or user.reg (HKEY_CURRENT_USER)
  std::string key = "Software\\Electronic Arts\\EA Games\\Ultima Online Classic";
  std::string dir = "C:\\Program Files (x86)\\Electronic Arts\\Ultima Online Classic";
  std::string exe;  // when set, the key's value is ExePath naming dir\exe; else InstallDir naming dir
  Hive hive = Machine;
  std::string music = "Music\\Digital";  // relative to dir, as spelled on disk; empty: none
  bool index = true;                     // Config.txt in music
};

struct FakePrefixOptions {
  bool win64 = false;       // "#arch=win64", keys under Software\Wow6432Node
  bool firstClient = true;  // the first client's registry key
  bool firstExe = true;     // the file "ExePath" names exists
  bool firstMusic = true;   // its music folder exists (with the 49 tunes)
  bool thirdDawn = false;   // the Third Dawn client, complete
  std::string firstDir = "C:\\Program Files\\Ultima Online";
  std::string thirdDawnDir = "C:\\Program Files\\Ultima Online Third Dawn";
  std::string firstExeName = "client.exe";
  std::string thirdDawnExeName = "uotd.exe";
  std::vector<FakeDigitalGame> digitalGames;
  // The first client's folder also holds digital music there, relative to firstDir
  // ("music\\Digital": on a case-sensitive disk, beside the MIDI files in the same folder).
  std::string firstDigital;
};

struct FakePrefix {
  std::string root;       // Linux folder of the prefix
  std::string clientExe;  // Windows paths
  std::string musicDir;
  std::string clientExeTD;
  std::string musicDirTD;
};

// The 49 file names of the game's music folder, in the game's order.
const std::vector<std::string> &GameMusicFiles();

// Builds the prefix under linuxDir (created when missing). The drive C: is <linuxDir>/drive_c,
// Z: is "/". Does not change the process's path namespace; see UseFakePrefix.
FakePrefix MakeFakePrefix(const std::string &linuxDir, const FakePrefixOptions &options = {});

// Points $WINEPREFIX and the process's path namespace at the prefix.
void UseFakePrefix(const FakePrefix &prefix);

// Writes the registry text for the options (exposed for registry tests).
std::string SystemRegText(const FakePrefixOptions &options);
std::string UserRegText(const FakePrefixOptions &options);

// The MP3 tracks (a few bytes each, names in mixed case) of a digital client's music folder,
// with its index Config.txt when index; the folder is made.
const std::vector<std::string> &DigitalMusicFiles();
void MakeDigitalMusic(const std::string &linuxFolder, bool index = true);

}  // namespace testsupport
