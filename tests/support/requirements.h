// What a test needs from outside the build: the shared sample archives and the peer tools it
// checks our results against. Where one is missing the test is skipped with the reason.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

namespace testsupport {

// $MELODECK_SHARED_DIR/fixtures; "" when the variable is unset or names no such folder.
std::string FixturesDir();
// How every reason of MissingFixtures begins: scripts/test counts the tests skipped with it.
inline constexpr const char *kMissingFixtures = "needs the shared sample archives";
// Why the sample archives cannot be used; "" when they can.
std::string MissingFixtures();
// Why not every one of tools is on PATH; "" when they are.
std::string MissingTools(std::initializer_list<const char *> tools);

}  // namespace testsupport

#define MELODECK_SKIP_WHEN_(why)                                         \
  do {                                                                   \
    if (const std::string melodeckWhy_ = (why); !melodeckWhy_.empty()) { \
      GTEST_SKIP() << melodeckWhy_;                                      \
    }                                                                    \
  } while (false)

// In a test's body or its fixture's SetUp: skips the test when the sample archives or one of
// the named tools are missing.
#define REQUIRE_FIXTURES() MELODECK_SKIP_WHEN_(::testsupport::MissingFixtures())
#define REQUIRE_TOOLS(...) MELODECK_SKIP_WHEN_(::testsupport::MissingTools({__VA_ARGS__}))
