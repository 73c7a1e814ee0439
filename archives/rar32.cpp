#include "rar32.h"

namespace archives {

int TRar32::Extract(ARC_HWND owner, const std::string &archive, std::string &output, bool useResFile,
                    const TStringList *files, const std::string &folder, const TArchiverOptions &o) {
  TCmdOpt cmd;
  if (o.c < 1) cmd.Add("-u");
  if (o.m > 0) cmd.Add("-y");
  if (o.p > 0) cmd.Add("-s");
  cmd.Add(o.UserOptions);
  AddArchiveAndFolder(cmd, archive, folder);
  AddFileList(cmd, files, useResFile, o);
  CommandLine = (o.x != 0 ? "-x" : "-e") + cmd.Text;
  return Run(owner, output);
}

bool TRar32::IsArchive(const std::string &path) { return ProbeByOpening(ArcLib::Unrar32, "Unrar", path); }

}  // namespace archives
