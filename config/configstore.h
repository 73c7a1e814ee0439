// The configuration store: configurations in the settings file, the user's scene names in the
// scene names file, and the game's own music in the backup folders. Reading a configuration,
// adding one and making missing backups are separate operations; the store never talks to the
// user: what needs telling comes back as a report.
#pragma once

#include <QMap>
#include <QObject>
#include <QCoreApplication>
#include <QStringListModel>
#include <memory>
#include <vector>

#include "backups.h"
#include "core/inifile.h"
#include "gamefolders.h"
#include "scenetable.h"

// The settings file's section of the program's own settings; every other section is a
// configuration.
inline constexpr char kSettingsSection[] = "melodeck";

// The built-in configuration: the game's own files. Never stored; compared exactly.
inline const QString kStandardConfig = QStringLiteral("標準");  // notr: the stored name

// A configuration's assignments: scene file name → source, as stored.
using TAssignments = QMap<QString, QString>;

// What making the missing backups left undone: backups that are missing for unassigned scenes
// (the paths the game would play), and game files left without a backup because Melodeck wrote
// them.
struct TBackupReport {
  std::vector<QString> Missing;
  std::vector<QString> Ours;
  bool Complete() const { return Missing.empty() && Ours.empty(); }
};

class TConfigStore : public QObject {
  Q_OBJECT
 public:
  // programPath: the program's own Windows path; the settings file and the scene names file
  // live beside it with the extensions ".ini" and ".dat".
  TConfigStore(const QString &programPath, const TGameFolders &folders, TSceneTable &scenes, QObject *parent = nullptr);
  ~TConfigStore() override;

  platform::IniFile &Settings() { return *settings_; }
  const platform::IniFile &Settings() const { return *settings_; }
  QString SettingsPath() const;
  const QString &ProgramPath() const { return programPath_; }
  QString ScenesPath() const;

  // The configuration list: "標準" first, then the settings file's sections in file order.
  QStringListModel *ConfigList() { return &list_; }
  QStringList ConfigNames() const { return list_.stringList(); }
  int FindConfig(const QString &name) const;  // without case; -1 when absent
  int SelectedConfig() const { return selected_; }
  void SetSelectedConfig(int index) { selected_ = index; }  // the user chose an item
  void SelectConfig(const QString &name);                   // the program chooses one

  QString CurrentConfig;

  // The list, the scene names, and the last applied configuration loaded and selected.
  TBackupReport LoadConfigList();
  // The list and the scene names alone: no configuration is loaded, nothing is selected.
  void LoadConfigNames();
  // The user's scene names and descriptions into the scene table (LoadConfigList does this too).
  void LoadSceneNames();
  // The configuration's sources into the scene table (the game's own file for a scene without
  // one; every scene for "標準"), and name becomes the loaded one. Nothing else is touched.
  void ReadConfig(const platform::IniFile &file, const QString &name);
  void ReadConfig(const QString &name) { ReadConfig(*settings_, name); }
  // The missing backups of every scene, made where they can be; the report names what is missing
  // for the loaded configuration's unassigned scenes.
  TBackupReport MakeMissingBackups();
  // ReadConfig, then MakeMissingBackups.
  TBackupReport LoadConfig(const platform::IniFile &file, const QString &name);
  TBackupReport LoadConfig(const QString &name) { return LoadConfig(*settings_, name); }
  bool SaveConfig(platform::IniFile &file, const QString &name);
  // Stores the scene table's sources as configuration name together with what configuration
  // from holds for the other music sets, in one write.
  bool SaveConfigFrom(const QString &from, const QString &name);
  // Stores name in the settings file from assignments, the game's own file for every scene
  // without one; assignments to keys of other music sets are stored as they are. An existing
  // configuration of that name is replaced whole. The scene table is left alone. False when the
  // settings file can't be written.
  bool AddConfig(const QString &name, const TAssignments &assignments);
  // Makes a missing backup from the game's file, never from a file that Melodeck wrote.
  TBackupState BackupSceneFile(TClient client, const QString &fileName);
  // Writes a scene's name and description to the scene names file at once.
  void WriteSceneName(int scene);
  // Records name as the applied configuration ("LastConfig") and names it in the caption.
  void RecordApplied(const QString &name);
  QString LastConfig() const;
  bool IsValidConfigName(const QString &name) const;

 signals:
  void CaptionChanged(const QString &caption);
  void ConfigSelected(int index);  // the list's selection was set by the store, not the user

 private:
  QString programPath_;
  const TGameFolders &folders_;
  TSceneTable &scenes_;
  std::unique_ptr<platform::IniFile> settings_;
  QStringListModel list_;
  int selected_ = -1;
};
