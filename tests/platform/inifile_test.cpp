#include "core/inifile.h"

#include <dirent.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>

#include "core/text.h"
#include "inchild.h"
#include "testworld.h"

using namespace platform;
using testsupport::TestWorld;

namespace {

std::vector<std::string> ListFolder(const std::string &folder) {
  std::vector<std::string> names;
  if (DIR *d = opendir(folder.c_str())) {
    while (dirent *e = readdir(d))
      if (std::string_view(e->d_name) != "." && std::string_view(e->d_name) != "..") names.push_back(e->d_name);
    closedir(d);
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

class Ini : public testing::Test {
 protected:
  TestWorld world;
  std::string linux = world.Linux("melodeck.ini");
  IniFile ini{world.Windows("melodeck.ini")};
  std::string Bytes() { return TestWorld::ReadFile(linux); }
  static std::string Sjis(const std::string &utf8) {
    std::string out;
    EXPECT_TRUE(Cp932Encode(utf8, out));
    return out;
  }
};

TEST_F(Ini, MissingFileReadsDefaults) {
  EXPECT_EQ(ini.ReadString("melodeck", "LastConfig", "標準"), "標準");
  EXPECT_TRUE(ini.ReadSections().empty());
  EXPECT_EQ(ini.ReadInteger("melodeck", "Width", 7), 7);
  EXPECT_FALSE(TestWorld::Exists(linux));
}

TEST_F(Ini, WritesCodePage932WithCrLfAndAppendsSections) {
  ini.WriteString("melodeck", "LastConfig", "夏");
  ini.WriteString("夏", "britain1.mid", "C:\\MIDI\\ソ表ポ.mid");
  ini.WriteString("melodeck", "Width", "640");  // into its section, not at the end
  EXPECT_EQ(Bytes(), "[melodeck]\r\nLastConfig=" + Sjis("夏") + "\r\nWidth=640\r\n[" + Sjis("夏") +
                         "]\r\nbritain1.mid=" + Sjis("C:\\MIDI\\ソ表ポ.mid") + "\r\n");
  EXPECT_EQ(ini.ReadString("夏", "BRITAIN1.MID", ""), "C:\\MIDI\\ソ表ポ.mid");
  EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"melodeck", "夏"}));
}

TEST_F(Ini, ReadsAsTheProfileRulesSay) {
  TestWorld::WriteFile(linux,
                       "; comment\r\n"
                       "[One]\r\n"
                       "  Key = spaced value  \r\n"
                       "Quoted=\"in quotes\"\r\n"
                       "Half=\"open\r\n"
                       "Hex=0x1F\r\n"
                       "Dollar=$10\r\n"
                       "Neg=-5\r\n"
                       "Word=abc\r\n"
                       "Key=second\r\n"
                       "\r\n"
                       "[one]\r\n"
                       "Other=shadowed\n"  // LF alone is a line end too
                       "[Two]\n"
                       "k=v");
  const std::tuple<const char *, const char *, const char *> strings[] = {
      {"one", "key", "spaced value"},
      {"ONE", "quoted", "in quotes"},
      {"One", "Half", "\"open"},
      {"One", "Other", "<def>"},
      {"Two", "K", "v"},
      {"Three", "k", "<def>"},
  };
  for (const auto &[s, k, v] : strings) EXPECT_EQ(ini.ReadString(s, k, "<def>"), v) << s << "/" << k;
  // A table's keys read at once answer as one by one.
  for (const char *section : {"one", "Two", "Three"}) {
    const std::vector<std::string> keys = {"key", "quoted", "Half", "Other", "K"};
    std::vector<std::string> oneByOne;
    for (const std::string &key : keys) oneByOne.push_back(ini.ReadString(section, key, "<def>"));
    EXPECT_EQ(ini.ReadStrings(section, keys, "<def>"), oneByOne) << section;
  }
  const std::tuple<const char *, int> ints[] = {{"Hex", 31}, {"Dollar", 16}, {"Neg", -5}, {"Word", 9}, {"None", 9}};
  for (const auto &[k, v] : ints) EXPECT_EQ(ini.ReadInteger("One", k, 9), v) << k;
  EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"One", "one", "Two"}));
  EXPECT_TRUE(ini.ReadBool("One", "Hex", false));
}

TEST_F(Ini, EditsKeepEverythingElseByteForByte) {
  const std::string damaged = "bad=\x81\x20\xFF";  // not code page 932 text
  TestWorld::WriteFile(linux, "; keep me\r\n[A]\r\nx=1\r\n" + damaged + "\r\n\r\n[B]\r\ny=2\r\n[C]\r\nz=3\r\n");
  ini.WriteString("a", "new", "n");
  ini.EraseSection("B");
  ini.WriteString("A", "X", "one");
  ini.DeleteKey("C", "z");
  EXPECT_EQ(Bytes(), "; keep me\r\n[A]\r\nx=one\r\n" + damaged + "\r\nnew=n\r\n\r\n[C]\r\n");
}

TEST_F(Ini, TextCodePage932CannotHoldTurnsTheFileToUtf8UntilItIsGone) {
  ini.WriteString("夏", "a", "C:\\Musique\\été.mid");
  EXPECT_EQ(Bytes(), "\xEF\xBB\xBF[夏]\r\na=C:\\Musique\\été.mid\r\n");
  IniFile other(world.Windows("melodeck.ini"));
  EXPECT_EQ(other.ReadString("夏", "a", ""), "C:\\Musique\\été.mid");
  ini.WriteString("夏", "a", "C:\\x.mid");
  EXPECT_EQ(Bytes(), "[" + Sjis("夏") + "]\r\na=C:\\x.mid\r\n");
}

TEST_F(Ini, SeesChangesMadeByOthers) {
  ini.WriteString("S", "k", "1");
  EXPECT_EQ(ini.ReadString("S", "k", ""), "1");
  TestWorld::WriteFile(linux, "[S]\r\nk=22\r\n");
  EXPECT_EQ(ini.ReadString("S", "k", ""), "22");
}

TEST_F(Ini, AFailedWriteThrowsAndChangesNothing) {
  ini.WriteString("S", "k", "1");
  chmod(linux.c_str(), 0444);
  try {
    ini.WriteString("S", "k", "2");
    FAIL() << "no exception";
  } catch (const EIniFileException &e) {
    EXPECT_EQ(std::string(e.what()), world.Windows("melodeck.ini") + " に書き込めません");
  }
  EXPECT_EQ(Bytes(), "[S]\r\nk=1\r\n");
  EXPECT_FALSE(ini.TryWriteStrings("S", {{"k", "3"}, {"j", "4"}}));
  EXPECT_EQ(Bytes(), "[S]\r\nk=1\r\n");

  IniFile nowhere(world.Windows("no-such-folder") + "\\x.ini");
  EXPECT_THROW(nowhere.WriteString("S", "k", "1"), EIniFileException);
}

TEST_F(Ini, NamesAndValuesComeBackAsWritten) {
  struct Case {
    const char *section, *key, *value;
  } cases[] = {
      {"trailing ", "k", "v"},                               // names are trimmed, so "trailing " is "trailing"
      {"\tleading", "k", "v"},           {"a]b", "k", "v"},  // "]" inside a name
      {"s", "k", " blank at the start"}, {"s", "k2", "blank at the end "},
      {"s", "k3", "\"quoted\""},         {"s", "k4", "'single'"},
      {"s", "k5", "a \"middle\" quote"},
  };
  for (const auto &c : cases) {
    ini.WriteString(c.section, c.key, c.value);
    ini.WriteString(c.section, c.key, c.value);  // a second save finds what the first wrote
    IniFile fresh(world.Windows("melodeck.ini"));
    EXPECT_EQ(fresh.ReadString(c.section, c.key, "(missing)"), c.value) << c.section << " " << c.key;
  }
  EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"trailing", "leading", "a]b", "s"}));
}

TEST_F(Ini, ALineBreakCannotStartALineOfItsOwn) {
  ini.WriteString("S", "k", "1");
  const std::string before = Bytes();
  for (const std::string bad :
       {std::string("a\r\n[melodeck]\r\nLastConfig=evil"), std::string("a\0b", 3), std::string("x\ny")}) {
    EXPECT_THROW(ini.WriteString("S", "k", bad), EIniFileException);
    EXPECT_THROW(ini.WriteString("S", bad, "v"), EIniFileException);
    EXPECT_THROW(ini.WriteString(bad, "k", "v"), EIniFileException);
  }
  EXPECT_EQ(Bytes(), before);
}

TEST_F(Ini, ALinkedSettingsFileStaysALink) {
  const std::string real = world.Linux("real.ini");
  TestWorld::WriteFile(real, "[S]\r\nk=1\r\n");
  ASSERT_EQ(symlink(real.c_str(), linux.c_str()), 0);
  ini.WriteString("S", "k", "2");
  struct stat st;
  ASSERT_EQ(lstat(linux.c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  EXPECT_EQ(TestWorld::ReadFile(real), "[S]\r\nk=2\r\n");
}

TEST_F(Ini, AKillDuringAWriteLeavesTheOldOrTheNewFile) {
  // Two large versions of the file; a writer alternates between them and is killed at once.
  IniFile::KeyValues a, b;
  for (int i = 0; i < 3000; ++i) {
    a.emplace_back("key" + std::to_string(i), std::string(40, 'a'));
    b.emplace_back("key" + std::to_string(i), std::string(40, 'b'));
  }
  ini.WriteStrings("S", a);
  const std::string va = Bytes();
  ini.WriteStrings("S", b);
  const std::string vb = Bytes();
  for (int round = 0; round < 8; ++round) {
    pid_t pid = fork();
    if (pid == 0) {
      for (;;) {
        ini.WriteStrings("S", a);
        ini.WriteStrings("S", b);
      }
    }
    usleep(20000 + round * 7000);
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    const std::string now = Bytes();
    EXPECT_TRUE(now == va || now == vb) << "torn file of " << now.size() << " bytes";
  }
}

TEST_F(Ini, AFifoReadsAsEmptyAndIsNeverWaitedFor) {
  ASSERT_EQ(mkfifo(linux.c_str(), 0644), 0);  // no writer will ever come
  const int result = platformtest::RunInChild([&] {
    if (ini.ReadString("S", "k", "def") != "def" || !ini.ReadSections().empty()) return 1;
    if (ini.TryWriteStrings("S", {{"k", "1"}})) return 2;  // and it is not written over
    return 0;
  });
  EXPECT_EQ(result, 0) << (result == platformtest::kHung ? "hung on the FIFO" : "");
  struct stat st;
  ASSERT_EQ(lstat(linux.c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

// The program folder is read-only, the settings file in it writable: the file is rewritten.
// Modes are made to bind first: root would make the temporary file in the folder anyway.
TEST_F(Ini, AReadOnlyFolderWithAWritableFileIsSavedInPlace) {
  const std::string folder = world.Linux("program");
  const std::string file = folder + "/melodeck.ini";
  const std::string locked = folder + "/locked.ini";
  TestWorld::MakeDirs(folder);
  TestWorld::WriteFile(file, "[S]\r\nk=" + std::string(200, 'x') + "\r\n");
  TestWorld::WriteFile(locked, "[S]\r\nk=1\r\n");
  chmod(locked.c_str(), 0444);
  chmod(folder.c_str(), 0555);
  const int result = platformtest::RunInChild([&] {
    if (!platformtest::ObeyFileModes()) return 10;
    IniFile settings(world.Windows("program/melodeck.ini"));
    if (!settings.TryWriteStrings("S", {{"k", "short"}})) return 1;
    IniFile readOnly(world.Windows("program/locked.ini"));
    if (readOnly.TryWriteStrings("S", {{"k", "2"}})) return 2;
    return 0;
  });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(TestWorld::ReadFile(file), "[S]\r\nk=short\r\n");  // cut to the new length
  EXPECT_EQ(TestWorld::ReadFile(locked), "[S]\r\nk=1\r\n");
  EXPECT_EQ(ListFolder(folder), (std::vector<std::string>{"locked.ini", "melodeck.ini"}));  // nothing left beside
}
