// Stamps known by a file's identity: never a stale stamp for a file written since.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <functional>

#include "core/fileops.h"
#include "stampcache.h"
#include "testworld.h"

using testsupport::TestWorld;

namespace {

// Rewrites the file with other bytes of the same size and gives it its old modification time
// back, as a copy that keeps times would.
void RewriteKeepingTimes(const std::string &path, const std::string &bytes) {
  struct stat st {};
  ASSERT_EQ(stat(path.c_str(), &st), 0);
  TestWorld::WriteFile(path, bytes);
  const timespec times[2] = {st.st_atim, st.st_mtim};
  ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

}  // namespace

TEST(StampCache, AFileIsReadAgainWhenAnythingWroteIt) {
  TestWorld world;
  const std::string file = world.Linux("track.mp3"), kept = world.Linux("prog/melodeck.stamps");
  TestWorld::MakeDirs(world.Linux("prog"));
  TestWorld::WriteFile(file, "first bytes");
  UseStampFile(kept);
  const double later = SecondsNow() + 10;

  // Changed a moment ago: not learnt, the clock's tick could hide a change.
  struct stat st {};
  ASSERT_EQ(stat(file.c_str(), &st), 0);
  const auto fresh = ReadStamp(file, static_cast<double>(st.st_ctim.tv_sec) + st.st_ctim.tv_nsec / 1e9 + 0.05);
  ASSERT_TRUE(fresh);
  EXPECT_FALSE(KnownStamp(file));
  // Older: learnt, and kept between runs.
  EXPECT_EQ(ReadStamp(file, later), fresh);
  EXPECT_EQ(KnownStamp(file), fresh);
  SaveStampFile();
  UseStampFile("");
  EXPECT_FALSE(KnownStamp(file));
  UseStampFile(kept);
  EXPECT_EQ(KnownStamp(file), fresh);

  // Other bytes of the same size under the old times: the stamp is no longer known.
  RewriteKeepingTimes(file, "other bytes");
  EXPECT_FALSE(KnownStamp(file));
  const auto now = StampOf(QString::fromStdString(world.Windows("track.mp3")));
  ASSERT_TRUE(now);
  EXPECT_NE(now->Hash, fresh->Hash);
  EXPECT_EQ(now->Hash, HashOfBytes("other bytes"));

  // A damaged file of stamps gives what can be read of it, and nothing from the rest.
  TestWorld::WriteFile(kept, "1 2 3\ngarbage\n");
  UseStampFile(kept);
  EXPECT_FALSE(KnownStamp(file));
  UseStampFile("");
}

// Read in blocks or whole, a file has one stamp, whatever its length.
TEST(StampCache, AFileReadInBlocksHasTheStampOfItsWholeBytes) {
  TestWorld world;
  UseStampFile("");
  for (const size_t size :
       {size_t{0}, size_t{7}, size_t{8}, size_t{1} << 20, (size_t{1} << 20) + 13, size_t{3} << 20}) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 131) ^ (i >> 9));
    TestWorld::WriteFile(world.Linux("f"), bytes);
    const auto stamp = ReadStamp(world.Linux("f"));
    ASSERT_TRUE(stamp) << size;
    EXPECT_EQ(stamp->Size, static_cast<qint64>(size));
    EXPECT_EQ(stamp->Hash, HashOfBytes(bytes)) << size;
  }
}

// A copy that took its source's modification time gets the source's stamp without being read,
// but only while nothing can have changed either of them since.
TEST(StampCache, ACopyLearnsItsSourcesStampOnlyWhileBothAreAsCopied) {
  const struct Case {
    const char *what;
    std::function<void(const std::string &source, const std::string &copy)> after;  // after the copy
    bool learnt;
  } cases[] = {
      {"as copied", [](const std::string &, const std::string &) {}, true},
      {"the copy written since",
       [](const std::string &, const std::string &copy) { TestWorld::WriteFile(copy, "other bytes!"); }, false},
      {"the source written since",
       [](const std::string &source, const std::string &) { RewriteKeepingTimes(source, "other bytes!"); }, false},
      {"the copy with another time",
       [](const std::string &, const std::string &copy) {
         const timespec times[2] = {{0, UTIME_OMIT}, {1000000, 0}};
         ASSERT_EQ(utimensat(AT_FDCWD, copy.c_str(), times, 0), 0);
       },
       false},
  };
  for (const Case &c : cases) {
    TestWorld world;
    const std::string source = world.Linux("tune.mp3"), copy = world.Linux("track.mp3");
    TestWorld::WriteFile(source, "tune's bytes");
    const timespec old[2] = {{1600000000, 0}, {1600000000, 5}};
    ASSERT_EQ(utimensat(AT_FDCWD, source.c_str(), old, 0), 0);
    const double later = SecondsNow() + 10;
    const auto stamp = ReadStamp(source, later);
    ASSERT_TRUE(stamp && KnownStamp(source)) << c.what;
    ASSERT_TRUE(platform::CopyFile(world.Windows("tune.mp3"), world.Windows("track.mp3"), false)) << c.what;
    c.after(source, copy);
    LearnCopyStamp(source, copy, *stamp, later);
    EXPECT_EQ(KnownStamp(copy), c.learnt ? stamp : std::nullopt) << c.what;
  }
  // A copy whose time is the moment it was made (a source just written) is not learnt either,
  // nor a stamp the source no longer has.
  TestWorld world;
  const std::string source = world.Linux("tune.mp3"), copy = world.Linux("track.mp3");
  TestWorld::WriteFile(source, "tune's bytes");
  const auto stamp = ReadStamp(source, SecondsNow() + 10);
  ASSERT_TRUE(platform::CopyFile(world.Windows("tune.mp3"), world.Windows("track.mp3"), false));
  LearnCopyStamp(source, copy, *stamp, SecondsNow());
  EXPECT_FALSE(KnownStamp(copy));
  LearnCopyStamp(source, copy, TFileStamp{stamp->Size, HashOfBytes("something else")}, SecondsNow() + 10);
  EXPECT_FALSE(KnownStamp(copy));
  UseStampFile("");
}
