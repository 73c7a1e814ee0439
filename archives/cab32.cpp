#include "cab32.h"

namespace archives {

int TCab32::Command(const char *letter, ARC_HWND owner, const std::string &archive, std::string &output,
                    bool useResFile, const TStringList *files, const std::string &folder, const TArchiverOptions &o) {
  TCmdOpt cmd;
  if (o.c == 1) cmd.Add("-o");
  if (o.n > 0 || OwnerWindow) cmd.Add("-i");
  if (o.r > 0) cmd.Add("-r");
  if (o.x == 0) cmd.Add("-j");
  if (o.ji > 0) cmd.Add("-q");
  cmd.Add(o.UserOptions);
  AddArchiveAndFolder(cmd, archive, folder);
  AddFileList(cmd, files, useResFile, o);
  CommandLine = letter + cmd.Text;
  return Run(owner, output);
}

int TCab32::Extract(ARC_HWND owner, const std::string &archive, std::string &output, bool useResFile,
                    const TStringList *files, const std::string &folder, const TArchiverOptions &options) {
  return Command("-x", owner, AbsoluteArchivePath(archive), output, useResFile, files, folder, options);
}

int TCab32::Pack(ARC_HWND owner, const std::string &archive, std::string &output, bool useResFile,
                 const TStringList *files, const std::string &baseFolder, const TArchiverOptions &options) {
  return Command("-a", owner, archive, output, useResFile, files, baseFolder, options);
}

int TCab32::MakeSfx(ARC_HWND owner, const std::string &archive, std::string &output, const std::string &folder,
                    const TArchiverOptions &options) {
  return Command("-f", owner, archive, output, false, nullptr, folder, options);
}

bool TCab32::IsArchive(const std::string &path) { return ProbeByOpening(ArcLib::Cab32, "Cab", path); }

}  // namespace archives
