// The real program's window under the virtual display: closing it ends the process promptly.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QThread>

#include "programrun.h"
#include "x11/windows.h"

using testsupport::TestWorld;

namespace {

// The program's environment: the test's folders and the display, nothing else.
QProcessEnvironment Environment() {
  QProcessEnvironment env;
  std::vector<const char *> names = PassedEnvironment();
  names.insert(names.end(), {"DISPLAY", "XAUTHORITY"});
  for (const char *name : names)
    if (const char *value = getenv(name)) env.insert(name, value);
  return env;
}

// The visible top-level windows of pid.
std::vector<platform::TopWindow> WindowsOf(qint64 pid) {
  std::vector<platform::TopWindow> found;
  for (const platform::TopWindow &w : platform::EnumTopWindows())
    if (w.pid == pid && w.visible && !w.owned) found.push_back(w);
  return found;
}

}  // namespace

// Whatever the window played or opened, the process is gone soon after its window.
TEST(WindowExit, TheProcessEndsWithinHalfASecondOfItsWindow) {
  if (!getenv("DISPLAY")) GTEST_SKIP() << "no display";
  TestWorld world;
  world.MakePrefix();
  const std::string program = PlaceProgram(world.Linux("prog"));
  TestWorld::WriteFile(world.Linux("prog/melodeck.ini"), "");
  QProcess window;
  window.setProgram(QString::fromStdString(program));
  window.setWorkingDirectory(QString::fromStdString(world.Root()));
  window.setProcessEnvironment(Environment());
  window.start();
  ASSERT_TRUE(window.waitForStarted(30000));
  // Up, and idle: the splash is gone and only the main window is left.
  std::vector<platform::TopWindow> shown;
  for (int i = 0; i < 600; ++i) {
    shown = WindowsOf(window.processId());
    if (shown.size() == 1 && shown[0].title.rfind("Melodeck", 0) == 0) break;
    QThread::msleep(100);
  }
  ASSERT_EQ(shown.size(), 1u) << window.readAllStandardError().toStdString();
  QThread::msleep(500);

  QElapsedTimer clock;
  ASSERT_TRUE(platform::CloseWindow(shown[0].id));
  clock.start();
  qint64 windowGone = -1;
  while (window.state() != QProcess::NotRunning && clock.elapsed() < 30000) {
    if (windowGone < 0 && WindowsOf(window.processId()).empty()) windowGone = clock.elapsed();
    window.waitForFinished(10);
  }
  ASSERT_EQ(window.state(), QProcess::NotRunning);
  const qint64 ended = clock.elapsed();
  EXPECT_EQ(window.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(window.exitCode(), 0) << window.readAllStandardError().toStdString();
  ASSERT_GE(windowGone, 0);
  EXPECT_LE(ended - windowGone, 500) << "window gone after " << windowGone << " ms, process after " << ended << " ms";
}
