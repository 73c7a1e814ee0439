#include "damagedsettings.h"

#include <algorithm>

#include "core/fileops.h"
#include "core/inidocument.h"
#include "gameupdates.h"
#include "qtcore/qstr.h"

using platform::QS;
using platform::SS;

namespace {

// The lines of a file as its bytes, without line ends.
std::vector<std::string> LinesOf(const std::string &bytes) {
  std::vector<std::string> lines;
  size_t pos = 0;
  while (pos < bytes.size()) {
    size_t nl = bytes.find('\n', pos);
    if (nl == std::string::npos) nl = bytes.size();
    std::string line = bytes.substr(pos, nl - pos);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    pos = nl + 1;
  }
  return lines;
}

// Whether a dated copy of the file beside it ("melodeck_20261207-131500.ini") holds every one
// of the damaged lines.
bool KeptBefore(const QString &folder, const QString &fileName, const std::vector<std::string> &damaged) {
  const qsizetype dot = fileName.lastIndexOf('.');
  const QString stem = (dot > 0 ? fileName.left(dot) : fileName) + "_";
  for (const platform::DirEntry &entry : platform::ListDirectory(SS(folder))) {
    const QString name = QS(entry.name);
    if (!name.startsWith(stem, Qt::CaseInsensitive) || name.compare(fileName, Qt::CaseInsensitive) == 0) continue;
    const auto bytes = platform::ReadWholeFile(SS(folder + "\\" + name));
    if (!bytes) continue;
    const std::vector<std::string> lines = LinesOf(*bytes);
    if (std::all_of(damaged.begin(), damaged.end(), [&](const std::string &line) {
          return std::find(lines.begin(), lines.end(), line) != lines.end();
        }))
      return true;
  }
  return false;
}

}  // namespace

std::optional<TDamagedSettings> KeepDamagedSettings(const QString &windowsPath, bool keep, const QDateTime &now) {
  const auto bytes = platform::ReadWholeFile(SS(windowsPath));
  if (!bytes) return std::nullopt;
  const auto damaged = platform::IniDocument::Parse(*bytes).DamagedLines();
  if (damaged.empty()) return std::nullopt;
  std::vector<std::string> damagedBytes;
  TDamagedSettings report;
  report.File = windowsPath;
  for (const auto &line : damaged) {
    damagedBytes.push_back(line.bytes);
    report.Lines.push_back(static_cast<int>(line.number));
  }
  const QString folder = QS(platform::ExtractFilePath(SS(windowsPath))).chopped(1);
  const QString fileName = QS(platform::ExtractFileName(SS(windowsPath)));
  if (KeptBefore(folder, fileName, damagedBytes)) return std::nullopt;
  if (!keep) return report;
  const QString keptAs = FreeDatedPath(folder, fileName, now);
  if (platform::CopyFile(SS(windowsPath), SS(keptAs), true)) report.KeptAs = keptAs;
  return report;
}
