// The command entry of libzip32j.so: adding (empty command letter), "-d" delete, "-f"
// freshen and "-A" offset fixing, with the switches the ZIP driver sends.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "arcapi.h"
#include "output.h"

namespace zip {

struct ZipCommand {
  char op = 'a';              // 'a' add, 'd' delete, 'f' freshen, 'A' fix offsets
  bool hidden = false;        // -S: hidden and system files too
  bool folderEntries = true;  // -D: none
  bool recurse = false;       // -r
  bool update = false;        // -u: only absent or newer files
  bool junkPaths = false;     // -j
  bool newestTime = false;    // -o: the archive takes its newest entry's time
  int level = -1;             // -0 .. -9
  std::string archive, folder;
  std::vector<std::string> files;
};

// kErrCommandName for a line that is no ZIP command; kErrResponseRead for an unreadable "@" file.
int ParseZipCommand(std::string_view line, ZipCommand &out);
int RunZip(const ZipCommand &cmd, ARC_HWND progress, arc::Output &out);
// Moves the offsets of an archive with a self-extractor's code in front so that they count
// from the file's start.
int FixOffsets(const std::string &windowsPath);

}  // namespace zip
