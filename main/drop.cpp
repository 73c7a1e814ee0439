// Files dropped on the window: a package among them is imported; a folder or ClassicUO's
// settings.json is a game to add. The folder tree takes drags over it itself and refuses them.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>

#include "core/fileops.h"
#include "core/winpath.h"
#include "formmain.h"
#include "packageimport.h"
#include "qtcore/qstr.h"

namespace {
QStringList DroppedFiles(const QMimeData *data) {
  QStringList files;
  if (!data) return files;
  for (const QUrl &url : data->urls())
    if (url.isLocalFile()) files << platform::QS(platform::ToWindows(platform::SS(url.toLocalFile())));
  return files;
}

bool IsGameToAdd(const QString &file) {
  const QString name = file.mid(file.lastIndexOf('\\') + 1);
  return platform::DirectoryExists(platform::SS(file)) ||
         name.compare(QLatin1String("settings.json"), Qt::CaseInsensitive) == 0;
}
}  // namespace

void TFormMain::dragEnterEvent(QDragEnterEvent *event) {
  if (!DroppedFiles(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void TFormMain::dropEvent(QDropEvent *event) {
  const QStringList files = DroppedFiles(event->mimeData());
  if (files.isEmpty()) return;
  event->acceptProposedAction();
  // After the drop has finished: the drag's source is not kept waiting through the questions.
  QMetaObject::invokeMethod(
      this, [this, files] { FormDropFiles(files); }, Qt::QueuedConnection);
}

// Only the first file counts; anything but a package, a folder or settings.json is ignored
// without a word.
void TFormMain::FormDropFiles(const QStringList &files) {
  if (files.isEmpty()) return;
  const QString &file = files.first();
  const bool package = IsPackageFile(file);
  if (!package && !IsGameToAdd(file)) return;
  raise();
  activateWindow();
  if (package) ImportPackageFile(file);
  else AddGameFolder(file);
}
