#include "media/soundfont.h"

#include <sys/stat.h>
#include "core/translate.h"

namespace platform {
namespace {

bool IsFile(const std::string &path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);  // follows the default's link
}

}  // namespace

const std::vector<std::string> &SystemSoundFonts() {
  static const std::vector<std::string> kPaths = {
      "/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf2/FluidR3_GM.sf2",
      "/usr/share/sounds/sf2/TimGM6mb.sf2",   "/usr/share/soundfonts/default.sf2",
      "/usr/share/soundfonts/FluidR3_GM.sf2", "/usr/share/soundfonts/TimGM6mb.sf2"};
  return kPaths;
}

SoundFontChoice FindSoundFont(const std::string &chosen, const std::vector<std::string> &candidates) {
  if (!chosen.empty()) {
    if (IsFile(chosen)) return {chosen, {}};
    return {{}, platform::Args(platform::translate("Media", "サウンドフォント %1 が見つかりません"), {chosen})};
  }
  for (const std::string &path : candidates) {
    if (IsFile(path)) return {path, {}};
  }
  return {{},
          platform::translate("Media",
                              "General MIDI のサウンドフォントが見つかりません。\n"
                              "サウンドフォント (.sf2) を設定で指定するか、システムに入れてください")};
}

}  // namespace platform
