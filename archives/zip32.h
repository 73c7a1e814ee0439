// TZip32: the ZIP driver. Three libraries serve ZIP: UNZIP32.DLL extracts, ZIP32J.DLL creates,
// LMZIP32.DLL does both; each function is looked for across them in a fixed order.
#pragma once

#include <initializer_list>
#include <optional>
#include <utility>

#include "archiver.h"
#include "library.h"

namespace archives {

class TZip32 : public TArchiver {
 public:
  void LoadDLL() override;
  void FreeDLL() override;
  HARC OpenArchive(ARC_HWND owner, const std::string &archive, uint32_t mode) override;
  int FindFirst(HARC handle, INDIVIDUALINFO &entry, const std::string &wildcard) override;
  int FindNext(HARC handle, INDIVIDUALINFO &entry) override;
  int CloseArchive(HARC handle) override;
  int Extract(ARC_HWND owner, const std::string &archive, std::string &output, bool useResFile,
              const TStringList *files, const std::string &folder, const TArchiverOptions &options) override;
  // With ZIP32J.DLL: no command letter, the pack switches and the base folder. With only
  // LMZIP32.DLL: the existing archive file is deleted first, then "-ru" without a folder.
  int Pack(ARC_HWND owner, const std::string &archive, std::string &output, bool useResFile, const TStringList *files,
           const std::string &baseFolder, const TArchiverOptions &options) override;
  int Remove(ARC_HWND owner, const std::string &archive, std::string &output, bool useResFile, const TStringList *files,
             const TArchiverOptions &options) override;
  int Update(ARC_HWND owner, const std::string &archive, std::string &output, bool useResFile, const TStringList *files,
             const std::string &folder, const TArchiverOptions &options) override;
  // The self-extractor program (sfx32gui.dat when gw > 0, else sfx16.dat) and the archive
  // written to <name>.EXE, then "Zip" with "-A " and that path to fix the offsets inside it.
  int MakeSfx(ARC_HWND owner, const std::string &archive, std::string &output, const std::string &folder,
              const TArchiverOptions &options) override;
  int Check(const std::string &archive, int mode, int extraMode) override;  // mode only
  bool SetOwnerWindow(ARC_HWND window, ARCHIVERPROC callback) override;     // always true
  bool KillOwnerWindow(ARC_HWND window) override;                           // always true

  // Whether the file is a ZIP archive; false also when no ZIP library is present.
  static bool IsArchive(const std::string &path);

 protected:
  friend class DriverFactory;
  TZip32() = default;

 private:
  using Candidates = std::initializer_list<std::pair<ArcLib, const char *>>;
  // The first of the candidates' functions that exists; null when none does.
  static void *FindFirstOf(Candidates candidates);
  // The same, raising EArchiver: missingLibraries when none of the candidates' libraries is
  // present (when given), else "<function> のエントリが見つかりません。".
  static void *RequireFirstOf(Candidates candidates, const std::string &function, const char *missingLibraries);
  static std::string ListingName(ArcLib lib, const std::string &suffix);
  static std::pair<ArcLib, void *> Listing(const std::string &suffix, std::optional<ArcLib> only);
  std::optional<ArcLib> listingLib_;  // the library that made the open listing handle
  void AddPackSwitches(TCmdOpt &cmd, const TArchiverOptions &o) const;
  int RunZip(ARC_HWND owner, std::string &output);
};

}  // namespace archives
