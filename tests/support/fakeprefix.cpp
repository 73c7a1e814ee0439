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

}  // namespace

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
  return p;
}

void UseFakePrefix(const FakePrefix &prefix) {
  setenv("WINEPREFIX", prefix.root.c_str(), 1);
  platform::SetPaths(platform::PathNamespace::FromPrefix(prefix.root));
}

}  // namespace testsupport
