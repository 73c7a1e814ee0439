// Finding an archive's format from its name or from its contents.
#pragma once

#include <string>

#include "drivers.h"

namespace archives {

// From the extension (the text from the last "." of the name, ASCII case ignored); ".exe"
// (self-extracting archives) goes by contents. atNone for any other extension or none.
TArchiverType ArchiverTypeFromExtension(const std::string &path);

// Runs every format's probe (each library once), then the format of the highest precedence
// whose probe said yes wins: LHA, ZIP, CAB, ARJ, RAR, and last the TAR library's answer. A
// format whose library is missing answers no; this never raises.
TArchiverType ArchiverTypeFromContents(const std::string &path);

}  // namespace archives
