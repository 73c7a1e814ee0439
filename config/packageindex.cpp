#include "packageindex.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include "sources.h"

QString UnsafeIndexValueReason(const QString &value) {
  const TSource source = TSource::Parse(value);
  const QString &path = source.Path();
  bool inside = !path.isEmpty() && !path.startsWith('\\') && !path.startsWith('/') && !path.contains(':');
  for (const QString &part : path.split(QRegularExpression(QStringLiteral("[/\\\\]"))))
    if (part.trimmed() == QLatin1String("..")) inside = false;
  if (!inside) return QCoreApplication::translate("Packages", "パッケージの外を指しています");
  if (source.IsEntry() && !source.HasSafeEntry())
    return QCoreApplication::translate("Packages", "書庫の外を指しています");
  return {};
}
