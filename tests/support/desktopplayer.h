// A desktop entry of the tests made the default application for audio/midi and audio/mpeg
// (MP3), in private XDG
// folders below folder. GLib reads these folders once per process: call it before the first
// lookup of an association.
#pragma once

#include <stdlib.h>

#include <string>

#include "testworld.h"

namespace testsupport {

inline void MakeDefaultMidiPlayer(const std::string &folder, const std::string &exec) {
  const std::string data = folder + "/data", config = folder + "/config";
  TestWorld::MakeDirs(data + "/applications");
  TestWorld::MakeDirs(config);
  TestWorld::WriteFile(
      data + "/applications/melodeck-test-player.desktop",
      "[Desktop Entry]\nType=Application\nName=Test player\nExec=" + exec + "\nMimeType=audio/midi;audio/mpeg;\n");
  TestWorld::WriteFile(config + "/mimeapps.list",
                       "[Default Applications]\n"
                       "audio/midi=melodeck-test-player.desktop\n"
                       "audio/mpeg=melodeck-test-player.desktop\n");
  setenv("XDG_DATA_HOME", data.c_str(), 1);
  setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  unsetenv("XDG_CURRENT_DESKTOP");
}

}  // namespace testsupport
