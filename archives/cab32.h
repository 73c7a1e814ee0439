// TCab32: the CAB driver (CAB32.DLL). Extracts, packs and makes self-extracting cabinets; it
// cannot remove or update.
#pragma once

#include "libraryarchiver.h"

namespace archives {

class TCab32 : public TLibraryArchiver {
 public:
  // The archive path is made absolute against the current folder.
  int Extract(ARC_HWND owner, const std::string &archive, std::string &output, bool useResFile,
              const TStringList *files, const std::string &folder, const TArchiverOptions &options) override;
  int Pack(ARC_HWND owner, const std::string &archive, std::string &output, bool useResFile, const TStringList *files,
           const std::string &baseFolder, const TArchiverOptions &options) override;
  int MakeSfx(ARC_HWND owner, const std::string &archive, std::string &output, const std::string &folder,
              const TArchiverOptions &options) override;

  static bool IsArchive(const std::string &path);

 protected:
  friend class DriverFactory;
  TCab32() : TLibraryArchiver(ArcLib::Cab32, "Cab") {}

 private:
  int Command(const char *letter, ARC_HWND owner, const std::string &archive, std::string &output, bool useResFile,
              const TStringList *files, const std::string &folder, const TArchiverOptions &o);
};

}  // namespace archives
