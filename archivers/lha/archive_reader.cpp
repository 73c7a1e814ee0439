#include "archive.h"
#include "decoder.h"
#include "macbinary.h"

namespace lha {

Error ArchiveReader::open() {
  Error e = findFirstHeader(in_, offset_);
  opened_ = e == Error::None;
  return e;
}

Error ArchiveReader::next(Entry &entry, bool &atEnd) {
  atEnd = false;
  if (!opened_) {
    if (Error e = open(); e != Error::None) return e;
  }
  HeaderStatus st;
  if (Error e = readHeader(in_, offset_, entry, st); e != Error::None) return e;
  if (st == HeaderStatus::End) {
    atEnd = true;
    return Error::None;
  }
  offset_ = entry.dataOffset + entry.packedSize;
  return Error::None;
}

Error ArchiveReader::extract(const Entry &entry, const Sink &sink) const {
  const MethodInfo *m = findMethod(entry.method);
  if (!m) return Error::UnsupportedMethod;
  if (m->folder) return Error::None;
  RangeSource packed(in_, entry.dataOffset, entry.packedSize);
  DecodeResult r;
  if (entry.osId == kOsMacintosh) {
    // The file is its data fork; the CRC covers the whole MacBinary form.
    MacBinarySink mac(sink, entry.originalSize);
    r = m->decode(packed, entry.originalSize, [&mac](std::span<const std::uint8_t> d) { return mac.write(d); });
    if (!mac.finish() && r.error == Error::None) r.error = Error::Aborted;
  } else {
    r = m->decode(packed, entry.originalSize, sink);
  }
  if (r.error != Error::None) return r.error;
  if (packed.failed()) return Error::Io;
  if (r.written != entry.originalSize) return Error::Truncated;
  if (entry.hasCrc && r.crc != entry.crc) return Error::DataCrc;
  return Error::None;
}

Error listArchive(const ArchiveInput &in, std::vector<Entry> &entries) {
  ArchiveReader reader(in);
  for (;;) {
    Entry e;
    bool atEnd = false;
    if (Error err = reader.next(e, atEnd); err != Error::None) return err;
    if (atEnd) return Error::None;
    entries.push_back(std::move(e));
  }
}

}  // namespace lha
