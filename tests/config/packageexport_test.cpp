#include "packageexport.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "coredialogs.h"
#include "core/fileops.h"
#include "core/text.h"
#include "detect.h"
#include "packageworld.h"

using testsupport::TestWorld;

namespace {
const QString kCreated = QString::fromUtf8("パッケージファイルを作成しました");
const QString kNothing = QString::fromUtf8("パッケージ化するファイルがありません");

std::string Cp932(const char *utf8) {
  std::string out;
  EXPECT_TRUE(platform::Cp932Encode(utf8, out));
  return out;
}
}  // namespace

class Export : public testing::Test, public PackageWorld {
 protected:
  std::string Stage(const std::string &rel = "") const {
    return Linux(WorkFolder() + "\\Export") + (rel.empty() ? "" : "/" + rel);
  }
  std::string StagedIndex() const { return TestWorld::ReadFile(Stage("index.ini")); }
};

TEST_F(Export, TheWorkedExampleGivesItsFilesIndexAndLineAndThePeersAgree) {
  Assign("britain1.mid", Tune("mid/town.mid", 1));
  Assign("combat1.mid", Tune("mid/a/fight.mid", 2));
  Assign("combat2.mid", Tune("mid/b/fight.mid", 3));
  Assign("dungeon2.mid", Lzh("arc/set.lzh", {{"cave/deep.mid", testsupport::MakeMidiTune(4)}}) + "|cave/deep.mid");
  StoreAs(QString::fromUtf8("町の曲"));
  const QString package = Put("out/town.mdk", "an older package");

  ExportPackage(*s, package);

  EXPECT_EQ(w.dialogs.Texts(), QStringList{kCreated});
  EXPECT_EQ(StagedIndex(), Cp932("[町の曲]\r\nbritain1.mid=town.mid\r\ncombat1.mid=000\\fight.mid\r\n"
                                 "combat2.mid=001\\fight.mid\r\ndungeon2.mid=set.lzh|cave/deep.mid\r\n"));
  EXPECT_EQ(archives::ArchiverTypeFromContents(package.toStdString()), archives::atLha);
  const auto staged = arctest::Tree(Stage());
  std::vector<std::string> names;
  for (const auto &[name, digest] : staged) names.push_back(name);
  EXPECT_EQ(names, (std::vector<std::string>{"000/fight.mid", "001/fight.mid", "index.ini", "set.lzh", "town.mid"}));
  EXPECT_EQ(TestWorld::ReadFile(Stage("001/fight.mid")), testsupport::MakeMidiTune(3));

  const std::string mdk = Linux(package);
  const struct {
    const char *tool, *command;
  } peers[] = {{"jlha", "jlha x "}, {"lhasa", "lhasa xqf "}, {"bsdtar", "bsdtar -xf "}};
  for (const auto &peer : peers) {
    const std::string dir = w.Linux(std::string("by_") + peer.tool);
    TestWorld::MakeDirs(dir);
    std::string out;
    EXPECT_EQ(arctest::Sh(peer.command + arctest::Q(mdk), &out, dir), 0) << peer.tool << out;
    EXPECT_EQ(arctest::Tree(dir), staged) << peer.tool;
  }
  std::string listing;
  EXPECT_EQ(arctest::Sh("lhasa v " + arctest::Q(mdk), &listing), 0);
  EXPECT_NE(listing.find("000/fight.mid"), std::string::npos) << listing;
}

TEST_F(Export, SharedNamesGetNumberedFoldersInOrderAndArchivesGoWhole) {
  Assign("approach.mid", Tune("a/x.mid", 1));
  Assign("britain1.mid", Tune("b/x.mid", 2));
  Assign("britain2.mid", Tune("a/x.mid", 1).chopped(8) + "\\A\\X.MID");  // a\x.mid again
  Assign("combat1.mid", "britain1.mid");  // another scene's own file: not this scene's standard
  const QString songs = Lzh("s/songs.lzh", {{"a.mid", "A"}, {"b.mid", "B"}});
  Assign("combat2.mid", songs + "|a.mid");
  Assign("combat3.mid", songs + "|b.mid");
  Assign("cove.mid", Put("x", "") + "gone.mid");  // no such file
  Assign("death.mid", "death.mid");
  Assign("yew.mid", s->Folders.DefaultDir.toUpper() + "\\YEW.MID");  // the standard file in other case
  StoreAs("Mixed");

  ExportPackage(*s, Put("out/m.mdk", ""));

  EXPECT_EQ(w.dialogs.Texts(), QStringList{kCreated});
  EXPECT_EQ(StagedIndex(),
            "[Mixed]\r\napproach.mid=000\\x.mid\r\nbritain1.mid=001\\x.mid\r\nbritain2.mid=000\\X.MID\r\n"
            "combat1.mid=britain1.mid\r\ncombat2.mid=songs.lzh|a.mid\r\ncombat3.mid=songs.lzh|b.mid\r\n");
  EXPECT_EQ(TestWorld::ReadFile(Stage("britain1.mid")), TestWorld::ReadFile(w.MusicLinux() + "/default/britain1.mid"));
  EXPECT_EQ(TestWorld::ReadFile(Stage("000/x.mid")), testsupport::MakeMidiTune(1));
}

// Copies keep the permission bits: a read-only file used twice could not be copied over itself.
TEST_F(Export, AReadOnlyFileUsedByTwoScenesGivesBothKeys) {
  const QString tune = Tune("ro/x.mid", 5);
  ASSERT_EQ(chmod(Linux(tune).c_str(), 0444), 0);
  Assign("approach.mid", tune);
  Assign("yew.mid", tune);
  StoreAs("Twice");
  ExportPackage(*s, Put("out/t.mdk", ""));
  EXPECT_EQ(StagedIndex(), "[Twice]\r\napproach.mid=x.mid\r\nyew.mid=x.mid\r\n");
}

TEST_F(Export, NothingToPackOrAnUndeletablePackageStopsWithItsMessage) {
  StoreAs("Plain");  // every scene standard
  const QString package = Put("out/p.mdk", "old");
  ExportPackage(*s, package);
  Assign("approach.mid", "C:\\nowhere\\gone.mid");
  s->Store.SaveConfig(s->Store.Settings(), "Plain");
  ExportPackage(*s, package);
  EXPECT_EQ(w.dialogs.Texts(), (QStringList{kNothing, kNothing}));
  EXPECT_EQ(TestWorld::ReadFile(Linux(package)), "old");

  Assign("approach.mid", Tune("t.mid", 1));
  ASSERT_TRUE(platform::SetReadOnly(package.toStdString(), true));
  w.dialogs.Clear();
  ExportPackage(*s, package);
  EXPECT_EQ(w.dialogs.Texts(), QStringList{QString::fromUtf8("パッケージファイルの初期化に失敗しました")});
  EXPECT_EQ(TestWorld::ReadFile(Linux(package)), "old");
}

TEST_F(Export, NoSelectionDoesNothingAndTheStandardConfigurationHasNoFiles) {
  Assign("approach.mid", Tune("t.mid", 1));
  s->Store.SetSelectedConfig(-1);
  ExportPackage(*s, Put("out/n.mdk", ""));
  EXPECT_TRUE(w.dialogs.Texts().isEmpty());
  Select(kStandardConfig);
  ExportPackage(*s, Put("out/n.mdk", ""));
  EXPECT_EQ(w.dialogs.Texts(), QStringList{kNothing});
}

TEST_F(Export, AStagingFolderLeftBehindIsEmptiedFirst) {
  TestWorld::MakeDirs(Stage("old"));
  TestWorld::WriteFile(Stage("old/stale.mid"), "stale");
  EXPECT_EQ(PrepareExportFolder(WorkFolder()), WorkFolder() + "\\Export");
  EXPECT_FALSE(TestWorld::Exists(Stage()));
  EXPECT_TRUE(PrepareExportFolder(QString()).isEmpty());
}

// The index follows the settings file's rules: code page 932 while it can hold the text.
TEST_F(Export, AnIndexWithTextCodePage932CannotHoldIsUtf8WithAMark) {
  Assign("approach.mid", Tune("노래/곡.mid", 1));
  StoreAs(QString::fromUtf8("노래"));
  ExportPackage(*s, Put("out/k.mdk", ""));
  EXPECT_EQ(StagedIndex(), "\xEF\xBB\xBF[노래]\r\napproach.mid=곡.mid\r\n");
}
