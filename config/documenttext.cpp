#include "documenttext.h"

#include <QStringDecoder>
#include <string>

#include "core/text.h"

namespace {

constexpr QChar kReplacement(0xFFFD);

bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// Code page 932 one character at a time, for text that does not decode as a whole.
QString DecodeCp932Leniently(std::string_view bytes) {
  QString out;
  out.reserve(static_cast<qsizetype>(bytes.size()));
  std::string utf8;
  size_t i = 0;
  while (i < bytes.size()) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    if (c < 0x80) {
      out.append(QChar(c));
      ++i;
      continue;
    }
    const size_t length = IsLeadByte(c) && i + 1 < bytes.size() ? 2 : 1;
    if (platform::Cp932Decode(bytes.substr(i, length), utf8)) {
      out.append(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
      i += length;
    } else {
      out.append(kReplacement);
      ++i;  // the second byte may start a character of its own
    }
  }
  return out;
}

QString Decode(QByteArrayView bytes) {
  const QByteArrayView bom("\xEF\xBB\xBF");
  if (bytes.startsWith(bom)) return QString::fromUtf8(bytes.sliced(bom.size()));
  bool ascii = true;
  for (const char c : bytes)
    if (static_cast<unsigned char>(c) >= 0x80) {
      ascii = false;
      break;
    }
  if (!ascii) {
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) return text;
  }
  const std::string_view raw(bytes.data(), static_cast<size_t>(bytes.size()));
  std::string utf8;
  if (platform::Cp932Decode(raw, utf8)) return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
  return DecodeCp932Leniently(raw);
}

}  // namespace

QString DecodeDocumentText(QByteArrayView bytes) {
  const qsizetype nul = bytes.indexOf('\0');
  if (nul >= 0) bytes = bytes.first(nul);
  QString text = Decode(bytes);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace('\r', '\n');
  return text;
}
