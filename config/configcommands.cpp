#include "configcommands.h"

#include "core/inifile.h"

namespace {

const QString kNameInUse = QStringLiteral("既存の設定と同じ名前は使えません");
const QString kInvalidName = QStringLiteral("ファイル名に使用できない文字は使えません");

// The name tests of create and rename, in their order; false after telling the user why.
bool AcceptNewName(TSession &s, const QString &name) {
  if (s.Store.FindConfig(name) >= 0) {
    s.Dialogs.Message(kNameInUse);
    return false;
  }
  if (name.isEmpty()) return false;
  if (!s.Store.IsValidConfigName(name)) {
    s.Dialogs.Message(kInvalidName);
    return false;
  }
  return true;
}

// The new configuration must reach the file before anything refers to it.
void SaveNew(TConfigStore &store, const QString &name) {
  if (!store.SaveConfig(store.Settings(), name)) throw platform::EIniFileException(store.Settings().FileName());
}

}  // namespace

void ChangeConfig(TSession &s, const QString &name) {
  TConfigStore &store = s.Store;
  store.SaveConfig(store.Settings(), store.CurrentConfig);
  store.LoadConfig(store.Settings(), name);
}

bool CreateConfig(TSession &s, const QString &base) {
  TConfigStore &store = s.Store;
  QString name;
  if (!s.Dialogs.InputQuery(QStringLiteral("Melodeck - 設定の新規作成"),
                            QStringLiteral("作成する設定の名前を入力してください"), name))
    name.clear();
  if (!AcceptNewName(s, name) || store.FindConfig(base) < 0) return false;
  store.SaveConfig(store.Settings(), store.CurrentConfig);
  store.LoadConfig(store.Settings(), base);
  SaveNew(store, name);
  store.LoadConfigList();
  store.LoadConfig(store.Settings(), name);
  store.SelectConfig(name);
  return true;
}

bool DeleteConfig(TSession &s, const QString &name) {
  TConfigStore &store = s.Store;
  if (s.Dialogs.Message(QStringLiteral("設定%1を削除します").arg(name), platform::TMsgType::Confirmation,
                        platform::mbOKCancel) != platform::TModalResult::OK)
    return false;
  if (store.FindConfig(name) < 0) return false;
  // Unsaved assignments of the loaded configuration would be lost by the reload below.
  if (store.CurrentConfig.compare(name, Qt::CaseInsensitive) != 0)
    store.SaveConfig(store.Settings(), store.CurrentConfig);
  store.Settings().EraseSection(name.toStdString());
  store.LoadConfigList();
  return true;
}

bool RenameConfig(TSession &s, const QString &old) {
  TConfigStore &store = s.Store;
  const QStringList names = store.ConfigNames();
  const int index = store.SelectedConfig();
  QString selected = index >= 0 && index < names.size() ? names[index] : QString();
  QString name = old;
  if (!s.Dialogs.InputQuery(QStringLiteral("Melodeck - 設定名の変更"), QStringLiteral("新しい名前を入力してください"),
                            name))
    name = old;
  if (name.isEmpty() || name.compare(old, Qt::CaseInsensitive) == 0) return false;
  if (!AcceptNewName(s, name) || store.FindConfig(old) < 0) return false;
  const bool wasApplied = store.LastConfig().compare(old, Qt::CaseInsensitive) == 0;
  store.SaveConfig(store.Settings(), store.CurrentConfig);
  store.LoadConfig(store.Settings(), old);
  SaveNew(store, name);
  store.Settings().EraseSection(old.toStdString());
  if (wasApplied) store.Settings().WriteString(kSettingsSection, "LastConfig", name.toStdString());
  if (selected == old) selected = name;
  store.LoadConfigList();
  store.LoadConfig(store.Settings(), selected);
  store.SelectConfig(selected);
  return true;
}

void ResetSceneToStandard(TSession &s, int scene) {
  if (scene < 0 || scene >= kSceneCount) return;
  s.SceneTable[scene].Source = s.SceneTable[scene].FileName;
}

QStringList BaseConfigNames(const TSession &s) { return s.Store.ConfigNames(); }

QStringList EditableConfigNames(const TSession &s) {
  QStringList names = s.Store.ConfigNames();
  names.removeAll(kStandardConfig);
  return names;
}
