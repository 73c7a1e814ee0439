#include "storedform.h"

#include <cctype>
#include <charconv>

#include "earchiver.h"
#include "core/translate.h"

namespace archives {

namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads one string token at s[i] (quoted or "unset"); advances i past it and any blanks.
bool ReadToken(std::string_view s, size_t &i, std::string &out) {
  out.clear();
  if (s.substr(i, 5) == "unset") {
    out = kUnset;
    i += 5;
  } else {
    if (i >= s.size() || s[i] != '"') return false;
    ++i;
    for (;;) {
      if (i >= s.size()) return false;
      const char c = s[i++];
      if (c == '"') break;
      if (c != '\\') {
        out += c;
        continue;
      }
      if (i >= s.size()) return false;
      const char e = s[i++];
      switch (e) {
        case '\\':
          out += '\\';
          break;
        case '"':
          out += '"';
          break;
        case 'n':
          out += '\n';
          break;
        case 'r':
          out += '\r';
          break;
        case 't':
          out += '\t';
          break;
        case 'x': {
          if (i + 2 > s.size() || HexDigit(s[i]) < 0 || HexDigit(s[i + 1]) < 0) return false;
          out += static_cast<char>(HexDigit(s[i]) * 16 + HexDigit(s[i + 1]));
          i += 2;
          break;
        }
        default:
          return false;
      }
    }
  }
  while (i < s.size() && s[i] == ' ') ++i;
  return true;
}

}  // namespace

void ThrowMalformed(const StoredProperty &p) {
  throw EArchiver(platform::Args(platform::translate("Archives", "保存された設定 %1 の値 %2 が正しくありません。"),
                                 {p.name, p.value}));
}

void ThrowUnknownProperty(const StoredProperty &p) {
  throw EArchiver(
      platform::Args(platform::translate("Archives", "保存された設定に %1 という項目はありません。"), {p.name}));
}

std::vector<StoredProperty> ParseStoredForm(std::string_view text) {
  std::vector<StoredProperty> out;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = Trim(text.substr(start, end - start));
    start = end + 1;
    if (line.empty()) continue;
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos)
      throw EArchiver(
          platform::Args(platform::translate("Archives", "保存された設定の行 %1 が正しくありません。"), {line}));
    out.push_back({std::string(Trim(line.substr(0, eq))), std::string(Trim(line.substr(eq + 1)))});
  }
  return out;
}

std::string StoreString(std::string_view s) {
  if (IsUnset(s)) return "unset";
  static const char kHex[] = "0123456789ABCDEF";
  std::string out = "\"";
  for (char ch : s) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += ch;
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c < 0x20 || c == 0x7F) {
      out += "\\x";
      out += kHex[c >> 4];
      out += kHex[c & 15];
    } else {
      out += ch;
    }
  }
  return out + "\"";
}

std::string StoreStrings(const TStringList &list) {
  std::string out;
  for (const auto &s : list) {
    if (!out.empty()) out += ' ';
    out += StoreString(s);
  }
  return out;
}

int64_t ReadStoredNumber(const StoredProperty &p, int64_t low, int64_t high) {
  int64_t v = 0;
  const char *first = p.value.data();
  const char *last = first + p.value.size();
  auto [ptr, ec] = std::from_chars(first, last, v);
  if (ec != std::errc() || ptr != last || v < low || v > high) ThrowMalformed(p);
  return v;
}

std::string ReadStoredString(const StoredProperty &p) {
  size_t i = 0;
  std::string out;
  if (!ReadToken(p.value, i, out) || i != p.value.size()) ThrowMalformed(p);
  return out;
}

TStringList ReadStoredStrings(const StoredProperty &p) {
  TStringList out;
  size_t i = 0;
  std::string item;
  while (i < p.value.size()) {
    if (!ReadToken(p.value, i, item)) ThrowMalformed(p);
    out.push_back(item);
  }
  return out;
}

std::vector<std::string> ReadStoredSet(const StoredProperty &p) {
  const std::string_view v = p.value;
  if (v.size() < 2 || v.front() != '[' || v.back() != ']') ThrowMalformed(p);
  std::vector<std::string> out;
  std::string_view rest = v.substr(1, v.size() - 2);
  while (!Trim(rest).empty()) {
    const size_t comma = rest.find(',');
    const std::string_view item = Trim(rest.substr(0, comma));
    if (item.empty()) ThrowMalformed(p);
    out.emplace_back(item);
    if (comma == std::string_view::npos) break;
    rest.remove_prefix(comma + 1);
    if (Trim(rest).empty()) ThrowMalformed(p);
  }
  return out;
}

}  // namespace archives
