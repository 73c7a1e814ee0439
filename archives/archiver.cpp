#include "archiver.h"

#include "core/fullpath.h"
#include "earchiver.h"
#include "core/translate.h"

namespace archives {

TArchiver::~TArchiver() = default;

void TArchiver::LoadDLL() { throw EArchiver("Abstract method 'TArchiver.LoadDLL' was called"); }

void TArchiver::FreeDLL() { throw EArchiver("Abstract method 'TArchiver.FreeDLL' was called"); }

HARC TArchiver::OpenArchive(ARC_HWND, const std::string &, uint32_t) { return nullptr; }

int TArchiver::FindFirst(HARC, INDIVIDUALINFO &, const std::string &) { return -1; }

int TArchiver::FindNext(HARC, INDIVIDUALINFO &) { return -1; }

int TArchiver::CloseArchive(HARC) { return 0; }

int TArchiver::Pack(ARC_HWND, const std::string &, std::string &, bool, const TStringList *, const std::string &,
                    const TArchiverOptions &) {
  throw EArchiver(platform::translate("Archives", "この形式では書庫ファイルの作成をサポートしておりません。"));
}

int TArchiver::Remove(ARC_HWND, const std::string &, std::string &, bool, const TStringList *,
                      const TArchiverOptions &) {
  throw EArchiver(platform::translate("Archives", "この形式の書庫ではファイルの削除をサポートしておりません。"));
}

int TArchiver::Update(ARC_HWND, const std::string &, std::string &, bool, const TStringList *, const std::string &,
                      const TArchiverOptions &) {
  throw EArchiver(platform::translate("Archives", "この形式の書庫では書庫の更新をサポートしておりません。"));
}

int TArchiver::MakeSfx(ARC_HWND, const std::string &, std::string &, const std::string &, const TArchiverOptions &) {
  throw EArchiver(platform::translate("Archives", "この形式では自己解凍書庫の作成をサポートしておりません。"));
}

int TArchiver::Check(const std::string &, int, int) {
  throw EArchiver(platform::translate("Archives", "この形式では書庫チェック機能をサポートしておりません。"));
}

bool TArchiver::SetOwnerWindow(ARC_HWND, ARCHIVERPROC) { return false; }

bool TArchiver::KillOwnerWindow(ARC_HWND) { return false; }

void TArchiver::AddArchiveAndFolder(TCmdOpt &cmd, const std::string &archive, const std::string &folder) {
  cmd.AddFile("", archive);
  cmd.AddFolder("", folder);
}

void TArchiver::AddFileList(TCmdOpt &cmd, const TStringList *files, bool useResFile, const TArchiverOptions &options) {
  if (files) {
    if (useResFile && IsGiven(options.ResFileName)) cmd.AddResponseFile(*files, options.ResFileName);
    else cmd.AddList("", *files);
  }
  cmd.Add(options.UserFileList);
}

int TArchiver::CallCommand(void *entry, ARC_HWND owner, const std::string &commandLine, std::string &output) {
  auto fn = reinterpret_cast<ArcCommandFn>(entry);
  return fn(owner, commandLine.c_str(), output.empty() ? nullptr : output.data(), static_cast<uint32_t>(output.size()));
}

std::string AbsoluteArchivePath(const std::string &archive) { return platform::ExpandFileName(archive); }

}  // namespace archives
