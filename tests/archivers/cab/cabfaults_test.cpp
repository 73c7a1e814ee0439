// libcab32.so on what other tools take for granted: repeated names, local times, the umask.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>

#include "rawarchives.h"
#include "requirements.h"
#include "worldtest.h"

namespace {

namespace fs = std::filesystem;
using arctest::MakeCab;
using arctest::Q;
using arctest::Sh;
using testsupport::TestWorld;

class CabFaultsTest : public arctest::WorldTest {
 protected:
  CabFaultsTest() : lib("libcab32.so", "Cab") {}
  std::string Line(const char *command, const std::string &archive, const std::string &folder, const std::string &files,
                   const std::string &switches) const {
    return std::string(command) + switches + "  \"" + W(archive) + "\" \"" + W(folder) + "\\\" " + files + " ";
  }
  arctest::ArcLib lib;
};

// Two entries of one name: every entry is unpacked, in order, under the overwrite rule, as
// cabextract does.
TEST_F(CabFaultsTest, RepeatedNamesUnpackInOrder) {
  REQUIRE_TOOLS("cabextract");
  Put("dup.cab", MakeCab({{"a.mid", "first"}, {"d\\c.mid", "charlie"}, {"a.mid", "second"}, {"b", "x"}, {"b", "y"}}));
  EXPECT_EQ(lib.Names(W("dup.cab")), (std::vector<std::string>{"a.mid", "d/c.mid", "a.mid", "b", "b"}));
  std::string out;
  ASSERT_EQ(lib.Run(Line("-x", "dup.cab", "ours", "", " -o -i"), &out), 0) << out;
  EXPECT_EQ(TestWorld::ReadFile(L("ours/a.mid")), "second");
  EXPECT_EQ(TestWorld::ReadFile(L("ours/d/c.mid")), "charlie");
  EXPECT_EQ(TestWorld::ReadFile(L("ours/b")), "y");
  TestWorld::MakeDirs(L("theirs"));
  ASSERT_EQ(Sh("cabextract -q " + Q(L("dup.cab")), &out, L("theirs")), 0) << out;
  EXPECT_EQ(arctest::Tree(L("ours")), arctest::Tree(L("theirs")));
  EXPECT_EQ(lib.CheckArchive(W("dup.cab").c_str(), 3), 1);
  // Without -o the entry of equal time finds the first one there and leaves it.
  ASSERT_EQ(lib.Run(Line("-x", "dup.cab", "kept", "", " -i")), 0);
  EXPECT_EQ(TestWorld::ReadFile(L("kept/a.mid")), "first");
}

// The process's time zone for one test.
class TimeZone {
 public:
  explicit TimeZone(const char *zone) {
    if (const char *old = std::getenv("TZ")) saved_ = old;
    setenv("TZ", zone, 1);
    tzset();
  }
  ~TimeZone() {
    if (saved_) setenv("TZ", saved_->c_str(), 1);
    else unsetenv("TZ");
    tzset();
  }

 private:
  std::optional<std::string> saved_;
};

// A cabinet keeps MS-DOS times in local time: packing stores the local time, and listing and
// unpacking read it back as local time, as cabextract shows it.
TEST_F(CabFaultsTest, TimesAreLocal) {
  REQUIRE_TOOLS("cabextract");
  TimeZone tokyo("Asia/Tokyo");
  const time_t when = 1700000000;  // 2023-11-15 07:13:20 in Tokyo, 22:13:20 the day before in UTC
  Put("src/t.mid", "tune");
  fs::last_write_time(L("src/t.mid"),
                      fs::file_time_type::clock::from_sys(std::chrono::system_clock::from_time_t(when)));
  EXPECT_EQ(lib.Run(Line("-a", "t.cab", "src", "\"*\"", " -i -r")), 0);
  const auto records = lib.Records(W("t.cab"));
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].wDate, (43 << 9) | (11 << 5) | 15);
  EXPECT_EQ(records[0].wTime, (7 << 11) | (13 << 5) | 10);
  std::string out;
  ASSERT_EQ(Sh("cabextract -l " + Q(L("t.cab")), &out), 0) << out;
  EXPECT_NE(out.find("15.11.2023 07:13:20"), std::string::npos) << out;
  EXPECT_EQ(lib.Run(Line("-x", "t.cab", "o", "", " -o -i")), 0);
  struct stat st {};
  ASSERT_EQ(stat(L("o/t.mid").c_str(), &st), 0);
  EXPECT_EQ(st.st_mtime, when);
}

// Unpacked files get the mode a new file gets under the umask, as the other libraries give.
TEST_F(CabFaultsTest, FilesFollowTheUmask) {
  std::string readOnly = MakeCab({{"r.mid", "read only"}});
  readOnly[36 + 8 + 14] = 0x21;  // the entry's attributes: read-only and archive
  Put("r.cab", readOnly);
  Put("w.cab", MakeCab({{"w.mid", "writable"}}));
  const struct {
    mode_t umask;
    const char *archive, *file;
    mode_t mode;
  } cases[] = {
      {022, "w.cab", "w.mid", 0644}, {027, "w.cab", "w.mid", 0640}, {077, "w.cab", "w.mid", 0600},
      {002, "w.cab", "w.mid", 0664}, {022, "r.cab", "r.mid", 0444}, {027, "r.cab", "r.mid", 0440},
  };
  for (const auto &c : cases) {
    const mode_t previous = umask(c.umask);
    const std::string dest = "o" + std::to_string(c.umask) + c.archive;
    const int result = lib.Run(Line("-x", c.archive, dest, "", " -o -i"));
    umask(previous);
    EXPECT_EQ(result, 0) << c.archive;
    struct stat st {};
    ASSERT_EQ(stat(L(dest + "/" + c.file).c_str(), &st), 0) << c.archive;
    EXPECT_EQ(st.st_mode & 07777, c.mode) << std::oct << c.umask << " " << c.archive;
  }
}

}  // namespace
