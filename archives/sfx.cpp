#include "sfx.h"

#include <cstdlib>
#include <vector>

#include "cmdopt.h"
#include "core/atomicfile.h"
#include "core/dynlib.h"
#include "core/fileops.h"
#include "core/winpath.h"
#include "earchiver.h"
#include "core/translate.h"

namespace archives {

std::string FindSfxModule(const std::string &name) {
  std::vector<std::string> folders{platform::ProgramLinuxFolder(), platform::CurrentLinuxFolder()};
  if (const char *path = std::getenv("PATH")) {
    std::string_view rest = path;
    while (!rest.empty()) {
      const size_t colon = rest.find(':');
      const std::string_view dir = rest.substr(0, colon);
      if (!dir.empty()) folders.emplace_back(dir);
      if (colon == std::string_view::npos) break;
      rest.remove_prefix(colon + 1);
    }
  }
  for (const auto &folder : folders) {
    if (folder.empty()) continue;
    // Through the Windows name, so that the file is found whatever its case, as on Windows.
    const std::string candidate = JoinPath(platform::ToWindows(folder), name);
    if (platform::FileExists(candidate)) return candidate;
  }
  return {};
}

std::string SfxOutputPath(const std::string &archive, const std::string &folder) {
  const std::string exe = platform::ChangeFileExt(archive, ".EXE");
  if (!IsGiven(folder)) return exe;
  return JoinPath(folder, platform::ExtractFileName(exe));
}

void WriteSfx(const std::string &sfxModule, const std::string &archive, const std::string &output) {
  const auto moduleBytes = platform::ReadWholeFile(sfxModule);
  if (!moduleBytes)
    throw EArchiver(platform::Args(platform::translate("Archives", "%1 を読み込めません"), {sfxModule}));
  const auto archiveBytes = platform::ReadWholeFile(archive);
  if (!archiveBytes) throw EArchiver(platform::Args(platform::translate("Archives", "%1 を読み込めません"), {archive}));
  const std::string target = platform::ToLinux(output);
  if (target.empty() || !platform::WriteFileAtomically(target, *moduleBytes + *archiveBytes))
    throw EArchiver(platform::Args(platform::translate("Archives", "%1 に書き込めません"), {output}));
}

}  // namespace archives
