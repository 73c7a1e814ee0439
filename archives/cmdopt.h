// TCmdOpt assembles one archiver command line piece by piece, with the same rules for
// switches, quoting, folders and file lists in every driver.
//
// Text is UTF-8. The folder tests look at the last whole character; in UTF-8 the byte of "\"
// never occurs inside a multibyte character, so the last byte being "\" means the last
// character is "\".
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "options.h"

namespace archives {

class TCmdOpt {
 public:
  std::string Text;  // the command line so far; each piece is preceded by one blank
  // false: a named string switch is quoted whole ("-wC:\x\"); true: switch, blank, quoted value
  // (-f "a.tar").
  bool SeparateValue = false;
  // Applied to the file names of lists and response files when set.
  std::function<std::string(const std::string &)> ConvertName;

  // Text += " " + piece, also for an empty piece.
  void Add(std::string_view piece);
  // "-" + letters + value; nothing for -1.
  void AddNumber(std::string_view letters, int value);
  // Nothing for the unset marker. Without letters the quoted value; with letters the switch
  // ("-" + letters, or the letters after a leading blank as they stand) and the value, quoted
  // as SeparateValue says.
  void AddString(std::string_view letters, std::string_view value);
  void AddFile(std::string_view letters, std::string_view value) { AddString(letters, value); }
  // Nothing for an empty or unset folder; otherwise the folder with a trailing "\".
  void AddFolder(std::string_view letters, std::string_view folder);
  void AddConverted(std::string_view letters, const std::string &file);
  void AddList(std::string_view letters, const TStringList &list);
  // Writes the list to fileName (replacing it), each line quoted and ended by CR LF, and adds
  // the quoted "@" + fileName. Raises EArchiver when the file cannot be written: a library
  // handed a stale or missing list would act on the wrong files.
  void AddResponseFile(const TStringList &list, const std::string &fileName);
};

// The name alone when folder is empty; folder + name when folder ends in "\"; otherwise
// folder + "\" + name.
std::string JoinPath(std::string_view folder, std::string_view name);

// The ZIP libraries' file-name form: "\" becomes "/", "[" becomes "[[]" (a literal bracket in
// their wildcard syntax).
std::string ZipConvertName(const std::string &name);

}  // namespace archives
