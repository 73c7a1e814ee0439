// The Windows path namespace of a Wine prefix. The program thinks in Windows paths (drive
// letters, "\" between folders) so that every stored file stays compatible with the Windows
// program; this class maps them onto the Linux file system the way Wine does.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct Drive {
  char letter;            // 'A'..'Z'
  std::string linuxRoot;  // absolute, normalised, no trailing "/" (except "/")
  std::string realRoot;   // the same folder with links resolved
};

class PathNamespace {
 public:
  // Reads the drive links of <prefix>/dosdevices. Z: is "/" unless the prefix maps it.
  static PathNamespace FromPrefix(const std::string &prefixDir);
  // $WINEPREFIX, else ~/.wine.
  static PathNamespace FromEnvironment();

  const std::string &Prefix() const { return prefix_; }
  const std::vector<Drive> &Drives() const { return drives_; }

  // Windows path → Linux path. Drive-absolute ("C:\x"), rooted ("\x": the current drive),
  // relative (to the current folder) and "\\?\unix\…" paths are accepted, with "\" or "/"
  // between components. Each component is matched exactly, else without case (Wine's rule),
  // else as the 8.3 alias Wine makes up for a long name (shortname.h); a tail that does not
  // exist keeps the case as written. Empty when the drive is not mapped.
  std::string ToLinux(std::string_view windowsPath) const;

  // Linux path → the canonical Windows path: through the drive whose folder is the deepest
  // prefix of the path (lowest letter on a tie). Characters that Windows names cannot hold
  // ("\" ":" "*" "?" "\"" "<" ">" "|") map to U+F000 + the character, as Wine does, and back.
  std::string ToWindows(std::string_view linuxPath) const;

  // The one Windows path of the file that windowsPath names.
  std::string Canonical(std::string_view windowsPath) const;

 private:
  std::string prefix_;
  std::vector<Drive> drives_;
};

// The process-wide namespace, made from the environment at first use.
const PathNamespace &Paths();
// For tests and for a program that learns its prefix late.
void SetPaths(PathNamespace ns);

// One Linux name ↔ one Windows name (the U+F000 mapping above).
std::string NameToWindows(std::string_view linuxName);
std::string NameToLinux(std::string_view windowsName);

// Lexical helpers on Linux paths.
std::string NormalizeLinuxPath(std::string_view path);  // absolute, no ".", "..", "//"
std::string CurrentLinuxFolder();

// Shorthands through Paths().
inline std::string ToLinux(std::string_view w) { return Paths().ToLinux(w); }
inline std::string ToWindows(std::string_view l) { return Paths().ToWindows(l); }

}  // namespace platform
