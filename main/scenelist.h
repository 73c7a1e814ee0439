// The scene list: one row per scene of the scene table (the row's data is the scene index),
// sorting by either column, in-place renaming and blue file names for files that are not the
// game's own. It also knows the scene the tree-side commands act on.
#pragma once

#include <QObject>
#include <QTreeWidget>
#include <functional>

#include "session.h"

class TSceneList : public QObject {
  Q_OBJECT
 public:
  // Asked before a new scene name is committed: false and text replaced when it is refused.
  using TNameCheck = std::function<bool(QTreeWidgetItem *row, QString &text)>;

  TSceneList(QTreeWidget &view, TSceneTable &table, const TGameFolders &folders, QObject *parent);

  void SetNameCheck(TNameCheck check) { nameCheck_ = std::move(check); }
  bool CheckName(QTreeWidgetItem *row, QString &text) const { return !nameCheck_ || nameCheck_(row, text); }

  // The rows anew from the table, sorted as the first column says, nothing selected.
  void Fill();
  // Sorts by column; a click on the header turns that column's direction first.
  void ColumnClick(int column, bool fromHeader);
  int SceneOfRow(const QTreeWidgetItem *row) const;
  QTreeWidgetItem *RowOfScene(int scene) const;
  // The first selected row's scene; -1: none.
  int SelectedScene() const;
  // The scene shown as selected to the tree-side commands; -1: none.
  int CurrentScene() const { return current_; }
  void SetCurrentScene(int scene) { current_ = scene; }
  // The row's file column shows the scene's source anew.
  void ShowSource(int scene);
  // A row is named text already, letter case aside.
  bool NameTaken(const QString &text) const;
  // Starts editing the selected row's name.
  void EditSelectedName();
  // Blue unless the scene plays the game's own file.
  bool IsBlue(int scene) const;

  // The list's order: locale-aware and without regard to case; texts that differ in anything
  // but case (kana, width) never compare equal.
  static int CompareTexts(const QString &a, const QString &b);

 private:
  void Sort(int column);

  QTreeWidget &view_;
  TSceneTable &table_;
  const TGameFolders &folders_;
  TNameCheck nameCheck_;
  int current_ = -1;
  int columnTag_[2] = {1, 1};  // sort direction of the columns
};
