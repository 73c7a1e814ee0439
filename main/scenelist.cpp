#include "scenelist.h"

#include <QHeaderView>
#include <QPainter>
#include <QPointer>
#include <QSignalBlocker>
#include <QStyledItemDelegate>

#include "core/text.h"
#include "qtcore/shownorder.h"
#include "qtcore/qstr.h"
#include "scenetext.h"
#include "sources.h"

using platform::SS;

namespace {

// Only the scene name can be edited; file names are coloured when they are not the game's own.
class TSceneListDelegate : public QStyledItemDelegate {
 public:
  TSceneListDelegate(TSceneList *list, QTreeWidget *view) : QStyledItemDelegate(view), list_(list), view_(view) {}

  QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override {
    return index.column() == 0 ? QStyledItemDelegate::createEditor(parent, option, index) : nullptr;
  }

  void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override {
    // A window destroyed without being closed first commits an open edit while it is being
    // taken apart, after the list has gone: that edit is dropped.
    if (!list_) return;
    QTreeWidgetItem *row = view_->topLevelItem(index.row());
    QString text = editor->property("text").toString();
    list_->CheckName(row, text);
    model->setData(index, text);
  }

 protected:
  void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    if (index.column() != 1 || !list_) return;
    const int scene = list_->SceneOfRow(view_->topLevelItem(index.row()));
    if (scene >= 0 && list_->IsBlue(scene)) {
      option->palette.setColor(QPalette::Text, QColor(0, 0, 255));
      option->palette.setColor(QPalette::HighlightedText, QColor(0, 0, 255));
    }
  }

 private:
  QPointer<TSceneList> list_;
  QTreeWidget *view_;
};

}  // namespace

TSceneList::TSceneList(QTreeWidget &view, TSceneTable &table, const TGameFolders &folders, QObject *parent)
    : QObject(parent), view_(view), table_(table), folders_(folders) {
  view_.setItemDelegate(new TSceneListDelegate(this, &view_));
}

// The collator without regard to case also takes hiragana for katakana and full width for half
// width; such ties go to a comparison that still tells those apart.
// Lists are collated in the language shown: Japanese whatever the system's locale, English by
// the user's own locale.
int TSceneList::CompareTexts(const QString &a, const QString &b) { return platform::CompareShownNames(a, b); }

int TSceneList::SceneOfRow(const QTreeWidgetItem *row) const { return row ? row->data(0, Qt::UserRole).toInt() : -1; }

QTreeWidgetItem *TSceneList::RowOfScene(int scene) const {
  for (int i = 0; i < view_.topLevelItemCount(); ++i)
    if (SceneOfRow(view_.topLevelItem(i)) == scene) return view_.topLevelItem(i);
  return nullptr;
}

int TSceneList::SelectedScene() const {
  const QList<QTreeWidgetItem *> selected = view_.selectedItems();
  return selected.isEmpty() ? -1 : SceneOfRow(selected.first());
}

void TSceneList::Fill() {
  view_.setUpdatesEnabled(false);
  {
    const QSignalBlocker block(&view_);
    view_.clear();
    current_ = -1;
    for (int i = 0; i < table_.size(); ++i) {
      auto *row = new QTreeWidgetItem({ShownSceneName(table_[i]), TSource::Parse(table_[i].Source).DisplayName()});
      row->setData(0, Qt::UserRole, i);
      row->setFlags(row->flags() | Qt::ItemIsEditable);
      view_.addTopLevelItem(row);
    }
  }
  ColumnClick(0, false);
  view_.resizeColumnToContents(1);
  view_.setUpdatesEnabled(true);
}

void TSceneList::ColumnClick(int column, bool fromHeader) {
  if (column < 0 || column > 1) return;
  if (fromHeader) columnTag_[column] = -columnTag_[column];
  Sort(column);
}

void TSceneList::Sort(int column) {
  // The rows leave the list and come back in order; the selection and the current row come back
  // exactly as they were, so nothing changes that the rest of the window would need to hear of.
  const QSignalBlocker block(&view_);
  const int current = SceneOfRow(view_.currentItem());
  QList<int> selected;
  for (const QTreeWidgetItem *row : view_.selectedItems()) selected << SceneOfRow(row);
  QList<QTreeWidgetItem *> rows;
  while (view_.topLevelItemCount() > 0) rows << view_.takeTopLevelItem(0);
  const int tag = columnTag_[column];
  std::stable_sort(rows.begin(), rows.end(), [column, tag](QTreeWidgetItem *a, QTreeWidgetItem *b) {
    return CompareTexts(a->text(column), b->text(column)) * tag < 0;
  });
  view_.addTopLevelItems(rows);
  view_.clearSelection();
  if (current >= 0) view_.setCurrentItem(RowOfScene(current), 0, QItemSelectionModel::NoUpdate);
  for (int scene : selected)
    if (QTreeWidgetItem *row = RowOfScene(scene)) row->setSelected(true);
}

void TSceneList::ShowSource(int scene) {
  if (QTreeWidgetItem *row = RowOfScene(scene)) row->setText(1, TSource::Parse(table_[scene].Source).DisplayName());
}

bool TSceneList::NameTaken(const QString &text) const {
  for (int i = 0; i < view_.topLevelItemCount(); ++i)
    if (view_.topLevelItem(i)->text(0).compare(text, Qt::CaseInsensitive) == 0) return true;
  return false;
}

void TSceneList::EditSelectedName() {
  const QList<QTreeWidgetItem *> selected = view_.selectedItems();
  if (!selected.isEmpty()) view_.editItem(selected.first(), 0);
}

// The same path as the game's own file, letter case aside (and only letter case: a full-width
// or katakana spelling is another file).
bool TSceneList::IsBlue(int scene) const {
  const QString own = folders_.DefaultDir + "\\" + table_[scene].FileName;
  return !platform::EqualsNoCase(SS(TSource::Parse(table_[scene].Source).Resolve(TClient::First, folders_)), SS(own));
}
