// The command entry of libunzip32.so: "-x" extracts, with "-o" (overwrite without asking),
// "--i" (no dialogs; there are none) and "-j" (no folders).
#include "arcapi.h"
#include "cmdline.h"
#include "errors.h"
#include "reader.h"
#include "ziplisting.h"

ARCAPI_EXPORT int UnZip(ARC_HWND, const char *, char *, uint32_t);

int UnZip(ARC_HWND window, const char *commandLine, char *output, uint32_t size) {
  arc::Output out(output, size);
  std::vector<arc::Piece> pieces;
  if (!commandLine || !arc::SplitCommandLine(commandLine, pieces) || pieces.empty()) return arc::kErrCommandName;
  arc::Session::Busy busy(zip::State());
  bool extract = false, test = false;
  arc::ExtractRequest request;
  // Nobody can be asked: without "-o" an existing file newer than the entry stays.
  request.overwrite = arc::Overwrite::UnlessNewer;
  std::vector<std::string> names;
  for (const auto &p : pieces) {
    if (!arc::IsSwitch(p)) {
      if (!p.text.empty()) names.push_back(p.text);
      continue;
    }
    if (p.text == "-x") extract = true;
    else if (p.text == "-t") test = true;
    else if (p.text == "-o") request.overwrite = arc::Overwrite::Always;
    else if (p.text == "-j") request.keepFolders = false;
    // "--i" and the rest of Info-ZIP's switches change nothing here.
  }
  if (!extract && !test) return arc::kErrCommandName;
  if (names.empty()) return arc::kErrCommandName;
  request.archive = names[0];
  size_t next = 1;
  if (next < names.size() && (names[next].back() == '\\' || names[next].back() == '/') && names[next][0] != '@')
    request.folder = names[next++];
  std::vector<std::string> files;
  if (!arc::ExpandResponseFiles({names.begin() + static_cast<std::ptrdiff_t>(next), names.end()}, files))
    return arc::kErrResponseRead;
  request.files = zip::Unescape(files);
  request.testOnly = test && !extract;
  std::vector<arc::EntryFacts> probe;
  if (int r = zip::ListZip(request.archive, probe); r != arc::kOk) return r;
  return arc::ExtractArchive(request, arc::Family::Zip, zip::State().ProgressWindow(window), out);
}
