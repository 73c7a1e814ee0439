#include <sys/stat.h>

#include "commands.h"
#include "errors.h"
#include "lhaextraction.h"
#include "lhafile.h"

namespace unlha {

namespace {

mode_t ModeOf(const lha::Entry &e) {
  if (e.unixMode) return static_cast<mode_t>(*e.unixMode & 0777) | S_IRUSR | S_IWUSR;
  return (e.attributes & arc::kAttrReadOnly) ? 0444 : 0644;
}

// The entries read from the headers, unpacked through the codec.
class LhaEntries : public arc::EntryReader {
 public:
  LhaEntries(const lha::ArchiveInput &input, const std::vector<lha::Entry> &entries)
      : reader_(input), entries_(entries) {}

  int Next(arc::EntryHeader &header, bool &atEnd) override {
    if (next_ == entries_.size()) {
      atEnd = true;
      return arc::kOk;
    }
    const lha::Entry &entry = entries_[next_++];
    header.facts = FactsOf(entry);
    header.kind = IsLink(entry)      ? arc::EntryHeader::Kind::Link
                  : entry.isFolder() ? arc::EntryHeader::Kind::Folder
                                     : arc::EntryHeader::Kind::File;
    header.mode = ModeOf(entry);
    header.mtime = EntryTime(entry);
    return arc::kOk;
  }

  int Unpack(arc::EntryData &data, std::string &why) override {
    const lha::Error e =
        reader_.extract(entries_[next_ - 1], [&data](std::span<const uint8_t> d) { return data.Write(d); });
    if (e != lha::Error::None) why = lha::errorText(e);
    return ResultOf(e);
  }

 private:
  lha::ArchiveReader reader_;
  const std::vector<lha::Entry> &entries_;
  size_t next_ = 0;
};

}  // namespace

int Extract(const arc::LhaCommand &cmd, ARC_HWND progress, arc::Output &out) {
  LhaFile file;
  if (int r = file.Open(cmd.archive); r != arc::kOk) return r;
  std::vector<lha::Entry> entries;
  const int found = file.ReadEntries(entries);
  if (found == arc::kErrNotArcFile) return found;
  LhaEntries reader(file.Input(), entries);
  return arc::ExtractEntries(reader, arc::LhaExtractRequest(cmd), progress, out, found);
}

}  // namespace unlha
