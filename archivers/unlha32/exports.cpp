// The exported functions of libunlha32.so, with the names and types of the archiver interface.
#include "arcapi.h"
#include "commands.h"
#include "errors.h"
#include "lhafile.h"
#include "session.h"

ARCAPI_DECLARE_EXPORTS(Unlha)

namespace {

arc::Session &State() {
  static arc::Session session;
  return session;
}

std::unique_ptr<arc::Listing> ListArchive(const char *path, int *result) {
  unlha::LhaFile file;
  *result = file.Open(path ? path : "");
  if (*result != arc::kOk) return nullptr;
  std::vector<lha::Entry> entries;
  *result = file.ReadEntries(entries);
  if (*result == arc::kErrNotArcFile) return nullptr;
  auto listing = std::make_unique<arc::Listing>();
  for (const auto &e : entries) listing->entries.push_back(unlha::FactsOf(e));
  return listing;
}

}  // namespace

int Unlha(ARC_HWND window, const char *commandLine, char *output, uint32_t size) {
  arc::Output out(output, size);
  if (!commandLine) return arc::kErrCommandName;
  arc::Session::Busy busy(State());
  arc::LhaCommand cmd;
  if (int r = arc::ParseLhaCommand(commandLine, cmd); r != arc::kOk) return r;
  const ARC_HWND progress = State().ProgressWindow(window);
  switch (cmd.letter) {
    case 'x':
    case 'e':
    case 't':
      return unlha::Extract(cmd, progress, out);
    case 'a':
    case 'u':
    case 'f':
    case 'd':
      return unlha::Update(cmd, progress, out);
    case 'l':
    case 'v':
      return unlha::List(cmd, out);
    case 's':
      // Self-extracting archives need a Windows self-extractor program; there is none here.
      return arc::kErrNotSupport;
    default:
      return arc::kErrCommandName;
  }
}

HARC UnlhaOpenArchive(ARC_HWND, const char *path, uint32_t) {
  // Nothing is ever shown or printed, so probing (mode 0x800002) needs no care of its own.
  int result = arc::kOk;
  auto listing = ListArchive(path, &result);
  return listing ? State().Add(std::move(listing)) : nullptr;
}

int UnlhaCheckArchive(const char *path, int mode) {
  if (!arc::WantsFullCrcCheck(mode)) {
    int result = arc::kOk;
    return ListArchive(path, &result) && result == arc::kOk;
  }
  arc::LhaCommand cmd;
  cmd.letter = 't';
  cmd.archive = path ? path : "";
  arc::Output none(nullptr, 0);
  return unlha::Extract(cmd, nullptr, none) == arc::kOk;
}

ARC_SESSION_EXPORTS(Unlha, State)
