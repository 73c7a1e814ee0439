#include "musicset.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "apply.h"
#include "configcommands.h"
#include "session.h"
#include "storeworld.h"

using testsupport::TestWorld;

namespace {
// A made-up second set: the store, the apply plan and the commands must take it as it is.
TMusicSet ThreeTracks() {
  return {QStringLiteral("three"),
          QStringLiteral("Three tracks"),
          {{"One", "one.mp3", "", ""}, {"Two", "two.mp3", "", "second"}, {"Three", "three.mp3", "", ""}},
          1};
}
}  // namespace

TEST(MusicSet, TheMidiSetIsTheGamesFortyNineFilesWithTheTitleMusic) {
  const TMusicSet &midi = MidiMusicSet();
  EXPECT_EQ(midi.Id, "midi");
  ASSERT_EQ(midi.Scenes.size(), 49u);
  EXPECT_EQ(midi.Scenes[static_cast<size_t>(midi.TitleScene)].FileName, "stones2.mid");
  const TSceneTable table = BuiltInSceneTable();
  ASSERT_EQ(table.size(), 49);
  EXPECT_NE(&table.Set(), &midi);  // the table keeps its own copy of the set
  for (int i = 0; i < table.size(); ++i) {
    EXPECT_EQ(table[i].FileName, midi.Scenes[static_cast<size_t>(i)].FileName) << i;
    EXPECT_TRUE(table[i].FileName.endsWith(".mid")) << i;
  }
}

TEST(MusicSet, ATableStartsFromItsSetWithNoSourcesAndKnowsItsBounds) {
  TMusicSet set = ThreeTracks();
  set.Scenes[0].Source = "C:\\left.mp3";  // a set never brings assignments
  const TSceneTable t(set);
  ASSERT_EQ(t.size(), 3);
  EXPECT_EQ(t.TitleScene(), 1);
  EXPECT_EQ(t.Set().Id, "three");
  const struct {
    int scene;
    bool inside;
  } cases[] = {{-1, false}, {0, true}, {2, true}, {3, false}, {38, false}, {49, false}};
  for (const auto &c : cases) EXPECT_EQ(t.Contains(c.scene), c.inside) << c.scene;
  for (const TScene &scene : t) EXPECT_TRUE(scene.Source.isEmpty()) << scene.FileName.toStdString();
  EXPECT_EQ(t[1].Detail, "second");
  EXPECT_THROW(t[3], std::out_of_range);
  EXPECT_THROW(t[-1], std::out_of_range);
}

class SecondSet : public testing::Test {
 protected:
  StoreWorld w;
  TSession s{w.programPath, w.folders, w.dialogs, ThreeTracks()};
};

TEST_F(SecondSet, ReadsAndSavesOnlyItsOwnKeys) {
  TestWorld::WriteFile(w.Linux("prog/melodeck.ini"),
                       "[Mixed]\r\none.mp3=C:\\a.mp3\r\napproach.mid=C:\\x.mid\r\nthree.mp3=C:\\b.zip|c.mp3\r\n");
  s.Store.LoadConfigNames();
  s.Store.ReadConfig("Mixed");
  EXPECT_EQ(s.MusicSet().Id, "three");
  const struct {
    int scene;
    const char *source;
  } read[] = {{0, "C:\\a.mp3"}, {1, "two.mp3"}, {2, "C:\\b.zip|c.mp3"}};
  for (const auto &r : read) EXPECT_EQ(s.SceneTable[r.scene].Source, r.source) << r.scene;

  s.SceneTable[1].Source = "C:\\two.mp3";
  ASSERT_TRUE(s.Store.SaveConfig(s.Store.Settings(), "Saved"));
  const auto saved = s.Store.Settings().ReadSection("Saved");
  ASSERT_EQ(saved.size(), 3u);
  EXPECT_EQ(s.Store.Settings().ReadString("Saved", "one.mp3", ""), "C:\\a.mp3");
  EXPECT_EQ(s.Store.Settings().ReadString("Saved", "two.mp3", ""), "C:\\two.mp3");
  EXPECT_EQ(s.Store.Settings().ReadString("Saved", "three.mp3", ""), "C:\\b.zip|c.mp3");

  // Added whole: what it gives the other set's scenes (a package's MIDI files) is kept too.
  ASSERT_TRUE(s.Store.AddConfig("Added", {{"two.mp3", "C:\\t.mp3"}, {"yew.mid", "C:\\y.mid"}}));
  EXPECT_EQ(s.Store.Settings().ReadSection("Added").size(), 4u);
  EXPECT_EQ(s.Store.Settings().ReadString("Added", "yew.mid", ""), "C:\\y.mid");
  EXPECT_EQ(s.Store.Settings().ReadString("Added", "one.mp3", ""), "one.mp3");
  EXPECT_EQ(s.Store.Settings().ReadString("Added", "two.mp3", ""), "C:\\t.mp3");
}

TEST_F(SecondSet, TheApplyPlanHasOneCopyPerSceneAndClient) {
  s.SceneTable[0].Source = "C:\\a.mp3";
  s.SceneTable[2].Source = "C:\\c.mp3";
  const std::vector<TApplyCopy> plan = ApplyPlan(s);
  const int clients = w.folders.HasThirdDawn ? 2 : 1;
  ASSERT_EQ(plan.size(), static_cast<size_t>(3 * clients));
  for (const TApplyCopy &copy : plan) {
    const QString music = copy.Client == TClient::ThirdDawn ? w.folders.MusicDirTD : w.folders.MusicDir;
    EXPECT_EQ(copy.Target, music + "\\" + s.SceneTable[copy.Scene].FileName) << copy.Scene;
  }
  EXPECT_EQ(plan.front().Source, "C:\\a.mp3");
  EXPECT_EQ(plan.back().Source, "C:\\c.mp3");
}

TEST_F(SecondSet, ResetToStandardStaysInsideTheSet) {
  for (TScene &scene : s.SceneTable) scene.Source = "C:\\mine.mp3";
  const struct {
    int scene;
    const char *after[3];
  } cases[] = {
      {2, {"C:\\mine.mp3", "C:\\mine.mp3", "three.mp3"}},
      {3, {"C:\\mine.mp3", "C:\\mine.mp3", "three.mp3"}},  // beyond the set: nothing
      {38, {"C:\\mine.mp3", "C:\\mine.mp3", "three.mp3"}},
      {0, {"one.mp3", "C:\\mine.mp3", "three.mp3"}},
  };
  for (const auto &c : cases) {
    ResetSceneToStandard(s, c.scene);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(s.SceneTable[i].Source, c.after[i]) << c.scene << " " << i;
  }
}
