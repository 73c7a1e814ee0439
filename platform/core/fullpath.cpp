#include "fullpath.h"

#include <sys/stat.h>

#include <cctype>
#include <vector>

#include "winpath.h"

namespace platform {

namespace {

bool IsSep(char c) { return c == '\\' || c == '/'; }

bool HasDrive(std::string_view p) {
  return p.size() >= 2 && p[1] == ':' && std::isalpha(static_cast<unsigned char>(p[0]));
}

std::string CurrentWindowsFolder() { return ToWindows(CurrentLinuxFolder()); }

}  // namespace

std::string ExpandFileName(std::string_view path) {
  if (path.size() >= 4 && path.substr(0, 4) == "\\\\?\\") return std::string(path);
  std::string root;      // "C:"
  std::string relative;  // what follows the root, starting after its "\"
  if (HasDrive(path)) {
    root = std::string(path.substr(0, 2));
    std::string_view rest = path.substr(2);
    if (!rest.empty() && IsSep(rest[0])) {
      relative = std::string(rest.substr(1));
    } else {
      // Drive-relative: Windows keeps a current folder per drive; we only know the one of
      // the current drive, so any other drive counts from its root.
      const std::string cwd = CurrentWindowsFolder();
      if (cwd.size() >= 2 &&
          std::toupper(static_cast<unsigned char>(cwd[0])) == std::toupper(static_cast<unsigned char>(root[0])))
        relative = cwd.substr(cwd.size() > 3 ? 3 : cwd.size()) + "\\" + std::string(rest);
      else relative = std::string(rest);
    }
  } else {
    const std::string cwd = CurrentWindowsFolder();
    root = cwd.substr(0, 2);
    if (!path.empty() && IsSep(path[0])) relative = std::string(path.substr(1));
    else relative = (cwd.size() > 3 ? cwd.substr(3) + "\\" : std::string()) + std::string(path);
  }
  std::vector<std::string> parts;
  size_t i = 0;
  while (i <= relative.size()) {
    size_t j = i;
    while (j < relative.size() && !IsSep(relative[j])) ++j;
    std::string part = relative.substr(i, j - i);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(std::move(part));
    }
    i = j + 1;
  }
  std::string out = root;
  for (const auto &p : parts) out += "\\" + p;
  const bool trailing = !relative.empty() && IsSep(relative.back());
  if (parts.empty() || trailing) out += "\\";
  return out;
}

std::string FileIdentity(std::string_view windowsPath) {
  const std::string l = ToLinux(windowsPath);
  struct stat st;
  if (l.empty() || stat(l.c_str(), &st) != 0) return {};
  return std::to_string(st.st_dev) + ":" + std::to_string(st.st_ino);
}

}  // namespace platform
