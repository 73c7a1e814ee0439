// The player that the desktop associates with a kind of file, as a command template.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// The command template of the desktop's default application for files with the extension
// ext (with its dot, e.g. ".mid"): the content type that the name "*"+ext suggests, its
// default application, that application's Exec line through ExecToTemplate. Empty when ext
// is empty, the type is unknown, no application is the default or it has no command line.
std::string AssociatedCommand(const std::string &ext);

// A desktop entry's Exec line as a command template: the first file field code (%f %F %u
// %U) becomes "%1" in double quotes, a later one is dropped (one file is ever given), as are
// %i %c %k and the deprecated %d %D %n %N %v %m; "%%" and anything else stay as they are.
std::string ExecToTemplate(std::string_view exec);

}  // namespace platform
