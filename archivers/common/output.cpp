#include "output.h"

#include <algorithm>
#include <cstring>

namespace arc {

void Output::Append(const std::string &text) {
  if (size_ == 0 || used_ + 1 >= size_) return;
  size_t n = std::min<size_t>(text.size(), size_ - 1 - used_);
  // Never cut a UTF-8 character in half.
  if (n < text.size())
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
  std::memcpy(buffer_ + used_, text.data(), n);
  used_ += static_cast<uint32_t>(n);
  buffer_[used_] = '\0';
}

}  // namespace arc
