// A main window with archives made by peer tools on drive D: of the fake prefix, and the
// helpers to walk the folder tree's nodes by caption.
#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <cstdlib>
#include <filesystem>
#include <map>

#include "archivenode.h"
#include "core/winpath.h"
#include "formworld.h"

struct TreeWorld : FormWorld {
  // The drive D: of the prefix is <world>/d; settings as for FormWorld.
  explicit TreeWorld(const std::string &settings = "") : FormWorld(settings) {
    testsupport::TestWorld::MakeDirs(Linux("d/dl"));
    std::filesystem::create_symlink(Linux("d"), prefix.root + "/dosdevices/d:");
    testsupport::UseFakePrefix(prefix);
  }

  // Writes files (relative name → bytes) below <world>/src/<archive> and packs them, in this
  // order, into D:\dl\<archive> with jlha (.lzh) or zip (.zip). The path of the archive.
  QString Pack(const std::string &archive, const std::vector<std::pair<std::string, std::string>> &files) {
    const std::string src = Linux("src/" + archive);
    std::filesystem::remove_all(src);
    std::string names;
    for (const auto &[name, bytes] : files) {
      testsupport::TestWorld::MakeDirs(std::filesystem::path(src + "/" + name).parent_path().string());
      testsupport::TestWorld::WriteFile(src + "/" + name, bytes);
      names += " '" + name + "'";
    }
    const std::string target = Linux("d/dl/" + archive);
    std::filesystem::remove(target);
    const bool lzh = archive.ends_with(".lzh");
    const std::string command = "cd '" + src + "' && " + (lzh ? "jlha aq '" : "zip -qX '") + target + "'" + names;
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return DPath("dl/" + archive);
  }
  // A copy of a shared fixture on D:\dl; empty (the test skips) without the shared folder.
  QString Fixture(const std::string &name) {
    const char *shared = std::getenv("MELODECK_SHARED_DIR");
    const std::string from = shared ? std::string(shared) + "/fixtures/libarchive/" + name : std::string();
    if (from.empty() || !std::filesystem::exists(from)) return {};
    std::filesystem::copy_file(from, Linux("d/dl/" + name), std::filesystem::copy_options::overwrite_existing);
    return DPath("dl/" + name);
  }
  static QString DPath(const std::string &rel) { return "D:\\" + QString::fromStdString(rel).replace('/', '\\'); }

  TFolderTreeViewEx &Tree() { return *Control<TFolderTreeViewEx>(*form, "FolderTreeViewEx"); }
  // The node of a file on disk, selected; null when the tree can't show it.
  QTreeWidgetItem *Select(const QString &path) {
    if (!Tree().SelectPath(path)) return nullptr;
    return Tree().currentItem();
  }
  // The archive's node, expanded (and so listed).
  QTreeWidgetItem *Expand(const QString &archive) {
    QTreeWidgetItem *node = Select(archive);
    if (node) Tree().ExpandNode(node);
    return node;
  }
  // The node reached from node through captions separated by "/"; null when one is missing.
  static QTreeWidgetItem *At(QTreeWidgetItem *node, const QString &captions) {
    for (const QString &caption : captions.split('/')) {
      QTreeWidgetItem *next = nullptr;
      for (int i = 0; node && i < node->childCount() && !next; ++i)
        if (node->child(i)->text(0) == caption) next = node->child(i);
      node = next;
    }
    return node;
  }
  static QStringList Captions(const QTreeWidgetItem *node) {
    QStringList out;
    for (int i = 0; i < node->childCount(); ++i) out << node->child(i)->text(0);
    return out;
  }
};
