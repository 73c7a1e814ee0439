#include "media/mp3encoder.h"

#include <lame/lame.h>

#include <cstdlib>
#include <vector>

namespace platform {
namespace {

constexpr size_t kMaxFrames = 8192;  // the most frames one Encode passes to LAME at a time

}  // namespace

Mp3Encoder::Mp3Encoder(std::FILE *file, int kbitPerSecond) : file_(file) {
  lame_ = lame_init();
  if (lame_ == nullptr) return;
  lame_set_in_samplerate(lame_, kRate);
  lame_set_out_samplerate(lame_, kRate);
  lame_set_num_channels(lame_, 2);
  lame_set_mode(lame_, JOINT_STEREO);
  lame_set_VBR(lame_, vbr_off);
  lame_set_brate(lame_, kbitPerSecond);
  // A frame is kept free at the start for the tag with the delay and padding (Finish writes
  // it); no ID3 tags.
  lame_set_bWriteVbrTag(lame_, 1);
  lame_set_write_id3tag_automatic(lame_, 0);
  if (lame_init_params(lame_) < 0 || lame_get_brate(lame_) != kbitPerSecond) {
    lame_close(lame_);
    lame_ = nullptr;
    return;
  }
  // LAME's own bound for a buffer of encoded bytes: 1.25 × samples + 7200.
  bufferSize_ = kMaxFrames * 5 / 4 + 7200;
  buffer_ = static_cast<unsigned char *>(std::malloc(bufferSize_));
}

Mp3Encoder::~Mp3Encoder() {
  if (lame_ != nullptr) lame_close(lame_);
  std::free(buffer_);
}

bool Mp3Encoder::Write(const unsigned char *bytes, size_t size) {
  return size == 0 || std::fwrite(bytes, 1, size, file_) == size;
}

bool Mp3Encoder::Encode(const float *interleaved, size_t frames) {
  if (lame_ == nullptr || buffer_ == nullptr) return false;
  while (frames > 0) {
    const size_t n = frames < kMaxFrames ? frames : kMaxFrames;
    const int got = lame_encode_buffer_interleaved_ieee_float(lame_, interleaved, static_cast<int>(n), buffer_,
                                                              static_cast<int>(bufferSize_));
    if (got < 0 || !Write(buffer_, static_cast<size_t>(got))) return false;
    interleaved += 2 * n;
    frames -= n;
  }
  return true;
}

bool Mp3Encoder::Finish() {
  if (lame_ == nullptr || buffer_ == nullptr) return false;
  const int got = lame_encode_flush(lame_, buffer_, static_cast<int>(bufferSize_));
  if (got < 0 || !Write(buffer_, static_cast<size_t>(got))) return false;
  std::vector<unsigned char> tag(lame_get_lametag_frame(lame_, nullptr, 0));
  if (tag.empty() || lame_get_lametag_frame(lame_, tag.data(), tag.size()) != tag.size()) return false;
  return std::fflush(file_) == 0 && std::fseek(file_, 0, SEEK_SET) == 0 && Write(tag.data(), tag.size()) &&
         std::fflush(file_) == 0;
}

}  // namespace platform
