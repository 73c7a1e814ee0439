// Temporary files of a process that was killed or stopped before it placed them.
#pragma once

#include <cstddef>
#include <string_view>

namespace platform {

// Removes from the folder (a Windows path) the regular files whose names are an AtomicFile's
// temporary names; nothing else, and nothing in subfolders. A link of such a name is left
// alone. The number removed.
size_t RemoveLeftoverTemporaries(std::string_view windowsFolder);

}  // namespace platform
