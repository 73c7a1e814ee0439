#include "filefilter.h"

#include <QRegularExpression>
#include <QStringList>

namespace platform {

namespace {

// A trailing "(…)" that holds a wildcard is a list of patterns, not part of the name.
QString WithoutPatternList(const QString &description) {
  static const QRegularExpression trailingList(QStringLiteral("\\s*\\([^()]*\\*[^()]*\\)\\s*$"));
  QString name = description;
  name.remove(trailingList);
  return name;
}

}  // namespace

QString QtFileFilter(const QString &filter) {
  const QStringList parts = filter.split('|');
  QStringList out;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString patterns = QString(parts[i + 1]).replace(';', ' ').simplified();
    const QString name = WithoutPatternList(parts[i]);
    out << (name.isEmpty() ? patterns : name) + " (" + patterns + ")";
  }
  return out.join(";;");
}

}  // namespace platform
