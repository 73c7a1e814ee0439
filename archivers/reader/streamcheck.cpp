#include "streamcheck.h"

#include <fcntl.h>
#include <unistd.h>
#include <zlib.h>

#include <vector>

#include "errors.h"
#include "libarchive_util.h"

namespace arc {

namespace {

// Every gzip member in turn, as gzip -t reads them; bytes after the last member that start
// no other one are left, as gzip and libarchive leave them.
int CheckGzip(const std::string &path, std::string &why) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    why = "cannot read the archive";
    return kErrFileCrc;
  }
  z_stream z{};
  if (inflateInit2(&z, 15 + 16) != Z_OK) {
    close(fd);
    why = "out of memory";
    return kErrFileCrc;
  }
  std::vector<unsigned char> in(1 << 16), out(1 << 16);
  int result = kOk;
  bool inMember = true;  // false between members
  ssize_t got = 0;
  for (;;) {
    if (z.avail_in == 0) {
      got = read(fd, in.data(), in.size());
      if (got < 0) {
        why = "cannot read the archive";
        result = kErrFileCrc;
        break;
      }
      if (got == 0) {
        if (inMember) {
          why = "the compressed data ends early";
          result = kErrFileCrc;
        }
        break;
      }
      z.next_in = in.data();
      z.avail_in = static_cast<uInt>(got);
    }
    if (!inMember) {
      // Another member only where its magic starts.
      if (z.next_in[0] != 0x1F || (z.avail_in > 1 && z.next_in[1] != 0x8B)) break;
      inflateReset(&z);
      inMember = true;
    }
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    const int r = inflate(&z, Z_NO_FLUSH);
    if (r == Z_STREAM_END) {
      inMember = false;
    } else if (r != Z_OK && r != Z_BUF_ERROR) {
      why = z.msg ? std::string("gzip: ") + z.msg : "gzip: bad data";
      result = kErrFileCrc;
      break;
    }
  }
  inflateEnd(&z);
  close(fd);
  return result;
}

// libbz2, behind libarchive's bzip2 reader, checks every block's CRC and the stream's at its
// end: reading all the data through it is the check.
int CheckBzip2(const std::string &path, std::string &why) {
  ReadArchive a(archive_read_new());
  archive_read_support_format_raw(a.get());
  archive_read_support_filter_bzip2(a.get());
  archive_entry *e = nullptr;
  if (archive_read_open_filename(a.get(), path.c_str(), 65536) != ARCHIVE_OK ||
      archive_read_next_header(a.get(), &e) != ARCHIVE_OK) {
    why = "bzip2: bad data";
    return kErrFileCrc;
  }
  std::vector<char> buffer(1 << 16);
  la_ssize_t n;
  while ((n = archive_read_data(a.get(), buffer.data(), buffer.size())) > 0) {
  }
  if (n == 0) return kOk;
  const char *error = archive_error_string(a.get());
  why = std::string("bzip2: ") + (error ? error : "bad data");
  return kErrFileCrc;
}

}  // namespace

Compression CompressionByMagic(const std::string &linuxPath) {
  const int fd = open(linuxPath.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return Compression::None;
  unsigned char magic[3] = {};
  const ssize_t n = read(fd, magic, sizeof magic);
  close(fd);
  if (n >= 2 && magic[0] == 0x1F && magic[1] == 0x8B) return Compression::Gzip;
  if (n == 3 && magic[0] == 'B' && magic[1] == 'Z' && magic[2] == 'h') return Compression::Bzip2;
  return Compression::None;
}

int CheckCompressedStream(const std::string &linuxPath, Compression compression, std::string &why) {
  switch (compression) {
    case Compression::None:
      return kOk;
    case Compression::Gzip:
      return CheckGzip(linuxPath, why);
    case Compression::Bzip2:
      return CheckBzip2(linuxPath, why);
  }
  return kOk;
}

}  // namespace arc
