// The configuration store: configurations in the settings file, the user's scene names in the
// scene names file, and the game's own music in the backup folders. It talks to the user only
// through Dialogs.
#pragma once

#include <QObject>
#include <QStringListModel>
#include <memory>

#include "backups.h"
#include "core/inifile.h"
#include "gamefolders.h"
#include "qtcore/dialogs.h"
#include "scenetable.h"

// The settings file's section of the program's own settings; every other section is a
// configuration.
inline constexpr char kSettingsSection[] = "melodeck";

// The built-in configuration: the game's own files. Never stored; compared exactly.
inline const QString kStandardConfig = QStringLiteral("標準");

class TConfigStore : public QObject {
  Q_OBJECT
 public:
  // programPath: the program's own Windows path; the settings file and the scene names file
  // live beside it with the extensions ".ini" and ".dat".
  TConfigStore(const QString &programPath, const TGameFolders &folders, TSceneTable &scenes, platform::Dialogs &dialogs,
               QObject *parent = nullptr);
  ~TConfigStore() override;

  platform::IniFile &Settings() { return *settings_; }
  QString SettingsPath() const;
  QString ScenesPath() const;

  // The configuration list: "標準" first, then the settings file's sections in file order.
  QStringListModel *ConfigList() { return &list_; }
  QStringList ConfigNames() const { return list_.stringList(); }
  int FindConfig(const QString &name) const;  // without case; -1 when absent
  int SelectedConfig() const { return selected_; }
  void SetSelectedConfig(int index) { selected_ = index; }  // the user chose an item
  void SelectConfig(const QString &name);                   // the program chooses one

  QString CurrentConfig;

  void LoadConfigList();
  // The list and the scene names alone: no configuration is loaded, nothing is selected.
  void LoadConfigNames();
  // The user's scene names and descriptions into the scene table (LoadConfigList does this too).
  void LoadSceneNames();
  bool LoadConfig(platform::IniFile &file, const QString &name);
  bool SaveConfig(platform::IniFile &file, const QString &name);
  // Makes a missing backup from the game's file, never from a file that Melodeck wrote.
  TBackupState BackupSceneFile(TClient client, const QString &fileName);
  // Writes a scene's name and description to the scene names file at once.
  void WriteSceneName(int scene);
  // Records name as the applied configuration ("LastConfig") and names it in the caption.
  void RecordApplied(const QString &name);
  QString LastConfig() const;
  bool IsValidConfigName(const QString &name) const;
  bool CheckImportName(const QString &name);
  bool AskConfigName(QString &name);  // true: go ahead under name

 signals:
  void CaptionChanged(const QString &caption);
  void ConfigSelected(int index);  // the list's selection was set by the store, not the user

 private:
  QString programPath_;
  const TGameFolders &folders_;
  TSceneTable &scenes_;
  platform::Dialogs &dialogs_;
  std::unique_ptr<platform::IniFile> settings_;
  QStringListModel list_;
  int selected_ = -1;
};
