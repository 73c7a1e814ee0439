#include "testworld.h"

#include <ftw.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "core/winpath.h"

namespace testsupport {

namespace {
// A link is never followed: chmod through the fake prefix's "z:" link would change "/".
int MakeWritable(const char *path, const struct stat *, int type, struct FTW *) {
  if (type == FTW_D || type == FTW_DNR) chmod(path, 0700);
  return 0;
}

int RemoveEntry(const char *path, const struct stat *, int, struct FTW *) {
  remove(path);
  return 0;
}
}  // namespace

TestWorld::TestWorld() {
  const char *base = getenv("MELODECK_TEST_TMP");
  std::string pattern = std::string(base && *base ? base : "/tmp") + "/melodeck-test-XXXXXX";
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  root_ = pattern;
  MakeDirs(root_ + "/tmp");
  MakeDirs(root_ + "/run");
  chmod((root_ + "/run").c_str(), 0700);
  setenv("TMPDIR", (root_ + "/tmp").c_str(), 1);
  setenv("XDG_RUNTIME_DIR", (root_ + "/run").c_str(), 1);
  // The cache of converted tunes: never the user's real one.
  setenv("XDG_CACHE_HOME", (root_ + "/cache").c_str(), 1);
  // The instance lock and the hand-over socket: never the user's real ones.
  setenv("MELODECK_LOCK_DIR", (root_ + "/run").c_str(), 1);
  unsetenv("WINEPREFIX");
  platform::SetPaths(platform::PathNamespace::FromPrefix(""));  // Z: = "/" only
}

TestWorld::~TestWorld() {
  // Make read-only folders writable first so that everything can go.
  nftw(root_.c_str(), MakeWritable, 32, FTW_PHYS);
  nftw(root_.c_str(), RemoveEntry, 32, FTW_DEPTH | FTW_PHYS);
}

std::string TestWorld::Windows(const std::string &relative) const { return platform::ToWindows(Linux(relative)); }

FakePrefix TestWorld::MakePrefix(const FakePrefixOptions &options) {
  FakePrefix p = MakeFakePrefix(Linux("prefix"), options);
  UseFakePrefix(p);
  return p;
}

void TestWorld::WriteFile(const std::string &linuxPath, const std::string &data) {
  std::ofstream out(linuxPath, std::ios::binary);
  out << data;
  if (!out) throw std::runtime_error("cannot write " + linuxPath);
}

std::string TestWorld::ReadFile(const std::string &linuxPath) {
  std::ifstream in(linuxPath, std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

bool TestWorld::Exists(const std::string &linuxPath) {
  struct stat st;
  return lstat(linuxPath.c_str(), &st) == 0;
}

void TestWorld::MakeDirs(const std::string &linuxPath) {
  for (size_t i = 1; i <= linuxPath.size(); ++i)
    if (i == linuxPath.size() || linuxPath[i] == '/') mkdir(linuxPath.substr(0, i).c_str(), 0777);
}

}  // namespace testsupport
