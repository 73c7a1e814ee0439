#include "winpath.h"

#include <dirent.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <mutex>
#include <optional>

#include "shortname.h"
#include "text.h"

namespace platform {

namespace {

constexpr std::string_view kUnixPrefix = "\\\\?\\unix";
constexpr std::string_view kDosForbidden = "\\:*?\"<>|";

bool IsSep(char c) { return c == '\\' || c == '/'; }

std::vector<std::string> SplitComponents(std::string_view s) {
  std::vector<std::string> out;
  size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && IsSep(s[i])) ++i;
    size_t j = i;
    while (j < s.size() && !IsSep(s[j])) ++j;
    if (j > i) out.emplace_back(s.substr(i, j - i));
    i = j;
  }
  return out;
}

// Only "/" separates on Linux; "\\" is an ordinary character of a name there.
std::vector<std::string> SplitLinux(std::string_view s) {
  std::vector<std::string> out;
  size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && s[i] == '/') ++i;
    size_t j = s.find('/', i);
    if (j == std::string_view::npos) j = s.size();
    if (j > i) out.emplace_back(s.substr(i, j - i));
    i = j;
  }
  return out;
}

// Applies "." and ".." the way Windows does: ".." never climbs above the root.
std::vector<std::string> Collapse(const std::vector<std::string> &parts) {
  std::vector<std::string> out;
  for (const auto &p : parts) {
    if (p == ".") continue;
    if (p == "..") {
      if (!out.empty()) out.pop_back();
      continue;
    }
    out.push_back(p);
  }
  return out;
}

std::string RealPath(const std::string &p) {
  char buf[PATH_MAX];
  if (realpath(p.c_str(), buf)) return buf;
  return p;
}

bool Exists(const std::string &p) {
  struct stat st;
  return lstat(p.c_str(), &st) == 0;
}

}  // namespace

// Linux name component → Windows name: characters Windows cannot hold move to U+F0xx.
std::string NameToWindows(std::string_view name) {
  if (name.find_first_of(kDosForbidden) == std::string_view::npos) return std::string(name);
  std::string out;
  for (char c : name) {
    if (kDosForbidden.find(c) != std::string_view::npos) AppendUtf8(out, 0xF000 + static_cast<unsigned char>(c));
    else out += c;
  }
  return out;
}

std::string NameToLinux(std::string_view name) {
  if (name.find("\xEF\x80") == std::string_view::npos && name.find("\xEF\x81") == std::string_view::npos)
    return std::string(name);
  std::string out;
  size_t i = 0;
  while (i < name.size()) {
    size_t start = i;
    char32_t c = NextCodePoint(name, i);
    if (c >= 0xF000 && c < 0xF080 && kDosForbidden.find(static_cast<char>(c - 0xF000)) != std::string_view::npos)
      out += static_cast<char>(c - 0xF000);
    else out.append(name.substr(start, i - start));
  }
  return out;
}

namespace {

// Finds an entry of folder dir whose name equals name without case.
std::optional<std::string> FindNoCase(const std::string &dir, const std::string &name) {
  std::unique_ptr<DIR, int (*)(DIR *)> d(opendir(dir.c_str()), closedir);
  if (!d) return std::nullopt;
  const std::string folded = FoldCase(name);
  while (dirent *e = readdir(d.get())) {
    std::string_view n = e->d_name;
    if (n == "." || n == "..") continue;
    if (FoldCase(n) == folded) return std::string(n);
  }
  return std::nullopt;
}

// Finds the entry of folder dir whose Wine alias is alias (a name that has an alias's shape).
std::optional<std::string> FindByWineAlias(const std::string &dir, const std::string &alias) {
  if (!LooksLikeWineShortName(alias)) return std::nullopt;
  std::unique_ptr<DIR, int (*)(DIR *)> d(opendir(dir.c_str()), closedir);
  if (!d) return std::nullopt;
  while (dirent *e = readdir(d.get())) {
    std::string_view n = e->d_name;
    if (n == "." || n == "..") continue;
    if (EqualsNoCase(WineShortName(NameToWindows(n)), alias)) return std::string(n);
  }
  return std::nullopt;
}

bool HasPrefixFolder(const std::string &path, const std::string &root) {
  if (root == "/") return true;
  if (path.size() < root.size() || path.compare(0, root.size(), root) != 0) return false;
  return path.size() == root.size() || path[root.size()] == '/';
}

}  // namespace

std::string CurrentLinuxFolder() {
  char buf[PATH_MAX];
  if (getcwd(buf, sizeof buf)) return buf;
  return "/";
}

std::string NormalizeLinuxPath(std::string_view path) {
  std::string abs =
      (!path.empty() && path[0] == '/') ? std::string(path) : CurrentLinuxFolder() + "/" + std::string(path);
  std::string out;
  for (auto &p : Collapse(SplitLinux(abs))) out += "/" + p;
  return out.empty() ? "/" : out;
}

PathNamespace PathNamespace::FromPrefix(const std::string &prefixDir) {
  PathNamespace ns;
  ns.prefix_ = prefixDir.empty() ? std::string() : NormalizeLinuxPath(prefixDir);
  bool haveZ = false;
  if (!ns.prefix_.empty()) {
    const std::string dosdevices = ns.prefix_ + "/dosdevices";
    for (char letter = 'a'; letter <= 'z'; ++letter) {
      const std::string link = dosdevices + "/" + letter + ":";
      char target[PATH_MAX];
      ssize_t n = readlink(link.c_str(), target, sizeof target - 1);
      std::string root;
      if (n > 0) {
        target[n] = 0;
        root = target[0] == '/' ? std::string(target) : dosdevices + "/" + target;
      } else {
        struct stat st;
        if (stat(link.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) continue;
        root = link;
      }
      root = NormalizeLinuxPath(root);
      const char upper = static_cast<char>(letter - 'a' + 'A');
      ns.drives_.push_back({upper, root, RealPath(root)});
      if (upper == 'Z') haveZ = true;
    }
  }
  if (!haveZ) ns.drives_.push_back({'Z', "/", "/"});
  return ns;
}

PathNamespace PathNamespace::FromEnvironment() {
  if (const char *p = getenv("WINEPREFIX"); p && *p) return FromPrefix(p);
  const char *home = getenv("HOME");
  return FromPrefix(std::string(home && *home ? home : "/") + "/.wine");
}

std::string PathNamespace::ToLinux(std::string_view w) const {
  if (w.empty()) return {};  // no path names no file (not the current folder)
  std::string root;
  std::string_view rest;
  if (w.size() >= kUnixPrefix.size() && w.substr(0, kUnixPrefix.size()) == kUnixPrefix) {
    root = "/";
    rest = w.substr(kUnixPrefix.size());
  } else if (w.size() >= 2 && w[1] == ':' && std::isalpha(static_cast<unsigned char>(w[0]))) {
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(w[0])));
    auto it = std::find_if(drives_.begin(), drives_.end(), [&](const Drive &d) { return d.letter == letter; });
    if (it == drives_.end()) return {};
    root = it->linuxRoot;
    rest = w.substr(2);
  } else if (!w.empty() && IsSep(w[0])) {
    if (w.size() >= 2 && IsSep(w[1])) return {};  // UNC names are not supported
    const std::string cwd = ToWindows(CurrentLinuxFolder());
    return ToLinux(cwd.substr(0, 2) + std::string(w));
  } else {
    std::string cwd = ToWindows(CurrentLinuxFolder());
    if (cwd.empty() || cwd.back() != '\\') cwd += '\\';
    return ToLinux(cwd + std::string(w));
  }
  const std::vector<std::string> parts = Collapse(SplitComponents(rest));
  std::string cur = root == "/" ? "" : root;
  // A path that exists as written needs no search: every folder on the way exists as well.
  std::string asWritten = cur;
  for (const auto &part : parts) asWritten += "/" + NameToLinux(part);
  if (!parts.empty() && Exists(asWritten)) return asWritten;
  bool lookup = true;
  for (const auto &part : parts) {
    const std::string name = NameToLinux(part);
    std::string next = cur + "/" + name;
    if (lookup && !Exists(next)) {
      const std::string dir = cur.empty() ? "/" : cur;
      if (auto found = FindNoCase(dir, name)) next = cur + "/" + *found;
      else if (auto aliased = FindByWineAlias(dir, part)) next = cur + "/" + *aliased;
      else lookup = false;  // the tail does not exist: keep it as written
    }
    cur = std::move(next);
  }
  return cur.empty() ? "/" : cur;
}

std::string PathNamespace::ToWindows(std::string_view linuxPath) const {
  if (linuxPath.empty()) return {};
  const std::string path = NormalizeLinuxPath(linuxPath);
  const Drive *best = nullptr;
  size_t bestLen = 0;
  std::string bestRoot;
  for (const auto &d : drives_) {
    for (const std::string *root : {&d.linuxRoot, &d.realRoot}) {
      if (!HasPrefixFolder(path, *root)) continue;
      const size_t len = *root == "/" ? 0 : root->size();
      if (!best || len > bestLen || (len == bestLen && d.letter < best->letter)) {
        best = &d;
        bestLen = len;
        bestRoot = *root;
      }
    }
  }
  std::string out;
  std::string_view rest;
  if (best) {
    out = std::string(1, best->letter) + ":";
    rest = std::string_view(path).substr(bestLen);
  } else {
    out = std::string(kUnixPrefix);
    rest = path;
  }
  for (const auto &part : SplitLinux(rest)) out += "\\" + NameToWindows(part);
  if (out.size() == 2) out += "\\";
  return out;
}

std::string PathNamespace::Canonical(std::string_view windowsPath) const {
  const std::string linux = ToLinux(windowsPath);
  return linux.empty() ? std::string(windowsPath) : ToWindows(linux);
}

namespace {
std::mutex gPathsMutex;
std::unique_ptr<PathNamespace> gPaths;
}  // namespace

const PathNamespace &Paths() {
  std::lock_guard lock(gPathsMutex);
  if (!gPaths) gPaths = std::make_unique<PathNamespace>(PathNamespace::FromEnvironment());
  return *gPaths;
}

void SetPaths(PathNamespace ns) {
  std::lock_guard lock(gPathsMutex);
  gPaths = std::make_unique<PathNamespace>(std::move(ns));
}

}  // namespace platform
