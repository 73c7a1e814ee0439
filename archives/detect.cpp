#include "detect.h"

#include <cctype>

#include "arj32.h"
#include "cab32.h"
#include "core/fileops.h"
#include "lha32.h"
#include "rar32.h"
#include "tar32.h"
#include "zip32.h"

namespace archives {

namespace {

std::string Extension(const std::string &path) {
  const std::string name = platform::ExtractFileName(path);
  const size_t dot = name.rfind('.');
  if (dot == std::string::npos) return {};
  std::string ext = name.substr(dot);
  for (char &c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext;
}

struct ExtensionType {
  const char *extension;
  TArchiverType type;
};

constexpr ExtensionType kExtensions[] = {
    {".lzh", atLha}, {".zip", atZip}, {".cab", atCab}, {".arj", atArj}, {".rar", atRar}, {".tar", atTar},
    {".tgz", atTgz}, {".taz", atTgz}, {".gz", atTgz},  {".z", atTgz},   {".bz2", atBZ2},
};

}  // namespace

TArchiverType ArchiverTypeFromExtension(const std::string &path) {
  const std::string ext = Extension(path);
  if (ext == ".exe") return ArchiverTypeFromContents(path);
  for (const auto &e : kExtensions)
    if (ext == e.extension) return e.type;
  return atNone;
}

TArchiverType ArchiverTypeFromContents(const std::string &path) {
  const bool lha = TLha32::IsArchive(path);
  const bool zip = TZip32::IsArchive(path);
  const bool cab = TCab32::IsArchive(path);
  const bool arj = TArj32::IsArchive(path);
  const bool rar = TRar32::IsArchive(path);
  const int tar = TTar32::ArchiveType(path);
  if (lha) return atLha;
  if (zip) return atZip;
  if (cab) return atCab;
  if (arj) return atArj;
  if (rar) return atRar;
  if (tar == ARC_TYPE_TAR) return atTar;
  if (tar >= ARC_TYPE_GZIP_FIRST && tar <= ARC_TYPE_GZIP_LAST) return atTgz;
  if (tar >= ARC_TYPE_BZIP2_FIRST && tar <= ARC_TYPE_BZIP2_LAST) return atBZ2;
  return atNone;
}

}  // namespace archives
