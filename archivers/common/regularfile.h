// Opening a file that must be a regular file: a FIFO or device named as an archive (or
// planted among files to pack) would block or never end.
#pragma once

#include <string>

namespace arc {

// A read-only descriptor, or -1 when the path is not a regular file or cannot be opened.
int OpenRegularFile(const std::string &linuxPath);

}  // namespace arc
