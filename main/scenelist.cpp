// The scene list: one row per scene (the row's data is the scene index), sorting by either
// column, in-place renaming, description editing, and blue file names for files that are not
// the game's own.
#include <QCollator>
#include <QHeaderView>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyledItemDelegate>

#include "core/inifile.h"
#include "core/text.h"
#include "formabout.h"
#include "formmain.h"
#include "qtcore/qstr.h"
#include "sources.h"

using platform::SS;

namespace {

// Only the scene name can be edited; file names are coloured when they are not the game's own.
class TSceneListDelegate : public QStyledItemDelegate {
 public:
  explicit TSceneListDelegate(TFormMain *form) : QStyledItemDelegate(form->ListView), form_(form) {}

  QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override {
    return index.column() == 0 ? QStyledItemDelegate::createEditor(parent, option, index) : nullptr;
  }

  void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override {
    // A window destroyed without being closed first commits an open edit from QWidget's
    // destructor, when the form is no TFormMain any more: that edit is dropped.
    if (!qobject_cast<TFormMain *>(static_cast<QObject *>(form_))) return;
    QTreeWidgetItem *row = form_->ListView->topLevelItem(index.row());
    QString text = editor->property("text").toString();
    form_->ListViewEdited(row, text);
    model->setData(index, text);
  }

 protected:
  void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    if (index.column() != 1) return;
    const int scene = form_->SceneOfRow(form_->ListView->topLevelItem(index.row()));
    if (scene >= 0 && form_->ListViewCellIsBlue(scene)) {
      option->palette.setColor(QPalette::Text, QColor(0, 0, 255));
      option->palette.setColor(QPalette::HighlightedText, QColor(0, 0, 255));
    }
  }

 private:
  TFormMain *form_;
};

}  // namespace

// The collator without regard to case also takes hiragana for katakana and full width for half
// width; such ties go to a comparison that still tells those apart.
int TFormMain::CompareListTexts(const QString &a, const QString &b) {
  // The program speaks Japanese: its lists are collated as Japanese whatever the system's locale.
  static const QCollator collator = [] {
    QCollator c(QLocale(QLocale::Japanese, QLocale::Japan));
    c.setCaseSensitivity(Qt::CaseInsensitive);
    return c;
  }();
  const int order = collator.compare(a, b);
  return order != 0 ? order : QString::compare(a, b, Qt::CaseInsensitive);
}

void TFormMain::ConnectSceneList() {
  ListView->setItemDelegate(new TSceneListDelegate(this));
  connect(ListView->header(), &QHeaderView::sectionClicked, this, [this](int c) { ListViewColumnClick(c, true); });
  connect(ListView, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem *row, int column) {
    if (column == 0) ListViewChangeText(row);
  });
  connect(ListView, &QTreeWidget::itemSelectionChanged, this, &TFormMain::ListViewChangeState);
  // Double clicks (on rows and on the empty space below them) and F2 come through eventFilter.
}

int TFormMain::SceneOfRow(const QTreeWidgetItem *row) const { return row ? row->data(0, Qt::UserRole).toInt() : -1; }

QTreeWidgetItem *TFormMain::RowOfScene(int scene) const {
  for (int i = 0; i < ListView->topLevelItemCount(); ++i)
    if (SceneOfRow(ListView->topLevelItem(i)) == scene) return ListView->topLevelItem(i);
  return nullptr;
}

void TFormMain::FillSceneList() {
  ListView->setUpdatesEnabled(false);
  {
    const QSignalBlocker block(ListView);
    ListView->clear();
    CurrentScene = -1;
    for (int i = 0; i < kSceneCount; ++i) {
      auto *row = new QTreeWidgetItem({SceneTable[i].Name, TSource::Parse(SceneTable[i].Source).DisplayName()});
      row->setData(0, Qt::UserRole, i);
      row->setFlags(row->flags() | Qt::ItemIsEditable);
      ListView->addTopLevelItem(row);
    }
  }
  ListViewColumnClick(0, false);
  ListView->resizeColumnToContents(1);
  ListView->setUpdatesEnabled(true);
  SetStatusText(kMelodeckCopyright);
}

void TFormMain::ListViewColumnClick(int column, bool fromHeader) {
  if (column < 0 || column > 1) return;
  if (fromHeader) ColumnTag[column] = -ColumnTag[column];
  SortSceneList(column);
}

void TFormMain::SortSceneList(int column) {
  // The rows leave the list and come back in order; the selection and the current row come back
  // exactly as they were, so nothing changes that the rest of the window would need to hear of.
  const QSignalBlocker block(ListView);
  const int current = SceneOfRow(ListView->currentItem());
  QList<int> selected;
  for (const QTreeWidgetItem *row : ListView->selectedItems()) selected << SceneOfRow(row);
  QList<QTreeWidgetItem *> rows;
  while (ListView->topLevelItemCount() > 0) rows << ListView->takeTopLevelItem(0);
  const int tag = ColumnTag[column];
  std::stable_sort(rows.begin(), rows.end(), [column, tag](QTreeWidgetItem *a, QTreeWidgetItem *b) {
    return CompareListTexts(a->text(column), b->text(column)) * tag < 0;
  });
  ListView->addTopLevelItems(rows);
  ListView->clearSelection();
  if (current >= 0) ListView->setCurrentItem(RowOfScene(current), 0, QItemSelectionModel::NoUpdate);
  for (int scene : selected)
    if (QTreeWidgetItem *row = RowOfScene(scene)) row->setSelected(true);
}

void TFormMain::ListViewChangeText(QTreeWidgetItem *row) {
  if (ListView->selectedItems().isEmpty()) return;
  const int scene = SceneOfRow(row);
  if (scene < 0) return;
  SceneTable[scene].Name = row->text(0);
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
  const QList<QTreeWidgetItem *> selected = ListView->selectedItems();
  if (selected.isEmpty()) return;
  const int scene = SceneOfRow(selected.first());
  if (scene == CurrentScene) return;
  JumpToSceneFile();
  const TSource source = TSource::Parse(SceneTable[scene].Source);
  EditMidiFile->setText(source.IsEntry() ? source.Text() : source.Resolve(TClient::First, folders_));
}

bool TFormMain::ListViewEdited(QTreeWidgetItem *row, QString &text) {
  for (int i = 0; i < ListView->topLevelItemCount(); ++i) {
    if (ListView->topLevelItem(i)->text(0).compare(text, Qt::CaseInsensitive) == 0) {
      Dialogs().Message(QStringLiteral("同じ場面名は付けられません"));
      text = row->text(0);
      return false;
    }
  }
  return true;
}

void TFormMain::ListViewDblClick() {
  if (!ListView->selectedItems().isEmpty()) PlayFile();
}

void TFormMain::ListViewKeyDown(int key) {
  const QList<QTreeWidgetItem *> selected = ListView->selectedItems();
  if (key == Qt::Key_F2 && !selected.isEmpty()) ListView->editItem(selected.first(), 0);
}

// Blue unless the scene plays the game's own file: the same path, letter case aside (and only
// letter case: a full-width or katakana spelling is another file).
bool TFormMain::ListViewCellIsBlue(int scene) const {
  const QString own = folders_.DefaultDir + "\\" + SceneTable[scene].FileName;
  return !platform::EqualsNoCase(SS(TSource::Parse(SceneTable[scene].Source).Resolve(TClient::First, folders_)),
                                 SS(own));
}

void TFormMain::PopupMenuListPopup() {
  const bool row = !ListView->selectedItems().isEmpty();
  PopupMenuListJump->setEnabled(row);
  PopupMenuListPlay->setEnabled(row);
  PopupMenuListStop->setEnabled(ToolButtonStop->isEnabled());
  PopupMenuListDefault->setEnabled(row);
  PopupMenuListEditDetail->setEnabled(row);
}

void TFormMain::PopupMenuListEditDetailClick() {
  const QList<QTreeWidgetItem *> selected = ListView->selectedItems();
  if (selected.isEmpty()) return;
  QString text;
  if (!Dialogs().InputQuery(QStringLiteral("場面の詳細説明を編集"),
                            QStringLiteral("新しい場面の説明を入力してください"), text) ||
      text.isEmpty())
    return;
  const int scene = SceneOfRow(selected.first());
  SceneTable[scene].Detail = text;
  Store().WriteSceneName(scene);
}
