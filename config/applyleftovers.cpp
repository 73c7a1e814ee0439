#include "applyleftovers.h"

#include "core/leftovers.h"
#include "qtcore/qstr.h"

size_t RemoveApplyLeftovers(const TGameFolders &f) {
  size_t removed = 0;
  for (const QString &folder : {f.MusicDir, f.DefaultDir, f.MusicDirTD, f.DefaultDirTD})
    if (!folder.isEmpty()) removed += platform::RemoveLeftoverTemporaries(platform::SS(folder));
  return removed;
}
