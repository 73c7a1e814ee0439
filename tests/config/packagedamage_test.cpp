// Packages that are not whole: refused before any question when their first entry can't be
// read, stored with the scenes whose files never arrived left standard and named otherwise.
// And the typed questions that settle the name.
#include <gtest/gtest.h>

#include <deque>

#include "packageimport.h"
#include "coredialogs.h"
#include "packageworld.h"
#include "rawarchives.h"

using platform::TModalResult;
using testsupport::TestWorld;

namespace {

const std::string kIndex = "[Pack]\r\nbritain1.mid=town.mid\r\ncombat1.mid=sub\\fight.mid\r\n";
const arctest::Files kFiles = {{"index.ini", kIndex}, {"town.mid", "MThd town"}, {"sub/fight.mid", "MThd fight"}};

// The archive without its end byte and without the entries after the first n.
std::string CutAfter(const arctest::Files &files, size_t n) {
  const std::string whole = arctest::MakeLha(files);
  const std::string part = arctest::MakeLha({files.begin(), files.begin() + n});
  return whole.substr(0, part.size() - 1);
}

// Answers from a script, and what was asked.
struct ScriptedQuestions : TImportQuestions {
  bool Confirm(const QString &name) override {
    asked << "confirm " + name;
    return confirm;
  }
  TTaken NameTaken(const QString &name) override {
    asked << "taken " + name;
    return taken;
  }
  bool NewName(const std::optional<QString> &refused, QString &name) override {
    asked << "new " + refused.value_or("-");
    if (names.empty()) return false;
    name = names.front();
    names.pop_front();
    return true;
  }
  bool confirm = true;
  TTaken taken = TTaken::Cancel;
  std::deque<QString> names;
  QStringList asked;
};

}  // namespace

class DamagedImport : public testing::Test, public PackageWorld {
 protected:
  DamagedImport() : PackageWorld("[Summer]\r\napproach.mid=C:\\keep.mid\r\n") {}
  QString Package(const std::string &bytes) {
    const QString file = Put("dl/p.mdk", "");
    TestWorld::WriteFile(Linux(file), bytes);
    return file;
  }
  QString Folder() const { return QString::fromStdString(w.world.Windows("prog")) + "\\Package\\000"; }
  QString Source(const char *fileName) { return s->SceneTable[Scene(fileName)].Source; }
  QString Line(const char *fileName, const char *value, const char *reason) {
    return s->SceneTable[Scene(fileName)].Name + " :  " + value + " (" + reason + ")";
  }
};

TEST_F(DamagedImport, AFirstEntryThatCantBeReadRefusesThePackageBeforeAnyQuestion) {
  const struct {
    const char *what;
    std::string bytes;
  } cases[] = {
      {"method garbled, the index first", arctest::MakeLhaWithGarbledFirstMethod(kFiles)},
      {"method garbled, a tune first", arctest::MakeLhaWithGarbledFirstMethod({kFiles[1], kFiles[0], kFiles[2]})},
      {"a self-extractor's code in front", std::string(4000, '\x90') + arctest::MakeLha(kFiles)},
      {"one byte in front", "M" + arctest::MakeLha(kFiles)},
  };
  for (const auto &c : cases) {
    w.dialogs.Clear();
    const QString file = Package(c.bytes);
    EXPECT_FALSE(ImportPackage(*s, file)) << c.what;
    EXPECT_EQ(w.dialogs.Texts(), QStringList{"パッケージファイルを展開できません: " + file}) << c.what;
    EXPECT_FALSE(TestWorld::Exists(ProgLinux("Package"))) << c.what;
    EXPECT_EQ(s->Store.ConfigNames(), (QStringList{"標準", "Summer"})) << c.what;
  }
}

TEST_F(DamagedImport, FilesTheIndexNamesThatNeverArrivedLeaveTheirScenesStandardInOneMessage) {
  const arctest::Files files = {
      {"index.ini",
       "[Pack]\r\napproach.mid=sub\r\nbritain1.mid=town.mid\r\nbritain2.mid=..\\x.mid\r\ncombat1.mid=sub\\fight.mid\r\n"
       "combat2.mid=set.lzh|a.mid\r\n"},
      {"town.mid", "MThd town"},
      {"sub/fight.mid", "MThd fight"}};
  const struct {
    const char *what;
    std::string bytes;
    QStringList lines;  // after the heading
    std::vector<const char *> standard;
  } cases[] = {
      {"cut after the second entry",
       CutAfter(files, 2),
       {Line("approach.mid", "sub", "パッケージにありません"),
        Line("britain2.mid", "..\\x.mid", "パッケージの外を指しています"),
        Line("combat1.mid", "sub\\fight.mid", "パッケージにありません"),
        Line("combat2.mid", "set.lzh|a.mid", "パッケージにありません")},
       {"approach.mid", "britain2.mid", "combat1.mid", "combat2.mid"}},
      {"whole, a folder and an archive named",
       arctest::MakeLha(files),
       {Line("approach.mid", "sub", "パッケージにありません"),
        Line("britain2.mid", "..\\x.mid", "パッケージの外を指しています"),
        Line("combat2.mid", "set.lzh|a.mid", "パッケージにありません")},
       {"approach.mid", "britain2.mid", "combat2.mid"}},
  };
  for (const auto &c : cases) {
    PackageWorld p("[Summer]\r\napproach.mid=C:\\keep.mid\r\n");
    const QString file = p.Put("dl/p.mdk", "");
    TestWorld::WriteFile(p.Linux(file), c.bytes);
    ScriptedQuestions questions;
    const TImportReport report = ImportPackage(*p.s, file, questions);
    ShowImportReport(*p.s, report);
    EXPECT_EQ(report.Result, TImportResult::Incomplete) << c.what;
    EXPECT_EQ(report.Missing, static_cast<int>(c.lines.size()) - 1) << c.what;
    EXPECT_EQ(report.Refused, 1) << c.what;
    ASSERT_EQ(p.w.dialogs.Texts().size(), 1) << c.what << p.w.dialogs.Texts().join("|").toStdString();
    EXPECT_EQ(p.w.dialogs.Texts()[0],
              "パッケージファイルが壊れています: " + file + "\n次の場面は標準のままにしました\n" + c.lines.join('\n'))
        << c.what;
    const QString folder = QString::fromStdString(p.w.world.Windows("prog")) + "\\Package\\000";
    EXPECT_EQ(p.s->SceneTable[p.Scene("britain1.mid")].Source, folder + "\\town.mid") << c.what;
    for (const char *f : c.standard) {
      EXPECT_EQ(p.s->SceneTable[p.Scene(f)].Source, f) << c.what;
      EXPECT_EQ(p.s->Store.Settings().ReadString("Pack", f, ""), f) << c.what;
    }
  }
}

// The scene table takes the package once: a missing backup is told once, not once per load.
TEST_F(DamagedImport, TheImportedConfigurationIsLoadedOnce) {
  for (const QString &folder : {s->Folders.MusicDir, s->Folders.DefaultDir})
    std::remove(Linux(folder + "\\yew.mid").c_str());
  const QString file = Package(arctest::MakeLha(kFiles));
  w.dialogs.Clear();
  w.dialogs.Answer(TModalResult::OK);
  ASSERT_TRUE(ImportPackage(*s, file));
  EXPECT_EQ(w.dialogs.Texts().filter("バックアップファイルがありません").size(), 1)
      << w.dialogs.Texts().join("|").toStdString();
  EXPECT_EQ(s->Store.CurrentConfig, "Pack");
  EXPECT_EQ(s->Store.ConfigNames().value(s->Store.SelectedConfig()), "Pack");
  EXPECT_EQ(Source("britain1.mid"), Folder() + "\\town.mid");
}

TEST_F(DamagedImport, TheNameIsSettledThroughTypedQuestions) {
  using TTaken = TImportQuestions::TTaken;
  const struct {
    const char *what;
    std::string index;
    QString as;
    bool confirm;
    TTaken taken;
    QStringList names;
    QStringList asked;
    TImportResult result;
    QString stored;
  } cases[] = {
      {"free", "[Pack]\r\n", "", true, TTaken::Cancel, {}, {"confirm Pack"}, TImportResult::Imported, "Pack"},
      {"free, declined", "[Pack]\r\n", "", false, TTaken::Cancel, {}, {"confirm Pack"}, TImportResult::Cancelled, ""},
      {"taken, overwritten",
       "[summer]\r\n",
       "",
       true,
       TTaken::Overwrite,
       {},
       {"taken summer"},
       TImportResult::Imported,
       "summer"},
      {"taken, cancelled",
       "[Summer]\r\n",
       "",
       true,
       TTaken::Cancel,
       {},
       {"taken Summer"},
       TImportResult::Cancelled,
       ""},
      {"taken, renamed after a refused name",
       "[Summer]\r\n",
       "",
       true,
       TTaken::Rename,
       {"SUMMER", "Autumn"},
       {"taken Summer", "new -", "new SUMMER"},
       TImportResult::Imported,
       "Autumn"},
      {"as a taken name",
       "[Pack]\r\n",
       "Summer",
       true,
       TTaken::Cancel,
       {},
       {"taken Summer"},
       TImportResult::Cancelled,
       ""},
      {"the standard name is never stored nor overwritten",
       "[\x95W\x8F\x80]\r\n",
       "",
       true,
       TTaken::Overwrite,
       {"標準", "Spring"},
       {"new 標準", "new 標準"},
       TImportResult::Imported,
       "Spring"},
      {"the settings' own section",
       "[melodeck]\r\n",
       "",
       true,
       TTaken::Overwrite,
       {},
       {"new melodeck"},
       TImportResult::Cancelled,
       ""},
  };
  for (const auto &c : cases) {
    PackageWorld p("[Summer]\r\napproach.mid=C:\\keep.mid\r\n");
    const QString file = p.Put("dl/p.mdk", "");
    TestWorld::WriteFile(p.Linux(file), arctest::MakeLha({{"index.ini", c.index + "britain1.mid=town.mid\r\n"},
                                                          {"town.mid", "MThd town"}}));
    ScriptedQuestions q;
    q.confirm = c.confirm;
    q.taken = c.taken;
    q.names.assign(c.names.begin(), c.names.end());
    const TImportReport report = ImportPackage(*p.s, file, q, c.as);
    EXPECT_EQ(report.Result, c.result) << c.what;
    EXPECT_EQ(q.asked, c.asked) << c.what;
    EXPECT_EQ(report.Name, c.stored) << c.what;
    EXPECT_TRUE(p.w.dialogs.Texts().isEmpty()) << c.what;
    EXPECT_EQ(TestWorld::Exists(p.ProgLinux("Package")), !c.stored.isEmpty()) << c.what;
    if (!c.stored.isEmpty())
      EXPECT_EQ(QString::fromStdString(p.s->Store.Settings().ReadString(c.stored.toStdString(), "britain1.mid", "")),
                QString::fromStdString(p.w.world.Windows("prog")) + "\\Package\\000\\town.mid")
          << c.what;
    EXPECT_FALSE(p.s->Store.Settings().SectionExists("標準")) << c.what;
  }
}

TEST_F(DamagedImport, WhatIsNoPackageSaysWhyInTheReportAndNothingToTheUser) {
  const struct {
    const char *what;
    std::string bytes;
    TImportResult result;
  } cases[] = {
      {"empty", "", TImportResult::NotAnArchive},
      {"text", "[Pack]\r\nbritain1.mid=town.mid\r\n", TImportResult::NotAnArchive},
      {"an empty LHA archive", std::string(1, '\0'), TImportResult::NoIndex},
      {"no index", arctest::MakeLha({kFiles[1]}), TImportResult::NoIndex},
      {"an index without a section", arctest::MakeLha({{"index.ini", "x=1\r\n"}}), TImportResult::NoConfiguration},
  };
  for (const auto &c : cases) {
    w.dialogs.Clear();
    ScriptedQuestions q;
    const TImportReport report = ImportPackage(*s, Package(c.bytes), q);
    EXPECT_EQ(report.Result, c.result) << c.what;
    EXPECT_TRUE(q.asked.isEmpty()) << c.what;
    EXPECT_TRUE(w.dialogs.Texts().isEmpty()) << c.what;
    EXPECT_FALSE(TestWorld::Exists(ProgLinux("Package"))) << c.what;
  }
}
