// The files a packing command names: patterns relative to a base folder (or absolute), with
// the recursion modes of the command lines, turned into the names they are stored under.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "wildcard.h"

namespace arc {

struct ScanOptions {
  // 0: the pattern's own folder only; 1: the pattern's file name in every folder below;
  // 2: as 1, and a folder the pattern names is taken with everything in it.
  int recursion = 0;
  bool storePaths = true;      // false: every file is stored under its name alone
  bool includeHidden = false;  // names beginning with "."
  bool folderEntries = true;   // an entry for each folder stored with a path
  Exclusions exclusions;
  std::string skipLinuxPath;  // the archive being written, never packed into itself
};

struct ScanItem {
  std::string linuxPath;
  std::string storedName;  // UTF-8, "/" between folders
  bool isFolder = false;
  uint64_t size = 0;
  int64_t mtime = 0;
  uint32_t attributes = 0;  // MS-DOS bits as Wine shows them
};

constexpr size_t kMaxScanDepth = 128;

// baseFolder: a Windows folder ("" = the current folder). Returns an arc::Result:
// kErrNotFindFile when nothing at all matched. Items come in a stable order (folders before
// their contents, names sorted) and each stored name once.
int ScanFiles(const std::string &baseFolder, const std::vector<std::string> &patterns, const ScanOptions &options,
              std::vector<ScanItem> &items);

}  // namespace arc
