#include "encoder_parse.h"

#include <algorithm>
#include <cstring>

namespace lha {
namespace {

// Matches at least this long are taken as they are; searching inside them rarely pays.
constexpr std::uint32_t kNiceLength = 8;
// Lengths up to this are all priced; above it only the last kTailLengths of each match.
constexpr std::uint32_t kAllLengths = 24;
constexpr std::uint32_t kTailLengths = 4;

}  // namespace

void collectMatches(MatchFinder &finder, std::uint32_t begin, std::uint32_t end, bool continuations, MatchTable &t) {
  t.clear();
  t.start.resize(end - begin + 1);
  t.matches.reserve(2 * (end - begin));
  std::uint32_t skipUntil = begin;
  std::uint16_t covering = 0;  // distance - 1 of the long match
  for (std::uint32_t pos = begin; pos < end; ++pos) {
    t.start[pos - begin] = static_cast<std::uint32_t>(t.matches.size());
    if (pos < skipUntil) {
      // Inside a long match positions are inserted, not searched: the optimal parse takes
      // it whole. A quick parse may land inside, having taken a match that ends there.
      finder.skip(pos);
      if (continuations && skipUntil - pos >= kMinMatch)
        t.matches.push_back({static_cast<std::uint16_t>(skipUntil - pos), covering});
      continue;
    }
    // No match runs past the segment: the next segment's parse starts there.
    finder.find(pos, end, t.matches);
    if (t.matches.size() > t.start[pos - begin] && t.matches.back().len >= kNiceLength) {
      skipUntil = pos + t.matches.back().len;
      covering = t.matches.back().dist;
    }
  }
  t.start[end - begin] = static_cast<std::uint32_t>(t.matches.size());
}

void parseOptimal(const std::uint8_t *data, std::uint32_t begin, std::uint32_t end, const MatchTable &t,
                  const Prices &prices, ParseScratch &scratch, std::vector<Symbol> &out) {
  const std::uint32_t n = end - begin;
  // A cost of all-ones bytes, the largest, means not reached yet; via[] is read only on the
  // path found, all of whose entries were written.
  if (scratch.cost.size() < n + 1) {
    scratch.cost.resize(n + 1);
    scratch.via.resize(n + 1);
  }
  std::uint32_t *cost = scratch.cost.data();
  Symbol *via = scratch.via.data();
  std::memset(cost, 0xFF, (n + 1) * sizeof(std::uint32_t));
  cost[0] = 0;
  for (std::uint32_t i = 0; i < n;) {
    const std::uint32_t base = cost[i];
    std::uint8_t lit = data[begin + i];
    if (base + prices.litlen[lit] < cost[i + 1]) {
      cost[i + 1] = base + prices.litlen[lit];
      via[i + 1] = {lit, 0};
    }
    std::uint32_t first = t.start[i], last = t.start[i + 1];
    std::uint32_t next = i + 1;
    if (first != last) {
      // After a long match the positions it covers start no edges: searching inside it
      // rarely pays and costs much time on repetitive data.
      if (t.matches[last - 1].len >= kNiceLength) next = i + t.matches[last - 1].len;
      std::uint32_t len = kMinMatch;
      for (std::uint32_t k = first; k < last; ++k) {
        const Match &m = t.matches[k];
        const std::uint32_t distPrice = base + prices.distance(m.dist);
        // Short lengths are tried one by one; of a long match only its full length and the
        // lengths just below it, which leave room for a following match.
        if (len < m.len && m.len > kAllLengths && len > kAllLengths) len = std::max(len, m.len - kTailLengths);
        for (; len <= m.len; ++len) {
          if (len == kAllLengths + 1 && m.len > kAllLengths + kTailLengths) len = m.len - kTailLengths;
          std::uint32_t c = distPrice + prices.litlen[256 + len - kMinMatch];
          if (c < cost[i + len]) {
            cost[i + len] = c;
            via[i + len] = {static_cast<std::uint16_t>(256 + len - kMinMatch), m.dist};
          }
        }
      }
    }
    i = next;
  }
  // Walk back from the end, then emit in order.
  std::size_t mark = out.size();
  for (std::uint32_t i = n; i > 0;) {
    const Symbol &s = via[i];
    out.push_back(s);
    i -= s.litlen < 256 ? 1 : s.litlen - 256 + kMinMatch;
  }
  std::reverse(out.begin() + static_cast<std::ptrdiff_t>(mark), out.end());
}

}  // namespace lha
