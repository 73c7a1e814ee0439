// melodeck: the program entry. Options select the command line, which runs without a window
// or a display; otherwise the window opens.
#include <QCoreApplication>
#include <QIcon>
#include <QTimer>
#include <cstdio>

#include "cli.h"
#include "coredialogs.h"
#include "core/fileops.h"
#include "core/instancelock.h"
#include "core/winpath.h"
#include "applyleftovers.h"
#include "datafolder.h"
#include "formmain.h"
#include "gamefolder.h"
#include "gamesets.h"
#include "gameupdates.h"
#include "handover.h"
#include "languagechoice.h"
#include "qt/whenidle.h"
#include "qt/application.h"
#include "qt/qtdialogs.h"
#include "qtcore/qstr.h"
#include "stampcache.h"
#include "startup.h"

namespace {

// The installed theme's icon when there is one, else the sizes built into the program.
QIcon WindowIcon() {
  QIcon icon;
  for (const int size : {16, 24, 32, 48, 64, 128, 256})
    icon.addFile(QStringLiteral(":/icons/%1/" MELODECK_APP_ID ".png").arg(size), QSize(size, size));
  return QIcon::fromTheme(QStringLiteral(MELODECK_APP_ID), icon);
}

// A package opened from the file manager is imported as a dropped one would be.
void OpenPackage(TFormMain &form, const QString &windowsPath) { form.FormDropFiles({windowsPath}); }

// A line on standard error for whoever started the program from a terminal.
void Tell(const QString &line) { fprintf(stderr, "melodeck: %s\n", line.toUtf8().constData()); }

// Where the settings live; empty when the program's own path can't be read.
QString SettingsBase() {
  const std::string program = platform::ToLinux(platform::ProgramPath());
  return program.empty() ? QString() : SettingsBasePath(program);
}

void BringToFront(QWidget &form) {
  form.setWindowState((form.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
  form.show();
  form.raise();
  form.activateWindow();
}

// argv holds no option but "--game DIR" (gameArgument): at most a package to import
// ("melodeck %f" from the desktop entry).
int RunWindow(int argc, char **argv, const QString &gameArgument) {
  const QString package = argc > 1 && gameArgument.isEmpty() ? QString::fromLocal8Bit(argv[1]) : QString();
  platform::InstanceLock lock;
  if (!AcquireInstance(lock)) {
    if (package.isEmpty()) return 0;  // another copy runs
    // The running window takes the package.
    QCoreApplication core(argc, argv);
    if (HandOverPackage(package)) return 0;
    ChooseLanguage(SettingsBase());
    Tell(QCoreApplication::translate(
        "CliStart", "another Melodeck is running and did not take the package; open it from its window"));
    return ecAnotherRunning;
  }

  platform::TApplication app(argc, argv);
  platform::QtDialogs dialogs;
  platform::TApplication::SetDialogs(&dialogs);
  // Where the settings live: beside the program, or in the user's data folder when installed.
  const QString programPath = SettingsBase();
  ChooseLanguage(programPath);
  if (programPath.isEmpty()) {
    // Without its own path the program has no settings file to use (no /proc mounted).
    Tell(QCoreApplication::translate("CliStart", "the program's own path can't be read from /proc/self/exe"));
    return 1;
  }
  if (!ConfirmFirstRun(programPath, dialogs)) return 0;
  TellDamagedSettings(dialogs, programPath);  // before anything writes them

  const QString settingsPath = platform::QS(platform::ChangeFileExt(platform::SS(programPath), ".ini"));
  UseStampFile(platform::ToLinux(platform::ChangeFileExt(platform::SS(programPath), ".stamps")));
  std::optional<TGameRequest> request;
  if (!gameArgument.isEmpty()) {
    const TGameLookup lookup = LookUpGameArgument(gameArgument);
    if (!lookup.Game) {
      static_cast<platform::Dialogs &>(dialogs).Message(GameLookupText(lookup), platform::TMsgType::Error);
      return ecError;
    }
    request = TGameRequest{*lookup.Game, true};
  }
  const auto found = FindGames(TRegistryHives::Load(platform::Paths().Prefix()), settingsPath, request, dialogs);
  if (!found) return 0;
  for (const TGame &game : found->Games) {
    for (const TGameSet &set : GameSets(game)) {
      RemoveApplyLeftovers(set.Folders);  // copies of an apply that was killed before it placed them
      TellGameUpdates(dialogs, AdoptGameUpdates(set.Folders, settingsPath, QDateTime::currentDateTime(), set.Set));
    }
  }

  QApplication::setApplicationName(QStringLiteral("Melodeck"));
  QGuiApplication::setDesktopFileName(QStringLiteral(MELODECK_APP_ID));
  app.setWindowIcon(WindowIcon());
  {
    TFormMain form(programPath, found->Games, static_cast<int>(found->Chosen), dialogs, &lock);
    dialogs.SetParent(&form);
    THandOverServer handOver;
    if (!handOver.Listen())
      Tell(QCoreApplication::translate("CliStart", "packages opened later will not reach this window (%1)")
               .arg(HandOverSocketPath()));
    // A package that arrives while the window shows a dialog (a question, an apply converting
    // tunes) is opened once that command is done.
    QObject::connect(&handOver, &THandOverServer::PackageHandedOver, &form, [&form](const QString &windowsPath) {
      platform::RunWhenNoDialog(&form, [&form, windowsPath] {
        BringToFront(form);
        OpenPackage(form, windowsPath);
      });
    });
    form.show();
    if (!package.isEmpty())
      QTimer::singleShot(0, &form, [&form, path = PackageWindowsPath(package)] { OpenPackage(form, path); });
    app.exec();
  }
  return 0;
}

}  // namespace

int main(int argc, char **argv) {
  if (IsCommandLine(argc, argv)) return RunCommandLine(argc, argv);
  return RunWindow(argc, argv, WindowGameArgument(argc, argv));
}
