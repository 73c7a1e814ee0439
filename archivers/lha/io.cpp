#include "io.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace lha {

std::size_t SpanSource::read(std::span<std::uint8_t> buf) {
  std::size_t n = std::min(buf.size(), data_.size());
  if (n) std::memcpy(buf.data(), data_.data(), n);
  data_ = data_.subspan(n);
  return n;
}

std::size_t CallbackSource::read(std::span<std::uint8_t> buf) {
  if (failed_) return 0;
  long n = fn_(buf);
  if (n < 0 || static_cast<std::size_t>(n) > buf.size()) {
    failed_ = true;
    return 0;
  }
  return static_cast<std::size_t>(n);
}

long MemoryInput::readAt(std::uint64_t offset, std::span<std::uint8_t> buf) const {
  if (offset >= data_.size()) return 0;
  std::size_t n = std::min<std::uint64_t>(buf.size(), data_.size() - offset);
  std::memcpy(buf.data(), data_.data() + offset, n);
  return static_cast<long>(n);
}

FdInput::FdInput(int fd) : fd_(fd) {
  struct stat st;
  if (fd >= 0 && fstat(fd, &st) == 0) size_ = st.st_size;
}

long FdInput::readAt(std::uint64_t offset, std::span<std::uint8_t> buf) const {
  std::size_t done = 0;
  while (done < buf.size()) {
    ssize_t n = pread(fd_, buf.data() + done, buf.size() - done, static_cast<off_t>(offset + done));
    if (n < 0) {
      if (errno == EINTR) continue;
      return -1;
    }
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  return static_cast<long>(done);
}

std::size_t RangeSource::read(std::span<std::uint8_t> buf) {
  if (failed_ || left_ == 0) return 0;
  std::size_t want = std::min<std::uint64_t>(buf.size(), left_);
  long n = in_.readAt(pos_, buf.first(want));
  if (n < 0) failed_ = true;
  if (n <= 0) {  // a header that promised more bytes than the input has ends the stream early
    left_ = 0;
    return 0;
  }
  pos_ += static_cast<std::uint64_t>(n);
  left_ -= static_cast<std::uint64_t>(n);
  return static_cast<std::size_t>(n);
}

}  // namespace lha
