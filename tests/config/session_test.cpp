#include "session.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "core/winpath.h"
#include "storeworld.h"

using testsupport::TestWorld;

class Session : public testing::Test {
 protected:
  StoreWorld w;
  TSession s{w.programPath, w.folders, w.dialogs};
};

TEST_F(Session, TheWorkFolderIsUnderTheTemporaryFolder) {
  EXPECT_TRUE(s.WorkFolder.Path().startsWith(QString::fromStdString(w.world.Windows("tmp")) + "\\melodeck-"));
}

TEST_F(Session, CleanUpAtExitSavesAndRemovesTheWorkFolder) {
  TestWorld::WriteFile(w.Linux("prog/melodeck.ini"), "[Summer]\r\n[melodeck]\r\nLastConfig=Summer\r\n");
  s.Store.LoadConfigList();
  s.SceneTable[0].Source = "C:\\new.mid";
  const std::string work = platform::ToLinux(s.WorkFolder.Path().toStdString());
  TestWorld::MakeDirs(work + "/x");
  TestWorld::MakeDirs(w.Linux("tmp/melodeck/x"));  // not this session's
  s.CleanUpAtExit();
  EXPECT_EQ(s.Store.Settings().ReadString("Summer", "approach.mid", ""), "C:\\new.mid");
  EXPECT_FALSE(TestWorld::Exists(work));
  EXPECT_TRUE(TestWorld::Exists(w.Linux("tmp/melodeck/x")));
}

TEST_F(Session, WithoutATempPathThereIsNoWorkFolderToDelete) {
  // A temporary folder whose path is too long for the program: no work folder, and nothing
  // relative to the current folder (nor the drive's root) is taken for one.
  const std::string longTmp = w.Linux("tmp/" + std::string(250, 'x'));
  TestWorld::MakeDirs(longTmp);
  setenv("TMPDIR", longTmp.c_str(), 1);
  TestWorld::MakeDirs(w.Linux("cwd/melodeck"));
  TestWorld::WriteFile(w.Linux("cwd/melodeck/keep.mid"), "x");
  TestWorld::WriteFile(w.Linux("cwd/keep.mid"), "x");
  ASSERT_EQ(chdir(w.Linux("cwd").c_str()), 0);
  TSession late(w.programPath, w.folders, w.dialogs);
  EXPECT_TRUE(late.WorkFolder.Path().isEmpty());
  late.CleanUpAtExit();
  ASSERT_EQ(chdir("/"), 0);
  EXPECT_TRUE(TestWorld::Exists(w.Linux("cwd/melodeck/keep.mid")));
  EXPECT_TRUE(TestWorld::Exists(w.Linux("cwd/keep.mid")));
}
