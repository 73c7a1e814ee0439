#include <algorithm>

#include "bytes.h"
#include "crc16.h"
#include "header.h"

namespace lha {
namespace {

struct Ext {
  std::uint8_t type;
  std::vector<std::uint8_t> data;
};

std::vector<std::uint8_t> bytesOf(const std::string &s) { return {s.begin(), s.end()}; }

// Folder parts in extended header 0x02 end in 0xFF each.
std::vector<std::uint8_t> folderField(const std::string &folder) {
  std::vector<std::uint8_t> v = bytesOf(folder);
  std::replace(v.begin(), v.end(), std::uint8_t{'/'}, std::uint8_t{0xFF});
  v.push_back(0xFF);
  return v;
}

std::vector<std::uint8_t> utf16Field(const std::u16string &s, bool folder) {
  std::vector<std::uint8_t> v;
  for (char16_t c : s) put16(v, folder && c == u'/' ? 0xFFFF : c);
  if (folder) put16(v, 0xFFFF);
  return v;
}

void appendBase(std::vector<std::uint8_t> &h, const HeaderFields &f, std::uint32_t packed, std::uint32_t time) {
  h.insert(h.end(), f.method.begin(), f.method.end());
  put32(h, packed);
  put32(h, f.originalSize);
  put32(h, time);
}

// Appends the chain: every header is preceded by its size field, the last by a zero size.
void appendExt(std::vector<std::uint8_t> &h, const std::vector<Ext> &exts) {
  for (const Ext &e : exts) {
    put16(h, static_cast<std::uint32_t>(e.data.size() + 3));
    h.push_back(e.type);
    h.insert(h.end(), e.data.begin(), e.data.end());
  }
  put16(h, 0);
}

std::uint8_t checksum(const std::vector<std::uint8_t> &h) {
  unsigned sum = 0;
  for (std::size_t i = 2; i < h.size(); ++i) sum += h[i];
  return static_cast<std::uint8_t>(sum);
}

}  // namespace

Error writeHeader(const HeaderFields &f, std::vector<std::uint8_t> &out) {
  if (f.method.size() != 5) return Error::InvalidArgument;
  if (f.name.empty() || f.name.find('\xFF') != std::string::npos || f.name.find('\0') != std::string::npos)
    return Error::InvalidArgument;
  const bool folder = f.method == "-lhd-";
  const std::size_t cut = f.name.rfind('/');
  const std::string dir = folder ? f.name : cut == std::string::npos ? "" : f.name.substr(0, cut);
  const std::string file = folder ? "" : cut == std::string::npos ? f.name : f.name.substr(cut + 1);
  if (!folder && file.empty()) return Error::InvalidArgument;

  std::vector<Ext> exts;
  if (f.level == 2) exts.push_back({0x00, {0, 0}});
  if (f.level == 2) exts.push_back({0x01, bytesOf(file)});
  if (!dir.empty()) exts.push_back({0x02, folderField(dir)});
  // UTF-16 names come after the code page ones: readers that know both let the later win.
  if (!f.utf16Name.empty()) {
    if (f.level == 0) return Error::InvalidArgument;
    const std::size_t ucut = f.utf16Name.rfind(u'/');
    std::u16string udir = folder ? f.utf16Name : ucut == std::u16string::npos ? u"" : f.utf16Name.substr(0, ucut);
    std::u16string ufile = folder ? u"" : ucut == std::u16string::npos ? f.utf16Name : f.utf16Name.substr(ucut + 1);
    if (!ufile.empty()) exts.push_back({0x44, utf16Field(ufile, false)});
    if (!udir.empty()) exts.push_back({0x45, utf16Field(udir, true)});
  }
  // Levels 1 and 2 keep 0x20 at the attribute byte, which some readers check to recognise a
  // header; other attributes go to extended header 0x40.
  if (f.level > 0 && f.attributes != 0x20) exts.push_back({0x40, {f.attributes, 0}});

  std::vector<std::uint8_t> h;
  if (f.level == 0) {
    std::string path = f.name + (folder ? "/" : "");
    std::replace(path.begin(), path.end(), '/', '\\');
    if (path.size() > 233) return Error::InvalidArgument;
    h = {0, 0};
    appendBase(h, f, f.packedSize, f.dosTime);
    h.push_back(f.attributes);
    h.push_back(0);
    h.push_back(static_cast<std::uint8_t>(path.size()));
    h.insert(h.end(), path.begin(), path.end());
    put16(h, f.crc);
    h[0] = static_cast<std::uint8_t>(h.size() - 2);
    h[1] = checksum(h);
  } else if (f.level == 1) {
    if (file.size() > 230) return Error::InvalidArgument;
    std::vector<std::uint8_t> ext;
    appendExt(ext, exts);
    // The packed size of level 1 counts the extended headers after the base header.
    std::uint64_t packed = std::uint64_t{f.packedSize} + ext.size() - 2;
    if (packed > 0xFFFFFFFFu) return Error::TooLarge;
    h = {0, 0};
    appendBase(h, f, static_cast<std::uint32_t>(packed), f.dosTime);
    h.push_back(0x20);
    h.push_back(1);
    h.push_back(static_cast<std::uint8_t>(file.size()));
    h.insert(h.end(), file.begin(), file.end());
    put16(h, f.crc);
    h.push_back(f.osId);
    h.insert(h.end(), ext.begin(), ext.end());
    std::size_t base = 27 + file.size();
    h[0] = static_cast<std::uint8_t>(base - 2);
    unsigned sum = 0;
    for (std::size_t i = 2; i < base; ++i) sum += h[i];
    h[1] = static_cast<std::uint8_t>(sum);
  } else if (f.level == 2) {
    h = {0, 0};
    appendBase(h, f, f.packedSize, static_cast<std::uint32_t>(f.unixTime));
    h.push_back(0x20);
    h.push_back(2);
    put16(h, f.crc);
    h.push_back(f.osId);
    appendExt(h, exts);
    // A size that is a multiple of 256 starts the header with a zero byte, which readers
    // take for the end of the archive; one byte of padding avoids it.
    if (h.size() % 256 == 0) h.push_back(0);
    if (h.size() > 0xFFFF) return Error::InvalidArgument;
    set16(&h[0], static_cast<std::uint32_t>(h.size()));
    set16(&h[27], Crc16::of(h));
  } else {
    return Error::InvalidArgument;
  }
  out.insert(out.end(), h.begin(), h.end());
  return Error::None;
}

}  // namespace lha
