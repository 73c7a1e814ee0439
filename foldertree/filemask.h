// Which files the tree shows: a file passes when its extension is one of FileMask's (exact
// extensions with the dot, compared without case) and its full path is none of UnFileMask's.
// An empty FileMask shows every file and ignores UnFileMask.
#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

namespace foldertree {

class TFileMaskTest {
 public:
  // Cheap when the lists haven't changed since the last call: the owner fills the lists in
  // place, so they are compared rather than watched.
  void Prepare(const QStringList &fileMask, const QStringList &unFileMask);

  bool Empty() const { return extensions_.isEmpty(); }
  // windowsPath: the file's full path as the tree names it (canonical).
  bool Passes(const QString &windowsPath) const;

 private:
  bool prepared_ = false;
  QStringList fileMask_, unFileMask_;
  QSet<QString> extensions_;  // upper case
  QSet<QString> hidden_;      // case-folded full paths, as written and canonical
};

}  // namespace foldertree
