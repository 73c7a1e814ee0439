// The extraction loop every library shares, over a reader of made-up entries: which entries
// are written where, the overwrite rule, failures and the owner window's stop.
#include "extraction.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "errors.h"
#include "testworld.h"

namespace {

namespace fs = std::filesystem;
using testsupport::TestWorld;

struct FakeEntry {
  std::string name;
  std::string data;  // nothing for a folder
  bool folder = false;
  int failure = arc::kOk;  // the data breaks half way with this result
  int64_t mtime = 1600000000;
};

class FakeReader : public arc::EntryReader {
 public:
  explicit FakeReader(std::vector<FakeEntry> entries) : entries_(std::move(entries)) {}
  int Next(arc::EntryHeader &header, bool &atEnd) override {
    if (next_ == entries_.size()) {
      atEnd = true;
      return arc::kOk;
    }
    const FakeEntry &e = entries_[next_++];
    header.facts.name = e.name;
    header.facts.isFolder = e.folder;
    header.facts.mtime = header.mtime = e.mtime;
    header.kind = e.folder ? arc::EntryHeader::Kind::Folder : arc::EntryHeader::Kind::File;
    return arc::kOk;
  }
  int Unpack(arc::EntryData &data, std::string &why) override {
    const FakeEntry &e = entries_[next_ - 1];
    const auto *bytes = reinterpret_cast<const uint8_t *>(e.data.data());
    const size_t half = e.data.size() / 2;
    if (!data.Write({bytes, half})) return arc::kErrCannotWrite;
    if (e.failure != arc::kOk) {
      why = "broken";
      return e.failure;
    }
    return data.Write({bytes + half, e.data.size() - half}) ? arc::kOk : arc::kErrCannotWrite;
  }
  size_t Asked() const { return next_; }

 private:
  std::vector<FakeEntry> entries_;
  size_t next_ = 0;
};

// Every file below folder: relative path → contents.
std::map<std::string, std::string> Files(const std::string &folder) {
  std::map<std::string, std::string> out;
  if (!fs::exists(folder)) return out;
  for (const auto &e : fs::recursive_directory_iterator(folder))
    if (e.is_regular_file()) out[fs::relative(e.path(), folder).string()] = TestWorld::ReadFile(e.path().string());
  return out;
}

const std::vector<FakeEntry> kEntries = {
    {"d", "", true}, {"d/a.mid", "alpha"}, {"b.mid", "bravo"}, {"../c.mid", "charlie"}};

struct Case {
  const char *label;
  void (*adjust)(arc::ExtractRequest &);
  int result;
  std::map<std::string, std::string> files;
};

class ExtractionTest : public testing::TestWithParam<Case> {};

TEST_P(ExtractionTest, WritesWhatTheRequestChooses) {
  TestWorld world;
  arc::ExtractRequest request;
  request.folder = "Z:" + world.Linux("dest");
  GetParam().adjust(request);
  FakeReader reader(kEntries);
  arc::Output none(nullptr, 0);
  EXPECT_EQ(arc::ExtractEntries(reader, request, nullptr, none), GetParam().result);
  EXPECT_EQ(Files(world.Linux("dest")), GetParam().files);
  EXPECT_FALSE(fs::exists(world.Linux("c.mid")));
}

INSTANTIATE_TEST_SUITE_P(
    Requests, ExtractionTest,
    testing::Values(
        Case{"all", [](arc::ExtractRequest &) {}, arc::kErrNotFilename, {{"d/a.mid", "alpha"}, {"b.mid", "bravo"}}},
        Case{"flat",
             [](arc::ExtractRequest &r) { r.keepFolders = false; },
             arc::kErrNotFilename,
             {{"a.mid", "alpha"}, {"b.mid", "bravo"}}},
        Case{"chosen", [](arc::ExtractRequest &r) { r.files = {"d"}; }, arc::kOk, {{"d/a.mid", "alpha"}}},
        Case{"excluded", [](arc::ExtractRequest &r) { r.exclusions.Add("*.mid"); }, arc::kOk, {}},
        Case{"test", [](arc::ExtractRequest &r) { r.testOnly = true; }, arc::kErrNotFilename, {}}),
    [](const auto &info) { return std::string(info.param.label); });

TEST(Extraction, OverwriteRules) {
  const struct {
    arc::Overwrite rule;
    int64_t existing;  // the file on the disk's time; the entry's is 1600000000
    const char *expected;
  } cases[] = {
      {arc::Overwrite::Always, 1700000000, "bravo"},      {arc::Overwrite::Never, 1500000000, "old"},
      {arc::Overwrite::UnlessNewer, 1700000000, "old"},   {arc::Overwrite::UnlessNewer, 1600000000, "old"},
      {arc::Overwrite::UnlessNewer, 1500000000, "bravo"},
  };
  for (const auto &c : cases) {
    TestWorld world;
    TestWorld::MakeDirs(world.Linux("dest"));
    TestWorld::WriteFile(world.Linux("dest/b.mid"), "old");
    fs::last_write_time(world.Linux("dest/b.mid"),
                        fs::file_time_type::clock::from_sys(std::chrono::system_clock::from_time_t(c.existing)));
    arc::ExtractRequest request;
    request.folder = "Z:" + world.Linux("dest");
    request.overwrite = c.rule;
    FakeReader reader(std::vector<FakeEntry>{{"b.mid", "bravo"}});
    arc::Output none(nullptr, 0);
    EXPECT_EQ(arc::ExtractEntries(reader, request, nullptr, none), arc::kOk);
    EXPECT_EQ(TestWorld::ReadFile(world.Linux("dest/b.mid")), c.expected)
        << static_cast<int>(c.rule) << " " << c.existing;
  }
}

// The first failure is the one reported: one met while opening, then the entries' own. A
// broken entry leaves nothing, and the entries after it are still written.
TEST(Extraction, FailuresKeepTheFirstAndGoOn) {
  TestWorld world;
  arc::ExtractRequest request;
  request.folder = "Z:" + world.Linux("dest");
  arc::Output none(nullptr, 0);
  FakeReader broken(
      std::vector<FakeEntry>{{"a.mid", "alpha", false, arc::kErrFileCrc}, {"../x", "x"}, {"b.mid", "bravo"}});
  EXPECT_EQ(arc::ExtractEntries(broken, request, nullptr, none), arc::kErrFileCrc);
  EXPECT_EQ(Files(world.Linux("dest")), (std::map<std::string, std::string>{{"b.mid", "bravo"}}));
  FakeReader found(std::vector<FakeEntry>{{"../x", "x"}});
  EXPECT_EQ(arc::ExtractEntries(found, request, nullptr, none, arc::kErrHeaderBroken), arc::kErrHeaderBroken);
}

// The owner window stops the command at any message: nothing more is read or written, and
// the file being written is not kept.
TEST(Extraction, TheOwnerWindowStopsIt) {
  for (const unsigned stopAt : {ARC_ARCEXTRACT_BEGIN, ARC_ARCEXTRACT_INPROCESS, ARC_ARCEXTRACT_END}) {
    TestWorld world;
    arc::ExtractRequest request;
    request.folder = "Z:" + world.Linux("dest");
    ArcMessageSink window{[](void *stop, unsigned, uintptr_t state, void *) {
                            return static_cast<int>(state == *static_cast<unsigned *>(stop));
                          },
                          nullptr, const_cast<unsigned *>(&stopAt)};
    FakeReader reader(std::vector<FakeEntry>{{"a.mid", "alpha"}, {"b.mid", "bravo"}});
    arc::Output none(nullptr, 0);
    EXPECT_EQ(arc::ExtractEntries(reader, request, &window, none), arc::kErrUserCancel) << stopAt;
    EXPECT_EQ(reader.Asked(), 1u) << stopAt;
    const auto written = Files(world.Linux("dest"));
    EXPECT_EQ(written.size(), stopAt == ARC_ARCEXTRACT_END ? 1u : 0u) << stopAt;
  }
}

// A reader whose data is checked only later, as a compressed stream's checksum is: files wait
// under temporary names until a Next has read past the check, and go when a Next fails.
class LateCheckReader : public FakeReader {
 public:
  // checkedAt: the Next calls (counted from 1) after which all read so far is checked;
  // failAt: the Next call that fails, 0 for none.
  LateCheckReader(std::vector<FakeEntry> entries, std::vector<size_t> checkedAt, size_t failAt)
      : FakeReader(std::move(entries)), checkedAt_(std::move(checkedAt)), failAt_(failAt) {}
  int Next(arc::EntryHeader &header, bool &atEnd) override {
    ++calls_;
    checked_ = false;
    if (calls_ == failAt_) return arc::kErrFileCrc;
    checked_ = std::find(checkedAt_.begin(), checkedAt_.end(), calls_) != checkedAt_.end();
    return FakeReader::Next(header, atEnd);
  }
  bool ChecksLater() const override { return true; }
  bool Checked() const override { return checked_; }

 private:
  std::vector<size_t> checkedAt_;
  size_t failAt_;
  size_t calls_ = 0;
  bool checked_ = false;
};

TEST(Extraction, HoldsFilesUntilTheirDataIsChecked) {
  const std::vector<FakeEntry> entries = {{"a.mid", "alpha"}, {"d/b.mid", "bravo"}, {"c.mid", "charlie"}};
  const struct {
    const char *label;
    std::vector<size_t> checkedAt;
    size_t failAt;
    int result;
    std::map<std::string, std::string> files;
  } cases[] = {
      {"checked at the end", {4}, 0, arc::kOk, {{"a.mid", "alpha"}, {"d/b.mid", "bravo"}, {"c.mid", "charlie"}}},
      {"the end fails its check", {}, 4, arc::kErrFileCrc, {}},
      {"checked past the first", {2}, 3, arc::kErrFileCrc, {{"a.mid", "alpha"}}},
      {"checked past every one",
       {1, 2, 3, 4},
       0,
       arc::kOk,
       {{"a.mid", "alpha"}, {"d/b.mid", "bravo"}, {"c.mid", "charlie"}}},
  };
  for (const auto &c : cases) {
    TestWorld world;
    arc::ExtractRequest request;
    request.folder = "Z:" + world.Linux("dest");
    LateCheckReader reader(entries, c.checkedAt, c.failAt);
    arc::Output none(nullptr, 0);
    EXPECT_EQ(arc::ExtractEntries(reader, request, nullptr, none), c.result) << c.label;
    EXPECT_EQ(Files(world.Linux("dest")), c.files) << c.label;  // no temporary file either
  }
}

}  // namespace
