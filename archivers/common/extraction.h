// The one extraction of every library: which entries a command chooses, names that would
// leave the destination refused, links and devices never made, the overwrite rule, progress
// messages to the owner window, folders made, and each file written through Destination and
// kept only when its data came out whole. A format only reads: the next entry's header, and
// the entry's data into an EntryData.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "arcapi.h"
#include "destination.h"
#include "entryrecord.h"
#include "errors.h"
#include "output.h"
#include "wildcard.h"

namespace arc {

enum class Overwrite {
  Always,
  Never,        // an existing file is kept
  UnlessNewer,  // an existing file newer than the entry is kept
};

struct ExtractRequest {
  std::string archive;             // Windows path
  std::string folder;              // Windows folder, "" for the current one
  std::vector<std::string> files;  // patterns; none: everything
  Exclusions exclusions;
  bool keepFolders = true;
  bool testOnly = false;
  Overwrite overwrite = Overwrite::Always;
};

// One entry's header as a format reads it.
struct EntryHeader {
  enum class Kind {
    File,
    Folder,
    Link,         // a symbolic or hard link: never made, it could lead later writes outside
    Special,      // a device, a pipe: never made
    Unsupported,  // data this library cannot unpack: refusal says why
  };
  EntryFacts facts;
  Kind kind = Kind::File;
  mode_t mode = 0644;  // of the file written
  int64_t mtime = -1;  // of the file written, seconds since 1970 UTC; < 0 leaves it
  int refusal = 0;     // Unsupported: the arc::Result reported
  std::string why;     // Unsupported: the line written to the output
};

// Where an entry's data goes: the file being written (nowhere while testing), counted and
// reported to the owner window.
class EntryData {
 public:
  EntryData(PendingFile *file, ARC_HWND progress, const EntryFacts &facts, const std::string &shown)
      : file_(file), progress_(progress), facts_(facts), shown_(shown) {}
  // False when the unpacking must stop: the file cannot be written or the owner window asked
  // to stop.
  bool Write(std::span<const uint8_t> data);
  uint64_t Written() const { return written_; }
  bool Cancelled() const { return cancelled_; }
  bool WriteFailed() const { return writeFailed_; }

 private:
  PendingFile *file_;
  ARC_HWND progress_;
  const EntryFacts &facts_;
  const std::string &shown_;
  uint64_t written_ = 0;
  bool cancelled_ = false;
  bool writeFailed_ = false;
};

// Unpacks the taken entry into data. Returns kOk when the data came out whole and checked,
// else the entry's arc::Result and why (the line written to the output).
using Unpack = std::function<int(EntryData &data, std::string &why)>;

// The extraction's rules, one entry at a time, for formats whose unpacker drives the order
// (CAB); every other format goes through ExtractEntries below.
class Extraction {
 public:
  // found: a failure already met while opening the archive (a broken header after some
  // entries); it is the one reported.
  Extraction(const ExtractRequest &request, ARC_HWND progress, Output &out, int found = kOk);

  // Opens (makes) the destination folder; nothing for a test. kOk or kErrMakeDirectory.
  int OpenDestination();

  enum class Step { Skip, Take, Stop };
  // Everything before the data: Take when the entry's data is wanted next, Stop when the
  // owner window asked to stop.
  Step Begin(const EntryHeader &header);
  // The data of the entry Begin took: written, checked, committed. kErrUserCancel when the
  // owner window asked to stop, else kOk (the entry's own result goes into Result()). With
  // hold, a file whose data came out whole is finished but kept back under its temporary
  // name until PlaceHeld (or dropped by DropHeld): for data whose check comes later.
  int Finish(const EntryHeader &header, const Unpack &unpack, bool hold = false);
  // The files held back, now known good, renamed over their targets in the order unpacked.
  void PlaceHeld();
  // The check of the files held back failed: none of them is kept.
  void DropHeld();

  void Keep(int result) { arc::Keep(result_, result); }
  int Result() const { return result_; }

 private:
  // Whether the command's files and exclusions name the entry.
  bool Chooses(const EntryFacts &facts) const;

  const ExtractRequest &req_;
  ARC_HWND progress_;
  Output &out_;
  const EntrySelector selector_;
  Destination dest_;
  struct Held {
    std::unique_ptr<PendingFile> file;
    std::string name;
  };
  std::vector<Held> held_;
  std::vector<std::string> parts_;  // of the entry taken
  std::string shown_;
  int result_;
};

// A format's entries, read in order.
class EntryReader {
 public:
  virtual ~EntryReader() = default;
  // The next entry's header; atEnd at the end. Any other result than kOk ends the archive and
  // is reported.
  virtual int Next(EntryHeader &header, bool &atEnd) = 0;
  // The data of the entry Next gave last (see Unpack).
  virtual int Unpack(EntryData &data, std::string &why) = 0;
  // Whether the data Unpack gives is checked only later, by a check that covers more than one
  // entry (a compressed stream's checksum at its end). Each file is then held back under its
  // temporary name: placed when Checked answers true after a Next, dropped when a Next fails.
  virtual bool ChecksLater() const { return false; }
  // For a reader that checks later: whether all data read so far has been checked.
  virtual bool Checked() const { return true; }
};

// Extracts (or tests) what the request chooses. found: as for Extraction.
int ExtractEntries(EntryReader &reader, const ExtractRequest &request, ARC_HWND progress, Output &out, int found = kOk);

// The Linux path of a Windows path, made absolute against the current folder ("" for it).
std::string LinuxPathOf(const std::string &windowsPath);

}  // namespace arc
