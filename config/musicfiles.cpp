#include "musicfiles.h"

namespace {
struct Kind {
  const char *extension, *name;
};
constexpr Kind kKinds[] = {
    {".mid", "MIDI"}, {".mp3", "MP3"}, {".wav", "WAV"}, {".flac", "FLAC"}, {".ogg", "Ogg Vorbis"}, {".opus", "Opus"},
};
}  // namespace

const QStringList &MusicFileExtensions() {
  static const QStringList extensions = [] {
    QStringList out;
    for (const Kind &kind : kKinds) out << QLatin1String(kind.extension);
    return out;
  }();
  return extensions;
}

bool IsMusicFileName(const QString &name) {
  const qsizetype dot = name.lastIndexOf('.');
  if (dot < 0 || name.indexOf('/', dot) >= 0 || name.indexOf('\\', dot) >= 0) return false;
  return MusicFileExtensions().contains(name.mid(dot).toLower());
}

QString MusicFileKind(const QString &extension) {
  const QString lower = extension.toLower();
  for (const Kind &kind : kKinds)
    if (lower == QLatin1String(kind.extension)) return QLatin1String(kind.name);
  return extension.startsWith('.') ? extension.mid(1).toUpper() : extension.toUpper();
}
