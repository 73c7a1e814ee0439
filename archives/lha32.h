// TLha32: the LHA driver (UNLHA32.DLL), the one packages rely on. Every switch of
// TArchiverOptions reaches its command line, in the options' order.
#pragma once

#include "libraryarchiver.h"

namespace archives {

class TLha32 : public TLibraryArchiver {
 public:
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

  // Whether the file is an LHA archive; false also when the library is missing.
  static bool IsArchive(const std::string &path);

 protected:
  friend class DriverFactory;
  TLha32() : TLibraryArchiver(ArcLib::Unlha32, "Unlha") {}
  TLha32(ArcLib lib, std::string prefix) : TLibraryArchiver(lib, std::move(prefix)) {}

  // The command letter followed by every switch, the archive, the folder and the file list.
  std::string CommandFor(const std::string &letter, const std::string &archive, bool useResFile,
                         const TStringList *files, const std::string &folder, const TArchiverOptions &options) const;
};

}  // namespace archives
