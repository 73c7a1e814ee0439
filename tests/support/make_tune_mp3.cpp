// make_tune_mp3 <file.mp3> <seconds per note> <Hz>...
// Encodes a short tune of sine notes as an MP3 file with the lame command, for the demo's music.
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "digitalgen.h"

int main(int argc, char **argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: %s <file.mp3> <seconds per note> <Hz>...\n", argv[0]);
    return 2;
  }
  const double seconds = std::atof(argv[2]);
  std::vector<int> notes;
  for (int i = 3; i < argc; ++i) notes.push_back(std::atoi(argv[i]));
  for (const int hz : notes)
    if (hz < 20 || hz > 20000 || !(seconds > 0 && seconds <= 10)) {
      std::fprintf(stderr, "notes: 20 to 20000 Hz, each 0 to 10 seconds long\n");
      return 2;
    }
  if (testsupport::MakeTuneMp3(argv[1], notes, seconds).empty()) {
    std::fprintf(stderr, "could not make %s (is lame installed?)\n", argv[1]);
    return 1;
  }
  return 0;
}
