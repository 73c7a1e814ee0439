// Helpers shared by the LHA codec tests: temporary folders, running peer tools, whole files.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "lha/lha.h"

namespace lhatest {

namespace fs = std::filesystem;

// A fresh folder below the test's temporary folder, removed at the end of the test.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  const fs::path &path() const { return path_; }

 private:
  fs::path path_;
};

std::vector<std::uint8_t> readFile(const fs::path &p);
void writeFile(const fs::path &p, std::span<const std::uint8_t> data);

// Runs a shell command; returns its exit status and puts its standard output in out.
int run(const std::string &command, std::string *out = nullptr);
std::string quote(const std::string &s);

// Unpacks one entry with our reader; fails the test on error.
std::vector<std::uint8_t> extract(const lha::ArchiveInput &in, const lha::Entry &e, lha::Error *error = nullptr);

// Test data of the kinds the program packs.
std::vector<std::uint8_t> midiLike(std::size_t size, unsigned seed);
std::vector<std::uint8_t> randomBytes(std::size_t size, unsigned seed);

}  // namespace lhatest
