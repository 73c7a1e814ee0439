#include "digitalcaption.h"

#include <QStringList>
#include <iterator>

#include "musicset.h"

namespace {

// The servers' numbering of the game's MIDI music.
const char *const kMidiFileOfNumber[] = {
    "oldult01.mid", "create1.mid",  "dragflit.mid", "oldult02.mid", "oldult03.mid", "oldult04.mid", "oldult05.mid",
    "oldult06.mid", "stones2.mid",  "britain1.mid", "britain2.mid", "bucsden.mid",  "jhelom.mid",   "lbcastle.mid",
    "linelle.mid",  "magincia.mid", "minoc.mid",    "ocllo.mid",    "samlethe.mid", "serpents.mid", "skarabra.mid",
    "trinsic.mid",  "vesper.mid",   "wind.mid",     "yew.mid",      "cave01.mid",   "dungeon9.mid", "forest_a.mid",
    "intown01.mid", "jungle_a.mid", "mountn_a.mid", "plains_a.mid", "sailing.mid",  "swamp_a.mid",  "tavern01.mid",
    "tavern02.mid", "tavern03.mid", "tavern04.mid", "combat1.mid",  "combat2.mid",  "combat3.mid",  "approach.mid",
    "death.mid",    "victory.mid",  "btcastle.mid", "nujelm.mid",   "dungeon2.mid", "cove.mid",     "moonglow.mid"};
static_assert(std::size(kMidiFileOfNumber) == 49);

// The name as the set writes it: the caption is shown through ShownSceneName.
QString MidiSceneName(const QString &file) {
  for (const TScene &scene : MidiMusicSet().Scenes)
    if (scene.FileName == file) return scene.Name;
  return file;
}

}  // namespace

QString MidiFileOfDigitalNumber(int number) {
  if (number < 0 || number >= static_cast<int>(std::size(kMidiFileOfNumber))) return {};
  return QString::fromLatin1(kMidiFileOfNumber[number]);
}

QString DigitalTrackCaption(const TDigitalTrack &track) {
  const QString fileName = track.Name + QStringLiteral(".mp3");
  QStringList names;
  for (const int number : track.Numbers) {
    const QString midi = MidiFileOfDigitalNumber(number);
    const QString name = midi.isEmpty() ? fileName : MidiSceneName(midi);
    if (!names.contains(name)) names.append(name);
  }
  if (names.isEmpty()) names.append(fileName);
  return names.join(QStringLiteral(" / "));
}
