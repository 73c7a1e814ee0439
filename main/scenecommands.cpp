// The scene list's side of the window: its events (selection, renaming, double click, F2), its
// pop-up menu and editing a scene's description. The list itself is TSceneList.
#include <QHeaderView>

#include "formabout.h"
#include "formmain.h"
#include "scenetext.h"
#include "sources.h"

void TFormMain::ConnectSceneList() {
  sceneList_->SetNameCheck([this](QTreeWidgetItem *row, QString &text) { return ListViewEdited(row, text); });
  connect(ListView->header(), &QHeaderView::sectionClicked, this, [this](int c) { ListViewColumnClick(c, true); });
  connect(ListView, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem *row, int column) {
    if (column == 0) ListViewChangeText(row);
  });
  connect(ListView, &QTreeWidget::itemSelectionChanged, this, &TFormMain::ListViewChangeState);
  // Double clicks (on rows and on the empty space below them) and F2 come through eventFilter.
}

void TFormMain::FillSceneList() {
  sceneList_->Fill();
  SetStatusText(kMelodeckCopyright);
}

void TFormMain::ListViewColumnClick(int column, bool fromHeader) { sceneList_->ColumnClick(column, fromHeader); }

void TFormMain::ListViewChangeText(QTreeWidgetItem *row) {
  if (sceneList_->SelectedScene() < 0) return;
  const int scene = sceneList_->SceneOfRow(row);
  // A name left as shown is not written: the stored one stays, whatever the language shown.
  if (scene < 0 || row->text(0) == ShownSceneName(Session().SceneTable[scene])) return;
  Session().SceneTable[scene].Name = row->text(0);
  WriteSceneNameReported(scene);
}

// A failed write is reported once the list's edit has been committed: an error thrown through
// the editor's commit would leave the view refusing every later edit.
void TFormMain::WriteSceneNameReported(int scene) {
  try {
    Store().WriteSceneName(scene);
  } catch (...) {
    QMetaObject::invokeMethod(
        this, [error = std::current_exception()] { std::rethrow_exception(error); }, Qt::QueuedConnection);
  }
}

void TFormMain::ListViewChangeState() {
  const int scene = sceneList_->SelectedScene();
  if (scene < 0 || scene == sceneList_->CurrentScene()) return;
  JumpToSceneFile();
  const TSource parsed = TSource::Parse(Session().SceneTable[scene].Source);
  EditMidiFile->setText(parsed.IsEntry() ? parsed.Text() : parsed.Resolve(TClient::First, folders_));
}

bool TFormMain::ListViewEdited(QTreeWidgetItem *row, QString &text) {
  if (!sceneList_->NameTaken(text)) return true;
  Dialogs().Message(tr("同じ場面名は付けられません"));
  text = row->text(0);
  return false;
}

// The selected scene's file plays, as the list shows it.
void TFormMain::ListViewDblClick() {
  const int scene = sceneList_->SelectedScene();
  if (scene < 0) return;
  const TSource parsed = TSource::Parse(Session().SceneTable[scene].Source);
  PlaySource(parsed.IsEntry() ? parsed.Text() : parsed.Resolve(TClient::First, folders_));
}

void TFormMain::ListViewKeyDown(int key) {
  if (key == Qt::Key_F2) sceneList_->EditSelectedName();
}

void TFormMain::PopupMenuListPopup() {
  const bool row = sceneList_->SelectedScene() >= 0;
  PopupMenuListJump->setEnabled(row);
  PopupMenuListPlay->setEnabled(row);
  PopupMenuListStop->setEnabled(players_->IsPlaying());
  PopupMenuListDefault->setEnabled(row);
  PopupMenuListEditDetail->setEnabled(row);
  PopupMenuListMidiTune->setVisible(gameChoice_->Set().IsDigital());
  PopupMenuListMidiTune->setEnabled(row && OffersMidiTunes());
}

void TFormMain::PopupMenuListEditDetailClick() {
  const int scene = sceneList_->SelectedScene();
  if (scene < 0) return;
  QString text;
  if (!Dialogs().InputQuery(tr("場面の詳細説明を編集"), tr("新しい場面の説明を入力してください"), text) ||
      text.isEmpty())
    return;
  Session().SceneTable[scene].Detail = text;
  Store().WriteSceneName(scene);
}
