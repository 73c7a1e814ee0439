#include "leftovers.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "atomicfile.h"
#include "winpath.h"

namespace platform {

size_t RemoveLeftoverTemporaries(std::string_view windowsFolder) {
  const std::string folder = ToLinux(windowsFolder);
  if (folder.empty()) return 0;
  DIR *d = opendir(folder.c_str());
  if (!d) return 0;
  size_t removed = 0;
  while (const dirent *e = readdir(d)) {
    if (!IsAtomicFileTemporary(e->d_name)) continue;
    // Looked at and removed relative to the opened folder: a link is never followed.
    struct stat st;
    if (fstatat(dirfd(d), e->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode)) continue;
    if (unlinkat(dirfd(d), e->d_name, 0) == 0) ++removed;
  }
  closedir(d);
  return removed;
}

}  // namespace platform
