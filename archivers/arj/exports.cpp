// The exported functions of libunarj32j.so. The command entry takes the LHA-style line of the
// ARJ driver: x, e and t; every switch of that syntax is accepted, and those that do not
// concern extraction change nothing. Creating ARJ archives is not supported.
#include "arcapi.h"
#include "arjarchive.h"
#include "errors.h"
#include "session.h"

ARCAPI_DECLARE_EXPORTS(Unarj)

namespace {

arc::Session &State() {
  static arc::Session session;
  return session;
}

}  // namespace

int Unarj(ARC_HWND window, const char *commandLine, char *output, uint32_t size) {
  arc::Output out(output, size);
  if (!commandLine) return arc::kErrCommandName;
  arc::Session::Busy busy(State());
  arc::LhaCommand cmd;
  if (int r = arc::ParseLhaCommand(commandLine, cmd); r != arc::kOk) return r;
  switch (cmd.letter) {
    case 'x':
    case 'e':
    case 't':
      return arj::Extract(cmd, State().ProgressWindow(window), out);
    case 'a':
    case 'u':
    case 'f':
    case 'd':
    case 'm':
    case 's':
      return arc::kErrNotSupport;
    default:
      return arc::kErrCommandName;
  }
}

HARC UnarjOpenArchive(ARC_HWND, const char *path, uint32_t) {
  if (!path) return nullptr;
  arj::ArjFile file;
  std::vector<arj::ArjEntry> entries;
  const int r = file.Open(path, entries);
  if (r == arc::kErrNotArcFile || r == arc::kErrArcFileOpen) return nullptr;
  auto listing = std::make_unique<arc::Listing>();
  for (const auto &e : entries)
    if (e.fileType != arj::kTypeLabel) listing->entries.push_back(arj::FactsOf(e));
  return State().Add(std::move(listing));
}

int UnarjCheckArchive(const char *path, int mode) {
  if (!path) return 0;
  arj::ArjFile file;
  std::vector<arj::ArjEntry> entries;
  if (file.Open(path, entries) != arc::kOk) return 0;
  if (!arc::WantsFullCrcCheck(mode)) return 1;
  arc::LhaCommand cmd;
  cmd.letter = 't';
  cmd.archive = path;
  arc::Output none(nullptr, 0);
  return arj::Extract(cmd, nullptr, none) == arc::kOk;
}

ARC_SESSION_EXPORTS(Unarj, State)
