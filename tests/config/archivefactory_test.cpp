// Archive components made per operation: configured as the program packs, their format read
// from an archive's bytes.
#include "archivefactory.h"

#include <gtest/gtest.h>

#include "detect.h"
#include "packageworld.h"

TEST(ArchiveFactory, PacksWithTheProgramsOptions) {
  PackageWorld p;
  const QString folder = p.Tune("stage/town.mid", 1).chopped(QStringLiteral("\\town.mid").size());
  const QString package = QString::fromStdString(p.w.world.Windows("files/out.mdk"));
  const auto archive = MakeArchiveFile();
  archive->SetFileName(package.toStdString());
  archive->SetArchiverType(archives::atLha);
  const archives::TStringList all{"*"};
  EXPECT_EQ(archive->Pack(nullptr, nullptr, folder.toStdString(), &all), 0);
  EXPECT_EQ(archive->Archiver()->CommandLine,
            "u -+ -a2 -n1 -r2 -x1 -jm4  \"" + package.toStdString() + "\" \"" + folder.toStdString() + "\\\" \"*\" ");
}

// The bytes decide; the extension only when no format knows them.
TEST(ArchiveFactory, AnArchivesFormatComesFromItsBytes) {
  PackageWorld p;
  const std::string lzh = p.Linux(p.Lzh("lzh/pack.lzh", {{"town.mid", "t"}}));
  const struct {
    const char *name;
    bool lha;  // an LHA archive; otherwise plain text
    archives::TArchiverType type;
  } cases[] = {
      {"pack.lzh", true, archives::atLha},         {"pack.dat", true, archives::atLha},
      {"pack.zip", true, archives::atLha},         {"PACK.DAT", true, archives::atLha},
      {"text.dat", false, archives::atAutoDetect}, {"text.lzh", false, archives::atLha},
  };
  for (const auto &c : cases) {
    const QString path = p.Put(std::string("cases/") + c.name, c.lha ? testsupport::TestWorld::ReadFile(lzh) : "text");
    EXPECT_EQ(OpenArchiveFile(path)->ArchiverType(), c.type) << c.name;
  }
  // A ZIP archive holding an LHA archive stored as it is: the LHA probe finds a header inside.
  const std::string outer = p.w.Linux("files/cases/outer.zip");
  testsupport::TestWorld::WriteFile(p.w.Linux("zip.py"),
                                    "import sys, zipfile\n"
                                    "z = zipfile.ZipFile(sys.argv[1], 'w', zipfile.ZIP_STORED)\n"
                                    "z.write(sys.argv[2], 'inner.lzh')\nz.close()\n");
  ASSERT_EQ(arctest::Sh("python3 " + arctest::Q(p.w.Linux("zip.py")) + " " + arctest::Q(outer) + " " + arctest::Q(lzh)),
            0);
  ASSERT_EQ(archives::ArchiverTypeFromContents(p.w.world.Windows("files/cases/outer.zip")), archives::atLha)
      << "the LHA probe sees the stored archive";
  EXPECT_EQ(OpenArchiveFile(QString::fromStdString(p.w.world.Windows("files/cases/outer.zip")))->ArchiverType(),
            archives::atZip);
}
