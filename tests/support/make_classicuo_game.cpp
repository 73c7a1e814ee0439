// make_classicuo_game <game folder> <ClassicUO folder> [seconds]
// Makes a game with digital music, as ClassicUO players have it, for the demo: the game's data
// folder with Music/Digital and ClassicUO's folder with a settings.json naming it.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>

#include "classicuogame.h"

int main(int argc, char **argv) {
  if (argc < 3 || argc > 4) {
    std::fprintf(stderr, "usage: %s <game folder> <ClassicUO folder> [seconds]\n", argv[0]);
    return 2;
  }
  const double seconds = argc == 4 ? std::atof(argv[3]) : 2.0;
  if (!(seconds > 0 && seconds <= 60)) {
    std::fprintf(stderr, "seconds: a number from 0 to 60\n");
    return 2;
  }
  try {
    const std::string game = std::filesystem::absolute(argv[1]).lexically_normal().string();
    testsupport::MakeClassicUoGame(game, std::filesystem::absolute(argv[2]).string(), seconds);
    std::printf("%s/Music/Digital\n", game.c_str());
  } catch (const std::exception &e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
