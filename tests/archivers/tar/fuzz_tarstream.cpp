// The check of a compressed tar's stream reads any file the user points at, to its end.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "streamcheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const int fd = memfd_create("tarstream", MFD_CLOEXEC);
  if (fd < 0) return 0;
  if (write(fd, data, size) == static_cast<ssize_t>(size)) {
    const std::string path = "/proc/self/fd/" + std::to_string(fd);
    std::string why;
    for (const auto compression : {arc::Compression::Gzip, arc::Compression::Bzip2})
      arc::CheckCompressedStream(path, compression, why);
    arc::CompressionByMagic(path);
  }
  close(fd);
  return 0;
}
