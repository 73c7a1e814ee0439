// TArj32: the ARJ driver (UNARJ32J.DLL). It lists, checks and extracts with the LHA command
// line through the "Unarj" functions. It cannot pack, remove, update or make self-extracting
// archives: the LHA versions of those would hand LHA commands for an ARJ file to UNLHA32.DLL.
#pragma once

#include "lha32.h"

namespace archives {

class TArj32 : public TLha32 {
 public:
  // Always with owner window 0: the library is given no window to report to.
  int Extract(ARC_HWND owner, const std::string &archive, std::string &output, bool useResFile,
              const TStringList *files, const std::string &folder, const TArchiverOptions &options) override;
  int Pack(ARC_HWND owner, const std::string &archive, std::string &output, bool useResFile, const TStringList *files,
           const std::string &baseFolder, const TArchiverOptions &options) override;
  int Remove(ARC_HWND owner, const std::string &archive, std::string &output, bool useResFile, const TStringList *files,
             const TArchiverOptions &options) override;
  int Update(ARC_HWND owner, const std::string &archive, std::string &output, bool useResFile, const TStringList *files,
             const std::string &folder, const TArchiverOptions &options) override;
  int MakeSfx(ARC_HWND owner, const std::string &archive, std::string &output, const std::string &folder,
              const TArchiverOptions &options) override;

  static bool IsArchive(const std::string &path);

 protected:
  friend class DriverFactory;
  TArj32() : TLha32(ArcLib::Unarj32j, "Unarj") {}
};

}  // namespace archives
