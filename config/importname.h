// The name an imported configuration is stored under, settled through the import's questions.
#pragma once

#include <QString>

#include "configstore.h"
#include "importquestions.h"

// A name the configuration can be stored under without a question: not the standard
// configuration, not in use, and one the settings file can take.
bool IsFreeImportName(const TConfigStore &store, const QString &name);

// A taken name is asked about (overwrite, rename, cancel); a free one goes ahead unasked. True:
// go ahead under name.
bool SettleTakenName(const TConfigStore &store, TImportQuestions &questions, QString &name);

// As SettleTakenName, but a free name is confirmed, and a name that can't be stored (the
// standard configuration, which is never stored, the settings section's own, characters a file
// name can't hold) has to be replaced.
bool SettleImportName(const TConfigStore &store, TImportQuestions &questions, QString &name);
