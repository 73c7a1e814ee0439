// TTar32, TTgz32, TBZ232: the TAR drivers (tar32.dll). One library serves all three; the class
// alone decides the compression switch and whether a self-extracting archive can be made.
#pragma once

#include "libraryarchiver.h"

namespace archives {

class TTar32 : public TLibraryArchiver {
 public:
  // After each library call the owner window, if any, is brought to the front: the library's
  // own dialogs may have put another window on top.
  int Extract(ARC_HWND owner, const std::string &archive, std::string &output, bool useResFile,
              const TStringList *files, const std::string &folder, const TArchiverOptions &options) override;
  int Pack(ARC_HWND owner, const std::string &archive, std::string &output, bool useResFile, const TStringList *files,
           const std::string &baseFolder, const TArchiverOptions &options) override;
  // kmtarsef.exe followed by the archive, written to <name>.EXE; no library call, result 0.
  // BZ2 archives cannot be made self-extracting.
  int MakeSfx(ARC_HWND owner, const std::string &archive, std::string &output, const std::string &folder,
              const TArchiverOptions &options) override;

  // The library's "TarGetArchiveType" for the file: 1 tar, 2 to 5 gzip or compress, 6 and 7
  // bzip2; 0 when the library or the function is missing.
  static int ArchiveType(const std::string &path);

 protected:
  enum Compression { tcNone, tcGzip, tcBzip2 };
  friend class DriverFactory;
  explicit TTar32(Compression compression = tcNone)
      : TLibraryArchiver(ArcLib::Tar32, "Tar"), compression_(compression) {}

 private:
  int Command(const char *letter, ARC_HWND owner, const std::string &archive, std::string &output, bool useResFile,
              const TStringList *files, const std::string &folder, const TArchiverOptions &o);
  Compression compression_;
};

class TTgz32 : public TTar32 {
 protected:
  friend class DriverFactory;
  TTgz32() : TTar32(tcGzip) {}
};

class TBZ232 : public TTar32 {
 protected:
  friend class DriverFactory;
  TBZ232() : TTar32(tcBzip2) {}
};

}  // namespace archives
