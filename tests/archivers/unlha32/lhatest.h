// What the LHA library's tests share: the loaded library in a private world.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "rawarchives.h"
#include "requirements.h"
#include "worldtest.h"

namespace lhatest {

using arctest::MakeLha;
using arctest::Q;
using arctest::Sh;
using arctest::Tune;
using arctest::Win;
using testsupport::TestWorld;

class LhaLibTest : public arctest::WorldTest {
 protected:
  LhaLibTest() : lib("libunlha32.so", "Unlha") {}

  arctest::ArcLib lib;
};

}  // namespace lhatest
