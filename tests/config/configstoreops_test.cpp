// The store's operations one by one: reading touches nothing but the scene table, adding writes
// one section and nothing else, making backups is the only one that writes beside the game.
#include <gtest/gtest.h>
#include <unistd.h>

#include "configstore.h"
#include "storeworld.h"

using testsupport::TestWorld;

namespace {

class StoreOps : public testing::Test {
 protected:
  StoreWorld w;
  std::unique_ptr<TConfigStore> store = w.MakeStore();
  TSceneTable &scenes = w.scenes;
  std::string Backup(const char *file) const { return w.MusicLinux() + "/default/" + file; }
  std::string Settings() const { return TestWorld::ReadFile(w.Linux("prog/melodeck.ini")); }
};

TEST_F(StoreOps, ReadingMakesNoBackupAndWritesNothing) {
  TestWorld::WriteFile(w.Linux("prog/melodeck.ini"), "[Summer]\r\nBRITAIN1.MID=C:\\town.mid\r\n");
  const std::string before = Settings();
  struct {
    QString name;
    QString britain1;
  } cases[] = {{"Summer", "C:\\town.mid"}, {kStandardConfig, "britain1.mid"}, {"Gone", "britain1.mid"}};
  for (const auto &c : cases) {
    store->ReadConfig(c.name);
    EXPECT_EQ(store->CurrentConfig, c.name);
    EXPECT_EQ(scenes[1].Source, c.britain1) << c.name.toStdString();
    EXPECT_EQ(scenes[48].Source, "yew.mid") << c.name.toStdString();
    EXPECT_FALSE(TestWorld::Exists(Backup("yew.mid"))) << c.name.toStdString();
  }
  EXPECT_EQ(Settings(), before);
  EXPECT_TRUE(w.dialogs.Shown().empty());
}

TEST_F(StoreOps, MakingBackupsReportsWhatIsMissingForTheUnassignedScenesOnly) {
  TestWorld::WriteFile(w.Linux("prog/melodeck.ini"), "[Summer]\r\nyew.mid=C:\\yew.mid\r\n");
  unlink((w.MusicLinux() + "/yew.mid").c_str());
  unlink((w.MusicLinux() + "/cove.mid").c_str());
  struct {
    QString name;
    std::vector<QString> missing;
  } cases[] = {
      {"Summer", {w.folders.DefaultDir + "\\cove.mid"}},
      {kStandardConfig, {w.folders.DefaultDir + "\\cove.mid", w.folders.DefaultDir + "\\yew.mid"}},
  };
  for (const auto &c : cases) {
    store->ReadConfig(c.name);
    const TBackupReport report = store->MakeMissingBackups();
    EXPECT_EQ(report.Missing, c.missing) << c.name.toStdString();
    EXPECT_TRUE(report.Ours.empty());
    EXPECT_FALSE(report.Complete());
    EXPECT_TRUE(TestWorld::Exists(Backup("britain1.mid")));
  }
  EXPECT_TRUE(w.dialogs.Shown().empty());
}

TEST_F(StoreOps, AddingStoresEverySceneAndLeavesTheLoadedConfigurationAlone) {
  TestWorld::WriteFile(w.Linux("prog/melodeck.ini"), "[Old]\r\nyew.mid=C:\\old.mid\r\ncove.mid=C:\\cove.mid\r\n");
  store->LoadConfigNames();
  store->ReadConfig("Old");
  struct {
    const char *what;
    QString name;
    TAssignments assignments;
    bool stored;
  } cases[] = {
      {"a new one", "New", {{"britain1.mid", "C:\\town.mid"}}, true},
      {"one replaced whole", "Old", {{"approach.mid", "C:\\a.lzh|b.mid"}}, true},
      {"the standard one is never stored", kStandardConfig, {{"yew.mid", "C:\\x.mid"}}, false},
      {"no name", QString(), {}, false},
  };
  for (const auto &c : cases) {
    const std::string before = Settings();
    EXPECT_EQ(store->AddConfig(c.name, c.assignments), c.stored) << c.what;
    EXPECT_EQ(store->CurrentConfig, "Old") << c.what;
    EXPECT_EQ(scenes[48].Source, "C:\\old.mid") << c.what;
    if (!c.stored) {
      EXPECT_EQ(Settings(), before) << c.what;
      continue;
    }
    const std::string section = c.name.toStdString();
    EXPECT_EQ(store->Settings().ReadSection(section).size(), 49u) << c.what;
    for (const TScene &scene : scenes) {
      const QString expected = c.assignments.value(scene.FileName, scene.FileName);
      EXPECT_EQ(store->Settings().ReadString(section, scene.FileName.toStdString(), ""), expected.toStdString())
          << c.what << " " << scene.FileName.toStdString();
    }
  }
  EXPECT_TRUE(w.dialogs.Shown().empty());
  EXPECT_FALSE(TestWorld::Exists(Backup("yew.mid")));
}

}  // namespace
