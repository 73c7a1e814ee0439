// Absolute forms of Windows paths, resolved against the current folder the way Windows'
// GetFullPathName does: lexically, without touching the disk.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// "C:\a\..\b" → "C:\b"; "\x" → the current drive's "\x"; "x" and "C:x" (a drive-relative
// path on any drive) → against the current folder. "." and ".." are applied; ".." never
// climbs above the drive's root. A trailing "\" is kept. "\\?\unix\…" paths stay as they are.
std::string ExpandFileName(std::string_view windowsPath);

// An identity of the file or folder a Windows path names (device and inode, links followed),
// for telling whether two paths are one folder. Empty when it does not exist.
std::string FileIdentity(std::string_view windowsPath);

}  // namespace platform
