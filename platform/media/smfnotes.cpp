#include "media/smfnotes.h"

namespace platform {
namespace {

// Reads the bytes of one track's events.
class TrackReader {
 public:
  explicit TrackReader(std::string_view bytes) : bytes_(bytes) {}

  bool AtEnd() const { return at_ >= bytes_.size(); }

  bool Byte(uint8_t &out) {
    if (AtEnd()) return false;
    out = static_cast<uint8_t>(bytes_[at_++]);
    return true;
  }

  // A variable-length quantity: at most four bytes of seven bits.
  bool VarLen(uint32_t &out) {
    out = 0;
    for (int i = 0; i < 4; ++i) {
      uint8_t byte;
      if (!Byte(byte)) return false;
      out = (out << 7) | (byte & 0x7F);
      if ((byte & 0x80) == 0) return true;
    }
    return false;
  }

  bool Skip(uint32_t count) {
    if (count > bytes_.size() - at_) return false;
    at_ += count;
    return true;
  }

 private:
  std::string_view bytes_;
  size_t at_ = 0;
};

// The data bytes a channel message of this status takes.
int DataBytes(uint8_t status) {
  const uint8_t kind = status & 0xF0;
  return kind == 0xC0 || kind == 0xD0 ? 1 : 2;
}

// Adds the channels of the track's note-ons to channels; false when the track can't be read to
// its end.
bool ScanTrack(std::string_view track, uint16_t &channels) {
  TrackReader reader(track);
  uint8_t running = 0;
  while (!reader.AtEnd()) {
    uint32_t delta;
    uint8_t status;
    if (!reader.VarLen(delta) || !reader.Byte(status)) return false;
    uint8_t first = 0;
    if (status < 0x80) {
      // Running status: the byte is the first data byte of a message like the last one.
      if (running == 0) return false;
      first = status;
      status = running;
    } else if (status == 0xFF) {  // meta event: kind, length, data
      uint8_t kind;
      uint32_t length;
      if (!reader.Byte(kind) || !reader.VarLen(length) || !reader.Skip(length)) return false;
      if (kind == 0x2F) return true;  // the end of the track: what follows is not played
      continue;
    } else if (status == 0xF0 || status == 0xF7) {  // system exclusive: length, data
      uint32_t length;
      if (!reader.VarLen(length) || !reader.Skip(length)) return false;
      continue;
    } else if (status >= 0xF0) {
      return false;  // no other system message belongs in a file
    } else {
      running = status;
      if (!reader.Byte(first)) return false;
    }
    uint8_t second = 0;
    if (DataBytes(status) == 2 && !reader.Byte(second)) return false;
    if ((first | second) & 0x80) return false;  // a status byte where data belongs
    if ((status & 0xF0) == 0x90 && second > 0) channels |= uint16_t(1u << (status & 0x0F));
  }
  return true;
}

uint32_t BigEndian(std::string_view bytes, size_t at, int count) {
  uint32_t v = 0;
  for (int i = 0; i < count; ++i) v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
  return v;
}

}  // namespace

std::optional<uint16_t> ChannelsWithNotes(std::string_view smf) {
  constexpr size_t kChunkHead = 8;  // four-letter kind, 32-bit length
  if (smf.size() < kChunkHead || smf.substr(0, 4) != "MThd") return std::nullopt;
  const uint32_t headerLength = BigEndian(smf, 4, 4);
  if (headerLength > smf.size() - kChunkHead || headerLength < 6) return std::nullopt;
  const uint32_t tracks = BigEndian(smf, 10, 2);
  uint16_t channels = 0;
  size_t at = kChunkHead + headerLength;
  for (uint32_t found = 0; found < tracks;) {
    if (smf.size() - at < kChunkHead) return std::nullopt;
    const uint32_t length = BigEndian(smf, at + 4, 4);
    if (length > smf.size() - at - kChunkHead) return std::nullopt;
    if (smf.substr(at, 4) == "MTrk") {
      if (!ScanTrack(smf.substr(at + kChunkHead, length), channels)) return std::nullopt;
      ++found;
    }
    at += kChunkHead + length;
  }
  return channels;
}

}  // namespace platform
