// The -lh5-, -lh6- and -lh7- encoder: one encoder, three dictionary sizes.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "error.h"
#include "io.h"

namespace lha {

struct EncoderParams {
  int dictBits = 13;   // 13: -lh5- (8 KiB), 15: -lh6- (32 KiB), 16: -lh7- (64 KiB)
  int maxChain = 128;  // hash-chain candidates tried per position
  int passes = 1;      // optimal-parse passes, each priced by the last; 0: a lazy parse only
};

// Packs data into the method's bit stream. The result may be larger than the input; the
// caller stores the data instead then.
std::vector<std::uint8_t> encodeLzh(std::span<const std::uint8_t> data, const EncoderParams &params);

// The same encoder, keeping its tables from one call to the next: packing many files then
// allocates (and the system maps and clears) its working memory once.
class LzhEncoder {
 public:
  explicit LzhEncoder(const EncoderParams &params);
  ~LzhEncoder();
  LzhEncoder(LzhEncoder &&) noexcept;
  LzhEncoder &operator=(LzhEncoder &&) noexcept;

  std::vector<std::uint8_t> encode(std::span<const std::uint8_t> data);
  // Packs everything the source yields, handing the packed bytes to the sink a segment at a
  // time: the memory held stays the same whatever the input's size, and the output is that
  // of the call above. Error::Io when the source fails, Error::Aborted when the sink refuses.
  Error encode(ByteSource &in, const Sink &out);
  const EncoderParams &params() const { return params_; }

 private:
  struct Workspace;
  EncoderParams params_;
  std::unique_ptr<Workspace> ws_;
};

}  // namespace lha
