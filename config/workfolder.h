// The work folder: this process's own scratch space under the system's temporary folder for
// extracted archive entries, package staging and package scratch files. Made on first need,
// private to its user, emptied when the folder tree is refreshed and removed at exit, by the
// process that made it only: a window and a command line beside it never share one.
#pragma once

#include <QHash>
#include <QString>
#include <sys/types.h>

#include <string>

class TWorkFolder {
 public:
  TWorkFolder() = default;
  ~TWorkFolder();  // removes the folder this process made
  TWorkFolder(const TWorkFolder &) = delete;
  TWorkFolder &operator=(const TWorkFolder &) = delete;

  // The folder's Windows path: TempPath + "melodeck-XXXXXX", made now (readable by its user
  // alone, under a name nobody else had) unless this process made it already and it is still
  // there. Empty when it can't be made (Error() says why), never a folder relative to the
  // current one nor one that another process or user made.
  QString Path();
  // Why the last Path() gave nothing: "<the folder's Linux path>: <reason>"; empty after a
  // folder was made.
  const QString &Error() const { return error_; }

  // The folder an archive's entries are extracted to: named after the archive's file name
  // ("melodeck-XXXXXX\pack.lzh"). Each archive, by its full path, has a folder of its own for
  // the folder's lifetime: a second archive of the same name gets "pack.lzh~2" and so on, and
  // a name already on disk is never taken over. Empty without a work folder.
  QString FolderFor(const QString &archivePath);

  // Removes the folder with everything in it when this process made it (the next Path()
  // makes a new one); true when nothing of it is left. A folder of another process, or one
  // whose path no longer is this user's folder (replaced by a link), is never touched.
  bool Remove();

 private:
  bool StillOurs() const;

  QString path_;       // Windows path; empty until made
  std::string linux_;  // the same folder as a Linux path
  pid_t owner_ = 0;
  QString error_;
  QHash<QString, QString> folders_;  // archive path → its folder's name
};

// The window's message for a work folder that can't be made, with the reason.
QString WorkFolderFailureText(const TWorkFolder &work);
