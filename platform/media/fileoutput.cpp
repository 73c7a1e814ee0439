#include "media/fileoutput.h"

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <vector>

namespace platform {
namespace {

constexpr int kRate = 44100;
constexpr int kPeriod = 64;  // frames a block, as FluidSynth's own outputs use

int16_t ToSample(float v) {
  const float clamped = std::fmax(-1.0f, std::fmin(1.0f, v));
  return static_cast<int16_t>(std::lrintf(clamped * 32767.0f));
}

}  // namespace

bool FileOutput::Start(const std::string &linuxPath, Render render) {
  Stop();
  const int fd = open(linuxPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  render_ = std::move(render);
  stop_ = false;
  thread_ = std::thread([this, fd] { Run(fd); });
  return true;
}

void FileOutput::Stop() {
  if (!thread_.joinable()) return;
  stop_ = true;
  thread_.join();
}

void FileOutput::Run(int fd) {
  using Clock = std::chrono::steady_clock;
  std::vector<float> left(kPeriod), right(kPeriod);
  std::vector<unsigned char> bytes(kPeriod * 4);
  const Clock::time_point start = Clock::now();
  for (int64_t written = 0; !stop_; written += kPeriod) {
    std::fill(left.begin(), left.end(), 0.0f);
    std::fill(right.begin(), right.end(), 0.0f);
    render_(kPeriod, left.data(), right.data());
    for (int i = 0; i < kPeriod; ++i) {
      const auto l = static_cast<uint16_t>(ToSample(left[i])), r = static_cast<uint16_t>(ToSample(right[i]));
      bytes[4 * i] = l & 0xFF;
      bytes[4 * i + 1] = l >> 8;
      bytes[4 * i + 2] = r & 0xFF;
      bytes[4 * i + 3] = r >> 8;
    }
    if (write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) break;
    std::this_thread::sleep_until(start + std::chrono::microseconds((written + kPeriod) * 1000000 / kRate));
  }
  close(fd);
}

}  // namespace platform
