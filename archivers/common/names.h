// Stored entry names: turning the bytes an archive holds into UTF-8, and turning a name into
// the path components that may be written below a destination folder.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace arc {

bool IsValidUtf8(std::string_view s);

// UTF-8 where the bytes are valid UTF-8 (Unix tools), else code page 932 (Windows tools), else every
// byte that is no text is kept as "%XX", so the name stays readable and recoverable.
std::string DecodeLegacyName(std::string_view bytes);

enum class PathCheck {
  Ok,
  Defused,  // an absolute path or drive letter was dropped: the rest stays below the folder
  Refused,  // ".." or nothing left: the entry is not written
};

// Splits a stored name at "/" and "\", drops empty and "." parts, strips a leading drive
// letter and leading separators, and refuses ".." anywhere. Parts are at most 255 bytes.
PathCheck SplitEntryPath(std::string_view utf8Name, std::vector<std::string> &parts);

// "a/b/c" from parts.
std::string JoinParts(const std::vector<std::string> &parts);

}  // namespace arc

namespace arc {

// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view s);
// UTF-8 to UTF-16; invalid bytes become U+FFFD.
std::u16string Utf8ToUtf16(std::string_view s);

}  // namespace arc
