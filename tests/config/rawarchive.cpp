#include "rawarchive.h"

#include <gtest/gtest.h>

#include "lha/lha.h"

std::string RawLhaArchive(const std::vector<std::pair<std::string, std::string>> &entries) {
  std::vector<uint8_t> bytes;
  lha::WriterOptions o;
  o.method = lha::Method::Stored;
  lha::ArchiveWriter writer(lha::vectorSink(bytes), o);
  for (const auto &[name, data] : entries) {
    lha::NewEntry e;
    e.name = name;
    e.unixTime = 1700000000;
    e.dosTime = lha::dosTimeFromUnix(e.unixTime);
    lha::SpanSource src({reinterpret_cast<const uint8_t *>(data.data()), data.size()});
    EXPECT_EQ(writer.addFile(e, src), lha::Error::None) << name;
  }
  EXPECT_EQ(writer.finish(), lha::Error::None);
  return {bytes.begin(), bytes.end()};
}
