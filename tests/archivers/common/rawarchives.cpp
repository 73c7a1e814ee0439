#include "rawarchives.h"

#include <gtest/gtest.h>

#include "lha/lha.h"

namespace arctest {

namespace {

void PutLe(std::string &s, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) s += static_cast<char>(v >> (8 * i));
}

uint32_t Crc32(const std::string &data) {
  uint32_t crc = 0xFFFFFFFF;
  for (unsigned char c : data) {
    crc ^= c;
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
  }
  return ~crc;
}

// One ARJ header: the basic header of `first` bytes, the name, no comment, its CRC, and no
// extended header.
std::string ArjHeader(const std::string &name, uint8_t fileType, const std::string &data) {
  std::string b = {30, 11, 1, 0, 0, 0, static_cast<char>(fileType), 0};
  PutLe(b, 0x5a210000, 4);  // time
  PutLe(b, static_cast<uint32_t>(data.size()), 4);
  PutLe(b, static_cast<uint32_t>(data.size()), 4);
  PutLe(b, Crc32(data), 4);
  PutLe(b, 0, 2);     // position in the file name
  PutLe(b, 0x20, 2);  // attributes
  PutLe(b, 0, 2);     // host data
  b += name + '\0' + '\0';
  std::string out = "\x60\xea";
  PutLe(out, static_cast<uint32_t>(b.size()), 2);
  out += b;
  PutLe(out, Crc32(b), 4);
  PutLe(out, 0, 2);
  return out;
}

}  // namespace

std::string MakeCab(const Files &files, uint32_t checksum) {
  std::string data, records;
  for (const auto &[name, contents] : files) {
    PutLe(records, static_cast<uint32_t>(contents.size()), 4);
    PutLe(records, static_cast<uint32_t>(data.size()), 4);
    PutLe(records, 0, 2);                         // folder
    PutLe(records, (40 << 9) | (1 << 5) | 1, 2);  // 2020-01-01
    PutLe(records, 12 << 11, 2);                  // 12:00
    PutLe(records, 0x20, 2);                      // archive
    records += name + '\0';
    data += contents;
  }
  const uint32_t filesAt = 36 + 8, dataAt = filesAt + static_cast<uint32_t>(records.size());
  std::string cab = "MSCF";
  PutLe(cab, 0, 4);
  PutLe(cab, dataAt + 8 + static_cast<uint32_t>(data.size()), 4);
  PutLe(cab, 0, 4);
  PutLe(cab, filesAt, 4);
  PutLe(cab, 0, 4);
  cab += "\x03\x01";
  PutLe(cab, 1, 2);
  PutLe(cab, static_cast<uint32_t>(files.size()), 2);
  PutLe(cab, 0, 2);  // flags
  PutLe(cab, 0, 4);  // set and number in set
  PutLe(cab, dataAt, 4);
  PutLe(cab, 1, 2);  // one block
  PutLe(cab, 0, 2);  // no compression
  cab += records;
  PutLe(cab, checksum, 4);
  PutLe(cab, static_cast<uint32_t>(data.size()), 2);
  PutLe(cab, static_cast<uint32_t>(data.size()), 2);
  return cab + data;
}

std::string MakeArj(const Files &files) {
  std::string out = ArjHeader("archive.arj", 2, "");  // the archive's own header
  for (const auto &[name, data] : files) out += ArjHeader(name, 0, data) + data;
  return out + std::string("\x60\xea\0\0", 4);
}

std::string MakeLha(const Files &files, int level) {
  std::vector<uint8_t> bytes;
  lha::WriterOptions o;
  o.method = lha::Method::Stored;
  o.level = level;
  lha::ArchiveWriter w(lha::vectorSink(bytes), o);
  for (const auto &[name, data] : files) {
    lha::NewEntry e;
    e.name = name;
    e.unixTime = 1700000000;
    e.dosTime = lha::dosTimeFromUnix(e.unixTime);
    lha::SpanSource src({reinterpret_cast<const uint8_t *>(data.data()), data.size()});
    EXPECT_EQ(w.addFile(e, src), lha::Error::None) << name;
  }
  EXPECT_EQ(w.finish(), lha::Error::None);
  return {bytes.begin(), bytes.end()};
}

std::string MakeLhaWithGarbledFirstMethod(const Files &files) {
  std::string bytes = MakeLha(files);
  if (bytes.substr(2, 5) != "-lh0-") return {};
  bytes.replace(2, 5, "\x93\x11\xfe\x02\x7f");
  return bytes;
}

}  // namespace arctest
