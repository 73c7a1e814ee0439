// Fake Wine prefixes with the game installed: system.reg with the clients' keys, dosdevices
// links, the client executables and the 49 music files. For tests and the demo.
#pragma once

#include <string>
#include <vector>

namespace testsupport {

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

}  // namespace testsupport
