// A test world with the game installed and a program folder of its own, ready for a store or
// a main window.
#pragma once

#include <memory>

#include "configstore.h"
#include "core/registry.h"
#include "scripteddialogs.h"
#include "startup.h"
#include "testworld.h"

struct StoreWorld {
  explicit StoreWorld(const testsupport::FakePrefixOptions &options = {}, bool settingsFile = true) {
    prefix = world.MakePrefix(options);
    testsupport::TestWorld::MakeDirs(world.Linux("prog"));
    programPath = QString::fromStdString(world.Windows("prog")) + "\\melodeck";
    if (settingsFile) testsupport::TestWorld::WriteFile(Linux("prog/melodeck.ini"), "");
    DiscoverGame(platform::Registry::LoadSystemReg(prefix.root), dialogs, folders);
  }
  std::unique_ptr<TConfigStore> MakeStore() { return std::make_unique<TConfigStore>(programPath, folders, scenes); }
  std::string Linux(const std::string &rel) const { return world.Linux(rel); }
  std::string MusicLinux(bool td = false) const {
    return world.Linux(td ? "prefix/drive_c/Program Files/Ultima Online Third Dawn/music"
                          : "prefix/drive_c/Program Files/Ultima Online/music");
  }

  testsupport::TestWorld world;
  testsupport::FakePrefix prefix;
  testsupport::ScriptedDialogs dialogs;
  TGameFolders folders;
  TSceneTable scenes = BuiltInSceneTable();
  QString programPath;
};
