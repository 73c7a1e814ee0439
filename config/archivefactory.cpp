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
  const archives::TArchiverType found = archives::ArchiverTypeFromContents(name);
  if (archives::IsConcreteType(found) && found != archive->ArchiverType()) archive->SetArchiverType(found);
  return archive;
}
