#include "configcommands.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <cstdio>
#include <functional>

#include "coredialogs.h"
#include "storeworld.h"

using platform::TModalResult;
using testsupport::TestWorld;

namespace {
const QString kInUse = QString::fromUtf8("既存の設定と同じ名前は使えません");
const QString kInvalid = QString::fromUtf8("ファイル名に使用できない文字は使えません");
}  // namespace

class Commands : public testing::Test {
 protected:
  void Start(const std::string &settings) {
    TestWorld::WriteFile(w.Linux("prog/melodeck.ini"), settings);
    s = std::make_unique<TSession>(w.programPath, w.folders, w.dialogs);
    s->Store.LoadConfigList();
  }
  QString Ini(const char *section, const char *key) const {
    return QString::fromStdString(s->Store.Settings().ReadString(section, key, "<none>"));
  }
  StoreWorld w;
  std::unique_ptr<TSession> s;
};

TEST_F(Commands, SummerFromStandardWrites49KeysAndIsListedLast) {
  Start("[Autumn]\r\nyew.mid=C:\\a.mid\r\n");
  w.dialogs.AnswerInput("Summer");
  EXPECT_TRUE(AskCreateConfig(*s, QString::fromUtf8("標準")));
  EXPECT_EQ(s->Store.Settings().ReadSection("Summer").size(), 49u);
  for (const TScene &scene : s->SceneTable) {
    EXPECT_EQ(scene.Source, scene.FileName);
    EXPECT_EQ(Ini("Summer", scene.FileName.toUtf8().constData()), scene.FileName);
  }
  EXPECT_EQ(s->Store.ConfigNames(), (QStringList{"標準", "Autumn", "Summer"}));
  EXPECT_EQ(s->Store.CurrentConfig, "Summer");
  EXPECT_EQ(s->Store.SelectedConfig(), 2);
  EXPECT_EQ(w.dialogs.Shown()[0].caption, QString::fromUtf8("Melodeck - 設定の新規作成"));
}

TEST_F(Commands, NewNamesAreTestedInOrder) {
  struct Case {
    const char *name;
    QString message;  // empty: silent
  };
  const Case cases[] = {
      {"autumn", kInUse},                                            // another case of an existing one
      {"標準", kInUse},   {"A", kInUse},                             // in use and too short: the in-use message
      {"", QString()},                                               // empty or cancelled: silent
      {"b", kInvalid},                                               // one byte
      {"a/b", kInvalid},  {" x", kInvalid}, {"MeloDeck", kInvalid},  // the settings section's own name
  };
  for (const Case &c : cases) {
    Start("[Autumn]\r\n[a]\r\n");
    w.dialogs.Clear();
    w.dialogs.AnswerInput(QString::fromUtf8(c.name));
    EXPECT_FALSE(AskCreateConfig(*s, "Autumn")) << c.name;
    const QStringList texts = w.dialogs.Texts();
    if (c.message.isEmpty()) EXPECT_EQ(texts.size(), 1) << c.name;
    else EXPECT_EQ(texts.value(1), c.message) << c.name;
    EXPECT_EQ(s->Store.ConfigNames().size(), 3) << c.name;
  }
}

TEST_F(Commands, CreatingFromAVanishedBaseDoesNothing) {
  Start("[Autumn]\r\n");
  w.dialogs.AnswerInput("Winter");
  EXPECT_FALSE(AskCreateConfig(*s, "Gone"));
  EXPECT_FALSE(s->Store.Settings().SectionExists("Winter"));
}

TEST_F(Commands, RenameKeepsTheRightConfigurationLoaded) {
  Start("[A1]\r\nyew.mid=C:\\a.mid\r\n[B1]\r\nyew.mid=C:\\b.mid\r\n");
  ChangeConfig(*s, "A1");
  s->Store.SetSelectedConfig(1);
  s->SceneTable[0].Source = "C:\\unsaved.mid";  // saved by the rename
  w.dialogs.AnswerInput("B2");
  EXPECT_TRUE(AskRenameConfig(*s, "B1"));  // another one: A1 stays loaded
  EXPECT_EQ(s->Store.ConfigNames(), (QStringList{"標準", "A1", "B2"}));
  EXPECT_EQ(s->Store.CurrentConfig, "A1");
  EXPECT_EQ(Ini("A1", "approach.mid"), "C:\\unsaved.mid");
  EXPECT_EQ(Ini("B2", "yew.mid"), "C:\\b.mid");

  w.dialogs.AnswerInput("A2");
  EXPECT_TRUE(AskRenameConfig(*s, "A1"));  // the loaded one: loaded under its new name
  EXPECT_EQ(s->Store.ConfigNames(), (QStringList{"標準", "B2", "A2"}));
  EXPECT_EQ(s->Store.CurrentConfig, "A2");
  EXPECT_EQ(s->Store.SelectedConfig(), 2);
  EXPECT_EQ(s->SceneTable[48].Source, "C:\\a.mid");
}

TEST_F(Commands, RenameStopsSilentlyOnTheSameNameAndCarriesLastConfig) {
  Start("[Summer]\r\n[melodeck]\r\nLastConfig=summer\r\n");
  for (const char *answer : std::initializer_list<const char *>{"SUMMER", "", nullptr}) {
    if (answer) w.dialogs.AnswerInput(answer);
    else w.dialogs.CancelInput();
    EXPECT_FALSE(AskRenameConfig(*s, "Summer"));
  }
  EXPECT_EQ(w.dialogs.Texts().size(), 3);  // the three input boxes, no message
  QSignalSpy caption(&s->Store, &TConfigStore::CaptionChanged);
  w.dialogs.AnswerInput("Winter");
  EXPECT_TRUE(AskRenameConfig(*s, "Summer"));
  EXPECT_EQ(Ini("melodeck", "LastConfig"), "Winter");
  ASSERT_EQ(caption.size(), 1);
  EXPECT_EQ(caption[0][0].toString(), "Melodeck - Winter");
}

TEST_F(Commands, DeleteAsksSavesTheLoadedOneAndReloads) {
  Start("[A1]\r\n[B1]\r\n[melodeck]\r\nLastConfig=B1\r\n");
  ChangeConfig(*s, "A1");
  s->SceneTable[3].Source = "C:\\kept.mid";
  w.dialogs.Answer(TModalResult::Cancel);
  EXPECT_FALSE(AskDeleteConfig(*s, "B1"));
  EXPECT_TRUE(s->Store.Settings().SectionExists("B1"));
  w.dialogs.Answer(TModalResult::OK);
  EXPECT_TRUE(AskDeleteConfig(*s, "B1"));
  EXPECT_EQ(w.dialogs.Texts().last(), QString::fromUtf8("設定B1を削除します"));
  EXPECT_FALSE(s->Store.Settings().SectionExists("B1"));
  EXPECT_EQ(Ini("A1", "btcastle.mid"), "C:\\kept.mid");
  EXPECT_EQ(s->Store.CurrentConfig, QString::fromUtf8("標準"));  // the applied one is gone
  EXPECT_EQ(EditableConfigNames(*s), QStringList{"A1"});
}

TEST_F(Commands, ResetThenSwitchSavesTheReset) {
  Start("[A1]\r\nyew.mid=C:\\a.mid\r\n[B1]\r\n");
  ChangeConfig(*s, "A1");
  ResetSceneToStandard(*s, 48);
  EXPECT_EQ(s->SceneTable[48].Source, "yew.mid");
  ChangeConfig(*s, "B1");
  EXPECT_EQ(Ini("A1", "yew.mid"), "yew.mid");
}

TEST_F(Commands, NamesCodePage932CannotHoldSurviveARestart) {
  Start("");
  const QString name = QString::fromUtf8("Café ß 〜");
  w.dialogs.AnswerInput(name);
  ASSERT_TRUE(AskCreateConfig(*s, QString::fromUtf8("標準")));
  s->SceneTable[5].Source = QString::fromUtf8("C:\\é\\ß.mid");
  s->CleanUpAtExit();
  s.reset();
  Start(TestWorld::ReadFile(w.Linux("prog/melodeck.ini")));
  ASSERT_EQ(s->Store.FindConfig(name), 1);
  ChangeConfig(*s, name);
  EXPECT_EQ(s->SceneTable[5].Source, QString::fromUtf8("C:\\é\\ß.mid"));
}

// The commands themselves ask nothing and show nothing: the name comes in, the result goes out.
TEST_F(Commands, TheCoreCommandsAnswerWithAResultAndShowNothing) {
  using R = TConfigCommandResult;
  struct {
    const char *what;
    std::function<TConfigCommandReport(TSession &)> run;
    R result;
    QStringList names;  // the list afterwards
  } cases[] = {
      {"create",
       [](TSession &s) { return CreateConfig(s, "Autumn", "Winter"); },
       R::Done,
       {"標準", "Autumn", "Summer", "Winter"}},
      {"create under a name in use",
       [](TSession &s) { return CreateConfig(s, "Autumn", "summer"); },
       R::NameInUse,
       {"標準", "Autumn", "Summer"}},
      {"create without a name",
       [](TSession &s) { return CreateConfig(s, "Autumn", ""); },
       R::NoName,
       {"標準", "Autumn", "Summer"}},
      {"create under a name the file can't take",
       [](TSession &s) { return CreateConfig(s, "Autumn", "a/b"); },
       R::InvalidName,
       {"標準", "Autumn", "Summer"}},
      {"create from a vanished base",
       [](TSession &s) { return CreateConfig(s, "Gone", "Winter"); },
       R::Gone,
       {"標準", "Autumn", "Summer"}},
      {"rename",
       [](TSession &s) { return RenameConfig(s, "Autumn", "Spring"); },
       R::Done,
       {"標準", "Summer", "Spring"}},
      {"rename to its own name",
       [](TSession &s) { return RenameConfig(s, "Autumn", "AUTUMN"); },
       R::NoName,
       {"標準", "Autumn", "Summer"}},
      {"rename a vanished one",
       [](TSession &s) { return RenameConfig(s, "Gone", "Spring"); },
       R::Gone,
       {"標準", "Autumn", "Summer"}},
      {"erase", [](TSession &s) { return EraseConfig(s, "Autumn"); }, R::Done, {"標準", "Summer"}},
      {"erase a vanished one",
       [](TSession &s) { return EraseConfig(s, "Gone"); },
       R::Gone,
       {"標準", "Autumn", "Summer"}},
  };
  for (const auto &c : cases) {
    Start("[Autumn]\r\nyew.mid=C:\\a.mid\r\n[Summer]\r\n");
    w.dialogs.Clear();
    // A missing backup is reported by whatever is loaded in the end, never shown.
    std::remove((w.MusicLinux() + "/default/cove.mid").c_str());
    std::remove((w.MusicLinux() + "/cove.mid").c_str());
    const TConfigCommandReport report = c.run(*s);
    EXPECT_EQ(report.Result, c.result) << c.what;
    EXPECT_EQ(s->Store.ConfigNames(), c.names) << c.what;
    EXPECT_TRUE(w.dialogs.Shown().empty()) << c.what;
    if (report.Done())
      EXPECT_EQ(report.Backups.Missing, std::vector<QString>{w.folders.DefaultDir + "\\cove.mid"}) << c.what;
  }
}
