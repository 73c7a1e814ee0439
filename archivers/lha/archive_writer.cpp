#include <algorithm>
#include <cstdint>
#include <ctime>

#include "archive.h"
#include "crc16.h"
#include "encoder.h"

namespace lha {
namespace {

struct MethodParams {
  const char *id;
  int dictBits;
};

MethodParams paramsOf(Method m) {
  switch (m) {
    case Method::Stored:
      return {"-lh0-", 0};
    case Method::Lh5:
      return {"-lh5-", 13};
    case Method::Lh6:
      return {"-lh6-", 15};
    case Method::Lh7:
      return {"-lh7-", 16};
  }
  return {"-lh5-", 13};
}

HeaderFields fieldsOf(const NewEntry &e, const WriterOptions &opt) {
  HeaderFields f;
  f.name = e.name;
  f.utf16Name = e.utf16Name;
  // A zero MS-DOS time is no date at all (month 0); derive it from the Unix time instead.
  f.dosTime = e.dosTime ? e.dosTime : dosTimeFromUnix(e.unixTime);
  f.unixTime = e.unixTime;
  f.attributes = e.attributes;
  f.level = opt.level;
  f.osId = opt.osId;
  return f;
}

// Counts and checksums what passes through, and ends the data after 4 GiB - 1 bytes, the
// most a header holds.
class CheckedSource final : public ByteSource {
 public:
  explicit CheckedSource(ByteSource &in) : in_(in) {}
  std::size_t read(std::span<std::uint8_t> buf) override {
    if (tooLarge_) return 0;
    const std::size_t n = in_.read(buf);
    count_ += n;
    if (count_ > 0xFFFFFFFFu) {
      tooLarge_ = true;
      return 0;
    }
    crc_.update(buf.first(n));
    return n;
  }
  bool failed() const override { return in_.failed(); }

  // Up to limit bytes to the sink: Error::Io when the source fails, Error::Aborted when the
  // sink refuses.
  Error copyTo(const Sink &sink, std::uint64_t limit = UINT64_MAX) {
    std::vector<std::uint8_t> buf(std::size_t{1} << 16);
    while (count_ < limit) {
      const std::size_t n = read(std::span(buf).first(std::min<std::uint64_t>(buf.size(), limit - count_)));
      if (n == 0) break;
      if (!sink(std::span(buf).first(n))) return Error::Aborted;
    }
    return failed() ? Error::Io : Error::None;
  }
  std::uint64_t count() const { return count_; }
  std::uint16_t crc() const { return crc_.value(); }
  bool tooLarge() const { return tooLarge_; }

 private:
  ByteSource &in_;
  std::uint64_t count_ = 0;
  Crc16 crc_;
  bool tooLarge_ = false;
};

}  // namespace

Error ArchiveWriter::emit(const std::vector<std::uint8_t> &bytes) { return sink_(bytes) ? Error::None : Error::Io; }

Error ArchiveWriter::addFile(const NewEntry &entry, ByteSource &source) {
  // The header needs the sizes and the CRC, known only after the last byte: the packed data
  // waits in the spill buffer (memory, then a temporary file) meanwhile.
  const bool packing = opt_.method != Method::Stored;
  MethodParams mp = paramsOf(opt_.method);
  CheckedSource counted(source);
  SpillBuffer &body = body_;
  body.clear();
  const Sink toBody = [&body](std::span<const std::uint8_t> d) { return body.write(d); };
  Error e = Error::None;
  if (packing) {
    EncoderParams ep = opt_.encoder;
    ep.dictBits = mp.dictBits;
    if (!encoder_) encoder_.emplace(ep);
    e = encoder_->encode(counted, toBody);
  } else {
    e = counted.copyTo(toBody);
  }
  if (counted.tooLarge()) return Error::TooLarge;
  if (e != Error::None) return e == Error::Aborted ? Error::Io : e;

  HeaderFields f = fieldsOf(entry, opt_);
  f.originalSize = static_cast<std::uint32_t>(counted.count());
  f.crc = counted.crc();
  // As LHA tools do: data that does not shrink is stored, where the source can be read again.
  const bool storeAgain = packing && body.size() >= counted.count() && (counted.count() == 0 || source.rewind());
  f.method = packing && !storeAgain ? mp.id : "-lh0-";
  f.packedSize = static_cast<std::uint32_t>(storeAgain ? counted.count() : body.size());

  std::vector<std::uint8_t> header;
  if (Error he = writeHeader(f, header); he != Error::None) return he;
  if (Error he = emit(header); he != Error::None) return he;
  if (!storeAgain) return body.replay(sink_) == Error::None ? Error::None : Error::Io;
  body.clear();
  // The second reading must give what the header says: a file that changed meanwhile fails.
  CheckedSource again(source);
  if (Error ce = again.copyTo(sink_, counted.count()); ce != Error::None) return Error::Io;
  return again.count() == counted.count() && again.crc() == counted.crc() ? Error::None : Error::Io;
}

Error ArchiveWriter::addFolder(const NewEntry &entry) {
  HeaderFields f = fieldsOf(entry, opt_);
  f.method = "-lhd-";
  if (f.attributes == 0x20) f.attributes = 0x10;
  std::vector<std::uint8_t> header;
  if (Error e = writeHeader(f, header); e != Error::None) return e;
  return emit(header);
}

Error ArchiveWriter::finish() { return emit({0}); }

std::uint32_t dosTimeFromUnix(std::int64_t t) {
  std::time_t tt = static_cast<std::time_t>(t);
  std::tm tm{};
  if (!localtime_r(&tt, &tm) || tm.tm_year < 80) return (1u << 21) | (1u << 16);  // 1980-01-01
  return (static_cast<std::uint32_t>(tm.tm_year - 80) << 25) | (static_cast<std::uint32_t>(tm.tm_mon + 1) << 21) |
         (static_cast<std::uint32_t>(tm.tm_mday) << 16) | (static_cast<std::uint32_t>(tm.tm_hour) << 11) |
         (static_cast<std::uint32_t>(tm.tm_min) << 5) | (static_cast<std::uint32_t>(tm.tm_sec) / 2);
}

}  // namespace lha
