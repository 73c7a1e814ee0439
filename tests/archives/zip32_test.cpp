#include <gtest/gtest.h>

#include "drivers.h"
#include "earchiver.h"
#include "fakearchivers.h"

using namespace archives;
using archivetest::FakeArchivers;
using archivetest::FakeLib;
using archivetest::MessageOf;
using testsupport::TestWorld;

namespace {

class Zip : public archivetest::FakeWorld {
 protected:
  std::string output;
  const TStringList files{"dir\\[a].mid", "b.mid"};
};

}  // namespace

TEST_F(Zip, ExtractLine) {
  auto &unzip = fakes.Install("libunzip32.so");
  auto driver = CreateArchiver(atZip);
  struct Case {
    int c, n, x;
    bool owner;
    std::string expected;
  } cases[] = {
      {-1, -1, -1, false, "-x  \"a.zip\" \"C:\\d\\\" \"dir/[[]a].mid\" \"b.mid\" "},
      {1, 1, 0, false, "-x -o --i -j  \"a.zip\" \"C:\\d\\\" \"dir/[[]a].mid\" \"b.mid\" "},
      {0, 0, 1, true, "-x --i  \"a.zip\" \"C:\\d\\\" \"dir/[[]a].mid\" \"b.mid\" "},
  };
  ArcMessageSink sink{};
  for (const auto &c : cases) {
    TArchiverOptions o;
    o.c = static_cast<int8_t>(c.c), o.n = static_cast<int8_t>(c.n), o.x = static_cast<int8_t>(c.x);
    if (c.owner) EXPECT_TRUE(driver->SetOwnerWindow(&sink, nullptr));
    driver->Extract(nullptr, "a.zip", output, false, &files, "C:\\d", o);
    EXPECT_EQ(unzip.Last("UnZip").text, c.expected);
  }
}

TEST_F(Zip, PackWithZip32j) {
  auto &zip = fakes.Install("libzip32j.so");
  fakes.Install("liblmzip32.so");
  auto driver = CreateArchiver(atZip);
  TArchiverOptions all;
  all.a = 1, all.l = 1, all.n = 1, all.r = 1, all.u = 1, all.x = 0, all.jc = 1, all.ji = 1, all.jm = 9, all.gd = 1;
  all.UserOptions = "-e";
  all.UserFileList = "c.mid";
  struct Case {
    const char *what;
    std::function<int()> run;
    std::string expected;
  } cases[] = {
      {"fresh", [&] { return driver->Pack(nullptr, "a.zip", output, false, &files, "C:\\b", {}); },
       " -D  \"a.zip\" \"C:\\b\\\" \"dir/[[]a].mid\" \"b.mid\" "},
      {"every switch", [&] { return driver->Pack(nullptr, "a.zip", output, false, &files, "C:\\b", all); },
       " -S -D -v -q -r -o -u -j -FF -k -9 -J -e \"a.zip\" \"C:\\b\\\" \"dir/[[]a].mid\" \"b.mid\" c.mid"},
      {"remove", [&] { return driver->Remove(nullptr, "a.zip", output, false, &files, {}); },
       "-d -D  \"a.zip\" \"dir/[[]a].mid\" \"b.mid\" "},
      {"update", [&] { return driver->Update(nullptr, "a.zip", output, false, &files, "C:\\b", {}); },
       "-f -D  \"a.zip\" \"C:\\b\\\" \"dir/[[]a].mid\" \"b.mid\" "},
  };
  for (const auto &c : cases) {
    c.run();
    EXPECT_EQ(zip.Last("Zip").text, c.expected) << c.what;
  }
}

TEST_F(Zip, PackWithOnlyLmzip32DeletesTheOldArchive) {
  auto &lm = fakes.Install("liblmzip32.so");
  TestWorld::WriteFile(world.Linux("old.zip"), "old");
  auto driver = CreateArchiver(atZip);
  TArchiverOptions o;
  o.c = 1, o.x = 0, o.a = 2;
  const std::string archive = world.Windows("old.zip");
  driver->Pack(nullptr, archive, output, false, &files, "C:\\ignored", o);
  EXPECT_EQ(lm.Last("Zip").text, "-ru -o -j  \"" + archive + "\" \"dir\\[a].mid\" \"b.mid\" ");
  EXPECT_FALSE(TestWorld::Exists(world.Linux("old.zip")));
}

TEST_F(Zip, ListingAcrossLibrariesInOrder) {
  struct Case {
    std::vector<const char *> installed;
    const char *answering;
    const char *function;
  } cases[] = {
      {{"libunzip32.so", "libzip32j.so", "liblmzip32.so"}, "liblmzip32.so", "UnzipOpenArchive"},
      {{"libunzip32.so", "libzip32j.so"}, "libzip32j.so", "UnZipOpenArchive"},
      {{"libunzip32.so"}, "libunzip32.so", "UnZipOpenArchive"},
  };
  int n = 0;
  for (const auto &c : cases) {
    FakeArchivers here(world, "set" + std::to_string(n++));
    for (const char *file : c.installed) here.Install(file);
    auto driver = CreateArchiver(atZip);
    HARC h = driver->OpenArchive(nullptr, "Z:\\a.zip", 0);
    INDIVIDUALINFO entry{};
    driver->FindFirst(h, entry, "*");
    driver->FindNext(h, entry);
    driver->CloseArchive(h);
    const std::string stem = std::string(c.function).substr(0, 5);  // "Unzip" or "UnZip"
    EXPECT_EQ(here[c.answering].Functions(),
              (std::vector<std::string>{c.function, stem + "FindFirst", stem + "FindNext", stem + "CloseArchive"}))
        << c.answering;
  }
}

TEST_F(Zip, AnOpenListingStaysWithTheLibraryThatMadeIt) {
  auto &unzip = fakes.Install("libunzip32.so");
  auto driver = CreateArchiver(atZip);
  HARC h = driver->OpenArchive(nullptr, "Z:\\a.zip", 0);
  ASSERT_NE(h, nullptr);
  auto &lm = fakes.Install("liblmzip32.so");  // first in the order, but it never saw this handle
  INDIVIDUALINFO entry{};
  driver->FindFirst(h, entry, "*");
  driver->CloseArchive(h);
  EXPECT_EQ(unzip.Functions(), (std::vector<std::string>{"UnZipOpenArchive", "UnZipFindFirst", "UnZipCloseArchive"}));
  EXPECT_TRUE(lm.Functions().empty());
}

TEST_F(Zip, CheckOwnerWindowAndCommandLibraries) {
  auto &unzip = fakes.Install("libunzip32.so");
  auto &lm = fakes.Install("liblmzip32.so");
  auto driver = CreateArchiver(atZip);
  driver->Check("a.zip", 2, 0x10);
  EXPECT_EQ(unzip.Last("UnZipCheckArchive").mode, 2u);
  unzip.SetResult("SetOwnerWindowEx", 0);
  unzip.SetResult("KillOwnerWindowEx", 0);
  ArcMessageSink sink{};
  EXPECT_TRUE(driver->SetOwnerWindow(&sink, nullptr));
  EXPECT_TRUE(driver->KillOwnerWindow(&sink));
  driver->Extract(nullptr, "a.zip", output, false, nullptr, "", {});
  driver->Pack(nullptr, "Z:\\nonexistent\\a.zip", output, false, nullptr, "", {});
  EXPECT_EQ(unzip.Functions(), (std::vector<std::string>{"UnZipCheckArchive", "UnZipSetOwnerWindowEx",
                                                         "UnZipKillOwnerWindowEx", "UnZip"}));
  EXPECT_EQ(lm.Functions(), (std::vector<std::string>{"Zip"}));
}

TEST_F(Zip, MissingLibraries) {
  fakes.Install("libzip32j.so");
  auto driver = CreateArchiver(atZip);
  EXPECT_EQ(MessageOf([&] { driver->Extract(nullptr, "a.zip", output, false, nullptr, "", {}); }),
            "ZIP 形式書庫の解凍には UNZIP32.DLL または LMZIP32.DLL が必要です。");
  EXPECT_EQ(MessageOf([&] { driver->SetOwnerWindow(nullptr, nullptr); }),
            "UnZipSetOwnerWindowEx のエントリが見つかりません。");

  FakeArchivers other(world, "unzip only");
  other.Install("libunzip32.so");
  auto reader = CreateArchiver(atZip);
  EXPECT_EQ(MessageOf([&] { reader->MakeSfx(nullptr, "a.zip", output, "", {}); }),
            "ZIP 形式書庫からの自己解凍書庫作成には ZIP32J.DLL が必要です。");
}

TEST_F(Zip, SelfExtractingArchive) {
  auto &zip = fakes.Install("libzip32j.so");
  auto driver = CreateArchiver(atZip);
  archivetest::InFolder here(world.Root());
  TestWorld::WriteFile(world.Linux("a.zip"), "PK-archive");
  TArchiverOptions gui;
  gui.gw = 1;
  EXPECT_EQ(MessageOf([&] { driver->MakeSfx(nullptr, world.Windows("a.zip"), output, "", gui); }),
            "zip 書庫からのWin32自己解凍書庫の作成には sfx32gui.dat が必要です。");
  EXPECT_EQ(MessageOf([&] { driver->MakeSfx(nullptr, world.Windows("a.zip"), output, "", {}); }),
            "zip 書庫からのDOS自己解凍書庫の作成には sfx16.dat が必要です。");

  TestWorld::WriteFile(world.Linux("SFX32GUI.DAT"), "GUI-module:");
  TestWorld::WriteFile(world.Linux("sfx16.dat"), "DOS-module:");
  TestWorld::MakeDirs(world.Linux("out"));
  zip.SetResult("", 7);
  EXPECT_EQ(driver->MakeSfx(nullptr, world.Windows("a.zip"), output, world.Windows("out"), gui), 7);
  EXPECT_EQ(TestWorld::ReadFile(world.Linux("out/a.EXE")), "GUI-module:PK-archive");
  EXPECT_EQ(zip.Last("Zip").text, "-A " + world.Windows("out/a.EXE"));
  EXPECT_EQ(driver->MakeSfx(nullptr, world.Windows("a.zip"), output, "", {}), 7);
  EXPECT_EQ(TestWorld::ReadFile(world.Linux("a.EXE")), "DOS-module:PK-archive");
  EXPECT_EQ(driver->CommandLine, "-A " + world.Windows("a.EXE"));
}
