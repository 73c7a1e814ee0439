// The work folder: scratch space under the system's temporary folder for extracted archive
// entries, package staging and package scratch files. Emptied when the folder tree is
// refreshed and removed at exit.
#pragma once

#include <QHash>
#include <QString>

class TWorkFolder {
 public:
  // TempPath + "melodeck"; empty when the temporary folder's path is too long: there is then
  // no work folder at all, rather than one relative to wherever the program was started.
  TWorkFolder();
  const QString &Path() const { return path_; }

  // The folder an archive's entries are extracted to: named after the archive's file name
  // ("melodeck\pack.lzh"). Each archive, by its full path, has a folder of its own for the
  // folder's lifetime: a second archive of the same name gets "pack.lzh~2" and so on, and a
  // name left on disk by an earlier run is never taken over. Empty without a work folder.
  QString FolderFor(const QString &archivePath);

  // Removes the folder with everything in it; true when it is gone.
  bool Remove();

 private:
  QString path_;
  QHash<QString, QString> folders_;  // archive path → its folder's name
};
