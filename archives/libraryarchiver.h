// TLibraryArchiver: the part shared by the drivers whose format has one library and one
// prefix (LHA, CAB, ARJ, TAR, RAR): loading, listing, checking and the owner window, each
// through the like-named function of that library ("<prefix>OpenArchive", ...).
#pragma once

#include "archiver.h"
#include "library.h"

namespace archives {

class TLibraryArchiver : public TArchiver {
 public:
  // Raises the library's missing-library message when it cannot be loaded.
  void LoadDLL() override;
  void FreeDLL() override;
  // Opens with the archive path made absolute against the current folder.
  HARC OpenArchive(ARC_HWND owner, const std::string &archive, uint32_t mode) override;
  int FindFirst(HARC handle, INDIVIDUALINFO &entry, const std::string &wildcard) override;
  int FindNext(HARC handle, INDIVIDUALINFO &entry) override;
  int CloseArchive(HARC handle) override;
  int Check(const std::string &archive, int mode, int extraMode) override;  // mode + extraMode
  bool SetOwnerWindow(ARC_HWND window, ARCHIVERPROC callback) override;
  bool KillOwnerWindow(ARC_HWND window) override;

 protected:
  TLibraryArchiver(ArcLib lib, std::string prefix) : lib_(lib), prefix_(std::move(prefix)) {}

  TArchiverLibrary &Library() const { return TArchiverLibrary::Of(lib_); }
  const std::string &Prefix() const { return prefix_; }
  // Hands CommandLine to the library's command entry.
  int Run(ARC_HWND owner, std::string &output);

 private:
  ArcLib lib_;
  std::string prefix_;
};

// The probe of the LHA, CAB, ARJ and RAR drivers: open with the probing mode, close (also a
// null handle), and answer whether the handle was not null. Any error answers false.
bool ProbeByOpening(ArcLib lib, const std::string &prefix, const std::string &path);

}  // namespace archives
