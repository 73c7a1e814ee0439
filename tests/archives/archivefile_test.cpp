#include "archivefile.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "earchiver.h"
#include "fakearchivers.h"

using namespace archives;
using archivetest::FakeArchivers;
using archivetest::FakeLib;
using archivetest::MessageOf;
using testsupport::TestWorld;

namespace {

class Component : public archivetest::FakeWorld {
 protected:
  archivetest::InFolder here{world.Root()};
  TArchiveFile file;
};

}  // namespace

TEST_F(Component, TypeFromTheExtension) {
  for (const char *lib :
       {"libunlha32.so", "libunzip32.so", "libcab32.so", "libunarj32j.so", "libtar32.so", "libunrar32.so"})
    fakes.Install(lib);
  const std::pair<const char *, TArchiverType> cases[] = {
      {"a.LZH", atLha}, {"a.zip", atZip}, {"a.Cab", atCab}, {"a.arj", atArj}, {"a.rar", atRar}, {"a.tar", atTar},
      {"a.tgz", atTgz}, {"a.TAZ", atTgz}, {"a.gz", atTgz},  {"a.Z", atTgz},   {"a.bz2", atBZ2},
  };
  for (const auto &[name, type] : cases) {
    file.SetFileName(name);
    EXPECT_EQ(file.ArchiverType(), type) << name;
    EXPECT_EQ(file.FileName(), name);
    ASSERT_NE(file.Archiver(), nullptr);
  }
  // Unlisted extensions, and none, keep the driver.
  TArchiver *lha = (file.SetFileName("a.lzh"), file.Archiver());
  for (const char *name : {"pkg.mdk", "noext", "C:\\dir.lzh\\file", "a.lzh.bak"}) {
    file.SetFileName(name);
    EXPECT_EQ(file.ArchiverType(), atLha) << name;
    EXPECT_EQ(file.Archiver(), lha) << name;
  }
}

TEST_F(Component, ContentsDecideInTheirOrder) {
  struct Case {
    std::vector<const char *> yes;  // libraries whose probe answers yes
    int tarType;
    TArchiverType expected;
  } cases[] = {
      {{"libunlha32.so", "libunzip32.so"}, 1, atLha},
      {{"libunzip32.so", "libcab32.so"}, 0, atZip},
      {{"libcab32.so", "libunarj32j.so"}, 0, atCab},
      {{"libunarj32j.so", "libunrar32.so"}, 1, atArj},
      {{"libunrar32.so"}, 6, atRar},
      {{}, 1, atTar},
      {{}, 2, atTgz},
      {{}, 5, atTgz},
      {{}, 6, atBZ2},
      {{}, 7, atBZ2},
      {{}, 8, atNone},
      {{}, 0, atNone},
  };
  int n = 0;
  for (const auto &c : cases) {
    FakeArchivers set(world, "set" + std::to_string(n++));
    for (const char *lib :
         {"libunlha32.so", "libunzip32.so", "libcab32.so", "libunarj32j.so", "libtar32.so", "libunrar32.so"}) {
      auto &fake = set.Install(lib);
      fake.SetResult("OpenArchive", 0);
    }
    for (const char *lib : c.yes) set[lib].SetResult("OpenArchive", 1);
    set["libtar32.so"].SetResult("GetArchiveType", c.tarType);
    TArchiveFile probe;
    probe.SetFileName("sfx.exe");
    EXPECT_EQ(probe.ArchiverType(), c.expected == atNone ? atAutoDetect : c.expected) << n;
    EXPECT_EQ(set["libunlha32.so"].Last("UnlhaOpenArchive").mode, ARC_M_PROBE);
    EXPECT_EQ(set["libunlha32.so"].Last("UnlhaOpenArchive").text, world.Windows("sfx.exe"));
    // One library answers for three formats, once per detection.
    const auto tarCalls = set["libtar32.so"].Functions();
    EXPECT_EQ(std::count(tarCalls.begin(), tarCalls.end(), "TarGetArchiveType"), 1) << n;
  }
}

TEST_F(Component, ProbesCloseAsTheirFormatsDo) {
  auto &lha = fakes.Install("libunlha32.so");
  auto &zip = fakes.Install("libunzip32.so");
  lha.SetResult("OpenArchive", 0);
  zip.SetResult("OpenArchive", 0);
  file.SetFileName("x.exe");
  EXPECT_EQ(lha.Functions(), (std::vector<std::string>{"UnlhaOpenArchive", "UnlhaCloseArchive"}));
  EXPECT_EQ(zip.Functions(), (std::vector<std::string>{"UnZipOpenArchive"}));  // only a real handle is closed
}

TEST_F(Component, ProbesOfMissingLibrariesAnswerNo) {
  auto &zip = fakes.Install("libunzip32.so");
  fakes.Install("libunlha32.so", /*commandOnly=*/true);  // no listing functions: answers no
  file.SetFileName("a.exe");
  EXPECT_EQ(file.ArchiverType(), atZip);
  EXPECT_EQ(zip.Last("UnZipOpenArchive").mode, ARC_M_PROBE);
}

TEST_F(Component, MissingLibraryKeepsThePreviousDriver) {
  auto &zip = fakes.Install("libunzip32.so");
  file.SetFileName("a.zip");
  TArchiver *before = file.Archiver();
  EXPECT_EQ(MessageOf([&] { file.SetArchiverType(atLha); }), "Lha 形式書庫を扱うには UNLHA32.DLL が 必要です。");
  EXPECT_EQ(MessageOf([&] { file.SetFileName("b.lzh"); }), "Lha 形式書庫を扱うには UNLHA32.DLL が 必要です。");
  EXPECT_EQ(file.ArchiverType(), atZip);
  EXPECT_EQ(file.FileName(), "a.zip");
  EXPECT_EQ(file.Archiver(), before);
  EXPECT_EQ(file.Extract(nullptr, nullptr, "C:\\d", nullptr), 0);
  EXPECT_EQ(zip.Last("UnZip").text, "-x  \"a.zip\" \"C:\\d\\\" ");

  file.SetArchiverType(atNone);
  EXPECT_EQ(file.ArchiverType(), atZip);
  file.SetArchiverType(atAutoDetect);
  EXPECT_EQ(file.Archiver(), before);
  file.SetArchiverType(atZip);  // a fresh driver even for the same type
  EXPECT_NE(file.Archiver(), nullptr);
}

TEST_F(Component, NoDriverMeansNoFormat) {
  fakes.Install("libunlha32.so").SetResult("OpenArchive", 0);
  const std::string message = "書庫の形式を判別できません。";
  const TStringList files{"a.mid"};
  file.SetFileName("new.lzh.tmp");
  EXPECT_EQ(MessageOf([&] { file.Pack(nullptr, nullptr, "", &files); }), message);
  EXPECT_EQ(MessageOf([&] { file.OpenArchive(nullptr, 0); }), message);
  const size_t probes = fakes["libunlha32.so"].Calls().size();
  EXPECT_EQ(MessageOf([&] { file.Extract(nullptr, nullptr, "", &files); }), message);
  EXPECT_EQ(fakes["libunlha32.so"].Calls().size(), probes) << "extraction never probes";
}

TEST_F(Component, ListingThroughTheStoredHandle) {
  auto &lha = fakes.Install("libunlha32.so");
  lha.SetEntries({"a.mid", "doc/b.txt"});
  file.SetFileName("songs.lzh");
  HARC h = file.OpenArchive(nullptr, 0);
  ASSERT_NE(h, nullptr);
  std::vector<std::string> names;
  INDIVIDUALINFO entry{};
  for (int r = file.FindFirst("*", entry); r == 0; r = file.FindNext(entry)) names.push_back(entry.szFileName);
  file.CloseArchive();
  file.CloseArchive();  // nothing open: the library is not called
  EXPECT_EQ(names, (std::vector<std::string>{"a.mid", "doc/b.txt"}));
  EXPECT_EQ(lha.Functions(), (std::vector<std::string>{"UnlhaOpenArchive", "UnlhaFindFirst", "UnlhaFindNext",
                                                       "UnlhaFindNext", "UnlhaCloseArchive"}));
  EXPECT_EQ(lha.Last("UnlhaOpenArchive").text, world.Windows("songs.lzh"));
}

TEST_F(Component, AListingLeftOpenIsClosedByTheLibraryThatOpenedIt) {
  auto &lha = fakes.Install("libunlha32.so");
  auto &cab = fakes.Install("libcab32.so");
  {
    TArchiveFile other;
    other.SetFileName("songs.lzh");
    ASSERT_NE(other.OpenArchive(nullptr, 0), nullptr);
    other.OpenArchive(nullptr, 0);   // a second listing replaces the first
    other.SetFileName("songs.cab");  // the LHA driver goes: its listing is closed first
    other.OpenArchive(nullptr, 0);
  }  // and the CAB listing when the component goes
  EXPECT_EQ(lha.Functions(), (std::vector<std::string>{"UnlhaOpenArchive", "UnlhaCloseArchive", "UnlhaOpenArchive",
                                                       "UnlhaCloseArchive"}));
  EXPECT_EQ(cab.Functions(), (std::vector<std::string>{"CabOpenArchive", "CabCloseArchive"}));
}

TEST_F(Component, ResponseFilesFollowTheOptionsUsage) {
  auto &lha = fakes.Install("libunlha32.so");
  file.SetFileName("a.lzh");
  const TStringList files{"x.mid"};
  TArchiverOptions o;
  o.ResFileName = world.Windows("r.txt");
  o.ResFileUsage = {ruOnPack};
  file.Extract(nullptr, &o, "", &files);
  EXPECT_EQ(lha.Last("Unlha").text, "x -+  \"a.lzh\" \"x.mid\" ");
  file.Pack(nullptr, &o, "", &files);
  EXPECT_EQ(lha.Last("Unlha").text, "u -+  \"a.lzh\" \"@" + o.ResFileName + "\" ");
  file.Options() = o;
  file.Options().ResFileUsage = {ruOnUnpack};
  file.Extract(nullptr, nullptr, "", &files);
  EXPECT_EQ(lha.Last("Unlha").text, "x -+  \"a.lzh\" \"@" + o.ResFileName + "\" ");
}

TEST_F(Component, ComponentFilterPacksWhatItFinds) {
  auto &lha = fakes.Install("libunlha32.so");
  file.SetFileName("a.lzh");
  file.SetOutputSize(16);
  TestWorld::WriteFile(world.Linux("one.mid"), "1");
  TArchiverOptions o;
  o.PackFilter = pfComponent;
  o.r = 1;
  o.jo = "";
  const TStringList nothing{"*.wav"};
  EXPECT_EQ(file.Pack(nullptr, &o, "", &nothing), 0);
  EXPECT_TRUE(lha.Calls().empty());
  EXPECT_EQ(file.OutputText(), "");

  const TStringList mids{"*.mid"};
  lha.SetOutput("packed");
  EXPECT_EQ(file.Pack(nullptr, &o, "C:\\b", &mids), 0);
  EXPECT_EQ(lha.Last("Unlha").text, "u -+ -p1  \"a.lzh\" \"C:\\b\\\" \"one.mid\" ");
  EXPECT_EQ(file.OutputText(), "packed");
  EXPECT_EQ(o.r, 1) << "the caller's options are not changed";
}

TEST_F(Component, ProgressIsRelayedAndCanAbort) {
  auto &lha = fakes.Install("libunlha32.so");
  file.SetFileName("a.lzh");
  lha.SetProgress(3);
  std::vector<std::string> seen;
  file.OnProgress = [&](TArchiveFile &sender, int state, LPEXTRACTINGINFOEX info, bool &abort) {
    EXPECT_EQ(&sender, &file);
    EXPECT_FALSE(abort);
    seen.push_back(std::to_string(state) + ":" + info->exinfo.szSourceFileName);
    abort = state == 1;
  };
  EXPECT_EQ(file.Extract(nullptr, nullptr, "C:\\d", nullptr), 0x8020);
  EXPECT_EQ(seen, (std::vector<std::string>{"0:entry0.mid", "1:entry1.mid"}));
  EXPECT_EQ(lha.Answers(), (std::vector<int>{0, 1}));
  // While registered the library's own display is off (n = 1); afterwards the sink is gone.
  EXPECT_EQ(lha.Last("Unlha").text, "x -+ -n1  \"a.lzh\" \"C:\\d\\\" ");
  EXPECT_EQ(lha.Functions(), (std::vector<std::string>{"UnlhaSetOwnerWindowEx", "Unlha", "UnlhaKillOwnerWindowEx"}));
  EXPECT_EQ(lha.Last("UnlhaSetOwnerWindowEx").text, "") << "no callback";
  EXPECT_EQ(file.Archiver()->OwnerWindow, nullptr);

  file.OnProgress = nullptr;
  file.Extract(nullptr, nullptr, "", nullptr);
  EXPECT_EQ(lha.Functions().back(), "Unlha");
  EXPECT_EQ(lha.Functions().size(), 4u);
}

TEST_F(Component, ProgressHandlerErrorStopsTheLibraryAndReachesTheCaller) {
  auto &lha = fakes.Install("libunlha32.so", /*commandOnly=*/false);
  file.SetFileName("a.lzh");
  lha.SetProgress(3);
  file.OnProgress = [&](TArchiveFile &, int, LPEXTRACTINGINFOEX, bool &) { throw EArchiver("stop"); };
  EXPECT_EQ(MessageOf([&] { file.Extract(nullptr, nullptr, "", nullptr); }), "stop");
  EXPECT_EQ(lha.Answers(), (std::vector<int>{1}));
  EXPECT_EQ(lha.Functions().back(), "UnlhaKillOwnerWindowEx");
}

TEST_F(Component, ProgressWithoutOwnerFunctionsStillRuns) {
  fakes.Install("libunlha32.so", /*commandOnly=*/true);
  file.SetFileName("a.lzh");
  int calls = 0;
  file.OnProgress = [&](TArchiveFile &, int, LPEXTRACTINGINFOEX, bool &) { ++calls; };
  EXPECT_EQ(file.Extract(nullptr, nullptr, "", nullptr), 0);
  EXPECT_EQ(calls, 0);
}
