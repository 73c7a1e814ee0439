// The check of a compressed tar's stream as a whole: gzip keeps a CRC-32 and the length of
// the data at the end of each member, bzip2 a CRC of each block and of the stream. Reading
// the tar stops at its end-of-archive blocks, short of those checks, and libarchive's gzip
// reader never compares them; this reads the file to its end and does.
#pragma once

#include <string>

namespace arc {

enum class Compression { None, Gzip, Bzip2 };

// The compression the file's first bytes announce.
Compression CompressionByMagic(const std::string &linuxPath);

// Whether the file's compressed data is whole: kOk, else kErrFileCrc with why set.
int CheckCompressedStream(const std::string &linuxPath, Compression compression, std::string &why);

}  // namespace arc
