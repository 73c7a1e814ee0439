// Damaged headers: a broken header CRC or checksum is a data error wherever the entry stands,
// the first one included (it is not taken for a self-extractor's code and skipped).
#include "lhatest.h"

namespace lhatest {
namespace {

constexpr int kHeaderCrc = 0x8016;

struct DamageCase {
  const char *maker;  // "ours" or jlha's create switches
  int level;
  size_t entries;
  size_t damaged;  // which entry's header gets a flipped time bit
};

std::string Describe(const testing::TestParamInfo<DamageCase> &info) {
  const DamageCase &c = info.param;
  std::string maker = c.maker == std::string("ours") ? "ours" : "jlha";
  return maker + "_level" + std::to_string(c.level) + "_" + std::to_string(c.entries) + "entries_damaged" +
         std::to_string(c.damaged);
}

class DamagedHeader : public LhaLibTest, public testing::WithParamInterface<DamageCase> {
 protected:
  // Makes the archive and flips a bit of the damaged entry's time field (offset 15 at every
  // level, covered by the level-2 CRC and the level-0/1 checksum).
  void MakeDamaged() {
    const DamageCase &c = GetParam();
    std::vector<std::pair<std::string, std::string>> files;
    for (size_t i = 0; i < c.entries; ++i) files.emplace_back("f" + std::to_string(i) + ".mid", Tune(3000 + i, 7));
    if (c.maker == std::string("ours")) {
      Put("a.lzh", MakeLha(files, c.level));
    } else {
      std::string names;
      for (const auto &[name, data] : files) {
        Put("src/" + name, data);
        names += " " + name;
      }
      std::string out;
      ASSERT_EQ(Sh(std::string("jlha ") + c.maker + " " + Q(L("a.lzh")) + names, &out, L("src")), 0) << out;
    }
    std::string bytes = TestWorld::ReadFile(L("a.lzh"));
    size_t at = 0;
    for (size_t i = 0; i < c.damaged; ++i) {
      const auto *p = reinterpret_cast<const uint8_t *>(bytes.data() + at);
      const size_t packed = p[7] | p[8] << 8 | p[9] << 16 | static_cast<size_t>(p[10]) << 24;
      const size_t header = c.level == 2 ? (p[0] | p[1] << 8) : p[0] + 2u;
      at += header + packed;  // level 1 counts its extended headers in the packed size
    }
    ASSERT_LT(at + 15, bytes.size());
    bytes[at + 15] ^= 0x01;
    Put("a.lzh", bytes);
  }
};

TEST_P(DamagedHeader, IsADataErrorForEveryCommand) {
  MakeDamaged();
  const DamageCase &c = GetParam();
  const std::string arc = "\"" + W("a.lzh") + "\"";
  std::string out;
  EXPECT_EQ(lib.Run("l " + arc, &out), kHeaderCrc) << out;
  EXPECT_EQ(lib.Run("x " + arc + " \"" + W("x") + "\\\""), kHeaderCrc);
  EXPECT_EQ(lib.Run("e " + arc + " \"" + W("e") + "\\\""), kHeaderCrc);
  EXPECT_EQ(lib.Run("t " + arc), kHeaderCrc);
  EXPECT_FALSE(lib.CheckArchive(W("a.lzh").c_str(), 0));
  EXPECT_FALSE(lib.CheckArchive(W("a.lzh").c_str(), 3));
  // The listing is that of an LHA archive: the entries before the damage, none after it.
  std::vector<std::string> before;
  for (size_t i = 0; i < c.damaged; ++i) before.push_back("f" + std::to_string(i) + ".mid");
  HARC h = lib.OpenArchive(nullptr, W("a.lzh").c_str(), 0);
  ASSERT_NE(h, nullptr);
  INDIVIDUALINFO r;
  std::vector<std::string> listed;
  for (int found = lib.FindFirst(h, "*", &r); found == 0; found = lib.FindNext(h, &r))
    listed.emplace_back(r.szFileName);
  EXPECT_EQ(listed, before);
  lib.CloseArchive(h);
  // Nothing of the damaged entry or after it is written.
  EXPECT_FALSE(TestWorld::Exists(L("x/f" + std::to_string(c.damaged) + ".mid")));
  if (c.damaged + 1 < c.entries) EXPECT_FALSE(TestWorld::Exists(L("x/f" + std::to_string(c.damaged + 1) + ".mid")));
}

INSTANTIATE_TEST_SUITE_P(Makers, DamagedHeader,
                         testing::Values(DamageCase{"ours", 2, 2, 0}, DamageCase{"ours", 2, 1, 0},
                                         DamageCase{"ours", 0, 2, 0}, DamageCase{"ours", 1, 2, 0},
                                         DamageCase{"ours", 2, 3, 1}, DamageCase{"ours", 0, 3, 1},
                                         DamageCase{"c2o5q", 2, 2, 0}, DamageCase{"c0o5q", 0, 2, 0},
                                         DamageCase{"c0o5q", 0, 1, 0}, DamageCase{"c2o5q", 2, 3, 1}),
                         Describe);

// A self-extractor's code in front of the first header is still skipped.
TEST_F(LhaLibTest, CodeInFrontOfTheFirstHeaderIsSkipped) {
  Put("plain.lzh", MakeLha({{"a.mid", Tune(2000, 1)}, {"b.mid", Tune(2000, 2)}}));
  const std::string archive = TestWorld::ReadFile(L("plain.lzh"));
  const std::string stub = "MZ" + std::string(3000, '\x90');
  Put("sfx.exe", stub + archive);
  EXPECT_EQ(lib.Names(W("sfx.exe")), (std::vector<std::string>{"a.mid", "b.mid"}));
  EXPECT_EQ(lib.Run("t \"" + W("sfx.exe") + "\""), 0);
}

}  // namespace
}  // namespace lhatest
