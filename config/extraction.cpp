#include "extraction.h"

#include "archivefactory.h"
#include "core/fileops.h"
#include "qtcore/qstr.h"

using platform::QS;
using platform::SS;

namespace {
constexpr int kMaxEntryLength = 260;
}  // namespace

QString ExtractSource(const TSource &source, bool fresh, TWorkFolder &work) {
  if (!source.IsEntry()) return source.Path();
  const QString &archivePath = source.Path();
  const QString entry = source.EntryPath().left(kMaxEntryLength);
  if (!TSource::IsSafeEntryPath(entry) || !platform::FileExists(SS(archivePath))) return {};
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
