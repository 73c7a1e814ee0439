// Our encoder and writer, checked by our own reader: every method, header level and kind of
// data comes back byte for byte.
#include "lha_test_util.h"

namespace {

using lhatest::extract;

struct DataCase {
  const char *name;
  std::vector<std::uint8_t> data;
};

std::vector<DataCase> dataCases() {
  std::vector<std::uint8_t> text;
  for (int i = 0; i < 2000; ++i) {
    std::string line = "scene " + std::to_string(i % 49) + " = town" + std::to_string(i % 7) + ".mid\r\n";
    text.insert(text.end(), line.begin(), line.end());
  }
  return {
      {"empty", {}},
      {"one_byte", {0x42}},
      {"repetitive", std::vector<std::uint8_t>(200000, 'x')},
      {"random", lhatest::randomBytes(50000, 11)},
      {"midi", lhatest::midiLike(60000, 12)},
      {"beyond_dictionary", lhatest::midiLike(300000, 13)},
      {"text", text},
  };
}

struct Case {
  lha::Method method;
  int level;
};

class WriteRead : public ::testing::TestWithParam<std::tuple<Case, DataCase>> {};

TEST_P(WriteRead, DataComesBack) {
  auto [c, d] = GetParam();
  std::vector<std::uint8_t> archive;
  lha::WriterOptions opt;
  opt.method = c.method;
  opt.level = c.level;
  lha::ArchiveWriter w(lha::vectorSink(archive), opt);
  lha::SpanSource src(d.data);
  ASSERT_EQ(w.addFolder({.name = "music"}), lha::Error::None);
  ASSERT_EQ(w.addFile({.name = "music/data.bin"}, src), lha::Error::None);
  ASSERT_EQ(w.finish(), lha::Error::None);
  EXPECT_EQ(archive.back(), 0);

  lha::MemoryInput in(archive);
  std::vector<lha::Entry> entries;
  ASSERT_EQ(lha::listArchive(in, entries), lha::Error::None);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_TRUE(entries[0].isFolder());
  EXPECT_EQ(entries[0].name, "music");
  EXPECT_EQ(entries[1].name, "music/data.bin");
  EXPECT_EQ(entries[1].level, c.level);
  EXPECT_TRUE(extract(in, entries[1]) == d.data);
  // Data that does not shrink is stored, as LHA tools do.
  if (entries[1].method == "-lh0-") EXPECT_EQ(entries[1].packedSize, d.data.size());
  else EXPECT_LT(entries[1].packedSize, d.data.size());
}

std::string caseName(const ::testing::TestParamInfo<WriteRead::ParamType> &info) {
  auto [c, d] = info.param;
  const char *m[] = {"lh0", "lh5", "lh6", "lh7"};
  return std::string(m[static_cast<int>(c.method)]) + "_h" + std::to_string(c.level) + "_" + d.name;
}

INSTANTIATE_TEST_SUITE_P(All, WriteRead,
                         ::testing::Combine(::testing::Values(Case{lha::Method::Stored, 2}, Case{lha::Method::Lh5, 0},
                                                              Case{lha::Method::Lh5, 1}, Case{lha::Method::Lh5, 2},
                                                              Case{lha::Method::Lh6, 2}, Case{lha::Method::Lh7, 1},
                                                              Case{lha::Method::Lh7, 2}),
                                            ::testing::ValuesIn(dataCases())),
                         caseName);

struct MethodChoice {
  const char *name;
  std::vector<std::uint8_t> data;
  const char *method;
};

class StoredFallback : public ::testing::TestWithParam<MethodChoice> {};

TEST_P(StoredFallback, ChoosesWhatIsSmaller) {
  std::vector<std::uint8_t> archive;
  lha::ArchiveWriter w(lha::vectorSink(archive));
  lha::SpanSource src(GetParam().data);
  ASSERT_EQ(w.addFile({.name = "f"}, src), lha::Error::None);
  lha::MemoryInput in(archive);
  std::vector<lha::Entry> entries;
  ASSERT_EQ(lha::listArchive(in, entries), lha::Error::None);
  EXPECT_EQ(entries[0].method, GetParam().method);
}

INSTANTIATE_TEST_SUITE_P(Data, StoredFallback,
                         ::testing::Values(MethodChoice{"empty", {}, "-lh0-"},
                                           MethodChoice{"random", lhatest::randomBytes(5000, 3), "-lh0-"},
                                           MethodChoice{"tiny", {1, 2, 3}, "-lh0-"},
                                           MethodChoice{"midi", lhatest::midiLike(5000, 3), "-lh5-"}),
                         [](const auto &info) { return std::string(info.param.name); });

struct ReuseCase {
  const char *name;
  int dictBits;
};

class EncoderReuse : public ::testing::TestWithParam<ReuseCase> {};

// An encoder that keeps its tables between inputs packs each one as a fresh encoder would:
// nothing of a larger or more repetitive input before it leaks into the next.
TEST_P(EncoderReuse, PacksAsAFreshEncoder) {
  lha::EncoderParams p;
  p.dictBits = GetParam().dictBits;
  lha::LzhEncoder reused(p);
  for (const DataCase &d : dataCases()) {
    SCOPED_TRACE(d.name);
    EXPECT_TRUE(reused.encode(d.data) == lha::encodeLzh(d.data, p));
  }
}

INSTANTIATE_TEST_SUITE_P(Methods, EncoderReuse, ::testing::Values(ReuseCase{"lh5", 13}, ReuseCase{"lh7", 16}),
                         [](const auto &info) { return std::string(info.param.name); });

class ParseModes : public ::testing::TestWithParam<DataCase> {};

// The optimal parse never packs worse than the quick one, and the quick one (what passes = 0
// writes) stays close to it: a parse that loses sight of matches shows up as a gap.
TEST_P(ParseModes, QuickParseStaysCloseToOptimal) {
  lha::EncoderParams quick, optimal;
  quick.passes = 0;
  std::size_t q = lha::encodeLzh(GetParam().data, quick).size();
  std::size_t o = lha::encodeLzh(GetParam().data, optimal).size();
  EXPECT_LE(o, q);
  EXPECT_LE(q, o + o / 10);
}

INSTANTIATE_TEST_SUITE_P(Data, ParseModes,
                         ::testing::Values(DataCase{"midi", lhatest::midiLike(60000, 12)},
                                           DataCase{"beyond_dictionary", lhatest::midiLike(300000, 13)},
                                           DataCase{"repetitive", std::vector<std::uint8_t>(200000, 'x')}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(WriterErrors, RefusesNamesItCannotStore) {
  std::vector<std::uint8_t> archive;
  lha::ArchiveWriter w(lha::vectorSink(archive));
  std::vector<std::uint8_t> none;
  lha::SpanSource a(none), b(none);
  EXPECT_EQ(w.addFile({.name = ""}, a), lha::Error::InvalidArgument);
  EXPECT_EQ(w.addFile({.name = "dir/"}, b), lha::Error::InvalidArgument);
}

}  // namespace
