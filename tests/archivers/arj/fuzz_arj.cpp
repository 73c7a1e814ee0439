// The ARJ header reader and decoders take any file the user points at.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "arjformat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  lha::MemoryInput in({data, size});
  std::vector<arj::ArjEntry> entries;
  arj::ReadArjEntries(in, entries);
  for (const auto &e : entries) {
    // Output is bounded by the header's size; a fuzzer's claims of gigabytes are cut short.
    uint64_t written = 0;
    arj::DecodeArjEntry(in, e, [&written](std::span<const uint8_t> d) {
      written += d.size();
      return written < (1u << 20);
    });
  }
  return 0;
}
