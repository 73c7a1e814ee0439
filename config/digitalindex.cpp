#include "digitalindex.h"

#include <QHash>
#include <QList>

namespace {

const QByteArray kUtf8Mark("\xEF\xBB\xBF");

bool IsSeparator(char c) { return c == ' ' || c == ',' || c == '\t'; }

std::vector<QByteArray> Fields(const QByteArray &line) {
  std::vector<QByteArray> fields;
  qsizetype start = -1;
  for (qsizetype i = 0; i <= line.size(); ++i) {
    const bool separator = i == line.size() || IsSeparator(line[i]);
    if (separator && start >= 0) {
      fields.push_back(line.mid(start, i - start));
      start = -1;
    } else if (!separator && start < 0) {
      start = i;
    }
  }
  return fields;
}

// A non-negative decimal number that fits an int; -1 otherwise.
int Number(const QByteArray &field) {
  for (const char c : field)
    if (c < '0' || c > '9') return -1;
  bool ok = false;
  const int value = field.toInt(&ok, 10);
  return ok ? value : -1;
}

// The file name without ".mp3"; empty when it names no file of the folder.
QString FileName(const QByteArray &field) {
  QString name = QString::fromUtf8(field);
  if (name.endsWith(QStringLiteral(".mp3"), Qt::CaseInsensitive)) name.chop(4);
  if (name.isEmpty() || name == QStringLiteral(".") || name == QStringLiteral("..")) return {};
  for (const QChar c : name)
    if (c == '/' || c == '\\' || c.unicode() < 0x20 || c.unicode() == 0x7F) return {};
  return name;
}

}  // namespace

TDigitalIndex ParseDigitalIndex(const QByteArray &bytes) {
  TDigitalIndex index;
  const QByteArray text = bytes.startsWith(kUtf8Mark) ? bytes.mid(kUtf8Mark.size()) : bytes;
  QHash<int, size_t> lineOfNumber;  // number -> its entry in index.Entries
  std::vector<bool> replaced;
  for (QByteArray line : text.split('\n')) {
    if (line.endsWith('\r')) line.chop(1);
    const std::vector<QByteArray> fields = Fields(line);
    if (fields.empty()) continue;
    const int number = fields.size() >= 2 && fields.size() <= 3 ? Number(fields[0]) : -1;
    const QString name = number >= 0 ? FileName(fields[1]) : QString();
    if (name.isEmpty()) {
      ++index.Skipped;
      continue;
    }
    const bool loop = fields.size() == 3 && fields[2].toLower() == "loop";
    if (const auto earlier = lineOfNumber.constFind(number); earlier != lineOfNumber.cend()) {
      replaced[*earlier] = true;
      ++index.Replaced;
    }
    lineOfNumber.insert(number, index.Entries.size());
    index.Entries.push_back({number, name, loop});
    replaced.push_back(false);
  }
  std::vector<TDigitalIndexEntry> kept;
  for (size_t i = 0; i < index.Entries.size(); ++i)
    if (!replaced[i]) kept.push_back(std::move(index.Entries[i]));
  index.Entries = std::move(kept);
  return index;
}

QString DigitalTrackKey(const QString &name) { return name.toLower() + QStringLiteral(".mp3"); }

std::vector<TDigitalTrack> DigitalTracks(const TDigitalIndex &index) {
  std::vector<TDigitalTrack> tracks;
  QHash<QString, size_t> trackOfKey;
  for (const TDigitalIndexEntry &entry : index.Entries) {
    const QString key = DigitalTrackKey(entry.Name);
    auto found = trackOfKey.constFind(key);
    if (found == trackOfKey.cend()) {
      found = trackOfKey.insert(key, tracks.size());
      tracks.push_back({entry.Name, key, {}});
    }
    tracks[*found].Numbers.push_back(entry.Number);
  }
  return tracks;
}
