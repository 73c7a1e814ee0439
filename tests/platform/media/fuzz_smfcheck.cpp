#include <cstddef>
#include <cstdint>
#include <string_view>

#include "media/smfcheck.h"
#include "media/smfnotes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char *>(data), size);
  platform::IsPlayableMidiFile(bytes);
  platform::ChannelsWithNotes(bytes);
  platform::ScanTuneUse(bytes);
  return 0;
}
