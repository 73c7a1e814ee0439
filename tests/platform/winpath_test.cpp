#include "core/winpath.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "core/shortname.h"
#include "testworld.h"

using namespace platform;
using testsupport::TestWorld;

class WinPath : public testing::Test {
 protected:
  void SetUp() override {
    prefix = world.MakePrefix();
    c = world.Linux("prefix/drive_c");
  }
  TestWorld world;
  testsupport::FakePrefix prefix;
  std::string c;
};

TEST_F(WinPath, WindowsToLinux) {
  const std::pair<std::string, std::string> cases[] = {
      {"C:\\Program Files\\Ultima Online\\client.exe", c + "/Program Files/Ultima Online/client.exe"},
      {"c:\\PROGRAM FILES\\ultima online\\MUSIC\\Yew.MID", c + "/Program Files/Ultima Online/music/yew.mid"},
      {"C:/Program Files/Ultima Online/music", c + "/Program Files/Ultima Online/music"},
      {"C:\\Program Files\\NEW\\Sub\\x.mid", c + "/Program Files/NEW/Sub/x.mid"},  // missing tail keeps case
      {"C:\\windows\\..\\..\\..\\Program Files", c + "/Program Files"},            // never above the root
      {"C:\\.\\windows\\", c + "/windows"},
      {"C:\\", c},
      {"Z:\\usr\\bin", "/usr/bin"},
      {"\\\\?\\unix\\usr\\lib", "/usr/lib"},
      {"Q:\\nothing", ""},
  };
  for (const auto &[win, linux] : cases) EXPECT_EQ(ToLinux(win), linux) << win;
}

TEST_F(WinPath, LinuxToCanonicalWindows) {
  const std::pair<std::string, std::string> cases[] = {
      {c + "/Program Files/Ultima Online", "C:\\Program Files\\Ultima Online"},
      {c, "C:\\"},
      {"/usr/share/../bin", "Z:\\usr\\bin"},
      {"/", "Z:\\"},
      {c + "/a|b?.mid",
       "C:\\a\xEF\x81\xBC"
       "b\xEF\x80\xBF.mid"},  // U+F07C, U+F03F
  };
  for (const auto &[linux, win] : cases) EXPECT_EQ(ToWindows(linux), win) << linux;
  // The same file through Z: has one canonical name.
  EXPECT_EQ(Paths().Canonical("Z:" + std::string(c) + "/windows"), "C:\\windows");
}

TEST_F(WinPath, NamesWindowsCannotHoldRoundTrip) {
  TestWorld::WriteFile(c + "/a|b\\c.mid", "x");
  const std::string win = ToWindows(c + "/a|b\\c.mid");
  EXPECT_EQ(win.find('|'), std::string::npos);
  EXPECT_EQ(ToLinux(win), c + "/a|b\\c.mid");
}

TEST_F(WinPath, DeepestDriveWinsAndLowestLetterOnATie) {
  TestWorld::MakeDirs(c + "/data");
  ASSERT_EQ(symlink("../drive_c/data", world.Linux("prefix/dosdevices/f:").c_str()), 0);
  ASSERT_EQ(symlink("../drive_c/data", world.Linux("prefix/dosdevices/e:").c_str()), 0);
  SetPaths(PathNamespace::FromPrefix(world.Linux("prefix")));
  EXPECT_EQ(ToWindows(c + "/data/song.mid"), "E:\\song.mid");
  EXPECT_EQ(ToLinux("F:\\song.mid"), c + "/data/song.mid");
}

// A folder whose name only starts with a drive folder's name is not under that drive: it is
// reached through Z:, and its Windows path leads back to it.
TEST_F(WinPath, NeighboursOfADriveFolderAreNotOnThatDrive) {
  TestWorld::MakeDirs(world.Linux("data"));
  ASSERT_EQ(symlink(world.Linux("data").c_str(), world.Linux("prefix/dosdevices/d:").c_str()), 0);
  SetPaths(PathNamespace::FromPrefix(world.Linux("prefix")));
  auto viaZ = [](std::string linux) {
    for (char &ch : linux)
      if (ch == '/') ch = '\\';
    return "Z:" + linux;
  };
  const std::pair<std::string, std::string> cases[] = {
      {world.Linux("prefix/drive_c.bak/music/x.mid"), viaZ(world.Linux("prefix/drive_c.bak/music/x.mid"))},
      {world.Linux("prefix/drive_c2"), viaZ(world.Linux("prefix/drive_c2"))},
      {world.Linux("prefix/drive_cx/y"), viaZ(world.Linux("prefix/drive_cx/y"))},
      {world.Linux("data.old/z.mid"), viaZ(world.Linux("data.old/z.mid"))},
      {world.Linux("data-2"), viaZ(world.Linux("data-2"))},
      {c + "/music/x.mid", "C:\\music\\x.mid"},
      {world.Linux("data/z.mid"), "D:\\z.mid"},
  };
  for (const auto &[linux, win] : cases) {
    TestWorld::MakeDirs(linux);
    EXPECT_EQ(ToWindows(linux), win) << linux;
    EXPECT_EQ(ToLinux(ToWindows(linux)), linux) << linux;
  }
}

TEST(WinPathNoPrefix, ZIsTheRoot) {
  TestWorld world;
  SetPaths(PathNamespace::FromPrefix(world.Linux("no-such-prefix")));
  EXPECT_EQ(
      ToWindows(world.Root()), "Z:" + [&] {
        std::string s = world.Root();
        for (char &ch : s)
          if (ch == '/') ch = '\\';
        return s;
      }());
  EXPECT_EQ(ToLinux("C:\\x"), "");
}

TEST(WinPathNoPrefix, ZMappedElsewhereLeavesUnixPaths) {
  TestWorld world;
  TestWorld::MakeDirs(world.Linux("p/dosdevices"));
  TestWorld::MakeDirs(world.Linux("p/zz"));
  ASSERT_EQ(symlink("../zz", world.Linux("p/dosdevices/z:").c_str()), 0);
  SetPaths(PathNamespace::FromPrefix(world.Linux("p")));
  EXPECT_EQ(ToWindows("/usr/lib"), "\\\\?\\unix\\usr\\lib");
  EXPECT_EQ(ToLinux("\\\\?\\unix\\usr\\lib"), "/usr/lib");
}

TEST_F(WinPath, RelativePathsFollowTheCurrentFolder) {
  ASSERT_EQ(chdir((c + "/windows").c_str()), 0);
  EXPECT_EQ(ToLinux("system32\\x.dll"), c + "/windows/system32/x.dll");
  EXPECT_EQ(ToLinux("\\Program Files"), c + "/Program Files");
  EXPECT_EQ(ToLinux(""), "") << "an empty path names nothing, not the current folder";
  ASSERT_EQ(chdir("/"), 0);
}

TEST_F(WinPath, WineShortAliasesResolveAfterExactAndCaseFreeNames) {
  TestWorld::MakeDirs(c + "/Program Files (x86)/Ultima Online");
  TestWorld::WriteFile(c + "/Program Files (x86)/Ultima Online/client.exe", "x");
  TestWorld::WriteFile(c + "/Program Files (x86)/my long name.text", "x");
  TestWorld::MakeDirs(c + "/windows/PROG~5P2");  // a real name of that form is matched as itself
  const std::string x86 = c + "/Program Files (x86)";
  const std::pair<std::string, std::string> cases[] = {
      {"C:\\PROG~5P2\\Ultima Online\\client.exe", x86 + "/Ultima Online/client.exe"},
      {"c:\\prog~5p2\\ULTIMA ONLINE", x86 + "/Ultima Online"},
      {"C:\\PROG~5P2\\" + WineShortName("Ultima Online") + "\\client.exe", x86 + "/Ultima Online/client.exe"},
      {"C:\\PROG~5P2\\MY_L~PTF.TEX", x86 + "/my long name.text"},
      {"C:\\windows\\PROG~5P2", c + "/windows/PROG~5P2"},
      {"C:\\PROGRA~1\\Ultima Online", c + "/PROGRA~1/Ultima Online"},  // Windows' numbering: not Wine's
      {"C:\\PROG~AAA\\x", c + "/PROG~AAA/x"},                          // no entry has this alias
  };
  for (const auto &[win, linux] : cases) EXPECT_EQ(ToLinux(win), linux) << win;
}
