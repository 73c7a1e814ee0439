// Test access to one archiver library as the program loads it: dlopen from the build's bin/
// folder, every function of one prefix resolved; plus running the peer archivers.
#pragma once

#include <string>
#include <vector>

#include "arcapi.h"

namespace arctest {

class ArcLib {
 public:
  // fileName: "libunlha32.so"; prefix: "Unlha". Fails the current test when something is missing.
  ArcLib(const std::string &fileName, const std::string &prefix, const std::string &commandName = "");
  ~ArcLib();

  ArcCommandFn Command = nullptr;
  ArcOpenArchiveFn OpenArchive = nullptr;
  ArcCloseArchiveFn CloseArchive = nullptr;
  ArcFindFirstFn FindFirst = nullptr;
  ArcFindNextFn FindNext = nullptr;
  ArcCheckArchiveFn CheckArchive = nullptr;
  ArcSetOwnerWindowExFn SetOwnerWindowEx = nullptr;
  ArcKillOwnerWindowExFn KillOwnerWindowEx = nullptr;
  void *Symbol(const std::string &name) const;

  // Runs a command line; output collects the text the library writes.
  int Run(const std::string &line, std::string *output = nullptr);
  // Every entry name FindFirst("*") / FindNext give, or {"<open failed>"}.
  std::vector<std::string> Names(const std::string &windowsArchive);
  std::vector<INDIVIDUALINFO> Records(const std::string &windowsArchive);

 private:
  void *handle_ = nullptr;
};

// "Z:\\tmp\\x" for "/tmp/x": the Windows path of a Linux file through drive Z:, which every
// prefix maps to "/".
std::string Win(const std::string &linuxPath);

// Runs a shell command in folder; returns its exit status. Output is captured into *out.
int Sh(const std::string &command, std::string *out = nullptr, const std::string &folder = "");
// A shell word in single quotes.
std::string Q(const std::string &s);

// Every regular file below folder as "relative/path" → size and a digest of the contents,
// sorted. Names that are not UTF-8 (peers that write code page 932 bytes as they are) are
// decoded from code page 932.
std::vector<std::pair<std::string, std::string>> Tree(const std::string &linuxFolder);

}  // namespace arctest
