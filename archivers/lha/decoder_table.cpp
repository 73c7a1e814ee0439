#include <array>

#include "decoder.h"
#include "window.h"

namespace lha {
namespace {

constexpr std::array<MethodInfo, 11> kMethods{{
    {"-lh0-", decodeStored, false},
    {"-lz4-", decodeStored, false},
    {"-lh1-", decodeLh1, false},
    {"-lh4-", decodeLh4, false},
    {"-lh5-", decodeLh5, false},
    {"-lh6-", decodeLh6, false},
    {"-lh7-", decodeLh7, false},
    {"-lhx-", decodeLhx, false},
    {"-lzs-", decodeLzs, false},
    {"-lz5-", decodeLz5, false},
    {"-lhd-", decodeFolder, true},
}};

}  // namespace

DecodeResult finishWindow(Window &w, Error e, std::uint64_t size) {
  Error f = w.finish();
  DecodeResult r;
  r.error = e != Error::None ? e : f;
  r.crc = w.crc();
  r.written = size - w.remaining();
  return r;
}

const MethodInfo *findMethod(std::string_view id) {
  for (const auto &m : kMethods)
    if (m.id == id) return &m;
  return nullptr;
}

}  // namespace lha
