#include "fileops.h"

#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <system_error>
#include <thread>
#include <cerrno>
#include <memory>
#include <climits>
#include <cstdlib>

#include "atomicfile.h"
#include "copyfailure.h"
#include "winpath.h"

namespace platform {

namespace {

bool StatFollow(std::string_view path, struct stat &st) {
  const std::string l = ToLinux(path);
  return !l.empty() && stat(l.c_str(), &st) == 0;
}

uint32_t AttributesOf(const struct stat &st, std::string_view name) {
  uint32_t a = 0;
  if (S_ISDIR(st.st_mode)) a |= faDirectory;
  else a |= faArchive;
  if (!(st.st_mode & S_IWUSR)) a |= faReadOnly;
  if (!name.empty() && name[0] == '.') a |= faHidden;
  return a;
}

std::string LinuxName(const std::string &linuxPath) {
  const size_t slash = linuxPath.rfind('/');
  return slash == std::string::npos ? linuxPath : linuxPath.substr(slash + 1);
}

}  // namespace

bool FileExists(std::string_view path) {
  struct stat st;
  return StatFollow(path, st) && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(std::string_view path) {
  struct stat st;
  return StatFollow(path, st) && S_ISDIR(st.st_mode);
}

std::optional<uint32_t> GetAttributes(std::string_view path) {
  const std::string l = ToLinux(path);
  struct stat st;
  if (l.empty() || stat(l.c_str(), &st) != 0) return std::nullopt;
  return AttributesOf(st, LinuxName(l));
}

bool SetReadOnly(std::string_view path, bool readOnly) {
  const std::string l = ToLinux(path);
  struct stat st;
  if (l.empty() || stat(l.c_str(), &st) != 0) return false;
  mode_t mode = st.st_mode & 07777;
  mode = readOnly ? (mode & ~mode_t(S_IWUSR | S_IWGRP | S_IWOTH)) : (mode | S_IWUSR);
  return chmod(l.c_str(), mode) == 0;
}

namespace {
// The copy of from, written beside to and finished (mode and time of the source; flushed when
// sync is set), not yet in place. Null when it can't be made, with the reason in failure.
// Only a regular file is copied: a FIFO or a device is neither waited for nor read.
std::unique_ptr<AtomicFile> WriteCopy(std::string_view from, std::string_view to, bool failIfExists, bool sync,
                                      CopyFailure &failure) {
  const std::string src = ToLinux(from);
  const std::string dst = ToLinux(to);
  failure = CopyFailure::Other;
  if (src.empty()) failure = CopyFailure::SourceMissing;
  if (src.empty() || dst.empty()) return nullptr;
  const int in = OpenCopySource(src, failure);
  if (in < 0) return nullptr;
  struct stat sst, dstat;
  const auto refuse = [&](CopyFailure why) {
    close(in);
    failure = why;
    return nullptr;
  };
  if (fstat(in, &sst) != 0) return refuse(CopyFailure::SourceUnreadable);
  if (stat(dst.c_str(), &dstat) == 0) {
    if (S_ISDIR(dstat.st_mode)) return refuse(CopyFailure::TargetIsFolder);
    if (!(dstat.st_mode & S_IWUSR)) return refuse(CopyFailure::WriteProtected);
    if (failIfExists || (sst.st_ino == dstat.st_ino && sst.st_dev == dstat.st_dev)) return refuse(CopyFailure::Other);
  }
  auto out = std::make_unique<AtomicFile>(dst);
  bool readFailed = false;
  bool ok = out->Open() && out->WriteFrom(in, readFailed);
  if (readFailed) failure = CopyFailure::SourceUnreadable;
  close(in);
  if (ok) {
    out->SetMode(sst.st_mode & 07777);
    out->SetModified(sst.st_mtim);
    ok = out->Finish(sync);
  }
  if (ok) {
    failure = CopyFailure::None;
    return out;
  }
  if (out->Error() != 0) failure = TargetFailure(out->Error());
  return nullptr;
}

// Runs job(0) … job(count - 1) on a few threads; returns when all are done. When no thread can
// be started the calling thread does all of it.
void RunInParallel(size_t count, const std::function<void(size_t)> &job) {
  constexpr size_t kThreads = 4;
  std::atomic<size_t> next{0};
  const auto worker = [&] {
    for (size_t i = next++; i < count; i = next++) job(i);
  };
  std::vector<std::thread> threads;
  try {
    for (size_t t = 1; t < std::min(kThreads, count); ++t) threads.emplace_back(worker);
  } catch (const std::system_error &) {
  }
  worker();
  for (auto &t : threads) t.join();
}
}  // namespace

bool CopyFile(std::string_view from, std::string_view to, bool failIfExists) {
  CopyFailure failure;
  const auto out = WriteCopy(from, to, failIfExists, true, failure);
  return out && out->Place(failIfExists ? AtomicFile::kNoReplace : AtomicFile::kReplace);
}

CopyBatch::CopyBatch() = default;

CopyBatch::~CopyBatch() = default;

bool CopyBatch::Stage(std::string_view from, std::string_view to) {
  CopyFailure failure;
  auto out = WriteCopy(from, to, false, false, failure);
  if (!out) return false;
  staged_.push_back(std::move(out));
  return true;
}

std::vector<bool> CopyBatch::Stage(const std::vector<std::pair<std::string, std::string>> &copies,
                                   std::vector<CopyFailure> *failures) {
  std::vector<std::unique_ptr<AtomicFile>> files(copies.size());
  std::vector<CopyFailure> why(copies.size(), CopyFailure::None);
  RunInParallel(copies.size(),
                [&](size_t i) { files[i] = WriteCopy(copies[i].first, copies[i].second, false, false, why[i]); });
  if (failures) *failures = why;
  std::vector<bool> ok;
  for (auto &file : files) {
    ok.push_back(file != nullptr);
    if (file) staged_.push_back(std::move(file));
  }
  return ok;
}

std::vector<bool> CopyBatch::Place(std::vector<CopyFailure> *failures) {
  // One flush for every staged file: each file system that holds one is synced once. When one
  // fails, nothing is placed: a copy that may not be on the disk never replaces a file.
  std::vector<dev_t> synced;
  bool flushed = true;
  int flushError = 0;
  for (const auto &file : staged_) {
    const std::string folder = file->Target().substr(0, file->Target().rfind('/') + 1);
    struct stat st;
    if (stat(folder.c_str(), &st) != 0) continue;
    if (std::find(synced.begin(), synced.end(), st.st_dev) != synced.end()) continue;
    synced.push_back(st.st_dev);
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const bool done = fd >= 0 && syncfs(fd) == 0;
    if (!done && flushError == 0) flushError = errno;
    flushed = done && flushed;
    if (fd >= 0) close(fd);
  }
  // Freeing a replaced file can wait for the disk (a discard), and a rename would do that while
  // it holds the folder. Each old file is held across its rename instead and let go afterwards
  // on a thread of its own: the copies are in place, and nobody waits for the space.
  std::vector<bool> placed;
  std::vector<int> held;
  if (failures) failures->clear();
  for (const auto &file : staged_) {
    if (flushed) held.push_back(open(file->Target().c_str(), O_PATH | O_CLOEXEC | O_NOFOLLOW));
    placed.push_back(flushed && file->Place(AtomicFile::kReplace));
    if (failures)
      failures->push_back(placed.back() ? CopyFailure::None
                          : flushed     ? TargetFailure(file->Error())
                                        : TargetFailure(flushError));
  }
  staged_.clear();
  const auto release = [](const std::vector<int> &fds) {
    for (int fd : fds)
      if (fd >= 0) close(fd);
  };
  try {
    std::thread(release, held).detach();
  } catch (const std::system_error &) {
    release(held);
  }
  return placed;
}

bool CreateDirectory(std::string_view path) {
  const std::string l = ToLinux(path);
  return !l.empty() && mkdir(l.c_str(), 0777) == 0;
}

bool ForceDirectories(std::string_view path) {
  if (DirectoryExists(path)) return true;
  std::string p(path);
  while (!p.empty() && (p.back() == '\\' || p.back() == '/')) p.pop_back();
  const std::string parent = ExtractFilePath(p);
  if (parent.size() < p.size() && parent.size() > 3 && !ForceDirectories(parent)) return false;
  return CreateDirectory(p) || DirectoryExists(p);
}

bool RemoveDirectory(std::string_view path) {
  const std::string l = ToLinux(path);
  return !l.empty() && rmdir(l.c_str()) == 0;
}

bool DeleteFile(std::string_view path) {
  const std::string l = ToLinux(path);
  struct stat st;
  if (l.empty() || lstat(l.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
  if (!S_ISLNK(st.st_mode) && !(st.st_mode & S_IWUSR)) return false;  // read-only, as on Windows
  return unlink(l.c_str()) == 0;
}

bool MoveFile(std::string_view from, std::string_view to) {
  const std::string src = ToLinux(from);
  const std::string dst = ToLinux(to);
  if (src.empty() || dst.empty()) return false;
  return renameat2(AT_FDCWD, src.c_str(), AT_FDCWD, dst.c_str(), RENAME_NOREPLACE) == 0;
}

std::vector<DirEntry> ListDirectory(std::string_view path) {
  std::vector<DirEntry> out;
  const std::string l = ToLinux(path);
  if (l.empty()) return out;
  DIR *d = opendir(l.c_str());
  if (!d) return out;
  const std::string base = l == "/" ? "" : l;
  while (dirent *e = readdir(d)) {
    std::string_view n = e->d_name;
    if (n == "." || n == "..") continue;
    struct stat st, lst;
    const std::string full = base + "/" + std::string(n);
    if (lstat(full.c_str(), &lst) != 0) continue;
    if (stat(full.c_str(), &st) != 0) st = lst;
    DirEntry entry;
    entry.name = NameToWindows(n);
    entry.attributes = AttributesOf(st, n) | (S_ISLNK(lst.st_mode) ? faSymLink : 0);
    entry.size = S_ISDIR(st.st_mode) ? 0 : static_cast<uint64_t>(st.st_size);
    entry.modified = st.st_mtim.tv_sec;
    out.push_back(std::move(entry));
  }
  closedir(d);
  return out;
}

std::optional<std::string> ReadLinuxFile(const std::string &linuxPath) {
  // Opening a FIFO or a device can wait for a writer for good: the open does not wait, and
  // only a regular file is read.
  const int fd = open(linuxPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return std::nullopt;
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    return std::nullopt;
  }
  // Read in place into one buffer of the file's size (and a byte more, so that the end is seen
  // without growing it): a large file is neither copied twice nor moved as the text grows. A file
  // longer than it said (one of /proc, or one being written) makes the buffer grow.
  std::string out(static_cast<size_t>(st.st_size) + 1, '\0');
  size_t have = 0;
  for (;;) {
    if (have == out.size()) out.resize(out.size() * 2 + 65536);
    const ssize_t n = read(fd, out.data() + have, out.size() - have);
    if (n == 0) break;
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      close(fd);
      return std::nullopt;
    }
    have += static_cast<size_t>(n);
  }
  close(fd);
  out.resize(have);
  return out;
}

std::optional<std::string> ReadWholeFile(std::string_view path) {
  const std::string l = ToLinux(path);
  if (l.empty()) return std::nullopt;
  return ReadLinuxFile(l);
}

std::string TempPath() {
  const char *tmp = getenv("TMPDIR");
  std::string dir = ToWindows(tmp && *tmp ? tmp : "/tmp");
  if (dir.empty() || dir.back() != '\\') dir += '\\';
  constexpr size_t kBuffer = 261;  // characters, terminating NUL included
  if (dir.size() + 1 > kBuffer) return {};
  return dir;
}

std::string ProgramPath() {
  char buf[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return {};
  return ToWindows(std::string(buf, static_cast<size_t>(n)));
}

bool DeleteTree(std::string_view path) {
  if (path.empty()) return false;
  std::string dir(path);
  if (dir.back() != '\\') dir += '\\';
  for (const DirEntry &entry : ListDirectory(dir)) {
    const std::string full = dir + entry.name;
    if (entry.attributes & faSymLink) DeleteFile(full);
    else if (entry.attributes & faDirectory) DeleteTree(full);
    else if (!(entry.attributes & faVolumeID)) DeleteFile(full);
  }
  return RemoveDirectory(path);
}

namespace {
// Position just after the last "\" or ":" of a Windows path; UTF-8 never puts these bytes
// inside a multibyte character, so a byte search is a character search here.
size_t NameStart(std::string_view path) {
  const size_t p = path.find_last_of("\\:");
  return p == std::string_view::npos ? 0 : p + 1;
}
}  // namespace

std::string ExtractFilePath(std::string_view path) { return std::string(path.substr(0, NameStart(path))); }

std::string ExtractFileName(std::string_view path) { return std::string(path.substr(NameStart(path))); }

std::string ChangeFileExt(std::string_view path, std::string_view ext) {
  const size_t start = NameStart(path);
  const size_t dot = path.rfind('.');
  const size_t cut = (dot == std::string_view::npos || dot < start) ? path.size() : dot;
  return std::string(path.substr(0, cut)) + std::string(ext);
}

}  // namespace platform
