// A named, process-wide lock that stands for a named mutex: flock on a file in the user's
// runtime folder. The descriptor is close-on-exec, so a started player never inherits it, and
// the lock goes away with the process that holds it.
#pragma once

#include <string>
#include <string_view>

namespace platform {

class InstanceLock {
 public:
  InstanceLock() = default;
  ~InstanceLock() { Release(); }
  InstanceLock(const InstanceLock &) = delete;
  InstanceLock &operator=(const InstanceLock &) = delete;
  InstanceLock(InstanceLock &&other) noexcept : fd_(other.fd_) { other.fd_ = -1; }

  enum Result { kAcquired, kHeldElsewhere, kUnavailable };
  // Takes the lock. kUnavailable: the lock file can't be made (no guard, but no other copy known).
  Result Acquire(std::string_view name);
  void Release();
  bool Held() const { return fd_ >= 0; }

  // $XDG_RUNTIME_DIR, else /tmp/runtime-<user> (made with mode 0700 when missing).
  static std::string Folder();

 private:
  int fd_ = -1;
};

}  // namespace platform
