#include "window.h"

#include <algorithm>

namespace lha {

Window::Window(unsigned sizeBits, const Sink& sink, std::uint64_t limit)
    : ring_(std::size_t{1} << sizeBits, 0), mask_((1u << sizeBits) - 1), remaining_(limit),
      sink_(sink) {}

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
