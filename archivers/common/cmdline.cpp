#include "cmdline.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/winpath.h"
#include "errors.h"
#include "regularfile.h"

namespace arc {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

bool ReadSmallFile(const std::string &linuxPath, std::size_t limit, std::string &out) {
  if (linuxPath.empty()) return false;
  const int fd = OpenRegularFile(linuxPath);
  if (fd < 0) return false;
  struct stat st {};
  bool ok = fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && static_cast<std::size_t>(st.st_size) <= limit;
  out.clear();
  char buf[65536];
  while (ok) {
    const ssize_t n = read(fd, buf, sizeof buf);
    if (n < 0) ok = false;
    if (n <= 0) break;
    out.append(buf, static_cast<std::size_t>(n));
    // The file may grow while it is read.
    if (out.size() > limit) ok = false;
  }
  close(fd);
  return ok;
}

bool SplitCommandLine(std::string_view line, std::vector<Piece> &out) {
  out.clear();
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i >= line.size()) break;
    Piece piece;
    bool inQuotes = false;
    bool started = false;
    while (i < line.size() && (inQuotes || !IsBlank(line[i]))) {
      if (line[i] == '"') {
        inQuotes = !inQuotes;
        piece.quoted = true;
      } else {
        piece.text += line[i];
      }
      started = true;
      ++i;
    }
    if (inQuotes) return false;
    // A lone "" is an empty name; the callers refuse it where a name is needed.
    if (started) out.push_back(std::move(piece));
  }
  return true;
}

bool ReadResponseFile(const std::string &windowsPath, std::vector<std::string> &names) {
  std::string data;
  if (!ReadSmallFile(platform::ToLinux(windowsPath), kMaxResponseFile, data)) return false;
  std::string_view text = data;
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  // Each line is split on its own, so that a quote left open cannot swallow the next names.
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::vector<Piece> pieces;
    if (!SplitCommandLine(text.substr(start, end - start), pieces)) return false;
    for (auto &p : pieces)
      if (!p.text.empty()) names.push_back(std::move(p.text));
    start = end + 1;
  }
  return true;
}

bool ExpandResponseFiles(const std::vector<std::string> &in, std::vector<std::string> &out) {
  for (const auto &name : in) {
    if (name.size() > 1 && name[0] == '@') {
      if (!ReadResponseFile(name.substr(1), out)) return false;
    } else {
      out.push_back(name);
    }
  }
  return true;
}

int SplitNames(const std::vector<std::string> &names, std::string &archive, std::string &folder,
               std::vector<std::string> &files) {
  if (names.empty() || names[0].empty() || names[0][0] == '@') return kErrCommandName;
  archive = names[0];
  size_t next = 1;
  if (next < names.size() && (names[next].back() == '\\' || names[next].back() == '/') && names[next][0] != '@')
    folder = names[next++];
  const std::vector<std::string> rest(names.begin() + static_cast<std::ptrdiff_t>(next), names.end());
  return ExpandResponseFiles(rest, files) ? kOk : kErrResponseRead;
}

}  // namespace arc
