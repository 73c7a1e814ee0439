// Command lines as the archiver interface sends them: pieces separated by blanks, double quotes
// around pieces that hold blanks, a backslash always literal (a folder piece ends in "\"" as
// "C:\dir\"), and "@file" naming a response file with one quoted name per line.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace arc {

struct Piece {
  std::string text;  // without its quotes
  bool quoted = false;
};

// Splits a line into pieces. Quotes may open and close anywhere inside a piece ("-w"C:\a b\"
// is one piece). False for a quote left open: the line is malformed and nothing is run.
bool SplitCommandLine(std::string_view line, std::vector<Piece> &out);

// Reads the names of a response file (a Windows path); UTF-8, optional byte-order mark, names
// separated by blanks or line ends, quoted where needed. False when the file cannot be read or
// is larger than kMaxResponseFile.
constexpr std::size_t kMaxResponseFile = 16u << 20;
bool ReadResponseFile(const std::string &windowsPath, std::vector<std::string> &names);

// Reads a regular file of at most limit bytes.
bool ReadSmallFile(const std::string &linuxPath, std::size_t limit, std::string &out);

// A switch piece: "-x1", "--check-all-path=1", also "/x" is not one (Linux names start with "/").
inline bool IsSwitch(const Piece &p) { return p.text.size() > 1 && p.text[0] == '-'; }

// The piece after the first: names of files, with "@file" pieces replaced by the names they
// hold. False when a response file cannot be read.
bool ExpandResponseFiles(const std::vector<std::string> &in, std::vector<std::string> &out);

// The names after a command's switches: the archive, an optional folder (a piece ending in
// "\" or "/"), then files with "@" response files read. kErrCommandName without an archive,
// kErrResponseRead for an unreadable response file.
int SplitNames(const std::vector<std::string> &names, std::string &archive, std::string &folder,
               std::vector<std::string> &files);

}  // namespace arc
