// A private world for one test: its own temporary folder, $TMPDIR, cache folder ($XDG_CACHE_HOME), lock folder
// ($MELODECK_LOCK_DIR) and, on request, a fake Wine prefix. Removed with everything in it when the test ends.
#pragma once

#include <string>

#include "fakeprefix.h"

namespace testsupport {

class TestWorld {
 public:
  TestWorld();
  ~TestWorld();
  TestWorld(const TestWorld &) = delete;
  TestWorld &operator=(const TestWorld &) = delete;

  const std::string &Root() const { return root_; }  // Linux folder
  std::string Linux(const std::string &relative) const { return root_ + "/" + relative; }
  // Windows path (through the current path namespace) of a file of the world.
  std::string Windows(const std::string &relative) const;

  // Makes <root>/prefix and points the process at it.
  FakePrefix MakePrefix(const FakePrefixOptions &options = {});

  static void WriteFile(const std::string &linuxPath, const std::string &data);
  static std::string ReadFile(const std::string &linuxPath);
  static bool Exists(const std::string &linuxPath);
  static void MakeDirs(const std::string &linuxPath);

 private:
  std::string root_;
};

}  // namespace testsupport
