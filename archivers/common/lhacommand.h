// The LHA-style command line: a command letter, switches such as "-r2" "-jm4" "-w\"C:\tmp\"",
// the archive, an optional folder (a piece ending in "\"), then files or "@" response files.
// The LHA and ARJ libraries take it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace arc {

struct LhaCommand {
  char letter = 0;                 // lower case
  std::string archive;             // as given (a Windows path)
  std::string folder;              // destination or base folder, "" when none
  std::vector<std::string> files;  // response files read already

  int attributes = 0;                   // -a: 1 or more packs hidden and system files too
  int overwrite = -1;                   // -c: 1 overwrites without comparing times
  int headerLevel = 2;                  // -h
  int method = -1;                      // -jm: 0 stored, 1 and 2 lh5, 3 lh6, 4 lh7
  int recursion = 0;                    // -r
  int storePaths = 1;                   // -x
  int suppressOverwriteQuestion = 0;    // -jyo
  std::string workFolder;               // -w
  std::vector<std::string> exclusions;  // -jx
  std::vector<std::string> ignored;     // switches of this syntax that change nothing here
};

// Returns an arc::Result: kErrCommandName for a line without a command letter or archive, a
// quote left open, an unknown switch or a switch value that is no number; kErrResponseRead
// when a response file cannot be read.
int ParseLhaCommand(std::string_view line, LhaCommand &out);

}  // namespace arc
