// A package index value that is accepted must name a file inside the package's folder, and its
// entry part a file inside its archive's folder, whatever the value holds.
#include <cstddef>
#include <cstdint>

#include "core/winpath.h"
#include "packageindex.h"

namespace {
bool Inside(const QString &relative) {
  QString path = relative;
  path.replace('\\', '/');
  const std::string normal = platform::NormalizeLinuxPath("/base/" + path.toStdString());
  return normal == "/base" || normal.rfind("/base/", 0) == 0;  // the folder itself names no file
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const QString value = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
  if (!UnsafeIndexValueReason(value).isEmpty()) return 0;
  const qsizetype bar = value.indexOf('|');
  if (!Inside(bar >= 0 ? value.left(bar) : value)) __builtin_trap();
  if (bar >= 0 && !Inside(value.mid(bar + 1))) __builtin_trap();
  return 0;
}
