#include "tar32.h"

#include "earchiver.h"
#include "sfx.h"
#include "core/translate.h"

namespace archives {

int TTar32::Command(const char *letter, ARC_HWND owner, const std::string &archive, std::string &output,
                    bool useResFile, const TStringList *files, const std::string &folder, const TArchiverOptions &o) {
  TCmdOpt cmd;
  cmd.SeparateValue = true;
  if (o.a > 0) cmd.Add("-AH");
  if (o.a == 0) cmd.Add("-I");
  if (!OwnerWindow && o.n > 0) cmd.Add("--display-dialog=0");
  if (o.o > 0) cmd.Add("-g");
  cmd.AddNumber("-check-all-path=", o.p);
  cmd.AddNumber("-use-directory=", o.x);
  if (compression_ == tcGzip) {
    if (o.jm >= 1) cmd.AddNumber("z", o.jm);
    else cmd.Add("-z");
  } else if (compression_ == tcBzip2) {
    if (o.jm >= 1) cmd.AddNumber("B", o.jm);
    else cmd.Add("-B");
  }
  cmd.Add(o.UserOptions);
  cmd.AddFile("f", archive);
  cmd.AddFolder("o", folder);
  AddFileList(cmd, files, useResFile, o);
  CommandLine = letter + cmd.Text;
  const int result = Run(owner, output);
  if (owner && owner->raise) owner->raise(owner->context);
  return result;
}

int TTar32::Extract(ARC_HWND owner, const std::string &archive, std::string &output, bool useResFile,
                    const TStringList *files, const std::string &folder, const TArchiverOptions &options) {
  return Command("x", owner, archive, output, useResFile, files, folder, options);
}

int TTar32::Pack(ARC_HWND owner, const std::string &archive, std::string &output, bool useResFile,
                 const TStringList *files, const std::string &baseFolder, const TArchiverOptions &options) {
  return Command("c", owner, archive, output, useResFile, files, baseFolder, options);
}

int TTar32::MakeSfx(ARC_HWND, const std::string &archive, std::string &, const std::string &folder,
                    const TArchiverOptions &) {
  if (compression_ == tcBzip2)
    throw EArchiver(platform::translate("Archives", "BZ2 形式書庫は自己解凍形式にできません。"));
  const std::string sfxModule = FindSfxModule("kmtarsef.exe");
  if (sfxModule.empty())
    throw EArchiver(
        platform::translate("Archives", "tar/tgz 書庫からの自己解凍書庫の作成には kmtarsef.exe が必要です。"));
  WriteSfx(sfxModule, archive, SfxOutputPath(archive, folder));
  return 0;
}

int TTar32::ArchiveType(const std::string &path) {
  try {
    auto fn = TArchiverLibrary::Of(ArcLib::Tar32).Require<ArcGetArchiveTypeFn>("TarGetArchiveType");
    return fn(AbsoluteArchivePath(path).c_str());
  } catch (const std::exception &) {
    return 0;
  }
}

}  // namespace archives
