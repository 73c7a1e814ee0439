// Writing the selected configuration as a package: an LHA archive (".mdk") that holds every
// file the configuration assigns and an index ("index.ini") mapping each scene to its file by
// a path relative to the package.
#pragma once

#include <QString>
#include <vector>

#include "session.h"
#include "sources.h"

// One file of the package: the scene whose key it gets (-1 for a scene of another music set of
// the game), its key, the file copied, where it goes in the staging folder, and the scene's
// Source as assigned (an entry keeps its entry in the index).
struct TPackageCopy {
  int Scene = 0;
  QString Key;
  QString Source;
  QString Destination;
  TSource Assigned;
};

// The staging folder's path: TempPath + "melodeck\Export", or the first of Export0, Export01,
// Export012, … that could be emptied. Empty when none could.
QString PrepareExportFolder(const QString &workFolder);

// The copies of an export into exportFolder, in table order: scenes whose file exists and is
// not the game's own; then the selected configuration's assignments to the game's other music
// sets, as stored. A file name shared by different files goes into a numbered folder per
// path ("000", "001", … in order of first appearance). The numbered folders are created here;
// failed is set to the one that could not be.
std::vector<TPackageCopy> PlanPackageCopies(const TSession &session, const QString &exportFolder, QString &failed);

enum class TExportResult {
  Written,
  NoConfiguration,  // none selected, or "標準": nothing is told
  NoWorkFolder,     // the work folder can't be made
  NotEmptied,       // no staging folder could be emptied
  NoFolder,         // a staging folder can't be made (Folder: the numbered one, when it was that)
  NothingToPack,    // no scene has a file of its own that exists
  NotReplaced,      // the package file exists and can't be removed
  NotPacked,        // the archiver failed
};

struct TExportReport {
  TExportResult Result = TExportResult::NoConfiguration;
  QString Folder;
  bool Written() const { return Result == TExportResult::Written; }
};

// Exports the selected configuration into packageFile; nothing is shown, the report says how it
// ended. Errors of the archive component (EArchiver) and of writing the index are raised.
TExportReport WritePackage(TSession &session, const QString &packageFile);
