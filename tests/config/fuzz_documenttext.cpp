#include <QByteArrayView>
#include <cstddef>
#include <cstdint>

#include "documenttext.h"

// Any bytes decode without a crash into text with no NUL and no CR, never longer in characters
// than the bytes were.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const QString text = DecodeDocumentText(QByteArrayView(data, static_cast<qsizetype>(size)));
  if (text.contains(QChar(0)) || text.contains('\r')) __builtin_trap();
  if (static_cast<size_t>(text.size()) > size) __builtin_trap();
  return 0;
}
