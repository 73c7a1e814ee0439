// A folder tree on a fake Wine prefix, set up the way the main window sets it up: files shown,
// MIDI files and archives only. Helpers name nodes by caption and by path.
#pragma once

#include <gtest/gtest.h>

#include <QStringList>
#include <memory>
#include <string>

#include "core/winpath.h"
#include "foldertreeviewex.h"
#include "testworld.h"

class TreeTest : public testing::Test {
 protected:
  void SetUp() override {
    prefix = world.MakePrefix();
    c = world.Linux("prefix/drive_c");
    music = c + "/Program Files/Ultima Online/music";
    tree = std::make_unique<TFolderTreeViewEx>();
    tree->resize(300, 400);
    tree->SetRefreshWait(0);
  }
  void TearDown() override { tree.reset(); }

  void ShowLikeMainWindow() {
    tree->SetContextMenu(false);
    tree->SetDragAndDrop(false);
    tree->SetHideSelection(false);
    tree->SetShowFile(true);
    tree->SetFileMask({".mid", ".lzh", ".zip"});
  }

  static void Touch(const std::string &linuxPath) { testsupport::TestWorld::WriteFile(linuxPath, "x"); }
  static void Mkdir(const std::string &linuxPath) { testsupport::TestWorld::MakeDirs(linuxPath); }
  // Files and folders below C: ("a/b/" a folder, "a/x.mid" a file), parents made on the way.
  void Make(std::initializer_list<std::string> paths) {
    for (const auto &p : paths) {
      const std::string full = c + "/" + p;
      Mkdir(p.back() == '/' ? full : full.substr(0, full.rfind('/')));
      if (p.back() != '/') Touch(full);
    }
  }

  // Captions of a node's children (null: the top level).
  QStringList Children(QTreeWidgetItem *node) const {
    QTreeWidgetItem *parent = node ? node : tree->invisibleRootItem();
    QStringList out;
    for (int i = 0; i < parent->childCount(); ++i) out << parent->child(i)->text(0);
    return out;
  }
  // The node of a path, expanding on the way; null when the tree can't show it.
  QTreeWidgetItem *Node(const std::string &windowsPath) {
    QTreeWidgetItem *found = nullptr;
    tree->FindPathNode(QString::fromStdString(windowsPath), false, false, &found);
    return found;
  }
  QString SelectedPath() const { return tree->NodePath(tree->Selected()); }
  std::string Win(const std::string &linuxPath) const { return platform::ToWindows(linuxPath); }

  testsupport::TestWorld world;
  testsupport::FakePrefix prefix;
  std::string c, music;
  std::unique_ptr<TFolderTreeViewEx> tree;
};
