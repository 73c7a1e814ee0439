#include "digitalindex.h"

#include <gtest/gtest.h>

#include <QFile>
#include <string>
#include <vector>

#include "digitalcaption.h"
#include "requirements.h"

namespace {

// Entries as "number name[ loop]" for a compact comparison.
std::vector<std::string> Written(const TDigitalIndex &index) {
  std::vector<std::string> out;
  for (const TDigitalIndexEntry &e : index.Entries)
    out.push_back(std::to_string(e.Number) + " " + e.Name.toStdString() + (e.Loop ? " loop" : ""));
  return out;
}

const TDigitalTrack *TrackOf(const std::vector<TDigitalTrack> &tracks, const char *key) {
  for (const TDigitalTrack &t : tracks)
    if (t.Key == QLatin1String(key)) return &t;
  return nullptr;
}

}  // namespace

TEST(DigitalIndex, LinesAreReadOrSkippedAndCounted) {
  const std::string longName(100000, 'x');
  const struct {
    const char *what;
    std::string bytes;
    std::vector<std::string> entries;
    int skipped;
    int replaced = 0;
  } cases[] = {
      {"space", "9 britainpos", {"9 britainpos"}, 0},
      {"comma", "9,britainpos", {"9 britainpos"}, 0},
      {"tab", "9\tbritainpos", {"9 britainpos"}, 0},
      {"runs of separators count once", "  9 ,\t, britainpos ,, loop ,", {"9 britainpos loop"}, 0},
      {"suffix dropped", "1 a.mp3\n2 b.MP3\n3 c.Mp3", {"1 a", "2 b", "3 c"}, 0},
      {"suffix only inside the name", "1 a.mp3.bak\n2 mp3", {"1 a.mp3.bak", "2 mp3"}, 0},
      {"name kept as written", "9 Britainpos", {"9 Britainpos"}, 0},
      {"loop in any case", "1 a,loop\n2 b LOOP\n3 c\tLoOp", {"1 a loop", "2 b loop", "3 c loop"}, 0},
      {"other third field plays once", "1 a,once", {"1 a"}, 0},
      {"one field", "9", {}, 1},
      {"four fields", "9 a loop extra", {}, 1},
      {"not a number", "x a\n9x a\n+9 a\n0x1 a", {}, 4},
      {"negative", "-1 a", {}, 1},
      {"number too large", "99999999999 a", {}, 1},
      {"leading zeros", "007 a", {"7 a"}, 0},
      {"name only the suffix", "1 .mp3", {}, 1},
      {"name leaves the folder", "1 ../a\n2 sub/a\n3 sub\\a\n4 ..", {}, 4},
      {"control character in name", std::string("1 a\x01z", 5), {}, 1},
      {"blank lines not counted", "\n\n1 a\n   \n,\t,\n\n2 b\n", {"1 a", "2 b"}, 0},
      {"byte order mark",
       "\xEF\xBB\xBF"
       "0 turfin,loop",
       {"0 turfin loop"},
       0},
      {"CR LF", "0 a,loop\r\n1 b\r\n\r\n", {"0 a loop", "1 b"}, 0},
      {"bad lines never stop the rest", "garbage\n1 a\n# note\n2 b", {"1 a", "2 b"}, 2},
      {"a number twice: the last line wins", "5 a\n6 b\n5 c,loop", {"6 b", "5 c loop"}, 0, 1},
      {"very long line", "1 " + longName + " loop", {"1 " + longName + " loop"}, 0},
      {"very long line of separators", std::string(100000, ','), {}, 0},
      {"empty", "", {}, 0},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    const TDigitalIndex index = ParseDigitalIndex(QByteArray::fromStdString(c.bytes));
    EXPECT_EQ(Written(index), c.entries);
    EXPECT_EQ(index.Skipped, c.skipped);
    EXPECT_EQ(index.Replaced, c.replaced);
  }
}

TEST(DigitalIndex, OneTrackPerFileWithAllItsNumbers) {
  const TDigitalIndex index = ParseDigitalIndex("3 Town\n1 cave.mp3\n2 TOWN.MP3,loop\n7 town\n4 cave\n2 sea\n");
  const std::vector<TDigitalTrack> tracks = DigitalTracks(index);
  ASSERT_EQ(tracks.size(), 3u);
  EXPECT_EQ(tracks[0].Name, QStringLiteral("Town"));  // as first written
  EXPECT_EQ(tracks[0].Key, QStringLiteral("town.mp3"));
  EXPECT_EQ(tracks[0].Numbers, (std::vector<int>{3, 7}));  // 2 went to sea, the later line
  EXPECT_EQ(tracks[1].Key, QStringLiteral("cave.mp3"));
  EXPECT_EQ(tracks[1].Numbers, (std::vector<int>{1, 4}));
  EXPECT_EQ(tracks[2].Key, QStringLiteral("sea.mp3"));
  EXPECT_EQ(tracks[2].Numbers, (std::vector<int>{2}));
}

TEST(DigitalIndex, CaptionsNameTheScenesOfTheNumbers) {
  const struct {
    std::vector<int> numbers;
    const char *caption;
  } cases[] = {
      {{0}, "ランダム1"},
      {{9}, "ブリティン"},
      {{10}, "Britain2"},
      {{8}, "タイトル"},
      {{48}, "ムーングロー"},
      {{1, 2}, "フィールド1 / フィールド2"},
      {{2, 1}, "フィールド2 / フィールド1"},
      {{49}, "track.mp3"},
      {{100, 9, 101}, "track.mp3 / ブリティン"},
      {{}, "track.mp3"},
  };
  for (const auto &c : cases) {
    const TDigitalTrack track{QStringLiteral("track"), QStringLiteral("track.mp3"), c.numbers};
    EXPECT_EQ(DigitalTrackCaption(track).toStdString(), c.caption) << ::testing::PrintToString(c.numbers);
  }
}

TEST(DigitalIndex, RealIndexOfTheClient) {
  REQUIRE_FIXTURES();
  QFile file(QString::fromStdString(testsupport::FixturesDir() + "/digital/Config.txt"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  const TDigitalIndex index = ParseDigitalIndex(bytes);
  EXPECT_EQ(index.Skipped, 0);
  EXPECT_EQ(index.Replaced, 0);
  EXPECT_EQ(static_cast<qsizetype>(index.Entries.size()), bytes.count('\n'));
  for (int n = 0; n < static_cast<int>(index.Entries.size()); ++n) EXPECT_EQ(index.Entries[n].Number, n);

  const std::vector<TDigitalTrack> tracks = DigitalTracks(index);
  EXPECT_LT(tracks.size(), index.Entries.size());
  const TDigitalTrack *turfin = TrackOf(tracks, "turfin.mp3");
  ASSERT_NE(turfin, nullptr);
  EXPECT_EQ(turfin->Numbers, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 41}));
  EXPECT_EQ(
      DigitalTrackCaption(*turfin).toStdString(),
      "ランダム1 / フィールド1 / フィールド2 / ランダム2 / ランダム3 / ランダム4 / ランダム5 / ランダム6 / Approach");
  const TDigitalTrack *britain = TrackOf(tracks, "britainpos.mp3");
  ASSERT_NE(britain, nullptr);
  EXPECT_EQ(britain->Numbers, std::vector<int>{9});
  EXPECT_EQ(DigitalTrackCaption(*britain).toStdString(), "ブリティン");
  const TDigitalTrack *britain1 = TrackOf(tracks, "britain1.mp3");
  ASSERT_NE(britain1, nullptr);
  EXPECT_EQ(DigitalTrackCaption(*britain1).toStdString(), "Britain2");  // 10 is the second Britain scene
  const TDigitalTrack *stones = TrackOf(tracks, "stones1.mp3");
  ASSERT_NE(stones, nullptr);
  EXPECT_EQ(DigitalTrackCaption(*stones).toStdString(), "タイトル");

  const TDigitalTrack *login = TrackOf(tracks, "loginloop.mp3");
  ASSERT_NE(login, nullptr);
  EXPECT_EQ(login->Name, QStringLiteral("LoginLoop"));
  EXPECT_EQ(DigitalTrackCaption(*login).toStdString(), "LoginLoop.mp3");

  QStringList keys;
  for (const TDigitalTrack &t : tracks) {
    EXPECT_FALSE(keys.contains(t.Key)) << t.Key.toStdString();
    keys.append(t.Key);
  }
}
