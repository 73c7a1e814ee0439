#include "copyfailure.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "winpath.h"

namespace platform {

namespace {

CopyFailure SourceFailureOf(const struct stat &st) {
  if (S_ISREG(st.st_mode)) return CopyFailure::None;
  return S_ISDIR(st.st_mode) ? CopyFailure::SourceIsFolder : CopyFailure::SourceNotRegular;
}

CopyFailure SourceOpenFailure(int err) {
  return err == ENOENT || err == ENOTDIR || err == ELOOP ? CopyFailure::SourceMissing : CopyFailure::SourceUnreadable;
}

}  // namespace

CopyFailure SourceFailure(std::string_view windowsPath) {
  const std::string l = ToLinux(windowsPath);
  struct stat st;
  if (l.empty()) return CopyFailure::SourceMissing;
  if (stat(l.c_str(), &st) != 0) return SourceOpenFailure(errno);
  return SourceFailureOf(st);
}

int OpenCopySource(const std::string &linuxPath, CopyFailure &failure) {
  // The kind is looked at before the open, so that a device is not even opened; the open
  // does not wait (a FIFO without a writer), and the opened file is checked once more.
  struct stat st;
  if (stat(linuxPath.c_str(), &st) != 0) {
    failure = SourceOpenFailure(errno);
    return -1;
  }
  if ((failure = SourceFailureOf(st)) != CopyFailure::None) return -1;
  const int fd = open(linuxPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) {
    failure = SourceOpenFailure(errno);
    return -1;
  }
  if (fstat(fd, &st) != 0 || (failure = SourceFailureOf(st)) != CopyFailure::None) {
    if (failure == CopyFailure::None) failure = CopyFailure::SourceUnreadable;
    close(fd);
    return -1;
  }
  return fd;
}

CopyFailure TargetFailure(int err) {
  switch (err) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return CopyFailure::DiskFull;
    case EACCES:
    case EPERM:
    case EROFS:
      return CopyFailure::WriteProtected;
    case EISDIR:
      return CopyFailure::TargetIsFolder;
    case EIO:
      return CopyFailure::WriteError;
    case EBUSY:
    case ETXTBSY:
      return CopyFailure::InUse;
    default:
      return CopyFailure::Other;
  }
}

}  // namespace platform
