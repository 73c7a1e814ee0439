// The user's commands on whole configurations: choosing, creating from a base, deleting,
// renaming, and setting one scene back to the game's own file. The front end asks first (the
// new name, whether to delete), then calls these; nothing is shown here, the report says how it
// ended, and the front end refreshes its views from it.
#pragma once

#include <QString>

#include "session.h"

enum class TConfigCommandResult {
  Done,
  NoName,       // no name given, or the old one: nothing to do, nothing to tell
  NameInUse,    // a configuration of that name exists
  InvalidName,  // the settings file can't take it as a configuration's name
  Gone,         // the configuration worked on is not in the list
};

struct TConfigCommandReport {
  TConfigCommandResult Result = TConfigCommandResult::Done;
  TBackupReport Backups;  // of the configuration loaded in the end
  bool Done() const { return Result == TConfigCommandResult::Done; }
};

// Saves the loaded configuration and loads name in its place.
TBackupReport ChangeConfig(TSession &session, const QString &name);

// Creates name with the sources of base; it is then loaded and selected.
TConfigCommandReport CreateConfig(TSession &session, const QString &base, const QString &name);

// Erases name's section and reloads the list (the last applied configuration, or "標準", is
// loaded). The loaded configuration is saved first.
TConfigCommandReport EraseConfig(TSession &session, const QString &name);

// Renames old to name; the selected configuration stays loaded. When old was the last applied
// one, "LastConfig" follows the new name.
TConfigCommandReport RenameConfig(TSession &session, const QString &old, const QString &name);

// The scene plays the game's own file again (not saved until the next save).
void ResetSceneToStandard(TSession &session, int scene);

// Names for the base, delete and rename submenus, in list order.
QStringList BaseConfigNames(const TSession &session);
QStringList EditableConfigNames(const TSession &session);  // every one but "標準"
