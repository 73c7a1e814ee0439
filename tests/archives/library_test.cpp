#include "library.h"

#include <gtest/gtest.h>

#include "drivers.h"
#include "earchiver.h"
#include "fakearchivers.h"

using namespace archives;
using archivetest::FakeArchivers;
using archivetest::MessageOf;
using testsupport::TestWorld;

namespace {

class Loader : public archivetest::FakeWorld {
 protected:
  TArchiverOptions options;
  std::string output;
};

}  // namespace

TEST_F(Loader, MissingLibraryMessagesNameTheDlls) {
  const std::pair<TArchiverType, const char *> cases[] = {
      {atLha, "Lha 形式書庫を扱うには UNLHA32.DLL が 必要です。"},
      {atZip, "ZIP 形式書庫を解凍するには UNZIP32.DLL が、作成するには ZIP32J.DLL が必要です。"},
      {atCab, "CAB 形式書庫を扱うには CAB32.DLL が 必要です。"},
      {atArj, "ARJ 形式書庫を扱うには UNARJ32J.DLL が 必要です。"},
      {atTar, "tar/tgz/taz/bz2 形式書庫を扱うには tar32.dll が 必要です。"},
      {atTgz, "tar/tgz/taz/bz2 形式書庫を扱うには tar32.dll が 必要です。"},
      {atBZ2, "tar/tgz/taz/bz2 形式書庫を扱うには tar32.dll が 必要です。"},
      {atRar, "この機能の使用には UNRAR32.DLL が 必要です。"},
  };
  for (const auto &c : cases) EXPECT_EQ(MessageOf([&] { CreateArchiver(c.first); }), c.second) << c.first;
}

TEST_F(Loader, DriversShareOneLoadedLibrary) {
  auto &lib = fakes.Install("libunlha32.so");
  auto first = CreateArchiver(atLha);
  auto second = CreateArchiver(atLha);
  first->Check("Z:\\a.lzh", 0, 0);
  first.reset();  // a driver's end does not unload the library
  second->Check("Z:\\b.lzh", 0, 0);
  EXPECT_EQ(lib.Functions(), (std::vector<std::string>{"UnlhaCheckArchive", "UnlhaCheckArchive"}));
  EXPECT_EQ(TArchiverLibrary::Of(ArcLib::Unlha32).Path(), world.Windows("archivers/libunlha32.so"));
}

TEST_F(Loader, MissingFunctionNamesTheLoadedFile) {
  fakes.Install("libunlha32.so", /*commandOnly=*/true);
  auto driver = CreateArchiver(atLha);
  EXPECT_EQ(MessageOf([&] { driver->OpenArchive(nullptr, "Z:\\a.lzh", 0); }),
            world.Windows("archivers/libunlha32.so") + " に UnlhaOpenArchive のエントリが見つかりません。");
  EXPECT_EQ(MessageOf([&] { driver->Check("Z:\\a.lzh", 0, 0); }),
            world.Windows("archivers/libunlha32.so") + " に UnlhaCheckArchive のエントリが見つかりません。");
  // The command entry is there: extraction works.
  EXPECT_EQ(driver->Extract(nullptr, "Z:\\a.lzh", output, false, nullptr, "", options), 0);
}

TEST_F(Loader, ZipMissingFunctionHasNoPath) {
  fakes.Install("libunzip32.so", /*commandOnly=*/true);
  auto driver = CreateArchiver(atZip);
  EXPECT_EQ(MessageOf([&] { driver->OpenArchive(nullptr, "Z:\\a.zip", 0); }),
            "UnZipOpenArchive のエントリが見つかりません。");
  EXPECT_EQ(MessageOf([&] { driver->Check("Z:\\a.zip", 0, 0); }), "UnZipCheckArchive のエントリが見つかりません。");
  EXPECT_EQ(MessageOf([&] { driver->Pack(nullptr, "Z:\\a.zip", output, false, nullptr, "", options); }),
            "ZIP 形式書庫の作成には ZIP32J.DLL または LMZIP32.DLL が必要です。");
}

TEST_F(Loader, SearchFolderComesFirstAndFreeUnloads) {
  auto &lib = fakes.Install("libcab32.so");
  auto driver = CreateArchiver(atCab);
  EXPECT_TRUE(TArchiverLibrary::Of(ArcLib::Cab32).IsLoaded());
  driver->FreeDLL();
  EXPECT_FALSE(TArchiverLibrary::Of(ArcLib::Cab32).IsLoaded());
  // Loaded again on the next need.
  driver->Check("Z:\\a.cab", 0, 0);
  EXPECT_EQ(lib.Functions(), (std::vector<std::string>{"CabCheckArchive"}));
}
