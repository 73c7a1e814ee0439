#include "media/smfcheck.h"

#include <cstdint>

namespace platform {
namespace {

uint32_t BigEndian(std::string_view bytes, size_t at, int count) {
  uint32_t v = 0;
  for (int i = 0; i < count; ++i) v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
  return v;
}

}  // namespace

bool IsPlayableMidiFile(std::string_view bytes) {
  constexpr size_t kChunkHead = 8;  // four-letter kind, 32-bit length
  if (bytes.size() < kChunkHead + 6 || bytes.substr(0, 4) != "MThd") return false;
  const uint32_t headerLength = BigEndian(bytes, 4, 4);
  if (headerLength != 6) return false;  // the synthesiser reads exactly six bytes
  const uint32_t format = BigEndian(bytes, 8, 2);
  const uint32_t tracks = BigEndian(bytes, 10, 2);
  const uint32_t division = BigEndian(bytes, 12, 2);
  if (format > 2 || tracks == 0 || division == 0 || (division & 0x8000) != 0) return false;

  size_t at = kChunkHead + headerLength;
  for (uint32_t found = 0; found < tracks;) {
    if (bytes.size() - at < kChunkHead) return false;
    const uint32_t length = BigEndian(bytes, at + 4, 4);
    if (length > bytes.size() - at - kChunkHead) return false;
    for (char ch : bytes.substr(at, 4))
      if (ch < 0x20 || ch > 0x7E) return false;  // the synthesiser stops at a kind that isn't text
    if (bytes.substr(at, 4) == "MTrk") ++found;
    at += kChunkHead + length;
  }
  return true;
}

}  // namespace platform
