// The main window. It owns the settings file, the scene table with the loaded configuration,
// and the configuration list that the combo box shows.
#pragma once

#include <QComboBox>
#include <QMainWindow>
#include <QStatusBar>

#include "configstore.h"
#include "gamefolders.h"
#include "scenetable.h"

namespace platform {
class Dialogs;
class InstanceLock;
}  // namespace platform

class TFormMain : public QMainWindow {
  Q_OBJECT
 public:
  // programPath: the program's own Windows path (the settings live beside it). lock: the
  // single-instance lock, released when the window closes (may be null).
  TFormMain(const QString &programPath, const TGameFolders &folders, platform::Dialogs &dialogs,
            platform::InstanceLock *lock = nullptr, QWidget *parent = nullptr);
  ~TFormMain() override;

  TSceneTable SceneTable;
  TConfigStore &Store() { return *store_; }
  const TGameFolders &Folders() const { return folders_; }

  QComboBox *ComboBoxConfigList = nullptr;
  QStatusBar *StatusBar = nullptr;

 protected:
  void closeEvent(QCloseEvent *event) override;

 private:
  void FormCreate();
  void FormClose();
  void FormDestroy();

  TGameFolders folders_;
  platform::Dialogs &dialogs_;
  platform::InstanceLock *lock_;
  TConfigStore *store_ = nullptr;
};
