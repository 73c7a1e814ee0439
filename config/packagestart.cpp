#include "packagestart.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/winpath.h"
#include "lha/header.h"
#include "lha/io.h"
#include "qtcore/qstr.h"

namespace {

TPackageStart CheckInput(const lha::ArchiveInput &in) {
  if (in.size() == 0) return TPackageStart::NotAnArchive;
  lha::Entry entry;
  lha::HeaderStatus status;
  if (lha::readHeader(in, 0, entry, status) == lha::Error::None) return TPackageStart::Header;
  std::uint64_t offset = 0;
  return lha::findFirstHeader(in, offset) == lha::Error::NotAnArchive ? TPackageStart::NotAnArchive
                                                                      : TPackageStart::Damaged;
}

}  // namespace

TPackageStart CheckPackageStart(const QString &packageFile) {
  const std::string linux = platform::ToLinux(platform::SS(packageFile));
  // Non-blocking: a pipe named like a package is no package, and must not hold the import.
  const int fd = linux.empty() ? -1 : open(linux.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return TPackageStart::NotAnArchive;
  struct stat st {};
  const bool regular = fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  const lha::FdInput in(fd);
  const TPackageStart start = regular && in.valid() ? CheckInput(in) : TPackageStart::NotAnArchive;
  close(fd);
  return start;
}
