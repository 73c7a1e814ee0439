#include "shellnamespace.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <algorithm>
#include <QFileInfo>

#include "core/winpath.h"
#include "qtcore/qstr.h"

using platform::QS;
using platform::SS;

namespace foldertree {

namespace {

const QString kMyComputer = QStringLiteral("マイ コンピュータ");  // notr: the folder's id; its name is translated

bool IsRemovableRoot(const std::string &linuxRoot) {
  for (const char *mount : {"/media/", "/run/media/", "/mnt/"})
    if (linuxRoot.rfind(mount, 0) == 0) return true;
  return false;
}

QString DriveName(char letter, bool removable) {
  return (removable ? QCoreApplication::translate("Folders", "リムーバブル ディスク (%1:)")
                    : QCoreApplication::translate("Folders", "ローカル ディスク (%1:)"))
      .arg(QChar(letter));
}

// A Linux name as Windows shows it; most names need no change and are not converted at all.
QString WindowsName(const QString &linuxName) {
  static const QString forbidden = QStringLiteral("\\:*?\"<>|");
  for (QChar ch : linuxName)
    if (forbidden.contains(ch)) return QS(platform::NameToWindows(SS(linuxName)));
  return linuxName;
}

bool IsShortcutName(const QString &name) { return name.endsWith(QLatin1String(".lnk"), Qt::CaseInsensitive); }

uint32_t AttributesOf(bool folder, bool hidden, bool link) {
  uint32_t a = saFileSystem;
  if (folder) a |= saFolder | saFileSysAncestor;
  if (hidden) a |= saHidden;
  if (link) a |= saLink;
  return a;
}

// A drive as My Computer lists it, or nullopt when its folder is gone (a dead link in
// dosdevices is no drive the user can open).
std::optional<ShellItem> DriveItem(const platform::Drive &d) {
  const QString root = QS(d.linuxRoot);
  if (!QFileInfo(root).isDir()) return std::nullopt;
  const bool removable = IsRemovableRoot(d.linuxRoot);
  ShellItem item;
  item.id = QString(QChar(d.letter)) + QLatin1Char(':');
  item.name = DriveName(d.letter, removable);
  item.path = item.id + QLatin1Char('\\');
  item.linuxPath = root;
  item.attributes = AttributesOf(true, false, false) | (removable ? saRemovable : 0);
  return item;
}

std::vector<ShellItem> Drives() {
  std::vector<ShellItem> out;
  for (const auto &d : platform::Paths().Drives())
    if (auto item = DriveItem(d)) out.push_back(std::move(*item));
  std::sort(out.begin(), out.end(), [](const ShellItem &a, const ShellItem &b) { return a.id < b.id; });
  return out;
}

bool IsDriveRootPath(const QString &path) { return path.size() == 3 && path.endsWith(QLatin1String(":\\")); }

}  // namespace

ShellItem MyComputer() {
  ShellItem item;
  item.id = kMyComputer;
  item.name = QCoreApplication::translate("Folders", "マイ コンピュータ");
  item.virtualFolder = VirtualFolder::MyComputer;
  item.attributes = saFolder | saFileSysAncestor | saHasSubFolder;
  return item;
}

QString ChildPath(const QString &folderPath, const QString &name) {
  return folderPath.endsWith(QLatin1Char('\\')) ? folderPath + name : folderPath + QLatin1Char('\\') + name;
}

QStringList PathLevels(const QString &canonicalPath) {
  return canonicalPath.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
}

std::optional<ShellItem> Parse(const QString &windowsPath) {
  const bool driveAbsolute = windowsPath.size() >= 2 && windowsPath[0].isLetter() && windowsPath[0].unicode() < 128 &&
                             windowsPath[1] == QLatin1Char(':');
  if (!driveAbsolute && !windowsPath.startsWith(QLatin1String("\\\\?\\unix"))) return std::nullopt;
  const auto &paths = platform::Paths();
  const std::string canonical = paths.Canonical(SS(windowsPath));
  const std::string linux = paths.ToLinux(canonical);
  if (linux.empty()) return std::nullopt;
  const QFileInfo info(QS(linux));
  if (!info.exists()) return std::nullopt;

  const QString path = QS(canonical);
  if (IsDriveRootPath(path)) {
    for (const auto &d : paths.Drives())
      if (d.letter == path[0].toLatin1()) return DriveItem(d);
    return std::nullopt;
  }
  ShellItem item;
  item.path = path;
  item.linuxPath = QS(linux);
  item.id = item.name = path.mid(path.lastIndexOf(QLatin1Char('\\')) + 1);
  item.attributes = AttributesOf(info.isDir(), item.id.startsWith(QLatin1Char('.')),
                                 info.isSymLink() || (!info.isDir() && IsShortcutName(item.id)));
  return item;
}

std::vector<ShellItem> Enumerate(const ShellItem &folder, bool nonFolders, bool includeHidden) {
  switch (folder.virtualFolder) {
    case VirtualFolder::MyComputer:
      return Drives();
    case VirtualFolder::Controls:
    case VirtualFolder::Printers:
      return {};  // nothing on Linux stands for their contents
    case VirtualFolder::Bitbucket:
    case VirtualFolder::None:
      break;
  }
  std::vector<ShellItem> out;
  if (folder.linuxPath.isEmpty()) return out;
  const QString folderPath = folder.path.isEmpty() ? QS(platform::ToWindows(SS(folder.linuxPath))) : folder.path;
  // The directory's own entry types say file or folder: a folder of thousands of files is read
  // without a stat per file. Only links are followed, to see what they name.
  QDir::Filters filters = QDir::Dirs | QDir::NoDotAndDotDot;
  if (nonFolders) filters |= QDir::Files;
  if (includeHidden) filters |= QDir::Hidden;
  QDirIterator it(folder.linuxPath, filters);
  while (it.hasNext()) {
    it.next();
    const QFileInfo info = it.fileInfo();  // a dangling link never gets here: it names nothing
    const bool isFolder = info.isDir();
    const bool symlink = info.isSymLink();
    ShellItem item;
    item.id = item.name = WindowsName(info.fileName());
    item.linuxPath = it.filePath();
    // A folder may be the root of a deeper drive (drive_c below Z:); a file never is.
    item.path = isFolder ? QS(platform::ToWindows(SS(item.linuxPath))) : ChildPath(folderPath, item.id);
    item.attributes =
        AttributesOf(isFolder, item.id.startsWith(QLatin1Char('.')), symlink || (!isFolder && IsShortcutName(item.id)));
    out.push_back(std::move(item));
  }
  return out;
}

bool HasShownChildren(const ShellItem &folder, bool includeHidden,
                      const std::function<bool(const QString &windowsPath)> &fileShown) {
  if (folder.virtualFolder == VirtualFolder::MyComputer) return !Drives().empty();
  if (folder.linuxPath.isEmpty()) return false;
  QDir::Filters filters = QDir::Dirs | QDir::NoDotAndDotDot;
  if (fileShown) filters |= QDir::Files;
  if (includeHidden) filters |= QDir::Hidden;
  QDirIterator it(folder.linuxPath, filters);
  while (it.hasNext()) {
    it.next();
    const QFileInfo info = it.fileInfo();
    if (info.isDir()) return true;
    if (fileShown && fileShown(ChildPath(folder.path, WindowsName(info.fileName())))) return true;
  }
  return false;
}

void SortItems(std::vector<ShellItem> &items, bool filesFirst) {
  // Folded names are made once per item, not once per comparison: a folder of thousands of
  // files is sorted with plain comparisons.
  struct Key {
    int group;  // drives, then folders, then files (files first when asked)
    QString folded;
    ShellItem *item;
  };
  std::vector<Key> keys;
  keys.reserve(items.size());
  for (ShellItem &item : items) {
    const bool drive = IsDriveRootPath(item.path) && item.id.size() == 2;
    const int group = drive ? 0 : (item.IsFolder() != filesFirst ? 1 : 2);
    keys.push_back({group, drive ? item.id : item.name.toCaseFolded(), &item});
  }
  std::stable_sort(keys.begin(), keys.end(), [](const Key &a, const Key &b) {
    if (a.group != b.group) return a.group < b.group;
    if (int c = QString::compare(a.folded, b.folded)) return c < 0;
    return QString::compare(a.item->name, b.item->name) < 0;
  });
  std::vector<ShellItem> sorted;
  sorted.reserve(items.size());
  for (const Key &k : keys) sorted.push_back(std::move(*k.item));
  items = std::move(sorted);
}

}  // namespace foldertree
