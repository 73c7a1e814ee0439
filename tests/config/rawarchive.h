// LHA archives with exactly the stored names given, made by our codec: no packing command
// stores names like "../x". Kept apart from Qt, whose "emit" the codec's headers can't take.
#pragma once

#include <string>
#include <utility>
#include <vector>

// The archive's bytes: stored (lh0) entries, name → contents, in order.
std::string RawLhaArchive(const std::vector<std::pair<std::string, std::string>> &entries);
