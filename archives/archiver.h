// TArchiver: the abstract format driver. It fixes the operations every driver offers (in slot
// order), gives each a default, and provides the two command-line steps shared by all drivers.
//
// Contracts:
// - A driver exists only once its library has loaded: create drivers with CreateArchiver
//   (drivers.h), which calls LoadDLL and lets its EArchiver through.
// - Command operations (Extract … MakeSfx) store the command line in CommandLine before the
//   library call and return the library's result unchanged (0 = success).
// - output is the buffer for the library's text output; its length is the size handed over
//   (a null buffer when empty).
// - files == nullptr means "no file list"; an empty list is a given, empty list.
// - Errors are raised as EArchiver; nothing here talks to the user.
#pragma once

#include <string>

#include "arcapi.h"
#include "cmdopt.h"
#include "options.h"

namespace archives {

class TArchiver {
 public:
  virtual ~TArchiver();  // the library stays loaded

  std::string CommandLine;         // of the last command operation
  ARC_HWND OwnerWindow = nullptr;  // registered for progress messages; null when none

  /*  0 */ virtual void LoadDLL();
  /*  1 */ virtual void FreeDLL();
  /*  2 */ virtual HARC OpenArchive(ARC_HWND owner, const std::string &archive, uint32_t mode);
  /*  3 */ virtual int FindFirst(HARC handle, INDIVIDUALINFO &entry, const std::string &wildcard);
  /*  4 */ virtual int FindNext(HARC handle, INDIVIDUALINFO &entry);
  /*  5 */ virtual int CloseArchive(HARC handle);
  /*  6 */ virtual int Extract(ARC_HWND owner, const std::string &archive, std::string &output, bool useResFile,
                               const TStringList *files, const std::string &folder,
                               const TArchiverOptions &options) = 0;
  /*  7 */ virtual int Pack(ARC_HWND owner, const std::string &archive, std::string &output, bool useResFile,
                            const TStringList *files, const std::string &baseFolder, const TArchiverOptions &options);
  /*  8 */ virtual int Remove(ARC_HWND owner, const std::string &archive, std::string &output, bool useResFile,
                              const TStringList *files, const TArchiverOptions &options);
  /*  9 */ virtual int Update(ARC_HWND owner, const std::string &archive, std::string &output, bool useResFile,
                              const TStringList *files, const std::string &folder, const TArchiverOptions &options);
  /* 10 */ virtual int MakeSfx(ARC_HWND owner, const std::string &archive, std::string &output,
                               const std::string &folder, const TArchiverOptions &options);
  // The library's check with mode + extraMode (ZIP: mode only).
  /* 11 */ virtual int Check(const std::string &archive, int mode, int extraMode);
  /* 12 */ virtual bool SetOwnerWindow(ARC_HWND window, ARCHIVERPROC callback);
  /* 13 */ virtual bool KillOwnerWindow(ARC_HWND window);

 protected:
  TArchiver() = default;

  // The archive as a quoted argument, then the folder through AddFolder.
  static void AddArchiveAndFolder(TCmdOpt &cmd, const std::string &archive, const std::string &folder);
  // The file list (each file quoted and converted, or the quoted "@" + ResFileName when a
  // response file is asked for and named), then UserFileList verbatim in every case.
  static void AddFileList(TCmdOpt &cmd, const TStringList *files, bool useResFile, const TArchiverOptions &options);
  // Hands the command to the library's command entry with the output buffer.
  static int CallCommand(void *entry, ARC_HWND owner, const std::string &commandLine, std::string &output);
};

// The path made absolute against the current folder, as the libraries need it for listing.
std::string AbsoluteArchivePath(const std::string &archive);

}  // namespace archives
