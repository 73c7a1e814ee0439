#include "filescan.h"

#include <sys/stat.h>

#include <algorithm>
#include <optional>
#include <set>

#include "core/fileops.h"
#include "core/fullpath.h"
#include "core/text.h"
#include "core/wildcard.h"
#include "core/winpath.h"
#include "errors.h"

namespace arc {

namespace {

bool HasWildcard(const std::string &s) { return s.find_first_of("*?") != std::string::npos; }

std::string JoinWin(const std::string &folder, const std::string &name) {
  if (folder.empty()) return name;
  return folder.back() == '\\' ? folder + name : folder + "\\" + name;
}

std::string JoinStored(const std::string &prefix, const std::string &name) {
  return prefix.empty() ? name : prefix + "/" + name;
}

class Scanner {
 public:
  Scanner(const ScanOptions &o, std::vector<ScanItem> &items) : o_(o), items_(items) {
    struct stat st {};
    if (!o.skipLinuxPath.empty() && stat(o.skipLinuxPath.c_str(), &st) == 0) skip_ = {st.st_dev, st.st_ino};
  }

  // A folder's entries that match namePattern; prefix is the stored path of the folder.
  void Folder(const std::string &winFolder, const std::string &prefix, const std::string &namePattern, bool takeAll,
              size_t depth) {
    if (depth > kMaxScanDepth) return;
    auto entries = platform::ListDirectory(winFolder);
    std::sort(entries.begin(), entries.end(), [](auto &a, auto &b) { return a.name < b.name; });
    for (const auto &e : entries) {
      if (!o_.includeHidden && e.name.starts_with(".")) continue;
      const bool folder = e.attributes & platform::faDirectory;
      const bool link = e.attributes & platform::faSymLink;
      const std::string path = JoinWin(winFolder, e.name);
      const std::string stored = JoinStored(prefix, e.name);
      if (o_.exclusions.Excludes(stored)) continue;
      const bool matches = takeAll || platform::WildcardMatch(namePattern, e.name);
      if (!folder) {
        if (matches) AddFile(path, stored, e);
        continue;
      }
      // A linked folder is not entered: it could lead round in a circle.
      if (link || o_.recursion == 0) continue;
      const bool all = takeAll || (o_.recursion == 2 && matches);
      const size_t before = items_.size();
      if (all && o_.storePaths && o_.folderEntries) AddFolder(path, stored, e);
      Folder(path, o_.storePaths ? stored : "", namePattern, all, depth + 1);
      // Folders come before their contents; one that gave nothing but a pattern match
      // (not "everything below") is dropped again.
      if (!all && items_.size() > before && o_.storePaths && o_.folderEntries) InsertFolder(before, path, stored, e);
    }
  }

  void Single(const std::string &winPath, const std::string &stored) {
    const std::string linux = platform::ToLinux(winPath);
    struct stat st {};
    if (linux.empty() || stat(linux.c_str(), &st) != 0) return;
    platform::DirEntry e;
    e.name = platform::ExtractFileName(winPath);
    e.size = static_cast<uint64_t>(st.st_size);
    e.modified = st.st_mtim.tv_sec;
    e.attributes = platform::GetAttributes(winPath).value_or(platform::faArchive);
    if (S_ISDIR(st.st_mode)) {
      if (o_.recursion == 0) return;
      if (o_.storePaths && o_.folderEntries) AddFolder(winPath, stored, e);
      Folder(winPath, o_.storePaths ? stored : "", "*", true, 1);
    } else {
      AddFile(winPath, stored, e);
    }
  }

 private:
  ScanItem Make(const std::string &winPath, const std::string &stored, const platform::DirEntry &e, bool folder) {
    ScanItem item;
    item.linuxPath = platform::ToLinux(winPath);
    item.storedName = stored;
    item.isFolder = folder;
    item.size = folder ? 0 : e.size;
    item.mtime = e.modified;
    item.attributes = e.attributes & 0x3F;
    return item;
  }

  void AddFile(const std::string &winPath, const std::string &stored, const platform::DirEntry &e) {
    const std::string name = o_.storePaths ? stored : e.name;
    ScanItem item = Make(winPath, name, e, false);
    struct stat st {};
    if (stat(item.linuxPath.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return;
    if (skip_ && skip_->first == st.st_dev && skip_->second == st.st_ino) return;
    if (!seen_.insert(platform::FoldCase(name)).second) return;
    items_.push_back(std::move(item));
  }

  void AddFolder(const std::string &winPath, const std::string &stored, const platform::DirEntry &e) {
    if (!seen_.insert(platform::FoldCase(stored) + "/").second) return;
    items_.push_back(Make(winPath, stored, e, true));
  }

  void InsertFolder(size_t at, const std::string &winPath, const std::string &stored, const platform::DirEntry &e) {
    if (!seen_.insert(platform::FoldCase(stored) + "/").second) return;
    items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(at), Make(winPath, stored, e, true));
  }

  const ScanOptions &o_;
  std::vector<ScanItem> &items_;
  std::set<std::string> seen_;
  std::optional<std::pair<dev_t, ino_t>> skip_;
};

}  // namespace

int ScanFiles(const std::string &baseFolder, const std::vector<std::string> &patterns, const ScanOptions &options,
              std::vector<ScanItem> &items) {
  std::string base = platform::ExpandFileName(baseFolder.empty() ? "." : baseFolder);
  while (base.size() > 3 && base.back() == '\\') base.pop_back();
  const std::vector<std::string> all = patterns.empty() ? std::vector<std::string>{"*"} : patterns;
  Scanner scanner(options, items);
  for (std::string pattern : all) {
    for (char &c : pattern)
      if (c == '/') c = '\\';
    const bool absolute = (pattern.size() > 1 && pattern[1] == ':') || pattern.starts_with("\\");
    std::string full = platform::ExpandFileName(absolute ? pattern : JoinWin(base, pattern));
    // Stored relative to the base where the file lies below it, else under its own name.
    std::string relative;
    const std::string baseSlash = base.back() == '\\' ? base : base + "\\";
    if (platform::FoldCase(full).starts_with(platform::FoldCase(baseSlash))) relative = full.substr(baseSlash.size());
    else relative = platform::ExtractFileName(full);
    for (char &c : relative)
      if (c == '\\') c = '/';
    const size_t slash = relative.find_last_of('/');
    const std::string storedFolder = slash == std::string::npos ? "" : relative.substr(0, slash);
    const std::string name = platform::ExtractFileName(full);
    const std::string folder = full.substr(0, full.size() - name.size());
    if (HasWildcard(name)) scanner.Folder(folder, options.storePaths ? storedFolder : "", name, false, 0);
    else scanner.Single(full, relative);
  }
  return items.empty() ? kErrNotFindFile : kOk;
}

}  // namespace arc
