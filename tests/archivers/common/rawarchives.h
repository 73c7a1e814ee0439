// Archives with any names and contents, laid out byte by byte as each format has them: for
// names and damage that no packing tool would write.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace arctest {

// Name and contents of each entry, in order.
using Files = std::vector<std::pair<std::string, std::string>>;

// A cabinet with one uncompressed folder and one data block. A checksum of 0 means none was
// kept, as some packers write them.
std::string MakeCab(const Files &files, uint32_t checksum = 0);
// Where MakeCab puts the data block's checksum, for a cabinet whose data is dataSize bytes.
inline size_t CabChecksumAt(const std::string &cab, size_t dataSize) { return cab.size() - dataSize - 8; }

// An ARJ archive of stored entries, as an MS-DOS arj writes them.
std::string MakeArj(const Files &files);

// An LHA archive of stored entries (names in code page 932 bytes), through our codec's writer.
std::string MakeLha(const Files &files, int level = 2);
// The same with its first entry's method field overwritten by bytes no method has: what a
// damaged header looks like to a reader.
std::string MakeLhaWithGarbledFirstMethod(const Files &files);

}  // namespace arctest
