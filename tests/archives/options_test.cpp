#include <gtest/gtest.h>

#include "archivefile.h"
#include "earchiver.h"
#include "storedform.h"

using namespace archives;

namespace {

// The main window's archive component, in its stored form.
const char kMainWindowForm[] = R"(FileName = unset
OutputSize = 0
ArchiverType = atAutoDetect
Options.a = 2
Options.n = 1
Options.r = 2
Options.x = 1
Options.jm = 4
Options.jyc = -1
Options.w = unset
Options.jo = unset
Options.job = unset
Options.jz = unset
Options.gr = unset
Options.ResFileUsage = [ruOnPack, ruOnUnpack, ruOnRemoveItem]
)";

std::vector<std::string> Names(const std::string &form) {
  std::vector<std::string> out;
  for (const auto &p : ParseStoredForm(form)) out.push_back(p.name);
  return out;
}

}  // namespace

TEST(ArchiverOptions, CopyTakesEverythingByContent) {
  TArchiverOptions a;
  a.jx = {"*.bak", "tmp\\"};
  a.ResFileUsage = {};
  a.w = "";
  a.gw = 3;
  TArchiverOptions b;
  b = a;
  EXPECT_EQ(b, a);
  EXPECT_TRUE(b.ResFileUsage.Empty());
  b.jx.push_back("more");
  EXPECT_EQ(a.jx.size(), 2u);
}

TEST(ArchiverOptions, StoredFormLeavesOutUnsetNumbersButJyc) {
  EXPECT_EQ(Names(StoreOptions(TArchiverOptions{})),
            (std::vector<std::string>{"w", "jo", "job", "jyc", "jz", "gr", "UserOptions", "UserFileList", "PackFilter",
                                      "ResFileName", "ResFileUsage"}));
}

TEST(ArchiverOptions, StoredFormRoundTrips) {
  TArchiverOptions o;
  o.a = 2;
  o.c = 0;
  o.gw = -128;
  o.jss = 127;
  o.w = "";
  o.jo = "010101";
  o.job = std::string("a\0b", 3);
  o.jz = "quote \" backslash \\ tab\t line\r\n";
  o.gr = kUnset;
  o.jx = {"x y", "", "\"q\""};
  o.UserOptions = "-p -k";
  o.UserFileList = "\"z.mid\"";
  o.PackFilter = pfComponent;
  o.ResFileName = "C:\\tmp\\ソ.txt";
  o.ResFileUsage = {ruOnUpdate, ruOnPack};
  EXPECT_EQ(ReadOptions(StoreOptions(o)), o);

  TArchiverOptions empty;
  empty.ResFileUsage = {};
  EXPECT_EQ(ReadOptions(StoreOptions(empty)), empty);
}

TEST(ArchiverOptions, MalformedStoredFormsRaise) {
  const char *cases[] = {
      "a = 200",
      "a = x",
      "w = \"open",
      "w = \"bad \\q\"",
      "jx = \"a\" b",
      "PackFilter = pf",
      "ResFileUsage = [ruOnNothing]",
      "ResFileUsage = ruOnPack",
      "nosuch = 1",
      "no equals sign",
  };
  for (const char *text : cases) EXPECT_THROW(ReadOptions(text), EArchiver) << text;
}

TEST(ArchiveFile, MainWindowFormGivesItsValues) {
  TArchiveFile file;
  file.ReadStoredForm(kMainWindowForm);
  EXPECT_EQ(file.FileName(), kUnset);
  EXPECT_EQ(file.OutputSize(), 0);
  EXPECT_EQ(file.ArchiverType(), atAutoDetect);
  EXPECT_EQ(file.Archiver(), nullptr);
  TArchiverOptions expected;
  expected.a = 2;
  expected.n = 1;
  expected.r = 2;
  expected.x = 1;
  expected.jm = 4;
  EXPECT_EQ(file.Options(), expected);
  TArchiveFile again;
  again.ReadStoredForm(file.StoredForm());
  EXPECT_EQ(again.Options(), expected);
}

TEST(ArchiveFile, StoredFormRoundTripsAndKeepsUnknownTypesOnlyWhileReading) {
  TArchiveFile a;
  a.SetOutputSize(4096);
  a.Options().UserOptions = "-x";
  a.ReadStoredForm("ArchiverType = 42");
  EXPECT_EQ(static_cast<int>(a.ArchiverType()), 42);
  TArchiveFile b;
  b.ReadStoredForm(a.StoredForm());
  EXPECT_EQ(b.StoredForm(), a.StoredForm());
  EXPECT_EQ(b.OutputSize(), 4096);

  try {
    b.SetArchiverType(static_cast<TArchiverType>(42));
    FAIL() << "no error";
  } catch (const EArchiver &e) {
    EXPECT_STREQ(e.what(), "現在のバージョンではこの形式の書庫をサポートしていません。");
  }
  EXPECT_THROW(b.ReadStoredForm("Options.nosuch = 1"), EArchiver);
  EXPECT_THROW(b.ReadStoredForm("Colour = red"), EArchiver);
}
