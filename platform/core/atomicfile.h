// A file written beside its target and renamed over it when complete, so that readers and
// a crash see either the old file or the new one, never a torn one.
#pragma once

#include <sys/types.h>
#include <time.h>

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace platform {

class AtomicFile {
 public:
  enum CommitMode { kReplace, kNoReplace };

  explicit AtomicFile(std::string linuxTarget);
  ~AtomicFile();  // an uncommitted temporary file is removed
  AtomicFile(const AtomicFile &) = delete;
  AtomicFile &operator=(const AtomicFile &) = delete;

  bool Open();
  bool Write(std::string_view data);
  // Appends the rest of the open file in: in the kernel while it can (copy_file_range, which
  // spares the pass through this process), through a buffer from where that stops. False when
  // reading in failed (readFailed set) or writing failed (Error()).
  bool WriteFrom(int in, bool &readFailed);
  // Without SetMode the file keeps the mode of the file it replaces (or 0666 less umask).
  void SetMode(mode_t mode) { mode_ = mode; }
  void SetModified(const timespec &t) { modified_ = t; }
  // Flushes to the disk and renames into place. kNoReplace fails when the target exists.
  bool Commit(CommitMode mode = kReplace) { return Finish(true) && Place(mode); }
  // Commit in two steps, for many files at once: Finish sets mode and time and closes the file
  // (flushed to the disk when sync is set; otherwise the caller syncs the file system before
  // Place); Place renames it over its target.
  bool Finish(bool sync);
  bool Place(CommitMode mode = kReplace);
  const std::string &Target() const { return target_; }
  // The errno of the step that failed last (0: none failed).
  int Error() const { return error_; }

 private:
  std::string target_;
  std::string temp_;
  int fd_ = -1;
  std::optional<mode_t> mode_;
  std::optional<timespec> modified_;
  bool finished_ = false;
  int error_ = 0;
};

// Whether a file name is one of an AtomicFile's temporary files: "." + target's name +
// ".melodeck-" + six letters or digits. Such a file left behind (a killed process) is ours.
bool IsAtomicFileTemporary(std::string_view name);

// Writes data to linuxPath through an AtomicFile; refuses a target that is read-only. When
// the folder takes no new file but the existing regular file is writable, the file is
// rewritten in place (whole content, flushed, cut to length) instead.
bool WriteFileAtomically(const std::string &linuxPath, std::string_view data);

// Writes each (linuxPath, data) through an AtomicFile, in order: every file is written and
// flushed to the disk before the first one replaces its target, so that their flushes go to
// the disk together. The index of the first file that could not be written or put in place
// (those before it are in place, none after it), or files.size() when all of them are.
size_t WriteFilesTogether(const std::vector<std::pair<std::string, std::string>> &files);

}  // namespace platform
