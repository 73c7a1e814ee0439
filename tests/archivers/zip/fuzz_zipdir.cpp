// The ZIP central directory reader takes any file the user points the tree at.
#include <cstddef>
#include <algorithm>
#include <cstdint>
#include <string>

#include "zipdir.h"

namespace {

struct Bytes {
  const uint8_t *data;
  size_t size;
};

bool ReadAt(void *ctx, uint64_t offset, size_t length, std::string &out) {
  const auto *b = static_cast<const Bytes *>(ctx);
  if (offset > b->size) return false;
  const size_t n = std::min<uint64_t>(length, b->size - offset);
  out.assign(reinterpret_cast<const char *>(b->data) + offset, n);
  return n == length;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  Bytes bytes{data, size};
  std::vector<arc::ZipDirEntry> entries;
  arc::ZipLayout layout;
  if (arc::ReadZipDirectory(size, ReadAt, &bytes, entries, &layout))
    for (const auto &e : entries) arc::ZipEntryName(e);
  return 0;
}
