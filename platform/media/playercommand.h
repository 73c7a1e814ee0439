// The command line of the associated player, made from its command template and a file path.
// Command lines follow one quoting rule throughout (see SplitCommandLine): double quotes group,
// and inside them a backslash takes the next '"', '`', '$' or '\' literally.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Turns the file placeholder of a template into "%s": only the first "%" is looked at, and
// only when "1", "L" or "l" follows it; any other template comes back unchanged.
std::string PrepareCommandTemplate(std::string_view commandTemplate);

struct FormattedCommand {
  std::optional<std::string> command;  // empty when the template was refused
  std::string error;                   // why, for a message box
};

// The template printf-style with one string argument, path: "%s" takes the path, "%%" is a
// "%". Anything else after a "%" (another conversion, a width, "%*", a "%" at the end) and a
// second "%s" are refused with an error text; nothing is ever read that wasn't given.
// The path always stays one argument of the command line: inside double quotes its '"' and '\'
// are escaped; outside them it is quoted when it holds a blank or a '"' (or is empty).
FormattedCommand FormatCommand(std::string_view commandTemplate, const std::string &path);

}  // namespace platform
