#include "convertcache.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QDir>
#include <QRegularExpression>
#include <algorithm>
#include <cerrno>
#include <ctime>
#include <vector>

#include "qtcore/qstr.h"
#include "stampcache.h"

using platform::SS;

namespace {

constexpr int kStalePartSeconds = 3600;
const QString kPartPrefix = QStringLiteral(".part-");

std::optional<TFileStamp> StampOfLinux(const QString &path) {
  const std::string linux = SS(path);
  if (const auto known = KnownStamp(linux)) return known;
  return ReadStamp(linux);
}

QByteArray StampText(const TFileStamp &stamp) { return QByteArray::number(stamp.Size) + ' ' + stamp.Hash; }

bool IsEntryName(const QString &name) {
  return name.size() == 64 + 4 && name.endsWith(QLatin1String(".mp3")) && IsConvertKey(name.left(64));
}

struct TEntry {
  QString Path;
  QString Name;
  qint64 Size = 0;
  timespec Used{};
};

bool Before(const timespec &a, const timespec &b) {
  return a.tv_sec != b.tv_sec ? a.tv_sec < b.tv_sec : a.tv_nsec < b.tv_nsec;
}

std::optional<struct stat> LinkStat(const QString &path) {
  struct stat st;
  if (lstat(SS(path).c_str(), &st) != 0) return std::nullopt;
  return st;
}

// The entries of the folder, and the unfinished copies older than an hour removed on the way.
std::vector<TEntry> ListEntries(const QString &dir, bool removeStaleParts) {
  std::vector<TEntry> entries;
  const time_t now = time(nullptr);
  const QStringList names = QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Unsorted);
  for (const QString &name : names) {
    const QString path = dir + '/' + name;
    const auto st = LinkStat(path);
    if (!st) continue;
    if (name.startsWith(kPartPrefix)) {
      if (removeStaleParts && now - st->st_mtim.tv_sec > kStalePartSeconds) unlink(SS(path).c_str());
    } else if (IsEntryName(name)) {
      entries.push_back({path, name, static_cast<qint64>(st->st_size), st->st_mtim});
    }
  }
  return entries;
}

void TouchNow(const QString &path) { utimensat(AT_FDCWD, SS(path).c_str(), nullptr, AT_SYMLINK_NOFOLLOW); }

bool SyncFile(const QString &path) {
  const int fd = open(SS(path).c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return false;
  const bool ok = fsync(fd) == 0;
  close(fd);
  return ok;
}

// Copies from into a new unfinished copy in dir, synced to disk; its path, or empty.
QString CopyToPart(const QString &from, const QString &dir, const QString &key) {
  const int in = open(SS(from).c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return {};
  std::string pattern = SS(dir + '/' + kPartPrefix + key + QStringLiteral("-XXXXXX"));
  const int out = mkostemp(pattern.data(), O_CLOEXEC);
  bool ok = out >= 0;
  char buffer[1 << 16];
  while (ok) {
    const ssize_t n = read(in, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      ok = errno == EINTR;
      continue;
    }
    for (ssize_t done = 0; ok && done < n;) {
      const ssize_t w = write(out, buffer + done, static_cast<size_t>(n - done));
      if (w > 0) done += w;
      else ok = w < 0 && errno == EINTR;
    }
  }
  ok = ok && fsync(out) == 0;
  if (out >= 0 && close(out) != 0) ok = false;
  close(in);
  if (!ok) {
    if (out >= 0) unlink(pattern.c_str());
    return {};
  }
  return platform::QS(pattern);
}

}  // namespace

QString ConvertCacheDir() {
  const QString xdg = qEnvironmentVariable("XDG_CACHE_HOME");
  // A relative XDG_CACHE_HOME is invalid and ignored.
  const QString base = xdg.startsWith('/') ? xdg : QDir::homePath() + QStringLiteral("/.cache");
  return base + QStringLiteral("/melodeck");
}

std::optional<QString> ConvertKey(const QString &source, const QString &soundFont, const QString &settings) {
  const auto sourceStamp = StampOfLinux(source);
  if (!sourceStamp) return std::nullopt;
  QByteArray text = "melodeck converted tune 1\nsource " + StampText(*sourceStamp) + '\n';
  if (!soundFont.isEmpty()) {
    const auto soundFontStamp = StampOfLinux(soundFont);
    if (!soundFontStamp) return std::nullopt;
    text += "soundfont " + StampText(*soundFontStamp) + '\n';
  }
  text += "settings " + settings.toUtf8() + '\n';
  return QString::fromLatin1(QCryptographicHash::hash(text, QCryptographicHash::Sha256).toHex());
}

bool IsConvertKey(const QString &key) {
  static const QRegularExpression pattern(QRegularExpression::anchoredPattern(QStringLiteral("[0-9a-f]{64}")));
  return pattern.match(key).hasMatch();
}

TConvertCache::TConvertCache(const QString &dir, qint64 limit, int graceSeconds)
    : dir_(dir), limit_(limit), graceSeconds_(graceSeconds) {}

QString TConvertCache::EntryPath(const QString &key) const { return dir_ + '/' + key + QStringLiteral(".mp3"); }

std::optional<QString> TConvertCache::Find(const QString &key) const {
  const auto path = Peek(key);
  // Marked as used unless it was lately: marking changes the entry's status time, and then the
  // apply that copies it reads its bytes again to stamp them (stampcache.h). An entry used in
  // the last half of the grace time is safe from removal while it is copied either way.
  const auto st = path ? LinkStat(*path) : std::nullopt;
  if (st && time(nullptr) - st->st_mtim.tv_sec > graceSeconds_ / 2) TouchNow(*path);
  return path;
}

std::optional<QString> TConvertCache::Peek(const QString &key) const {
  if (!IsConvertKey(key)) return std::nullopt;
  const QString path = EntryPath(key);
  const auto st = LinkStat(path);
  if (!st || !S_ISREG(st->st_mode)) return std::nullopt;
  return path;
}

std::optional<QString> TConvertCache::Store(const QString &key, const QString &producedFile) const {
  if (!IsConvertKey(key) || !QDir().mkpath(dir_)) return std::nullopt;
  const QString path = EntryPath(key);
  const auto produced = LinkStat(producedFile);
  if (!produced || !S_ISREG(produced->st_mode)) return std::nullopt;
  // A file of the cache's file system is renamed in whole; any other is copied beside the entries
  // first, and renamed then.
  bool stored = SyncFile(producedFile) && rename(SS(producedFile).c_str(), SS(path).c_str()) == 0;
  if (!stored) {
    const QString part = CopyToPart(producedFile, dir_, key);
    if (part.isEmpty()) return std::nullopt;
    stored = rename(SS(part).c_str(), SS(path).c_str()) == 0;
    if (!stored) {
      unlink(SS(part).c_str());
      return std::nullopt;
    }
    unlink(SS(producedFile).c_str());
  }
  TouchNow(path);
  Trim(key);
  return path;
}

bool TConvertCache::Clear() const {
  bool ok = true;
  for (const TEntry &entry : ListEntries(dir_, true))
    if (unlink(SS(entry.Path).c_str()) != 0 && errno != ENOENT) ok = false;
  return ok;
}

qint64 TConvertCache::Size() const {
  qint64 total = 0;
  for (const TEntry &entry : ListEntries(dir_, false)) total += entry.Size;
  return total;
}

void TConvertCache::Trim(const QString &keep) const {
  std::vector<TEntry> entries = ListEntries(dir_, true);
  qint64 total = 0;
  for (const TEntry &entry : entries) total += entry.Size;
  if (total <= limit_) return;
  std::sort(entries.begin(), entries.end(), [](const TEntry &a, const TEntry &b) { return Before(a.Used, b.Used); });
  const QString kept = keep + QStringLiteral(".mp3");
  for (const TEntry &entry : entries) {
    if (total <= limit_) break;
    if (entry.Name == kept) continue;
    // Its time is read again at the last moment: another process may have used it meanwhile.
    const auto st = LinkStat(entry.Path);
    if (!st) {
      total -= entry.Size;
      continue;
    }
    if (time(nullptr) - st->st_mtim.tv_sec < graceSeconds_) continue;
    if (unlink(SS(entry.Path).c_str()) == 0) total -= entry.Size;
  }
}
