// The shell namespace as the folder tree sees it: "My Computer" holding the Wine prefix's
// drives in letter order, the file system below them. A file-system item is named by its
// canonical Windows path, so the same file reached through Z: and through its own drive is
// one item; virtual folders (My Computer, the trash, control panel, printers) have no path.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "folderenums.h"

namespace foldertree {

enum ShellAttribute : uint32_t {
  saHasSubFolder = 0x01,
  saFileSystem = 0x02,
  saFolder = 0x04,
  saFileSysAncestor = 0x08,
  saRemovable = 0x10,
  saHidden = 0x20,
  saShared = 0x40,  // Linux has no share flag on a folder; never set
  saLink = 0x80,    // a symbolic link, or a Windows shortcut (.lnk) inside the prefix
};

enum class VirtualFolder { None, MyComputer, Controls, Printers, Bitbucket };

struct ShellItem {
  QString name;       // display name within its folder
  QString id;         // identity within its folder: "C:" for a drive, else the Windows name
  QString path;       // canonical Windows path; empty for a virtual folder
  QString linuxPath;  // where its contents are read; empty when there is nothing to read
  uint32_t attributes = 0;
  VirtualFolder virtualFolder = VirtualFolder::None;

  bool Is(uint32_t attribute) const { return (attributes & attribute) != 0; }
  bool IsFolder() const { return Is(saFolder); }
};

ShellItem MyComputer();

// The folder a root value stands for; nullopt when it does not exist here.
std::optional<ShellItem> SystemFolder(TRootFolder root);

// An existing item named by a drive path ("C:\x", "c:/x", "Z:\tmp") or a "\\?\unix\…" path.
// Fails for relative paths and for items that don't exist.
std::optional<ShellItem> Parse(const QString &windowsPath);

// The levels of a canonical path from My Computer down: "C:\a\b" → {"C:", "a", "b"}.
QStringList PathLevels(const QString &canonicalPath);

// The children of a folder. nonFolders adds files; includeHidden adds names beginning with ".".
// Children whose names can't be followed back to an existing item (dangling links) are left out.
std::vector<ShellItem> Enumerate(const ShellItem &folder, bool nonFolders, bool includeHidden);

// Scans a folder until the first sub-folder, or the first file that fileShown accepts (given its
// Windows path). A null fileShown looks for sub-folders only. Stops early: this decides expand
// buttons, and a folder of thousands of files must not be read to the end for that.
bool HasShownChildren(const ShellItem &folder, bool includeHidden,
                      const std::function<bool(const QString &windowsPath)> &fileShown);

// Puts the children of one folder in the shell's order: drives by letter, folders before files,
// names without regard to case (case decides only between names that are otherwise equal).
// filesFirst turns the first rule round.
void SortItems(std::vector<ShellItem> &items, bool filesFirst = false);

// Joins a folder's canonical path and a child's Windows name.
QString ChildPath(const QString &folderPath, const QString &name);

}  // namespace foldertree
