#include "destination.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <random>

#include "errors.h"

namespace arc {

namespace {

bool MakeAll(const std::string &path) {
  if (path.empty()) return false;
  struct stat st {};
  if (stat(path.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
  const size_t slash = path.find_last_of('/');
  if (slash != std::string::npos && slash > 0 && !MakeAll(path.substr(0, slash))) return false;
  return mkdir(path.c_str(), 0777) == 0 || errno == EEXIST;
}

std::string RandomSuffix() {
  static std::mt19937_64 rng{std::random_device{}()};
  static const char kChars[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::string s;
  for (int i = 0; i < 8; ++i) s += kChars[rng() % (sizeof kChars - 1)];
  return s;
}

}  // namespace

Destination::~Destination() {
  if (root_ >= 0) close(root_);
}

bool Destination::Open(const std::string &linuxFolder) {
  if (!MakeAll(linuxFolder)) return false;
  root_ = open(linuxFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  return root_ >= 0;
}

int Destination::OpenFolder(const std::vector<std::string> &parts, size_t count, bool create, int *result) const {
  int fd = dup(root_);
  if (fd < 0) {
    *result = kErrMakeDirectory;
    return -1;
  }
  for (size_t i = 0; i < count; ++i) {
    const char *name = parts[i].c_str();
    int next = openat(fd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (next < 0 && errno == ENOENT && create) {
      if (mkdirat(fd, name, 0777) == 0 || errno == EEXIST)
        next = openat(fd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    }
    close(fd);
    if (next < 0) {
      // ELOOP or ENOTDIR: a link or a file stands where a folder should be.
      *result = create ? kErrMakeDirectory : kErrNotExist;
      return -1;
    }
    fd = next;
  }
  return fd;
}

int Destination::MakeFolders(const std::vector<std::string> &parts) {
  int result = kOk;
  const int fd = OpenFolder(parts, parts.size(), true, &result);
  if (fd >= 0) close(fd);
  return result;
}

std::unique_ptr<PendingFile> Destination::Create(const std::vector<std::string> &parts, int *result) {
  *result = kOk;
  if (parts.empty()) {
    *result = kErrNotFilename;
    return nullptr;
  }
  const int folder = OpenFolder(parts, parts.size() - 1, true, result);
  if (folder < 0) return nullptr;
  for (int attempt = 0; attempt < 16; ++attempt) {
    // Short enough for any name length the file system takes: the target's name is not in it.
    std::string temp = ".mdk-" + RandomSuffix() + ".part";
    const int fd = openat(folder, temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd >= 0) return std::make_unique<PendingFile>(folder, parts.back(), std::move(temp), fd);
    if (errno != EEXIST) break;
  }
  close(folder);
  *result = kErrCannotWrite;
  return nullptr;
}

bool Destination::Exists(const std::vector<std::string> &parts, int64_t *mtime) const {
  if (parts.empty()) return false;
  int result = kOk;
  const int folder = OpenFolder(parts, parts.size() - 1, false, &result);
  if (folder < 0) return false;
  struct stat st {};
  const bool found = fstatat(folder, parts.back().c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0;
  close(folder);
  if (found && mtime) *mtime = st.st_mtim.tv_sec;
  return found;
}

mode_t Umasked(mode_t mode) {
  // The umask can only be read by setting it, which races with other threads creating files;
  // Linux shows it in the process's status.
  mode_t mask = 022;
  if (FILE *status = fopen("/proc/self/status", "re")) {
    char line[256];
    unsigned value = 0;
    while (fgets(line, sizeof line, status))
      if (sscanf(line, "Umask: %o", &value) == 1) {
        mask = static_cast<mode_t>(value);
        break;
      }
    fclose(status);
  }
  return mode & ~mask & 07777;
}

PendingFile::PendingFile(int folderFd, std::string name, std::string tempName, int fd)
    : folder_(folderFd), name_(std::move(name)), temp_(std::move(tempName)), fd_(fd) {}

PendingFile::~PendingFile() {
  if (fd_ >= 0) close(fd_);
  if (!committed_) unlinkat(folder_, temp_.c_str(), 0);
  close(folder_);
}

bool PendingFile::Write(std::span<const uint8_t> data) {
  while (!data.empty()) {
    const ssize_t n = write(fd_, data.data(), data.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data = data.subspan(static_cast<size_t>(n));
    written_ += static_cast<uint64_t>(n);
  }
  return true;
}

int PendingFile::Close(int64_t mtime, mode_t mode) {
  if (fd_ < 0) return kErrCannotWrite;
  fchmod(fd_, mode & 07777 & ~static_cast<mode_t>(S_ISUID | S_ISGID));
  if (mtime >= 0) {
    const timespec times[2] = {{mtime, 0}, {mtime, 0}};
    futimens(fd_, times);
  }
  const bool closed = close(fd_) == 0;
  fd_ = -1;
  return closed ? kOk : kErrCannotWrite;
}

int PendingFile::Place() {
  if (committed_) return kOk;
  struct stat st {};
  if (fstatat(folder_, name_.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0) {
    if (S_ISDIR(st.st_mode)) return kErrCannotWrite;
    // As on Windows: a read-only file is not replaced.
    if (S_ISREG(st.st_mode) && !(st.st_mode & S_IWUSR)) return kErrReadOnly;
  }
  // rename replaces a link of that name itself; it never writes through it.
  if (renameat(folder_, temp_.c_str(), folder_, name_.c_str()) != 0) return kErrCannotWrite;
  committed_ = true;
  return kOk;
}

}  // namespace arc
