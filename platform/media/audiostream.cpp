#include "media/audiostream.h"

#include <syn123.h>

#include <algorithm>

namespace platform {
namespace {

constexpr size_t kBlock = 1152;  // frames decoded at a time: one MPEG frame

}  // namespace

AudioStream::AudioStream(std::unique_ptr<AudioDecoder> decoder) : decoder_(std::move(decoder)) {
  decoded_.resize(kBlock * 2);
}

AudioStream::~AudioStream() {
  if (resampler_ != nullptr) syn123_del(resampler_);
}

std::unique_ptr<AudioStream> AudioStream::Make(std::unique_ptr<AudioDecoder> decoder) {
  const long rate = decoder->Rate();
  std::unique_ptr<AudioStream> stream(new AudioStream(std::move(decoder)));
  if (rate == kRate) {
    stream->pending_.resize(kBlock * 2);
    return stream;
  }
  if (rate <= 0 || rate > syn123_resample_maxrate() || kBlock > syn123_resample_maxincount(rate, kRate)) return nullptr;
  int error = SYN123_OK;
  stream->resampler_ = syn123_new(kRate, 2, MPG123_ENC_FLOAT_32, 0, &error);
  if (stream->resampler_ == nullptr || syn123_setup_resample(stream->resampler_, rate, kRate, 2, 0, 0) != SYN123_OK)
    return nullptr;
  stream->pending_.resize(syn123_resample_count(rate, kRate, kBlock) * 2);
  return stream;
}

bool AudioStream::Prime() { return Refill(); }

bool AudioStream::Refill() {
  pendingAt_ = pendingFrames_ = 0;
  if (ended_) return false;
  size_t frames = decoder_->Read(decoded_.data(), kBlock);
  if (frames == 0 && decoder_->Rewind()) frames = decoder_->Read(decoded_.data(), kBlock);
  if (frames == 0) {
    ended_ = true;  // not even the start decodes (again)
    return false;
  }
  if (resampler_ == nullptr) {
    std::copy_n(decoded_.begin(), frames * 2, pending_.begin());
    pendingFrames_ = frames;
  } else {
    pendingFrames_ = syn123_resample(resampler_, pending_.data(), decoded_.data(), frames);
  }
  return true;
}

void AudioStream::Fill(float *left, float *right, size_t frames) {
  size_t at = 0;
  while (at < frames) {
    if (pendingAt_ == pendingFrames_ && !Refill()) break;
    const size_t n = std::min(frames - at, pendingFrames_ - pendingAt_);
    for (size_t i = 0; i < n; ++i, ++at, ++pendingAt_) {
      left[at] = pending_[2 * pendingAt_];
      right[at] = pending_[2 * pendingAt_ + 1];
    }
  }
  std::fill(left + at, left + frames, 0.0f);
  std::fill(right + at, right + frames, 0.0f);
}

}  // namespace platform
