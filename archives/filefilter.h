// The component's own expansion of a file list for packing, used instead of the library's
// when the options' PackFilter is pfComponent.
#pragma once

#include "options.h"

namespace archives {

// Expands files (absent or empty: every file of the current folder) into the files to pack:
// wildcards resolved, folders searched when r > 1, sub-folders when r > 0 (only for
// wildcard patterns when p > 0), files written between the date limits jo and job (YYMMDD
// or YYMMDDhhmmss in local time; any other length: no limit), hidden files only when a > 0.
// Returns the names sorted (case ignored), each once. Then changes options so that the
// library does not repeat the work: r = -1, jo and job unset, p = 1. On an error (a date
// limit that is no date) raises EArchiver and leaves options unchanged.
//
// Short 8.3 names (ji > 0) are the long names here: Linux file systems have no others.
// A folder reached again through a link inside itself is not searched again.
TStringList ExpandFileList(TArchiverOptions &options, const TStringList *files);

}  // namespace archives
