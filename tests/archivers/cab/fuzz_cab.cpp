// Unpacking takes any file the user points at: our walk over the data blocks, then libgcab's
// headers and decoders, each entry read back as extraction reads it.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "cabread.h"

namespace {

class ReadAll : public cab::EntrySink {
 public:
  cab::Want Offer(const arc::EntryFacts &, bool unpackable) override {
    return unpackable ? cab::Want::Take : cab::Want::Skip;
  }
  int Take(const arc::EntryFacts &, int fd) override {
    char buffer[4096];
    while (read(fd, buffer, sizeof buffer) > 0) {
    }
    return 0;
  }
  void Broken(const arc::EntryFacts &, const std::string &) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  std::vector<uint8_t> copy(data, data + size);
  ReadAll sink;
  arc::Output none(nullptr, 0);
  cab::UnpackCabinet(copy, sink, none);
  return 0;
}
