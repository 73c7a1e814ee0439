#include "libraryarchiver.h"

#include "earchiver.h"

namespace archives {

void TLibraryArchiver::LoadDLL() {
  if (!Library().Load()) throw EArchiver(Library().MissingText());
}

void TLibraryArchiver::FreeDLL() { Library().Free(); }

HARC TLibraryArchiver::OpenArchive(ARC_HWND owner, const std::string &archive, uint32_t mode) {
  auto fn = Library().Require<ArcOpenArchiveFn>(prefix_ + "OpenArchive");
  return fn(owner, AbsoluteArchivePath(archive).c_str(), mode);
}

int TLibraryArchiver::FindFirst(HARC handle, INDIVIDUALINFO &entry, const std::string &wildcard) {
  return Library().Require<ArcFindFirstFn>(prefix_ + "FindFirst")(handle, wildcard.c_str(), &entry);
}

int TLibraryArchiver::FindNext(HARC handle, INDIVIDUALINFO &entry) {
  return Library().Require<ArcFindNextFn>(prefix_ + "FindNext")(handle, &entry);
}

int TLibraryArchiver::CloseArchive(HARC handle) {
  return Library().Require<ArcCloseArchiveFn>(prefix_ + "CloseArchive")(handle);
}

int TLibraryArchiver::Check(const std::string &archive, int mode, int extraMode) {
  return Library().Require<ArcCheckArchiveFn>(prefix_ + "CheckArchive")(archive.c_str(), mode + extraMode);
}

bool TLibraryArchiver::SetOwnerWindow(ARC_HWND window, ARCHIVERPROC callback) {
  const int result = Library().Require<ArcSetOwnerWindowExFn>(prefix_ + "SetOwnerWindowEx")(window, callback);
  OwnerWindow = window;
  return result != 0;
}

bool TLibraryArchiver::KillOwnerWindow(ARC_HWND window) {
  const int result = Library().Require<ArcKillOwnerWindowExFn>(prefix_ + "KillOwnerWindowEx")(window);
  OwnerWindow = nullptr;
  return result != 0;
}

int TLibraryArchiver::Run(ARC_HWND owner, std::string &output) {
  return CallCommand(Library().Require(prefix_), owner, CommandLine, output);
}

bool ProbeByOpening(ArcLib lib, const std::string &prefix, const std::string &path) {
  try {
    TArchiverLibrary &library = TArchiverLibrary::Of(lib);
    if (!library.Load()) return false;
    auto open = library.Require<ArcOpenArchiveFn>(prefix + "OpenArchive");
    auto close = library.Require<ArcCloseArchiveFn>(prefix + "CloseArchive");
    HARC handle = open(nullptr, AbsoluteArchivePath(path).c_str(), ARC_M_PROBE);
    close(handle);
    return handle != nullptr;
  } catch (const std::exception &) {
    return false;
  }
}

}  // namespace archives
