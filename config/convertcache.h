// The cache of converted tunes: the MP3 made from a source that is not an MP3 (audio decoded, or a
// MIDI tune rendered with a SoundFont), kept in the user's cache folder so that applying the same
// configuration again costs a copy. An entry is known by its key, made from the stamps of the
// source's bytes and of the SoundFont's bytes and from the encoder's settings; it is one file,
// "<key>.mp3", in the cache folder. Its modification time is its last use: the least recently
// used entries go first when the cache grows over its limit.
//
// Several processes (the window and the command line) may use one cache at once: an entry appears
// by an atomic rename of a complete file, so a file handed out is never half written, and an entry
// used a short while ago is not removed to make room, as another process may be copying it.
#pragma once

#include <QString>
#include <optional>

// The cache folder (a Linux path): $XDG_CACHE_HOME/melodeck, else ~/.cache/melodeck.
QString ConvertCacheDir();

// The key of the MP3 made from source with the encoder's settings (any text naming them, e.g.
// "lame cbr 192 44100 stereo"); soundFont is the SoundFont a MIDI source is rendered with, and
// empty for any other source. Linux paths. The source's and the SoundFont's bytes are stamped as
// the written record stamps files (their size and FNV-1a hash, learnt once per file identity, so
// that a SoundFont of 141 MiB is not read again for every tune). None when a file can't be read.
std::optional<QString> ConvertKey(const QString &source, const QString &soundFont, const QString &settings);
// Whether key is one ConvertKey makes: 64 lower-case hex digits. Anything else is refused by the
// cache, so a key never names a file outside its folder.
bool IsConvertKey(const QString &key);

class TConvertCache {
 public:
  static constexpr qint64 kDefaultLimit = qint64(1) << 30;  // 1 GiB
  static constexpr int kDefaultGraceSeconds = 600;

  // dir: the cache folder, made when the first entry is stored. limit: the size the entries may
  // take together. graceSeconds: an entry used this recently is never removed to make room.
  explicit TConvertCache(const QString &dir = ConvertCacheDir(), qint64 limit = kDefaultLimit,
                         int graceSeconds = kDefaultGraceSeconds);

  const QString &Dir() const { return dir_; }

  // The cached file of key, marked as used now (unless it was used in the last half of the grace
  // time); none when there is no entry. Clear in another
  // process may still remove it: a copy of it that fails is a miss.
  std::optional<QString> Find(const QString &key) const;
  // As Find, but the entry is left as it was: for telling what an apply would do.
  std::optional<QString> Peek(const QString &key) const;
  // Puts producedFile (a complete MP3, Linux path) into the cache as key's entry, by a rename when
  // it is on the cache's file system, else by a copy; then removes the least recently used entries
  // over the limit, never this one. Returns the entry's path; none when it could not be stored, and
  // then producedFile is left where it was.
  std::optional<QString> Store(const QString &key, const QString &producedFile) const;
  // Removes every entry (and copies left unfinished by a process that ended); false when one could
  // not be removed.
  bool Clear() const;
  // The size of the entries together.
  qint64 Size() const;
  // Removes the least recently used entries until the rest fit the limit, keeping keep and the
  // entries used within the grace time; copies left unfinished an hour ago go too.
  void Trim(const QString &keep = {}) const;

 private:
  QString EntryPath(const QString &key) const;

  QString dir_;
  qint64 limit_;
  int graceSeconds_;
};
