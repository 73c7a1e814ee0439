// Links stored in LHA archives (our writer stores none; lhasa's samples do). The names and
// damage every format shares are the hostile archive tests' (tests/archivers/common).
#include <filesystem>

#include "lhatest.h"

namespace lhatest {
namespace {

namespace fs = std::filesystem;

// lhasa's regression archives: a link to "../" or to "/" then a file written through it.
TEST_F(LhaLibTest, ArchivedLinksAreNotMade) {
  REQUIRE_FIXTURES();
  const std::string dir = testsupport::FixturesDir() + "/lhasa/archives/";
  for (const char *file : {"regression/symlink1.lzh", "regression/symlink2.lzh", "regression/symlink3.lzh",
                           "lha_unix114i/h2_symlink.lzh", "lha_unix114i/h1_symlink3.lzh"}) {
    SCOPED_TRACE(file);
    const std::string dest = L(std::string("box/") + file + ".d");
    TestWorld::MakeDirs(dest);
    lib.Run("x \"" + Win(dir + file) + "\" \"" + Win(dest) + "\\\"");
    for (const auto &e : fs::recursive_directory_iterator(L("box"))) EXPECT_FALSE(e.is_symlink()) << e.path();
  }
  size_t count = 0;
  for (const auto &e : fs::directory_iterator(world.Root()))
    count += e.path().filename() != "box" && e.path().filename() != "tmp" && e.path().filename() != "run";
  EXPECT_EQ(count, 0u);
}

}  // namespace
}  // namespace lhatest
