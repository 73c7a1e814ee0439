#include "media/smfnotes.h"

#include <algorithm>
#include <vector>

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

  // Reads the last byte again.
  void Back() { --at_; }

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

constexpr uint64_t kNever = ~uint64_t(0);

// What one track does on each channel: where (in ticks from the start) it first starts a note
// and first selects a program, and whether that program comes before the note in the track.
struct TrackChannels {
  uint16_t notes = 0;         // channels on which the track starts a note
  uint16_t programFirst = 0;  // ... and selects a program before its first note there
  uint64_t firstNote[16], firstProgram[16];
  TrackChannels() {
    for (int c = 0; c < 16; ++c) firstNote[c] = firstProgram[c] = kNever;
  }
};

// Reads what the track does on each channel into out, and what it asks of the SoundFont into
// use; false when the track can't be read to its end.
bool ScanTrack(std::string_view track, TrackChannels &out, TuneUse &use) {
  TrackReader reader(track);
  uint8_t running = 0;
  uint64_t tick = 0;
  while (!reader.AtEnd()) {
    uint32_t delta;
    uint8_t status;
    if (!reader.VarLen(delta) || !reader.Byte(status)) return false;
    tick += delta;
    // Running status: a data byte where a status belongs repeats the last status, whatever
    // it was, as the synthesiser's file player reads it: after a meta event the byte is the
    // kind of another, after a system exclusive message the length of another.
    if (status < 0x80) {
      if (running == 0) return false;
      reader.Back();
      status = running;
    }
    running = status;
    uint8_t first = 0;
    if (status == 0xFF) {  // meta event: kind, length, data
      uint8_t kind;
      uint32_t length;
      if (!reader.Byte(kind) || !reader.VarLen(length) || !reader.Skip(length)) return false;
      if (kind == 0x2F) return true;  // the end of the track: what follows is not played
      continue;
    } else if (status == 0xF0 || status == 0xF7) {  // system exclusive: length, data
      uint32_t length;
      if (!reader.VarLen(length) || !reader.Skip(length)) return false;
      use.systemExclusive = true;
      continue;
    } else if (status >= 0xF0) {
      return false;  // no other system message belongs in a file
    } else if (!reader.Byte(first)) {
      return false;
    }
    uint8_t second = 0;
    if (DataBytes(status) == 2 && !reader.Byte(second)) return false;
    if ((first | second) & 0x80) return false;  // a status byte where data belongs
    const int channel = status & 0x0F;
    const uint16_t bit = uint16_t(1u << channel);
    if ((status & 0xF0) == 0x90 && second > 0) use.channels[channel].notes.Add(first, second);
    if ((status & 0xF0) == 0xC0) use.channels[channel].programs.set(first);
    if ((status & 0xF0) == 0x90 && second > 0 && (out.notes & bit) == 0) {
      out.notes |= bit;
      out.firstNote[channel] = tick;
    } else if ((status & 0xF0) == 0xC0 && out.firstProgram[channel] == kNever) {
      out.firstProgram[channel] = tick;
      if ((out.notes & bit) == 0) out.programFirst |= bit;
    }
  }
  return true;
}

uint32_t BigEndian(std::string_view bytes, size_t at, int count) {
  uint32_t v = 0;
  for (int i = 0; i < count; ++i) v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
  return v;
}

// Every track's channels, in the file's order; nothing when a track can't be read.
std::optional<std::vector<TrackChannels>> ScanTracks(std::string_view smf, TuneUse &use) {
  constexpr size_t kChunkHead = 8;  // four-letter kind, 32-bit length
  if (smf.size() < kChunkHead || smf.substr(0, 4) != "MThd") return std::nullopt;
  const uint32_t headerLength = BigEndian(smf, 4, 4);
  if (headerLength > smf.size() - kChunkHead || headerLength < 6) return std::nullopt;
  const uint32_t tracks = BigEndian(smf, 10, 2);
  std::vector<TrackChannels> scanned;
  size_t at = kChunkHead + headerLength;
  for (uint32_t found = 0; found < tracks;) {
    if (smf.size() - at < kChunkHead) return std::nullopt;
    const uint32_t length = BigEndian(smf, at + 4, 4);
    if (length > smf.size() - at - kChunkHead) return std::nullopt;
    if (smf.substr(at, 4) == "MTrk") {
      scanned.emplace_back();
      if (!ScanTrack(smf.substr(at + kChunkHead, length), scanned.back(), use)) return std::nullopt;
      ++found;
    }
    at += kChunkHead + length;
  }
  return scanned;
}

// The channels that may start a note with their default instrument.
uint16_t SoundingDefault(const std::vector<TrackChannels> &tracks) {
  // The file player sends, at each step, every track's events due by then, one track after
  // the other. A program change reaches a channel surely before a note when it comes earlier in
  // the note's own track, or in an earlier track no later than the note.
  uint64_t programByNow[16];
  for (uint64_t &tick : programByNow) tick = kNever;
  uint16_t channels = 0;
  for (const TrackChannels &track : tracks) {
    for (int c = 0; c < 16; ++c) {
      const uint16_t bit = uint16_t(1u << c);
      if ((track.notes & bit) != 0 && (track.programFirst & bit) == 0 && programByNow[c] > track.firstNote[c])
        channels |= bit;
    }
    for (int c = 0; c < 16; ++c) programByNow[c] = std::min(programByNow[c], track.firstProgram[c]);
  }
  return channels;
}

}  // namespace

std::optional<uint16_t> ChannelsWithNotes(std::string_view smf) {
  const std::optional<TuneUse> use = ScanTuneUse(smf);
  if (!use) return std::nullopt;
  uint16_t channels = 0;
  for (int c = 0; c < 16; ++c)
    if (!use->channels[c].notes.Empty()) channels |= uint16_t(1u << c);
  return channels;
}

std::optional<uint16_t> ChannelsSoundingDefault(std::string_view smf) {
  const std::optional<TuneUse> use = ScanTuneUse(smf);
  if (!use) return std::nullopt;
  return use->soundingDefault;
}

std::optional<TuneUse> ScanTuneUse(std::string_view smf) {
  std::optional<TuneUse> use(std::in_place);
  const std::optional<std::vector<TrackChannels>> tracks = ScanTracks(smf, *use);
  if (!tracks) return std::nullopt;
  use->soundingDefault = SoundingDefault(*tracks);
  return use;
}

}  // namespace platform
