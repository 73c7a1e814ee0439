// A package index value that is accepted must name a file inside the package's folder, and its
// entry part a file inside its archive's folder, whatever the value holds.
#include <cstddef>
#include <cstdint>

#include "core/winpath.h"
#include "packageindex.h"
#include "sources.h"

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
  const TSource source = TSource::Parse(value);
  if (!Inside(source.Path())) __builtin_trap();
  if (source.IsEntry() && !Inside(source.EntryPath())) __builtin_trap();
  return 0;
}
