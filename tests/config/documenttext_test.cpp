#include "documenttext.h"

#include <gtest/gtest.h>

#include <string>

#include "core/text.h"

namespace {
std::string Cp932(const char *utf8) {
  std::string out;
  EXPECT_TRUE(platform::Cp932Encode(utf8, out));
  return out;
}
}  // namespace

TEST(DocumentText, DecodingRules) {
  const std::string sjis = Cp932("日本語の説明です");
  const struct {
    std::string bytes;
    const char *text;  // UTF-8
  } cases[] = {
      {"plain ASCII", "plain ASCII"},
      {"", ""},
      {sjis, "日本語の説明です"},
      {"日本語 UTF-8", "日本語 UTF-8"},
      {"\xEF\xBB\xBFwith mark", "with mark"},
      // A mark first: UTF-8 even where bytes are broken.
      {"\xEF\xBB\xBF\xE6\x97\xA5\xFF", "日\xEF\xBF\xBD"},
      // Half-width katakana of code page 932 are no valid UTF-8.
      {"\xB1\xB2\xB3", "ｱｲｳ"},
      // Valid UTF-8 bytes that are code page 932 too: UTF-8 wins.
      {"\xC3\xA9t\xC3\xA9", "été"},
      // Bytes code page 932 cannot decode become U+FFFD, the rest still shows.
      {Cp932("前") + "\xFF" + Cp932("後"), "前\xEF\xBF\xBD後"},
      {Cp932("末尾") + "\x81", "末尾\xEF\xBF\xBD"},
      {"\x81\x20x", "\xEF\xBF\xBD x"},
      // Up to the first NUL.
      {std::string("word\0binary \xFF", 13), "word"},
      {std::string("\0rest", 5), ""},
      // Lines end at CR, LF or CR LF.
      {"a\r\nb\rc\nd\r\n\r\ne", "a\nb\nc\nd\n\ne"},
      {Cp932("一行目\r\n二行目"), "一行目\n二行目"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(DecodeDocumentText(QByteArrayView(c.bytes.data(), static_cast<qsizetype>(c.bytes.size()))),
              QString::fromUtf8(c.text))
        << c.bytes;
}
