// What an extract or test command of the LHA syntax asks for, as the LHA and ARJ libraries
// both carry it out: the destination, with or without stored folders, and which entries.
#pragma once

#include "extraction.h"
#include "lhacommand.h"

namespace arc {

// "x" keeps stored folders unless -x0 says otherwise, "e" drops them, "t" only tests.
// Existing files are always replaced.
ExtractRequest LhaExtractRequest(const LhaCommand &cmd);

}  // namespace arc
