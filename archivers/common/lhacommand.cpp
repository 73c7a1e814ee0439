#include "lhacommand.h"

#include <algorithm>
#include <charconv>
#include <cctype>
#include <cstring>

#include "cmdline.h"
#include "errors.h"

namespace arc {

namespace {

// Switches taking text: the rest of the piece is the value.
constexpr const char *kTextSwitches[] = {"job", "jo", "jx", "jz", "gr", "w"};
// Switches taking a number (missing means 1). Longest first within each leading letter.
constexpr const char *kNumberSwitches[] = {
    "jyc", "jyd", "jyk", "jyn", "jyo", "jss", "jc", "jd", "je", "jf", "jh", "ji", "jm", "jn", "jp", "jr", "jw",
    "ga",  "gd",  "ge",  "gf",  "gj",  "gm",  "gn", "go", "gp", "gs", "gu", "gw", "a",  "c",  "e",  "f",  "h",
    "i",   "l",   "m",   "n",   "o",   "p",   "r",  "s",  "t",  "u",  "x",  "y",  "z"};

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
  if (s.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(s[i])) != prefix[i]) return false;
  return true;
}

bool ParseNumber(std::string_view v, int &out) {
  if (v.empty()) {
    out = 1;
    return true;
  }
  const auto [p, ec] = std::from_chars(v.data(), v.data() + v.size(), out);
  return ec == std::errc() && p == v.data() + v.size() && out >= 0 && out < 1000000;
}

int ApplySwitch(std::string_view body, LhaCommand &c) {
  if (body == "+" || body == "-") return kOk;  // "-+": there is no settings file to ignore
  for (const char *name : kTextSwitches) {
    if (!StartsWithNoCase(body, name)) continue;
    const std::string value(body.substr(std::strlen(name)));
    if (std::strcmp(name, "w") == 0) c.workFolder = value;
    else if (std::strcmp(name, "jx") == 0) c.exclusions.push_back(value);
    else c.ignored.push_back(std::string(body));
    return kOk;
  }
  for (const char *name : kNumberSwitches) {
    if (!StartsWithNoCase(body, name)) continue;
    int value = 0;
    if (!ParseNumber(body.substr(std::strlen(name)), value)) continue;  // a longer name may fit
    const std::string_view n = name;
    if (n == "a") c.attributes = value;
    else if (n == "c") c.overwrite = value;
    else if (n == "h") c.headerLevel = value;
    else if (n == "jm") c.method = value;
    else if (n == "r") c.recursion = value;
    else if (n == "x") c.storePaths = value;
    else if (n == "jyo") c.suppressOverwriteQuestion = value;
    else c.ignored.push_back(std::string(body));
    return kOk;
  }
  return kErrCommandName;
}

}  // namespace

int ParseLhaCommand(std::string_view line, LhaCommand &c) {
  c = LhaCommand{};
  std::vector<Piece> pieces;
  if (!SplitCommandLine(line, pieces) || pieces.empty()) return kErrCommandName;
  const std::string &letter = pieces[0].text;
  if (letter.size() != 1 || !std::isalpha(static_cast<unsigned char>(letter[0]))) return kErrCommandName;
  c.letter = static_cast<char>(std::tolower(static_cast<unsigned char>(letter[0])));

  std::vector<std::string> names;
  for (size_t i = 1; i < pieces.size(); ++i) {
    if (IsSwitch(pieces[i])) {
      if (int r = ApplySwitch(std::string_view(pieces[i].text).substr(1), c); r != kOk) return r;
    } else if (!pieces[i].text.empty()) {
      names.push_back(pieces[i].text);
    }
  }
  if (names.empty() || names[0][0] == '@') return kErrCommandName;
  c.archive = names[0];
  size_t next = 1;
  if (next < names.size() && (names[next].back() == '\\' || names[next].back() == '/') && names[next][0] != '@')
    c.folder = names[next++];
  const std::vector<std::string> rest(names.begin() + static_cast<std::ptrdiff_t>(next), names.end());
  if (!ExpandResponseFiles(rest, c.files)) return kErrResponseRead;
  return kOk;
}

}  // namespace arc
