// Encoding and decoding speed over a MIDI corpus: the files of $MELODECK_MIDI_DIR, else the
// openttd-openmsx songs, else generated MIDI-like data.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "lha/lha.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::vector<std::uint8_t>> loadCorpus() {
  std::vector<std::vector<std::uint8_t>> files;
  const char *env = std::getenv("MELODECK_MIDI_DIR");
  fs::path dir = env && *env ? env : "/usr/share/games/openttd/baseset/openmsx";
  std::error_code ec;
  for (const auto &e : fs::directory_iterator(dir, ec)) {
    if (e.path().extension() != ".mid") continue;
    std::ifstream f(e.path(), std::ios::binary);
    files.emplace_back(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
  }
  if (files.empty()) {
    std::mt19937 rng(1);
    for (int i = 0; i < 20; ++i) {
      std::vector<std::uint8_t> bar(384);
      for (auto &b : bar) b = static_cast<std::uint8_t>(rng() % 128);
      std::vector<std::uint8_t> song;
      while (song.size() < 30000) {
        bar[rng() % bar.size()] = static_cast<std::uint8_t>(rng() % 128);
        song.insert(song.end(), bar.begin(), bar.end());
      }
      files.push_back(song);
    }
  }
  return files;
}

const std::vector<std::vector<std::uint8_t>> &corpus() {
  static const auto c = loadCorpus();
  return c;
}

void encode(benchmark::State &state, int dictBits) {
  std::size_t in = 0, out = 0;
  lha::EncoderParams p;
  p.dictBits = dictBits;
  // One encoder for all files, as the archive writer keeps one for all entries.
  lha::LzhEncoder encoder(p);
  for (auto _ : state) {
    for (const auto &f : corpus()) {
      auto packed = encoder.encode(f);
      in += f.size();
      out += packed.size();
      benchmark::DoNotOptimize(packed.data());
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(in));
  state.counters["ratio"] = in ? static_cast<double>(out) / static_cast<double>(in) : 0;
}

void BM_EncodeLh5(benchmark::State &state) { encode(state, 13); }
void BM_EncodeLh7(benchmark::State &state) { encode(state, 16); }

void BM_DecodeLh5(benchmark::State &state) {
  std::vector<std::pair<std::vector<std::uint8_t>, std::size_t>> packed;
  for (const auto &f : corpus()) packed.emplace_back(lha::encodeLzh(f, {}), f.size());
  std::size_t bytes = 0;
  for (auto _ : state) {
    for (const auto &[p, size] : packed) {
      lha::SpanSource src(p);
      auto r = lha::decodeLh5(src, size, [](std::span<const std::uint8_t> d) {
        benchmark::DoNotOptimize(d.data());
        return true;
      });
      if (r.error != lha::Error::None) state.SkipWithError("decode failed");
      bytes += size;
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}

BENCHMARK(BM_EncodeLh5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodeLh7)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeLh5)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
