// The tunes an apply converts: a digital track plays MP3 only, so a source of another kind
// (WAV, FLAC, Ogg Vorbis, Opus, or a MIDI tune rendered with the player's SoundFont) is made into
// an MP3 before anything of the game is touched. Each tune is converted once, on as many threads
// as the machine has cores, and kept in the cache of converted tunes (convertcache.h), so that an
// apply of the same configuration again costs a copy.
#pragma once

#include <QString>
#include <atomic>
#include <map>
#include <vector>

#include "apply.h"

class TConvertCache;

// One tune to convert, for every copy of the plan whose source it is.
struct TTuneToConvert {
  QString Source;              // the source's Windows path (extracted when an archive entry)
  QString Track;               // the first track it is converted for: the scene's key ("turfin.mp3")
  QString Name;                // that track's name as the scene list shows it
  QString Key;                 // its cache key; empty when the source can't be read
  QString Cached;              // the cache's MP3 (Linux path) when the cache holds it already
  QString Error;               // why it can't be converted, known before converting
  std::vector<size_t> Copies;  // the plan's indices of the copies it serves
};

// What became of a tune.
struct TConvertedTune {
  QString Mp3;    // the MP3 to copy (Windows path); empty on failure
  QString Error;  // why not, in the window's words
  bool FromCache = false;
};

// How an apply's conversions went; Tunes by source (Windows path) for the copies to use.
struct TConversions {
  std::map<QString, TConvertedTune> Tunes;
  bool Cancelled = false;
  int Converted = 0, FromCache = 0, Failed = 0;
  std::vector<QString> Leftovers;  // converted files kept outside the cache: removed after the apply
};

// Told of the conversions while they run, on the thread that applies. The window shows a
// progress dialog, the command line a line per tune.
class TConvertProgress {
 public:
  virtual ~TConvertProgress() = default;
  // About every 50 ms while tunes are converted: done of total are finished, and converting is
  // the name of the track being converted now (the first of those in progress). false cancels: the
  // conversions in progress stop and nothing is applied.
  virtual bool Tick(int done, int total, const QString &converting) = 0;
  // Each tune once, when it is ready or failed.
  virtual void Finished(const TTuneToConvert &tune, const TConvertedTune &result, int done, int total) = 0;
};

// The settings a tune is converted with, for the session's settings (the chosen SoundFont).
struct TConvertSetup {
  QString SoundFont;  // Linux path; empty when none was found (SoundFontError says why)
  QString SoundFontError;
  QString SettingsText;
};
TConvertSetup ConvertSetupOf(TSession &session);

// Whether a copy of a scene with this source text is converted: a digital scene whose source is
// a file that is no MP3 (the game's own file always is one).
bool IsConverted(const TMusicSet &set, const QString &sourceText);

// The tunes of plan to convert, once per source, with what the cache holds of them; the entries
// found are marked as used unless peek.
std::vector<TTuneToConvert> TunesToConvert(TSession &session, const std::vector<TApplyCopy> &plan,
                                           const TConvertSetup &setup, const TConvertCache &cache, bool peek = false);

// Converts the tunes the cache does not hold, into the cache, on as many threads as the machine
// has cores (or threads, when given); progress may be null.
TConversions ConvertTunes(const std::vector<TTuneToConvert> &tunes, const TConvertSetup &setup,
                          const TConvertCache &cache, TConvertProgress *progress, int threads = 0);
