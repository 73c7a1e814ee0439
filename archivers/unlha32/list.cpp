#include <cstdio>

#include "commands.h"
#include "errors.h"
#include "lhafile.h"
#include "wildcard.h"

namespace unlha {

int List(const arc::LhaCommand &cmd, arc::Output &out) {
  LhaFile file;
  if (int r = file.Open(cmd.archive); r != arc::kOk) return r;
  std::vector<lha::Entry> entries;
  const int result = file.ReadEntries(entries);
  if (result == arc::kErrNotArcFile) return result;
  const arc::EntrySelector selector(cmd.files);
  out.Line("  Original   Packed  Ratio   Date     Time   Attr  Method  CRC   Name");
  uint64_t original = 0, packed = 0;
  size_t count = 0;
  for (const auto &e : entries) {
    const arc::EntryFacts f = FactsOf(e);
    if (!selector.Selects(f.name)) continue;
    INDIVIDUALINFO r;
    arc::FillRecord(f, r);
    char line[160];
    std::snprintf(line, sizeof line, "%10u %8u %3u.%u%% %04u-%02u-%02u %02u:%02u:%02u %s %s %04X  ", r.dwOriginalSize,
                  r.dwCompressedSize, r.wRatio / 10, r.wRatio % 10, 1980u + (r.wDate >> 9), (r.wDate >> 5) & 15u,
                  r.wDate & 31u, r.wTime >> 11, (r.wTime >> 5) & 63u, (r.wTime & 31u) * 2, r.szAttribute, r.szMode,
                  r.dwCRC);
    out.Line(line + std::string(r.szFileName));
    original += f.originalSize;
    packed += f.compressedSize;
    ++count;
  }
  char total[96];
  std::snprintf(total, sizeof total, "%10llu %8llu  %zu files", static_cast<unsigned long long>(original),
                static_cast<unsigned long long>(packed), count);
  out.Line(total);
  return result;
}

}  // namespace unlha
