#include "filemask.h"

#include "core/winpath.h"
#include "qtcore/qstr.h"

namespace foldertree {

void TFileMaskTest::Prepare(const QStringList &fileMask, const QStringList &unFileMask) {
  if (prepared_ && fileMask == fileMask_ && unFileMask == unFileMask_) return;
  prepared_ = true;
  fileMask_ = fileMask;
  unFileMask_ = unFileMask;
  extensions_.clear();
  hidden_.clear();
  for (const QString &ext : fileMask) extensions_.insert(ext.toUpper());
  for (const QString &path : unFileMask) {
    hidden_.insert(path.toCaseFolded());
    // The owner writes the paths it knows (from the registry, say); the tree names files by
    // their canonical paths. Both forms hide the file.
    const std::string canonical = platform::Paths().Canonical(platform::SS(path));
    if (!canonical.empty()) hidden_.insert(platform::QS(canonical).toCaseFolded());
  }
}

bool TFileMaskTest::Passes(const QString &windowsPath) const {
  if (extensions_.isEmpty()) return true;
  if (windowsPath.isEmpty()) return false;
  if (hidden_.contains(windowsPath.toCaseFolded())) return false;
  const int slash = windowsPath.lastIndexOf(QLatin1Char('\\'));
  const int dot = windowsPath.lastIndexOf(QLatin1Char('.'));
  if (dot <= slash) return false;
  return extensions_.contains(windowsPath.mid(dot).toUpper());
}

}  // namespace foldertree
