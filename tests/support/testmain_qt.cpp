// main of the test programs that use Qt: one application object for the whole program,
// offscreen unless the environment asks for a display.
#include <gtest/gtest.h>
#include <stdlib.h>

#include "qt/application.h"

int main(int argc, char **argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  testing::InitGoogleTest(&argc, argv);
  platform::TApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
