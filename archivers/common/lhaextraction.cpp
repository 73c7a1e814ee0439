#include "lhaextraction.h"

#include "core/fullpath.h"
#include "core/winpath.h"
#include "errors.h"
#include "names.h"

namespace arc {

LhaExtraction::LhaExtraction(const LhaCommand &cmd)
    : testOnly(cmd.letter == 't'),
      keepFolders(cmd.letter == 'x' && cmd.storePaths != 0),
      folder_(cmd.folder.empty() ? "." : cmd.folder),
      selector_(cmd.files) {
  for (const auto &x : cmd.exclusions) exclusions_.Add(x);
}

int LhaExtraction::OpenDestination(Destination &dest) const {
  if (testOnly) return kOk;
  const std::string folder = platform::ToLinux(platform::ExpandFileName(folder_));
  return !folder.empty() && dest.Open(folder) ? kOk : kErrMakeDirectory;
}

bool LhaExtraction::Wants(const std::string &name) const {
  return selector_.Selects(name) && !exclusions_.Excludes(name);
}

bool LhaExtraction::Place(const std::string &name, std::vector<std::string> &parts, Output &out, int &result) const {
  if (SplitEntryPath(name, parts) != PathCheck::Refused) return true;
  out.Line("refused (leaves the folder): " + name);
  Keep(result, kErrNotFilename);
  return false;
}

}  // namespace arc
