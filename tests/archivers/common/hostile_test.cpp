// Hostile archives of every format the libraries unpack themselves: nothing may be written
// outside the destination folder, no link is made, and a damaged entry leaves no file.
// Each format's archive is written byte by byte here or by Python's own zipfile and tarfile.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "rawarchives.h"
#include "requirements.h"
#include "worldtest.h"

namespace {

namespace fs = std::filesystem;
using arctest::Files;
using arctest::Q;
using arctest::Sh;
using testsupport::TestWorld;

struct Entry {
  enum Kind { File, SymLink, HardLink, Fifo } kind = File;
  std::string name;
  std::string data;  // a link's target
};
using Entries = std::vector<Entry>;

// One format: its library, its extraction line, and how its hostile archives are made.
class Format {
 public:
  // The extraction line is before + archive + between + folder + "\".
  Format(const char *library, const char *prefix, const char *before, const char *between)
      : library(library), prefix(prefix), before_(before), between_(between) {}
  virtual ~Format() = default;
  const char *const library;  // "libunlha32.so"
  const char *const prefix;   // its functions' prefix
  std::string Line(const std::string &archive, const std::string &folder) const {
    return before_ + archive + between_ + folder + "\\\"  ";
  }
  // Writes entries to linuxPath. "" or why the format cannot hold them (the case is skipped).
  virtual std::string Write(const Entries &entries, const std::string &linuxPath) const = 0;
  // Spoils the stored data of payload in an archive that Write made.
  virtual void Damage(std::string &archive, const std::string &payload) const {
    archive[archive.find(payload) + payload.size() / 2] ^= 0x55;
  }
  // Whether CheckArchive's quick check passes a damaged archive (it reads the headers only).
  virtual bool HeadersSurviveDamage() const { return true; }

 private:
  std::string before_, between_;
};

// Formats of plain files only, written by one of rawarchives.h. (Links stored in LHA
// archives: lhasa's samples in the LHA library's tests.)
class FilesOnly : public Format {
 public:
  using Maker = std::string (*)(const Files &);
  FilesOnly(const char *library, const char *prefix, const char *before, const char *between, Maker make)
      : Format(library, prefix, before, between), make_(make) {}
  std::string Write(const Entries &entries, const std::string &linuxPath) const override {
    Files files;
    for (const auto &e : entries) {
      if (e.kind != Entry::File) return "the format stores no links, pipes or devices";
      files.emplace_back(e.name, e.data);
    }
    TestWorld::WriteFile(linuxPath, make_(files));
    return "";
  }

 private:
  Maker make_;
};

std::string MakeLha(const Files &files) { return arctest::MakeLha(files); }
std::string MakeCab(const Files &files) { return arctest::MakeCab(files); }

class Cab : public FilesOnly {
 public:
  Cab() : FilesOnly("libcab32.so", "Cab", "-x -o  \"", "\" \"", MakeCab) {}
  // The data block's checksum no longer holds.
  void Damage(std::string &archive, const std::string &payload) const override {
    archive[arctest::CabChecksumAt(archive, payload.size())] ^= 0x55;
  }
};

// Python's writers: entries go to the script one per line, kind, name and data between tabs;
// the script exits with 3 for an entry its format cannot hold.
class Python : public Format {
 public:
  Python(const char *library, const char *prefix, const char *before, const char *between, const char *script)
      : Format(library, prefix, before, between), script_(script) {}
  std::string Write(const Entries &entries, const std::string &linuxPath) const override {
    if (std::string why = testsupport::MissingTools({"python3"}); !why.empty()) return why;
    std::string list;
    for (const auto &e : entries) list += std::to_string(e.kind) + "\t" + e.name + "\t" + e.data + "\n";
    TestWorld::WriteFile(linuxPath + ".list", list);
    TestWorld::WriteFile(linuxPath + ".py", script_);
    std::string out;
    const int status = Sh("python3 " + Q(linuxPath + ".py") + " " + Q(linuxPath) + " " + Q(linuxPath + ".list"), &out);
    unlink((linuxPath + ".py").c_str());
    unlink((linuxPath + ".list").c_str());
    if (status == 3) return "the format stores no such entry";
    EXPECT_EQ(status, 0) << out;
    return "";
  }

 private:
  const char *script_;
};

const char kZipScript[] =
    "import zipfile,sys\n"
    "z=zipfile.ZipFile(sys.argv[1],'w')\n"
    "for line in open(sys.argv[2],encoding='utf-8').read().splitlines():\n"
    "  kind,name,data=line.split('\\t')\n"
    "  if kind=='0': z.writestr(name,data)\n"
    "  elif kind=='1':\n"
    "    i=zipfile.ZipInfo(name); i.external_attr=(0o120777<<16); z.writestr(i,data)\n"
    "  else: sys.exit(3)\n";

const char kTarScript[] =
    "import tarfile,io,sys\n"
    "t=tarfile.open(sys.argv[1],'w',format=tarfile.PAX_FORMAT)\n"
    "types=[tarfile.REGTYPE,tarfile.SYMTYPE,tarfile.LNKTYPE,tarfile.FIFOTYPE]\n"
    "for line in open(sys.argv[2],encoding='utf-8').read().splitlines():\n"
    "  kind,name,data=line.split('\\t')\n"
    "  i=tarfile.TarInfo(name); i.type=types[int(kind)]\n"
    "  if i.isreg():\n"
    "    b=data.encode(); i.size=len(b); t.addfile(i,io.BytesIO(b))\n"
    "  else:\n"
    "    i.linkname=data; t.addfile(i)\n";

class Tar : public Python {
 public:
  Tar() : Python("libtar32.so", "Tar", "x -AH --display-dialog=0 --use-directory=1  -f \"", "\" -o \"", kTarScript) {}
  // tar keeps no checksum of the data: the archive ends inside it instead.
  void Damage(std::string &archive, const std::string &payload) const override {
    archive.resize(archive.find(payload) + payload.size() / 2);
  }
  bool HeadersSurviveDamage() const override { return false; }
};

struct Named {
  const char *label;
  std::shared_ptr<const Format> format;
};

// The lines are the drivers' for the main window's options.
const Named kFormats[] = {
    {"lha", std::make_shared<FilesOnly>("libunlha32.so", "Unlha", "x -x1 \"", "\" \"", MakeLha)},
    {"arj", std::make_shared<FilesOnly>("libunarj32j.so", "Unarj", "x -+ -a2 -n1 -r2 -x1 -jm4  \"", "\" \"",
                                        arctest::MakeArj)},
    {"cab", std::make_shared<Cab>()},
    {"zip", std::make_shared<Python>("libunzip32.so", "UnZip", "-x -o --i  \"", "\" \"", kZipScript)},
    {"tar", std::make_shared<Tar>()},
};

// Every regular file and link below folder, relative to it, sorted.
std::vector<std::string> Below(const std::string &folder) {
  std::vector<std::string> out;
  for (const auto &e : fs::recursive_directory_iterator(folder)) {
    EXPECT_FALSE(e.is_symlink()) << e.path();
    if (e.is_regular_file() || e.is_symlink()) out.push_back(fs::relative(e.path(), folder).string());
  }
  std::sort(out.begin(), out.end());
  return out;
}

// The world: box/ holds the archive, the destination box/dest/ and box/outside/, which
// nothing may reach.
class HostileTest : public arctest::WorldTest {
 protected:
  void Prepare(const Format &format) {
    lib = std::make_unique<arctest::ArcLib>(format.library, format.prefix);
    TestWorld::MakeDirs(L("box/dest"));
    TestWorld::MakeDirs(L("box/outside"));
  }
  int Extract(const Format &format) {
    std::string out;
    const int result = lib->Run(format.Line(W("box/evil"), W("box/dest")), &out);
    SCOPED_TRACE(out);
    EXPECT_TRUE(fs::is_empty(L("box/outside")));
    // Nothing beside the destination but the archive and the folder outside.
    std::vector<std::string> beside;
    for (const auto &e : fs::directory_iterator(L("box"))) beside.push_back(e.path().filename().string());
    std::sort(beside.begin(), beside.end());
    EXPECT_EQ(beside, (std::vector<std::string>{"dest", "evil", "outside"}));
    return result;
  }

  std::unique_ptr<arctest::ArcLib> lib;
};

struct NameCase {
  const char *label;
  Entries entries;  // followed by "fine.txt"
  int result;
  std::vector<std::string> landed;  // below the destination besides "fine.txt"
};

const NameCase kNameCases[] = {
    {"dotdot", {{Entry::File, "../x", "payload"}}, 0x802B, {}},
    {"deepdotdot", {{Entry::File, "a/../../x", "payload"}}, 0x802B, {}},
    {"backslashdotdot", {{Entry::File, "a\\..\\..\\x", "payload"}}, 0x802B, {}},
    {"absolute", {{Entry::File, "/x_melodeck_hostile", "payload"}}, 0, {"x_melodeck_hostile"}},
    {"drive", {{Entry::File, "C:\\x", "payload"}}, 0, {"x"}},
    {"drivefolder", {{Entry::File, "C:/sub/x", "payload"}}, 0, {"sub/x"}},
    {"unc", {{Entry::File, "\\\\server\\x", "payload"}}, 0, {"server/x"}},
    // A link to the folder outside, then a file written through it: the link is not made, so
    // the file lands in a real folder of that name.
    {"symlink",
     {{Entry::SymLink, "link", "../outside"}, {Entry::File, "link/escape.txt", "through the link"}},
     0,
     {"link/escape.txt"}},
    {"hardlink", {{Entry::HardLink, "hard", "../outside/h"}}, 0, {}},
    {"fifo", {{Entry::Fifo, "fifo", ""}}, 0, {}},
};

class HostileNameTest : public HostileTest, public testing::WithParamInterface<std::tuple<Named, NameCase>> {};

TEST_P(HostileNameTest, StaysInsideTheDestination) {
  const auto &[named, c] = GetParam();
  Prepare(*named.format);
  Entries entries = c.entries;
  entries.push_back({Entry::File, "fine.txt", "fine"});
  if (const std::string why = named.format->Write(entries, L("box/evil")); !why.empty()) GTEST_SKIP() << why;
  EXPECT_EQ(Extract(*named.format), c.result);
  std::vector<std::string> expected = c.landed;
  expected.push_back("fine.txt");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(Below(L("box/dest")), expected);
  EXPECT_FALSE(fs::exists("/x_melodeck_hostile"));
}

INSTANTIATE_TEST_SUITE_P(Formats, HostileNameTest,
                         testing::Combine(testing::ValuesIn(kFormats), testing::ValuesIn(kNameCases)),
                         [](const auto &info) {
                           return std::string(std::get<0>(info.param).label) + "_" + std::get<1>(info.param).label;
                         });

class HostileFormatTest : public HostileTest, public testing::WithParamInterface<Named> {};

// A folder link already on the disk (or made by an earlier archive) is never followed.
TEST_P(HostileFormatTest, ALinkInTheDestinationIsNotFollowed) {
  const Format &format = *GetParam().format;
  Prepare(format);
  ASSERT_EQ(symlink(L("box/outside").c_str(), L("box/dest/music").c_str()), 0);
  if (const std::string why = format.Write({{Entry::File, "music/town.mid", "tune"}}, L("box/evil")); !why.empty())
    GTEST_SKIP() << why;
  EXPECT_EQ(Extract(format), 0x8012);
}

// A damaged entry leaves no file under its name, nor a temporary one, and an older file of
// that name survives. Only the full check finds the damage.
TEST_P(HostileFormatTest, ACrcFailureLeavesNoPartialFile) {
  const Format &format = *GetParam().format;
  Prepare(format);
  std::string payload;
  for (int i = 0; i < 5000; ++i) payload += static_cast<char>('a' + i * 7 % 26);
  if (const std::string why = format.Write({{Entry::File, "town.mid", payload}}, L("box/evil")); !why.empty())
    GTEST_SKIP() << why;
  std::string bytes = TestWorld::ReadFile(L("box/evil"));
  format.Damage(bytes, payload);
  TestWorld::WriteFile(L("box/evil"), bytes);
  TestWorld::WriteFile(L("box/dest/town.mid"), "older");
  EXPECT_EQ(Extract(format), 0x800C);
  EXPECT_EQ(TestWorld::ReadFile(L("box/dest/town.mid")), "older");
  EXPECT_EQ(Below(L("box/dest")), std::vector<std::string>{"town.mid"});
  EXPECT_EQ(lib->CheckArchive(W("box/evil").c_str(), 0) != 0, format.HeadersSurviveDamage());
  EXPECT_FALSE(lib->CheckArchive(W("box/evil").c_str(), 3));
}

INSTANTIATE_TEST_SUITE_P(Formats, HostileFormatTest, testing::ValuesIn(kFormats),
                         [](const auto &info) { return std::string(info.param.label); });

}  // namespace
