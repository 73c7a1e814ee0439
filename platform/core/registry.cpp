#include "registry.h"

#include <cstdlib>
#include <sstream>

#include "fileops.h"
#include "text.h"

namespace platform {

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string Utf16ToUtf8(const std::u16string &s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    char32_t c = s[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (s[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c < 0xE000) {
      c = 0xFFFD;
    }
    AppendUtf8(out, c);
  }
  return out;
}

// Reads a quoted-string body at line[pos] (just after the opening quote, or after "[" for key
// names) up to the unescaped terminator. Escapes as Wine writes them: \\ \" \a \b \e \f \n \r
// \t \v, \x with up to four hex digits (one UTF-16 unit), \ooo octal.
std::optional<std::u16string> ParseString(std::string_view line, size_t &pos, char terminator) {
  std::u16string out;
  while (pos < line.size()) {
    const char c = line[pos];
    if (c == terminator) {
      ++pos;
      return out;
    }
    if (c != '\\') {
      AppendUtf16(out, NextCodePoint(line, pos));
      continue;
    }
    if (++pos >= line.size()) return std::nullopt;
    const char e = line[pos++];
    switch (e) {
      case 'a':
        out += u'\a';
        break;
      case 'b':
        out += u'\b';
        break;
      case 'e':
        out += char16_t(0x1B);
        break;
      case 'f':
        out += u'\f';
        break;
      case 'n':
        out += u'\n';
        break;
      case 'r':
        out += u'\r';
        break;
      case 't':
        out += u'\t';
        break;
      case 'v':
        out += u'\v';
        break;
      case 'x': {
        unsigned v = 0;
        int n = 0;
        while (n < 4 && pos < line.size() && HexDigit(line[pos]) >= 0) v = v * 16 + HexDigit(line[pos++]), ++n;
        if (n == 0) return std::nullopt;
        out += static_cast<char16_t>(v);
        break;
      }
      default:
        if (e >= '0' && e <= '7') {
          unsigned v = e - '0';
          for (int n = 1; n < 3 && pos < line.size() && line[pos] >= '0' && line[pos] <= '7'; ++n)
            v = v * 8 + (line[pos++] - '0');
          out += static_cast<char16_t>(v);
        } else {
          out += static_cast<char16_t>(static_cast<unsigned char>(e));
        }
    }
  }
  return std::nullopt;
}

std::vector<uint8_t> Utf16Bytes(const std::u16string &s, bool terminate) {
  std::vector<uint8_t> out;
  for (char16_t c : s) {
    out.push_back(static_cast<uint8_t>(c & 0xFF));
    out.push_back(static_cast<uint8_t>(c >> 8));
  }
  if (terminate) out.insert(out.end(), {0, 0});
  return out;
}

std::optional<std::vector<uint8_t>> ParseHex(std::string_view s) {
  std::vector<uint8_t> out;
  size_t i = 0;
  while (i < s.size()) {
    if (s[i] == ',' || s[i] == ' ' || s[i] == '\t') {
      ++i;
      continue;
    }
    if (i + 1 >= s.size() || HexDigit(s[i]) < 0 || HexDigit(s[i + 1]) < 0) return std::nullopt;
    out.push_back(static_cast<uint8_t>(HexDigit(s[i]) * 16 + HexDigit(s[i + 1])));
    i += 2;
  }
  return out;
}

// The value part after "=": "string", str(N):"string", dword:xxxxxxxx, hex:.., hex(N):..
std::optional<RegValue> ParseData(std::string_view s) {
  RegValue v;
  size_t pos = 0;
  auto quoted = [&](RegType t) -> std::optional<RegValue> {
    auto str = ParseString(s, pos, '"');
    if (!str) return std::nullopt;
    v.type = t;
    if (t == RegType::MultiSz) {
      v.data = Utf16Bytes(*str, true);
      v.data.insert(v.data.end(), {0, 0});
    } else {
      v.data = Utf16Bytes(*str, true);
    }
    return v;
  };
  if (s.starts_with("\"")) {
    pos = 1;
    return quoted(RegType::Sz);
  }
  if (s.starts_with("str:\"")) {
    pos = 5;
    return quoted(RegType::Sz);
  }
  if (s.starts_with("str(")) {
    const size_t close = s.find("):\"");
    if (close == std::string_view::npos) return std::nullopt;
    const int t = std::atoi(std::string(s.substr(4, close - 4)).c_str());
    pos = close + 3;
    return quoted(static_cast<RegType>(t));
  }
  if (s.starts_with("dword:")) {
    auto hex = s.substr(6);
    if (hex.size() != 8) return std::nullopt;
    uint32_t d = 0;
    for (char c : hex) {
      if (HexDigit(c) < 0) return std::nullopt;
      d = d * 16 + HexDigit(c);
    }
    v.type = RegType::Dword;
    v.data = {uint8_t(d), uint8_t(d >> 8), uint8_t(d >> 16), uint8_t(d >> 24)};
    return v;
  }
  if (s.starts_with("hex")) {
    size_t colon = s.find(':');
    if (colon == std::string_view::npos) return std::nullopt;
    uint32_t t = 3;
    if (s[3] == '(') t = static_cast<uint32_t>(std::strtoul(std::string(s.substr(4, colon - 4)).c_str(), nullptr, 16));
    auto bytes = ParseHex(s.substr(colon + 1));
    if (!bytes) return std::nullopt;
    v.type = static_cast<RegType>(t);
    v.data = std::move(*bytes);
    return v;
  }
  return std::nullopt;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.back() == '\r' || s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  return s;
}

}  // namespace

std::string Registry::FoldKey(std::string_view keyPath) {
  while (!keyPath.empty() && keyPath.front() == '\\') keyPath.remove_prefix(1);
  while (!keyPath.empty() && keyPath.back() == '\\') keyPath.remove_suffix(1);
  return FoldCase(keyPath);
}

Registry Registry::Parse(std::string_view text) {
  Registry reg;
  std::istringstream in{std::string(text)};
  std::string raw;
  if (!std::getline(in, raw) || Trim(raw) != "WINE REGISTRY Version 2") return reg;
  Key *current = nullptr;
  std::string line;
  while (std::getline(in, raw)) {
    std::string_view piece = Trim(raw);
    // A value line ending in "\" continues on the next line (long hex values).
    if (!line.empty() || (!piece.empty() && piece.back() == '\\' && piece.find('=') != std::string_view::npos)) {
      if (!piece.empty() && piece.back() == '\\') {
        line.append(piece.substr(0, piece.size() - 1));
        continue;
      }
      line.append(piece);
      piece = line;
    }
    std::string_view l = piece;
    if (l.empty() || l.starts_with(";")) {
      line.clear();
      continue;
    }
    if (l.starts_with("#")) {
      if (l.starts_with("#arch=")) reg.win64_ = l.substr(6) == "win64";
      line.clear();
      continue;  // #time=, #link, #class: nothing a reader of values needs
    }
    if (l.front() == '[') {
      size_t pos = 1;
      auto name = ParseString(l, pos, ']');
      current = name ? &reg.keys_[FoldKey(Utf16ToUtf8(*name))] : nullptr;
      line.clear();
      continue;
    }
    if (current) {
      std::string valueName;
      size_t pos = 0;
      bool ok = true;
      if (l.front() == '@') {
        pos = 1;
      } else if (l.front() == '"') {
        pos = 1;
        auto n = ParseString(l, pos, '"');
        ok = n.has_value();
        if (ok) valueName = Utf16ToUtf8(*n);
      } else {
        ok = false;
      }
      if (ok && pos < l.size() && l[pos] == '=') {
        if (auto v = ParseData(l.substr(pos + 1))) current->values[FoldCase(valueName)] = std::move(*v);
      }
    }
    line.clear();
  }
  return reg;
}

Registry Registry::LoadSystemReg(const std::string &prefixLinuxDir) {
  const auto text = ReadLinuxFile(prefixLinuxDir + "/system.reg");
  return text ? Parse(*text) : Registry();
}

Registry Registry::LoadUserReg(const std::string &prefixLinuxDir) {
  const auto text = ReadLinuxFile(prefixLinuxDir + "/user.reg");
  return text ? Parse(*text) : Registry();
}

bool Registry::KeyExists(std::string_view keyPath) const { return keys_.count(FoldKey(keyPath)) != 0; }

std::optional<RegValue> Registry::ReadValue(std::string_view keyPath, std::string_view valueName) const {
  auto k = keys_.find(FoldKey(keyPath));
  if (k == keys_.end()) return std::nullopt;
  auto v = k->second.values.find(FoldCase(valueName));
  if (v == k->second.values.end()) return std::nullopt;
  return v->second;
}

std::optional<std::string> Registry::ReadString(std::string_view keyPath, std::string_view valueName) const {
  auto v = ReadValue(keyPath, valueName);
  if (!v || (v->type != RegType::Sz && v->type != RegType::ExpandSz)) return std::nullopt;
  std::u16string s;
  for (size_t i = 0; i + 1 < v->data.size(); i += 2) {
    const char16_t c = static_cast<char16_t>(v->data[i] | (v->data[i + 1] << 8));
    if (c == 0) break;
    s += c;
  }
  return Utf16ToUtf8(s);
}

std::optional<std::string> Registry::Wow64Path(std::string_view keyPath) const {
  constexpr std::string_view kSoftware = "software\\";
  if (!win64_ || keyPath.size() <= kSoftware.size() || FoldCase(keyPath.substr(0, kSoftware.size())) != kSoftware)
    return std::nullopt;
  return "Software\\Wow6432Node\\" + std::string(keyPath.substr(kSoftware.size()));
}

namespace {
std::string_view WithoutLeadingSeparators(std::string_view path) {
  while (!path.empty() && path.front() == '\\') path.remove_prefix(1);
  return path;
}
}  // namespace

std::optional<std::string> Registry::OpenKey32(std::string_view keyPath) const {
  const std::string_view rest = WithoutLeadingSeparators(keyPath);
  if (auto wow = Wow64Path(rest); wow && KeyExists(*wow)) return wow;
  if (KeyExists(rest)) return std::string(rest);
  return std::nullopt;
}

std::optional<std::string> Registry::ReadString32(std::string_view keyPath, std::string_view valueName) const {
  const std::string_view rest = WithoutLeadingSeparators(keyPath);
  if (auto wow = Wow64Path(rest))
    if (auto v = ReadString(*wow, valueName)) return v;
  return ReadString(rest, valueName);
}

}  // namespace platform
