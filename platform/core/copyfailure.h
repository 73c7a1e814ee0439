// Why a copy of a file was not made, for messages that name the reason.
#pragma once

#include <string>
#include <string_view>

namespace platform {

enum class CopyFailure {
  None,
  SourceMissing,     // no file at the source's path
  SourceIsFolder,    // the source is a folder
  SourceNotRegular,  // a FIFO, a device, a socket: never read
  SourceUnreadable,  // the source can't be opened or read
  TargetIsFolder,    // a folder stands where the copy goes
  WriteProtected,    // the target or its folder takes no writing (modes, a read-only mount)
  DiskFull,          // no space (or quota) left for the whole copy
  InUse,             // the target is busy
  WriteError,        // the disk failed to take the data (an I/O error)
  Other,
};

// The failures that lie with the source: the copy's file is missing rather than refused.
inline bool IsSourceFailure(CopyFailure f) {
  return f == CopyFailure::SourceMissing || f == CopyFailure::SourceIsFolder || f == CopyFailure::SourceNotRegular;
}

// What a regular source needs: the source's failure for the file at a Windows path, None for
// a regular file (links followed). Nothing is opened.
CopyFailure SourceFailure(std::string_view windowsPath);

// Opens a copy's source (a Linux path) for reading. Only a regular file is opened for good: a
// FIFO or a device is never waited for nor read. -1 with the failure set otherwise.
int OpenCopySource(const std::string &linuxPath, CopyFailure &failure);

// The failure of writing or placing a copy that ended with errno err.
CopyFailure TargetFailure(int err);

}  // namespace platform
