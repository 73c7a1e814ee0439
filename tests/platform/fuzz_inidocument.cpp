#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/inidocument.h"

// Parsing, editing and writing any bytes must not crash, and a key just set must be found.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  auto doc = platform::IniDocument::Parse(std::string_view(reinterpret_cast<const char *>(data), size));
  const auto sections = doc.Sections();
  if (!sections.empty()) {
    doc.Set(sections.front(), "key", "välue");
    doc.Remove(sections.back(), "key");
  }
  doc.Set("new", "k", "v");
  if (doc.Find("new", "k") == nullptr) __builtin_trap();
  platform::IniDocument::Parse(doc.Serialize());
  return 0;
}
