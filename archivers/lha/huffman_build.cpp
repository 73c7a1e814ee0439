#include "huffman_build.h"

#include <algorithm>
#include <array>

namespace lha {

void buildLengths(std::span<const std::uint32_t> freq, std::span<std::uint8_t> lengths, int maxBits) {
  std::fill(lengths.begin(), lengths.end(), 0);
  std::array<unsigned, 1024> used;
  std::size_t n = 0;
  for (unsigned i = 0; i < freq.size(); ++i)
    if (freq[i]) used[n++] = i;
  if (n < 2) {
    if (n == 1) lengths[used[0]] = 1;
    return;
  }

  // Plain Huffman first, by the two-queue method over leaves sorted by weight: leaves in
  // order[], merged nodes in creation order, both queues ascending. The sort key is the
  // weight above the leaf's index, so ties keep symbol order and the sort compares plain
  // integers.
  std::array<std::uint64_t, 1024> key;
  for (unsigned i = 0; i < n; ++i) key[i] = (std::uint64_t{freq[used[i]]} << 16) | i;
  std::sort(key.begin(), key.begin() + static_cast<std::ptrdiff_t>(n));
  // Left uninitialised: every entry read below was written first (this runs for every
  // block the encoder prices, and clearing these arrays cost more than the rest).
  std::array<std::uint32_t, 1024> order;
  std::array<std::uint32_t, 2048> parent;
  for (unsigned i = 0; i < n; ++i) order[i] = static_cast<std::uint32_t>(key[i] & 0xFFFF);
  // Node ids: leaves 0..n-1 (by rank in order[]), inner nodes n..2n-2.
  std::array<std::uint64_t, 2048> w;
  for (unsigned i = 0; i < n; ++i) w[i] = freq[used[order[i]]];
  std::size_t leaf = 0, inner = n, next = n;
  auto take = [&]() {
    if (leaf < n && (inner >= next || w[leaf] <= w[inner])) return leaf++;
    return inner++;
  };
  while (next < 2 * n - 1) {
    std::size_t a = take(), b = take();
    w[next] = w[a] + w[b];
    parent[a] = parent[b] = static_cast<std::uint32_t>(next);
    ++next;
  }
  std::array<std::uint32_t, 2048> depth;
  depth[2 * n - 2] = 0;  // the root
  for (int i = static_cast<int>(2 * n - 3); i >= 0; --i) depth[i] = depth[parent[i]] + 1;

  // Count codes per length, folding anything longer than maxBits into maxBits, then restore
  // the Kraft sum by lengthening the shortest codes that can give room.
  std::array<unsigned, 64> count{};
  for (unsigned i = 0; i < n; ++i) ++count[std::min<unsigned>(depth[i], maxBits)];
  std::uint64_t total = 0;
  for (int len = 1; len <= maxBits; ++len) total += std::uint64_t{count[len]} << (maxBits - len);
  while (total > (std::uint64_t{1} << maxBits)) {
    --count[maxBits];
    for (int len = maxBits - 1; len > 0; --len) {
      if (count[len]) {
        --count[len];
        count[len + 1] += 2;
        break;
      }
    }
    --total;
  }

  // The most frequent symbols take the shortest codes: ranks run from the rarest up.
  std::size_t k = n;
  for (int len = 1; len <= maxBits; ++len)
    for (unsigned c = 0; c < count[len]; ++c) lengths[used[order[--k]]] = static_cast<std::uint8_t>(len);
}

void buildCodes(std::span<const std::uint8_t> lengths, std::span<std::uint16_t> codes) {
  std::array<unsigned, 18> count{};
  for (auto len : lengths) ++count[len];
  count[0] = 0;
  std::array<unsigned, 18> next{};
  unsigned code = 0;
  for (int len = 1; len <= 16; ++len) {
    code = (code + count[len - 1]) << 1;
    next[len] = code;
  }
  for (std::size_t s = 0; s < lengths.size(); ++s)
    if (lengths[s]) codes[s] = static_cast<std::uint16_t>(next[lengths[s]]++);
}

}  // namespace lha
