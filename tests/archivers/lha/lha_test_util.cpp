#include "lha_test_util.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>

namespace lhatest {

TempDir::TempDir() {
  const char *base = std::getenv("TMPDIR");
  std::string tmpl = std::string(base && *base ? base : "/tmp") + "/lhatest.XXXXXX";
  std::vector<char> buf(tmpl.begin(), tmpl.end());
  buf.push_back('\0');
  if (!mkdtemp(buf.data())) throw std::runtime_error("mkdtemp failed");
  path_ = buf.data();
}

TempDir::~TempDir() {
  std::error_code ec;
  fs::remove_all(path_, ec);
}

std::vector<std::uint8_t> readFile(const fs::path &p) {
  std::ifstream f(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), {}};
}

void writeFile(const fs::path &p, std::span<const std::uint8_t> data) {
  fs::create_directories(p.parent_path());
  std::ofstream f(p, std::ios::binary);
  f.write(reinterpret_cast<const char *>(data.data()), static_cast<std::streamsize>(data.size()));
}

int run(const std::string &command, std::string *out) {
  FILE *p = popen(command.c_str(), "r");
  if (!p) return -1;
  std::string text;
  char buf[4096];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) text.append(buf, n);
  int status = pclose(p);
  if (out) *out = text;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string quote(const std::string &s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

std::vector<std::uint8_t> extract(const lha::ArchiveInput &in, const lha::Entry &e, lha::Error *error) {
  std::vector<std::uint8_t> out;
  lha::ArchiveReader reader(in);
  lha::Error err = reader.extract(e, lha::vectorSink(out));
  if (error) *error = err;
  else EXPECT_EQ(err, lha::Error::None) << e.name << ": " << lha::errorText(err);
  return out;
}

std::vector<std::uint8_t> midiLike(std::size_t size, unsigned seed) {
  // Delta times, note-on/off pairs on a few channels and repeated bars, as in real songs.
  std::mt19937 rng(seed);
  std::vector<std::uint8_t> bar;
  for (int i = 0; i < 48; ++i) {
    std::uint8_t note = static_cast<std::uint8_t>(48 + rng() % 24);
    bar.insert(
        bar.end(),
        {static_cast<std::uint8_t>(rng() % 4 == 0 ? 0x60 : 0x00), static_cast<std::uint8_t>(0x90 | (i % 3)), note, 0x64,
         static_cast<std::uint8_t>(0x30 + rng() % 3), static_cast<std::uint8_t>(0x80 | (i % 3)), note, 0x40});
  }
  std::vector<std::uint8_t> out = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 3, 1, 0xE0};
  while (out.size() < size) {
    if (rng() % 5 == 0) bar[rng() % bar.size()] = static_cast<std::uint8_t>(rng());
    out.insert(out.end(), bar.begin(), bar.end());
  }
  out.resize(size);
  return out;
}

std::vector<std::uint8_t> randomBytes(std::size_t size, unsigned seed) {
  std::mt19937 rng(seed);
  std::vector<std::uint8_t> v(size);
  for (auto &b : v) b = static_cast<std::uint8_t>(rng());
  return v;
}

}  // namespace lhatest
