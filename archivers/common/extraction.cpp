#include "extraction.h"

#include "core/fullpath.h"
#include "core/winpath.h"
#include "errors.h"
#include "names.h"
#include "session.h"

namespace arc {

bool EntryData::Write(std::span<const uint8_t> data) {
  if (file_ && !file_->Write(data)) {
    writeFailed_ = true;
    return false;
  }
  written_ += data.size();
  cancelled_ = Report(progress_, ARC_ARCEXTRACT_INPROCESS, facts_, shown_, written_);
  return !cancelled_;
}

std::string LinuxPathOf(const std::string &windowsPath) {
  return platform::ToLinux(platform::ExpandFileName(windowsPath.empty() ? "." : windowsPath));
}

Extraction::Extraction(const ExtractRequest &request, ARC_HWND progress, Output &out, int found)
    : req_(request), progress_(progress), out_(out), selector_(request.files), result_(found) {}

int Extraction::OpenDestination() {
  if (req_.testOnly) return kOk;
  const std::string folder = LinuxPathOf(req_.folder);
  return !folder.empty() && dest_.Open(folder) ? kOk : kErrMakeDirectory;
}

bool Extraction::Chooses(const EntryFacts &facts) const {
  return selector_.Selects(facts.name) && !req_.exclusions.Excludes(facts.name);
}

Extraction::Step Extraction::Begin(const EntryHeader &header) {
  const EntryFacts &facts = header.facts;
  if (!Chooses(facts)) return Step::Skip;
  std::vector<std::string> parts;
  if (SplitEntryPath(facts.name, parts) == PathCheck::Refused) {
    out_.Line("refused (leaves the folder): " + facts.name);
    Keep(kErrNotFilename);
    return Step::Skip;
  }
  switch (header.kind) {
    case EntryHeader::Kind::Link:
      out_.Line("not extracted (a link): " + facts.name);
      return Step::Skip;
    case EntryHeader::Kind::Special:
      out_.Line("not extracted (not a file): " + facts.name);
      return Step::Skip;
    case EntryHeader::Kind::Unsupported:
      out_.Line(header.why + ": " + facts.name);
      Keep(header.refusal);
      return Step::Skip;
    case EntryHeader::Kind::Folder:
      if (req_.keepFolders && !req_.testOnly) Keep(dest_.MakeFolders(parts));
      return Step::Skip;
    case EntryHeader::Kind::File:
      break;
  }
  if (!req_.keepFolders) parts = {parts.back()};
  if (!req_.testOnly && req_.overwrite != Overwrite::Always) {
    int64_t existing = 0;
    if (dest_.Exists(parts, &existing) && (req_.overwrite == Overwrite::Never || existing >= facts.mtime))
      return Step::Skip;
  }
  parts_ = std::move(parts);
  shown_ = JoinParts(parts_);
  return Report(progress_, ARC_ARCEXTRACT_BEGIN, facts, shown_, 0) ? Step::Stop : Step::Take;
}

int Extraction::Finish(const EntryHeader &header, const Unpack &unpack, bool hold) {
  const EntryFacts &facts = header.facts;
  std::unique_ptr<PendingFile> pending;
  if (!req_.testOnly) {
    int created = kOk;
    pending = dest_.Create(parts_, &created);
    if (!pending) {
      Keep(created);
      return kOk;
    }
  }
  EntryData data(pending.get(), progress_, facts, shown_);
  std::string why;
  int result = unpack(data, why);
  if (data.Cancelled()) return kErrUserCancel;
  if (data.WriteFailed()) {
    result = kErrCannotWrite;
    why = "cannot write";
  }
  if (result != kOk) out_.Line((why.empty() ? std::string("bad data") : why) + ": " + facts.name);
  else if (pending && hold) {
    result = pending->Close(header.mtime, header.mode);
    if (result == kOk) held_.push_back({std::move(pending), facts.name});
  } else if (pending) {
    result = pending->Commit(header.mtime, header.mode);  // a file that failed is never kept
  }
  Keep(result);
  return Report(progress_, ARC_ARCEXTRACT_END, facts, shown_, data.Written()) ? kErrUserCancel : kOk;
}

void Extraction::PlaceHeld() {
  for (Held &h : held_) Keep(h.file->Place());
  held_.clear();
}

void Extraction::DropHeld() {
  for (const Held &h : held_) out_.Line("not kept, its data failed the check: " + h.name);
  held_.clear();
}

int ExtractEntries(EntryReader &reader, const ExtractRequest &request, ARC_HWND progress, Output &out, int found) {
  Extraction extraction(request, progress, out, found);
  if (int r = extraction.OpenDestination(); r != kOk) return r;
  for (;;) {
    EntryHeader header;
    bool atEnd = false;
    if (int r = reader.Next(header, atEnd); r != kOk) {
      extraction.DropHeld();
      extraction.Keep(r);
      break;
    }
    if (reader.Checked()) extraction.PlaceHeld();
    if (atEnd) break;
    switch (extraction.Begin(header)) {
      case Extraction::Step::Skip:
        continue;
      case Extraction::Step::Stop:
        return kErrUserCancel;
      case Extraction::Step::Take:
        break;
    }
    const Unpack unpack = [&reader](EntryData &data, std::string &why) { return reader.Unpack(data, why); };
    if (extraction.Finish(header, unpack, reader.ChecksLater()) == kErrUserCancel) return kErrUserCancel;
  }
  return extraction.Result();
}

}  // namespace arc
