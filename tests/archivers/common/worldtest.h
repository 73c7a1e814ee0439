// The base of the archiver libraries' test fixtures: a private world for each test, Linux and
// Windows paths into it, and files put there.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "arclib.h"
#include "testworld.h"

namespace arctest {

class WorldTest : public testing::Test {
 protected:
  std::string L(const std::string &rel) const { return world.Linux(rel); }
  std::string W(const std::string &rel) const { return Win(world.Linux(rel)); }
  // Writes data to rel, making its folders.
  void Put(const std::string &rel, const std::string &data) const;

  testsupport::TestWorld world;
};

// Data that compresses somewhat, like MIDI event streams do.
std::string Tune(size_t bytes, unsigned seed);

}  // namespace arctest
