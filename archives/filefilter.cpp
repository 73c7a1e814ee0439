#include "filefilter.h"

#include <algorithm>
#include <ctime>

#include "cmdopt.h"
#include "core/fileops.h"
#include "core/fullpath.h"
#include "core/text.h"
#include "core/wildcard.h"
#include "earchiver.h"
#include "core/translate.h"

namespace archives {

namespace {

// A local date-time as the number YYYYMMDDhhmmss, so that limits and file times compare as
// local wall-clock times; 0 means "none".
using LocalKey = int64_t;

LocalKey MakeKey(int year, int month, int day, int hour, int minute, int second) {
  return ((((static_cast<int64_t>(year) * 100 + month) * 100 + day) * 100 + hour) * 100 + minute) * 100 + second;
}

LocalKey KeyOfFileTime(int64_t utcSeconds) {
  if (utcSeconds == 0) return 0;
  const time_t t = static_cast<time_t>(utcSeconds);
  std::tm tm{};
  if (!localtime_r(&t, &tm)) return 0;
  return MakeKey(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec);
}

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

[[noreturn]] void NotADate(const std::string &value) {
  throw EArchiver(platform::Args(platform::translate("Archives", "'%1' は正しい日付ではありません。"), {value}));
}

LocalKey ParseLimit(const std::string &value) {
  if (value.size() != 6 && value.size() != 12) return 0;
  int fields[6] = {0, 0, 0, 0, 0, 0};
  for (size_t i = 0; i < value.size(); i += 2) {
    const char hi = value[i], lo = value[i + 1];
    if (hi < '0' || hi > '9' || lo < '0' || lo > '9') NotADate(value);
    fields[i / 2] = (hi - '0') * 10 + (lo - '0');
  }
  const int year = fields[0] < 80 ? 2000 + fields[0] : 1900 + fields[0];
  const int month = fields[1], day = fields[2];
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) NotADate(value);
  const int days = kDays[month - 1] + (month == 2 && IsLeap(year) ? 1 : 0);
  if (day < 1 || day > days || fields[3] > 23 || fields[4] > 59 || fields[5] > 59) NotADate(value);
  return MakeKey(year, month, day, fields[3], fields[4], fields[5]);
}

struct Search {
  LocalKey lower = 0, upper = 0;
  bool hidden = false;  // hidden (and system) files are taken too
  int r = -1, p = -1;
  TStringList found;
  std::vector<std::string> chain;  // identities of the folders being searched, outermost first

  void Run(const std::string &folder, const std::string &pattern) {
    const std::string id = platform::FileIdentity(folder.empty() ? "." : folder);
    if (!id.empty()) {
      if (std::find(chain.begin(), chain.end(), id) != chain.end()) return;  // a link loop
      chain.push_back(id);
    }
    const auto entries = platform::ListDirectory(folder.empty() ? "." : folder);
    for (const auto &e : entries) {
      if (e.attributes & platform::faDirectory) continue;
      if (!hidden && (e.attributes & (platform::faHidden | platform::faSysFile))) continue;
      if (!platform::WildcardMatch(pattern, e.name)) continue;
      const LocalKey time = KeyOfFileTime(e.modified);
      if ((lower == 0 || lower <= time) && (upper == 0 || time < upper)) found.push_back(JoinPath(folder, e.name));
    }
    const bool wild = pattern.find_first_of("?*") != std::string::npos;
    if (r > 0 && !(p > 0 && !wild)) {
      for (const auto &e : entries)
        if (e.attributes & platform::faDirectory) Run(JoinPath(folder, e.name), pattern);
    }
    if (!id.empty()) chain.pop_back();
  }
};

}  // namespace

TStringList ExpandFileList(TArchiverOptions &options, const TStringList *files) {
  Search search;
  search.lower = ParseLimit(options.jo);
  search.upper = ParseLimit(options.job);
  search.hidden = options.a > 0;
  search.r = options.r;
  search.p = options.p;
  if (!files || files->empty()) {
    search.Run("", "*.*");
  } else {
    for (const auto &line : *files) {
      if (options.r > 1 && platform::DirectoryExists(line)) search.Run(line, "*.*");
      else search.Run(platform::ExtractFilePath(line), platform::ExtractFileName(line));
    }
  }
  TStringList out = std::move(search.found);
  // Case-distinct names are distinct files on Linux, so only exact repeats are dropped.
  std::sort(out.begin(), out.end(), [](const std::string &a, const std::string &b) {
    const std::string fa = platform::FoldCase(a), fb = platform::FoldCase(b);
    return fa != fb ? fa < fb : a < b;
  });
  out.erase(std::unique(out.begin(), out.end()), out.end());
  options.r = -1;
  options.jo = kUnset;
  options.job = kUnset;
  options.p = 1;
  return out;
}

}  // namespace archives
