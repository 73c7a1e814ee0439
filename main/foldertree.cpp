// The folder tree's side of the window: its events (selection, double click, right click,
// expanding), its pop-up menu, refreshing it, and opening text entries in the viewer.
#include <QMouseEvent>

#include "archivenode.h"
#include "core/fileops.h"
#include "documenttext.h"
#include "extraction.h"
#include "formdocument.h"
#include "formmain.h"
#include "menuitems.h"
#include "qtcore/qstr.h"
#include "scenetext.h"
#include "sources.h"

using platform::SS;

void TFormMain::ConnectFolderTree() {
  FolderTreeViewEx->OnCreateNode = [this](TFolderTreeViewEx *, TFolderNode *&node) { archiveTree_->CreateNode(node); };
  connect(FolderTreeViewEx, &TFolderTreeViewEx::OnExpanding, this, &TFormMain::FolderTreeViewExExpanding);
  connect(FolderTreeViewEx, &TFolderTreeViewEx::OnExpanded, this, &TFormMain::FolderTreeViewExExpanded);
  connect(FolderTreeViewEx, &TFolderTreeViewEx::OnChange, this, &TFormMain::FolderTreeViewExChange);
  connect(FolderTreeViewEx, &TFolderTreeViewEx::OnDblClick, this, &TFormMain::FolderTreeViewExDblClick);
  connect(FolderTreeViewEx, &TFolderTreeViewEx::OnMouseDown, this, &TFormMain::FolderTreeViewExMouseDown);
  // The tree was built before the window could mark its archives.
  for (int i = 0; i < FolderTreeViewEx->topLevelItemCount(); ++i) {
    QTreeWidgetItem *top = FolderTreeViewEx->topLevelItem(i);
    if (top->isExpanded()) FolderTreeViewExExpanded(top);
  }
}

void TFormMain::FolderTreeViewExExpanded(QTreeWidgetItem *node) { archiveTree_->MarkArchivesBelow(node); }
void TFormMain::FolderTreeViewExExpanding(QTreeWidgetItem *node) { archiveTree_->Expanding(node); }

void TFormMain::FolderTreeViewExChange(const QString &folderName) {
  const QTreeWidgetItem *node = FolderTreeViewEx->currentItem();
  if (!node || !IsMusicNode(node, folderName)) return;
  EditMidiFile->setText(IsArchiveEntry(node) ? ArchiveNodePath(*FolderTreeViewEx, node) : folderName);
}

void TFormMain::FolderTreeViewExDblClick(const QString &folderName) {
  const QTreeWidgetItem *node = FolderTreeViewEx->currentItem();
  if (!node) return;
  if (IsMusicNode(node, folderName)) {
    if (options_.AtPlay) PlaySource(IsArchiveEntry(node) ? ArchiveNodePath(*FolderTreeViewEx, node) : folderName);
    else PopupMenuTreeAssignClick();
  }
  // Assigning never changes the tree: the node is still the selected one.
  if (IsTextEntryNode(FolderTreeViewEx->currentItem())) PopupMenuTreeOpenClick();
}

// Enter on a music file plays it, whatever a double click does; other nodes keep the tree's
// own Enter.
bool TFormMain::FolderTreeViewExKeyDown(int key) {
  if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
  const QTreeWidgetItem *node = FolderTreeViewEx->currentItem();
  const QString folderName = FolderTreeViewEx->GetFolderName();
  if (!node || !IsMusicNode(node, folderName)) return false;
  FolderTreeViewExChange(folderName);  // the edit box names the node's file
  PlaySource(IsArchiveEntry(node) ? ArchiveNodePath(*FolderTreeViewEx, node) : folderName);
  return true;
}

void TFormMain::FolderTreeViewExMouseDown(Qt::MouseButton button, const QPoint &pos) {
  if (button != Qt::RightButton) return;
  if (QTreeWidgetItem *node = FolderTreeViewEx->itemAt(pos)) FolderTreeViewEx->SetSelected(node);
}

void TFormMain::PopupMenuTreePopup() {
  const QTreeWidgetItem *node = FolderTreeViewEx->currentItem();
  if (!node) return;
  const bool music = IsMusicNode(node, FolderTreeViewEx->NodePath(node));
  const bool text = IsTextEntryNode(node);
  const bool scene = sceneList_->SelectedScene() >= 0;
  PopupMenuTreeAssign->setEnabled(music && scene);
  PopupMenuTreeAssign->setVisible(scene);
  PopupMenuTreeOpen->setVisible(text);
  PopupMenuTreePlay->setEnabled(music);
  PopupMenuTreePlay->setVisible(!text);
  PopupMenuTreeStop->setEnabled(players_->IsPlaying());
  PopupMenuTreeStop->setVisible(!text);
  QAction *byDefault = nullptr;
  if (text) byDefault = PopupMenuTreeOpen;
  else if (options_.AtAssign) byDefault = PopupMenuTreeAssign;
  else if (options_.AtPlay) byDefault = PopupMenuTreePlay;
  menuitems::SetDefault(PopupMenuTree, byDefault);
  // The scene's name as it is: an "&" in it is no mnemonic.
  if (const int current = sceneList_->CurrentScene(); scene && current >= 0)
    PopupMenuTreeAssign->setText(
        tr("%1 にこのファイルを割り当てる(&A)")
            .arg(ShownSceneName(Session().SceneTable[current]).replace('&', QStringLiteral("&&"))));
}

// Every extracted file goes with the work folder: archive entries are extracted afresh later.
void TFormMain::MainMenuTreeViewUpdateClick() {
  Session().WorkFolder.Remove();
  FolderTreeViewEx->RefreshTree();
}

void TFormMain::PopupMenuTreeOpenClick() {
  const auto *node = TArchiveNode::From(FolderTreeViewEx->currentItem());
  if (!node) return;
  const QString archive = FolderTreeViewEx->NodePath(node->ArchiveNode);
  if (!platform::FileExists(SS(archive))) return;
  if (!documentWindow_) documentWindow_ = new TFormDocument(this);
  ShowDocument(TSource::Entry(archive, node->EntryPath).Text());
  documentWindow_->show();
  documentWindow_->raise();
  documentWindow_->activateWindow();
}

void TFormMain::ShowDocument(const QString &text) {
  const QString path = ExtractSource(text, true);
  if (!platform::FileExists(SS(path))) return;
  const std::optional<std::string> bytes = platform::ReadWholeFile(SS(path));
  if (!bytes) return;
  documentWindow_->ShowText(text,
                            DecodeDocumentText(QByteArrayView(bytes->data(), static_cast<qsizetype>(bytes->size()))));
}

// A work folder that can't be made is said once per use that needed it.
QString TFormMain::ExtractSource(const QString &text, bool fresh) {
  const TSource source = TSource::Parse(text);
  const QString path = ::ExtractSource(source, fresh, Session().WorkFolder);
  if (path.isEmpty() && source.IsEntry() && Session().WorkFolder.Path().isEmpty())
    dialogs_.Message(WorkFolderFailureText(Session().WorkFolder));
  return path;
}
