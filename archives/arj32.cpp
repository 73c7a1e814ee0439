#include "arj32.h"

namespace archives {

int TArj32::Extract(ARC_HWND, const std::string &archive, std::string &output, bool useResFile,
                    const TStringList *files, const std::string &folder, const TArchiverOptions &options) {
  CommandLine = CommandFor("x", archive, useResFile, files, folder, options);
  return Run(nullptr, output);
}

int TArj32::Pack(ARC_HWND owner, const std::string &archive, std::string &output, bool useResFile,
                 const TStringList *files, const std::string &baseFolder, const TArchiverOptions &options) {
  return TArchiver::Pack(owner, archive, output, useResFile, files, baseFolder, options);
}

int TArj32::Remove(ARC_HWND owner, const std::string &archive, std::string &output, bool useResFile,
                   const TStringList *files, const TArchiverOptions &options) {
  return TArchiver::Remove(owner, archive, output, useResFile, files, options);
}

int TArj32::Update(ARC_HWND owner, const std::string &archive, std::string &output, bool useResFile,
                   const TStringList *files, const std::string &folder, const TArchiverOptions &options) {
  return TArchiver::Update(owner, archive, output, useResFile, files, folder, options);
}

int TArj32::MakeSfx(ARC_HWND owner, const std::string &archive, std::string &output, const std::string &folder,
                    const TArchiverOptions &options) {
  return TArchiver::MakeSfx(owner, archive, output, folder, options);
}

bool TArj32::IsArchive(const std::string &path) { return ProbeByOpening(ArcLib::Unarj32j, "Unarj", path); }

}  // namespace archives
