// Packages stage and read through the work folder: without one, export and import stop and
// say why, and nothing is written.
#include <gtest/gtest.h>

#include <cstdlib>

#include "packageexport.h"
#include "coredialogs.h"
#include "packageimport.h"
#include "packageworld.h"

using testsupport::TestWorld;

TEST(PackagesWithoutAWorkFolder, ExportAndImportStopWithTheReason) {
  PackageWorld p;
  p.Assign("britain1.mid", p.Tune("mid/town.mid", 1));
  p.StoreAs("Town");
  const QString made = QString::fromStdString(p.w.world.Windows("files/made.mdk"));
  ASSERT_TRUE(ExportPackage(*p.s, made));
  const std::string settings = TestWorld::ReadFile(p.ProgLinux("melodeck.ini"));

  TestWorld::WriteFile(p.w.Linux("notafolder"), "x");
  setenv("TMPDIR", p.w.Linux("notafolder").c_str(), 1);
  p.s->WorkFolder.Remove();
  const QString expected = QString::fromUtf8("作業フォルダを作成できません: ") +
                           QString::fromStdString(p.w.Linux("notafolder")) + "/melodeck-XXXXXX: Not a directory";
  const QString unmade = QString::fromStdString(p.w.world.Windows("files/unmade.mdk"));
  const struct {
    const char *what;
    bool (*run)(TSession &, const QString &);
    const QString &file;
  } cases[] = {
      {"export", [](TSession &s, const QString &f) { return ExportPackage(s, f); }, unmade},
      {"import", [](TSession &s, const QString &f) { return ImportPackage(s, f, "Again"); }, made},
  };
  for (const auto &c : cases) {
    p.w.dialogs.Clear();
    EXPECT_FALSE(c.run(*p.s, c.file)) << c.what;
    EXPECT_EQ(p.w.dialogs.Texts(), QStringList{expected}) << c.what;
  }
  EXPECT_FALSE(TestWorld::Exists(p.Linux(unmade)));
  EXPECT_EQ(TestWorld::ReadFile(p.ProgLinux("melodeck.ini")), settings) << "no configuration was added";
}
