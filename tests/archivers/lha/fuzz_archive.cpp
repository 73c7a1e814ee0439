// Lists an archive and unpacks every entry: headers, junk scanning and every decoder.
#include <cstddef>
#include <cstdint>

#include "lha/lha.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  lha::MemoryInput in({data, size});
  std::vector<lha::Entry> entries;
  lha::listArchive(in, entries);
  lha::ArchiveReader reader(in);
  for (const auto &e : entries) {
    std::uint64_t written = 0;
    reader.extract(e, [&](std::span<const std::uint8_t> d) {
      written += d.size();
      if (written > e.originalSize) __builtin_trap();  // output must stop at the original size
      return true;
    });
  }
  return 0;
}
