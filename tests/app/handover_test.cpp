// A package opened while the window runs: the second copy hands the path over and ends.
#include "handover.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <QProcess>
#include <QThread>
#include <QSignalSpy>

#include "cli.h"
#include "core/instancelock.h"
#include "core/winpath.h"
#include "programrun.h"
#include "startup.h"

using testsupport::TestWorld;

namespace {

// The program's environment: the test's folders and nothing else; a display only when asked.
QProcessEnvironment Environment(bool display, bool runtime = true) {
  QProcessEnvironment env;
  for (const char *name : {"WINEPREFIX", "XDG_RUNTIME_DIR", "MELODECK_LOCK_DIR", "TMPDIR", "HOME", "PATH",
                           "ASAN_OPTIONS", "UBSAN_OPTIONS"})
    if (const char *value = getenv(name)) env.insert(name, value);
  if (!runtime) env.remove("XDG_RUNTIME_DIR");
  if (display)
    for (const char *name : {"DISPLAY", "XAUTHORITY"})
      if (const char *value = getenv(name)) env.insert(name, value);
  return env;
}

struct Started {
  Started(const std::string &program, const QStringList &args, const std::string &folder, bool display,
          bool runtime = true) {
    process.setProgram(QString::fromStdString(program));
    process.setArguments(args);
    process.setWorkingDirectory(QString::fromStdString(folder));
    process.setProcessEnvironment(Environment(display, runtime));
    process.start();
  }
  QProcess process;
};

}  // namespace

TEST(HandOver, ThePackagesPathReachesTheRunningWindow) {
  // The second copy may come from another environment (a file manager of another session, a
  // terminal over ssh): the socket is where the lock is, whatever its runtime folder.
  for (const bool sameRuntime : {true, false}) {
    TestWorld world;
    world.MakePrefix();
    const std::string program = PlaceProgram(world.Linux("prog"));
    TestWorld::MakeDirs(world.Linux("downloads"));
    TestWorld::WriteFile(world.Linux("downloads/夜の音楽 1.mdk"), "package");
    platform::InstanceLock lock;  // this test stands for the window
    ASSERT_TRUE(AcquireInstance(lock));
    THandOverServer server;
    ASSERT_TRUE(server.Listen());
    QSignalSpy spy(&server, &THandOverServer::PackageHandedOver);

    // Named relative to the folder the file manager starts it in, without a display.
    Started second(program, {QStringLiteral("夜の音楽 1.mdk")}, world.Linux("downloads"), false, sameRuntime);
    ASSERT_TRUE(spy.wait(30000)) << sameRuntime;
    ASSERT_TRUE(second.process.waitForFinished(30000));
    EXPECT_EQ(second.process.exitCode(), 0) << second.process.readAllStandardError().toStdString();
    ASSERT_EQ(spy.size(), 1);
    EXPECT_EQ(spy[0][0].toString(), QString::fromStdString(world.Windows("downloads/夜の音楽 1.mdk")));
  }
}

TEST(HandOver, WithoutAWindowThatListensTheSecondCopySaysSo) {
  TestWorld world;
  world.MakePrefix();
  const std::string program = PlaceProgram(world.Linux("prog"));
  platform::InstanceLock lock;  // held, as by an --apply or a window still starting
  ASSERT_TRUE(AcquireInstance(lock));
  // A socket file left by a copy that was killed answers nobody.
  TestWorld::WriteFile(HandOverSocketPath().toStdString(), "");
  Started second(program, {QStringLiteral("x.mdk")}, world.Root(), false);
  ASSERT_TRUE(second.process.waitForFinished(30000));
  EXPECT_EQ(second.process.exitCode(), ecAnotherRunning);
  EXPECT_NE(second.process.readAllStandardError().indexOf("did not take the package"), -1);
}

// The real window under the virtual display takes a package from a second copy.
TEST(HandOver, TheWindowTakesAPackageFromASecondCopy) {
  if (!getenv("DISPLAY")) GTEST_SKIP() << "no display";
  TestWorld world;
  world.MakePrefix();
  const std::string program = PlaceProgram(world.Linux("prog"));
  TestWorld::WriteFile(world.Linux("prog/melodeck.ini"), "");
  TestWorld::WriteFile(world.Linux("x.mdk"), "package");
  Started window(program, {}, world.Root(), true);
  ASSERT_TRUE(window.process.waitForStarted(30000));
  const std::string socket = HandOverSocketPath().toStdString();
  for (int i = 0; i < 600 && !TestWorld::Exists(socket); ++i) QThread::msleep(100);
  ASSERT_TRUE(TestWorld::Exists(socket)) << window.process.readAllStandardError().toStdString();

  Started second(program, {QStringLiteral("x.mdk")}, world.Root(), false);
  ASSERT_TRUE(second.process.waitForFinished(30000));
  EXPECT_EQ(second.process.exitCode(), 0) << second.process.readAllStandardError().toStdString();
  EXPECT_EQ(window.process.state(), QProcess::Running);
  window.process.kill();
  window.process.waitForFinished(30000);
}

// Without a private lock folder there is no socket: nothing is made or removed elsewhere.
TEST(HandOver, NoLockFolderNoSocket) {
  TestWorld world;
  const std::string shared = world.Linux("shared");
  TestWorld::MakeDirs(shared);
  chmod(shared.c_str(), 01777);  // anybody could plant a socket here
  setenv("MELODECK_LOCK_DIR", shared.c_str(), 1);
  ASSERT_EQ(HandOverSocketPath(), QString());
  THandOverServer server;
  EXPECT_FALSE(server.Listen());
  EXPECT_FALSE(HandOverPackage(QStringLiteral("x.mdk")));
  EXPECT_EQ(Shell("find " + Quote(world.Root()) + " -name '*.sock' | grep -q ."), 1);
}
