// The archiver libraries: one process-wide handle each, loaded on first need and kept loaded,
// every function looked up by name on its first call and remembered.
//
// A library is looked for in the search folder (when one is set), beside the program, then
// on the system's library search path. Messages name the Windows DLL that the library stands
// for, since that is the name the user knows from the archiver's documentation.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "arcapi.h"
#include "core/dynlib.h"

namespace archives {

enum class ArcLib { Unlha32, Unzip32, Zip32j, Lmzip32, Cab32, Unarj32j, Tar32, Unrar32 };

class TArchiverLibrary {
 public:
  // The library for a DLL of the archiver interface.
  static TArchiverLibrary &Of(ArcLib lib);
  // A Linux folder searched before all others; empty for none. Libraries already loaded stay.
  static void SetSearchFolder(std::string linuxFolder);
  // Unloads every library (as FreeDLL does for one).
  static void FreeAll();

  const std::string &DllName() const { return dllName_; }    // "UNLHA32.DLL"
  const std::string &FileName() const { return fileName_; }  // "libunlha32.so"
  // What a driver says when the library is missing, in the shown language; empty for the ZIP
  // libraries.
  std::string MissingText() const;

  // Loads the library unless loaded. False when it cannot be found or loaded.
  bool Load();
  bool IsLoaded() const { return lib_.IsOpen(); }
  // Forgets every remembered function and unloads the library.
  void Free();
  // The loaded file, as a Windows path.
  std::string Path() const;

  // The function's address, or null when the library is not loaded or lacks it.
  void *Find(const std::string &name);
  // The function, loading the library on need. Raises EArchiver: the missing-library message
  // given at registration when it cannot be loaded, or "<path> に <name> のエントリが見つかりません。".
  void *Require(const std::string &name);
  template <class Fn>
  Fn Require(const std::string &name) {
    return reinterpret_cast<Fn>(Require(name));
  }

  TArchiverLibrary(std::string dllName, std::string fileName, std::string missingMessage);

 private:
  std::string dllName_;
  std::string fileName_;
  std::string missingMessage_;  // empty: the driver reports a missing library itself
  platform::DynamicLibrary lib_;
  std::map<std::string, void *, std::less<>> functions_;
};

// The message for a function that a loaded library lacks, without the library's path.
std::string MissingEntryText(const std::string &function);

}  // namespace archives
