// Unicode helpers shared by the whole program: UTF-8 walking, case folding and the
// code page 932 converter. Text in memory is UTF-8 (std::string) below Qt, QString above it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// Decodes one UTF-8 sequence at s[i]; advances i. Invalid bytes decode as U+FFFD one byte at a time.
char32_t NextCodePoint(std::string_view s, size_t &i);
void AppendUtf8(std::string &out, char32_t c);
// One code point as UTF-16 code units (a surrogate pair above U+FFFF).
void AppendUtf16(std::u16string &out, char32_t c);

// Unicode simple case folding of every code point (what Windows' case-insensitive name
// comparison does for INI names and paths). Invalid UTF-8 bytes are kept as they are.
std::string FoldCase(std::string_view utf8);
bool EqualsNoCase(std::string_view a, std::string_view b);

// Code page 932 (Windows-31J) through glibc iconv "CP932".
// Encoding checks every character both ways: a character that does not come back unchanged
// from a round trip counts as one that code page 932 cannot hold.
bool Cp932Encode(std::string_view utf8, std::string &out);
// Fails on bytes that are no code page 932 text; out then holds nothing useful.
bool Cp932Decode(std::string_view bytes, std::string &utf8);
// Whether every character of utf8 survives code page 932.
bool Cp932CanHold(std::string_view utf8);
// Byte length of the code page 932 form; a character the code page cannot hold counts 2.
size_t Cp932Length(std::string_view utf8);

}  // namespace platform
