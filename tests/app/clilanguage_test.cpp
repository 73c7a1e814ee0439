// The command line in the user's language: English under any locale but a Japanese one, whose
// lines keep the shape scripts read; Japanese under a Japanese locale or when the settings ask
// for it. Names stored in the settings never change with the language.
#include <gtest/gtest.h>

#include <cstdio>

#include "cli.h"
#include "core/text.h"
#include "fakeprefix.h"
#include "programrun.h"

using testsupport::TestWorld;

namespace {

// A world with both clients, the program in prog/ and a configuration with one tune.
struct LanguageWorld {
  LanguageWorld() {
    testsupport::FakePrefixOptions o;
    o.thirdDawn = true;
    world.MakePrefix(o);
    program = PlaceProgram(world.Linux("prog"));
    TestWorld::MakeDirs(world.Linux("tunes"));
    TestWorld::WriteFile(world.Linux("tunes/town.mid"), "MThd town");
    Settings("[Town]\napproach.mid=Z:" + world.Linux("tunes/town.mid") + "\n");
  }
  void Settings(const std::string &text, const std::string &folder = "prog") {
    TestWorld::WriteFile(world.Linux(folder + "/melodeck.ini"), text);
  }
  ProgramRun Run(const std::string &locale, const std::vector<std::string> &args) {
    return RunProgram(world, program, args, {locale});
  }

  TestWorld world;
  std::string program;
};

bool Has(const std::string &text, const std::string &part) { return text.find(part) != std::string::npos; }

}  // namespace

TEST(CommandLineLanguage, EachLocaleGetsItsOwnWords) {
  const struct Case {
    const char *what;
    std::string locale;
    std::vector<std::string> args;
    bool noSettings;
    int status;
    std::vector<std::string> outHas, errHas;
    bool emptyPrefix = false;  // a Wine prefix without the game
  } cases[] = {
      {"help, English",
       kEnglish,
       {"--help"},
       false,
       ecOK,
       {"Usage: ", "Melodeck: the game's background music, by configuration.\n",
        "--list               The configurations, one a line;", "Exit status: 0 done"},
       {}},
      {"help, Japanese",
       kJapanese,
       {"--help"},
       false,
       ecOK,
       {"使い方: ", "Melodeck: ゲームの BGM を設定ごとに入れ替えます.\n",
        "--list               設定を 1 行に 1 つ表示します.", "終了ステータス: 0 完了", "--apply <NAME>"},
       {}},
      {"unknown option, English",
       kEnglish,
       {"--frobnicate"},
       false,
       ecError,
       {},
       {"melodeck: Unknown option 'frobnicate'."}},
      {"unknown option, Japanese",
       kJapanese,
       {"--frobnicate"},
       false,
       ecError,
       {},
       {"'frobnicate' は未知のオプションです"}},
      {"two commands, English",
       kEnglish,
       {"--list", "--apply", "Town"},
       false,
       ecError,
       {},
       {"melodeck: give one of --list"}},
      {"two commands, Japanese",
       kJapanese,
       {"--list", "--apply", "Town"},
       false,
       ecError,
       {},
       {"のどれか 1 つを指定してください"}},
      {"list without settings, English",
       kEnglish,
       {"--list"},
       true,
       ecNotSetUp,
       {},
       {"melodeck: there are no settings yet (", "start Melodeck's window once"}},
      {"list without settings, Japanese",
       kJapanese,
       {"--list"},
       true,
       ecNotSetUp,
       {},
       {"melodeck: まだ設定がありません (", "一度 Melodeck のウインドウを起動して"}},
      {"unknown configuration, English",
       kEnglish,
       {"--apply", "Nowhere"},
       false,
       ecUnknownConfig,
       {},
       {"melodeck: there is no configuration \"Nowhere\" (melodeck --list shows them)"}},
      {"unknown configuration, Japanese",
       kJapanese,
       {"--apply", "Nowhere"},
       false,
       ecUnknownConfig,
       {},
       {"melodeck: 設定「Nowhere」はありません (melodeck --list で一覧を表示します)"}},
      {"dry run, English",
       kEnglish,
       {"--apply", "Town", "--dry-run"},
       false,
       ecOK,
       {"change   approach.mid first: ", "same     britain1.mid third-dawn: ",
        "Town: 2 would change, 96 unchanged, 0 missing; nothing was written\n"},
       {}},
      {"dry run, Japanese",
       kJapanese,
       {"--apply", "Town", "--dry-run"},
       false,
       ecOK,
       {"変更       approach.mid first: ", "同じ       britain1.mid third-dawn: ",
        "Town: 変更 2, 変更なし 96, 見つからない 0. 何も書き込んでいません\n"},
       {}},
      {"apply, English",
       kEnglish,
       {"--apply", "Town"},
       false,
       ecOK,
       {"copied   approach.mid first: ", "Town: 98 copied, 0 failed, 0 missing\n"},
       {}},
      {"apply, Japanese",
       kJapanese,
       {"--apply", "Town"},
       false,
       ecOK,
       {"コピー      approach.mid first: ", "Town: コピー 98, 失敗 0, 見つからない 0\n"},
       {}},
      {"no locale at all: English",
       "LANG=",
       {"--apply", "Nowhere"},
       false,
       ecUnknownConfig,
       {},
       {"there is no configuration"}},
      {"no client, English",
       kEnglish,
       {"--list"},
       false,
       ecError,
       {},
       {"melodeck: the client was not found: Wine prefix ", "ExePath of HKEY_LOCAL_MACHINE"},
       true},
      {"no client, Japanese",
       kJapanese,
       {"--list"},
       false,
       ecError,
       {},
       {"melodeck: クライアントが見つかりません: Wine プレフィックス ", "の値 ExePath がありません"},
       true},
      {"the messages' locale decides",
       "LC_MESSAGES=ja_JP.UTF-8",
       {"--apply", "Nowhere"},
       false,
       ecUnknownConfig,
       {},
       {"設定「Nowhere」"}},
  };
  for (const Case &c : cases) {
    LanguageWorld w;
    if (c.noSettings) std::remove(w.world.Linux("prog/melodeck.ini").c_str());
    std::vector<std::string> env{c.locale};
    if (c.emptyPrefix) {
      TestWorld::MakeDirs(w.world.Linux("empty"));
      env.push_back("WINEPREFIX=" + w.world.Linux("empty"));
    }
    const ProgramRun run = RunProgram(w.world, w.program, c.args, env);
    EXPECT_EQ(run.status, c.status) << c.what << "\n" << run.err;
    for (const std::string &part : c.outHas)
      EXPECT_TRUE(Has(run.out, part)) << c.what << ": " << part << "\n" << run.out;
    for (const std::string &part : c.errHas)
      EXPECT_TRUE(Has(run.err, part)) << c.what << ": " << part << "\n" << run.err;
  }
}

// The choice in the settings ("Language" in the program's own section) wins over the locale.
TEST(CommandLineLanguage, TheSettingsChoiceWinsOverTheLocale) {
  const struct {
    const char *stored;
    std::string locale;
    const char *errHas;
  } cases[] = {
      {"en", kJapanese, "there is no configuration \"Nowhere\""},
      {"ja", kEnglish, "設定「Nowhere」はありません"},
      {"", kJapanese, "設定「Nowhere」はありません"},
      {"", kEnglish, "there is no configuration \"Nowhere\""},
      {"fr", kEnglish, "there is no configuration \"Nowhere\""},  // unknown: automatic
  };
  for (const auto &c : cases) {
    LanguageWorld w;
    w.Settings(std::string("[melodeck]\nLanguage=") + c.stored + "\n[Town]\n");
    const ProgramRun run = w.Run(c.locale, {"--apply", "Nowhere"});
    EXPECT_EQ(run.status, ecUnknownConfig) << c.stored << "\n" << run.err;
    EXPECT_TRUE(Has(run.err, c.errHas)) << c.stored << " " << c.locale << "\n" << run.err;
  }
}

// A configuration exported under one language, imported under the other and listed, applied
// and exported again under the first: its name and the standard configuration's are the same
// stored names in every language.
TEST(CommandLineLanguage, SettingsWrittenUnderOneLanguageReadUnderTheOther) {
  const struct { std::string first, second; } cases[] = {{kEnglish, kJapanese}, {kJapanese, kEnglish}};
  for (const auto &c : cases) {
    LanguageWorld w;
    std::string settings;  // in the settings' code page, as the program writes them
    ASSERT_TRUE(platform::Cp932Encode("[夏の町]\napproach.mid=" + w.world.Windows("tunes/town.mid") + "\n", settings));
    w.Settings(settings);
    const std::string package = w.world.Linux("summer.mdk");
    ProgramRun run = w.Run(c.first, {"--export", "夏の町", package});
    ASSERT_EQ(run.status, ecOK) << run.err;

    const std::string second = PlaceProgram(w.world.Linux("prog2"));
    w.Settings("", "prog2");
    auto runSecond = [&](const std::string &locale, const std::vector<std::string> &args) {
      return RunProgram(w.world, second, args, {locale});
    };
    run = runSecond(c.second, {"--import", package});
    ASSERT_EQ(run.status, ecOK) << run.err;
    EXPECT_EQ(runSecond(c.second, {"--list"}).out, "* 標準\n  夏の町\n");
    EXPECT_EQ(runSecond(c.first, {"--list"}).out, "* 標準\n  夏の町\n");
    ASSERT_EQ(runSecond(c.first, {"--apply", "夏の町"}).status, ecOK);
    EXPECT_EQ(TestWorld::ReadFile(w.world.Linux(kFirst + "/approach.mid")), "MThd town");
    EXPECT_EQ(runSecond(c.second, {"--list"}).out, "  標準\n* 夏の町\n");
    ASSERT_EQ(runSecond(c.second, {"--apply", "標準"}).status, ecOK);
    EXPECT_NE(TestWorld::ReadFile(w.world.Linux(kFirst + "/approach.mid")), "MThd town");
    EXPECT_EQ(runSecond(c.first, {"--list"}).out, "* 標準\n  夏の町\n");
  }
}
