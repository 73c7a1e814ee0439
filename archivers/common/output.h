// The output buffer of a command: text the caller shows or ignores, always NUL-terminated,
// cut where it would overflow.
#pragma once

#include <cstdint>
#include <string>

namespace arc {

class Output {
 public:
  Output(char *buffer, uint32_t size) : buffer_(buffer), size_(buffer ? size : 0) {
    if (size_ > 0) buffer_[0] = '\0';
  }
  void Line(const std::string &text) { Append(text + "\n"); }
  void Append(const std::string &text);

 private:
  char *buffer_;
  uint32_t size_;
  uint32_t used_ = 0;
};

}  // namespace arc
