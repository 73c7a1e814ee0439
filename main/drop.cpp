// Files dropped on the window: a package among them is imported. The folder tree takes drags
// over it itself and refuses them.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>

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

// Only the first file counts; anything but a package is ignored without a word.
void TFormMain::FormDropFiles(const QStringList &files) {
  if (files.isEmpty() || !IsPackageFile(files.first())) return;
  raise();
  activateWindow();
  ImportPackageFile(files.first());
}
