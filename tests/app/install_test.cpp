// The program installed into a temporary prefix, as a distribution package would install it.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "cli.h"
#include "fakeprefix.h"
#include "programrun.h"

using testsupport::TestWorld;

namespace {

const char kAppId[] = "io.github.melodeck.Melodeck";

bool Have(const char *tool) { return Shell(std::string("command -v ") + tool + " >/dev/null 2>&1") == 0; }

// One installed prefix per test: <world>/inst.
struct Installed {
  Installed() {
    world.MakePrefix();
    inst = world.Linux("inst");
    installed = Shell(Quote(MELODECK_CMAKE) + " --install " + Quote(MELODECK_BUILD_DIR) + " --prefix " + Quote(inst) +
                      " >" + Quote(world.Linux("install.log")) + " 2>&1") == 0;
    program = inst + "/bin/melodeck";
  }
  std::string Output(const std::string &command) {
    const std::string out = world.Linux("tool.out");
    Shell(command + " >" + Quote(out) + " 2>&1");
    return TestWorld::ReadFile(out);
  }
  TestWorld world;
  std::string inst, program;
  bool installed = false;
};

}  // namespace

TEST(Install, TheDesktopFilesPassTheirChecksAndNameThePackageType) {
  for (const char *tool : {"desktop-file-validate", "appstreamcli", "update-mime-database", "xdg-mime", "gio"})
    if (!Have(tool)) GTEST_SKIP() << tool << " is missing (scripts/deps installs it)";
  Installed i;
  ASSERT_TRUE(i.installed) << TestWorld::ReadFile(i.world.Linux("install.log"));
  const std::string share = i.inst + "/share";
  EXPECT_EQ(Shell("desktop-file-validate " + Quote(share + "/applications/" + kAppId + ".desktop")), 0)
      << i.Output("desktop-file-validate " + Quote(share + "/applications/" + kAppId + ".desktop"));
  EXPECT_EQ(
      Shell("appstreamcli validate --no-net " + Quote(share + "/metainfo/" + kAppId + ".metainfo.xml") + " >/dev/null"),
      0)
      << i.Output("appstreamcli validate --no-net " + Quote(share + "/metainfo/" + kAppId + ".metainfo.xml"));
  for (const char *size : {"16x16", "24x24", "32x32", "48x48", "64x64", "128x128", "256x256"})
    EXPECT_EQ(i.Output("file -b " + Quote(share + "/icons/hicolor/" + size + "/apps/" + kAppId + ".png"))
                  .rfind("PNG image data, " + std::string(size).replace(std::string(size).find('x'), 1, " x "), 0),
              0u)
        << size;
  ASSERT_EQ(Shell("update-mime-database " + Quote(share + "/mime") + " >/dev/null 2>&1"), 0);
  // A package by its name, an LHA archive of another name by its content.
  TestWorld::WriteFile(i.world.Linux("x.mdk"), "\x20\x00-lh5-rest of a header");
  TestWorld::WriteFile(i.world.Linux("x.lzh"), "\x20\x00-lh5-rest of a header");
  // xdg-mime asks GIO (and so the shared MIME database) on a GNOME desktop; on a desktop it
  // does not know it asks file(1), which knows nothing of added types.
  const std::string query = "cd " + Quote(i.world.Root()) +
                            " && env XDG_CURRENT_DESKTOP=GNOME XDG_DATA_DIRS=" + Quote(share + ":/usr/share") +
                            " XDG_DATA_HOME=" + Quote(i.world.Linux("nohome")) + " xdg-mime query filetype ";
  EXPECT_EQ(i.Output(query + "x.mdk"), "application/x-melodeck-package\n");
  EXPECT_EQ(i.Output(query + "x.lzh"), "application/x-lha\n");
}

// Where the installed program keeps its settings: beside itself when the folder is the user's own
// and writable or holds melodeck.ini, else in $XDG_DATA_HOME/melodeck. Run headless, with --list.
TEST(Install, SettingsLiveBesideAPortableProgramElseInTheUsersDataFolder) {
  struct Case {
    const char *what;
    bool binWritable;
    bool binOfAnotherUser;  // only the superuser can arrange it
    const char *iniBeside;  // nullptr: none
    const char *iniInData;  // nullptr: none
    int status;
    std::string out;
    std::string where;  // the settings file the program means, relative to the world
  } cases[] = {
      {"installed, first start", false, false, nullptr, nullptr, ecNotSetUp, "", "data/melodeck/melodeck.ini"},
      {"installed", false, false, nullptr, "[Xdg]\n[melodeck]\nLastConfig=Xdg\n", ecOK, "  標準\n* Xdg\n", ""},
      {"portable copy, read-only", false, false, "[Beside]\n", "[Xdg]\n", ecOK, "* 標準\n  Beside\n", ""},
      {"portable copy, first start", true, false, nullptr, "[Xdg]\n", ecNotSetUp, "", "inst/bin/melodeck.ini"},
      // Installed by another user (root, say): writable to the superuser, but not its folder.
      {"another user's install", true, true, nullptr, nullptr, ecNotSetUp, "", "data/melodeck/melodeck.ini"},
      {"another user's install, set up", true, true, nullptr, "[Xdg]\n", ecOK, "* 標準\n  Xdg\n", ""},
  };
  for (const auto &c : cases) {
    if (c.binOfAnotherUser && geteuid() != 0) continue;
    Installed i;
    ASSERT_TRUE(i.installed) << TestWorld::ReadFile(i.world.Linux("install.log"));
    if (c.binOfAnotherUser) ASSERT_EQ(lchown((i.inst + "/bin").c_str(), 65534, static_cast<gid_t>(-1)), 0);
    const std::string data = i.world.Linux("data");
    TestWorld::MakeDirs(data);
    if (c.iniBeside) TestWorld::WriteFile(i.inst + "/bin/melodeck.ini", c.iniBeside);
    if (c.iniInData) {
      TestWorld::MakeDirs(data + "/melodeck");
      TestWorld::WriteFile(data + "/melodeck/melodeck.ini", c.iniInData);
    }
    std::string wrapper;
    if (!c.binWritable) {
      chmod((i.inst + "/bin").c_str(), 0555);
      // The superuser may write anywhere: for it the folder becomes a read-only mount, in a
      // mount namespace of the program's own.
      if (geteuid() == 0) {
        if (Shell("unshare -m true 2>/dev/null") != 0) GTEST_SKIP() << "no mount namespace for a read-only folder";
        const std::string bin = Quote(i.inst + "/bin");
        wrapper = "unshare -m sh -c " + Quote("mount --bind " + bin + " " + bin + " && mount -o remount,ro,bind " +
                                              bin + " && exec \"$0\" \"$@\"");
      }
    }
    const ProgramRun run =
        RunProgram(i.world, i.program, {"--list"}, {"XDG_DATA_HOME=" + data, "HOME=" + i.world.Linux("home")}, wrapper);
    EXPECT_EQ(run.status, c.status) << c.what << "\n" << run.err;
    EXPECT_EQ(run.out, c.out) << c.what;
    if (!c.where.empty()) {
      EXPECT_NE(run.err.find("(" + i.world.Linux(c.where) + ")"), std::string::npos) << c.what << "\n" << run.err;
    }
    if (!c.binWritable || c.binOfAnotherUser) {
      EXPECT_TRUE(TestWorld::Exists(data + "/melodeck")) << c.what;
    }
    EXPECT_EQ(TestWorld::Exists(i.inst + "/bin/melodeck.ini"), c.iniBeside != nullptr) << c.what;
    chmod((i.inst + "/bin").c_str(), 0755);
  }
}

// The archiver libraries sit in PREFIX/lib/melodeck, not beside the program: an archive entry is
// applied all the same.
TEST(Install, TheInstalledProgramFindsItsArchiverLibraries) {
  if (!Have("jlha")) GTEST_SKIP() << "jlha is missing (scripts/deps installs it)";
  Installed i;
  ASSERT_TRUE(i.installed) << TestWorld::ReadFile(i.world.Linux("install.log"));
  ASSERT_FALSE(TestWorld::Exists(i.inst + "/bin/libunlha32.so"));
  TestWorld::MakeDirs(i.world.Linux("tunes"));
  TestWorld::WriteFile(i.world.Linux("tunes/town.mid"), "MThd town in a package");
  ASSERT_EQ(Shell("cd " + Quote(i.world.Linux("tunes")) + " && jlha a pack.lzh town.mid >/dev/null 2>&1"), 0);
  std::string archive = "Z:" + i.world.Linux("tunes/pack.lzh");
  for (char &ch : archive) ch = ch == '/' ? '\\' : ch;
  TestWorld::WriteFile(i.inst + "/bin/melodeck.ini", "[Lzh]\napproach.mid=" + archive + "|town.mid\n");
  const ProgramRun run = RunProgram(i.world, i.program, {"--apply", "Lzh"});
  EXPECT_EQ(run.status, ecOK) << run.out << run.err;
  EXPECT_EQ(TestWorld::ReadFile(i.world.Linux("prefix/drive_c/Program Files/Ultima Online/music/approach.mid")),
            "MThd town in a package");
}

// The game's record of written files is shared by every copy of the program on that game: the
// installed program takes nothing that a build folder's copy wrote for a game update.
TEST(Install, TheInstalledProgramKnowsWhatAnotherCopyWrote) {
  Installed i;
  ASSERT_TRUE(i.installed) << TestWorld::ReadFile(i.world.Linux("install.log"));
  const std::string music = i.world.Linux("prefix/drive_c/Program Files/Ultima Online/music");
  const std::string original = TestWorld::ReadFile(music + "/approach.mid");
  TestWorld::MakeDirs(i.world.Linux("tunes"));
  TestWorld::WriteFile(i.world.Linux("tunes/town.mid"), "MThd town");
  const std::string build = PlaceProgram(i.world.Linux("build"));
  TestWorld::WriteFile(i.world.Linux("build/melodeck.ini"),
                       "[Town]\napproach.mid=" + i.world.Windows("tunes/town.mid") + "\n");
  ASSERT_EQ(RunProgram(i.world, build, {"--apply", "Town"}).status, ecOK);
  TestWorld::WriteFile(i.inst + "/bin/melodeck.ini", "");

  const ProgramRun run = RunProgram(i.world, i.program, {"--apply", "標準"}, {kJapanese});
  EXPECT_EQ(run.status, ecOK) << run.out << run.err;
  EXPECT_EQ(run.err.find("ゲームの更新"), std::string::npos) << run.err;
  EXPECT_EQ(TestWorld::ReadFile(music + "/approach.mid"), original);
  EXPECT_EQ(TestWorld::ReadFile(music + "/default/approach.mid"), original);
}

// The installed program shows the user's language from the translations installed with it, and
// the manual of each language is where the help menu looks for it.
TEST(Install, TheInstalledProgramSpeaksEachLanguageAndShipsItsManuals) {
  Installed i;
  ASSERT_TRUE(i.installed) << TestWorld::ReadFile(i.world.Linux("install.log"));
  ASSERT_FALSE(TestWorld::Exists(i.inst + "/bin/translations"));
  const struct {
    const char *manual;
    const char *lang;  // the manual's own language, as its page says it
  } manuals[] = {{"manual.html", "<html lang=\"ja\">"}, {"manual.en.html", "<html lang=\"en\">"}};
  for (const auto &m : manuals) {
    const std::string manual = i.inst + "/share/doc/melodeck/" + m.manual;
    ASSERT_TRUE(TestWorld::Exists(manual)) << m.manual;
    EXPECT_NE(TestWorld::ReadFile(manual).find(m.lang), std::string::npos) << m.manual;
  }
  TestWorld::WriteFile(i.inst + "/bin/melodeck.ini", "[Town]\n");
  const struct {
    std::string locale;
    const char *errHas;
  } cases[] = {
      {kEnglish, "there is no configuration \"Nowhere\""},
      {kJapanese, "設定「Nowhere」はありません"},
  };
  for (const auto &c : cases) {
    const ProgramRun run = RunProgram(i.world, i.program, {"--apply", "Nowhere"}, {c.locale});
    EXPECT_EQ(run.status, ecUnknownConfig) << c.locale << "\n" << run.err;
    EXPECT_NE(run.err.find(c.errHas), std::string::npos) << c.locale << "\n" << run.err;
  }
}

// Every text of the desktop entry and the AppStream metadata that a software centre shows has its
// Japanese beside the English.
TEST(Install, TheDesktopFilesCarryBothLanguages) {
  Installed i;
  ASSERT_TRUE(i.installed) << TestWorld::ReadFile(i.world.Linux("install.log"));
  const std::string share = i.inst + "/share";
  const std::string entry = TestWorld::ReadFile(share + "/applications/" + kAppId + ".desktop");
  for (const char *key : {"Name", "GenericName", "Comment", "Keywords"}) {
    EXPECT_NE(entry.find("\n" + std::string(key) + "="), std::string::npos) << key;
    EXPECT_NE(entry.find("\n" + std::string(key) + "[ja]="), std::string::npos) << key;
  }
  const std::string metainfo = TestWorld::ReadFile(share + "/metainfo/" + kAppId + ".metainfo.xml");
  auto count = [&](const std::string &part) {
    size_t n = 0;
    for (size_t at = metainfo.find(part); at != std::string::npos; at = metainfo.find(part, at + 1)) ++n;
    return n;
  };
  for (const char *element : {"name", "summary", "p"}) {
    const size_t english = count("<" + std::string(element) + ">");
    EXPECT_GT(english, 0u) << element;
    EXPECT_EQ(count("<" + std::string(element) + " xml:lang=\"ja\">"), english) << element;
  }
}
