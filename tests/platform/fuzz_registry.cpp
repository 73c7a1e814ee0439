#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/registry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  std::string text = "WINE REGISTRY Version 2\n";
  text.append(reinterpret_cast<const char *>(data), size);
  auto reg = platform::Registry::Parse(text);
  reg.ReadString("Software\\a", "b");
  reg.OpenKey32("\\Software\\a");
  return 0;
}
