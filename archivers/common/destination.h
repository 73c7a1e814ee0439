// Writing extracted entries below one folder and nowhere else. Every folder below the root is
// opened relative to its parent without following links, so neither a link stored in an
// archive nor one planted on the disk can lead a write outside. A file is written under a
// temporary name beside its target and renamed over it only when complete and checked; a
// failure leaves no partial file under the entry's name.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "errors.h"

namespace arc {

class PendingFile;

// mode as a new file gets it under the process's umask (0666 gives 0644 under umask 022).
mode_t Umasked(mode_t mode);

class Destination {
 public:
  Destination() = default;
  ~Destination();
  Destination(const Destination &) = delete;
  Destination &operator=(const Destination &) = delete;

  // The root is a Linux folder; it is made (with its parents) when missing.
  bool Open(const std::string &linuxFolder);

  // Makes every folder of parts below the root. Returns an arc::Result.
  int MakeFolders(const std::vector<std::string> &parts);

  // Starts the file at parts (the last part is the file's name), making its folders.
  // Null with *result set on failure.
  std::unique_ptr<PendingFile> Create(const std::vector<std::string> &parts, int *result);

  // Whether a file exists at parts, and its modification time.
  bool Exists(const std::vector<std::string> &parts, int64_t *mtime = nullptr) const;

 private:
  int OpenFolder(const std::vector<std::string> &parts, size_t count, bool create, int *result) const;
  int root_ = -1;
};

class PendingFile {
 public:
  PendingFile(int folderFd, std::string name, std::string tempName, int fd);
  ~PendingFile();  // not committed: the temporary file goes
  PendingFile(const PendingFile &) = delete;
  PendingFile &operator=(const PendingFile &) = delete;

  bool Write(std::span<const uint8_t> data);
  uint64_t Written() const { return written_; }
  // Sets the time (seconds since 1970, UTC; < 0 leaves it) and mode, then renames the file
  // over its target. A folder of that name is never replaced. Returns an arc::Result.
  int Commit(int64_t mtime, mode_t mode = 0644) {
    const int closed = Close(mtime, mode);
    return closed == kOk ? Place() : closed;
  }
  // Commit in two steps, for a file held back until its data is known good: Close sets the
  // time and mode and lets the file's descriptor go; Place renames it over its target.
  int Close(int64_t mtime, mode_t mode);
  int Place();

 private:
  int folder_;
  std::string name_;
  std::string temp_;
  int fd_;
  uint64_t written_ = 0;
  bool committed_ = false;
};

}  // namespace arc
