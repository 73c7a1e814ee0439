// Reading a package as a new configuration: the package is unpacked for good into a numbered
// folder beside the program ("Package\000", "Package\001", …) and the configuration's
// assignments point at the files there with full paths.
#pragma once

#include <QString>

#include "session.h"

// The first "Package\NNN" (at least three digits) beside the program that does not exist yet;
// empty when all up to 65535 exist. programFolder ends in "\".
QString ChooseImportFolder(const QString &programFolder);

// Imports packageFile. Anything that is not a package is ignored without a word; the user is
// asked for the name and told of failures. True when a configuration was imported: it is then
// stored, loaded and selected, and the scene list has to be filled again.
// Errors of the archive component (EArchiver) and of writing the settings file are raised.
// asName: the name to store it under instead of the package's own (asked about the same way).
bool ImportPackage(TSession &session, const QString &packageFile, const QString &asName = QString());

// Whether a dropped file starts an import: an existing file whose extension is ".mdk",
// without regard to case.
bool IsPackageFile(const QString &path);
