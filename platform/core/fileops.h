// File operations on Windows paths, with attributes as Wine shows them:
// read-only = the owner may not write; hidden = the name begins with "."; system = never;
// archive = every file that is not a folder; directory as it is.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "copyfailure.h"

namespace platform {

enum FileAttribute : uint32_t {
  faReadOnly = 0x01,
  faHidden = 0x02,
  faSysFile = 0x04,
  faVolumeID = 0x08,
  faDirectory = 0x10,
  faArchive = 0x20,
  faSymLink = 0x400,  // a symbolic link (reparse point); only ListDirectory reports it
};

struct DirEntry {
  std::string name;  // as a Windows name (see PathNamespace::ToWindows)
  uint32_t attributes = 0;
  uint64_t size = 0;
  int64_t modified = 0;  // seconds since 1970, UTC
};

bool FileExists(std::string_view path);       // a file that is not a folder (links followed)
bool DirectoryExists(std::string_view path);  // a folder (links followed)
std::optional<uint32_t> GetAttributes(std::string_view path);
bool SetReadOnly(std::string_view path, bool readOnly);

// Copies contents, permission bits and modification time. failIfExists: refuse an existing
// target. An existing read-only target is never overwritten. The target appears complete or
// not at all: the copy is written beside it and renamed into place.
bool CopyFile(std::string_view from, std::string_view to, bool failIfExists);
class AtomicFile;

// Copies of many files at once, each as CopyFile(from, to, false) makes it: Stage writes every
// copy beside its target; Place flushes them all with one sync of their file systems, then
// renames each over its target. A target shows the old file or the new one, also after a crash.
class CopyBatch {
 public:
  CopyBatch();
  ~CopyBatch();                                            // copies staged and not placed are removed
  bool Stage(std::string_view from, std::string_view to);  // false: not staged (nothing written)
  // Stages each (from, to), several at once; per copy, in order: staged. Only a regular file
  // is a source. failures (when given) gets, per copy, why it was not staged.
  std::vector<bool> Stage(const std::vector<std::pair<std::string, std::string>> &copies,
                          std::vector<CopyFailure> *failures = nullptr);
  // Per staged copy, in order: placed now (and in failures, why not). A failed flush places
  // none of them.
  std::vector<bool> Place(std::vector<CopyFailure> *failures = nullptr);

 private:
  std::vector<std::unique_ptr<AtomicFile>> staged_;
};

bool CreateDirectory(std::string_view path);                // one level; the parent must exist
bool ForceDirectories(std::string_view path);               // every missing level
bool RemoveDirectory(std::string_view path);                // only when empty
bool DeleteFile(std::string_view path);                     // refuses read-only files and folders
bool MoveFile(std::string_view from, std::string_view to);  // never replaces an existing target

// Entries of a folder, without "." and "..". Empty when the folder can't be read.
std::vector<DirEntry> ListDirectory(std::string_view path);

// Removes a folder with everything in it that can be removed; a symbolic link is removed,
// never followed. True when the folder itself is gone. An empty path is refused: "" + "\"
// would name the root of the current drive.
bool DeleteTree(std::string_view path);

// Whole-file helpers for small files (INI files, the package index).
// Null when the file can't be opened, is no regular file (a FIFO, a device: never waited
// for) or a read fails part way (never a short text).
std::optional<std::string> ReadWholeFile(std::string_view path);
std::optional<std::string> ReadLinuxFile(const std::string &linuxPath);

// The system's temporary folder as a Windows path with its trailing "\": $TMPDIR, else /tmp.
// Empty when that path needs more than 261 characters with its terminating NUL.
std::string TempPath();

// The running program's own file as a Windows path (from /proc/self/exe). Empty when it can't
// be read (no /proc mounted).
std::string ProgramPath();

// Folder part of a Windows path with its trailing "\" (up to the last "\" or ":"), and the
// name part after it. Searches go by characters, so a double-byte character never splits.
std::string ExtractFilePath(std::string_view path);
std::string ExtractFileName(std::string_view path);
std::string ChangeFileExt(std::string_view path, std::string_view ext);

}  // namespace platform
