// Where the program keeps its files. Beside the program (portable) when its folder is writable
// or already holds melodeck.ini; otherwise, for an installed program, in $XDG_DATA_HOME/melodeck
// (~/.local/share/melodeck). The answer is a Windows path standing for "the program" as the
// store sees it: the settings are this path with ".ini", the scene names with ".dat".
#pragma once

#include <QString>
#include <string>

// programLinuxPath: the running program's file. Empty when the XDG folder can't be made or has
// no Windows path.
QString SettingsBasePath(const std::string &programLinuxPath);
