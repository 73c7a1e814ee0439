#include <gtest/gtest.h>

#include <QSignalSpy>

#include "core/text.h"
#include "storeworld.h"

using testsupport::TestWorld;

namespace {
std::string Sjis(const char *utf8) {
  std::string out;
  EXPECT_TRUE(platform::Cp932Encode(utf8, out));
  return out;
}
}  // namespace

struct ListCase {
  const char *settings;
  QStringList list;
  int selected;
  const char *caption;
};

TEST(ConfigList, OrderSelectionAndCaption) {
  const ListCase cases[] = {
      {"", {"標準"}, 0, "Melodeck - 標準"},
      {"[melodeck]\r\nLastConfig=b\r\n[B]\r\n[標準]\r\n[a]\r\n", {"標準", "B", "a"}, 1, "Melodeck - b"},
      {"[B]\r\n[MELODECK]\r\nLastConfig=gone\r\n", {"標準", "B"}, 0, "Melodeck - gone"},
      {"[Z]\r\n[A]\r\n[melodeck]\r\nLastConfig=A\r\n", {"標準", "Z", "A"}, 2, "Melodeck - A"},
  };
  for (const auto &c : cases) {
    StoreWorld w;
    TestWorld::WriteFile(w.Linux("prog/melodeck.ini"), Sjis(c.settings));
    auto store = w.MakeStore();
    QSignalSpy caption(store.get(), &TConfigStore::CaptionChanged);
    QSignalSpy selected(store.get(), &TConfigStore::ConfigSelected);
    store->LoadConfigList();
    EXPECT_EQ(store->ConfigNames(), c.list) << c.settings;
    EXPECT_EQ(store->SelectedConfig(), c.selected) << c.settings;
    EXPECT_EQ(store->CurrentConfig, c.list[c.selected]);
    ASSERT_EQ(caption.size(), 1);
    EXPECT_EQ(caption[0][0].toString(), QString::fromUtf8(c.caption));
    ASSERT_EQ(selected.size(), 1);
    EXPECT_EQ(selected[0][0].toInt(), c.selected);
  }
}

TEST(ConfigList, LoadsTheLastAppliedConfiguration) {
  StoreWorld w;
  TestWorld::WriteFile(w.Linux("prog/melodeck.ini"), "[melodeck]\r\nLastConfig=" + Sjis("夏") + "\r\n[" + Sjis("夏") +
                                                         "]\r\nyew.mid=C:\\" + Sjis("ソ") + ".mid\r\n");
  auto store = w.MakeStore();
  store->LoadConfigList();
  EXPECT_EQ(store->CurrentConfig, QString::fromUtf8("夏"));
  EXPECT_EQ(w.scenes[48].Source, QString::fromUtf8("C:\\ソ.mid"));
}

TEST(ConfigList, SceneNamesFile) {
  struct Case {
    const char *value;  // nullptr: no key
    const char *name, *detail;
  } cases[] = {
      {nullptr, "ブリティン", "ブリティン"},  // empty description takes the name
      {"x|", "ブリティン", "ブリティン"},     // two bytes: ignored
      {"ア|", "ア", ""},                      // three bytes in code page 932
      {"|desc", "", "desc"},
      {"a|b|c", "a", "b|c"},
      {"no bar", "ブリティン", "ブリティン"},
      {"ソ表|ポ", "ソ表", "ポ"},
  };
  for (const auto &c : cases) {
    StoreWorld w;
    std::string dat = "[melodeck]\r\n";
    if (c.value) dat += "britain1.mid=" + Sjis(c.value) + "\r\n";
    dat += "yew.mid=" + Sjis("森|") + "\r\n";
    TestWorld::WriteFile(w.Linux("prog/melodeck.dat"), dat);
    w.MakeStore()->LoadConfigList();
    EXPECT_EQ(w.scenes[1].Name, QString::fromUtf8(c.name)) << (c.value ? c.value : "none");
    EXPECT_EQ(w.scenes[1].Detail, QString::fromUtf8(c.detail)) << (c.value ? c.value : "none");
    EXPECT_EQ(w.scenes[48].Name, QString::fromUtf8("森"));
    EXPECT_EQ(w.scenes[48].Detail, "");
    EXPECT_EQ(w.scenes[0].Detail, QString::fromUtf8("未使用"));
  }
}
