// A session on a fake prefix with helpers for packages: tunes and archives placed on drive C:,
// configurations chosen as the user chooses them, and the files a package or a folder holds.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>

#include "arclib.h"
#include "configcommands.h"
#include "core/winpath.h"
#include "midigen.h"
#include "storeworld.h"

struct PackageWorld {
  explicit PackageWorld(const std::string &settings = "", const testsupport::FakePrefixOptions &options = {})
      : w(options) {
    // The LHA library keeps a locale for folding names in a static of its own, which would
    // be reported lost each time the last session of a test unloads the library.
    static const arctest::ArcLib *const kept = new arctest::ArcLib("libunlha32.so", "Unlha");
    (void)kept;
    testsupport::TestWorld::WriteFile(w.Linux("prog/melodeck.ini"), settings);
    s = std::make_unique<TSession>(w.programPath, w.folders, w.dialogs);
    s->Store.LoadConfigList();
  }

  // A file of the world's own (rel with "/"); its Windows path. Files outside the prefix go
  // through drive Z:, which the archiver library, loaded once for all tests of the program,
  // maps as every test's prefix does.
  QString Put(const std::string &rel, const std::string &data) {
    const std::string linux = w.Linux("files/" + rel);
    testsupport::TestWorld::MakeDirs(linux.substr(0, linux.rfind('/')));
    testsupport::TestWorld::WriteFile(linux, data);
    return QString::fromStdString(w.world.Windows("files/" + rel));
  }
  QString Tune(const std::string &rel, int index) { return Put(rel, testsupport::MakeMidiTune(index)); }
  // An LHA archive made by jlha at rel holding entries (name → data).
  QString Lzh(const std::string &rel, const std::map<std::string, std::string> &entries) {
    const std::string dir = w.Linux("lzhsrc");
    std::string names;
    for (const auto &[name, data] : entries) {
      const std::string path = dir + "/" + name;
      testsupport::TestWorld::MakeDirs(path.substr(0, path.rfind('/')));
      testsupport::TestWorld::WriteFile(path, data);
      names += " " + arctest::Q(name);
    }
    const QString archive = Put(rel, "");
    const std::string linux = platform::ToLinux(archive.toStdString());
    std::remove(linux.c_str());
    std::string out;
    EXPECT_EQ(arctest::Sh("jlha a " + arctest::Q(linux) + names, &out, dir), 0) << out;
    std::filesystem::remove_all(dir);
    return archive;
  }

  int Scene(const char *fileName) const {
    for (int i = 0; i < s->SceneTable.size(); ++i)
      if (s->SceneTable[i].FileName == QLatin1String(fileName)) return i;
    ADD_FAILURE() << fileName;
    return 0;
  }
  void Assign(const char *fileName, const QString &source) { s->SceneTable[Scene(fileName)].Source = source; }

  // Stores the loaded scene table as name and selects it, as choosing it in the list does.
  void StoreAs(const QString &name) {
    s->Store.SaveConfig(s->Store.Settings(), name);
    s->Store.LoadConfigList();
    Select(name);
  }
  void Select(const QString &name) {
    ChangeConfig(*s, name);
    s->Store.SetSelectedConfig(s->Store.FindConfig(name));
  }

  std::string Linux(const QString &windows) const { return platform::ToLinux(windows.toStdString()); }
  QString WorkFolder() const { return s->WorkFolder.Path(); }
  std::string ProgLinux(const std::string &rel) const { return w.Linux("prog/" + rel); }

  StoreWorld w;
  std::unique_ptr<TSession> s;
};

// Every regular file below a Linux folder: relative path with "/" → contents.
std::map<std::string, std::string> FilesBelow(const std::string &linuxFolder);
