// Whole archives: listing and extracting entries, and writing a new archive entry by entry.
// Paths, file-system access and safety checks of names belong to the caller.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "error.h"
#include "encoder.h"
#include "header.h"
#include "io.h"
#include "spill.h"

namespace lha {

class ArchiveReader {
 public:
  explicit ArchiveReader(const ArchiveInput &in) : in_(in) {}

  // Finds the first header, skipping a self-extractor's code in front of it; a damaged header
  // at the start is Error::HeaderChecksum.
  Error open();
  // Reads the next entry; atEnd is set after the last one. After an error the reader stays
  // at the failing header.
  Error next(Entry &entry, bool &atEnd);
  // Unpacks an entry's data into the sink and checks it against the header's CRC. The sink
  // has seen every byte when a CRC error is reported. A Macintosh file packed as MacBinary
  // (MacLHA) comes out as its data fork alone; the entry's sizes and CRC are those of the
  // MacBinary form.
  Error extract(const Entry &entry, const Sink &sink) const;

 private:
  const ArchiveInput &in_;
  std::uint64_t offset_ = 0;
  bool opened_ = false;
};

// Lists every entry; stops at the first error.
Error listArchive(const ArchiveInput &in, std::vector<Entry> &entries);

enum class Method { Stored, Lh5, Lh6, Lh7 };

struct WriterOptions {
  Method method = Method::Lh5;
  int level = 2;
  // 'M' by default: Windows LHA tools write it, and readers then take the header's MS-DOS
  // attributes and code page 932 names as they are.
  std::uint8_t osId = kOsMsDos;
  // Search effort; the dictionary size follows from the method.
  EncoderParams encoder;
};

struct NewEntry {
  std::string name{};          // code page 932 bytes, folders separated by '/'
  std::u16string utf16Name{};  // the same path, set when code page 932 cannot hold it
  std::uint32_t dosTime = 0;   // local time, for header levels 0 and 1
  std::int64_t unixTime = 0;   // for header level 2
  std::uint8_t attributes = 0x20;
};

class ArchiveWriter {
 public:
  explicit ArchiveWriter(Sink sink, WriterOptions options = {}) : sink_(std::move(sink)), opt_(options) {}

  // Packs everything the source yields, a segment at a time: the memory held does not grow
  // with the entry (packed data beyond a few MiB waits in a temporary file in $TMPDIR until
  // the header is out). The data is stored instead when packing would not make it smaller
  // and the source can rewind. Entries up to 4 GiB - 1 bytes.
  Error addFile(const NewEntry &entry, ByteSource &data);
  Error addFolder(const NewEntry &entry);
  // Ends the archive with its zero byte.
  Error finish();

 private:
  Error emit(const std::vector<std::uint8_t> &bytes);
  Sink sink_;
  WriterOptions opt_;
  // Kept from entry to entry, with the memory they hold.
  std::optional<LzhEncoder> encoder_;
  SpillBuffer body_;
};

// MS-DOS date and time in local time, as header levels 0 and 1 store them.
std::uint32_t dosTimeFromUnix(std::int64_t t);

}  // namespace lha
