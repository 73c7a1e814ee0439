// The stored-form reader must turn any text into either a component or an EArchiver.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "archivefile.h"
#include "earchiver.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::string_view text(reinterpret_cast<const char *>(data), size);
  archives::TArchiveFile file;
  try {
    file.ReadStoredForm(text);
    // What was read must read back the same.
    archives::TArchiveFile again;
    again.ReadStoredForm(file.StoredForm());
    if (again.StoredForm() != file.StoredForm()) __builtin_trap();
  } catch (const archives::EArchiver &) {
  }
  return 0;
}
