#include "lhaextraction.h"

namespace arc {

ExtractRequest LhaExtractRequest(const LhaCommand &cmd) {
  ExtractRequest r;
  r.archive = cmd.archive;
  r.folder = cmd.folder;
  r.files = cmd.files;
  for (const auto &x : cmd.exclusions) r.exclusions.Add(x);
  r.testOnly = cmd.letter == 't';
  r.keepFolders = cmd.letter == 'x' && cmd.storePaths != 0;
  r.overwrite = Overwrite::Always;
  return r;
}

}  // namespace arc
