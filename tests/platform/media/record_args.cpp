// A player for the command tests: record_args OUT [ARG...] writes each ARG and a line break to
// OUT (whole, through a rename) and ends.
#include <cstdio>
#include <string>

int main(int argc, char **argv) {
  if (argc < 2) return 2;
  const std::string out = argv[1], partial = out + ".partial";
  FILE *f = std::fopen(partial.c_str(), "w");
  if (f == nullptr) return 1;
  for (int i = 2; i < argc; ++i) std::fprintf(f, "%s\n", argv[i]);
  return std::fclose(f) == 0 && std::rename(partial.c_str(), out.c_str()) == 0 ? 0 : 1;
}
