// TRar32: the RAR driver (UNRAR32.DLL). Lists, checks and extracts only.
#pragma once

#include "libraryarchiver.h"

namespace archives {

class TRar32 : public TLibraryArchiver {
 public:
  // "-x" keeps the folders inside the archive; "-e" (x = 0) drops them.
  int Extract(ARC_HWND owner, const std::string &archive, std::string &output, bool useResFile,
              const TStringList *files, const std::string &folder, const TArchiverOptions &options) override;

  static bool IsArchive(const std::string &path);

 protected:
  friend class DriverFactory;
  TRar32() : TLibraryArchiver(ArcLib::Unrar32, "Unrar") {}
};

}  // namespace archives
