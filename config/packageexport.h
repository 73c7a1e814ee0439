// Writing the selected configuration as a package: an LHA archive (".mdk") that holds every
// file the configuration assigns and an index ("index.ini") mapping each scene to its file by
// a path relative to the package.
#pragma once

#include <QString>
#include <vector>

#include "session.h"
#include "sources.h"

// One file of the package: the scene whose key it gets, the file copied, where it goes in the
// staging folder, and the scene's Source as assigned (an entry keeps its entry in the index).
struct TPackageCopy {
  int Scene = 0;
  QString Source;
  QString Destination;
  TSource Assigned;
};

// The staging folder's path: TempPath + "melodeck\Export", or the first of Export0, Export01,
// Export012, … that could be emptied. Empty when none could.
QString PrepareExportFolder(const QString &workFolder);

// The copies of an export into exportFolder, in table order: scenes whose file exists and is
// not the game's own. A file name shared by different files goes into a numbered folder per
// path ("000", "001", … in order of first appearance). The numbered folders are created here;
// failed is set to the one that could not be.
std::vector<TPackageCopy> PlanPackageCopies(const TSession &session, const QString &exportFolder, QString &failed);

// Exports the selected configuration into packageFile. Every outcome is told to the user;
// true when the package was written.
// Errors of the archive component (EArchiver) and of writing the index are raised.
bool ExportPackage(TSession &session, const QString &packageFile);
