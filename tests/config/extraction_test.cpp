// Archive entries turned into files of the work folder, through the real archiver libraries.
#include "extraction.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "core/winpath.h"
#include "session.h"
#include "requirements.h"
#include "storeworld.h"

using testsupport::TestWorld;

namespace {

class Extraction : public testing::Test {
 protected:
  // A ZIP archive at rel holding the entries (names as given, even hostile ones).
  QString Zip(const std::string &rel, const std::vector<std::pair<std::string, std::string>> &entries) {
    TestWorld::MakeDirs(std::filesystem::path(w.Linux(rel)).parent_path().string());
    std::string script = "import sys, zipfile\nz = zipfile.ZipFile(sys.argv[1], 'w')\n";
    for (const auto &[name, bytes] : entries) script += "z.writestr(" + Py(name) + ", " + Py(bytes) + ")\n";
    script += "z.close()\n";
    TestWorld::WriteFile(w.Linux("make.py"), script);
    const std::string command = "python3 '" + w.Linux("make.py") + "' '" + w.Linux(rel) + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return Win(rel);
  }
  static std::string Py(const std::string &s) {
    std::string out = "b'";
    for (const unsigned char c : s) {
      char hex[8];
      snprintf(hex, sizeof hex, "\\x%02x", c);
      out += hex;
    }
    return out + "'.decode('utf-8')";
  }
  QString Win(const std::string &rel) const { return QString::fromStdString(w.world.Windows(rel)); }
  QString Extract(const QString &text, bool fresh) { return ExtractSource(TSource::Parse(text), fresh, s.WorkFolder); }
  static std::string Read(const QString &windowsPath) {
    const std::string onDisk = platform::ToLinux(windowsPath.toStdString());
    return TestWorld::Exists(onDisk) ? TestWorld::ReadFile(onDisk) : "(none)";
  }

  StoreWorld w;
  TSession s{w.programPath, w.folders, w.dialogs};
};

}  // namespace

TEST_F(Extraction, AnEntryLandsBelowItsArchivesFolderOnceUnlessFresh) {
  const QString archive = Zip("dl/pack.zip", {{"music/town.mid", "first"}});
  EXPECT_EQ(Extract("C:\\plain\\file.mid", false), "C:\\plain\\file.mid");
  const QString local = Extract(archive + "|music/town.mid", false);
  EXPECT_EQ(local, s.WorkFolder.Path() + "\\pack.zip\\music\\town.mid");
  EXPECT_EQ(Read(local), "first");

  Zip("dl/pack.zip", {{"music/town.mid", "second"}});
  EXPECT_EQ(Extract(archive + "|music/town.mid", false), local);
  EXPECT_EQ(Read(local), "first") << "the copy is reused";
  EXPECT_EQ(Extract(archive + "|music/town.mid", true), local);
  EXPECT_EQ(Read(local), "second") << "fresh extracts anew";

  // F5 empties the work folder; the next use extracts again.
  ASSERT_TRUE(s.WorkFolder.Remove());
  EXPECT_EQ(Read(local), "(none)");
  const QString again = Extract(archive + "|music/town.mid", false);
  EXPECT_EQ(again, s.WorkFolder.Path() + "\\pack.zip\\music\\town.mid");
  EXPECT_EQ(Read(again), "second");
}

TEST_F(Extraction, MissingArchivesEntriesAndOverlongNames) {
  const QString archive = Zip("dl/pack.zip", {{"town.mid", "t"}});
  EXPECT_EQ(Extract(Win("dl/gone.zip") + "|town.mid", false), "");
  const QString gone = Extract(archive + "|gone.mid", false);
  EXPECT_EQ(gone, s.WorkFolder.Path() + "\\pack.zip\\gone.mid") << "the expected path, with no file";
  EXPECT_EQ(Read(gone), "(none)");
  const QString longName = QString(300, 'n') + ".mid";
  const QString cut = Extract(archive + "|" + longName, false);
  EXPECT_EQ(cut, s.WorkFolder.Path() + "\\pack.zip\\" + longName.left(260));
  EXPECT_EQ(Read(cut), "(none)");
}

// Names that would reach outside the work folder give nothing, even when the archive holds them.
TEST_F(Extraction, HostileEntryPartsGiveAnEmptyResult) {
  const QString archive = Zip("dl/evil.zip", {{"../evil.mid", "e"}, {"a/../../evil.mid", "e"}, {"ok.mid", "o"}});
  const char *cases[] = {"../evil.mid",
                         "a/../../evil.mid",
                         "..\\evil.mid",
                         "a\\..\\..\\evil.mid",
                         "/evil.mid",
                         "\\evil.mid",
                         "C:evil.mid",
                         "Z:\\evil.mid",
                         "..",
                         "",
                         "a/b/../../../x"};
  for (const char *entry : cases) EXPECT_EQ(Extract(archive + "|" + entry, false), "") << entry;
  EXPECT_FALSE(TestWorld::Exists(w.Linux("tmp/evil.mid")));
  EXPECT_FALSE(TestWorld::Exists(w.Linux("evil.mid")));
  // Dots inside names are no parent folder.
  EXPECT_EQ(Read(Extract(archive + "|ok.mid", false)), "o");
  EXPECT_TRUE(TSource::IsSafeEntryPath("a..b/c.mid"));
  EXPECT_TRUE(TSource::IsSafeEntryPath("...mid"));
}

TEST_F(Extraction, SameNamedArchivesGetFoldersOfTheirOwn) {
  // Already on disk: never taken over.
  TestWorld::MakeDirs(platform::ToLinux(s.WorkFolder.Path().toStdString()) + "/pack.zip");
  const QString one = Zip("one/pack.zip", {{"music/town.mid", "one"}});
  const QString two = Zip("two/pack.zip", {{"music/town.mid", "two"}});
  const QString a = Extract(one + "|music/town.mid", false), b = Extract(two + "|music/town.mid", false);
  EXPECT_EQ(a, s.WorkFolder.Path() + "\\pack.zip~2\\music\\town.mid");
  EXPECT_EQ(b, s.WorkFolder.Path() + "\\pack.zip~3\\music\\town.mid");
  EXPECT_EQ(Read(a), "one");
  EXPECT_EQ(Read(b), "two");
  EXPECT_EQ(Extract(one + "|music/town.mid", false), a) << "each archive keeps its folder";
}

TEST_F(Extraction, JapaneseEntryNamesOfBothFormats) {
  REQUIRE_FIXTURES();
  const std::string dir = testsupport::FixturesDir() + "/libarchive/";
  const struct {
    const char *fixture, *entry, *bytes;
  } cases[] = {
      {"test_read_format_lha_filename_cp932.lzh", "漢字.txt", "\x8a\xbf\x8e\x9a\x82\xa9\x82\xc8"},
      {"test_read_format_lha_filename_cp932.lzh", "表.txt", "list"},
      {"test_read_format_zip_filename_cp932.zip", "表だよ/一覧表.txt", "Hello"},
      {"test_read_format_zip_filename_utf8_jp.zip", "表だよ/漢字.txt", "kanji"},
  };
  for (const auto &c : cases) {
    if (!std::filesystem::exists(dir + c.fixture)) GTEST_SKIP() << "the shared fixtures are missing";
    TestWorld::MakeDirs(w.Linux("fx"));
    std::filesystem::copy_file(dir + c.fixture, w.Linux(std::string("fx/") + c.fixture),
                               std::filesystem::copy_options::overwrite_existing);
    const QString local = Extract(Win(std::string("fx/") + c.fixture) + "|" + QString::fromUtf8(c.entry), true);
    EXPECT_TRUE(local.endsWith(QString::fromUtf8(c.entry).replace('/', '\\'))) << local.toStdString();
    EXPECT_EQ(Read(local), c.bytes) << c.fixture << " " << c.entry;
  }
}

// Each extraction opens its archive afresh and reads the format from the file's bytes: what
// was extracted before, from which format, never changes the result.
TEST_F(Extraction, AnArchivesFormatComesFromItsBytesWhateverRanBefore) {
  REQUIRE_FIXTURES();
  const std::string lzh = testsupport::FixturesDir() + "/libarchive/test_read_format_lha_filename_cp932.lzh";
  if (!std::filesystem::exists(lzh)) GTEST_SKIP() << "the shared fixtures are missing";
  TestWorld::MakeDirs(w.Linux("fx"));
  for (const char *name : {"fx/tunes.lzh", "fx/pack.dat", "fx/lha.zip"})
    std::filesystem::copy_file(lzh, w.Linux(name), std::filesystem::copy_options::overwrite_existing);
  Zip("fx/other.zip", {{"town.mid", "zip town"}});
  Zip("fx/zip.dat", {{"town.mid", "zip as dat"}});
  const QString lhaEntry = QString::fromUtf8("|表.txt");
  const struct {
    const char *before;  // archive entry extracted first; empty: nothing
    const char *entry;   // then this one
    const char *bytes;
  } cases[] = {
      {"", "fx/pack.dat", "list"},
      {"fx/other.zip", "fx/pack.dat", "list"},
      {"fx/tunes.lzh", "fx/pack.dat", "list"},
      {"fx/zip.dat", "fx/pack.dat", "list"},
      {"", "fx/zip.dat", "zip as dat"},
      {"fx/tunes.lzh", "fx/zip.dat", "zip as dat"},
      {"fx/pack.dat", "fx/zip.dat", "zip as dat"},
      {"fx/other.zip", "fx/lha.zip", "list"},
      {"fx/pack.dat", "fx/other.zip", "zip town"},
  };
  const auto text = [&](const std::string &rel) {
    return Win(rel) +
           (rel.find("zip.dat") != std::string::npos || rel == "fx/other.zip" ? QString("|town.mid") : lhaEntry);
  };
  for (const auto &c : cases) {
    ASSERT_TRUE(s.WorkFolder.Remove());
    if (*c.before)
      EXPECT_TRUE(TestWorld::Exists(platform::ToLinux(Extract(text(c.before), true).toStdString()))) << c.before;
    EXPECT_EQ(Read(Extract(text(c.entry), true)), c.bytes) << c.entry << " after " << c.before;
  }
}
