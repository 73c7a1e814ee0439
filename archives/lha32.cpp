#include "lha32.h"

#include <string_view>

#include "lhaswitches.h"

namespace archives {

std::string TLha32::CommandFor(const std::string &letter, const std::string &archive, bool useResFile,
                               const TStringList *files, const std::string &folder, const TArchiverOptions &o) const {
  TCmdOpt cmd;
  cmd.Add("-+");
  // With a progress window the library's own progress display must stay off.
  const auto number = [&](std::string_view letters, int value) {
    cmd.AddNumber(letters, letters == "n" && OwnerWindow ? 1 : value);
  };
#define LHA_NUMBER(s) number(#s, o.s);
#define LHA_TEXT(s) cmd.AddString(#s, o.s);
#define LHA_FOLDER(s) cmd.AddFolder(#s, o.s);
#define LHA_LIST(s) \
  for (const auto &item : o.s) cmd.AddString(#s, item);
  LHA_SWITCHES(LHA_NUMBER, LHA_TEXT, LHA_FOLDER, LHA_LIST)
#undef LHA_NUMBER
#undef LHA_TEXT
#undef LHA_FOLDER
#undef LHA_LIST
  cmd.Add(o.UserOptions);
  AddArchiveAndFolder(cmd, archive, folder);
  AddFileList(cmd, files, useResFile, o);
  return letter + cmd.Text;
}

int TLha32::Extract(ARC_HWND owner, const std::string &archive, std::string &output, bool useResFile,
                    const TStringList *files, const std::string &folder, const TArchiverOptions &options) {
  CommandLine = CommandFor("x", archive, useResFile, files, folder, options);
  return Run(owner, output);
}

int TLha32::Pack(ARC_HWND owner, const std::string &archive, std::string &output, bool useResFile,
                 const TStringList *files, const std::string &baseFolder, const TArchiverOptions &options) {
  CommandLine = CommandFor("u", archive, useResFile, files, baseFolder, options);
  return Run(owner, output);
}

int TLha32::Remove(ARC_HWND owner, const std::string &archive, std::string &output, bool useResFile,
                   const TStringList *files, const TArchiverOptions &options) {
  CommandLine = CommandFor("d", archive, useResFile, files, "", options);
  return Run(owner, output);
}

int TLha32::Update(ARC_HWND owner, const std::string &archive, std::string &output, bool useResFile,
                   const TStringList *files, const std::string &folder, const TArchiverOptions &options) {
  CommandLine = CommandFor("f", archive, useResFile, files, folder, options);
  return Run(owner, output);
}

int TLha32::MakeSfx(ARC_HWND owner, const std::string &archive, std::string &output, const std::string &folder,
                    const TArchiverOptions &options) {
  CommandLine = CommandFor("s", archive, false, nullptr, folder, options);
  return Run(owner, output);
}

bool TLha32::IsArchive(const std::string &path) { return ProbeByOpening(ArcLib::Unlha32, "Unlha", path); }

}  // namespace archives
