// The window's words for what the core reports: the texts of its message boxes. The command
// line shows the same texts on standard error.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "configcommands.h"
#include "configstore.h"
#include "damagedsettings.h"
#include "gamesets.h"
#include "gameupdates.h"
#include "packageexport.h"
#include "packageimport.h"
#include "workfolder.h"

// Missing backups, then the game files that are our own, in one message; empty when complete.
QString BackupReportText(const TBackupReport &report);

// The messages of an import, in order; none for a whole import or one that was cancelled or
// given no package.
QStringList ImportReportMessages(const TImportReport &report, const TWorkFolder &work);

// The one message of an export; empty when there is nothing to tell.
QString ExportReportText(const TExportReport &report, const TWorkFolder &work);

// Why a configuration could not be created or renamed; empty when there is nothing to tell.
QString ConfigCommandText(TConfigCommandResult result);

// The game files a patch of the game replaced; empty when none.
QString GameUpdatesText(const std::vector<TGameUpdate> &updates);

// The damaged lines of a settings file, and where the file as it was is kept.
QString DamagedSettingsText(const TDamagedSettings &damaged);

// The tracks of a digital music set that are left alone (several files answer to their name) and
// the lines of its index that are no track; empty when there are none.
QString DigitalIndexText(const TGameSet &set);
