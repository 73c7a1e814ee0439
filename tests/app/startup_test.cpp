#include "startup.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QComboBox>
#include <QCoreApplication>
#include <algorithm>
#include <cstring>

#include "datafolder.h"
#include "formmain.h"
#include "scripteddialogs.h"
#include "shownlanguage.h"
#include "testworld.h"

using platform::TModalResult;
using testsupport::FakePrefixOptions;
using testsupport::TestWorld;

namespace {
const char kClientNotFound[] = "\"Client.exe\" was not found.";
}

TEST(Startup, FindsTheClientsOrSaysClientExeWasNotFound) {
  struct Case {
    const char *what;
    FakePrefixOptions options;
    bool ok, thirdDawn;
    const char *registryPath = nullptr;  // how the registry spells the path, when not as on the disk
  };
  auto opt = [](auto change) {
    FakePrefixOptions o;
    change(o);
    return o;
  };
  const Case cases[] = {
      {"first client", {}, true, false},
      {"both clients", opt([](auto &o) { o.thirdDawn = true; }), true, true},
      {"64-bit prefix", opt([](auto &o) { o.thirdDawn = true, o.win64 = true; }), true, true},
      {"no key", opt([](auto &o) { o.firstClient = false; }), false, false},
      {"exe missing", opt([](auto &o) { o.firstExe = false; }), false, false},
      {"no music folder", opt([](auto &o) { o.firstMusic = false; }), false, false},
      {"only Third Dawn", opt([](auto &o) { o.firstClient = o.firstExe = o.firstMusic = false, o.thirdDawn = true; }),
       false, false},
      {"other case in the registry", {}, true, false, "c:\\\\PROGRAM FILES\\\\ULTIMA ONLINE\\\\CLIENT.EXE"},
      {"Wine's short names in the registry", {}, true, false, "C:\\\\PROG~FBU\\\\ulti~cyv\\\\client.exe"},
  };
  for (const auto &c : cases) {
    TestWorld world;
    const auto prefix = world.MakePrefix(c.options);
    if (c.registryPath) {
      std::string reg = TestWorld::ReadFile(prefix.root + "/system.reg");
      const std::string from = "C:\\\\Program Files\\\\Ultima Online\\\\client.exe";
      ASSERT_NE(reg.find(from), std::string::npos);
      reg.replace(reg.find(from), from.size(), c.registryPath);
      TestWorld::WriteFile(prefix.root + "/system.reg", reg);
    }
    testsupport::ScriptedDialogs dialogs;
    TGameFolders f;
    const TShownLanguage english(false);
    const bool ok = DiscoverGame(platform::Registry::LoadSystemReg(prefix.root), dialogs, f);
    EXPECT_EQ(ok, c.ok) << c.what;
    EXPECT_EQ(dialogs.Texts(), c.ok ? QStringList() : QStringList{kClientNotFound}) << c.what;
    if (!ok) {
      EXPECT_FALSE(TestWorld::Exists(world.Linux("prefix/drive_c/Program Files/Ultima Online/music/default")));
      continue;
    }
    EXPECT_EQ(f.ClientPath, "C:\\Program Files\\Ultima Online\\client.exe") << c.what;
    EXPECT_EQ(f.MusicDir, "C:\\Program Files\\Ultima Online\\music") << c.what;
    EXPECT_EQ(f.DefaultDir, f.MusicDir + "\\default");
    EXPECT_EQ(f.HasThirdDawn, c.thirdDawn) << c.what;
    if (c.thirdDawn) EXPECT_EQ(f.DefaultDirTD, "C:\\Program Files\\Ultima Online Third Dawn\\music\\default");
  }
}

TEST(Startup, AMissingClientIsExplainedOnStandardError) {
  struct Case {
    const char *what;
    FakePrefixOptions options;
    const char *tail;  // how the line ends
  } cases[] = {
      {"no key",
       [] {
         FakePrefixOptions o;
         o.firstClient = false;
         return o;
       }(),
       " is not there\n"},
      {"exe missing",
       [] {
         FakePrefixOptions o;
         o.firstExe = false;
         return o;
       }(),
       "\", but that file or the music folder beside it is not there\n"},
  };
  for (const auto &c : cases) {
    TestWorld world;
    const auto prefix = world.MakePrefix(c.options);
    testsupport::ScriptedDialogs dialogs;
    TGameFolders f;
    const TShownLanguage english(false);  // the line in the words scripts and bug reports know
    testing::internal::CaptureStderr();
    EXPECT_FALSE(DiscoverGame(platform::Registry::LoadSystemReg(prefix.root), dialogs, f));
    const std::string line = testing::internal::GetCapturedStderr();
    EXPECT_EQ(dialogs.Texts(), QStringList{kClientNotFound}) << c.what;  // the message box is unchanged
    EXPECT_EQ(line.rfind("melodeck: the client was not found: Wine prefix " + prefix.root + ", registry " +
                             prefix.root + "/system.reg, value ExePath of HKEY_LOCAL_MACHINE\\SOFTWARE\\",
                         0),
              0u)
        << c.what << ": " << line;
    EXPECT_NE(line.find("Ultima Online\\1.0 (32-bit view)"), std::string::npos) << line;
    EXPECT_TRUE(line.size() > std::strlen(c.tail) &&
                line.compare(line.size() - std::strlen(c.tail), std::string::npos, c.tail) == 0)
        << c.what << ": " << line;
    EXPECT_EQ(std::count(line.begin(), line.end(), '\n'), 1) << line;
  }
  // A client that is found says nothing.
  TestWorld world;
  const auto prefix = world.MakePrefix();
  testsupport::ScriptedDialogs dialogs;
  TGameFolders f;
  testing::internal::CaptureStderr();
  EXPECT_TRUE(DiscoverGame(platform::Registry::LoadSystemReg(prefix.root), dialogs, f));
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST(Startup, ThirdDawnWithoutItsMusicFolderIsSimplyAbsent) {
  TestWorld world;
  FakePrefixOptions o;
  o.thirdDawn = true;
  const auto prefix = world.MakePrefix(o);
  ASSERT_EQ(
      system(("rm -r '" + world.Linux("prefix/drive_c/Program Files/Ultima Online Third Dawn/music") + "'").c_str()),
      0);
  testsupport::ScriptedDialogs dialogs;
  TGameFolders f;
  ASSERT_TRUE(DiscoverGame(platform::Registry::LoadSystemReg(prefix.root), dialogs, f));
  EXPECT_FALSE(f.HasThirdDawn);
}

TEST(Startup, FirstRunAsksUntilTheSettingsFileExists) {
  TestWorld world;
  TestWorld::MakeDirs(world.Linux("prog"));
  const QString program = QString::fromStdString(world.Windows("prog")) + "\\melodeck";
  // Only Yes continues, and it makes the settings file at once: the command line works beside
  // the first window, and the question does not come back.
  for (auto answer : {TModalResult::Cancel, TModalResult::Yes}) {
    testsupport::ScriptedDialogs dialogs;
    dialogs.Answer(answer);
    EXPECT_EQ(ConfirmFirstRun(program, dialogs), answer == TModalResult::Yes);
    ASSERT_EQ(dialogs.Shown().size(), 1u);
    EXPECT_EQ(dialogs.Shown()[0].text,
              QString::fromUtf8("MelodeckはUltimaOnlineのMusic(MIDI)ファイルを任意に入れ替えるツールです.\n"
                                "Melodeckは現在のMIDIファイルをデフォルトの設定として扱います.\n"
                                "すでに手動で変更している場合は元に戻してから利用してください.\n\n"
                                "Melodeck を起動しますか？"));
    EXPECT_EQ(dialogs.Shown()[0].buttons, platform::mbYesCancel);
    EXPECT_EQ(TestWorld::Exists(world.Linux("prog/melodeck.ini")), answer == TModalResult::Yes);
  }
  testsupport::ScriptedDialogs dialogs;
  EXPECT_TRUE(ConfirmFirstRun(program, dialogs));
  EXPECT_TRUE(dialogs.Shown().empty());

  // A settings file that can't be made is said; the program goes on.
  TestWorld::MakeDirs(world.Linux("blocked/melodeck.ini"));
  testsupport::ScriptedDialogs blocked;
  blocked.Answer(TModalResult::Yes);
  EXPECT_TRUE(ConfirmFirstRun(QString::fromStdString(world.Windows("blocked")) + "\\melodeck", blocked));
  ASSERT_EQ(blocked.Shown().size(), 2u);
  EXPECT_EQ(blocked.Shown()[1].text,
            QString::fromStdString(world.Windows("blocked/melodeck.ini")) + QString::fromUtf8(" に書き込めません."));
}

TEST(Startup, MainWindowOnAFakePrefix) {
  TestWorld world;
  FakePrefixOptions o;
  o.thirdDawn = true;
  const auto prefix = world.MakePrefix(o);
  TestWorld::MakeDirs(world.Linux("prog"));
  TestWorld::WriteFile(world.Linux("prog/melodeck.ini"), "");
  testsupport::ScriptedDialogs dialogs;
  TGameFolders f;
  ASSERT_TRUE(DiscoverGame(platform::Registry::LoadSystemReg(prefix.root), dialogs, f));
  {
    TFormMain form(QString::fromStdString(world.Windows("prog")) + "\\melodeck", f, dialogs);
    EXPECT_EQ(form.windowTitle(), QString::fromUtf8("Melodeck - 標準"));
    EXPECT_EQ(form.findChild<QComboBox *>("ComboBoxConfigList")->currentText(), QString::fromUtf8("標準"));
    for (const char *dir : {"Ultima Online", "Ultima Online Third Dawn"})
      for (const auto &file : testsupport::GameMusicFiles())
        EXPECT_TRUE(TestWorld::Exists(world.Linux("prefix/drive_c/Program Files/") + dir + "/music/default/" + file));
  }
  EXPECT_TRUE(dialogs.Shown().empty());
}

// The real program, started as a second copy, ends at once and silently.
TEST(Startup, ASecondCopyEndsSilently) {
  TestWorld world;
  const auto prefix = world.MakePrefix();
  platform::InstanceLock first;
  ASSERT_TRUE(AcquireInstance(first));
  const char *bin = getenv("MELODECK_BIN_DIR");
  ASSERT_NE(bin, nullptr);
  const std::string out = world.Linux("out.txt");
  const std::string cmd = "'" + std::string(bin) + "/melodeck' >'" + out + "' 2>&1";
  const int status = system(("timeout 20 sh -c \"" + cmd + "\"").c_str());
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(TestWorld::ReadFile(out), "");
}

// Settings beside a program in one of these would be shared by every user of the machine.
TEST(Startup, SystemFoldersNeverHoldTheSettings) {
  const struct {
    const char *folder;
    bool system;
  } cases[] = {
      {"/usr/bin", true},
      {"/usr/local/bin", true},
      {"/usr", true},
      {"/opt/melodeck/bin", true},
      {"/snap/melodeck/12/bin", true},
      {"/app/bin", true},
      {"/nix/store/x-melodeck/bin", true},
      {"/", true},
      {"", true},
      {"/usrx/bin", false},
      {"/home/ann/melodeck", false},
      {"/media/usb/Melodeck", false},
      {"/tmp/melodeck-build/bin", false},
      {"/home/ann/opt/bin", false},
  };
  for (const auto &c : cases) EXPECT_EQ(IsSystemFolder(c.folder), c.system) << c.folder;
}
