// The fake archiver library installed for one test: copies of it under the file names a test
// asks for, in a folder that the loader searches first, each with its own script and record.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "earchiver.h"
#include "fakelib/fakearc.h"
#include "testworld.h"

namespace archivetest {

struct Call {
  std::string function;
  const void *window;
  std::string text;
  uint32_t mode;
  uint32_t size;
  const void *handle;
};

class FakeLib {
 public:
  FakeLib(const std::string &linuxPath, bool full);
  ~FakeLib();

  const std::string &LinuxPath() const { return path_; }
  void SetResult(const std::string &suffix, int value) const;
  void SetEntries(const std::vector<std::string> &names) const;
  void SetOutput(const std::string &text) const;
  void SetProgress(int count) const;
  std::vector<Call> Calls() const;
  std::vector<std::string> Functions() const;  // the names of the calls, in order
  std::vector<int> Answers() const;
  // The text of the last call of the function; fails the test when there was none.
  Call Last(const std::string &function) const;

 private:
  std::string path_;
  void *handle_ = nullptr;
};

class FakeArchivers {
 public:
  // Installs into <world>/<folder>, which the loader then searches first.
  explicit FakeArchivers(testsupport::TestWorld &world, const std::string &folder = "archivers");
  ~FakeArchivers();

  // A copy of the fake under fileName ("libunlha32.so"); commandOnly: one that exports only
  // the command entries.
  FakeLib &Install(const std::string &fileName, bool commandOnly = false);
  FakeLib &operator[](const std::string &fileName) { return *libs_.at(fileName); }
  const std::string &Folder() const { return folder_; }  // Linux

 private:
  std::string folder_;
  std::map<std::string, std::unique_ptr<FakeLib>> libs_;
};

// Makes a folder the current one for its lifetime.
class InFolder {
 public:
  explicit InFolder(const std::string &linuxFolder);
  ~InFolder();
  InFolder(const InFolder &) = delete;
  InFolder &operator=(const InFolder &) = delete;

 private:
  std::string previous_;
};

// The message of the EArchiver that f raises, or "(no error)".
inline std::string MessageOf(const std::function<void()> &f) {
  try {
    f();
  } catch (const archives::EArchiver &e) {
    return e.what();
  }
  return "(no error)";
}

// A private world with the fake libraries installed under every library's name.
class FakeWorld : public testing::Test {
 protected:
  testsupport::TestWorld world;
  FakeArchivers fakes{world};
};

}  // namespace archivetest
