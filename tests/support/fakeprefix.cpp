#include "fakeprefix.h"

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <stdexcept>

#include "core/winpath.h"
#include "midigen.h"

namespace testsupport {

namespace {

void MakeDirs(const std::string &path) {
  std::string cur;
  size_t i = 0;
  while (i <= path.size()) {
    size_t j = path.find('/', i);
    if (j == std::string::npos) j = path.size();
    cur = path.substr(0, j);
    if (!cur.empty()) mkdir(cur.c_str(), 0777);
    i = j + 1;
  }
}

void WriteFile(const std::string &path, const std::string &data) {
  std::ofstream out(path, std::ios::binary);
  out << data;
  if (!out) throw std::runtime_error("cannot write " + path);
}

// "C:\Program Files\X" → "<root>/drive_c/Program Files/X"
std::string DriveCToLinux(const std::string &root, const std::string &win) {
  std::string rest = win.substr(2);
  for (char &c : rest)
    if (c == '\\') c = '/';
  return root + "/drive_c" + rest;
}

std::string RegEscape(const std::string &s) {
  std::string out;
  for (char c : s) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out;
}

// The key as the hive holds it: a 32-bit program's key of a 64-bit prefix's machine hive lies
// under Software\Wow6432Node; the user's hive is not redirected.
std::string RegKey(const FakePrefixOptions &o, const FakeDigitalGame &g) {
  const std::string software = "Software\\";
  std::string key = g.key;
  if (o.win64 && g.hive == FakeDigitalGame::Machine && key.compare(0, software.size(), software) == 0)
    key = software + "Wow6432Node\\" + key.substr(software.size());
  return key;
}

void DigitalKeys(std::string &text, const FakePrefixOptions &o, FakeDigitalGame::Hive hive) {
  for (const auto &g : o.digitalGames) {
    if (g.hive != hive) continue;
    text += "\n[" + RegEscape(RegKey(o, g)) + "] 1700000000\n#time=1da0f5c7e6b2a10\n";
    if (g.exe.empty()) text += "\"InstallDir\"=\"" + RegEscape(g.dir) + "\"\n";
    else text += "\"ExePath\"=\"" + RegEscape(g.dir + "\\" + g.exe) + "\"\n";
  }
}

}  // namespace

const std::vector<std::string> &DigitalMusicFiles() {
  static const std::vector<std::string> files = {"Turfin.mp3", "Britainpos.mp3", "britain1.MP3", "STONES.mp3",
                                                 "serpents.mp3"};
  return files;
}

void MakeDigitalMusic(const std::string &linuxFolder, bool index) {
  MakeDirs(linuxFolder);
  for (const auto &f : DigitalMusicFiles())
    WriteFile(linuxFolder + "/" + f, std::string("ID3\x03\0\0\0\0\0\0", 10) + "fake track " + f);
  if (index)
    WriteFile(linuxFolder + "/Config.txt",
              "0 turfin\r\n1 turfin,loop\r\n8 stones\r\n9 Britainpos.mp3,loop\r\n10 BRITAIN1\r\n"
              "19 serpents loop\r\nnot a track line\r\n");
}

const std::vector<std::string> &GameMusicFiles() {
  static const std::vector<std::string> files = {
      "approach.mid", "britain1.mid", "britain2.mid", "btcastle.mid", "bucsden.mid",  "cave01.mid",   "combat1.mid",
      "combat2.mid",  "combat3.mid",  "cove.mid",     "create1.mid",  "death.mid",    "dragflit.mid", "dungeon2.mid",
      "dungeon9.mid", "forest_a.mid", "intown01.mid", "jhelom.mid",   "jungle_a.mid", "lbcastle.mid", "linelle.mid",
      "magincia.mid", "minoc.mid",    "moonglow.mid", "mountn_a.mid", "nujelm.mid",   "ocllo.mid",    "oldult01.mid",
      "oldult02.mid", "oldult03.mid", "oldult04.mid", "oldult05.mid", "oldult06.mid", "plains_a.mid", "sailing.mid",
      "samlethe.mid", "serpents.mid", "skarabra.mid", "stones2.mid",  "swamp_a.mid",  "tavern01.mid", "tavern02.mid",
      "tavern03.mid", "tavern04.mid", "trinsic.mid",  "vesper.mid",   "victory.mid",  "wind.mid",     "yew.mid"};
  return files;
}

std::string SystemRegText(const FakePrefixOptions &o) {
  std::string text = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n";
  text += o.win64 ? "#arch=win64\n" : "#arch=win32\n";
  const std::string software = o.win64 ? "Software\\\\Wow6432Node\\\\" : "Software\\\\";
  auto key = [&](const std::string &product, const std::string &exe) {
    text += "\n[" + software + "Origin Worlds Online\\\\" + product + "\\\\1.0] 1700000000\n";
    text += "#time=1da0f5c7e6b2a10\n";
    text += "\"ExePath\"=\"" + RegEscape(exe) + "\"\n";
    text += "\"InstCDPath\"=\"" + RegEscape(exe.substr(0, exe.rfind('\\'))) + "\"\n";
    text += "\"Upgraded\"=dword:00000001\n";
  };
  text +=
      "\n[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion] 1700000000\n\"ProgramFilesDir\"=\"C:\\\\Program "
      "Files\"\n";
  if (o.firstClient) key("Ultima Online", o.firstDir + "\\" + o.firstExeName);
  if (o.thirdDawn) key("Ultima Online Third Dawn", o.thirdDawnDir + "\\" + o.thirdDawnExeName);
  DigitalKeys(text, o, FakeDigitalGame::Machine);
  return text;
}

std::string UserRegText(const FakePrefixOptions &o) {
  std::string text = "WINE REGISTRY Version 2\n;; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n\n";
  text += o.win64 ? "#arch=win64\n" : "#arch=win32\n";
  text += "\n[Software\\\\Wine] 1700000000\n\"Version\"=\"win10\"\n";
  DigitalKeys(text, o, FakeDigitalGame::User);
  return text;
}

FakePrefix MakeFakePrefix(const std::string &linuxDir, const FakePrefixOptions &o) {
  FakePrefix p;
  p.root = linuxDir;
  MakeDirs(linuxDir + "/dosdevices");
  MakeDirs(linuxDir + "/drive_c/windows/system32");
  unlink((linuxDir + "/dosdevices/c:").c_str());
  unlink((linuxDir + "/dosdevices/z:").c_str());
  if (symlink("../drive_c", (linuxDir + "/dosdevices/c:").c_str()) != 0 ||
      symlink("/", (linuxDir + "/dosdevices/z:").c_str()) != 0)
    throw std::runtime_error("cannot link drives in " + linuxDir);
  WriteFile(linuxDir + "/system.reg", SystemRegText(o));
  WriteFile(linuxDir + "/user.reg", UserRegText(o));

  auto install = [&](const std::string &dir, const std::string &exe, bool withExe, bool withMusic, int seed) {
    MakeDirs(DriveCToLinux(linuxDir, dir));
    if (withExe) WriteFile(DriveCToLinux(linuxDir, dir + "\\" + exe), "MZ fake client\n");
    if (withMusic) {
      const std::string music = DriveCToLinux(linuxDir, dir + "\\music");
      MakeDirs(music);
      int i = 0;
      for (const auto &f : GameMusicFiles()) WriteFile(music + "/" + f, MakeMidiTune(seed + i++));
    }
  };
  if (o.firstClient || o.firstExe || o.firstMusic) install(o.firstDir, o.firstExeName, o.firstExe, o.firstMusic, 0);
  p.clientExe = o.firstDir + "\\" + o.firstExeName;
  p.musicDir = o.firstDir + "\\music";
  if (o.thirdDawn) {
    install(o.thirdDawnDir, o.thirdDawnExeName, true, true, 100);
    p.clientExeTD = o.thirdDawnDir + "\\" + o.thirdDawnExeName;
    p.musicDirTD = o.thirdDawnDir + "\\music";
  }
  for (const auto &g : o.digitalGames) {
    MakeDirs(DriveCToLinux(linuxDir, g.dir));
    if (!g.exe.empty()) WriteFile(DriveCToLinux(linuxDir, g.dir + "\\" + g.exe), "MZ fake client\n");
    if (!g.music.empty()) MakeDigitalMusic(DriveCToLinux(linuxDir, g.dir + "\\" + g.music), g.index);
  }
  if (!o.firstDigital.empty()) MakeDigitalMusic(DriveCToLinux(linuxDir, o.firstDir + "\\" + o.firstDigital));
  return p;
}

void UseFakePrefix(const FakePrefix &prefix) {
  setenv("WINEPREFIX", prefix.root.c_str(), 1);
  platform::SetPaths(platform::PathNamespace::FromPrefix(prefix.root));
}

}  // namespace testsupport
