// Choosing between literals and matches: a shortest-path search over the positions of a
// segment, with the bit prices of the current Huffman codes as edge weights.
#pragma once

#include <cstdint>
#include <vector>

#include "encoder_match.h"
#include "encoder_symbols.h"

namespace lha {

// The matches found at each position of a segment, kept so that several parsing passes can
// share one search.
struct MatchTable {
  std::vector<Match> matches;
  std::vector<std::uint32_t> start;  // matches of position i: [start[i], start[i + 1])

  void clear() {
    matches.clear();
    start.clear();
  }
};

// Fills table with the matches of data[begin, end); a long match makes the finder skip the
// positions it covers, which get no matches of their own, or with continuations only the
// rest of that match (what a quick parse that lands there needs).
void collectMatches(MatchFinder &finder, std::uint32_t begin, std::uint32_t end, bool continuations, MatchTable &table);

// A quick parse (longest match, deferred by one position when the next is longer), handed
// symbol by symbol to fn; its statistics seed the prices of the first optimal pass.
template <class Fn>
void forEachLazySymbol(const std::uint8_t *data, std::uint32_t begin, std::uint32_t end, const MatchTable &t, Fn &&fn) {
  const std::uint32_t n = end - begin;
  auto longest = [&](std::uint32_t i) -> const Match * {
    return t.start[i] == t.start[i + 1] ? nullptr : &t.matches[t.start[i + 1] - 1];
  };
  for (std::uint32_t i = 0; i < n;) {
    const Match *m = longest(i);
    if (m) {
      const Match *after = i + 1 < n ? longest(i + 1) : nullptr;
      if (!after || after->len <= m->len) {
        fn(Symbol{static_cast<std::uint16_t>(256 + m->len - kMinMatch), m->dist});
        i += m->len;
        continue;
      }
    }
    fn(Symbol{data[begin + i], 0});
    ++i;
  }
}

// The same parse, appended to out.
inline void parseLazy(const std::uint8_t *data, std::uint32_t begin, std::uint32_t end, const MatchTable &t,
                      std::vector<Symbol> &out) {
  forEachLazySymbol(data, begin, end, t, [&](const Symbol &s) { out.push_back(s); });
}

// The shortest-path search's arrays, kept from one segment (and file) to the next.
struct ParseScratch {
  std::vector<std::uint32_t> cost;
  std::vector<Symbol> via;
};

// Appends to out the cheapest symbols for data[begin, end).
void parseOptimal(const std::uint8_t *data, std::uint32_t begin, std::uint32_t end, const MatchTable &table,
                  const Prices &prices, ParseScratch &scratch, std::vector<Symbol> &out);

}  // namespace lha
