#include "shellnamespace.h"

#include <QDirIterator>
#include <algorithm>
#include <QFileInfo>

#include "core/fileops.h"
#include "core/winpath.h"
#include "qt/qstr.h"

using platform::QS;
using platform::SS;

namespace foldertree {

namespace {

const QString kMyComputer = QStringLiteral("マイ コンピュータ");

bool IsRemovableRoot(const std::string &linuxRoot) {
  for (const char *mount : {"/media/", "/run/media/", "/mnt/"})
    if (linuxRoot.rfind(mount, 0) == 0) return true;
  return false;
}

QString DriveName(char letter, bool removable) {
  return (removable ? QStringLiteral("リムーバブル ディスク (%1:)") : QStringLiteral("ローカル ディスク (%1:)"))
      .arg(QChar(letter));
}

QString LinuxChild(const QString &folder, const QString &linuxName) {
  return folder == QLatin1String("/") ? QLatin1Char('/') + linuxName : folder + QLatin1Char('/') + linuxName;
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
  item.name = item.id = kMyComputer;
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
  const auto entries = platform::ListDirectory(SS(folderPath));
  out.reserve(entries.size());
  for (const auto &e : entries) {
    const bool isFolder = (e.attributes & platform::faDirectory) != 0;
    const bool hidden = (e.attributes & platform::faHidden) != 0;
    const bool symlink = (e.attributes & platform::faSymLink) != 0;
    if (!isFolder && !nonFolders) continue;
    if (hidden && !includeHidden) continue;
    ShellItem item;
    item.id = item.name = QS(e.name);
    item.linuxPath = LinuxChild(folder.linuxPath, QS(platform::NameToLinux(e.name)));
    if (symlink && !QFileInfo::exists(item.linuxPath)) continue;  // a dangling link names nothing
    // A folder may be the root of a deeper drive (drive_c below Z:); a file never is.
    item.path = isFolder ? QS(platform::ToWindows(SS(item.linuxPath))) : ChildPath(folderPath, item.id);
    item.attributes = AttributesOf(isFolder, hidden, symlink || (!isFolder && IsShortcutName(item.id)));
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
    if (fileShown && fileShown(ChildPath(folder.path, QS(platform::NameToWindows(SS(info.fileName())))))) return true;
  }
  return false;
}

int Compare(const ShellItem &a, const ShellItem &b) {
  const bool driveA = a.id.size() == 2 && a.id.endsWith(QLatin1Char(':')) && IsDriveRootPath(a.path);
  const bool driveB = b.id.size() == 2 && b.id.endsWith(QLatin1Char(':')) && IsDriveRootPath(b.path);
  if (driveA && driveB) return QString::compare(a.id, b.id);
  if (a.IsFolder() != b.IsFolder()) return a.IsFolder() ? -1 : 1;
  if (int c = QString::compare(a.name, b.name, Qt::CaseInsensitive)) return c;
  return QString::compare(a.name, b.name, Qt::CaseSensitive);
}

}  // namespace foldertree
