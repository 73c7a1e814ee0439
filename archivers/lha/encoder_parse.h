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
// positions it covers.
void collectMatches(MatchFinder& finder, std::uint32_t begin, std::uint32_t end, MatchTable& table);

// Appends a quick parse (longest match, deferred by one position when the next is longer);
// its statistics seed the prices of the first optimal pass.
void parseLazy(const std::uint8_t* data, std::uint32_t begin, std::uint32_t end, const MatchTable& table,
               std::vector<Symbol>& out);

// The shortest-path search's arrays, kept from one segment (and file) to the next.
struct ParseScratch {
  std::vector<std::uint32_t> cost;
  std::vector<Symbol> via;
};

// Appends to out the cheapest symbols for data[begin, end).
void parseOptimal(const std::uint8_t* data, std::uint32_t begin, std::uint32_t end,
                  const MatchTable& table, const Prices& prices, ParseScratch& scratch, std::vector<Symbol>& out);

}  // namespace lha
