#include <cctype>

#include "cmdline.h"
#include "errors.h"
#include "wildcard.h"
#include "zipwrite.h"

namespace zip {

int ParseZipCommand(std::string_view line, ZipCommand &c) {
  c = ZipCommand{};
  std::vector<arc::Piece> pieces;
  if (!arc::SplitCommandLine(line, pieces)) return arc::kErrCommandName;
  std::vector<std::string> names;
  for (const auto &p : pieces) {
    if (!arc::IsSwitch(p)) {
      if (!p.text.empty()) names.push_back(p.text);
      continue;
    }
    if (p.text == "-FF" || p.text == "-F") continue;  // our writer always rebuilds the archive
    // Info-ZIP style: letters may be grouped ("-rS").
    for (char ch : std::string_view(p.text).substr(1)) {
      switch (ch) {
        case 'd':
          c.op = 'd';
          break;
        case 'f':
          c.op = 'f';
          break;
        case 'A':
          c.op = 'A';
          break;
        case 'S':
          c.hidden = true;
          break;
        case 'D':
          c.folderEntries = false;
          break;
        case 'r':
          c.recurse = true;
          break;
        case 'u':
          c.update = true;
          break;
        case 'j':
          c.junkPaths = true;
          break;
        case 'o':
          c.newestTime = true;
          break;
        default:
          if (std::isdigit(static_cast<unsigned char>(ch))) c.level = ch - '0';
          // -v, -q, -k, -J and the rest change nothing in what we write.
          break;
      }
    }
  }
  if (names.empty()) return arc::kErrCommandName;
  if (c.op == 'A') {
    // The driver writes this path unquoted after "-A ": all the rest of the line is the path,
    // blanks and all. A path quoted by another caller loses its quotes.
    const size_t at = line.find("-A ");
    if (at == std::string_view::npos) {
      for (size_t i = 0; i < names.size(); ++i) c.archive += (i ? " " : "") + names[i];
      return arc::kOk;
    }
    std::string_view rest = line.substr(at + 3);
    if (rest.size() >= 2 && rest.front() == '"' && rest.back() == '"') rest = rest.substr(1, rest.size() - 2);
    c.archive = rest;
    return arc::kOk;
  }
  c.archive = names[0];
  size_t next = 1;
  if (next < names.size() && (names[next].back() == '\\' || names[next].back() == '/') && names[next][0] != '@')
    c.folder = names[next++];
  std::vector<std::string> files;
  if (!arc::ExpandResponseFiles({names.begin() + static_cast<std::ptrdiff_t>(next), names.end()}, files))
    return arc::kErrResponseRead;
  for (auto &f : files) {
    f = arc::UnescapeBrackets(f);
    for (char &ch : f)
      if (ch == '/') ch = '\\';
  }
  c.files = std::move(files);
  return arc::kOk;
}

}  // namespace zip
