// The window's side of the core's operations: it asks with its boxes, calls the core, and
// shows what the core reports. The handlers of the main window call these; so do tests that
// read the boxes.
#pragma once

#include <QString>
#include <vector>

#include "apply.h"
#include "configstore.h"
#include "gameupdates.h"
#include "packageimport.h"
#include "qtcore/dialogs.h"
#include "session.h"

// One message for missing backups and game files that are our own, when any.
void ShowBackupReport(platform::Dialogs &dialogs, const TBackupReport &report);

// The failure messages, one after the other, when anything failed: the list, then the advice
// to look for a file in use or write-protected when that can be the reason.
void ShowApplyFailures(const TApplyReport &report, platform::Dialogs &dialogs);

// One message naming the files a patch of the game replaced, when any; the updates go on.
std::vector<TGameUpdate> TellGameUpdates(platform::Dialogs &dialogs, std::vector<TGameUpdate> updates);

// Saves the loaded configuration and loads name in its place, telling missing backups.
void ChangeConfigTelling(TSession &session, const QString &name);

// Asks for a name and creates a configuration with the sources of base. True when created (it
// is then loaded and selected).
bool AskCreateConfig(TSession &session, const QString &base);
// Asks, then deletes name. True when deleted.
bool AskDeleteConfig(TSession &session, const QString &name);
// Asks for a new name and renames old. True when renamed.
bool AskRenameConfig(TSession &session, const QString &old);

// The messages of an import's report, one after the other.
void ShowImportReport(TSession &session, const TImportReport &report);

// Imports packageFile, asking through the session's dialogs and telling how it went; true when
// stored. asName: the name to store it under instead of the package's own.
bool ImportPackage(TSession &session, const QString &packageFile, const QString &asName = QString());

// Exports the selected configuration into packageFile and tells how it went; true when written.
bool ExportPackage(TSession &session, const QString &packageFile);

// One message per settings file with damaged lines, when any (the files are kept aside first).
void TellDamagedSettings(platform::Dialogs &dialogs, const QString &programPath);
