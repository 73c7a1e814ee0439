#include "fonts.h"

#include <QFont>
#include <QStringList>

namespace platform {

void InstallFontSubstitutes() {
  static bool done = false;
  if (done) return;
  done = true;
  const QStringList gothic = {"IPAGothic",
                              "IPAゴシック",  // notr: a font family looked up
                              "Noto Sans CJK JP", "VL Gothic", "Sans Serif"};
  const QStringList pgothic = {"IPAPGothic",
                               "IPA Pゴシック",  // notr: a font family looked up
                               "Noto Sans CJK JP", "VL PGothic", "Sans Serif"};
  QFont::insertSubstitutions(QStringLiteral("MS UI Gothic"), pgothic);
  QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"), pgothic);  // notr: a font family looked up
  QFont::insertSubstitutions(QStringLiteral("MS PGothic"), pgothic);
  QFont::insertSubstitutions(QStringLiteral("ＭＳ ゴシック"), gothic);  // notr: a font family looked up
  QFont::insertSubstitutions(QStringLiteral("MS Gothic"), gothic);
  QFont::insertSubstitutions(QStringLiteral("Times New Roman"), {"Liberation Serif", "DejaVu Serif", "Serif"});
}

}  // namespace platform
