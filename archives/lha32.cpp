#include "lha32.h"

#include <utility>

namespace archives {

std::string TLha32::CommandFor(const std::string &letter, const std::string &archive, bool useResFile,
                               const TStringList *files, const std::string &folder,
                               const TArchiverOptions &o) const {
  TCmdOpt cmd;
  cmd.Add("-+");
  for (auto [letters, value] : {std::pair{"a", o.a}, {"c", o.c}, {"e", o.e}, {"f", o.f}, {"h", o.h},
                                {"i", o.i}, {"l", o.l}, {"m", o.m}})
    cmd.AddNumber(letters, value);
  // With a progress window the library's own progress display must stay off.
  cmd.AddNumber("n", OwnerWindow ? 1 : o.n);
  for (auto [letters, value] : {std::pair{"o", o.o}, {"p", o.p}, {"r", o.r}, {"s", o.s}, {"t", o.t}, {"u", o.u}})
    cmd.AddNumber(letters, value);
  cmd.AddFolder("w", o.w);
  for (auto [letters, value] : {std::pair{"x", o.x}, {"y", o.y}, {"z", o.z}, {"jc", o.jc}, {"jd", o.jd},
                                {"je", o.je}, {"jf", o.jf}, {"jh", o.jh}, {"ji", o.ji}, {"jm", o.jm},
                                {"jn", o.jn}})
    cmd.AddNumber(letters, value);
  cmd.AddString("jo", o.jo);
  cmd.AddString("job", o.job);
  for (auto [letters, value] : {std::pair{"jp", o.jp}, {"jr", o.jr}, {"jss", o.jss}, {"jw", o.jw}})
    cmd.AddNumber(letters, value);
  for (const auto &item : o.jx) cmd.AddString("jx", item);
  for (auto [letters, value] : {std::pair{"jyc", o.jyc}, {"jyd", o.jyd}, {"jyk", o.jyk}, {"jyn", o.jyn},
                                {"jyo", o.jyo}})
    cmd.AddNumber(letters, value);
  cmd.AddString("jz", o.jz);
  for (auto [letters, value] : {std::pair{"ga", o.ga}, {"gd", o.gd}, {"ge", o.ge}, {"gf", o.gf}, {"gj", o.gj},
                                {"gm", o.gm}, {"gn", o.gn}, {"go", o.go}, {"gp", o.gp}})
    cmd.AddNumber(letters, value);
  cmd.AddString("gr", o.gr);
  for (auto [letters, value] : {std::pair{"gs", o.gs}, {"gu", o.gu}, {"gw", o.gw}}) cmd.AddNumber(letters, value);
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
