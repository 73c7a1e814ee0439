// Command lines come from the program, but a user's "UserOptions" text reaches them verbatim.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "lhacommand.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  arc::LhaCommand cmd;
  // Response files are read from disk: keep the fuzzer off the file system.
  std::string_view line(reinterpret_cast<const char *>(data), size);
  if (line.find('@') != std::string_view::npos) return 0;
  arc::ParseLhaCommand(line, cmd);
  return 0;
}
