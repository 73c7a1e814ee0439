#include "spill.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

namespace lha {
namespace {

// An unnamed file in $TMPDIR (or /tmp): it vanishes with its descriptor.
int openTemporary() {
  const char *env = std::getenv("TMPDIR");
  const std::string dir = env && *env ? env : "/tmp";
  int fd = open(dir.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
  if (fd >= 0 || (errno != EOPNOTSUPP && errno != EISDIR && errno != ENOENT)) return fd;
  std::string path = dir + "/lha-spill-XXXXXX";
  fd = mkostemp(path.data(), O_CLOEXEC);
  if (fd >= 0) unlink(path.c_str());
  return fd;
}

bool writeAll(int fd, std::span<const std::uint8_t> data, std::uint64_t at) {
  while (!data.empty()) {
    const ssize_t n = pwrite(fd, data.data(), data.size(), static_cast<off_t>(at));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data = data.subspan(static_cast<std::size_t>(n));
    at += static_cast<std::uint64_t>(n);
  }
  return true;
}

}  // namespace

SpillBuffer::~SpillBuffer() { clear(); }

bool SpillBuffer::spill() {
  fd_ = openTemporary();
  if (fd_ < 0) return false;
  fileSize_ = memory_.size();
  const bool ok = writeAll(fd_, memory_, 0);
  memory_.clear();
  return ok;
}

bool SpillBuffer::write(std::span<const std::uint8_t> data) {
  if (fd_ < 0 && memory_.size() + data.size() <= limit_) {
    memory_.insert(memory_.end(), data.begin(), data.end());
    return true;
  }
  if (fd_ < 0 && !spill()) return false;
  if (!writeAll(fd_, data, fileSize_)) return false;
  fileSize_ += data.size();
  return true;
}

Error SpillBuffer::replay(const Sink &sink) const {
  if (fd_ < 0) return memory_.empty() || sink(memory_) ? Error::None : Error::Aborted;
  std::vector<std::uint8_t> buf(std::size_t{1} << 16);
  for (std::uint64_t at = 0; at < fileSize_;) {
    const ssize_t n = pread(fd_, buf.data(), buf.size(), static_cast<off_t>(at));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return Error::Io;
    if (!sink(std::span(buf).first(static_cast<std::size_t>(n)))) return Error::Aborted;
    at += static_cast<std::uint64_t>(n);
  }
  return Error::None;
}

void SpillBuffer::clear() {
  memory_.clear();
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
  fileSize_ = 0;
}

}  // namespace lha
