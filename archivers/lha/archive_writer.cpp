#include <ctime>

#include "archive.h"
#include "crc16.h"
#include "encoder.h"

namespace lha {
namespace {

struct MethodParams {
  const char* id;
  int dictBits;
};

MethodParams paramsOf(Method m) {
  switch (m) {
    case Method::Stored: return {"-lh0-", 0};
    case Method::Lh5: return {"-lh5-", 13};
    case Method::Lh6: return {"-lh6-", 15};
    case Method::Lh7: return {"-lh7-", 16};
  }
  return {"-lh5-", 13};
}

HeaderFields fieldsOf(const NewEntry& e, const WriterOptions& opt) {
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

}  // namespace

Error ArchiveWriter::emit(const std::vector<std::uint8_t>& bytes) {
  return sink_(bytes) ? Error::None : Error::Io;
}

Error ArchiveWriter::addFile(const NewEntry& entry, ByteSource& source) {
  // Read straight into the buffer's free end, a piece at a time.
  constexpr std::size_t kPiece = 65536;
  std::vector<std::uint8_t>& data = input_;
  data.clear();
  for (;;) {
    std::size_t at = data.size();
    data.resize(at + kPiece);
    std::size_t n = source.read(std::span(data).subspan(at));
    data.resize(at + n);
    if (n == 0) break;
    if (data.size() > 0xFFFFFFFFu) return Error::TooLarge;
  }
  if (source.failed()) return Error::Io;

  HeaderFields f = fieldsOf(entry, opt_);
  f.originalSize = static_cast<std::uint32_t>(data.size());
  f.crc = Crc16::of(data);
  MethodParams mp = paramsOf(opt_.method);
  std::vector<std::uint8_t> packed;
  if (opt_.method != Method::Stored) {
    EncoderParams ep = opt_.encoder;
    ep.dictBits = mp.dictBits;
    if (!encoder_) encoder_.emplace(ep);
    packed = encoder_->encode(data);
  }
  // As LHA tools do: data that does not shrink is stored.
  const bool store = opt_.method == Method::Stored || packed.size() >= data.size();
  f.method = store ? "-lh0-" : mp.id;
  const std::vector<std::uint8_t>& body = store ? data : packed;
  f.packedSize = static_cast<std::uint32_t>(body.size());

  std::vector<std::uint8_t> header;
  if (Error e = writeHeader(f, header); e != Error::None) return e;
  if (Error e = emit(header); e != Error::None) return e;
  return emit(body);
}

Error ArchiveWriter::addFolder(const NewEntry& entry) {
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
