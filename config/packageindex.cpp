#include "packageindex.h"

#include <QRegularExpression>

#include "extraction.h"

QString UnsafeIndexValueReason(const QString &value) {
  const qsizetype bar = value.indexOf('|');
  const QString path = bar >= 0 ? value.left(bar) : value;
  bool inside = !path.isEmpty() && !path.startsWith('\\') && !path.startsWith('/') && !path.contains(':');
  for (const QString &part : path.split(QRegularExpression(QStringLiteral("[/\\\\]"))))
    if (part.trimmed() == QLatin1String("..")) inside = false;
  if (!inside) return QStringLiteral("パッケージの外を指しています");
  if (bar >= 0 && !IsSafeEntryPath(value.mid(bar + 1))) return QStringLiteral("書庫の外を指しています");
  return {};
}
