#include "lhacommand.h"

#include <algorithm>
#include <charconv>
#include <cctype>

#include "cmdline.h"
#include "errors.h"
#include "lhaswitches.h"

namespace arc {

namespace {

struct SwitchName {
  std::string_view name;
  bool number;  // else the rest of the piece is text
};

#define LHA_NUMBER(s) {#s, true},
#define LHA_TEXT(s) {#s, false},
constexpr SwitchName kSwitches[] = {LHA_SWITCHES(LHA_NUMBER, LHA_TEXT, LHA_TEXT, LHA_TEXT)};
#undef LHA_NUMBER
#undef LHA_TEXT

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
  // The longest name that fits wins ("job" over "jo"); a number switch fits only when the rest
  // of the piece is its number.
  const SwitchName *best = nullptr;
  int value = 0;
  for (const SwitchName &sw : kSwitches) {
    if (!StartsWithNoCase(body, sw.name) || (best && best->name.size() >= sw.name.size())) continue;
    int number = 0;
    if (sw.number && !ParseNumber(body.substr(sw.name.size()), number)) continue;
    best = &sw;
    value = number;
  }
  if (!best) return kErrCommandName;
  const std::string_view n = best->name;
  if (!best->number) {
    const std::string text(body.substr(n.size()));
    if (n == "w") c.workFolder = text;
    else if (n == "jx") c.exclusions.push_back(text);
    else c.ignored.push_back(std::string(body));
    return kOk;
  }
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
