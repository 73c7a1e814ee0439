// Reading a package as a new configuration: the package is unpacked for good into a numbered
// folder beside the program ("Package\000", "Package\001", …) and the configuration's
// assignments point at the files there with full paths.
#pragma once

#include <QString>
#include <vector>

#include "importquestions.h"
#include "session.h"

// The first "Package\NNN" (at least three digits) beside the program that does not exist yet;
// empty when all up to 65535 exist. programFolder ends in "\".
QString ChooseImportFolder(const QString &programFolder);

enum class TImportResult {
  Imported,         // stored; every file the index names arrived
  Incomplete,       // stored, but the package is damaged: files its index names are not in it
  Cancelled,        // a question was answered no, or no name could be settled
  NotAnArchive,     // empty, unreadable, or no LHA archive
  NoIndex,          // an LHA archive without a package index
  NoConfiguration,  // an index that names no configuration
  Damaged,          // does not unpack whole: a damaged entry, bytes before the first, a name
                    // leaving the folder, a cut inside an entry
  NoWorkFolder,     // the work folder can't be made
  NoImportFolder,   // no "Package\NNN" folder can be reserved or made
  NoScratch,        // an earlier index in the work folder can't be replaced
};

// A scene the import left standard: its name, the index value, and why (empty: the package
// lacks the file).
struct TLeftStandard {
  QString Scene;
  QString Value;
  QString Unsafe;
};

struct TImportReport {
  TImportResult Result = TImportResult::Cancelled;
  QString PackageFile;
  QString Name;                             // the configuration stored
  int Refused = 0;                          // scenes left standard: their index values lead outside the package
  int Missing = 0;                          // scenes left standard: their files are not in the package
  std::vector<TLeftStandard> LeftStandard;  // in table order
  // NoWorkFolder, NoImportFolder: the folder that could not be made (empty: there was none to
  // make: no work folder at all, or every numbered folder taken).
  QString Folder;
  TBackupReport Backups;  // of loading the stored configuration
  // Damaged: the index alone did not unpack, or did not arrive with the rest. Such a package is
  // left without a word, as what is not a package is.
  bool IndexDamaged = false;
  bool Stored() const { return Result == TImportResult::Imported || Result == TImportResult::Incomplete; }
};

// Imports packageFile; nothing is shown, the report says how it ended. The name is settled
// through questions. After a stored import the configuration is loaded and selected, and the
// scene list has to be filled again; otherwise nothing is left behind.
// Errors of the archive component (EArchiver) and of writing the settings file are raised.
// asName: the name to store it under instead of the package's own (asked about the same way).
TImportReport ImportPackage(TSession &session, const QString &packageFile, TImportQuestions &questions,
                            const QString &asName = QString());

// Whether a dropped file starts an import: an existing file whose extension is ".mdk",
// without regard to case.
bool IsPackageFile(const QString &path);
