#include "workfolder.h"

#include <QCoreApplication>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "core/fileops.h"
#include "core/winpath.h"
#include "qtcore/qstr.h"

using platform::QS;
using platform::SS;

namespace {
constexpr char kPattern[] = "melodeck-XXXXXX";
}  // namespace

TWorkFolder::~TWorkFolder() { Remove(); }

// Made by this process, still a real folder (no link put in its place) of this user.
bool TWorkFolder::StillOurs() const {
  if (path_.isEmpty() || owner_ != getpid()) return false;
  struct stat st;
  return lstat(linux_.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == geteuid();
}

QString TWorkFolder::Path() {
  if (StillOurs()) return path_;
  // Gone (or never ours): a new folder, with no memory of the old one's archive folders.
  path_.clear();
  linux_.clear();
  folders_.clear();
  const std::string temp = platform::TempPath();
  const std::string tempLinux = temp.empty() ? std::string() : platform::ToLinux(temp);
  if (tempLinux.empty()) {
    const char *tmp = getenv("TMPDIR");
    error_ = QS(std::string(tmp && *tmp ? tmp : "/tmp") + "/" + kPattern) + ": " + QS(std::strerror(ENAMETOOLONG));
    return {};
  }
  std::string pattern = tempLinux;
  if (pattern.back() != '/') pattern += '/';
  pattern += kPattern;
  std::string made = pattern;
  if (!mkdtemp(made.data())) {
    error_ = QS(pattern) + ": " + QS(std::strerror(errno));
    return {};
  }
  const std::string windows = platform::ToWindows(made);
  if (windows.empty()) {
    rmdir(made.c_str());
    error_ = QS(pattern) + ": " + QS(std::strerror(ENAMETOOLONG));
    return {};
  }
  linux_ = made;
  path_ = QS(windows);
  owner_ = getpid();
  error_.clear();
  return path_;
}

QString TWorkFolder::FolderFor(const QString &archivePath) {
  const QString work = Path();
  if (work.isEmpty()) return {};
  if (const auto known = folders_.constFind(archivePath); known != folders_.constEnd()) return work + "\\" + *known;
  const QString base = QS(platform::ExtractFileName(SS(archivePath)));
  QString name = base;
  for (int n = 2;; ++n) {
    const bool taken = std::find(folders_.cbegin(), folders_.cend(), name) != folders_.cend();
    if (!taken && !platform::DirectoryExists(SS(work + "\\" + name))) break;
    name = base + "~" + QString::number(n);
  }
  folders_.insert(archivePath, name);
  return work + "\\" + name;
}

bool TWorkFolder::Remove() {
  folders_.clear();
  if (path_.isEmpty()) return true;
  const bool ours = StillOurs();
  const QString path = std::exchange(path_, QString());
  linux_.clear();
  if (!ours) return owner_ == getpid();  // ours, gone already; another process's stays
  return platform::DeleteTree(SS(path));
}

QString WorkFolderFailureText(const TWorkFolder &work) {
  return QCoreApplication::translate("WorkFolder", "作業フォルダを作成できません: %1").arg(work.Error());
}
