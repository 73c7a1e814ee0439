#include "writtenrecord.h"

#include <QCryptographicHash>
#include <QStringList>

#include "core/atomicfile.h"
#include "core/fileops.h"
#include "core/winpath.h"
#include "qtcore/qstr.h"

using platform::SS;

std::optional<TFileStamp> StampOf(const QString &windowsPath) {
  const auto data = platform::ReadWholeFile(SS(windowsPath));
  if (!data) return std::nullopt;
  const QByteArray bytes = QByteArray::fromRawData(data->data(), static_cast<qsizetype>(data->size()));
  return TFileStamp{bytes.size(), QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex()};
}

QString WrittenRecordPath(const QString &settingsPath) {
  return platform::QS(platform::ChangeFileExt(SS(settingsPath), ".written"));
}

// One line a file: size, tab, hash, tab, the target's Windows path; UTF-8.
TWrittenRecord::TWrittenRecord(const QString &windowsPath) : path_(windowsPath) {
  const auto text = platform::ReadWholeFile(SS(path_));
  if (!text) return;
  for (const QString &line : QString::fromUtf8(text->data(), static_cast<qsizetype>(text->size())).split('\n')) {
    const QStringList fields = line.split('\t');
    bool ok = false;
    if (fields.size() != 3) continue;
    const qint64 size = fields[0].toLongLong(&ok);
    if (!ok || size < 0 || fields[1].size() != 64 || fields[2].isEmpty()) continue;
    entries_[fields[2]] = TFileStamp{size, fields[1].toLatin1()};
  }
}

std::optional<TFileStamp> TWrittenRecord::Find(const QString &target) const {
  const auto it = entries_.find(target);
  if (it == entries_.end()) return std::nullopt;
  return it->second;
}

bool TWrittenRecord::Save() const {
  QByteArray text;
  for (const auto &[target, stamp] : entries_)
    text += QByteArray::number(stamp.Size) + '\t' + stamp.Sha256 + '\t' + target.toUtf8() + '\n';
  platform::AtomicFile file(platform::ToLinux(SS(path_)));
  return file.Open() && file.Write(std::string_view(text.constData(), text.size())) && file.Commit();
}
