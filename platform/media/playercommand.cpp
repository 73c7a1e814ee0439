#include "media/playercommand.h"
#include "core/translate.h"

namespace platform {
namespace {

std::string EscapedInQuotes(const std::string &text) {
  std::string out;
  for (char ch : text) {
    if (ch == '"' || ch == '\\') out += '\\';
    out += ch;
  }
  return out;
}

bool NeedsQuotes(const std::string &text) { return text.empty() || text.find_first_of(" \t\n\"") != std::string::npos; }

// text names the command as %1 and may name a wrong conversion as %2.
std::string Refused(const std::string &text, std::string_view commandTemplate, std::string_view what = {}) {
  return platform::Args(text, {commandTemplate, what});
}

}  // namespace

std::string PrepareCommandTemplate(std::string_view commandTemplate) {
  std::string result(commandTemplate);
  const size_t percent = result.find('%');
  if (percent == std::string::npos || percent + 1 >= result.size()) return result;
  const char next = result[percent + 1];
  if (next == '1' || next == 'L' || next == 'l') result[percent + 1] = 's';
  return result;
}

FormattedCommand FormatCommand(std::string_view commandTemplate, const std::string &path) {
  std::string out;
  bool inQuotes = false;
  bool pathUsed = false;
  for (size_t i = 0; i < commandTemplate.size(); ++i) {
    const char ch = commandTemplate[i];
    if (ch != '%') {
      // The quoting state decides how the path is put in; an escaped character inside quotes
      // never ends them.
      if (inQuotes && ch == '\\' && i + 1 < commandTemplate.size()) {
        out += ch;
        out += commandTemplate[++i];
        continue;
      }
      if (ch == '"') inQuotes = !inQuotes;
      out += ch;
      continue;
    }
    if (i + 1 >= commandTemplate.size())
      return {std::nullopt,
              Refused(platform::translate("Media", "関連づけられたコマンド \"%1\" の書式が正しくありません (末尾の %)"),
                      commandTemplate)};
    const char conversion = commandTemplate[++i];
    if (conversion == '%') {
      out += '%';
    } else if (conversion == 's') {
      if (pathUsed)
        return {std::nullopt,
                Refused(platform::translate(
                            "Media", "関連づけられたコマンド \"%1\" の書式が正しくありません (%s が二つ以上あります)"),
                        commandTemplate)};
      pathUsed = true;
      if (inQuotes) {
        out += EscapedInQuotes(path);
      } else if (NeedsQuotes(path)) {
        out += '"' + EscapedInQuotes(path) + '"';
      } else {
        out += path;
      }
    } else {
      std::string what(1, conversion);  // a whole character, also when it takes several bytes
      while (i + 1 < commandTemplate.size() && (commandTemplate[i + 1] & 0xC0) == 0x80) what += commandTemplate[++i];
      return {std::nullopt,
              Refused(platform::translate("Media",
                                          "関連づけられたコマンド \"%1\" の書式が正しくありません (%%2 は使えません)"),
                      commandTemplate, what)};
    }
  }
  return {std::move(out), {}};
}

}  // namespace platform
