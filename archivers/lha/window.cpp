#include "window.h"

#include <algorithm>
#include <cstring>

namespace lha {

Window::Window(unsigned sizeBits, const Sink &sink, std::uint64_t limit)
    : ring_(std::size_t{1} << sizeBits, 0), mask_((1u << sizeBits) - 1), remaining_(limit), sink_(sink) {}

void Window::copyFrom(std::uint32_t start, std::uint32_t len) {
  while (len > 0 && remaining_ > 0) {
    const std::uint32_t s = start & mask_;
    // How far the source trails the output; a piece no longer than that reads no byte
    // written by the same piece.
    std::uint32_t d = (pos_ - s) & mask_;
    if (d == 0) d = size();
    std::uint32_t n = std::min({len, size() - s, size() - pos_, kChunk - pending_});
    if (remaining_ < n) n = static_cast<std::uint32_t>(remaining_);
    if (d == 1) {
      std::memset(&ring_[pos_], ring_[s], n);
    } else {
      n = std::min(n, d);
      std::memmove(&ring_[pos_], &ring_[s], n);
    }
    pos_ = (pos_ + n) & mask_;
    start += n;
    len -= n;
    remaining_ -= n;
    pending_ += n;
    if (pending_ == kChunk) flush();
  }
}

void Window::flush() {
  if (pending_ == 0) return;
  std::uint32_t start = (pos_ - pending_) & mask_;
  std::uint32_t first = std::min(pending_, size() - start);
  std::span<const std::uint8_t> a(ring_.data() + start, first);
  std::span<const std::uint8_t> b(ring_.data(), pending_ - first);
  pending_ = 0;
  crc_.update(a);
  crc_.update(b);
  if (error_ != Error::None) return;
  if (!sink_(a) || (!b.empty() && !sink_(b))) {
    error_ = Error::Aborted;
    remaining_ = 0;
  }
}

Error Window::finish() {
  flush();
  return error_;
}

}  // namespace lha
