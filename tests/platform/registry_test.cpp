#include "core/registry.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>

#include "fakeprefix.h"
#include "inchild.h"
#include "testworld.h"

using namespace platform;

namespace {
const char *kSample =
    "WINE REGISTRY Version 2\n"
    ";; All keys relative to \\\\Machine\n"
    "\n"
    "#arch=win32\n"
    "\n"
    "[Software\\\\Maker\\\\Product\\\\1.0] 1700000000\n"
    "#time=1da0f5c7e6b2a10\n"
    "\"ExePath\"=\"C:\\\\Games\\\\client.exe\"\n"
    "\"Quoted\"=\"say \\\"hi\\\"\"\n"
    "\"Japanese\"=\"\\x6a19\\x6e96\"\n"
    "\"Utf8\"=\"é\"\n"
    "\"Tabs\"=\"a\\tb\\nc\"\n"
    "\"Expand\"=str(2):\"%SystemRoot%\\\\x\"\n"
    "\"Count\"=dword:0000002a\n"
    "\"Bin\"=hex:01,02,\\\n"
    "  03,04\n"
    "\"HexString\"=hex(2):41,00,42,00,00,00\n"
    "@=\"default value\"\n"
    "\"Broken\"=dword:zz\n"
    "\n"
    "[Software\\\\\\x30bd\\x8868] 1700000000\n"
    "\"x\"=\"y\"\n";
}

TEST(Registry, ReadsEveryValueForm) {
  const Registry reg = Registry::Parse(kSample);
  const std::pair<const char *, const char *> strings[] = {
      {"ExePath", "C:\\Games\\client.exe"},
      {"exepath", "C:\\Games\\client.exe"},
      {"Quoted", "say \"hi\""},
      {"Japanese", "標準"},
      {"Utf8", "é"},
      {"Tabs", "a\tb\nc"},
      {"Expand", "%SystemRoot%\\x"},
      {"HexString", "AB"},
      {"", "default value"},
  };
  for (const auto &[name, value] : strings)
    EXPECT_EQ(reg.ReadString("\\SOFTWARE\\maker\\PRODUCT\\1.0", name).value_or("<none>"), value) << name;
  auto count = reg.ReadValue("Software\\Maker\\Product\\1.0", "Count");
  ASSERT_TRUE(count);
  EXPECT_EQ(count->type, RegType::Dword);
  EXPECT_EQ(count->data, (std::vector<uint8_t>{42, 0, 0, 0}));
  EXPECT_EQ(reg.ReadValue("Software\\Maker\\Product\\1.0", "Bin")->data, (std::vector<uint8_t>{1, 2, 3, 4}));
  EXPECT_FALSE(reg.ReadString("Software\\Maker\\Product\\1.0", "Count"));  // not a string
  EXPECT_FALSE(reg.ReadValue("Software\\Maker\\Product\\1.0", "Broken"));
  EXPECT_FALSE(reg.ReadValue("Software\\Maker\\Product\\1.0", "Missing"));
  EXPECT_EQ(reg.ReadString("Software\\ソ表", "x"), "y");
  EXPECT_FALSE(reg.Is64Bit());
}

TEST(Registry, WithoutTheHeaderThereIsNothing) {
  const Registry reg = Registry::Parse(std::string(kSample).substr(24));
  EXPECT_FALSE(reg.KeyExists("Software\\Maker\\Product\\1.0"));
}

TEST(Registry, ThirtyTwoBitViewPrefersWow6432NodeInA64BitPrefix) {
  struct Case {
    bool win64, first;
    const char *expect;
  } cases[] = {
      {false, true, "SOFTWARE\\Origin Worlds Online\\Ultima Online\\1.0"},
      {true, true, "Software\\Wow6432Node\\Origin Worlds Online\\Ultima Online\\1.0"},
      {true, false, nullptr},
  };
  for (const auto &c : cases) {
    testsupport::FakePrefixOptions o;
    o.win64 = c.win64;
    o.firstClient = c.first;
    const Registry reg = Registry::Parse(testsupport::SystemRegText(o));
    EXPECT_EQ(reg.Is64Bit(), c.win64);
    auto key = reg.OpenKey32("\\SOFTWARE\\Origin Worlds Online\\Ultima Online\\1.0");
    EXPECT_EQ(key.has_value(), c.expect != nullptr);
    if (key && c.expect) {
      EXPECT_EQ(*key, c.expect);
      EXPECT_EQ(reg.ReadString(*key, "ExePath"), "C:\\Program Files\\Ultima Online\\client.exe");
    }
  }
  // A 64-bit prefix whose key lives only outside Wow6432Node still answers.
  const Registry plain =
      Registry::Parse(std::string("WINE REGISTRY Version 2\n#arch=win64\n") + "[Software\\\\A\\\\B] 1\n\"v\"=\"1\"\n");
  EXPECT_EQ(plain.OpenKey32("\\SOFTWARE\\A\\B"), "SOFTWARE\\A\\B");

  // Values: the Wow6432Node key first, the plain key for what it lacks.
  const Registry both = Registry::Parse(std::string("WINE REGISTRY Version 2\n#arch=win64\n") +
                                        "[Software\\\\Wow6432Node\\\\A\\\\B] 1\n\"v\"=\"wow\"\n" +
                                        "[Software\\\\A\\\\B] 1\n\"v\"=\"plain\"\n\"w\"=\"only plain\"\n");
  EXPECT_EQ(both.ReadString32("\\SOFTWARE\\A\\B", "v"), "wow");
  EXPECT_EQ(both.ReadString32("\\SOFTWARE\\A\\B", "w"), "only plain");
  EXPECT_EQ(both.ReadString32("\\SOFTWARE\\A\\B", "x"), std::nullopt);
}

TEST(Registry, ASystemRegThatIsNoFileReadsAsMissing) {
  testsupport::TestWorld world;
  const std::string prefix = world.Linux("prefix");
  testsupport::TestWorld::MakeDirs(prefix);
  ASSERT_EQ(mkfifo((prefix + "/system.reg").c_str(), 0644), 0);  // no writer will ever come
  const int result =
      platformtest::RunInChild([&] { return Registry::LoadSystemReg(prefix).KeyExists("Software") ? 1 : 0; });
  EXPECT_EQ(result, 0) << (result == platformtest::kHung ? "hung on the FIFO" : "");
  std::remove((prefix + "/system.reg").c_str());
  testsupport::TestWorld::MakeDirs(prefix + "/system.reg");  // a folder of that name
  EXPECT_FALSE(Registry::LoadSystemReg(prefix).KeyExists("Software"));
}
