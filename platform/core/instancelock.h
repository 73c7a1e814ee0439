// A named, process-wide lock that stands for a named mutex: flock on a file in the user's
// lock folder (lockfolder.h). The descriptor is close-on-exec, so a started player never
// inherits it, and the lock goes away with the process that holds it.
#pragma once

#include <sys/types.h>

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
  // Takes the lock in Folder(). kUnavailable: the lock file can't be made (no guard, but no
  // other copy known).
  Result Acquire(std::string_view name);
  // Takes the lock in folder, a private folder of owner; a lock file made here is owner's.
  Result AcquireIn(const std::string &folder, std::string_view name, uid_t owner);
  void Release();
  bool Held() const { return fd_ >= 0; }

  // $MELODECK_LOCK_DIR when set (a private folder that stands in for the user's lock folder:
  // tests and sandboxes keep their copies apart with it), else the lock folder of the lock's
  // owner for the Wine prefix in use (lockfolder.h). Empty when there is none.
  static std::string Folder();
  static uid_t Owner();

 private:
  int fd_ = -1;
};

}  // namespace platform
