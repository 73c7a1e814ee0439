// make_fake_prefix <folder> [--third-dawn] [--win64]
// Makes a Wine-style prefix with the game installed, for the demo and for trying the program.
#include <cstdio>
#include <cstring>
#include <string>

#include "fakeprefix.h"

int main(int argc, char **argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <folder> [--third-dawn] [--win64]\n", argv[0]);
    return 2;
  }
  testsupport::FakePrefixOptions options;
  for (int i = 2; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--third-dawn")) options.thirdDawn = true;
    else if (!std::strcmp(argv[i], "--win64")) options.win64 = true;
    else {
      std::fprintf(stderr, "unknown option %s\n", argv[i]);
      return 2;
    }
  }
  try {
    const auto p = testsupport::MakeFakePrefix(argv[1], options);
    std::printf("%s\n", p.musicDir.c_str());
  } catch (const std::exception &e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
