#include "sources.h"

#include <algorithm>

QString ResolveSource(const QString &source, TClient client, const TGameFolders &folders) {
  QString s = source;
  const qsizetype bar = s.indexOf('|');
  if (bar >= 0) s.truncate(bar);
  if (!s.contains('\\') && !s.contains(':'))
    s = (client == TClient::ThirdDawn ? folders.DefaultDirTD : folders.DefaultDir) + "\\" + s;
  return s;
}

QString SourceDisplayName(const QString &source) {
  QString s = source;
  const qsizetype bar = s.indexOf('|');
  if (bar >= 0) s = s.mid(bar + 1).replace('/', '\\');
  const qsizetype cut = std::max(s.lastIndexOf('\\'), s.lastIndexOf(':'));
  return s.mid(cut + 1);
}
