// What the LHA library's tests share: the loaded library, a private world and helpers that
// make archives with our codec directly (for names no packing command would store).
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "arclib.h"
#include "testworld.h"

namespace lhatest {

using arctest::Q;
using arctest::Sh;
using arctest::Win;
using testsupport::TestWorld;

class LhaLibTest : public testing::Test {
 protected:
  LhaLibTest() : lib("libunlha32.so", "Unlha") {}
  std::string L(const std::string &rel) const { return world.Linux(rel); }
  std::string W(const std::string &rel) const { return Win(world.Linux(rel)); }
  void Put(const std::string &rel, const std::string &data) {
    const auto slash = rel.find_last_of('/');
    if (slash != std::string::npos) TestWorld::MakeDirs(L(rel.substr(0, slash)));
    TestWorld::WriteFile(L(rel), data);
  }

  TestWorld world;
  arctest::ArcLib lib;
};

// An archive of stored entries with exactly these names (code page 932 bytes) and contents.
void WriteRawArchive(const std::string &linuxPath, const std::vector<std::pair<std::string, std::string>> &entries,
                     int level = 2);

// Text that compresses somewhat, like MIDI event streams do.
std::string Tune(size_t bytes, unsigned seed);

}  // namespace lhatest
