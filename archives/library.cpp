#include "library.h"

#include <array>

#include "core/winpath.h"
#include "earchiver.h"
#include "core/translate.h"
#include "core/textmark.h"

namespace archives {

namespace {

std::string &SearchFolder() {
  static std::string folder;
  return folder;
}

struct Registration {
  ArcLib lib;
  const char *dllName;
  const char *fileName;
  const char *missingMessage;
};

// ZIP's libraries have no message of their own: the ZIP driver says which of them it needs.
constexpr Registration kLibraries[] = {
    {ArcLib::Unlha32, "UNLHA32.DLL", "libunlha32.so",
     QT_TRANSLATE_NOOP("Archives", "Lha 形式書庫を扱うには UNLHA32.DLL が 必要です。")},
    {ArcLib::Unzip32, "UNZIP32.DLL", "libunzip32.so", ""},
    {ArcLib::Zip32j, "ZIP32J.DLL", "libzip32j.so", ""},
    {ArcLib::Lmzip32, "LMZIP32.DLL", "liblmzip32.so", ""},
    {ArcLib::Cab32, "CAB32.DLL", "libcab32.so",
     QT_TRANSLATE_NOOP("Archives", "CAB 形式書庫を扱うには CAB32.DLL が 必要です。")},
    {ArcLib::Unarj32j, "UNARJ32J.DLL", "libunarj32j.so",
     QT_TRANSLATE_NOOP("Archives", "ARJ 形式書庫を扱うには UNARJ32J.DLL が 必要です。")},
    {ArcLib::Tar32, "tar32.dll", "libtar32.so",
     QT_TRANSLATE_NOOP("Archives", "tar/tgz/taz/bz2 形式書庫を扱うには tar32.dll が 必要です。")},
    {ArcLib::Unrar32, "UNRAR32.DLL", "libunrar32.so",
     QT_TRANSLATE_NOOP("Archives", "この機能の使用には UNRAR32.DLL が 必要です。")},
};

std::array<std::unique_ptr<TArchiverLibrary>, std::size(kLibraries)> &Libraries() {
  static std::array<std::unique_ptr<TArchiverLibrary>, std::size(kLibraries)> libs = [] {
    std::array<std::unique_ptr<TArchiverLibrary>, std::size(kLibraries)> out;
    for (size_t i = 0; i < std::size(kLibraries); ++i)
      out[i] = std::make_unique<TArchiverLibrary>(kLibraries[i].dllName, kLibraries[i].fileName,
                                                  kLibraries[i].missingMessage);
    return out;
  }();
  return libs;
}

}  // namespace

TArchiverLibrary::TArchiverLibrary(std::string dllName, std::string fileName, std::string missingMessage)
    : dllName_(std::move(dllName)), fileName_(std::move(fileName)), missingMessage_(std::move(missingMessage)) {}

TArchiverLibrary &TArchiverLibrary::Of(ArcLib lib) {
  for (size_t i = 0; i < std::size(kLibraries); ++i)
    if (kLibraries[i].lib == lib) return *Libraries()[i];
  throw EArchiver("unknown archiver library");  // unreachable: every ArcLib is registered
}

void TArchiverLibrary::SetSearchFolder(std::string linuxFolder) { SearchFolder() = std::move(linuxFolder); }

void TArchiverLibrary::FreeAll() {
  for (auto &lib : Libraries()) lib->Free();
}

bool TArchiverLibrary::Load() {
  if (lib_.IsOpen()) return true;
  // An absolute path is opened as it stands; only the last candidate, the bare name, goes
  // through the system's search path.
  // Beside the program (the build folder, a portable copy), then where an install puts them:
  // PREFIX/lib/melodeck for a program in PREFIX/bin.
  const std::string program = platform::ProgramLinuxFolder();
  const std::string installed = program.empty() ? std::string() : program + "/../lib/melodeck";
  for (const std::string &folder : {SearchFolder(), program, installed}) {
    if (folder.empty()) continue;
    const std::string candidate = folder + (folder.back() == '/' ? "" : "/") + fileName_;
    if (lib_.Open(candidate)) return true;
  }
  return lib_.Open(fileName_);
}

void TArchiverLibrary::Free() {
  functions_.clear();
  lib_.Close();
}

std::string TArchiverLibrary::Path() const { return platform::ToWindows(lib_.LinuxPath()); }

void *TArchiverLibrary::Find(const std::string &name) {
  if (!lib_.IsOpen()) return nullptr;
  if (auto it = functions_.find(name); it != functions_.end()) return it->second;
  void *fn = lib_.Symbol(name);
  if (fn) functions_.emplace(name, fn);
  return fn;
}

void *TArchiverLibrary::Require(const std::string &name) {
  if (!Load()) throw EArchiver(missingMessage_.empty() ? MissingEntryText(name) : MissingText());
  if (void *fn = Find(name)) return fn;
  throw EArchiver(
      platform::Args(platform::translate("Archives", "%1 に %2 のエントリが見つかりません。"), {Path(), name}));
}

std::string MissingEntryText(const std::string &function) {
  return platform::Args(platform::translate("Archives", "%1 のエントリが見つかりません。"), {function});
}

std::string TArchiverLibrary::MissingText() const {
  return missingMessage_.empty() ? std::string() : platform::translate("Archives", missingMessage_.c_str());
}

}  // namespace archives
