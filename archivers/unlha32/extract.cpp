#include <sys/stat.h>

#include "commands.h"
#include "destination.h"
#include "lhaextraction.h"
#include "errors.h"
#include "lhafile.h"
#include "names.h"
#include "session.h"

namespace unlha {

namespace {

mode_t ModeOf(const lha::Entry &e) {
  if (e.unixMode) return static_cast<mode_t>(*e.unixMode & 0777) | S_IRUSR | S_IWUSR;
  return (e.attributes & arc::kAttrReadOnly) ? 0444 : 0644;
}

}  // namespace

int Extract(const arc::LhaCommand &cmd, ARC_HWND progress, arc::Output &out) {
  LhaFile file;
  if (int r = file.Open(cmd.archive); r != arc::kOk) return r;
  std::vector<lha::Entry> entries;
  int result = file.ReadEntries(entries);
  if (result == arc::kErrNotArcFile) return result;

  const arc::LhaExtraction plan(cmd);
  const bool testOnly = plan.testOnly;
  const bool keepFolders = plan.keepFolders;
  arc::Destination dest;
  if (int r = plan.OpenDestination(dest); r != arc::kOk) return r;
  lha::ArchiveReader reader(file.Input());

  for (const lha::Entry &entry : entries) {
    const arc::EntryFacts facts = FactsOf(entry);
    if (!plan.Wants(facts.name)) continue;
    std::vector<std::string> parts;
    if (!plan.Place(facts.name, parts, out, result)) continue;
    if (IsLink(entry)) {
      // A link could lead later entries outside the folder; it is left out.
      out.Line("link not extracted: " + facts.name);
      continue;
    }
    if (entry.isFolder()) {
      if (keepFolders) arc::Keep(result, dest.MakeFolders(parts));
      continue;
    }
    if (!keepFolders) parts = {parts.back()};
    const std::string shown = arc::JoinParts(parts);
    if (arc::Report(progress, ARC_ARCEXTRACT_BEGIN, facts, shown, 0)) return arc::kErrUserCancel;

    lha::Error e;
    if (testOnly) {
      e = reader.extract(entry, [](std::span<const uint8_t>) { return true; });
    } else {
      int created = arc::kOk;
      auto pending = dest.Create(parts, &created);
      if (!pending) {
        arc::Keep(result, created);
        continue;
      }
      bool aborted = false;
      bool writeFailed = false;
      e = reader.extract(entry, [&](std::span<const uint8_t> d) {
        if (!pending->Write(d)) {
          writeFailed = true;
          return false;
        }
        aborted = arc::Report(progress, ARC_ARCEXTRACT_INPROCESS, facts, shown, pending->Written());
        return !aborted;
      });
      if (aborted) return arc::kErrUserCancel;
      if (writeFailed) e = lha::Error::Io;
      // A file that failed its check is not kept under the entry's name.
      if (e == lha::Error::None) arc::Keep(result, pending->Commit(EntryTime(entry), ModeOf(entry)));
    }
    if (e != lha::Error::None) {
      out.Line(std::string(lha::errorText(e)) + ": " + facts.name);
      arc::Keep(result, ResultOf(e));
    }
    if (arc::Report(progress, ARC_ARCEXTRACT_END, facts, shown, facts.originalSize)) return arc::kErrUserCancel;
  }
  return result;
}

}  // namespace unlha
