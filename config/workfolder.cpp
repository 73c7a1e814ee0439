#include "workfolder.h"

#include <algorithm>

#include "core/fileops.h"
#include "qtcore/qstr.h"

using platform::QS;
using platform::SS;

TWorkFolder::TWorkFolder() {
  const std::string temp = platform::TempPath();
  if (!temp.empty()) path_ = QS(temp) + "melodeck";
}

QString TWorkFolder::FolderFor(const QString &archivePath) {
  if (path_.isEmpty()) return {};
  if (const auto known = folders_.constFind(archivePath); known != folders_.constEnd()) return path_ + "\\" + *known;
  const QString base = QS(platform::ExtractFileName(SS(archivePath)));
  QString name = base;
  for (int n = 2;; ++n) {
    const bool taken = std::find(folders_.cbegin(), folders_.cend(), name) != folders_.cend();
    if (!taken && !platform::DirectoryExists(SS(path_ + "\\" + name))) break;
    name = base + "~" + QString::number(n);
  }
  folders_.insert(archivePath, name);
  return path_ + "\\" + name;
}

bool TWorkFolder::Remove() {
  folders_.clear();
  return platform::DeleteTree(SS(path_));
}
