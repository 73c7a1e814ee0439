// The exported functions of libtar32.so.
#include "arcapi.h"
#include "errors.h"
#include "reader.h"
#include "session.h"
#include "tarcommand.h"

ARCAPI_DECLARE_EXPORTS(Tar)
ARCAPI_EXPORT int TarGetArchiveType(const char *);

namespace {

arc::Session &State() {
  static arc::Session session;
  return session;
}

}  // namespace

int Tar(ARC_HWND window, const char *commandLine, char *output, uint32_t size) {
  arc::Output out(output, size);
  if (!commandLine) return arc::kErrCommandName;
  arc::Session::Busy busy(State());
  tar::TarCommand cmd;
  if (int r = tar::ParseTarCommand(commandLine, cmd); r != arc::kOk) return r;
  const ARC_HWND progress = State().ProgressWindow(window);
  return cmd.letter == 'c' ? tar::Create(cmd, progress, out) : tar::Extract(cmd, progress, out);
}

int TarGetArchiveType(const char *path) { return path ? tar::ArchiveType(path) : 0; }

HARC TarOpenArchive(ARC_HWND, const char *path, uint32_t) {
  auto listing = std::make_unique<arc::Listing>();
  if (!path || arc::ListArchive(path, arc::Family::Tar, listing->entries) == arc::kErrNotArcFile ||
      tar::ArchiveType(path) == 0)
    return nullptr;
  return State().Add(std::move(listing));
}

int TarCheckArchive(const char *path, int mode) {
  if (!path || tar::ArchiveType(path) == 0) return 0;
  std::vector<arc::EntryFacts> entries;
  if (arc::ListArchive(path, arc::Family::Tar, entries) != arc::kOk) return 0;
  if (!arc::WantsFullCrcCheck(mode)) return 1;
  arc::ExtractRequest request;
  request.archive = path;
  request.testOnly = true;
  arc::Output none(nullptr, 0);
  return arc::ExtractArchive(request, arc::Family::Tar, nullptr, none) == arc::kOk;
}

ARC_SESSION_EXPORTS(Tar, State)
