#include "macbinary.h"

#include <algorithm>

namespace lha {

long long macBinaryDataFork(std::span<const std::uint8_t> h, std::uint64_t totalSize) {
  if (h.size() < 128 || totalSize < 128) return -1;
  // Version 0, the zero bytes of every MacBinary version, a name of 1 to 63 bytes.
  if (h[0] != 0 || h[74] != 0 || h[82] != 0 || h[1] < 1 || h[1] > 63) return -1;
  auto be32 = [&](std::size_t at) {
    return std::uint64_t{h[at]} << 24 | std::uint64_t{h[at + 1]} << 16 | std::uint64_t{h[at + 2]} << 8 | h[at + 3];
  };
  const std::uint64_t data = be32(83), resource = be32(87);
  // A resource fork would be lost; such a file is kept whole.
  if (resource != 0) return -1;
  // The data fork, padded to a multiple of 128 bytes, is all that follows the header.
  if (128 + (data + 127) / 128 * 128 != totalSize) return -1;
  return static_cast<long long>(data);
}

bool MacBinarySink::decide() {
  decided_ = true;
  fork_ = macBinaryDataFork(std::span(header_).first(held_), total_);
  if (fork_ >= 0) return true;
  return next_(std::span(header_).first(held_));
}

bool MacBinarySink::write(std::span<const std::uint8_t> data) {
  if (!decided_) {
    const std::size_t n = std::min(data.size(), header_.size() - held_);
    std::copy_n(data.begin(), n, header_.begin() + held_);
    held_ += n;
    data = data.subspan(n);
    if (held_ < header_.size()) return true;
    if (!decide()) return false;
  }
  if (fork_ < 0) return data.empty() || next_(data);
  // Within the data fork; the padding after it is dropped.
  const auto fork = static_cast<std::uint64_t>(fork_);
  const std::uint64_t keep = passed_ < fork ? std::min<std::uint64_t>(data.size(), fork - passed_) : 0;
  passed_ += data.size();
  return keep == 0 || next_(data.first(keep));
}

bool MacBinarySink::finish() { return decided_ || decide(); }

}  // namespace lha
