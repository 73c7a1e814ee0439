#include "writtenrecord.h"

#include <QStringList>
#include <cstring>

#include "core/atomicfile.h"
#include "core/fileops.h"
#include "core/winpath.h"
#include "qtcore/qstr.h"
#include "stampcache.h"

using platform::SS;

// FNV-1a over 64-bit words: the record only tells whether a file is still what was written
// there, so a fast non-cryptographic hash with the size beside it is enough.
void THashState::Add(const char *data, size_t size) {
  size_t i = 0;
  for (; i + 8 <= size; i += 8) {
    uint64_t word;
    std::memcpy(&word, data + i, 8);
    h_ = (h_ ^ word) * 1099511628211ull;
  }
  for (; i < size; ++i) h_ = (h_ ^ static_cast<unsigned char>(data[i])) * 1099511628211ull;
}

QByteArray THashState::Hex() const {
  return QByteArray::number(static_cast<qulonglong>(h_), 16).rightJustified(16, '0');
}

QByteArray HashOfBytes(const std::string &data) {
  THashState hash;
  hash.Add(data.data(), data.size());
  return hash.Hex();
}

std::optional<TFileStamp> StampOf(const QString &windowsPath) {
  const std::string linux = platform::ToLinux(SS(windowsPath));
  if (const auto known = KnownStamp(linux)) return known;
  return ReadStamp(linux);
}

QString WrittenRecordPath(const QString &settingsPath) {
  return platform::QS(platform::ChangeFileExt(SS(settingsPath), ".written"));
}

// One line a stamp: size, tab, hash, tab, the target, and for the game's own bytes a tab and
// "game"; UTF-8. A target may have several lines: each is a file that may stand there.
TWrittenRecord::TWrittenRecord(const QString &windowsPath) : path_(windowsPath) {
  const auto text = platform::ReadWholeFile(SS(path_));
  if (!text) return;
  read_ = QByteArray(text->data(), static_cast<qsizetype>(text->size()));
  for (const QString &line : QString::fromUtf8(text->data(), static_cast<qsizetype>(text->size())).split('\n')) {
    const QStringList fields = line.split('\t');
    bool ok = false;
    if (fields.size() != 3 && !(fields.size() == 4 && fields[3] == QLatin1String("game"))) continue;
    const qint64 size = fields[0].toLongLong(&ok);
    if (!ok || size < 0 || fields[1].size() != 16 || fields[2].isEmpty()) continue;
    Add(fields[2], TFileStamp{size, fields[1].toLatin1()}, fields.size() == 4);
  }
}

std::optional<TFileStamp> TWrittenRecord::Find(const QString &target) const {
  const auto it = entries_.find(target);
  if (it == entries_.end() || it->second.empty()) return std::nullopt;
  return it->second.back().Stamp;
}

bool TWrittenRecord::Matches(const QString &target, const TFileStamp &stamp, bool replacementsOnly) const {
  const auto it = entries_.find(target);
  if (it == entries_.end()) return false;
  for (const TRecordedStamp &r : it->second)
    if (r.Stamp == stamp && !(replacementsOnly && r.GameOwn)) return true;
  return false;
}

void TWrittenRecord::Set(const QString &target, const TFileStamp &stamp, bool gameOwn) {
  entries_[target] = {TRecordedStamp{stamp, gameOwn}};
}

void TWrittenRecord::Add(const QString &target, const TFileStamp &stamp, bool gameOwn) {
  std::vector<TRecordedStamp> &stamps = entries_[target];
  for (TRecordedStamp &r : stamps)
    if (r.Stamp == stamp) {
      r.GameOwn = r.GameOwn || gameOwn;  // the game's own bytes of this file, whoever wrote them
      return;
    }
  stamps.push_back({stamp, gameOwn});
}

bool TWrittenRecord::Resolve(const QString &target, const TFileStamp &stamp) {
  const auto it = entries_.find(target);
  if (it == entries_.end() || it->second.size() < 2) return false;
  for (const TRecordedStamp &r : it->second)
    if (r.Stamp == stamp) {
      it->second = {r};
      return true;
    }
  return false;
}

QByteArray TWrittenRecord::Text() const {
  QByteArray text;
  for (const auto &[target, stamps] : entries_)
    for (const TRecordedStamp &r : stamps)
      text += QByteArray::number(r.Stamp.Size) + '\t' + r.Stamp.Hash + '\t' + target.toUtf8() +
              (r.GameOwn ? "\tgame\n" : "\n");
  return text;
}

bool TWrittenRecord::SaveTo(const QString &windowsPath) const {
  const QByteArray text = Text();
  platform::AtomicFile file(platform::ToLinux(SS(windowsPath)));
  return file.Open() && file.Write(std::string_view(text.constData(), text.size())) && file.Commit();
}
