#include "instancelock.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace platform {

std::string InstanceLock::Folder() {
  if (const char *xdg = getenv("XDG_RUNTIME_DIR"); xdg && *xdg) return xdg;
  std::string user;
  if (const passwd *pw = getpwuid(getuid())) user = pw->pw_name;
  else user = std::to_string(getuid());
  const std::string dir = "/tmp/runtime-" + user;
  mkdir(dir.c_str(), 0700);
  return dir;
}

InstanceLock::Result InstanceLock::Acquire(std::string_view name) {
  Release();
  const std::string path = Folder() + "/" + std::string(name) + ".lock";
  const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
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
