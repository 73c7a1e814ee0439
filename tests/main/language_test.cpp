// The window in the user's language: the Japanese texts as written, or their English
// translations; names stored in the settings stay the same in both.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QHeaderView>
#include <QToolButton>
#include <functional>

#include "formabout.h"
#include "formworld.h"
#include "menuitems.h"
#include "qtcore/language.h"
#include "reporttexts.h"
#include "scenelist.h"
#include "shellnamespace.h"
#include "shownlanguage.h"

using testsupport::TestWorld;

namespace {

QString Text(const char *utf8) { return QString::fromUtf8(utf8); }

}  // namespace

TEST(WindowLanguage, TextsShowInTheLanguageChosen) {
  const struct Case {
    const char *what;
    std::function<QString(FormWorld &, TFormMain &)> shown;
    const char *japanese, *english;
  } cases[] = {
      {"menu title", [](FormWorld &, TFormMain &f) { return Control<QMenu>(f, "MainMenuConfig")->title(); }, "設定(&C)",
       "&Configuration"},
      {"menu item", [](FormWorld &, TFormMain &f) { return Control<QAction>(f, "MainMenuApplay")->text(); },
       "現在の設定を適用(&A)", "&Apply Current Configuration"},
      {"menu item with dots",
       [](FormWorld &, TFormMain &f) { return Control<QAction>(f, "MainMenuExportPackage")->text(); },
       "パッケージの書き出し(&E)...", "&Export Package..."},
      {"menu hint", [](FormWorld &, TFormMain &f) { return Control<QAction>(f, "MainMenuStop")->statusTip(); },
       "演奏を停止します", "Stops playing"},
      {"tool button tip",
       [](FormWorld &, TFormMain &f) { return Control<QToolButton>(f, "ToolButtonExit")->toolTip(); }, "終了", "Exit"},
      {"list header",
       [](FormWorld &, TFormMain &f) { return Control<QTreeWidget>(f, "ListView")->headerItem()->text(0); }, "場面",
       "Scene"},
      {"caption on the game's own music", [](FormWorld &, TFormMain &f) { return f.windowTitle(); }, "Melodeck - 標準",
       "Melodeck - 標準 (the game's own music)"},
      {"the game's own music in the list",
       [](FormWorld &, TFormMain &f) { return Control<QComboBox>(f, "ComboBoxConfigList")->currentText(); }, "標準",
       "標準 (the game's own music)"},
      {"the game's own music in a menu",
       [](FormWorld &, TFormMain &f) {
         f.MainMenuNewClick();
         return Control<QMenu>(f, "MainMenuToBaseMenu")->actions().value(0)->text();
       },
       "標準", "標準 (the game's own music)"},
      {"message box",
       [](FormWorld &w, TFormMain &f) {
         f.AssignSource(0, QStringLiteral("C:\\a.mid"));
         return w.dialogs.Texts().value(0);
       },
       "\"標準\"の曲は変更できません。新しい設定を作成してください",
       "The tunes of \"標準\" (the game's own music) cannot be changed. Please create a new configuration"},
      {"about box", [](FormWorld &, TFormMain &f) { return TFormAbout(&f).windowTitle(); }, "バージョン情報",
       "About Melodeck"},
      {"splash",
       [](FormWorld &, TFormMain &f) {
         std::unique_ptr<TFormAbout> splash(TFormAbout::CreateSplash(&f));
         return splash->LabelInfo->text();
       },
       "起動中です...", "Starting..."},
      {"report", [](FormWorld &, TFormMain &) { return ConfigCommandText(TConfigCommandResult::NameInUse); },
       "既存の設定と同じ名前は使えません", "A configuration with that name already exists"},
      {"system folder", [](FormWorld &, TFormMain &) { return foldertree::MyComputer().name; }, "マイ コンピュータ",
       "My Computer"},
      {"scene in the list", [](FormWorld &, TFormMain &f) { return f.SceneList().RowOfScene(1)->text(0); },
       "ブリティン", "Britain"},
      {"apply question naming the game's own music",
       [](FormWorld &w, TFormMain &f) {
         w.dialogs.Answer(platform::TModalResult::Cancel);
         f.MainMenuApplayClick();
         return w.dialogs.Texts().value(0);
       },
       "標準を適用しますか？", "Apply 標準 (the game's own music)?"},
  };
  for (const bool japanese : {false, true}) {
    for (const Case &c : cases) {
      const TShownLanguage language(japanese);
      FormWorld w;
      TFormMain &f = w.Open();
      EXPECT_EQ(c.shown(w, f), Text(japanese ? c.japanese : c.english)) << c.what << (japanese ? " (ja)" : " (en)");
      w.Close();
    }
  }
}

// Whatever the language, the stored names stay as written: a configuration, the game's own
// music, the options and the language choice itself.
TEST(WindowLanguage, SettingsWrittenInOneLanguageReadTheSameInTheOther) {
  FormWorld w("[Summer]\r\nyew.mid=C:\\a.mid\r\n[Winter]\r\n");
  std::string written;
  {
    const TShownLanguage english(false);
    TFormMain &f = w.Open();
    Control<QAction>(f, "MainMenuFileJump")->trigger();
    Control<QAction>(f, "MainMenuLanguageEn")->trigger();
    auto *list = Control<QComboBox>(f, "ComboBoxConfigList");
    list->setCurrentIndex(list->findText("Winter"));
    f.ComboBoxConfigListChange();
    w.dialogs.Answer(platform::TModalResult::OK);
    f.MainMenuApplayClick();
    EXPECT_EQ(f.windowTitle(), "Melodeck - Winter");
    w.Close();
    written = w.Settings();
  }
  EXPECT_EQ(written.find("the game's own music"), std::string::npos) << written;
  EXPECT_NE(written.find("Language=en\r\n"), std::string::npos) << written;
  EXPECT_NE(written.find("[Summer]\r\nyew.mid=C:\\a.mid\r\n"), std::string::npos) << written;
  {
    const TShownLanguage japanese(true);
    TFormMain &f = w.Open();
    EXPECT_TRUE(menuitems::Checked(Control<QAction>(f, "MainMenuFileJump")));
    EXPECT_TRUE(menuitems::Checked(Control<QAction>(f, "MainMenuLanguageEn")));
    EXPECT_EQ(Control<QComboBox>(f, "ComboBoxConfigList")->currentText(), "Winter");
    EXPECT_EQ(f.Store().ConfigNames(), (QStringList{Text("標準"), "Summer", "Winter"}));
    w.Close();
  }
  EXPECT_EQ(w.Settings(), written) << "read in Japanese and written back, nothing changed";
  {
    const TShownLanguage english(false);
    TFormMain &f = w.Open();
    auto *list = Control<QComboBox>(f, "ComboBoxConfigList");
    list->setCurrentIndex(0);
    f.ComboBoxConfigListChange();
    EXPECT_EQ(f.Store().CurrentConfig, Text("標準")) << "the list's row is the stored name";
    w.dialogs.Answer(platform::TModalResult::OK);
    f.MainMenuApplayClick();
    EXPECT_EQ(f.windowTitle(), Text("Melodeck - 標準 (the game's own music)"));
    w.Close();
  }
  const TShownLanguage japanese(true);
  TFormMain &f = w.Open();
  EXPECT_EQ(f.windowTitle(), Text("Melodeck - 標準"));
}

// The language items keep the choice at once, say when it takes effect, and the next window
// shows the choice kept.
TEST(WindowLanguage, TheLanguageMenuKeepsTheChoice) {
  const struct Case {
    const char *item, *stored;
  } cases[] = {
      {"MainMenuLanguageEn", "Language=en\r\n"},
      {"MainMenuLanguageJa", "Language=ja\r\n"},
      {"MainMenuLanguageAuto", "Language=\r\n"},
  };
  for (const Case &c : cases) {
    FormWorld w(c.stored == std::string("Language=\r\n") ? "[melodeck]\r\nLanguage=ja\r\n" : "");
    TFormMain &f = w.Open();
    Control<QAction>(f, c.item)->trigger();
    EXPECT_NE(w.Settings().find(c.stored), std::string::npos) << c.item << " kept before the window closes\n"
                                                              << w.Settings();
    ASSERT_EQ(w.dialogs.Texts().size(), 1) << c.item;
    EXPECT_TRUE(w.dialogs.Texts()[0].contains("next time Melodeck starts")) << c.item;
    EXPECT_TRUE(w.dialogs.Texts()[0].contains(Text("次に Melodeck を起動したときから"))) << c.item;
    EXPECT_TRUE(menuitems::Checked(Control<QAction>(f, c.item))) << c.item;
    Control<QAction>(f, c.item)->trigger();
    EXPECT_EQ(w.dialogs.Texts().size(), 1) << c.item << ": choosing it again changes nothing";
    w.Close();
    TFormMain &g = w.Open();
    for (const char *item : {"MainMenuLanguageAuto", "MainMenuLanguageJa", "MainMenuLanguageEn"})
      EXPECT_EQ(menuitems::Checked(Control<QAction>(g, item)), std::string(item) == c.item) << c.item << " " << item;
    w.Close();
    EXPECT_NE(w.Settings().find(c.stored), std::string::npos) << c.item << " kept when the window closes";
  }
}

TEST(WindowLanguage, TheLanguageMenuIsTheSameInBothLanguages) {
  for (const bool japanese : {false, true}) {
    const TShownLanguage language(japanese);
    FormWorld w;
    TFormMain &f = w.Open();
    EXPECT_EQ(Control<QMenu>(f, "MainMenuLanguageMenu")->title(), "言語 / Language");
    EXPECT_EQ(Control<QAction>(f, "MainMenuLanguageJa")->text(), Text("日本語"));
    EXPECT_EQ(Control<QAction>(f, "MainMenuLanguageEn")->text(), "English");
    EXPECT_TRUE(menuitems::Checked(Control<QAction>(f, "MainMenuLanguageAuto"))) << "automatic unless chosen";
  }
}

// The longest name the window itself gives a configuration, "標準" in English, shows whole in
// the list of the window at its designed size.
TEST(WindowLanguage, TheGamesOwnMusicShowsWholeInTheList) {
  for (const bool japanese : {false, true}) {
    const TShownLanguage language(japanese);
    FormWorld w;
    TFormMain &f = w.Open();
    QCoreApplication::processEvents();
    auto *list = Control<QComboBox>(f, "ComboBoxConfigList");
    const int text = list->fontMetrics().horizontalAdvance(list->currentText());
    EXPECT_GT(list->width() - list->iconSize().width(), text) << list->currentText().toStdString();
  }
}

// The language choice as the options read and write it: a value this window doesn't know (a
// later version's language) reads as automatic and stays in the file until the user chooses.
TEST(WindowLanguage, TheOptionsKeepTheStoredLanguage) {
  using platform::TLanguageChoice;
  const struct Case {
    const char *stored;
    TLanguageChoice read;
    std::optional<TLanguageChoice> chosen;
    const char *written;
  } cases[] = {
      {"", TLanguageChoice::Automatic, std::nullopt, "Language=\r\n"},
      {"Language=ja\r\n", TLanguageChoice::Japanese, std::nullopt, "Language=ja\r\n"},
      {"Language=en\r\n", TLanguageChoice::English, std::nullopt, "Language=en\r\n"},
      {"Language=fr\r\n", TLanguageChoice::Automatic, std::nullopt, "Language=fr\r\n"},
      {"Language=fr\r\n", TLanguageChoice::Automatic, TLanguageChoice::English, "Language=en\r\n"},
      {"Language=en\r\n", TLanguageChoice::English, TLanguageChoice::Automatic, "Language=\r\n"},
  };
  for (const Case &c : cases) {
    FormWorld w;
    TestWorld::WriteFile(w.Linux("o.ini"), std::string("[melodeck]\r\n") + c.stored);
    platform::IniFile ini(w.world.Windows("o.ini"));
    TFormOptions o = TFormOptions::Load(ini);
    EXPECT_EQ(o.Language, c.read) << c.stored;
    if (c.chosen) o.Language = *c.chosen;
    o.Save(ini);
    EXPECT_NE(TestWorld::ReadFile(w.Linux("o.ini")).find(c.written), std::string::npos)
        << c.stored << "\n"
        << TestWorld::ReadFile(w.Linux("o.ini"));
  }
}

// The scene list sorts in the language shown: Japanese order (JIS) for Japanese, whatever the
// system's locale; the user's locale's order for English.
TEST(WindowLanguage, ScenesSortInTheLanguageShown) {
  const QLocale saved;
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  const QString first = QString::fromUtf8("亜"), second = QString::fromUtf8("一");
  {
    const TShownLanguage english(false);
    EXPECT_GT(TSceneList::CompareTexts(first, second), 0) << "English order: by code point";
    EXPECT_LT(TSceneList::CompareTexts("apple", "Banana"), 0) << "without regard to case";
  }
  {
    const TShownLanguage japanese(true);
    EXPECT_LT(TSceneList::CompareTexts(first, second), 0) << "Japanese order";
  }
  QLocale::setDefault(saved);
}

// A scene's built-in name shows in the language, but only a name the user gives is written: the
// scene names file stays the same whatever the language shown.
TEST(WindowLanguage, ASceneNameIsStoredOnlyWhenTheUserChangesIt) {
  FormWorld w;
  const TShownLanguage english(false);
  TFormMain &f = w.Open();
  QTreeWidgetItem *row = f.SceneList().RowOfScene(1);
  ASSERT_EQ(row->text(0), "Britain");
  row->setSelected(true);
  f.ListViewChangeText(row);  // committed as shown
  EXPECT_EQ(f.Session().SceneTable[1].Name, Text("ブリティン"));
  platform::IniFile dat(w.world.Windows("prog") + "\\melodeck.dat");
  EXPECT_EQ(dat.ReadString("melodeck", "britain1.mid", "none"), "none");
  row->setText(0, "Britain Castle");
  EXPECT_EQ(f.Session().SceneTable[1].Name, "Britain Castle");
  EXPECT_EQ(platform::IniFile(w.world.Windows("prog") + "\\melodeck.dat")
                .ReadString("melodeck", "britain1.mid", "")
                .substr(0, 15),
            "Britain Castle|");
}

TEST(WindowLanguage, TheManualIsInTheLanguageShown) {
  for (const bool japanese : {false, true}) {
    const TShownLanguage language(japanese);
    const QString manual = TFormMain::ManualPath();
    EXPECT_TRUE(manual.endsWith(japanese ? "/melodeck-manual.html" : "/melodeck-manual.en.html"))
        << manual.toStdString();
    QFile file(manual);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(file.readAll()).contains(japanese ? Text("パッケージ") : "package"));
  }
}
