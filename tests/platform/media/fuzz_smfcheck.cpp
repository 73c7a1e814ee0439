#include <cstddef>
#include <cstdint>
#include <string_view>

#include "media/smfcheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  platform::IsPlayableMidiFile(std::string_view(reinterpret_cast<const char *>(data), size));
  return 0;
}
