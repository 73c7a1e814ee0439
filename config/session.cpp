#include "session.h"

namespace {
// The archive component as the program uses it: automatic detection, attributes kept, no
// progress window, recursion into folders, folders kept, the strongest LHA method.
constexpr char kArchiveFileForm[] =
    "FileName = unset\n"
    "OutputSize = 0\n"
    "ArchiverType = atAutoDetect\n"
    "Options.a = 2\n"
    "Options.n = 1\n"
    "Options.r = 2\n"
    "Options.x = 1\n"
    "Options.jm = 4\n"
    "Options.jyc = -1\n"
    "Options.w = unset\n"
    "Options.jo = unset\n"
    "Options.job = unset\n"
    "Options.jz = unset\n"
    "Options.gr = unset\n"
    "Options.ResFileUsage = [ruOnPack, ruOnUnpack, ruOnRemoveItem]\n";
}  // namespace

TSession::TSession(const QString &programPath, const TGameFolders &folders, platform::Dialogs &dialogs)
    : Folders(folders),
      Dialogs(dialogs),
      SceneTable(BuiltInSceneTable()),
      Store(programPath, Folders, SceneTable, dialogs) {
  ArchiveFile.ReadStoredForm(kArchiveFileForm);
}

void TSession::CleanUpAtExit() {
  Store.SaveConfig(Store.Settings(), Store.CurrentConfig);
  WorkFolder.Remove();
}
