// Bytes kept until they can be written: in memory up to a limit, beyond it in an unnamed
// temporary file, so an entry's packed data can wait for its header whatever its size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "error.h"
#include "io.h"

namespace lha {

class SpillBuffer {
 public:
  explicit SpillBuffer(std::size_t memoryLimit = std::size_t{8} << 20) : limit_(memoryLimit) {}
  ~SpillBuffer();
  SpillBuffer(const SpillBuffer &) = delete;
  SpillBuffer &operator=(const SpillBuffer &) = delete;

  // False when the temporary file cannot be made or written.
  bool write(std::span<const std::uint8_t> data);
  std::uint64_t size() const { return fd_ >= 0 ? fileSize_ : memory_.size(); }
  // Hands everything written, in order, to the sink: Error::Aborted when the sink refuses,
  // Error::Io when the temporary file cannot be read.
  Error replay(const Sink &sink) const;
  // Empty again; the temporary file goes.
  void clear();

 private:
  bool spill();
  std::size_t limit_;
  std::vector<std::uint8_t> memory_;
  int fd_ = -1;
  std::uint64_t fileSize_ = 0;
};

}  // namespace lha
