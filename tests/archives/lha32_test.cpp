#include <gtest/gtest.h>

#include "drivers.h"
#include "earchiver.h"
#include "fakearchivers.h"
#include "errors.h"
#include "lhacommand.h"

using namespace archives;
using archivetest::FakeArchivers;
using archivetest::FakeLib;
using testsupport::TestWorld;

namespace {

class Lha : public testing::Test {
 protected:
  TestWorld world;
  FakeArchivers fakes{world};
  FakeLib &lib = fakes.Install("libunlha32.so");
  std::unique_ptr<TArchiver> driver = CreateArchiver(atLha);
  std::string output;

  static TArchiverOptions PackageOptions() {
    TArchiverOptions o;  // the main window's component
    o.a = 2;
    o.n = 1;
    o.r = 2;
    o.x = 1;
    o.jm = 4;
    return o;
  }
  std::string LastCommand() { return lib.Last("Unlha").text; }
};

}  // namespace

TEST_F(Lha, PackageExportAndImportLines) {
  const TStringList all{"*"};
  const TStringList index{"index.ini"};
  const auto o = PackageOptions();
  struct Case {
    const char *what;
    std::function<int()> run;
    std::string expected;
  } cases[] = {
      {"export", [&] { return driver->Pack(nullptr, "C:\\pkg\\a.mdk", output, false, &all, "C:\\stage", o); },
       "u -+ -a2 -n1 -r2 -x1 -jm4  \"C:\\pkg\\a.mdk\" \"C:\\stage\\\" \"*\" "},
      {"import index",
       [&] { return driver->Extract(nullptr, "C:\\pkg\\a.mdk", output, true, &index, "C:\\Package\\001\\", o); },
       "x -+ -a2 -n1 -r2 -x1 -jm4  \"C:\\pkg\\a.mdk\" \"C:\\Package\\001\\\" \"index.ini\" "},
      {"import all", [&] { return driver->Extract(nullptr, "C:\\pkg\\a.mdk", output, true, &all, "C:\\u", o); },
       "x -+ -a2 -n1 -r2 -x1 -jm4  \"C:\\pkg\\a.mdk\" \"C:\\u\\\" \"*\" "},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(c.run(), 0) << c.what;
    EXPECT_EQ(driver->CommandLine, c.expected) << c.what;
    EXPECT_EQ(LastCommand(), c.expected) << c.what;
  }
}

TEST_F(Lha, EveryOperationHasItsLetterAndFolderRule) {
  const TArchiverOptions fresh;
  const TStringList files{"a.mid", "b c.mid"};
  struct Case {
    const char *what;
    std::function<int()> run;
    std::string expected;
  } cases[] = {
      {"extract", [&] { return driver->Extract(nullptr, "a.lzh", output, false, &files, "C:\\d", fresh); },
       "x -+  \"a.lzh\" \"C:\\d\\\" \"a.mid\" \"b c.mid\" "},
      {"pack", [&] { return driver->Pack(nullptr, "a.lzh", output, false, &files, "", fresh); },
       "u -+  \"a.lzh\" \"a.mid\" \"b c.mid\" "},
      {"remove", [&] { return driver->Remove(nullptr, "a.lzh", output, false, &files, fresh); },
       "d -+  \"a.lzh\" \"a.mid\" \"b c.mid\" "},
      {"update", [&] { return driver->Update(nullptr, "a.lzh", output, false, &files, "C:\\u\\", fresh); },
       "f -+  \"a.lzh\" \"C:\\u\\\" \"a.mid\" \"b c.mid\" "},
      {"sfx", [&] { return driver->MakeSfx(nullptr, "a.lzh", output, "C:\\o", fresh); },
       "s -+  \"a.lzh\" \"C:\\o\\\" "},
      {"no list at all", [&] { return driver->Extract(nullptr, "a.lzh", output, false, nullptr, "", fresh); },
       "x -+  \"a.lzh\" "},
  };
  for (const auto &c : cases) {
    c.run();
    EXPECT_EQ(LastCommand(), c.expected) << c.what;
  }
}

TEST_F(Lha, EverySwitchInItsPlace) {
  TArchiverOptions o;
  o.a = 1, o.c = 2, o.e = 3, o.f = 4, o.h = 5, o.i = 6, o.l = 7, o.m = 8, o.n = 0, o.o = 1, o.p = 2, o.r = 3;
  o.s = 4, o.t = 5, o.u = 6, o.w = "C:\\tmp", o.x = 0, o.y = 1, o.z = 2, o.jc = 3, o.jd = 4, o.je = 5;
  o.jf = 6, o.jh = 7, o.ji = 8, o.jm = 9, o.jn = 0, o.jo = "010101", o.job = "", o.jp = 1, o.jr = 2;
  o.jss = 3, o.jw = 4, o.jx = {"*.bak", "tmp\\"}, o.jyc = 5, o.jyd = 6, o.jyk = 7, o.jyn = 8, o.jyo = 9;
  o.jz = "note", o.ga = 0, o.gd = 1, o.ge = 2, o.gf = 3, o.gj = 4, o.gm = 5, o.gn = 6, o.go = 7, o.gp = 8;
  o.gr = "C:\\r", o.gs = 9, o.gu = 10, o.gw = 11, o.UserOptions = "-p1 -k", o.UserFileList = "\"z.mid\"";
  driver->Extract(nullptr, "a.lzh", output, false, nullptr, "", o);
  EXPECT_EQ(LastCommand(),
            "x -+ -a1 -c2 -e3 -f4 -h5 -i6 -l7 -m8 -n0 -o1 -p2 -r3 -s4 -t5 -u6 \"-wC:\\tmp\\\" -x0 -y1 -z2 -jc3 -jd4 "
            "-je5 -jf6 -jh7 -ji8 -jm9 -jn0 \"-jo010101\" \"-job\" -jp1 -jr2 -jss3 -jw4 \"-jx*.bak\" \"-jxtmp\\\" "
            "-jyc5 -jyd6 -jyk7 -jyn8 -jyo9 \"-jznote\" -ga0 -gd1 -ge2 -gf3 -gj4 -gm5 -gn6 -go7 -gp8 \"-grC:\\r\" "
            "-gs9 -gu10 -gw11 -p1 -k \"a.lzh\" \"z.mid\"");

  // The library takes every switch the driver writes (the user's own switches aside).
  o.UserOptions.clear();
  driver->Extract(nullptr, "a.lzh", output, false, nullptr, "", o);
  arc::LhaCommand parsed;
  ASSERT_EQ(arc::ParseLhaCommand(LastCommand(), parsed), arc::kOk) << LastCommand();
  EXPECT_EQ(parsed.archive, "a.lzh");
  EXPECT_EQ(parsed.workFolder, "C:\\tmp\\");
  EXPECT_EQ(parsed.exclusions, (std::vector<std::string>{"*.bak", "tmp\\"}));
  EXPECT_EQ(parsed.attributes, 1);
  EXPECT_EQ(parsed.method, 9);
  EXPECT_EQ(parsed.suppressOverwriteQuestion, 9);
  EXPECT_EQ(parsed.ignored.size(), 44u);  // every other switch, none taken for another
}

TEST_F(Lha, OwnerWindowForcesN1) {
  ArcMessageSink sink{};
  for (int n : {-1, 0, 1}) {
    TArchiverOptions o;
    o.n = static_cast<int8_t>(n);
    EXPECT_TRUE(driver->SetOwnerWindow(&sink, nullptr));
    driver->Extract(nullptr, "a.lzh", output, false, nullptr, "", o);
    EXPECT_EQ(LastCommand(), "x -+ -n1  \"a.lzh\" ") << n;
    EXPECT_TRUE(driver->KillOwnerWindow(&sink));
    driver->Extract(nullptr, "a.lzh", output, false, nullptr, "", o);
    EXPECT_EQ(LastCommand(), n == -1 ? "x -+  \"a.lzh\" " : "x -+ -n" + std::to_string(n) + "  \"a.lzh\" ") << n;
  }
  EXPECT_EQ(lib.Last("UnlhaSetOwnerWindowEx").window, &sink);
  lib.SetResult("SetOwnerWindowEx", 0);
  EXPECT_FALSE(driver->SetOwnerWindow(&sink, nullptr));
  EXPECT_EQ(driver->OwnerWindow, &sink);
}

TEST_F(Lha, ResponseFileOnlyWhenAskedAndNamed) {
  const TStringList files{"a.mid", "b c.mid"};
  TArchiverOptions o;
  o.ResFileName = world.Windows("resp.txt");
  driver->Pack(nullptr, "a.lzh", output, true, &files, "", o);
  EXPECT_EQ(LastCommand(), "u -+  \"a.lzh\" \"@" + o.ResFileName + "\" ");
  EXPECT_EQ(TestWorld::ReadFile(world.Linux("resp.txt")), "\"a.mid\"\r\n\"b c.mid\"\r\n");

  for (const std::string &name : {std::string(), kUnset}) {
    o.ResFileName = name;
    driver->Pack(nullptr, "a.lzh", output, true, &files, "", o);
    EXPECT_EQ(LastCommand(), "u -+  \"a.lzh\" \"a.mid\" \"b c.mid\" ");
  }
  o.ResFileName = world.Windows("resp.txt");
  driver->Pack(nullptr, "a.lzh", output, false, &files, "", o);
  EXPECT_EQ(LastCommand(), "u -+  \"a.lzh\" \"a.mid\" \"b c.mid\" ");
}

TEST_F(Lha, OutputBufferAndResults) {
  lib.SetOutput("listing text");
  lib.SetResult("", 0x8012);
  EXPECT_EQ(driver->Extract(nullptr, "a.lzh", output, false, nullptr, "", {}), 0x8012);
  EXPECT_EQ(lib.Last("Unlha").mode, 0u) << "an empty buffer is handed over as null";
  EXPECT_EQ(lib.Last("Unlha").size, 0u);
  output.assign(8, '\0');
  driver->Extract(nullptr, "a.lzh", output, false, nullptr, "", {});
  EXPECT_EQ(lib.Last("Unlha").size, 8u);
  EXPECT_EQ(std::string(output.c_str()), "listing");
}

TEST_F(Lha, ListingUsesTheAbsolutePathAndCheckTheSumOfModes) {
  archivetest::InFolder here(world.Root());
  lib.SetEntries({"music/a.mid", "b.mid"});
  HARC h = driver->OpenArchive(nullptr, "sub\\..\\a.lzh", 0);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(lib.Last("UnlhaOpenArchive").text, world.Windows("a.lzh"));
  INDIVIDUALINFO entry{};
  EXPECT_EQ(driver->FindFirst(h, entry, "*"), 0);
  EXPECT_STREQ(entry.szFileName, "music/a.mid");
  EXPECT_EQ(driver->FindNext(h, entry), 0);
  EXPECT_STREQ(entry.szFileName, "b.mid");
  EXPECT_NE(driver->FindNext(h, entry), 0);
  driver->CloseArchive(h);
  EXPECT_EQ(lib.Last("UnlhaFindFirst").text, "*");
  EXPECT_EQ(lib.Last("UnlhaCloseArchive").handle, h);

  EXPECT_EQ(driver->Check("a.lzh", 2, 0x10), 1);
  EXPECT_EQ(lib.Last("UnlhaCheckArchive").mode, 0x12u);
  EXPECT_EQ(lib.Last("UnlhaCheckArchive").text, "a.lzh");
}
