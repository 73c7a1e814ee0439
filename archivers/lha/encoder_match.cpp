#include "encoder_match.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "encoder_symbols.h"

namespace lha {

namespace {

// Hash tables sized to the input: small files, the usual case, then need little clearing.
int hashBits(std::size_t size, int most) {
  int bits = 10;
  while (bits < most && (std::size_t{1} << bits) < size) ++bits;
  return bits;
}

}  // namespace

void MatchFinder::reset(std::uint64_t totalSize, int dictBits, int maxChain) {
  data_ = {};
  dictSize_ = 1u << dictBits;
  mask_ = dictSize_ - 1;
  maxChain_ = maxChain;
  const std::size_t size = static_cast<std::size_t>(std::min<std::uint64_t>(totalSize, SIZE_MAX));
  hash3Shift_ = 32 - hashBits(size, 14);
  hash4Shift_ = 32 - hashBits(size, 16);
  head3_.assign(std::size_t{1} << (32 - hash3Shift_), 0);
  head4_.assign(std::size_t{1} << (32 - hash4Shift_), 0);
  // Needs no clearing: a slot is read only after the position that owns it was inserted.
  std::size_t ring = std::min<std::size_t>(dictSize_, std::max<std::size_t>(size, 1));
  if (prev_.size() < ring) prev_.resize(ring);
}

void MatchFinder::slide(std::uint32_t delta) {
  // Entries hold position + 1; those at or below delta were older than the window's start.
  auto down = [delta](std::vector<std::uint32_t> &v) {
    for (auto &x : v) x = x > delta ? x - delta : 0;
  };
  down(head3_);
  down(head4_);
  // The ring is indexed by position modulo the dictionary size, which delta keeps.
  down(prev_);
}

namespace {

// A match this long ends the search: longer ones gain little and cost time on repetitive data.
constexpr std::uint32_t kGoodEnough = 128;

std::uint32_t commonLength(const std::uint8_t *a, const std::uint8_t *b, std::uint32_t limit) {
  std::uint32_t n = 0;
  while (n + 8 <= limit) {
    std::uint64_t x, y;
    std::memcpy(&x, a + n, 8);
    std::memcpy(&y, b + n, 8);
    if (x != y) return n + (__builtin_ctzll(x ^ y) >> 3);
    n += 8;
  }
  while (n < limit && a[n] == b[n]) ++n;
  return n;
}

}  // namespace

void MatchFinder::find(std::uint32_t pos, std::uint32_t end, std::vector<Match> &out) {
  std::uint32_t limit = std::min<std::uint32_t>(kMaxMatch, end - pos);
  if (limit < 4) {
    insert(pos);
    return;
  }
  const std::uint32_t v = load4(pos);
  const std::uint32_t h3 = hash3(v), h4 = hash4(v);
  const std::uint8_t *cur = data_.data() + pos;
  std::uint32_t best = kMinMatch - 1;
  auto inWindow = [&](std::uint32_t c) { return c < pos && pos - c <= dictSize_; };
  auto consider = [&](std::uint32_t c) {
    const std::uint8_t *p = data_.data() + c;
    // Only a candidate that beats the best so far at its last byte is worth comparing.
    if (p[best] != cur[best] || p[0] != cur[0]) return false;
    std::uint32_t len = commonLength(p, cur, limit);
    if (len <= best) return false;
    best = len;
    out.push_back({static_cast<std::uint16_t>(len), static_cast<std::uint16_t>(pos - c - 1)});
    return len == limit;
  };
  bool done = false;
  std::uint32_t cand = head4_[h4];
  if (std::uint32_t c3 = head3_[h3]; c3 != 0 && inWindow(c3 - 1)) done = consider(c3 - 1);
  for (int chain = maxChain_; !done && cand != 0 && chain > 0; --chain) {
    std::uint32_t c = cand - 1;
    if (!inWindow(c)) break;
    if (consider(c) || best >= kGoodEnough) break;
    std::uint32_t next = prev_[c & mask_];
    if (next >= cand) break;  // the slot was reused by a newer position: chain ends
    cand = next;
  }
  insertHashed(pos, h3, h4);
}

}  // namespace lha
