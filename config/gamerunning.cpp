#include "gamerunning.h"

#include "core/fileops.h"
#include "qtcore/qstr.h"
#include "x11/windows.h"

bool IsGameRunning(const TGameFolders &folders) {
  std::vector<std::string> exeNames;
  for (const QString &path : {folders.ClientPath, folders.ClientPathTD})
    if (!path.isEmpty()) exeNames.push_back(platform::ExtractFileName(platform::SS(path)));
  return platform::IsGameRunning(exeNames);
}
