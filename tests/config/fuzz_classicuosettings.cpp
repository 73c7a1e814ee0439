#include <cstddef>
#include <cstdint>

#include "classicuosettings.h"

// Whatever the bytes, a folder is found only as a non-empty text without control characters, and
// it always gives a path.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
  const TClassicUoFolder folder = ReadClassicUoFolder(bytes);
  if (folder.Result != TClassicUoFolder::Found) {
    if (!folder.Value.isEmpty()) __builtin_trap();
    return 0;
  }
  if (folder.Value.trimmed().isEmpty()) __builtin_trap();
  for (const QChar c : folder.Value)
    if (c.unicode() < 0x20 || c.unicode() == 0x7F) __builtin_trap();
  if (ClassicUoFolderPath(folder.Value, QStringLiteral("C:\\ClassicUO")).isEmpty()) __builtin_trap();
  return 0;
}
