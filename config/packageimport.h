// Reading a package as a new configuration: the package is unpacked for good into a numbered
// folder beside the program ("Package\000", "Package\001", …) and the configuration's
// assignments point at the files there with full paths.
#pragma once

#include <QString>

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
  NoScratch,        // a file of the work folder (an earlier index, the scratch file) can't be replaced
};

struct TImportReport {
  TImportResult Result = TImportResult::Cancelled;
  QString Name;     // the configuration stored
  int Refused = 0;  // scenes left standard: their index values lead outside the package
  int Missing = 0;  // scenes left standard: their files are not in the package
  bool Stored() const { return Result == TImportResult::Imported || Result == TImportResult::Incomplete; }
};

// Imports packageFile. What is not a package is left without a word; the name is settled
// through questions; failures to unpack and scenes left standard are told through the
// session's dialogs, in one message each. After a stored import the configuration is loaded and
// selected, and the scene list has to be filled again; otherwise nothing is left behind.
// Errors of the archive component (EArchiver) and of writing the settings file are raised.
// asName: the name to store it under instead of the package's own (asked about the same way).
TImportReport ImportPackage(TSession &session, const QString &packageFile, TImportQuestions &questions,
                            const QString &asName = QString());
// The same, asking through the session's dialogs; true when stored.
bool ImportPackage(TSession &session, const QString &packageFile, const QString &asName = QString());

// Whether a dropped file starts an import: an existing file whose extension is ".mdk",
// without regard to case.
bool IsPackageFile(const QString &path);
