// libcab32.so: "-x" extracts through libgcab, "-a" creates with libgcab, "-f" (a
// self-extracting cabinet) is not supported. Switches: "-o" overwrite without asking, "-i" no
// dialogs (there are none), "-r" folders with their contents, "-j" without folders, "-q"
// quiet; the rest change nothing here.
#include <sys/stat.h>

#include "arcapi.h"
#include "cabread.h"
#include "cabwrite.h"
#include "cmdline.h"
#include "errors.h"
#include "filescan.h"
#include "reader.h"
#include "session.h"

ARCAPI_DECLARE_EXPORTS(Cab)

namespace {

arc::Session &State() {
  static arc::Session session;
  return session;
}

}  // namespace

int Cab(ARC_HWND window, const char *commandLine, char *output, uint32_t size) {
  arc::Output out(output, size);
  std::vector<arc::Piece> pieces;
  if (!commandLine || !arc::SplitCommandLine(commandLine, pieces) || pieces.empty()) return arc::kErrCommandName;
  arc::Session::Busy busy(State());
  const std::string command = pieces[0].text;
  if (command == "-f") return arc::kErrNotSupport;
  if (command != "-x" && command != "-a" && command != "-t") return arc::kErrCommandName;
  bool overwrite = false, recurse = false, junk = false;
  std::vector<std::string> names;
  for (size_t i = 1; i < pieces.size(); ++i) {
    const std::string &t = pieces[i].text;
    if (!arc::IsSwitch(pieces[i])) {
      if (!t.empty()) names.push_back(t);
    } else if (t == "-o") {
      overwrite = true;
    } else if (t == "-r") {
      recurse = true;
    } else if (t == "-j") {
      junk = true;
    }
  }
  std::string archive, folder;
  std::vector<std::string> files;
  if (int r = arc::SplitNames(names, archive, folder, files); r != arc::kOk) return r;
  const ARC_HWND progress = State().ProgressWindow(window);
  if (command == "-a") {
    const std::string target = arc::LinuxPathOf(archive);
    if (target.empty()) return arc::kErrArcFileOpen;
    arc::ScanOptions scan;
    scan.recursion = recurse ? 2 : 0;
    scan.storePaths = !junk;
    scan.folderEntries = false;
    scan.skipLinuxPath = target;
    std::vector<arc::ScanItem> items;
    if (int r = arc::ScanFiles(folder, files, scan, items); r != arc::kOk) return r;
    return cab::WriteCabinet(target, items, progress, out);
  }
  arc::ExtractRequest request;
  request.archive = archive;
  request.folder = folder;
  request.files = files;
  request.keepFolders = !junk;
  request.testOnly = command == "-t";
  // Nobody can be asked: without "-o" an existing file newer than the entry stays.
  request.overwrite = overwrite ? arc::Overwrite::Always : arc::Overwrite::UnlessNewer;
  return cab::ExtractCabinet(request, progress, out);
}

HARC CabOpenArchive(ARC_HWND, const char *path, uint32_t) {
  if (!path) return nullptr;
  auto listing = std::make_unique<arc::Listing>();
  const int r = cab::ListCabinet(path, listing->entries);
  if (r == arc::kErrNotArcFile || r == arc::kErrArcFileOpen) return nullptr;
  return State().Add(std::move(listing));
}

// The headers are checked by listing them as OpenArchive does; the full check unpacks every
// entry the way "-t" does.
int CabCheckArchive(const char *path, int mode) {
  std::vector<arc::EntryFacts> entries;
  if (!path || cab::ListCabinet(path, entries) != arc::kOk) return 0;
  if (!arc::WantsFullCrcCheck(mode)) return 1;
  arc::ExtractRequest request;
  request.archive = path;
  request.testOnly = true;
  arc::Output none(nullptr, 0);
  return cab::ExtractCabinet(request, nullptr, none) == arc::kOk;
}

ARC_SESSION_EXPORTS(Cab, State)
