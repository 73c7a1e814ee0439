// The window's configuration and apply commands: what they ask and what the window shows.
#include <gtest/gtest.h>

#include "formworld.h"

using platform::TModalResult;
using testsupport::TestWorld;

namespace {
QStringList Items(QMenu *menu) {
  QStringList out;
  for (QAction *a : menu->actions()) out << a->text();
  return out;
}
}  // namespace

TEST(WindowCommands, SubmenusFollowTheListAndAmpersandsShowAsTheyAre) {
  FormWorld w;
  TFormMain &f = w.Open();
  f.MainMenuConfigClick();
  EXPECT_FALSE(Control<QAction>(f, "MainMenuDelete")->isEnabled());
  EXPECT_FALSE(Control<QAction>(f, "MainMenuRename")->isEnabled());
  w.dialogs.AnswerInput("R&B");
  f.MainMenuNewClick();
  ASSERT_EQ(Items(Control<QMenu>(f, "MainMenuToBaseMenu")), QStringList{QString::fromUtf8("標準")});
  Control<QMenu>(f, "MainMenuToBaseMenu")->actions()[0]->trigger();
  EXPECT_EQ(Control<QComboBox>(f, "ComboBoxConfigList")->currentText(), "R&B");
  f.MainMenuConfigClick();
  EXPECT_TRUE(Control<QAction>(f, "MainMenuDelete")->isEnabled());
  EXPECT_EQ(Items(Control<QMenu>(f, "MainMenuRenameMenu")), QStringList{"R&&B"});
  w.dialogs.AnswerInput("Soul");
  Control<QMenu>(f, "MainMenuRenameMenu")->actions()[0]->trigger();
  EXPECT_EQ(Control<QComboBox>(f, "ComboBoxConfigList")->currentText(), "Soul");
}

TEST(WindowCommands, ChoosingAConfigurationSavesTheOldOneAndFillsTheList) {
  FormWorld w("[A1]\r\nyew.mid=C:\\a.mid\r\n[B1]\r\n");
  TFormMain &f = w.Open();
  Control<QComboBox>(f, "ComboBoxConfigList")->setCurrentIndex(1);
  f.ComboBoxConfigListChange();
  EXPECT_EQ(f.SceneList().RowOfScene(48)->text(1), "a.mid");
  f.SceneList().SetCurrentScene(48);
  f.PopupMenuListDefaultClick();
  EXPECT_EQ(f.SceneList().RowOfScene(48)->text(1), "yew.mid");
  Control<QComboBox>(f, "ComboBoxConfigList")->setCurrentIndex(2);
  f.ComboBoxConfigListChange();
  EXPECT_EQ(f.Store().CurrentConfig, "B1");
  EXPECT_EQ(f.Store().Settings().ReadString("A1", "yew.mid", ""), "yew.mid");
}

TEST(WindowCommands, CancelledApplyChangesNothingAndApplyAndExitClosesAllTheSame) {
  FormWorld w("[A1]\r\nyew.mid=C:\\a.mid\r\n[melodeck]\r\nLastConfig=A1\r\n");
  TFormMain &f = w.Open();
  const std::string yew = w.MusicLinux() + "/yew.mid", before = TestWorld::ReadFile(yew);
  ASSERT_EQ(f.windowTitle(), "Melodeck - A1");
  Control<QComboBox>(f, "ComboBoxConfigList")->setCurrentIndex(0);
  f.ComboBoxConfigListChange();
  w.dialogs.Answer(TModalResult::Cancel);
  f.MainMenuApplayCloseClick();
  EXPECT_FALSE(f.isVisible());
  EXPECT_EQ(w.dialogs.Texts().last(), QString::fromUtf8("標準を適用しますか？"));
  EXPECT_EQ(f.windowTitle(), "Melodeck - A1");
  EXPECT_EQ(TestWorld::ReadFile(yew), before);
  EXPECT_EQ(f.Store().Settings().ReadString("melodeck", "LastConfig", ""), "A1");
}

TEST(WindowCommands, ApplyRecordsTheConfigurationAndNamesItInTheCaption) {
  FormWorld w("[A1]\r\n");
  TFormMain &f = w.Open();
  Control<QComboBox>(f, "ComboBoxConfigList")->setCurrentIndex(1);
  f.ComboBoxConfigListChange();
  w.dialogs.Answer(TModalResult::OK);
  f.MainMenuApplayClick();
  EXPECT_EQ(f.windowTitle(), "Melodeck - A1");
  EXPECT_EQ(f.Store().Settings().ReadString("melodeck", "LastConfig", ""), "A1");
  EXPECT_EQ(w.dialogs.Texts().size(), 1);  // nothing failed
}

// An archive entry with no work folder to extract it to: the apply says why before it lists
// the scene among the files it could not copy.
TEST(WindowCommands, ApplyWithoutAWorkFolderSaysWhy) {
  FormWorld w("[A1]\r\n");
  TFormMain &f = w.Open();
  TestWorld::MakeDirs(w.Linux("arc"));
  TestWorld::WriteFile(w.Linux("arc/pack.zip"), "PK");  // never opened: there is nowhere to extract to
  Control<QComboBox>(f, "ComboBoxConfigList")->setCurrentIndex(1);
  f.ComboBoxConfigListChange();
  f.Session().SceneTable[0].Source = QString::fromStdString(w.world.Windows("arc/pack.zip")) + "|music/town.mid";
  TestWorld::WriteFile(w.Linux("notafolder"), "x");
  setenv("TMPDIR", w.Linux("notafolder").c_str(), 1);
  f.Session().WorkFolder.Remove();
  w.dialogs.Answer(TModalResult::OK);
  f.MainMenuApplayClick();
  const QStringList texts = w.dialogs.Texts();
  // No advice about files in use: the copy was not tried.
  ASSERT_EQ(texts.size(), 3) << texts.join("|").toStdString();
  EXPECT_EQ(texts[1], QString::fromUtf8("作業フォルダを作成できません: ") +
                          QString::fromStdString(w.Linux("notafolder")) + "/melodeck-XXXXXX: Not a directory");
  EXPECT_TRUE(texts[2].startsWith(QString::fromUtf8("以下のファイルにコピーできませんでした")))
      << texts[2].toStdString();
}
