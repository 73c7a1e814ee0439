// The cache of converted tunes: keys that change with everything the MP3 depends on, entries that
// appear whole, and room made by removing the least recently used.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <QDir>
#include <atomic>
#include <thread>

#include "convertcache.h"
#include "testworld.h"

using testsupport::TestWorld;

namespace {

QString Q(const std::string &s) { return QString::fromStdString(s); }
std::string S(const QString &s) { return s.toStdString(); }

// The key of a tune, written as source, with a SoundFont of sf2 (none when empty).
QString KeyOf(TestWorld &world, const std::string &name, const std::string &bytes, const std::string &sf2,
              const QString &settings) {
  TestWorld::WriteFile(world.Linux(name), bytes);
  if (!sf2.empty()) TestWorld::WriteFile(world.Linux(name + ".sf2"), sf2);
  const auto key = ConvertKey(Q(world.Linux(name)), sf2.empty() ? QString() : Q(world.Linux(name + ".sf2")), settings);
  return key ? *key : QString();
}

QString KeyNumber(int n) { return QString::number(n).repeated(64).left(64); }

// Sets the file's last use, seconds ago.
void UsedAgo(const QString &path, int seconds) {
  timespec t{};
  clock_gettime(CLOCK_REALTIME, &t);
  t.tv_sec -= seconds;
  const timespec times[2] = {t, t};
  ASSERT_EQ(utimensat(AT_FDCWD, S(path).c_str(), times, 0), 0);
}

QString Produce(TestWorld &world, const std::string &name, const std::string &bytes) {
  TestWorld::WriteFile(world.Linux(name), bytes);
  return Q(world.Linux(name));
}

}  // namespace

TEST(ConvertCache, TheFolderIsTheUsersCacheFolder) {
  TestWorld world;
  EXPECT_EQ(ConvertCacheDir(), Q(world.Linux("cache/melodeck")));  // never the real cache in a test

  struct Case {
    const char *xdg;  // nullptr: unset
    QString expected;
  } cases[] = {
      {"/var/cache/me", QStringLiteral("/var/cache/me/melodeck")},
      {"", QDir::homePath() + QStringLiteral("/.cache/melodeck")},
      {"relative/cache", QDir::homePath() + QStringLiteral("/.cache/melodeck")},
      {nullptr, QDir::homePath() + QStringLiteral("/.cache/melodeck")},
  };
  for (const Case &c : cases) {
    if (c.xdg) setenv("XDG_CACHE_HOME", c.xdg, 1);
    else unsetenv("XDG_CACHE_HOME");
    EXPECT_EQ(ConvertCacheDir(), c.expected) << (c.xdg ? c.xdg : "(unset)");
  }
  setenv("XDG_CACHE_HOME", world.Linux("cache").c_str(), 1);
}

TEST(ConvertCache, TheKeyFollowsTheSourceTheSoundFontAndTheSettings) {
  TestWorld world;
  const QString settings = QStringLiteral("cbr 192 44100 stereo");
  const QString base = KeyOf(world, "a.mid", "MThd tune", "sf2 one", settings);
  ASSERT_TRUE(IsConvertKey(base)) << S(base);

  struct Case {
    const char *what;
    std::string name, bytes, sf2;
    QString settings;
    bool same;
  } cases[] = {
      {"same bytes elsewhere", "b.mid", "MThd tune", "sf2 one", settings, true},
      {"other source bytes", "c.mid", "MThd tunf", "sf2 one", settings, false},
      {"other SoundFont bytes", "d.mid", "MThd tune", "sf2 two", settings, false},
      {"other settings", "e.mid", "MThd tune", "sf2 one", QStringLiteral("cbr 128 44100 stereo"), false},
      {"without SoundFont", "f.mid", "MThd tune", "", settings, false},
  };
  for (const Case &c : cases) EXPECT_EQ(KeyOf(world, c.name, c.bytes, c.sf2, c.settings) == base, c.same) << c.what;

  // The SoundFont rewritten in place: a new key, not the stamp it had.
  TestWorld::WriteFile(world.Linux("a.mid.sf2"), "sf2 One");
  EXPECT_NE(ConvertKey(Q(world.Linux("a.mid")), Q(world.Linux("a.mid.sf2")), settings), base);
  // A file that can't be read has no key.
  EXPECT_FALSE(ConvertKey(Q(world.Linux("missing.wav")), QString(), settings));
  EXPECT_FALSE(ConvertKey(Q(world.Linux("a.mid")), Q(world.Linux("missing.sf2")), settings));
}

TEST(ConvertCache, AStoredTuneIsFoundAndBadKeysAreRefused) {
  TestWorld world;
  const TConvertCache cache;
  const QString key = KeyNumber(1);
  EXPECT_FALSE(cache.Find(key));

  const QString produced = Produce(world, "tmp/made.mp3", "ID3 tune");
  const auto stored = cache.Store(key, produced);
  ASSERT_TRUE(stored);
  EXPECT_FALSE(TestWorld::Exists(S(produced)));  // moved in
  EXPECT_EQ(cache.Find(key), stored);
  EXPECT_EQ(TestWorld::ReadFile(S(*stored)), "ID3 tune");
  EXPECT_TRUE(stored->startsWith(Q(world.Linux("cache/melodeck/"))));

  // A key must not name a file elsewhere; a refused file stays where it was.
  const QString other = Produce(world, "tmp/other.mp3", "ID3 other");
  for (const QString &bad : {QStringLiteral("../../x"), QString(64, 'A'), key.left(63), key + 'a', key + '\n',
                             QString(), QStringLiteral("../") + key.mid(3)}) {
    EXPECT_FALSE(cache.Store(bad, other)) << S(bad);
    EXPECT_FALSE(cache.Find(bad)) << S(bad);
  }
  EXPECT_EQ(TestWorld::ReadFile(S(other)), "ID3 other");
  // An entry that can't be made (a folder in its place): refused, the produced file kept.
  TestWorld::MakeDirs(world.Linux("cache/melodeck/" + S(KeyNumber(3)) + ".mp3"));
  EXPECT_FALSE(cache.Store(KeyNumber(3), other));
  EXPECT_FALSE(cache.Find(KeyNumber(3)));
  EXPECT_EQ(TestWorld::ReadFile(S(other)), "ID3 other");
  // Nothing to store: nothing happens.
  EXPECT_FALSE(cache.Store(KeyNumber(2), Q(world.Linux("tmp/none.mp3"))));
  EXPECT_FALSE(cache.Find(KeyNumber(2)));
}

TEST(ConvertCache, TheLeastRecentlyUsedMakeRoom) {
  TestWorld world;
  const std::string hundred(100, 'x');
  const TConvertCache cache(Q(world.Linux("c")), 250, 60);
  for (int i = 1; i <= 2; ++i) cache.Store(KeyNumber(i), Produce(world, "p.mp3", hundred));
  UsedAgo(*cache.Find(KeyNumber(1)), 3000);
  UsedAgo(*cache.Find(KeyNumber(2)), 2000);
  ASSERT_TRUE(cache.Find(KeyNumber(1)));  // used now: 2 is the least recently used

  cache.Store(KeyNumber(3), Produce(world, "p.mp3", hundred));
  struct Case {
    int key;
    bool kept;
  } cases[] = {{1, true}, {2, false}, {3, true}};
  for (const Case &c : cases)
    EXPECT_EQ(TestWorld::Exists(world.Linux("c/" + S(KeyNumber(c.key)) + ".mp3")), c.kept) << c.key;
  EXPECT_EQ(cache.Size(), 200);

  // Entries used within the grace time stay even over the limit (another process may be copying
  // them); the new entry always stays.
  cache.Store(KeyNumber(4), Produce(world, "p.mp3", hundred));
  EXPECT_EQ(cache.Size(), 300);
  cache.Store(KeyNumber(5), Produce(world, "p.mp3", std::string(400, 'y')));
  EXPECT_TRUE(cache.Find(KeyNumber(5)));
  EXPECT_TRUE(cache.Find(KeyNumber(1)));
}

// An entry used again soon is left as it is, so that its stamp stays known to the next apply;
// one used long ago is marked as used now.
TEST(ConvertCache, AnEntryIsMarkedAsUsedOnlyWhenItWasNotLately) {
  TestWorld world;
  const TConvertCache cache(Q(world.Linux("c")), TConvertCache::kDefaultLimit, 600);
  const QString path = *cache.Store(KeyNumber(1), Produce(world, "p.mp3", "ID3"));
  const struct {
    int usedAgo;
    bool marked;
  } cases[] = {{10, false}, {299, false}, {301, true}, {86400, true}};
  for (const auto &c : cases) {
    UsedAgo(path, c.usedAgo);
    struct stat before, after;
    ASSERT_EQ(stat(S(path).c_str(), &before), 0);
    ASSERT_TRUE(cache.Find(KeyNumber(1)));
    ASSERT_EQ(stat(S(path).c_str(), &after), 0);
    EXPECT_EQ(after.st_mtim.tv_sec != before.st_mtim.tv_sec, c.marked) << c.usedAgo;
  }
}

TEST(ConvertCache, ClearRemovesEntriesAndLeftoversOnly) {
  TestWorld world;
  const TConvertCache cache(Q(world.Linux("c")));
  for (int i = 1; i <= 3; ++i) cache.Store(KeyNumber(i), Produce(world, "p.mp3", "ID3"));
  const std::string stale = world.Linux("c/.part-" + S(KeyNumber(7)) + "-abcdef");
  const std::string fresh = world.Linux("c/.part-" + S(KeyNumber(8)) + "-abcdef");
  const std::string foreign = world.Linux("c/notes.txt");
  for (const std::string &f : {stale, fresh, foreign}) TestWorld::WriteFile(f, "partial");
  UsedAgo(Q(stale), 2 * 3600);

  EXPECT_TRUE(cache.Clear());
  EXPECT_EQ(cache.Size(), 0);
  for (int i = 1; i <= 3; ++i) EXPECT_FALSE(cache.Find(KeyNumber(i)));
  EXPECT_FALSE(TestWorld::Exists(stale));
  EXPECT_TRUE(TestWorld::Exists(fresh));  // another process is writing it
  EXPECT_TRUE(TestWorld::Exists(foreign));
  EXPECT_TRUE(TConvertCache(Q(world.Linux("never-made"))).Clear());
}

TEST(ConvertCache, AFoundFileIsNeverHalfWritten) {
  TestWorld world;
  const TConvertCache cache(Q(world.Linux("c")));
  const QString key = KeyNumber(9);
  const std::string a(1 << 20, 'a'), b(1 << 20, 'b');
  cache.Store(key, Produce(world, "first.mp3", a));

  std::atomic<bool> done{false};
  std::thread writer([&] {
    for (int i = 0; i < 40; ++i) cache.Store(key, Produce(world, "w" + std::to_string(i) + ".mp3", i % 2 ? a : b));
    done = true;
  });
  int reads = 0;
  while (!done || reads < 10) {
    const auto found = cache.Find(key);
    ASSERT_TRUE(found);
    const std::string bytes = TestWorld::ReadFile(S(*found));
    ASSERT_TRUE(bytes == a || bytes == b) << "read " << bytes.size() << " bytes";
    ++reads;
  }
  writer.join();
}
