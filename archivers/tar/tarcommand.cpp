#include "tarcommand.h"

#include <cctype>

#include "cmdline.h"
#include "errors.h"

namespace tar {

namespace {

bool Level(std::string_view digits, int &level) {
  if (digits.empty()) return true;
  if (digits.size() != 1 || !std::isdigit(static_cast<unsigned char>(digits[0]))) return false;
  level = digits[0] - '0';
  return true;
}

}  // namespace

int ParseTarCommand(std::string_view line, TarCommand &c) {
  c = TarCommand{};
  std::vector<arc::Piece> pieces;
  if (!arc::SplitCommandLine(line, pieces) || pieces.empty()) return arc::kErrCommandName;
  std::string letter = pieces[0].text;
  if (letter.starts_with("-")) letter.erase(0, 1);
  if (letter != "x" && letter != "c" && letter != "t" && letter != "e") return arc::kErrCommandName;
  c.letter = letter == "e" ? 'x' : letter[0];
  std::vector<std::string> names;
  for (size_t i = 1; i < pieces.size(); ++i) {
    const std::string &t = pieces[i].text;
    if (!arc::IsSwitch(pieces[i])) {
      if (!t.empty()) names.push_back(t);
      continue;
    }
    auto value = [&](std::string &into) {
      if (i + 1 >= pieces.size()) return false;
      into = pieces[++i].text;
      return true;
    };
    if (t == "-f") {
      if (!value(c.archive)) return arc::kErrCommandName;
    } else if (t == "-o") {
      if (!value(c.folder)) return arc::kErrCommandName;
    } else if (t == "-AH") {
      c.hidden = true;
    } else if (t.starts_with("--use-directory=")) {
      c.keepFolders = t.substr(16) != "0";
    } else if (t.starts_with("-z") && !t.starts_with("--")) {
      c.compression = Compression::Gzip;
      if (!Level(std::string_view(t).substr(2), c.level)) return arc::kErrCommandName;
    } else if (t.starts_with("-B")) {
      c.compression = Compression::Bzip2;
      if (!Level(std::string_view(t).substr(2), c.level)) return arc::kErrCommandName;
    } else if (t == "-Z") {
      c.compression = Compression::Compress;
    }
    // "-I", "-g", "--display-dialog=", "--check-all-path=" and the like change nothing here:
    // there are no dialogs, and every path is always checked.
  }
  // Without "-f" the archive is the first name, as tar tools take it.
  size_t next = 0;
  if (c.archive.empty()) {
    if (names.empty()) return arc::kErrCommandName;
    c.archive = names[next++];
  }
  if (c.folder.empty() && next < names.size() && (names[next].back() == '\\' || names[next].back() == '/'))
    c.folder = names[next++];
  if (!arc::ExpandResponseFiles({names.begin() + static_cast<std::ptrdiff_t>(next), names.end()}, c.files))
    return arc::kErrResponseRead;
  return arc::kOk;
}

}  // namespace tar
