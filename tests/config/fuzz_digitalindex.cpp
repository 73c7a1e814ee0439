#include <QSet>
#include <cstddef>
#include <cstdint>

#include "digitalcaption.h"
#include "digitalindex.h"

// Whatever the bytes, the index gives each number one file, names that stay inside the folder,
// and tracks that share no key and together hold every entry's number once.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
  const TDigitalIndex index = ParseDigitalIndex(bytes);
  if (index.Skipped < 0 || index.Replaced < 0) __builtin_trap();
  if (index.Entries.size() + static_cast<size_t>(index.Skipped) > static_cast<size_t>(bytes.count('\n')) + 1)
    __builtin_trap();
  QSet<int> numbers;
  for (const TDigitalIndexEntry &entry : index.Entries) {
    if (entry.Number < 0 || numbers.contains(entry.Number)) __builtin_trap();
    numbers.insert(entry.Number);
    if (entry.Name.isEmpty() || entry.Name.contains('/') || entry.Name.contains('\\') || entry.Name == "..")
      __builtin_trap();
  }
  QSet<QString> keys;
  size_t held = 0;
  for (const TDigitalTrack &track : DigitalTracks(index)) {
    if (keys.contains(track.Key) || !track.Key.endsWith(".mp3") || track.Numbers.empty()) __builtin_trap();
    keys.insert(track.Key);
    held += track.Numbers.size();
    if (DigitalTrackCaption(track).isEmpty()) __builtin_trap();
  }
  if (held != index.Entries.size()) __builtin_trap();
  return 0;
}
