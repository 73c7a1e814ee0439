// lhapack: packs files into an LHA archive with our encoder, for comparisons with peer tools.
//   lhapack [-o5|-o6|-o7|-z] [-h0|-h1|-h2] archive file...
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "lha/lha.h"

int main(int argc, char **argv) {
  lha::WriterOptions opt;
  // Tuning knobs for experiments; the defaults are what the library uses.
  if (const char *v = std::getenv("LHAPACK_CHAIN")) opt.encoder.maxChain = std::atoi(v);
  if (const char *v = std::getenv("LHAPACK_PASSES")) opt.encoder.passes = std::atoi(v);
  int i = 1;
  for (; i < argc && argv[i][0] == '-'; ++i) {
    std::string a = argv[i];
    if (a == "-o5") opt.method = lha::Method::Lh5;
    else if (a == "-o6") opt.method = lha::Method::Lh6;
    else if (a == "-o7") opt.method = lha::Method::Lh7;
    else if (a == "-z") opt.method = lha::Method::Stored;
    else if (a.size() == 3 && a[1] == 'h' && a[2] >= '0' && a[2] <= '2') opt.level = a[2] - '0';
    else {
      std::fprintf(stderr, "unknown option %s\n", argv[i]);
      return 2;
    }
  }
  if (argc - i < 2) {
    std::fprintf(stderr, "usage: lhapack [-o5|-o6|-o7|-z] [-h0|-h1|-h2] archive file...\n");
    return 2;
  }
  FILE *out = std::fopen(argv[i], "wb");
  if (!out) {
    std::perror(argv[i]);
    return 1;
  }
  lha::ArchiveWriter writer(
      [out](std::span<const std::uint8_t> d) { return std::fwrite(d.data(), 1, d.size(), out) == d.size(); }, opt);
  for (++i; i < argc; ++i) {
    int fd = open(argv[i], O_RDONLY | O_CLOEXEC);
    struct stat st;
    if (fd < 0 || fstat(fd, &st) != 0) {
      std::perror(argv[i]);
      return 1;
    }
    lha::CallbackSource src([fd](std::span<std::uint8_t> b) { return static_cast<long>(read(fd, b.data(), b.size())); },
                            [fd] { return lseek(fd, 0, SEEK_SET) == 0; });
    lha::NewEntry e;
    const char *base = std::strrchr(argv[i], '/');
    e.name = base ? base + 1 : argv[i];
    e.unixTime = st.st_mtime;
    e.dosTime = lha::dosTimeFromUnix(st.st_mtime);
    lha::Error err = writer.addFile(e, src);
    close(fd);
    if (err != lha::Error::None) {
      std::fprintf(stderr, "%s: %s\n", argv[i], lha::errorText(err));
      return 1;
    }
  }
  if (writer.finish() != lha::Error::None || std::fclose(out) != 0) {
    std::fprintf(stderr, "write error\n");
    return 1;
  }
  return 0;
}
