#include "filemask.h"

#include <gtest/gtest.h>

#include "core/winpath.h"
#include "testworld.h"

using foldertree::TFileMaskTest;

namespace {

const QStringList kMask = {".mid", ".lzh", ".zip"};
const QStringList kHidden = {"C:\\Program Files\\Ultima Online\\music\\stones2.mid"};

struct MaskCase {
  const char *path;
  QStringList mask;
  bool passes;
};

TEST(FileMask, PassesOnExactExtensionsOnly) {
  const MaskCase cases[] = {
      {"C:\\a\\song.mid", kMask, true},
      {"C:\\a\\SONG.MID", kMask, true},
      {"C:\\a\\pack.Lzh", kMask, true},
      {"C:\\a\\song.midi", kMask, false},
      {"C:\\a\\song", kMask, false},
      {"C:\\a.mid\\song", kMask, false},  // the dot of a folder is no extension
      {"C:\\a\\.mid", kMask, true},       // a hidden file named only by its extension
      {"C:\\a\\song.mid.txt", kMask, false},
      {"", kMask, false},
      {"C:\\a\\song.wav", {}, true},  // no mask: every file
      {"C:\\a\\song", {}, true},
      {"C:\\a\\song.MID", {".Mid"}, true},  // entries compare without case too
  };
  for (const auto &c : cases) {
    TFileMaskTest test;
    test.Prepare(c.mask, {});
    EXPECT_EQ(test.Passes(QString::fromUtf8(c.path)), c.passes) << c.path;
  }
}

TEST(FileMask, UnFileMaskHidesLiveFilesWhateverTheCase) {
  testsupport::TestWorld world;
  world.MakePrefix();
  const std::string music = world.Linux("prefix/drive_c/Program Files/Ultima Online/music");
  struct Case {
    QString path;
    QStringList mask;
    bool passes;
  } cases[] = {
      {"C:\\Program Files\\Ultima Online\\music\\stones2.mid", kMask, false},
      {"c:\\PROGRAM FILES\\ultima online\\MUSIC\\STONES2.MID", kMask, false},
      {"C:\\Program Files\\Ultima Online\\music\\stones.mid", kMask, true},
      {"C:\\Program Files\\Ultima Online\\music\\default\\stones2.mid", kMask, true},  // the backup shows
      {"C:\\Program Files\\Ultima Online\\music\\stones2.mid", {}, true},  // no mask: the list is ignored
  };
  for (const auto &c : cases) {
    TFileMaskTest test;
    test.Prepare(c.mask, kHidden);
    EXPECT_EQ(test.Passes(c.path), c.passes) << c.path.toStdString();
  }
  // The owner may know the folder by another name of the same file: through Z:.
  TFileMaskTest test;
  test.Prepare(kMask, {QString::fromStdString(platform::ToWindows("/") + music.substr(1) + "/yew.mid")});
  EXPECT_FALSE(test.Passes("C:\\Program Files\\Ultima Online\\music\\yew.mid"));
}

TEST(FileMask, EntriesAddedInPlaceCountAtTheNextPrepare) {
  TFileMaskTest test;
  QStringList hidden;
  test.Prepare(kMask, hidden);
  EXPECT_TRUE(test.Passes("C:\\x\\a.mid"));
  hidden << "C:\\x\\a.mid";
  test.Prepare(kMask, hidden);
  EXPECT_FALSE(test.Passes("C:\\x\\a.mid"));
}

}  // namespace
