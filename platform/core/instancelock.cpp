#include "instancelock.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace platform {

namespace {

// A folder fit to hold the lock: a real folder (not a link) of this user that nobody else may
// write to, so that another user can neither hold the lock nor plant a link in its place.
bool PrivateFolder(const std::string &dir) {
  struct stat st;
  return lstat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == getuid() &&
         (st.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

}  // namespace

std::string InstanceLock::Folder() {
  if (const char *xdg = getenv("XDG_RUNTIME_DIR"); xdg && *xdg && PrivateFolder(xdg)) return xdg;
  std::string user;
  if (const passwd *pw = getpwuid(getuid())) user = pw->pw_name;
  else user = std::to_string(getuid());
  const std::string dir = "/tmp/runtime-" + user;
  mkdir(dir.c_str(), 0700);
  return PrivateFolder(dir) ? dir : std::string();
}

InstanceLock::Result InstanceLock::Acquire(std::string_view name) {
  Release();
  const std::string folder = Folder();
  if (folder.empty()) return kUnavailable;
  const std::string path = folder + "/" + std::string(name) + ".lock";
  const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return kUnavailable;
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
