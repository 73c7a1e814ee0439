// Where the program keeps its files. Beside the program (portable) when its folder already
// holds melodeck.ini, or is the running user's own and writable; never in a system folder
// (IsSystemFolder). Otherwise, for an installed program, in $XDG_DATA_HOME/melodeck
// (~/.local/share/melodeck): each user keeps settings of their own. The answer is a Windows
// path standing for "the program" as the store sees it: the settings are this path with
// ".ini", the scene names with ".dat".
#pragma once

#include <QString>
#include <string>

// programLinuxPath: the running program's file. Empty when the XDG folder can't be made or has
// no Windows path.
QString SettingsBasePath(const std::string &programLinuxPath);

// Whether a folder is, or lies below, one where the system installs programs (/usr, /opt, …):
// settings written there would be one user's for every user.
bool IsSystemFolder(const std::string &linuxFolder);
