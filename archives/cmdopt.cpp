#include "cmdopt.h"

#include "core/atomicfile.h"
#include "core/winpath.h"
#include "earchiver.h"
#include "core/translate.h"

namespace archives {

void TCmdOpt::Add(std::string_view piece) {
  Text += ' ';
  Text += piece;
}

void TCmdOpt::AddNumber(std::string_view letters, int value) {
  if (value == -1) return;
  Add("-" + std::string(letters) + std::to_string(value));
}

void TCmdOpt::AddString(std::string_view letters, std::string_view value) {
  if (IsUnset(value)) return;
  if (letters.empty()) {
    Add("\"" + std::string(value) + "\"");
    return;
  }
  const std::string sw = letters[0] == ' ' ? std::string(letters.substr(1)) : "-" + std::string(letters);
  if (SeparateValue) Add(sw + " \"" + std::string(value) + "\"");
  else Add("\"" + sw + std::string(value) + "\"");
}

void TCmdOpt::AddFolder(std::string_view letters, std::string_view folder) {
  if (folder.empty() || IsUnset(folder)) return;
  std::string f(folder);
  if (f.back() != '\\') f += '\\';
  AddFile(letters, f);
}

void TCmdOpt::AddConverted(std::string_view letters, const std::string &file) {
  AddFile(letters, ConvertName ? ConvertName(file) : file);
}

void TCmdOpt::AddList(std::string_view letters, const TStringList &list) {
  for (const auto &line : list) AddConverted(letters, line);
}

void TCmdOpt::AddResponseFile(const TStringList &list, const std::string &fileName) {
  std::string data;
  for (const auto &line : list) data += "\"" + (ConvertName ? ConvertName(line) : line) + "\"\r\n";
  const std::string target = platform::ToLinux(fileName);
  if (target.empty() || !platform::WriteFileAtomically(target, data))
    throw EArchiver(platform::Args(platform::translate("Archives", "%1 に書き込めません"), {fileName}));
  AddFile("", "@" + fileName);
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  if (folder.empty()) return std::string(name);
  if (folder.back() == '\\') return std::string(folder) + std::string(name);
  return std::string(folder) + "\\" + std::string(name);
}

std::string ZipConvertName(const std::string &name) {
  std::string out;
  out.reserve(name.size());
  for (char c : name) {
    if (c == '\\') out += '/';
    else if (c == '[') out += "[[]";
    else out += c;
  }
  return out;
}

}  // namespace archives
