// melodeck: the program entry. No arguments are read; only the program's own path is used.
#include <cstdio>

#include "core/fileops.h"
#include "core/instancelock.h"
#include "core/winpath.h"
#include "formmain.h"
#include "qt/application.h"
#include "qt/qtdialogs.h"
#include "qtcore/qstr.h"
#include "startup.h"

int main(int argc, char **argv) {
  platform::InstanceLock lock;
  if (!AcquireInstance(lock)) return 0;  // another copy runs

  platform::TApplication app(argc, argv);
  platform::QtDialogs dialogs;
  platform::TApplication::SetDialogs(&dialogs);
  const QString programPath = platform::QS(platform::ProgramPath());
  if (programPath.isEmpty()) {
    // Without its own path the program has no settings file to use (no /proc mounted).
    fprintf(stderr, "melodeck: the program's own path can't be read from /proc/self/exe\n");
    return 1;
  }
  if (!ConfirmFirstRun(programPath, dialogs)) return 0;

  TGameFolders folders;
  const auto registry = platform::Registry::LoadSystemReg(platform::Paths().Prefix());
  if (!DiscoverGame(registry, dialogs, folders)) return 0;

  QApplication::setApplicationName(QStringLiteral("Melodeck"));
  {
    TFormMain form(programPath, folders, dialogs, &lock);
    dialogs.SetParent(&form);
    form.show();
    app.exec();
  }
  return 0;
}
