#include "formmain.h"

#include <QCloseEvent>
#include <QSignalBlocker>
#include <QToolBar>

#include "core/instancelock.h"

TFormMain::TFormMain(const QString &programPath, const TGameFolders &folders, platform::Dialogs &dialogs,
                     platform::InstanceLock *lock, QWidget *parent)
    : QMainWindow(parent), SceneTable(BuiltInSceneTable()), folders_(folders), dialogs_(dialogs), lock_(lock) {
  store_ = new TConfigStore(programPath, folders_, SceneTable, dialogs_, this);

  auto *toolBarConfig = addToolBar(QStringLiteral("ToolBarConfig"));
  toolBarConfig->setObjectName("ToolBarConfig");
  ComboBoxConfigList = new QComboBox(toolBarConfig);
  ComboBoxConfigList->setObjectName("ComboBoxConfigList");
  ComboBoxConfigList->setModel(store_->ConfigList());
  ComboBoxConfigList->setMinimumContentsLength(16);
  toolBarConfig->addWidget(ComboBoxConfigList);
  StatusBar = statusBar();

  connect(store_, &TConfigStore::CaptionChanged, this, &QWidget::setWindowTitle);
  connect(store_, &TConfigStore::ConfigSelected, this, [this](int index) {
    const QSignalBlocker block(ComboBoxConfigList);  // not the user's choice
    ComboBoxConfigList->setCurrentIndex(index);
  });
  resize(640, 480);
  FormCreate();
}

TFormMain::~TFormMain() { FormDestroy(); }

void TFormMain::FormCreate() { store_->LoadConfigList(); }

void TFormMain::closeEvent(QCloseEvent *event) {
  FormClose();
  event->accept();
}

void TFormMain::FormClose() {
  if (lock_) lock_->Release();
}

void TFormMain::FormDestroy() { store_->CleanUpAtExit(); }
