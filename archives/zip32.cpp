#include "zip32.h"

#include "core/fileops.h"
#include "earchiver.h"
#include "sfx.h"
#include "core/translate.h"
#include "core/textmark.h"

namespace archives {

namespace {

const char kNoUnzipLibrary[] =
    QT_TRANSLATE_NOOP("Archives", "ZIP 形式書庫の解凍には UNZIP32.DLL または LMZIP32.DLL が必要です。");
const char kNoZipLibrary[] =
    QT_TRANSLATE_NOOP("Archives", "ZIP 形式書庫の作成には ZIP32J.DLL または LMZIP32.DLL が必要です。");

TArchiverLibrary &Lib(ArcLib lib) { return TArchiverLibrary::Of(lib); }

}  // namespace

void TZip32::LoadDLL() {
  bool any = false;
  for (ArcLib lib : {ArcLib::Unzip32, ArcLib::Zip32j, ArcLib::Lmzip32}) any = Lib(lib).Load() || any;
  if (!any)
    throw EArchiver(platform::translate(
        "Archives", "ZIP 形式書庫を解凍するには UNZIP32.DLL が、作成するには ZIP32J.DLL が必要です。"));
}

void TZip32::FreeDLL() {
  for (ArcLib lib : {ArcLib::Unzip32, ArcLib::Zip32j, ArcLib::Lmzip32}) Lib(lib).Free();
}

void *TZip32::FindFirstOf(Candidates candidates) {
  for (auto [lib, name] : candidates) {
    if (!Lib(lib).Load()) continue;
    if (void *fn = Lib(lib).Find(name)) return fn;
  }
  return nullptr;
}

void *TZip32::RequireFirstOf(Candidates candidates, const std::string &function, const char *missingLibraries) {
  if (void *fn = FindFirstOf(candidates)) return fn;
  if (missingLibraries) {
    bool anyLoaded = false;
    for (auto [lib, name] : candidates) anyLoaded = anyLoaded || Lib(lib).IsLoaded();
    if (!anyLoaded) throw EArchiver(platform::translate("Archives", missingLibraries));
  }
  throw EArchiver(MissingEntryText(function));
}

// LMZIP32.DLL spells its listing functions "Unzip…" where the others spell them "UnZip…".
std::string TZip32::ListingName(ArcLib lib, const std::string &suffix) {
  return (lib == ArcLib::Lmzip32 ? "Unzip" : "UnZip") + suffix;
}

// The first library, in LMZIP32, ZIP32J, UNZIP32 order, that has the listing function; `only`
// limits the search to the library that made the open listing, whose handle no other one knows.
std::pair<ArcLib, void *> TZip32::Listing(const std::string &suffix, std::optional<ArcLib> only) {
  for (ArcLib lib : {ArcLib::Lmzip32, ArcLib::Zip32j, ArcLib::Unzip32}) {
    if (only && lib != *only) continue;
    if (!Lib(lib).Load()) continue;
    if (void *fn = Lib(lib).Find(ListingName(lib, suffix))) return {lib, fn};
  }
  throw EArchiver(MissingEntryText("UnZip" + suffix));
}

HARC TZip32::OpenArchive(ARC_HWND owner, const std::string &archive, uint32_t mode) {
  auto [lib, fn] = Listing("OpenArchive", std::nullopt);
  HARC handle = reinterpret_cast<ArcOpenArchiveFn>(fn)(owner, AbsoluteArchivePath(archive).c_str(), mode);
  listingLib_ = handle ? std::optional(lib) : std::nullopt;
  return handle;
}

int TZip32::FindFirst(HARC handle, INDIVIDUALINFO &entry, const std::string &wildcard) {
  return reinterpret_cast<ArcFindFirstFn>(Listing("FindFirst", listingLib_).second)(handle, wildcard.c_str(), &entry);
}

int TZip32::FindNext(HARC handle, INDIVIDUALINFO &entry) {
  return reinterpret_cast<ArcFindNextFn>(Listing("FindNext", listingLib_).second)(handle, &entry);
}

int TZip32::CloseArchive(HARC handle) {
  auto fn = reinterpret_cast<ArcCloseArchiveFn>(Listing("CloseArchive", listingLib_).second);
  listingLib_.reset();
  return fn(handle);
}

int TZip32::Extract(ARC_HWND owner, const std::string &archive, std::string &output, bool useResFile,
                    const TStringList *files, const std::string &folder, const TArchiverOptions &o) {
  TCmdOpt cmd;
  cmd.ConvertName = ZipConvertName;
  if (o.c == 1) cmd.Add("-o");
  if (o.n > 0 || OwnerWindow) cmd.Add("--i");
  if (o.x == 0) cmd.Add("-j");
  cmd.Add(o.UserOptions);
  AddArchiveAndFolder(cmd, archive, folder);
  AddFileList(cmd, files, useResFile, o);
  CommandLine = "-x" + cmd.Text;
  void *entry = RequireFirstOf({{ArcLib::Unzip32, "UnZip"}, {ArcLib::Lmzip32, "UnZip"}}, "UnZip", kNoUnzipLibrary);
  return CallCommand(entry, owner, CommandLine, output);
}

void TZip32::AddPackSwitches(TCmdOpt &cmd, const TArchiverOptions &o) const {
  cmd.ConvertName = ZipConvertName;
  if (o.a > 0) cmd.Add("-S");
  if (o.a < 2) cmd.Add("-D");
  if (o.l > 0) cmd.Add("-v");
  if (o.n > 0) cmd.Add("-q");
  if (o.r > 0) cmd.Add("-r");
  if (o.n > 0) cmd.Add("-o");
  if (o.u > 0) cmd.Add("-u");
  if (o.x == 0) cmd.Add("-j");
  if (o.jc > 0) cmd.Add("-FF");
  if (o.ji > 0) cmd.Add("-k");
  cmd.AddNumber("", o.jm);
  if (o.gd > 0) cmd.Add("-J");
  cmd.Add(o.UserOptions);
}

int TZip32::RunZip(ARC_HWND owner, std::string &output) {
  void *entry = RequireFirstOf({{ArcLib::Zip32j, "Zip"}, {ArcLib::Lmzip32, "Zip"}}, "Zip", kNoZipLibrary);
  return CallCommand(entry, owner, CommandLine, output);
}

int TZip32::Pack(ARC_HWND owner, const std::string &archive, std::string &output, bool useResFile,
                 const TStringList *files, const std::string &baseFolder, const TArchiverOptions &o) {
  TCmdOpt cmd;
  if (Lib(ArcLib::Zip32j).Load()) {
    AddPackSwitches(cmd, o);
    AddArchiveAndFolder(cmd, archive, baseFolder);
    AddFileList(cmd, files, useResFile, o);
    CommandLine = cmd.Text;  // no command letter: the line starts with the builder's blank
    return RunZip(owner, output);
  }
  if (!Lib(ArcLib::Lmzip32).Load()) throw EArchiver(platform::translate("Archives", kNoZipLibrary));
  if (o.c == 1) cmd.Add("-o");
  if (o.x == 0) cmd.Add("-j");
  cmd.Add(o.UserOptions);
  cmd.AddFile("", archive);
  AddFileList(cmd, files, useResFile, o);
  CommandLine = "-ru" + cmd.Text;
  platform::DeleteFile(archive);
  return RunZip(owner, output);
}

int TZip32::Remove(ARC_HWND owner, const std::string &archive, std::string &output, bool useResFile,
                   const TStringList *files, const TArchiverOptions &o) {
  TCmdOpt cmd;
  AddPackSwitches(cmd, o);
  AddArchiveAndFolder(cmd, archive, "");
  AddFileList(cmd, files, useResFile, o);
  CommandLine = "-d" + cmd.Text;
  return RunZip(owner, output);
}

int TZip32::Update(ARC_HWND owner, const std::string &archive, std::string &output, bool useResFile,
                   const TStringList *files, const std::string &folder, const TArchiverOptions &o) {
  TCmdOpt cmd;
  AddPackSwitches(cmd, o);
  AddArchiveAndFolder(cmd, archive, folder);
  AddFileList(cmd, files, useResFile, o);
  CommandLine = "-f" + cmd.Text;
  return RunZip(owner, output);
}

int TZip32::MakeSfx(ARC_HWND owner, const std::string &archive, std::string &output, const std::string &folder,
                    const TArchiverOptions &o) {
  if (!Lib(ArcLib::Zip32j).Load())
    throw EArchiver(platform::translate("Archives", "ZIP 形式書庫からの自己解凍書庫作成には ZIP32J.DLL が必要です。"));
  const bool gui = o.gw > 0;
  const std::string sfxModule = FindSfxModule(gui ? "sfx32gui.dat" : "sfx16.dat");
  if (sfxModule.empty())
    throw EArchiver(
        gui ? platform::translate("Archives", "zip 書庫からのWin32自己解凍書庫の作成には sfx32gui.dat が必要です。")
            : platform::translate("Archives", "zip 書庫からのDOS自己解凍書庫の作成には sfx16.dat が必要です。"));
  const std::string exe = SfxOutputPath(archive, folder);
  WriteSfx(sfxModule, archive, exe);
  CommandLine = "-A " + exe;
  return RunZip(owner, output);
}

int TZip32::Check(const std::string &archive, int mode, int) {
  auto fn = reinterpret_cast<ArcCheckArchiveFn>(RequireFirstOf({{ArcLib::Unzip32, "UnZipCheckArchive"},
                                                                {ArcLib::Lmzip32, "UnZipCheckArchive"},
                                                                {ArcLib::Zip32j, "UnZipCheckArchive"}},
                                                               "UnZipCheckArchive", nullptr));
  return fn(archive.c_str(), mode);
}

bool TZip32::SetOwnerWindow(ARC_HWND window, ARCHIVERPROC callback) {
  auto fn = reinterpret_cast<ArcSetOwnerWindowExFn>(
      RequireFirstOf({{ArcLib::Unzip32, "UnZipSetOwnerWindowEx"}}, "UnZipSetOwnerWindowEx", nullptr));
  fn(window, callback);
  OwnerWindow = window;
  return true;
}

bool TZip32::KillOwnerWindow(ARC_HWND window) {
  auto fn = reinterpret_cast<ArcKillOwnerWindowExFn>(
      RequireFirstOf({{ArcLib::Unzip32, "UnZipKillOwnerWindowEx"}}, "UnZipKillOwnerWindowEx", nullptr));
  fn(window);
  OwnerWindow = nullptr;
  return true;
}

bool TZip32::IsArchive(const std::string &path) {
  try {
    auto [lib, openFn] = Listing("OpenArchive", std::nullopt);
    auto open = reinterpret_cast<ArcOpenArchiveFn>(openFn);
    auto close = reinterpret_cast<ArcCloseArchiveFn>(Listing("CloseArchive", lib).second);
    HARC handle = open(nullptr, AbsoluteArchivePath(path).c_str(), ARC_M_PROBE);
    if (handle) close(handle);
    return handle != nullptr;
  } catch (const std::exception &) {
    return false;
  }
}

}  // namespace archives
