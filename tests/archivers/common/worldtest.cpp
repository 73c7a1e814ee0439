#include "worldtest.h"

namespace arctest {

void WorldTest::Put(const std::string &rel, const std::string &data) const {
  const auto slash = rel.find_last_of('/');
  if (slash != std::string::npos) testsupport::TestWorld::MakeDirs(L(rel.substr(0, slash)));
  testsupport::TestWorld::WriteFile(L(rel), data);
}

std::string Tune(size_t bytes, unsigned seed) {
  std::string out;
  unsigned x = seed * 2654435761u + 1;
  while (out.size() < bytes) {
    x = x * 1103515245u + 12345u;
    const unsigned note = 40 + (x >> 16) % 24;
    out += "\x90" + std::string(1, static_cast<char>(note)) + "\x64\x60\x80" + std::string(1, static_cast<char>(note)) +
           "\x00";
    if ((x >> 8) % 7 == 0) out += "MThd chorus ";
  }
  out.resize(bytes);
  return out;
}

}  // namespace arctest
