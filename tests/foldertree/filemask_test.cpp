#include "filemask.h"

#include <gtest/gtest.h>

#include "core/winpath.h"
#include "testworld.h"

namespace {

TEST(FileMask, ExactExtensionsAndHiddenLiveFiles) {
  testsupport::TestWorld world;
  world.MakePrefix();
  const QStringList mask = {".mid", ".lzh", ".zip"};
  const QString live = "C:\\Program Files\\Ultima Online\\music\\stones2.mid";
  // The owner may know a live file by another name of it: through Z:.
  const QString liveViaZ =
      QString::fromStdString(platform::ToWindows("/")) +
      QString::fromStdString(world.Linux("prefix/drive_c/Program Files/Ultima Online/music/yew.mid")).mid(1);
  struct Case {
    QString path;
    QStringList mask;
    bool passes;
  } cases[] = {
      {"C:\\a\\SONG.MID", mask, true},
      {"C:\\a\\pack.Lzh", mask, true},
      {"C:\\a\\song.midi", mask, false},
      {"C:\\a\\song", mask, false},
      {"C:\\a.mid\\song", mask, false},  // the dot of a folder is no extension
      {"C:\\a\\song.mid.txt", mask, false},
      {"", mask, false},
      {"C:\\a\\song.MID", {".Mid"}, true},  // entries compare without case too
      {"C:\\a\\song", {}, true},            // no mask: every file
      {live, mask, false},
      {"c:\\PROGRAM FILES\\ultima online\\MUSIC\\STONES2.MID", mask, false},
      {"C:\\Program Files\\Ultima Online\\music\\default\\stones2.mid", mask, true},  // the backup shows
      {live, {}, true},  // no mask: the hidden list is ignored
      {"C:\\Program Files\\Ultima Online\\music\\yew.mid", mask, false},
  };
  for (const auto &c : cases) {
    foldertree::TFileMaskTest test;
    test.Prepare(c.mask, {live, liveViaZ});
    EXPECT_EQ(test.Passes(c.path), c.passes) << c.path.toStdString();
  }
}

TEST(FileMask, EntriesAddedInPlaceCountAtTheNextPrepare) {
  foldertree::TFileMaskTest test;
  QStringList hidden;
  test.Prepare({".mid"}, hidden);
  EXPECT_TRUE(test.Passes("C:\\x\\a.mid"));
  hidden << "C:\\x\\a.mid";
  test.Prepare({".mid"}, hidden);
  EXPECT_FALSE(test.Passes("C:\\x\\a.mid"));
}

}  // namespace
