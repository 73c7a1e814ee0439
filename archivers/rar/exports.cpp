// libunrar32.so: RAR 4 and RAR 5 as libarchive reads them. "-x" extracts with folders, "-e"
// without; "-u" keeps an existing file that is newer than the entry, "-y" answers yes to
// overwriting; "-s" and the rest change nothing here.
#include "arcapi.h"
#include "cmdline.h"
#include "errors.h"
#include "reader.h"
#include "session.h"

ARCAPI_DECLARE_EXPORTS(Unrar)

namespace {

arc::Session &State() {
  static arc::Session session;
  return session;
}

}  // namespace

int Unrar(ARC_HWND window, const char *commandLine, char *output, uint32_t size) {
  arc::Output out(output, size);
  std::vector<arc::Piece> pieces;
  if (!commandLine || !arc::SplitCommandLine(commandLine, pieces) || pieces.empty()) return arc::kErrCommandName;
  arc::Session::Busy busy(State());
  arc::ExtractRequest request;
  bool update = false;
  std::vector<std::string> names;
  const std::string &command = pieces[0].text;
  if (command == "-e" || command == "e") request.keepFolders = false;
  else if (command == "-t" || command == "t") request.testOnly = true;
  else if (command != "-x" && command != "x") return arc::kErrCommandName;
  for (size_t i = 1; i < pieces.size(); ++i) {
    if (!arc::IsSwitch(pieces[i])) {
      if (!pieces[i].text.empty()) names.push_back(pieces[i].text);
    } else if (pieces[i].text == "-u") {
      update = true;
    }
  }
  // Nobody is asked: without "-u" the answer is to overwrite, which is what "-y" says.
  request.overwrite = update ? arc::Overwrite::UnlessNewer : arc::Overwrite::Always;
  if (int r = arc::SplitNames(names, request.archive, request.folder, request.files); r != arc::kOk) return r;
  return arc::ExtractArchive(request, arc::Family::Rar, State().ProgressWindow(window), out);
}

HARC UnrarOpenArchive(ARC_HWND, const char *path, uint32_t) {
  return arc::OpenListing(State(), path, arc::Family::Rar);
}
int UnrarCheckArchive(const char *path, int mode) { return arc::CheckWithReader(path, mode, arc::Family::Rar); }

ARC_SESSION_EXPORTS(Unrar, State)
