#include "fonts.h"

#include <QFont>
#include <QStringList>

namespace platform {

void InstallFontSubstitutes() {
  static bool done = false;
  if (done) return;
  done = true;
  const QStringList gothic = {"IPAGothic", "IPAゴシック", "Noto Sans CJK JP", "VL Gothic", "Sans Serif"};
  const QStringList pgothic = {"IPAPGothic", "IPA Pゴシック", "Noto Sans CJK JP", "VL PGothic", "Sans Serif"};
  QFont::insertSubstitutions(QStringLiteral("MS UI Gothic"), pgothic);
  QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"), pgothic);
  QFont::insertSubstitutions(QStringLiteral("MS PGothic"), pgothic);
  QFont::insertSubstitutions(QStringLiteral("ＭＳ ゴシック"), gothic);
  QFont::insertSubstitutions(QStringLiteral("MS Gothic"), gothic);
  QFont::insertSubstitutions(QStringLiteral("Times New Roman"), {"Liberation Serif", "DejaVu Serif", "Serif"});
}

}  // namespace platform
