#include "lhatest.h"

#include "lha/lha.h"

namespace lhatest {

void WriteRawArchive(const std::string &linuxPath, const std::vector<std::pair<std::string, std::string>> &entries,
                     int level) {
  std::vector<uint8_t> bytes;
  lha::WriterOptions o;
  o.method = lha::Method::Stored;
  o.level = level;
  lha::ArchiveWriter w(lha::vectorSink(bytes), o);
  for (const auto &[name, data] : entries) {
    lha::NewEntry e;
    e.name = name;
    e.unixTime = 1700000000;
    e.dosTime = lha::dosTimeFromUnix(e.unixTime);
    lha::SpanSource src({reinterpret_cast<const uint8_t *>(data.data()), data.size()});
    ASSERT_EQ(w.addFile(e, src), lha::Error::None) << name;
  }
  ASSERT_EQ(w.finish(), lha::Error::None);
  TestWorld::WriteFile(linuxPath, std::string(bytes.begin(), bytes.end()));
}

std::string Tune(size_t bytes, unsigned seed) {
  std::string out;
  unsigned x = seed * 2654435761u + 1;
  while (out.size() < bytes) {
    x = x * 1103515245u + 12345u;
    const unsigned note = 40 + (x >> 16) % 24;
    out += "\x90" + std::string(1, static_cast<char>(note)) + "\x64\x60\x80" + std::string(1, static_cast<char>(note)) + "\x00";
    if ((x >> 8) % 7 == 0) out += "MThd chorus ";
  }
  out.resize(bytes);
  return out;
}

}  // namespace lhatest
