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
// Bytes read past a segment's end before it is parsed: the match finder hashes the four
// bytes at every position.
constexpr std::uint32_t kLookahead = 4;
// Blocks start as runs of this many symbols and are merged while merging saves bits.
constexpr std::size_t kPiece = 2048;

Prices initialPrices() {
  Prices p;
  for (int i = 0; i < 256; ++i) p.litlen[i] = 8;
  for (int i = 256; i < kNumLitLen; ++i) p.litlen[i] = i < 256 + 16 ? 6 : 10;
  for (auto &x : p.pos) x = 4;
  return p;
}

void writeBlocks(BitWriter &out, const BlockCoder &coder, std::span<const Symbol> syms) {
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
  auto emit = [&](const Piece &p) { coder.write(out, syms.subspan(p.begin, p.end - p.begin), p.stats); };

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
  // The input in memory: the dictionary before the segment, the segment and a few bytes
  // after it (the match finder hashes the next four bytes of every position).
  std::vector<std::uint8_t> window;
};

LzhEncoder::LzhEncoder(const EncoderParams &params) : params_(params), ws_(std::make_unique<Workspace>()) {}
LzhEncoder::~LzhEncoder() = default;
LzhEncoder::LzhEncoder(LzhEncoder &&) noexcept = default;
LzhEncoder &LzhEncoder::operator=(LzhEncoder &&) noexcept = default;

std::vector<std::uint8_t> LzhEncoder::encode(std::span<const std::uint8_t> data) {
  std::vector<std::uint8_t> packed;
  packed.reserve(data.size() / 2 + 64);
  SpanSource in(data);
  encode(in, vectorSink(packed));
  return packed;
}

Error LzhEncoder::encode(ByteSource &in, const Sink &sink) {
  const EncoderParams &params = params_;
  const std::uint32_t dictSize = 1u << params.dictBits;
  std::vector<std::uint8_t> &window = ws_->window;
  window.clear();
  window.reserve(dictSize + kSegment + kLookahead);
  bool ended = false;
  // Reads until the window holds want bytes or the input ends.
  auto fill = [&](std::size_t want) {
    while (!ended && window.size() < want) {
      const std::size_t at = window.size();
      window.resize(want);
      const std::size_t n = in.read(std::span(window).subspan(at));
      window.resize(at + n);
      ended = n == 0;
    }
    return !in.failed();
  };
  BitWriter out;
  auto drain = [&] {
    std::vector<std::uint8_t> &bytes = out.bytes();
    const bool ok = bytes.empty() || sink(bytes);
    bytes.clear();
    return ok;
  };

  if (!fill(kSegment + kLookahead)) return Error::Io;
  BlockCoder coder(params.dictBits);
  MatchFinder &finder = ws_->finder;
  // An input that fits the first segment has its size known, and small hash tables.
  finder.reset(ended ? window.size() : UINT64_MAX, params.dictBits, params.maxChain);
  MatchTable &table = ws_->table;
  std::vector<Symbol> &syms = ws_->syms;
  Prices prices = initialPrices();
  bool first = true;
  // Positions count from the window's start.
  for (std::uint32_t begin = 0;;) {
    const auto held = static_cast<std::uint32_t>(window.size());
    const std::uint32_t end = std::min(held, begin + kSegment);
    if (begin >= end) break;
    const bool last = ended && end == held;
    const std::uint8_t *data = window.data();
    finder.attach(window);
    // The quick parse's statistics only seed prices; where its symbols are the output, it
    // gets the continuations of long matches too.
    collectMatches(finder, begin, end, params.passes == 0, table);
    if (params.passes == 0) {
      syms.clear();
      parseLazy(data, begin, end, table, syms);
    } else if (first) {
      // Only the statistics of the quick parse are needed, not its symbols.
      BlockStats stats;
      forEachLazySymbol(data, begin, end, table, [&](const Symbol &s) { stats.add(s); });
      coder.prices(stats, prices);
    }
    first = false;
    for (int pass = 0; pass < params.passes; ++pass) {
      syms.clear();
      parseOptimal(data, begin, end, table, prices, ws_->scratch, syms);
      // The last parse of the last segment prices nothing more.
      if (pass + 1 == params.passes && last) break;
      BlockStats stats;
      for (const Symbol &s : syms) stats.add(s);
      coder.prices(stats, prices);
    }
    writeBlocks(out, coder, syms);
    if (!drain()) return Error::Aborted;
    // Keep only the dictionary before the next segment.
    begin = end;
    if (begin > dictSize) {
      const std::uint32_t delta = begin - dictSize;
      window.erase(window.begin(), window.begin() + delta);
      finder.slide(delta);
      begin = dictSize;
    }
    if (!fill(std::size_t{begin} + kSegment + kLookahead)) return Error::Io;
  }
  out.flush();
  return drain() ? Error::None : Error::Aborted;
}

std::vector<std::uint8_t> encodeLzh(std::span<const std::uint8_t> data, const EncoderParams &params) {
  return LzhEncoder(params).encode(data);
}

}  // namespace lha
