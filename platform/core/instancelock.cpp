#include "instancelock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "lockfolder.h"
#include "winpath.h"

namespace platform {

namespace {

constexpr char kOverride[] = "MELODECK_LOCK_DIR";

const char *Override() {
  const char *dir = getenv(kOverride);
  return dir && *dir ? dir : nullptr;
}

}  // namespace

uid_t InstanceLock::Owner() { return Override() ? getuid() : LockOwner(Paths().Prefix()); }

std::string InstanceLock::Folder() {
  if (const char *dir = Override()) return IsPrivateFolderOf(dir, getuid()) ? dir : std::string();
  return UserLockFolder(Owner());
}

InstanceLock::Result InstanceLock::Acquire(std::string_view name) {
  Release();
  const std::string folder = Folder();
  if (folder.empty()) return kUnavailable;
  return AcquireIn(folder, name, Owner());
}

InstanceLock::Result InstanceLock::AcquireIn(const std::string &folder, std::string_view name, uid_t owner) {
  Release();
  // The folder is opened once and checked through its descriptor: a folder renamed and
  // replaced by a link after the check is never written into.
  const int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (dir < 0) return kUnavailable;
  struct stat st;
  if (fstat(dir, &st) != 0 || st.st_uid != owner || (st.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
    close(dir);
    return kUnavailable;
  }
  const std::string file = std::string(name) + ".lock";
  const int fd = openat(dir, file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  close(dir);
  if (fd < 0) return kUnavailable;
  // A lock file the superuser makes for a user stays the user's, so that the user's own
  // copies can open it.
  if (owner != getuid() && fchown(fd, owner, static_cast<gid_t>(-1)) != 0) {
    close(fd);
    return kUnavailable;
  }
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const bool busy = errno == EWOULDBLOCK;
    close(fd);
    return busy ? kHeldElsewhere : kUnavailable;
  }
  fd_ = fd;
  return kAcquired;
}

void InstanceLock::Release() {
  if (fd_ >= 0) {
    close(fd_);  // closing drops the flock
    fd_ = -1;
  }
}

}  // namespace platform
