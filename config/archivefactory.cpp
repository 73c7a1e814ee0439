#include "archivefactory.h"

#include "detect.h"
#include "qtcore/qstr.h"

namespace {
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

// Whether the probe of the type's format accepts the file.
bool ProbeAccepts(archives::TArchiverType type, const std::string &path) {
  const archives::DriverInfo *row = archives::FindDriver(type);
  if (!row) return false;
  const int answer = row->probe.answer(path);
  return answer >= row->probe.first && answer <= row->probe.last;
}
}  // namespace

std::unique_ptr<archives::TArchiveFile> MakeArchiveFile() {
  auto archive = std::make_unique<archives::TArchiveFile>();
  archive->ReadStoredForm(kArchiveFileForm);
  return archive;
}

std::unique_ptr<archives::TArchiveFile> OpenArchiveFile(const QString &path) {
  auto archive = MakeArchiveFile();
  const std::string name = platform::SS(path);
  archive->SetFileName(name);
  // The extension's format when the bytes are of it: an archive may hold another format's
  // archive, stored, which a probe that looks past the start (for self-extractors) also sees.
  if (ProbeAccepts(archive->ArchiverType(), name)) return archive;
  const archives::TArchiverType found = archives::ArchiverTypeFromContents(name);
  if (archives::IsConcreteType(found)) archive->SetArchiverType(found);
  return archive;
}
