#include "encoder.h"

#include <algorithm>

#include "bitio.h"
#include "encoder_block.h"
#include "encoder_match.h"
#include "encoder_parse.h"

namespace lha {
namespace {

// Positions parsed at once; the match table of a segment is held in memory.
constexpr std::uint32_t kSegment = 1u << 18;
// Blocks start as runs of this many symbols and are merged while merging saves bits.
constexpr std::size_t kPiece = 2048;

Prices initialPrices() {
  Prices p;
  for (int i = 0; i < 256; ++i) p.litlen[i] = 8;
  for (int i = 256; i < kNumLitLen; ++i) p.litlen[i] = i < 256 + 16 ? 6 : 10;
  for (auto& x : p.pos) x = 4;
  return p;
}

void writeBlocks(BitWriter& out, const BlockCoder& coder, std::span<const Symbol> syms) {
  struct Piece {
    std::size_t begin, end;
    BlockStats stats;
    std::uint64_t cost;
  };
  auto makePiece = [&](std::size_t b, std::size_t e) {
    Piece p{b, e, {}, 0};
    for (std::size_t i = b; i < e; ++i) p.stats.add(syms[i]);
    p.cost = coder.cost(p.stats);
    return p;
  };
  auto emit = [&](const Piece& p) { coder.write(out, syms.subspan(p.begin, p.end - p.begin), p.stats); };

  if (syms.empty()) return;
  Piece cur = makePiece(0, std::min(kPiece, syms.size()));
  for (std::size_t b = cur.end; b < syms.size(); b += kPiece) {
    Piece next = makePiece(b, std::min(b + kPiece, syms.size()));
    BlockStats merged = cur.stats;
    merged.add(next.stats);
    std::uint64_t mergedCost = merged.count <= kMaxBlockSymbols ? coder.cost(merged) : UINT64_MAX;
    if (mergedCost <= cur.cost + next.cost) {
      cur.end = next.end;
      cur.stats = merged;
      cur.cost = mergedCost;
    } else {
      emit(cur);
      cur = std::move(next);
    }
  }
  emit(cur);
}

}  // namespace

struct LzhEncoder::Workspace {
  MatchFinder finder;
  MatchTable table;
  ParseScratch scratch;
  std::vector<Symbol> syms;
};

LzhEncoder::LzhEncoder(const EncoderParams& params) : params_(params), ws_(std::make_unique<Workspace>()) {}
LzhEncoder::~LzhEncoder() = default;
LzhEncoder::LzhEncoder(LzhEncoder&&) noexcept = default;
LzhEncoder& LzhEncoder::operator=(LzhEncoder&&) noexcept = default;

std::vector<std::uint8_t> LzhEncoder::encode(std::span<const std::uint8_t> data) {
  const EncoderParams& params = params_;
  BitWriter out;
  out.reserve(data.size() / 2 + 64);
  BlockCoder coder(params.dictBits);
  MatchFinder& finder = ws_->finder;
  finder.reset(data, params.dictBits, params.maxChain);
  MatchTable& table = ws_->table;
  std::vector<Symbol>& syms = ws_->syms;
  Prices prices = initialPrices();
  const auto n = static_cast<std::uint32_t>(data.size());
  for (std::uint32_t begin = 0; begin < n; begin += kSegment) {
    std::uint32_t end = std::min(n, begin + kSegment);
    // The quick parse's statistics only seed prices; where its symbols are the output, it
    // gets the continuations of long matches too.
    collectMatches(finder, begin, end, params.passes == 0, table);
    if (params.passes == 0) {
      syms.clear();
      parseLazy(data.data(), begin, end, table, syms);
    } else if (begin == 0) {
      // Only the statistics of the quick parse are needed, not its symbols.
      BlockStats stats;
      forEachLazySymbol(data.data(), begin, end, table, [&](const Symbol& s) { stats.add(s); });
      coder.prices(stats, prices);
    }
    for (int pass = 0; pass < params.passes; ++pass) {
      syms.clear();
      parseOptimal(data.data(), begin, end, table, prices, ws_->scratch, syms);
      // The last parse of the last segment prices nothing more.
      if (pass + 1 == params.passes && end == n) break;
      BlockStats stats;
      for (const Symbol& s : syms) stats.add(s);
      coder.prices(stats, prices);
    }
    writeBlocks(out, coder, syms);
  }
  out.flush();
  return std::move(out.bytes());
}

std::vector<std::uint8_t> encodeLzh(std::span<const std::uint8_t> data, const EncoderParams& params) {
  return LzhEncoder(params).encode(data);
}

}  // namespace lha
