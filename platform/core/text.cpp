#include "text.h"

#include <iconv.h>
#include <locale.h>
#include <wctype.h>

#include <cerrno>
#include <memory>

namespace platform {

char32_t NextCodePoint(std::string_view s, size_t &i) {
  const auto b0 = static_cast<unsigned char>(s[i]);
  if (b0 < 0x80) {
    ++i;
    return b0;
  }
  int len = b0 >= 0xF0 ? 4 : b0 >= 0xE0 ? 3 : b0 >= 0xC0 ? 2 : 0;
  if (len == 0 || b0 > 0xF4 || i + len > s.size()) {
    ++i;
    return 0xFFFD;
  }
  char32_t c = b0 & (0x7F >> len);
  for (int k = 1; k < len; ++k) {
    const auto b = static_cast<unsigned char>(s[i + k]);
    if ((b & 0xC0) != 0x80) {
      ++i;
      return 0xFFFD;
    }
    c = (c << 6) | (b & 0x3F);
  }
  static constexpr char32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
  if (c < kMin[len] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
    ++i;
    return 0xFFFD;
  }
  i += len;
  return c;
}

void AppendUtf16(std::u16string &out, char32_t c) {
  if (c >= 0x10000) {
    c -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (c >> 10));
    out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
  } else {
    out += static_cast<char16_t>(c);
  }
}

void AppendUtf8(std::string &out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

namespace {

locale_t Utf8Locale() {
  static locale_t loc = [] {
    locale_t l = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    return l ? l : newlocale(LC_CTYPE_MASK, "C", static_cast<locale_t>(nullptr));
  }();
  return loc;
}

char32_t Fold(char32_t c) {
  if (c < 0x80) return (c >= 'A' && c <= 'Z') ? c + 32 : c;
  return static_cast<char32_t>(towlower_l(static_cast<wint_t>(c), Utf8Locale()));
}

// One converter per direction and thread; iconv descriptors keep state and are not thread-safe.
struct Iconv {
  iconv_t cd;
  Iconv(const char *to, const char *from) : cd(iconv_open(to, from)) {}
  ~Iconv() {
    if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
  }
  bool Convert(std::string_view in, std::string &out) {
    out.clear();
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    out.resize(in.size() * 2 + 8);
    char *src = const_cast<char *>(in.data());
    size_t srcLeft = in.size();
    size_t done = 0;
    while (srcLeft > 0) {
      char *dst = out.data() + done;
      size_t dstLeft = out.size() - done;
      size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
      done = out.size() - dstLeft;
      if (r == static_cast<size_t>(-1)) {
        if (errno == E2BIG) {
          out.resize(out.size() * 2);
          continue;
        }
        return false;  // EILSEQ or EINVAL: not convertible
      }
      if (r != 0) return false;  // irreversible substitutions are not acceptable
    }
    out.resize(done);
    return true;
  }
};

Iconv &ToCp932() {
  thread_local Iconv cv("CP932", "UTF-8");
  return cv;
}
Iconv &FromCp932() {
  thread_local Iconv cv("UTF-8", "CP932");
  return cv;
}

bool IsAscii(std::string_view s) {
  for (char ch : s)
    if (static_cast<unsigned char>(ch) >= 0x80) return false;
  return true;
}

}  // namespace

std::string FoldCase(std::string_view utf8) {
  if (IsAscii(utf8)) {
    std::string out(utf8);
    for (char &c : out)
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return out;
  }
  std::string out;
  out.reserve(utf8.size());
  size_t i = 0;
  while (i < utf8.size()) {
    const size_t start = i;
    char32_t c = NextCodePoint(utf8, i);
    if (c == 0xFFFD && !(i - start == 3 && utf8.substr(start, 3) == "\xEF\xBF\xBD")) {
      out.append(utf8.substr(start, i - start));  // keep invalid bytes
      continue;
    }
    AppendUtf8(out, Fold(c));
  }
  return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() == b.size() && a == b) return true;
  if (IsAscii(a) && IsAscii(b)) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
      if (Fold(static_cast<unsigned char>(a[i])) != Fold(static_cast<unsigned char>(b[i]))) return false;
    return true;
  }
  return FoldCase(a) == FoldCase(b);
}

bool Cp932Encode(std::string_view utf8, std::string &out) {
  if (IsAscii(utf8)) {
    out.assign(utf8);
    return true;
  }
  if (!ToCp932().Convert(utf8, out)) return false;
  std::string back;
  return FromCp932().Convert(out, back) && back == utf8;
}

bool Cp932Decode(std::string_view bytes, std::string &utf8) {
  if (IsAscii(bytes)) {
    utf8.assign(bytes);
    return true;
  }
  return FromCp932().Convert(bytes, utf8);
}

bool Cp932CanHold(std::string_view utf8) {
  std::string tmp;
  return Cp932Encode(utf8, tmp);
}

size_t Cp932Length(std::string_view utf8) {
  std::string tmp;
  if (Cp932Encode(utf8, tmp)) return tmp.size();
  size_t len = 0;
  size_t i = 0;
  while (i < utf8.size()) {
    const size_t start = i;
    NextCodePoint(utf8, i);
    len += Cp932Encode(utf8.substr(start, i - start), tmp) ? tmp.size() : 2;
  }
  return len;
}

}  // namespace platform
