#include "detect.h"

#include <algorithm>
#include <cctype>
#include <utility>
#include <vector>

#include "core/fileops.h"

namespace archives {

namespace {

std::string Extension(const std::string &path) {
  const std::string name = platform::ExtractFileName(path);
  const size_t dot = name.rfind('.');
  if (dot == std::string::npos) return {};
  std::string ext = name.substr(dot);
  for (char &c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext;
}

bool ListsExtension(std::string_view extensions, std::string_view ext) {
  while (!extensions.empty()) {
    const size_t blank = extensions.find(' ');
    if (extensions.substr(0, blank) == ext) return true;
    if (blank == std::string_view::npos) break;
    extensions.remove_prefix(blank + 1);
  }
  return false;
}

// The formats from the highest precedence to the lowest.
std::vector<const DriverInfo *> ByPrecedence() {
  std::vector<const DriverInfo *> rows;
  for (const DriverInfo &row : DriverFactory::Table()) rows.push_back(&row);
  std::stable_sort(rows.begin(), rows.end(),
                   [](const DriverInfo *a, const DriverInfo *b) { return a->precedence < b->precedence; });
  return rows;
}

}  // namespace

TArchiverType ArchiverTypeFromExtension(const std::string &path) {
  const std::string ext = Extension(path);
  if (ext == ".exe") return ArchiverTypeFromContents(path);
  for (const DriverInfo &row : DriverFactory::Table())
    if (ListsExtension(row.extensions, ext)) return row.type;
  return atNone;
}

TArchiverType ArchiverTypeFromContents(const std::string &path) {
  const std::vector<const DriverInfo *> rows = ByPrecedence();
  // Every probe runs, once, before any answer decides.
  std::vector<std::pair<int (*)(const std::string &), int>> answers;
  for (const DriverInfo *row : rows) {
    const auto fn = row->probe.answer;
    if (std::none_of(answers.begin(), answers.end(), [fn](const auto &a) { return a.first == fn; }))
      answers.emplace_back(fn, fn(path));
  }
  for (const DriverInfo *row : rows) {
    const int answer = std::find_if(answers.begin(), answers.end(), [row](const auto &a) {
                         return a.first == row->probe.answer;
                       })->second;
    if (answer >= row->probe.first && answer <= row->probe.last) return row->type;
  }
  return atNone;
}

}  // namespace archives
