#include <gtest/gtest.h>
#include <filesystem>

#include "core/atomicfile.h"
#include "testworld.h"

using namespace platform;
using testsupport::TestWorld;

// Several files written together: all of them in place, or those before the first that fails;
// nothing after it replaced and no temporary file left behind.
TEST(WriteFilesTogether, PlacesEachUpToTheFirstThatFails) {
  struct Case {
    const char *what;
    std::vector<std::string> targets;  // in the world; "" for a path that names nothing
    size_t placed;
  } cases[] = {
      {"all of them", {"a", "b", "c"}, 3},
      {"a folder at the second target", {"a", "dir", "c"}, 1},
      {"a missing folder for the first", {"missing/a", "b", "c"}, 0},
      {"an empty path", {"a", "", "c"}, 1},
      {"nothing to write", {}, 0},
  };
  for (const auto &c : cases) {
    TestWorld world;
    TestWorld::MakeDirs(world.Linux("dir"));
    std::vector<std::pair<std::string, std::string>> files;
    for (const std::string &t : c.targets) {
      if (t.empty()) {
        files.emplace_back("", "new " + t);
        continue;
      }
      if (t != "dir" && t.find('/') == std::string::npos) TestWorld::WriteFile(world.Linux(t), "old");
      files.emplace_back(world.Linux(t), "new " + t);
    }
    EXPECT_EQ(WriteFilesTogether(files), c.placed) << c.what;
    for (size_t i = 0; i < c.targets.size(); ++i) {
      const std::string &t = c.targets[i];
      if (t.empty() || t == "dir" || t.find('/') != std::string::npos) continue;
      EXPECT_EQ(TestWorld::ReadFile(world.Linux(t)), i < c.placed ? "new " + t : "old") << c.what << ": " << t;
    }
    for (const auto &entry : std::filesystem::directory_iterator(world.Root()))
      EXPECT_FALSE(IsAtomicFileTemporary(entry.path().filename().string())) << c.what;
  }
}
