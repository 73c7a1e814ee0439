// One decoder family on raw packed data: the first byte picks the method, the next two give
// the original size.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "lha/lha.h"

namespace {
#if defined(FUZZ_FAMILY_lhnew)
constexpr std::string_view kMethods[] = {"-lh4-", "-lh5-", "-lh6-", "-lh7-"};
#elif defined(FUZZ_FAMILY_lh1)
constexpr std::string_view kMethods[] = {"-lh1-"};
#else
constexpr std::string_view kMethods[] = {"-lzs-", "-lz5-", "-lz4-", "-lh0-"};
#endif
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  if (size < 3) return 0;
  const auto *m = lha::findMethod(kMethods[data[0] % std::size(kMethods)]);
  std::uint64_t original = static_cast<std::uint64_t>(data[1] | (data[2] << 8)) * 4;
  lha::SpanSource src({data + 3, size - 3});
  std::uint64_t written = 0;
  lha::DecodeResult r = m->decode(src, original, [&](std::span<const std::uint8_t> d) {
    written += d.size();
    return true;
  });
  if (written > original || (r.error == lha::Error::None && written != original)) __builtin_trap();
  return 0;
}
