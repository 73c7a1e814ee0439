#include "configstore.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/text.h"
#include "coredialogs.h"
#include "importdialogs.h"
#include "importname.h"
#include "storeworld.h"

using platform::TModalResult;
using testsupport::TestWorld;

namespace {
std::string Sjis(const QString &s) {
  std::string out;
  EXPECT_TRUE(platform::Cp932Encode(s.toStdString(), out));
  return out;
}
}  // namespace

class Store : public testing::Test {
 protected:
  StoreWorld w{[] {
    testsupport::FakePrefixOptions o;
    o.thirdDawn = true;
    return o;
  }()};
  std::unique_ptr<TConfigStore> store = w.MakeStore();
  TSceneTable &scenes = w.scenes;

  // Loads name as the window does: what is missing is shown. True when nothing is.
  bool Load(const platform::IniFile &file, const QString &name) {
    const TBackupReport report = store->LoadConfig(file, name);
    ShowBackupReport(w.dialogs, report);
    return report.Complete();
  }
};

TEST_F(Store, StandardMakesBackupsAndUsesTheGamesFiles) {
  TestWorld::WriteFile(w.Linux("prog/melodeck.ini"), "[標準]\r\nyew.mid=C:\\x.mid\r\n");  // ignored
  EXPECT_TRUE(Load(store->Settings(), kStandardConfig));
  for (const TScene &s : scenes) EXPECT_EQ(s.Source, s.FileName);
  for (bool td : {false, true})
    for (const auto &f : testsupport::GameMusicFiles())
      EXPECT_EQ(TestWorld::ReadFile(w.MusicLinux(td) + "/default/" + f),
                TestWorld::ReadFile(w.MusicLinux(td) + "/" + f));
  EXPECT_EQ(store->CurrentConfig, kStandardConfig);
  EXPECT_TRUE(w.dialogs.Shown().empty());
}

TEST_F(Store, BackupsAreNeverOverwrittenButRemadeWhenDeleted) {
  Load(store->Settings(), kStandardConfig);
  const std::string yew = w.MusicLinux() + "/yew.mid";
  TestWorld::WriteFile(yew, "applied replacement");
  Load(store->Settings(), kStandardConfig);
  EXPECT_NE(TestWorld::ReadFile(w.MusicLinux() + "/default/yew.mid"), "applied replacement");
  unlink((w.MusicLinux() + "/default/yew.mid").c_str());
  Load(store->Settings(), kStandardConfig);
  EXPECT_EQ(TestWorld::ReadFile(w.MusicLinux() + "/default/yew.mid"), "applied replacement");
}

TEST_F(Store, MissingGameFilesAreListedOncePerBackupFolder) {
  unlink((w.MusicLinux() + "/yew.mid").c_str());
  unlink((w.MusicLinux(true) + "/cove.mid").c_str());
  EXPECT_FALSE(Load(store->Settings(), kStandardConfig));
  ASSERT_EQ(w.dialogs.Shown().size(), 1u);
  EXPECT_EQ(w.dialogs.Shown()[0].text, "バックアップファイルがありません.\n" + w.folders.DefaultDirTD + "\\cove.mid\n" +
                                           w.folders.DefaultDir + "\\yew.mid\n");
  EXPECT_EQ(scenes[48].Source, "yew.mid");
}

TEST_F(Store, SaveAndLoadKeepEveryKindOfNameAndPath) {
  const QString name = QString::fromUtf8("夏ソ表ポ");
  const QString sources[] = {
      QString::fromUtf8("C:\\MIDI\\ソ\\表ポ.mid"),
      QString::fromUtf8("C:\\MIDI\\アーカイブ.lzh|フォルダ/ソ.mid"),
      QString::fromUtf8("Z:\\home\\user\\Musique\\été.mid"),
  };
  Load(store->Settings(), kStandardConfig);
  for (int i = 0; i < 3; ++i) scenes[i].Source = sources[i];
  ASSERT_TRUE(store->SaveConfig(store->Settings(), name));
  const std::string bytes = TestWorld::ReadFile(w.Linux("prog/melodeck.ini"));
  EXPECT_EQ(bytes.rfind("\xEF\xBB\xBF", 0), 0u) << "é needs UTF-8";

  scenes = BuiltInSceneTable();
  platform::IniFile fresh(w.world.Windows("prog") + "\\melodeck.ini");
  ASSERT_TRUE(Load(fresh, name));
  for (int i = 0; i < 3; ++i) EXPECT_EQ(scenes[i].Source, sources[i]);
  EXPECT_EQ(scenes[3].Source, "btcastle.mid");

  // Without the "é" the file is code page 932 with CR LF.
  scenes[2].Source = "cove.mid";
  ASSERT_TRUE(store->SaveConfig(store->Settings(), name));
  const std::string sjis = TestWorld::ReadFile(w.Linux("prog/melodeck.ini"));
  EXPECT_EQ(sjis.rfind("[" + Sjis(name) + "]\r\napproach.mid=" + Sjis(sources[0]) + "\r\n", 0), 0u);
  EXPECT_NE(sjis.find("\r\nyew.mid=yew.mid\r\n"), std::string::npos);
}

TEST_F(Store, PartialSectionsLoadAsUnassignedAndSaveWhole) {
  TestWorld::WriteFile(w.Linux("prog/melodeck.ini"), "[Summer]\r\nBRITAIN1.MID=C:\\town.mid\r\ncove.mid=\r\n");
  Load(store->Settings(), "Summer");
  EXPECT_EQ(scenes[1].Source, "C:\\town.mid");
  EXPECT_EQ(scenes[9].Source, "cove.mid");
  ASSERT_TRUE(store->SaveConfig(store->Settings(), "Summer"));
  EXPECT_EQ(store->Settings().ReadSection("Summer").size(), 49u);
  EXPECT_EQ(store->Settings().ReadString("Summer", "yew.mid", ""), "yew.mid");
}

TEST_F(Store, SaveFailsWholeAndStandardIsNeverSaved) {
  for (const QString &n : {kStandardConfig, QString()}) EXPECT_TRUE(store->SaveConfig(store->Settings(), n));
  EXPECT_EQ(TestWorld::ReadFile(w.Linux("prog/melodeck.ini")), "");

  TestWorld::WriteFile(w.Linux("prog/melodeck.ini"), "[A]\r\nyew.mid=C:\\old.mid\r\n");
  chmod(w.Linux("prog/melodeck.ini").c_str(), 0444);
  Load(store->Settings(), kStandardConfig);
  scenes[0].Source = "C:\\new.mid";
  EXPECT_FALSE(store->SaveConfig(store->Settings(), "A"));
  EXPECT_EQ(TestWorld::ReadFile(w.Linux("prog/melodeck.ini")), "[A]\r\nyew.mid=C:\\old.mid\r\n");
}

TEST_F(Store, ValidConfigNames) {
  TestWorld::WriteFile(w.Linux("prog/melodeck.ini"), "[Summer]\r\n");
  store->LoadConfigList();
  const std::pair<const char *, bool> cases[] = {
      {"a", false},    {"ab", true},   {" ab", false},  {"a,b", false},    {"夏", true},
      {"é", true},     {"ab ", true},  {"標準", false}, {"SUMMER", false}, {"a\\b", false},
      {"a/b", false},  {"a:b", false}, {"a;b", false},  {"a*b", false},    {"a?b", false},
      {"a\"b", false}, {"a<b", false}, {"a>b", false},  {"a|b", false},    {"ｱ", false},
  };
  for (const auto &[n, ok] : cases) EXPECT_EQ(store->IsValidConfigName(QString::fromUtf8(n)), ok) << n;
}

TEST_F(Store, ATakenImportNameIsAskedAbout) {
  TDialogImportQuestions questions(w.dialogs);
  TestWorld::WriteFile(w.Linux("prog/melodeck.ini"), "[Summer]\r\n[Winter]\r\n");
  store->LoadConfigList();
  w.dialogs.Clear();
  QString name = "Autumn";
  EXPECT_TRUE(SettleTakenName(*store, questions, name));
  EXPECT_TRUE(w.dialogs.Shown().empty());

  name = "summer";
  w.dialogs.Answer(TModalResult::Cancel);
  EXPECT_FALSE(SettleTakenName(*store, questions, name));
  EXPECT_EQ(w.dialogs.Shown().back().text,
            QString::fromUtf8("設定 \"summer\" はすでに使われています\n上書きしますか？\n\n別の名前で登録する場合は "
                              "\"いいえ\" を選択してください"));
  EXPECT_EQ(w.dialogs.Shown().back().buttons, platform::mbYesNoCancel);

  w.dialogs.Answer(TModalResult::Yes);
  EXPECT_TRUE(SettleTakenName(*store, questions, name));
  EXPECT_EQ(name, "summer");

  // No: a new name is asked for until one is acceptable; each box starts from the colliding name.
  w.dialogs.Clear();
  w.dialogs.Answer(TModalResult::No);
  w.dialogs.AnswerInput("Winter");
  w.dialogs.AnswerInput("x");
  w.dialogs.AnswerInput("Spring");
  EXPECT_TRUE(SettleTakenName(*store, questions, name));
  EXPECT_EQ(name, "Spring");
  QStringList texts = w.dialogs.Texts();
  EXPECT_EQ(texts.size(), 6);
  EXPECT_EQ(texts[1], QString::fromUtf8("新しい設定名を入力してください"));
  EXPECT_EQ(w.dialogs.Shown()[1].caption, "Melodeck");
  EXPECT_EQ(w.dialogs.Shown()[1].value, "summer");
  EXPECT_EQ(texts[2], QString::fromUtf8("\"Winter\" は有効な名前ではありません"));
  EXPECT_EQ(w.dialogs.Shown()[3].value, "summer");
  EXPECT_EQ(texts[4], QString::fromUtf8("\"x\" は有効な名前ではありません"));

  w.dialogs.Answer(TModalResult::No);
  w.dialogs.CancelInput();
  name = "Summer";
  EXPECT_FALSE(SettleTakenName(*store, questions, name));
  EXPECT_TRUE(w.dialogs.AllAnswersUsed());
}
