// A sound output into a file, for tests and benchmarks: raw 16-bit little-endian stereo at
// 44,100 frames a second, written block by block at the pace of playing, as a sound server
// would take it.
#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace platform {

class FileOutput {
 public:
  // Fills frames of left and right (given zeroed) from the output's thread.
  using Render = std::function<void(int frames, float *left, float *right)>;

  ~FileOutput() { Stop(); }
  // Empties or makes the file and starts writing. False when the file can't be written.
  bool Start(const std::string &linuxPath, Render render);
  // Ends the writing; returns after the last block was written.
  void Stop();
  bool Running() const { return thread_.joinable(); }

 private:
  void Run(int fd);

  Render render_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace platform
