// Hash-chain match finder: for each position, the matches of increasing length within the
// dictionary, closest first.
#pragma once

#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

namespace lha {

struct Match {
  std::uint16_t len;
  std::uint16_t dist;  // distance - 1
};

class MatchFinder {
 public:
  MatchFinder() = default;
  // Starts on a new input of totalSize bytes (any size from 64 KiB up when it is not known
  // yet); the tables keep their memory from the last input.
  void reset(std::uint64_t totalSize, int dictBits, int maxChain);
  // The bytes positions refer to: the window of the input in memory. It may move or grow
  // between calls; it must hold the dictionary before the positions searched next.
  void attach(std::span<const std::uint8_t> window) { data_ = window; }
  // The window dropped its first delta bytes (a multiple of the dictionary size): positions
  // move down by delta, and those that fall out are forgotten.
  void slide(std::uint32_t delta);

  // Appends the matches at pos (each longer than the one before, none running past end) to
  // out and inserts pos. Positions must be visited in order, each once, through find() or
  // skip().
  void find(std::uint32_t pos, std::uint32_t end, std::vector<Match> &out);
  void skip(std::uint32_t pos) { insert(pos); }

 private:
  std::uint32_t load4(std::uint32_t pos) const {
    std::uint32_t v;
    std::memcpy(&v, data_.data() + pos, 4);
    return v;
  }
  // Both hashes come from one load of the next four bytes.
  std::uint32_t hash3(std::uint32_t v) const { return ((v & 0xFFFFFF) * 2654435761u) >> hash3Shift_; }
  std::uint32_t hash4(std::uint32_t v) const { return (v * 2654435761u) >> hash4Shift_; }
  void insertHashed(std::uint32_t pos, std::uint32_t h3, std::uint32_t h4) {
    head3_[h3] = pos + 1;
    prev_[pos & mask_] = head4_[h4];
    head4_[h4] = pos + 1;
  }
  // Inline: inside long matches the parse inserts every position and searches none.
  void insert(std::uint32_t pos) {
    if (pos + 4 > data_.size()) return;
    std::uint32_t v = load4(pos);
    insertHashed(pos, hash3(v), hash4(v));
  }

  std::span<const std::uint8_t> data_;
  std::uint32_t dictSize_ = 0;
  std::uint32_t mask_ = 0;
  int maxChain_ = 0;
  int hash3Shift_ = 32;
  int hash4Shift_ = 32;
  // Chains link positions with equal 4-byte hashes; 3-byte matches are found only at the
  // latest position with an equal 3-byte hash. Entries hold position + 1, 0 = none.
  std::vector<std::uint32_t> head3_;
  std::vector<std::uint32_t> head4_;
  std::vector<std::uint32_t> prev_;
};

}  // namespace lha
