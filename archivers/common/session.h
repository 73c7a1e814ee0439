// The state one archiver library keeps for its whole process: the registered owner windows
// (message sinks), whether a command is running, and the open listings.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "arcapi.h"
#include "entryrecord.h"

namespace arc {

// The listing behind one HARC: every entry, read when the archive was opened.
struct Listing {
  std::vector<EntryFacts> entries;
  std::string wildcard;
  size_t next = 0;
  bool searched = false;
};

// Bounds what a hostile archive can make a listing hold.
constexpr size_t kMaxListedEntries = 1u << 20;

class Session {
 public:
  // SetOwnerWindowEx: one window at a time, as the interface has it; false when another one
  // is registered or window is null.
  bool SetOwner(ARC_HWND window);
  bool KillOwner(ARC_HWND window);
  // The window progress goes to during a command: the registered one, else the command's own.
  ARC_HWND ProgressWindow(ARC_HWND commandWindow) const;

  // Keeps a listing and hands out its handle.
  HARC Add(std::unique_ptr<Listing> listing);
  // Null for a handle this session did not hand out (or closed already).
  Listing *Find(HARC handle);
  bool Close(HARC handle);

  // FindFirst / FindNext: 0 and the record filled, -1 at the end or on a bad handle.
  int FindFirst(HARC handle, const char *wildcard, INDIVIDUALINFO *record);
  int FindNext(HARC handle, INDIVIDUALINFO *record);

  bool Running() const { return running_ > 0; }

  // Marks a command as running for its scope.
  class Busy {
   public:
    explicit Busy(Session &s) : s_(s) { ++s_.running_; }
    ~Busy() { --s_.running_; }
    Busy(const Busy &) = delete;
    Busy &operator=(const Busy &) = delete;

   private:
    Session &s_;
  };

 private:
  mutable std::mutex mutex_;
  ARC_HWND owner_ = nullptr;
  std::vector<std::unique_ptr<Listing>> listings_;
  std::atomic<int> running_ = 0;
};

// CheckArchive modes: the low two bits say how deep (0 headers quickly, 1 basic, 2 a search
// through the whole file, 3 every entry unpacked and its CRC checked); higher bits are flags.
inline bool WantsFullCrcCheck(int mode) { return (mode & 3) == 3; }

// Sends one progress message; true when the window asks to abort.
bool Report(ARC_HWND window, unsigned state, const EntryFacts &facts, const std::string &destination, uint64_t written);

}  // namespace arc

// The exports every library answers alike from its session: listing handles, owner windows,
// version and the running flag. prefix is the library's function prefix ("Unlha"), state a
// function returning its arc::Session.
#define ARC_SESSION_EXPORTS(prefix, state)                                                                        \
  int prefix##CloseArchive(HARC archive) { return state().Close(archive) ? arc::kOk : arc::kErrHarcIsNotOpened; } \
  int prefix##FindFirst(HARC archive, const char *wildcard, LPINDIVIDUALINFO entry) {                             \
    return state().FindFirst(archive, wildcard, entry);                                                           \
  }                                                                                                               \
  int prefix##FindNext(HARC archive, LPINDIVIDUALINFO entry) { return state().FindNext(archive, entry); }         \
  int prefix##SetOwnerWindowEx(ARC_HWND window, ARCHIVERPROC) { return state().SetOwner(window); }                \
  int prefix##KillOwnerWindowEx(ARC_HWND window) { return state().KillOwner(window); }                            \
  uint16_t prefix##GetVersion(void) { return 100; }                                                               \
  int prefix##GetRunning(void) { return state().Running(); }
