#include "atomicfile.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <memory>

namespace platform {

namespace {
constexpr std::string_view kTemporaryTag = ".melodeck-";
constexpr size_t kRandomPart = 6;  // the XXXXXX of mkostemp
}  // namespace

bool IsAtomicFileTemporary(std::string_view name) {
  const size_t tail = kTemporaryTag.size() + kRandomPart;
  if (name.size() < 2 + tail || name[0] != '.') return false;
  if (name.substr(name.size() - tail, kTemporaryTag.size()) != kTemporaryTag) return false;
  for (char c : name.substr(name.size() - kRandomPart))
    if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) return false;
  return true;
}

AtomicFile::AtomicFile(std::string linuxTarget) : target_(std::move(linuxTarget)) {}

AtomicFile::~AtomicFile() {
  if (fd_ >= 0) close(fd_);
  if (!temp_.empty()) unlink(temp_.c_str());
}

bool AtomicFile::Open() {
  const size_t slash = target_.rfind('/');
  const std::string dir = slash == std::string::npos ? "." : target_.substr(0, slash);
  const std::string name = slash == std::string::npos ? target_ : target_.substr(slash + 1);
  std::string pattern = dir + "/." + name + std::string(kTemporaryTag) + "XXXXXX";
  fd_ = mkostemp(pattern.data(), O_CLOEXEC);
  if (fd_ < 0) {
    error_ = errno;
    return false;
  }
  temp_ = pattern;
  return true;
}

bool AtomicFile::Write(std::string_view data) {
  while (!data.empty()) {
    ssize_t n = write(fd_, data.data(), data.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      error_ = n < 0 ? errno : ENOSPC;  // nothing written and no error: the space ran out
      return false;
    }
    data.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

bool AtomicFile::WriteFrom(int in, bool &readFailed) {
  readFailed = false;
  // Any refusal or error of the kernel's copy (another file system, a file it can't copy, a
  // failing disk) leaves the rest to the buffered copy, which tells a read from a write error.
  for (;;) {
    const ssize_t n = copy_file_range(in, nullptr, fd_, nullptr, size_t{1} << 30, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
  }
  char buf[1 << 16];
  for (;;) {
    const ssize_t n = read(in, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) readFailed = true;
    if (n <= 0) return n == 0;
    if (!Write(std::string_view(buf, static_cast<size_t>(n)))) return false;
  }
}

bool AtomicFile::Finish(bool sync) {
  if (fd_ < 0) return false;
  mode_t m;
  struct stat st;
  if (mode_) {
    m = *mode_;
  } else if (stat(target_.c_str(), &st) == 0) {
    m = st.st_mode & 07777;
  } else {
    const mode_t mask = umask(0);
    umask(mask);
    m = 0666 & ~mask;
  }
  const auto step = [this](bool done) {
    if (!done && error_ == 0) error_ = errno;
    return done;
  };
  bool ok = step(fchmod(fd_, m) == 0);
  if (ok && modified_) {
    const timespec times[2] = {{0, UTIME_OMIT}, *modified_};
    ok = step(futimens(fd_, times) == 0);
  }
  // Without a flush of its own the file's writing starts now, so that the caller's sync of the
  // whole batch finds most of it on its way to the disk already.
  if (sync) ok = ok && step(fsync(fd_) == 0);
  else if (ok) sync_file_range(fd_, 0, 0, SYNC_FILE_RANGE_WRITE);
  ok = step(close(fd_) == 0) && ok;
  fd_ = -1;
  finished_ = ok;
  return ok;
}

bool AtomicFile::Place(CommitMode mode) {
  if (!finished_ || temp_.empty()) return false;
  int r;
  if (mode == kNoReplace) {
    r = renameat2(AT_FDCWD, temp_.c_str(), AT_FDCWD, target_.c_str(), RENAME_NOREPLACE);
    if (r != 0 && errno == EINVAL) {  // a file system without RENAME_NOREPLACE
      r = link(temp_.c_str(), target_.c_str());
      if (r == 0) unlink(temp_.c_str());
    }
  } else {
    r = rename(temp_.c_str(), target_.c_str());
  }
  if (r != 0) {
    error_ = errno;
    return false;
  }
  temp_.clear();
  return true;
}

namespace {

// The whole content written over the file from its start, flushed, and the file cut to the
// new length. A crash part way leaves a mixed file: only for a folder that takes no new file.
bool RewriteInPlace(const std::string &target, std::string_view data) {
  const int fd = open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return false;
  struct stat st;
  bool ok = fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  off_t at = 0;
  while (ok && static_cast<size_t>(at) < data.size()) {
    const ssize_t n = pwrite(fd, data.data() + at, data.size() - static_cast<size_t>(at), at);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) ok = false;
    else at += n;
  }
  ok = ok && ftruncate(fd, static_cast<off_t>(data.size())) == 0 && fsync(fd) == 0;
  return close(fd) == 0 && ok;
}

}  // namespace

bool WriteFileAtomically(const std::string &linuxPath, std::string_view data) {
  // A link is followed: the file it points to is the one replaced, and the link stays.
  std::string target = linuxPath;
  if (char *real = realpath(linuxPath.c_str(), nullptr)) {
    target = real;
    free(real);
  }
  struct stat st;
  const bool exists = stat(target.c_str(), &st) == 0;
  if (exists) {
    // Read-only means no owner-write bit, even for root; and a file this user may not write
    // is not replaced just because its folder is writable.
    if (S_ISDIR(st.st_mode) || !(st.st_mode & S_IWUSR)) return false;
    if (faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) return false;
  }
  AtomicFile f(target);
  if (f.Open()) return f.Write(data) && f.Commit();
  // A folder that takes no new file (a read-only program folder) with a writable file in it:
  // the file itself is rewritten.
  if (exists && S_ISREG(st.st_mode) && (errno == EACCES || errno == EPERM)) return RewriteInPlace(target, data);
  return false;
}

size_t WriteFilesTogether(const std::vector<std::pair<std::string, std::string>> &files) {
  // Those before the first that fails are written, flushed and placed as each would be alone.
  std::vector<std::unique_ptr<AtomicFile>> written;
  for (const auto &[path, data] : files) {
    if (path.empty()) break;  // a path that names no file here
    auto file = std::make_unique<AtomicFile>(path);
    if (!file->Open() || !file->Write(data)) break;
    written.push_back(std::move(file));
  }
  // The first flush commits the file system's journal for all of them; the others find
  // little left to do.
  size_t flushed = 0;
  while (flushed < written.size() && written[flushed]->Finish(true)) ++flushed;
  size_t placed = 0;
  while (placed < flushed && written[placed]->Place()) ++placed;
  return placed;
}

}  // namespace platform
