#include "scenetable.h"

#include <gtest/gtest.h>

#include "fakeprefix.h"

TEST(SceneTable, FileNamesAreTheGamesInAlphabeticalOrder) {
  const TSceneTable t = BuiltInSceneTable();
  const auto &game = testsupport::GameMusicFiles();
  ASSERT_EQ(t.size(), 49);
  ASSERT_EQ(game.size(), static_cast<size_t>(t.size()));
  for (int i = 0; i < t.size(); ++i) {
    EXPECT_EQ(t[i].FileName.toStdString(), game[i]);
    EXPECT_TRUE(t[i].Source.isEmpty());
    if (i > 0) EXPECT_LT(t[i - 1].FileName, t[i].FileName);
  }
}

TEST(SceneTable, SpotChecksOfNamesAndDescriptions) {
  const TSceneTable t = BuiltInSceneTable();
  const struct {
    int index;
    const char *name, *detail;
  } rows[] = {
      {0, "Approach", "未使用"},
      {1, "ブリティン", ""},
      {15, "フィールド3", "森・森周辺など"},
      {24, "フィールド5", "デシート島・ヒスロス島など"},
      {27, "ランダム1", "特定のBGMが選択されなかった場合"},
      {33, "フィールド6", "Wrong近辺など"},
      {36, "サーパンツ・ホールド", ""},
      {t.TitleScene(), "タイトル", ""},
      {43, "街4", "街のメインテーマ終了後など"},
      {48, "ユー", ""},
  };
  for (const auto &r : rows) {
    EXPECT_EQ(t[r.index].Name, QString::fromUtf8(r.name)) << r.index;
    EXPECT_EQ(t[r.index].Detail, QString::fromUtf8(r.detail)) << r.index;
  }
  EXPECT_EQ(t[t.TitleScene()].FileName, "stones2.mid");
  EXPECT_EQ(t.TitleScene(), 38);
}
