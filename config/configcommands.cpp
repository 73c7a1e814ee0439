#include "configcommands.h"

#include "core/inifile.h"

namespace {

using enum TConfigCommandResult;

// The name tests of create and rename, in their order.
TConfigCommandResult CheckNewName(const TConfigStore &store, const QString &name) {
  if (store.FindConfig(name) >= 0) return NameInUse;
  if (name.isEmpty()) return NoName;
  if (!store.IsValidConfigName(name)) return InvalidName;
  return Done;
}

// The new configuration must reach the file before anything refers to it.
// What the configuration it is made from holds for the other music sets goes with it.
void SaveNew(TConfigStore &store, const QString &from, const QString &name) {
  if (!store.SaveConfigFrom(from, name)) throw platform::EIniFileException(store.Settings().FileName());
}

}  // namespace

TBackupReport ChangeConfig(TSession &s, const QString &name) {
  TConfigStore &store = s.Store;
  store.SaveConfig(store.Settings(), store.CurrentConfig);
  return store.LoadConfig(name);
}

TConfigCommandReport CreateConfig(TSession &s, const QString &base, const QString &name) {
  TConfigStore &store = s.Store;
  if (const TConfigCommandResult check = CheckNewName(store, name); check != Done) return {check};
  if (store.FindConfig(base) < 0) return {Gone};
  store.SaveConfig(store.Settings(), store.CurrentConfig);
  store.ReadConfig(base);
  SaveNew(store, base, name);
  store.LoadConfigList();
  TConfigCommandReport report{Done, store.LoadConfig(name)};
  store.SelectConfig(name);
  return report;
}

TConfigCommandReport EraseConfig(TSession &s, const QString &name) {
  TConfigStore &store = s.Store;
  if (store.FindConfig(name) < 0) return {Gone};
  // Unsaved assignments of the loaded configuration would be lost by the reload below.
  if (store.CurrentConfig.compare(name, Qt::CaseInsensitive) != 0)
    store.SaveConfig(store.Settings(), store.CurrentConfig);
  store.Settings().EraseSection(name.toStdString());
  return {Done, store.LoadConfigList()};
}

TConfigCommandReport RenameConfig(TSession &s, const QString &old, const QString &name) {
  TConfigStore &store = s.Store;
  const QStringList names = store.ConfigNames();
  const int index = store.SelectedConfig();
  QString selected = index >= 0 && index < names.size() ? names[index] : QString();
  if (name.isEmpty() || name.compare(old, Qt::CaseInsensitive) == 0) return {NoName};
  if (const TConfigCommandResult check = CheckNewName(store, name); check != Done) return {check};
  if (store.FindConfig(old) < 0) return {Gone};
  const bool wasApplied = store.LastConfig().compare(old, Qt::CaseInsensitive) == 0;
  store.SaveConfig(store.Settings(), store.CurrentConfig);
  store.ReadConfig(old);
  SaveNew(store, old, name);
  store.Settings().EraseSection(old.toStdString());
  if (wasApplied) store.Settings().WriteString(kSettingsSection, "LastConfig", name.toStdString());
  if (selected == old) selected = name;
  store.LoadConfigList();
  TConfigCommandReport report{Done, store.LoadConfig(selected)};
  store.SelectConfig(selected);
  return report;
}

void ResetSceneToStandard(TSession &s, int scene) {
  if (!s.SceneTable.Contains(scene)) return;
  s.SceneTable[scene].Source = s.SceneTable[scene].FileName;
}

QStringList BaseConfigNames(const TSession &s) { return s.Store.ConfigNames(); }

QStringList EditableConfigNames(const TSession &s) {
  QStringList names = s.Store.ConfigNames();
  names.removeAll(kStandardConfig);
  return names;
}
