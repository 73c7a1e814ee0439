// The command line of libtar32.so: "x" extract, "c" create, switch and value as separate
// pieces ("-f" "archive", "-o" "folder\").
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "arcapi.h"
#include "output.h"

namespace tar {

enum class Compression { ByName, None, Gzip, Bzip2, Compress };

struct TarCommand {
  char letter = 0;  // 'x', 'c' or 't'
  std::string archive, folder;
  std::vector<std::string> files;
  bool hidden = false;      // -AH: hidden and system files are packed too
  bool keepFolders = true;  // --use-directory=0: without stored folders
  Compression compression = Compression::ByName;
  int level = -1;  // -zN, -BN
};

int ParseTarCommand(std::string_view line, TarCommand &out);
int Extract(const TarCommand &cmd, ARC_HWND progress, arc::Output &out);
int Create(const TarCommand &cmd, ARC_HWND progress, arc::Output &out);

// 1 tar; 2 tar.gz, 3 tar.Z, 4 gzip, 5 compress; 6 tar.bz2, 7 bzip2; 0 anything else.
int ArchiveType(const std::string &windowsPath);

}  // namespace tar
