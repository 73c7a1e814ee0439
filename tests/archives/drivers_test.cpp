// The CAB, ARJ, TAR and RAR drivers, and what the driver base does for operations a format
// does not offer.
#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "core/text.h"
#include "drivers.h"
#include "earchiver.h"
#include "fakearchivers.h"

using namespace archives;
using archivetest::FakeArchivers;
using archivetest::FakeLib;
using archivetest::MessageOf;
using testsupport::TestWorld;

namespace {

class Drivers : public archivetest::FakeWorld {
 protected:
  archivetest::InFolder here{world.Root()};
  std::string output;
  const TStringList files{"a.mid"};
};

int raised = 0;
void CountRaise(void *) { ++raised; }

}  // namespace

TEST_F(Drivers, CabLines) {
  auto &cab = fakes.Install("libcab32.so");
  auto driver = CreateArchiver(atCab);
  TArchiverOptions all;
  all.c = 1, all.n = 1, all.r = 1, all.x = 0, all.ji = 1, all.UserOptions = "-mz";
  driver->Extract(nullptr, "sub\\a.cab", output, false, &files, "C:\\d", {});
  EXPECT_EQ(cab.Last("Cab").text, "-x  \"" + world.Windows("sub/a.cab") + "\" \"C:\\d\\\" \"a.mid\" ");
  driver->Pack(nullptr, "a.cab", output, false, &files, "C:\\b", all);
  EXPECT_EQ(cab.Last("Cab").text, "-a -o -i -r -j -q -mz \"a.cab\" \"C:\\b\\\" \"a.mid\" ");
  driver->MakeSfx(nullptr, "a.cab", output, "", {});
  EXPECT_EQ(cab.Last("Cab").text, "-f  \"a.cab\" ");
  ArcMessageSink sink{};
  driver->SetOwnerWindow(&sink, nullptr);
  driver->Pack(nullptr, "a.cab", output, false, nullptr, "", {});
  EXPECT_EQ(cab.Last("Cab").text, "-a -i  \"a.cab\" ");
}

TEST_F(Drivers, ArjExtractsWithoutOwnerAndOffersNoPacking) {
  auto &arj = fakes.Install("libunarj32j.so");
  auto driver = CreateArchiver(atArj);
  ArcMessageSink sink{};
  driver->Extract(&sink, "a.arj", output, false, &files, "", {});
  EXPECT_EQ(arj.Last("Unarj").text, "x -+  \"a.arj\" \"a.mid\" ");
  EXPECT_EQ(arj.Last("Unarj").window, nullptr);
  driver->Check("a.arj", 1, 2);
  EXPECT_EQ(arj.Last("UnarjCheckArchive").mode, 3u);
  EXPECT_EQ(MessageOf([&] { driver->Pack(nullptr, "a.arj", output, false, &files, "", {}); }),
            "この形式では書庫ファイルの作成をサポートしておりません。");
  EXPECT_EQ(MessageOf([&] { driver->MakeSfx(nullptr, "a.arj", output, "", {}); }),
            "この形式では自己解凍書庫の作成をサポートしておりません。");
}

TEST_F(Drivers, TarLinesForEachClass) {
  auto &tar = fakes.Install("libtar32.so");
  TArchiverOptions some;
  some.a = 1, some.n = 1, some.o = 1, some.p = 0, some.x = 1, some.jm = 9;
  TArchiverOptions zero;
  zero.a = 0;
  struct Case {
    TArchiverType type;
    const TArchiverOptions *options;
    std::string expected;
  } cases[] = {
      {atTar, &some,
       "x -AH --display-dialog=0 -g --check-all-path=0 --use-directory=1  -f \"a\" -o \"C:\\d\\\" \"a.mid\" "},
      {atTgz, &some,
       "x -AH --display-dialog=0 -g --check-all-path=0 --use-directory=1 -z9  -f \"a\" -o \"C:\\d\\\" \"a.mid\" "},
      {atBZ2, &some,
       "x -AH --display-dialog=0 -g --check-all-path=0 --use-directory=1 -B9  -f \"a\" -o \"C:\\d\\\" \"a.mid\" "},
      {atTar, &zero, "x -I  -f \"a\" -o \"C:\\d\\\" \"a.mid\" "},
      {atTgz, &zero, "x -I -z  -f \"a\" -o \"C:\\d\\\" \"a.mid\" "},
      {atBZ2, &zero, "x -I -B  -f \"a\" -o \"C:\\d\\\" \"a.mid\" "},
  };
  for (const auto &c : cases) {
    auto driver = CreateArchiver(c.type);
    driver->Extract(nullptr, "a", output, false, &files, "C:\\d", *c.options);
    EXPECT_EQ(tar.Last("Tar").text, c.expected) << c.type;
  }
  auto driver = CreateArchiver(atTgz);
  ArcMessageSink sink{nullptr, CountRaise, nullptr};
  driver->SetOwnerWindow(&sink, nullptr);
  raised = 0;
  driver->Pack(&sink, "a.tgz", output, false, &files, "", some);
  EXPECT_EQ(tar.Last("Tar").text, "c -AH -g --check-all-path=0 --use-directory=1 -z9  -f \"a.tgz\" \"a.mid\" ");
  EXPECT_EQ(raised, 1);
  EXPECT_EQ(MessageOf([&] { driver->Remove(nullptr, "a.tgz", output, false, &files, {}); }),
            "この形式の書庫ではファイルの削除をサポートしておりません。");
}

TEST_F(Drivers, TarSelfExtractingArchives) {
  auto &tar = fakes.Install("libtar32.so");
  auto bz2 = CreateArchiver(atBZ2);
  EXPECT_EQ(MessageOf([&] { bz2->MakeSfx(nullptr, "a.bz2", output, "", {}); }),
            "BZ2 形式書庫は自己解凍形式にできません。");
  auto tgz = CreateArchiver(atTgz);
  TestWorld::WriteFile(world.Linux("a.tgz"), "gzip-bytes");
  EXPECT_EQ(MessageOf([&] { tgz->MakeSfx(nullptr, world.Windows("a.tgz"), output, "", {}); }),
            "tar/tgz 書庫からの自己解凍書庫の作成には kmtarsef.exe が必要です。");
  TestWorld::WriteFile(world.Linux("kmtarsef.exe"), "module:");
  EXPECT_EQ(tgz->MakeSfx(nullptr, world.Windows("a.tgz"), output, "", {}), 0);
  EXPECT_EQ(TestWorld::ReadFile(world.Linux("a.EXE")), "module:gzip-bytes");
  EXPECT_TRUE(tar.Calls().empty());
}

TEST_F(Drivers, SelfExtractingArchiveOverItsOwnArchiveLosesNothing) {
  fakes.Install("libtar32.so");
  auto tar = CreateArchiver(atTar);
  TestWorld::WriteFile(world.Linux("kmtarsef.exe"), "module:");
  TestWorld::WriteFile(world.Linux("a.exe"), "tar-bytes");  // the output name, but for its case
  EXPECT_EQ(tar->MakeSfx(nullptr, world.Windows("a.exe"), output, "", {}), 0);
  EXPECT_EQ(TestWorld::ReadFile(world.Linux("a.exe")), "module:tar-bytes");
  EXPECT_EQ(MessageOf([&] { tar->MakeSfx(nullptr, world.Windows("gone.tar"), output, "", {}); }),
            world.Windows("gone.tar") + " を読み込めません");
}

TEST_F(Drivers, RarLines) {
  auto &rar = fakes.Install("libunrar32.so");
  auto driver = CreateArchiver(atRar);
  TArchiverOptions o;
  driver->Extract(nullptr, "a.rar", output, false, &files, "", o);
  EXPECT_EQ(rar.Last("Unrar").text, "-x -u  \"a.rar\" \"a.mid\" ");
  o.c = 1, o.m = 1, o.p = 1, o.x = 0;
  driver->Extract(nullptr, "a.rar", output, false, &files, "C:\\d", o);
  EXPECT_EQ(rar.Last("Unrar").text, "-e -y -s  \"a.rar\" \"C:\\d\\\" \"a.mid\" ");
  driver->OpenArchive(nullptr, "a.rar", 0);
  EXPECT_EQ(rar.Last("UnrarOpenArchive").text, world.Windows("a.rar"));
}

TEST_F(Drivers, UnofferedOperationsRaiseWithoutTouchingTheLibrary) {
  auto &rar = fakes.Install("libunrar32.so");
  auto &cab = fakes.Install("libcab32.so");
  auto r = CreateArchiver(atRar);
  auto c = CreateArchiver(atCab);
  const std::pair<std::function<void()>, const char *> cases[] = {
      {[&] { r->Pack(nullptr, "a", output, false, &files, "", {}); },
       "この形式では書庫ファイルの作成をサポートしておりません。"},
      {[&] { r->Remove(nullptr, "a", output, false, &files, {}); },
       "この形式の書庫ではファイルの削除をサポートしておりません。"},
      {[&] { c->Update(nullptr, "a", output, false, &files, "", {}); },
       "この形式の書庫では書庫の更新をサポートしておりません。"},
      {[&] { r->MakeSfx(nullptr, "a", output, "", {}); }, "この形式では自己解凍書庫の作成をサポートしておりません。"},
  };
  for (const auto &[run, message] : cases) EXPECT_EQ(MessageOf(run), message);
  EXPECT_TRUE(rar.Calls().empty());
  EXPECT_TRUE(cab.Calls().empty());
}

TEST_F(Drivers, BaseDefaults) {
  struct Bare : TArchiver {
    int Extract(ARC_HWND, const std::string &, std::string &, bool, const TStringList *, const std::string &,
                const TArchiverOptions &) override {
      return 0;
    }
  } bare;
  EXPECT_EQ(MessageOf([&] { bare.LoadDLL(); }), "Abstract method 'TArchiver.LoadDLL' was called");
  EXPECT_EQ(MessageOf([&] { bare.FreeDLL(); }), "Abstract method 'TArchiver.FreeDLL' was called");
  EXPECT_EQ(MessageOf([&] { bare.Check("a", 0, 0); }), "この形式では書庫チェック機能をサポートしておりません。");
  INDIVIDUALINFO entry{};
  EXPECT_EQ(bare.OpenArchive(nullptr, "a", 0), nullptr);
  EXPECT_EQ(bare.FindFirst(nullptr, entry, "*"), -1);
  EXPECT_EQ(bare.FindNext(nullptr, entry), -1);
  EXPECT_EQ(bare.CloseArchive(nullptr), 0);
  EXPECT_FALSE(bare.SetOwnerWindow(nullptr, nullptr));
  EXPECT_FALSE(bare.KillOwnerWindow(nullptr));
}

// The format table that the factory, detection and the stored form read.
TEST(DriverTable, OneRowPerFormatWithDistinctExtensionsAndRanks) {
  std::set<std::string> extensions;
  std::set<int> ranks;
  for (int t = atLha; t <= atAutoDetect; ++t) {
    const auto type = static_cast<TArchiverType>(t);
    const DriverInfo *row = FindDriver(type);
    EXPECT_EQ(row != nullptr, t <= atRar) << t;
    EXPECT_EQ(TypeFromName(TypeName(type)), t) << t;
    if (!row) continue;
    EXPECT_EQ(row->type, type);
    EXPECT_TRUE(ranks.insert(row->precedence).second) << row->name;
    std::istringstream words{std::string(row->extensions)};
    for (std::string ext; words >> ext;) {
      EXPECT_TRUE(ext.size() > 1 && ext[0] == '.' && ext == platform::FoldCase(ext)) << ext;
      EXPECT_TRUE(extensions.insert(ext).second) << ext << " twice";
    }
  }
  EXPECT_EQ(DriverFactory::Table().size(), static_cast<size_t>(atRar + 1));
  EXPECT_EQ(extensions.count(".exe"), 0u);  // goes by contents
  EXPECT_EQ(TypeName(static_cast<TArchiverType>(42)), "");
  EXPECT_EQ(TypeFromName("atZIP"), -1);
}
