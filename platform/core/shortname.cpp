#include "shortname.h"

#include <cstdint>
#include <vector>

#include "text.h"

namespace platform {

namespace {

constexpr std::string_view kHashChars = "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345";
// Characters an alias never carries: they become "_".
constexpr std::string_view kNotInAlias = "*?<>|\"+=,;[] ~.";

std::u16string ToUtf16(std::string_view utf8) {
  std::u16string out;
  for (size_t i = 0; i < utf8.size();) AppendUtf16(out, NextCodePoint(utf8, i));
  return out;
}

char AliasChar(char16_t c) {
  if (c > 0x7F || kNotInAlias.find(static_cast<char>(c)) != std::string_view::npos) return '_';
  const char a = static_cast<char>(c);
  return (a >= 'a' && a <= 'z') ? static_cast<char>(a - 'a' + 'A') : a;
}

// Over the UTF-16 units of the name, case ignored (each unit lowered): every unit mixed with
// the next one shifted into the high byte, then the last unit alone.
uint16_t Hash(const std::u16string &lower) {
  uint16_t hash = 0xBEEF;
  for (size_t i = 0; i + 1 < lower.size(); ++i)
    hash = static_cast<uint16_t>((hash << 3) ^ (hash >> 5) ^ lower[i] ^ (lower[i + 1] << 8));
  if (!lower.empty()) hash = static_cast<uint16_t>((hash << 3) ^ (hash >> 5) ^ lower.back());
  return hash;
}

}  // namespace

bool IsLegal83Name(std::string_view name) {
  if (name.size() > 12) return false;
  if (!name.empty() && name[0] == '.') return name == "." || name == "..";
  size_t dot = std::string_view::npos;
  for (size_t i = 0; i < name.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(name[i]);
    if (c > 0x7F || std::string_view("*?<>|\"+=,;[] :/\\").find(static_cast<char>(c)) != std::string_view::npos)
      return false;
    if (c == '.') {
      if (dot != std::string_view::npos) return false;
      dot = i;
    }
  }
  if (dot == std::string_view::npos) return name.size() <= 8;
  return dot <= 8 && name.size() - dot > 1 && name.size() - dot < 5;
}

std::string WineShortName(std::string_view longName) {
  if (longName.empty() || IsLegal83Name(longName)) return {};
  const std::u16string name = ToUtf16(longName);
  const uint16_t hash = Hash(ToUtf16(FoldCase(longName)));

  // The extension starts at the last dot, leading dots and a dot at the very end not counting.
  size_t first = 0;
  while (first < name.size() && name[first] == u'.') ++first;
  size_t ext = std::u16string::npos;
  for (size_t i = first + 1; i + 1 < name.size(); ++i)
    if (name[i] == u'.') ext = i;

  std::string out;
  for (size_t i = 0; i < name.size() && i != ext && out.size() < 4; ++i)
    if (name[i] != u'.') out += AliasChar(name[i]);
  out.append(5 - out.size(), '~');
  out += kHashChars[(hash >> 10) & 0x1F];
  out += kHashChars[(hash >> 5) & 0x1F];
  out += kHashChars[hash & 0x1F];
  if (ext != std::u16string::npos) {
    out += '.';
    for (size_t i = ext + 1; i < name.size() && i <= ext + 3; ++i) out += AliasChar(name[i]);
  }
  return out;
}

bool LooksLikeWineShortName(std::string_view name) {
  const size_t dot = name.find('.');
  const std::string_view base = name.substr(0, dot);
  if (base.size() != 8 || base[4] != '~') return false;
  for (char c : base.substr(5)) {
    const char u = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    if (kHashChars.find(u) == std::string_view::npos) return false;
  }
  if (dot == std::string_view::npos) return true;
  const std::string_view ext = name.substr(dot + 1);
  return !ext.empty() && ext.size() <= 3 && ext.find('.') == std::string_view::npos;
}

}  // namespace platform
