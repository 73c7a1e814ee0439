#include "extraction.h"

#include <QRegularExpression>

#include "archivefactory.h"
#include "core/fileops.h"
#include "qtcore/qstr.h"

using platform::QS;
using platform::SS;

namespace {
constexpr int kMaxEntryLength = 260;
}  // namespace

bool IsSafeEntryPath(const QString &entry) {
  if (entry.isEmpty() || entry.startsWith('/') || entry.startsWith('\\') || entry.contains(':')) return false;
  for (const QString &part : entry.split(QRegularExpression(QStringLiteral("[/\\\\]"))))
    if (part == QLatin1String("..")) return false;
  return true;
}

QString ExtractSource(const QString &text, bool fresh, TWorkFolder &work) {
  const qsizetype bar = text.indexOf('|');
  if (bar < 0) return text;
  const QString archivePath = text.left(bar);
  const QString entry = text.mid(bar + 1).left(kMaxEntryLength);
  if (!IsSafeEntryPath(entry) || !platform::FileExists(SS(archivePath))) return {};
  const QString folder = work.FolderFor(archivePath);
  if (folder.isEmpty() || !platform::ForceDirectories(SS(folder))) return {};
  const QString result = folder + "\\" + QString(entry).replace('/', '\\');
  if (fresh && platform::FileExists(SS(result))) platform::DeleteFile(SS(result));
  if (!platform::FileExists(SS(result))) {
    const archives::TStringList files{SS(entry)};
    OpenArchiveFile(archivePath)->Extract(nullptr, nullptr, SS(folder), &files);
  }
  return result;
}
