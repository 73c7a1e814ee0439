// The user's commands on whole configurations: choosing, creating from a base, deleting,
// renaming, and setting one scene back to the game's own file. Questions and messages go
// through the session's dialogs; the front end refreshes its views from the result.
#pragma once

#include <QString>

#include "session.h"

// Saves the loaded configuration and loads name in its place.
void ChangeConfig(TSession &session, const QString &name);

// Asks for a name and creates a configuration with the sources of base. True when created
// (it is then loaded and selected).
bool CreateConfig(TSession &session, const QString &base);

// Asks, then erases name's section and reloads the list (the last applied configuration, or
// "標準", is loaded). The loaded configuration is saved first. True when deleted.
bool DeleteConfig(TSession &session, const QString &name);

// Asks for a new name and renames old; the selected configuration stays loaded. When old was
// the last applied one, "LastConfig" follows the new name. True when renamed.
bool RenameConfig(TSession &session, const QString &old);

// The scene plays the game's own file again (not saved until the next save).
void ResetSceneToStandard(TSession &session, int scene);

// Names for the base, delete and rename submenus, in list order.
QStringList BaseConfigNames(const TSession &session);
QStringList EditableConfigNames(const TSession &session);  // every one but "標準"
