// Files dropped on the window: a package among them is imported; a music file dropped on a
// scene's row is assigned to that scene. The folder tree takes drags over it itself and
// refuses them.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>

#include "core/fileops.h"
#include "core/winpath.h"
#include "formmain.h"
#include "musicfiles.h"
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
}  // namespace

void TFormMain::dragEnterEvent(QDragEnterEvent *event) {
  if (!DroppedFiles(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void TFormMain::dropEvent(QDropEvent *event) {
  const QStringList files = DroppedFiles(event->mimeData());
  if (files.isEmpty()) return;
  event->acceptProposedAction();
  // The row under the drop is taken now: the list may scroll before the drop is handled.
  const QPoint at = ListView->viewport()->mapFrom(this, event->position().toPoint());
  const QTreeWidgetItem *row = ListView->viewport()->rect().contains(at) ? ListView->itemAt(at) : nullptr;
  const int scene = row ? sceneList_->SceneOfRow(row) : -1;
  // After the drop has finished: the drag's source is not kept waiting through the questions.
  QMetaObject::invokeMethod(
      this, [this, files, scene] { FormDropFiles(files, scene); }, Qt::QueuedConnection);
}

// Only the first file counts; anything but a package, ClassicUO's settings.json, a folder, or a
// music file on a scene's row, is ignored without a word. A dropped folder or settings.json is a
// game to add.
void TFormMain::FormDropFiles(const QStringList &files, int scene) {
  if (files.isEmpty()) return;
  const QString &file = files.first();
  if (IsPackageFile(file)) {
    raise();
    activateWindow();
    ImportPackageFile(file);
    return;
  }
  const QString name = file.mid(file.lastIndexOf('\\') + 1);
  if (platform::DirectoryExists(platform::SS(file)) ||
      name.compare(QLatin1String("settings.json"), Qt::CaseInsensitive) == 0) {
    raise();
    activateWindow();
    AddGameFolder(file);
    return;
  }
  if (scene < 0 || !IsMusicFileName(file) || !platform::FileExists(platform::SS(file))) return;
  raise();
  activateWindow();
  AssignSource(scene, file);
}
