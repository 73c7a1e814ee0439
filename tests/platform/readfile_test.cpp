// Reading whole files: every byte whatever the size, and nothing from what is no regular file.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "core/fileops.h"
#include "testworld.h"

using testsupport::TestWorld;

namespace {

// Bytes that differ from place to place, so that a part read twice or left out shows.
std::string Pattern(size_t size) {
  std::string s(size, '\0');
  for (size_t i = 0; i < size; ++i) s[i] = static_cast<char>((i * 131 + i / 65536) & 0xff);
  return s;
}

}  // namespace

TEST(ReadWholeFile, EveryByteWhateverTheSize) {
  TestWorld world;
  for (const size_t size : {size_t{0}, size_t{1}, size_t{65535}, size_t{65536}, size_t{65537}, size_t{3000001}}) {
    const std::string path = world.Linux("file" + std::to_string(size));
    TestWorld::WriteFile(path, Pattern(size));
    const auto read = platform::ReadLinuxFile(path);
    ASSERT_TRUE(read.has_value()) << size;
    EXPECT_EQ(read->size(), size);
    EXPECT_TRUE(*read == Pattern(size)) << size;
    EXPECT_EQ(platform::ReadWholeFile(world.Windows("file" + std::to_string(size))), read) << size;
  }
}

TEST(ReadWholeFile, AFileLongerThanItSaysIsReadToItsEnd) {
  // Files of /proc say they are empty; their text is longer than any first guess of its size.
  const auto status = platform::ReadLinuxFile("/proc/self/status");
  ASSERT_TRUE(status.has_value());
  EXPECT_EQ(status->rfind("Name:", 0), 0u) << *status;
  EXPECT_NE(status->find("\nPid:"), std::string::npos);
  EXPECT_EQ(status->back(), '\n');
  const auto maps = platform::ReadLinuxFile("/proc/self/maps");
  ASSERT_TRUE(maps.has_value());
  EXPECT_GT(maps->size(), 1000u);
  EXPECT_EQ(maps->back(), '\n');
}

TEST(ReadWholeFile, NothingFromWhatIsNoRegularFile) {
  TestWorld world;
  TestWorld::MakeDirs(world.Linux("folder"));
  ASSERT_EQ(mkfifo(world.Linux("fifo").c_str(), 0600), 0);
  for (const char *name : {"folder", "fifo", "missing"})
    EXPECT_FALSE(platform::ReadLinuxFile(world.Linux(name)).has_value()) << name;
  EXPECT_FALSE(platform::ReadWholeFile("").has_value());
}
