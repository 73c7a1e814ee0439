// MacLHA packs a Macintosh file as MacBinary: a 128-byte header (name, type, creator, fork
// lengths), the data fork padded to 128 bytes, then the resource fork. On other systems only
// the data fork is the file.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "io.h"

namespace lha {

// OS id of MacLHA's level 1 and 2 headers.
constexpr std::uint8_t kOsMacintosh = 'm';

// The data fork's length when header (the first 128 bytes) is a MacBinary header that
// describes a file of totalSize bytes with nothing but a data fork; else -1.
long long macBinaryDataFork(std::span<const std::uint8_t> header, std::uint64_t totalSize);

// Passes a MacBinary file's data fork on to the next sink and drops the rest; data that is not
// MacBinary goes on whole. totalSize: the length of everything that will be written.
class MacBinarySink {
 public:
  MacBinarySink(Sink next, std::uint64_t totalSize) : next_(std::move(next)), total_(totalSize) {}
  bool write(std::span<const std::uint8_t> data);
  // Hands on what is still held back (a file shorter than a MacBinary header).
  bool finish();

 private:
  bool decide();
  Sink next_;
  std::uint64_t total_;
  std::array<std::uint8_t, 128> header_{};
  std::size_t held_ = 0;
  bool decided_ = false;
  long long fork_ = -1;       // data fork length when the file is MacBinary
  std::uint64_t passed_ = 0;  // bytes after the header seen so far
};

}  // namespace lha
