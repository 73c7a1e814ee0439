#include "sources.h"

#include <QRegularExpression>
#include <algorithm>

namespace {
constexpr QChar kEntrySeparator = u'|';
}  // namespace

TSource TSource::Parse(const QString &text) {
  const qsizetype bar = text.indexOf(kEntrySeparator);
  return bar < 0 ? File(text) : Entry(text.left(bar), text.mid(bar + 1));
}

TSource TSource::File(const QString &path) {
  TSource s;
  s.path_ = path;
  return s;
}

TSource TSource::Entry(const QString &archivePath, const QString &entryPath) {
  TSource s;
  s.path_ = archivePath;
  s.entryPath_ = entryPath;
  s.entry_ = true;
  return s;
}

QString TSource::Text() const { return entry_ ? path_ + kEntrySeparator + entryPath_ : path_; }

TSource TSource::WithPath(const QString &path) const {
  TSource s = *this;
  s.path_ = path;
  return s;
}

QString TSource::Resolve(TClient client, const TGameFolders &folders) const {
  if (path_.contains('\\') || path_.contains(':')) return path_;
  return (client == TClient::ThirdDawn ? folders.DefaultDirTD : folders.DefaultDir) + "\\" + path_;
}

QString TSource::DisplayName() const {
  const QString s = entry_ ? QString(entryPath_).replace('/', '\\') : path_;
  const qsizetype cut = std::max(s.lastIndexOf('\\'), s.lastIndexOf(':'));
  return s.mid(cut + 1);
}

bool TSource::IsSafeEntryPath(const QString &entryPath) {
  if (entryPath.isEmpty() || entryPath.startsWith('/') || entryPath.startsWith('\\') || entryPath.contains(':'))
    return false;
  for (const QString &part : entryPath.split(QRegularExpression(QStringLiteral("[/\\\\]"))))
    if (part == QLatin1String("..")) return false;
  return true;
}
