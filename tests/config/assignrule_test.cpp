// Which files and archive entries a scene of each music set takes, and what it says of those it
// does not.
#include "assignrule.h"

#include <gtest/gtest.h>

#include "musicfiles.h"

namespace {
TMusicSet Taking(const char *name, const QStringList &extensions) {
  TMusicSet set = MidiMusicSet();
  set.Name = QString::fromUtf8(name);
  set.SourceExtensions = extensions;
  return set;
}
}  // namespace

TEST(AssignRule, WhichNamesEachSetTakes) {
  const TMusicSet &midi = MidiMusicSet();
  const TMusicSet mp3 = Taking("デジタル", {".mp3"});
  const struct {
    const char *name;
    bool midi, mp3, music;
  } cases[] = {
      {"town.mid", true, false, true},
      {"C:\\MIDI\\TOWN.MID", true, false, true},
      {"music/town.Mid", true, false, true},
      {"town.mp3", false, true, true},
      {"D:\\dl\\Town.MP3", false, true, true},
      {"town.wav", false, false, true},
      {"town.flac", false, false, true},
      {"town.ogg", false, false, true},
      {"town.opus", false, false, true},
      {"town.midi", false, false, false},
      {"town.mid.bak", false, false, false},
      {"town.mp3 ", false, false, false},
      {"readme.txt", false, false, false},
      {"pack.lzh", false, false, false},
      {"mid", false, false, false},
      {"mp3", false, false, false},
      {"", false, false, false},
      // A dot in a folder's name is no extension.
      {"C:\\a.mid\\town", false, false, false},
      {"dir.mp3/town", false, false, false},
      {"dir.mp3/", false, false, false},
  };
  for (const auto &c : cases) {
    const QString name = QString::fromUtf8(c.name);
    EXPECT_EQ(midi.Takes(name), c.midi) << c.name;
    EXPECT_EQ(mp3.Takes(name), c.mp3) << c.name;
    EXPECT_EQ(IsMusicFileName(name), c.music) << c.name;
  }
  // Every set takes music files only: the folder tree offers whatever some set takes.
  for (const QString &extension : midi.SourceExtensions) EXPECT_TRUE(MusicFileExtensions().contains(extension));
}

TEST(AssignRule, KindsOfFileAsMessagesNameThem) {
  const std::pair<const char *, const char *> cases[] = {{".mid", "MIDI"},       {".MID", "MIDI"},  {".mp3", "MP3"},
                                                         {".ogg", "Ogg Vorbis"}, {".opus", "Opus"}, {".xm", "XM"}};
  for (const auto &[extension, kind] : cases) EXPECT_EQ(MusicFileKind(extension), kind) << extension;
  EXPECT_EQ(TakenSourcesText(MidiMusicSet()), QString::fromUtf8("MIDI ファイル (.mid)"));
  EXPECT_EQ(TakenSourcesText(Taking("x", {".mp3", ".wav", ".MP3"})),
            QString::fromUtf8("MP3・WAV ファイル (.mp3, .wav, .MP3)"));
}

TEST(AssignRule, ARefusalNamesTheFileAndWhatTheScenesTake) {
  const TMusicSet mp3 = Taking("デジタル", {".mp3"});
  const TMusicSet nothing = Taking("Empty", {});
  const struct {
    const TMusicSet &set;
    const char *source, *refusal;
  } cases[] = {
      {MidiMusicSet(), "C:\\MIDI\\town.MID", ""},
      {MidiMusicSet(), "D:\\dl\\pack.lzh|music/town.mid", ""},
      {MidiMusicSet(), "britain1.mid", ""},
      {MidiMusicSet(), "C:\\MIDI\\town.mp3",
       "town.mp3 は割り当てられません.\nMIDI の場面には MIDI ファイル (.mid) だけを割り当てられます."},
      {MidiMusicSet(), "D:\\dl\\pack.zip|music/town.mp3",
       "town.mp3 は割り当てられません.\nMIDI の場面には MIDI ファイル (.mid) だけを割り当てられます."},
      // The entry's name decides, not the archive's.
      {MidiMusicSet(), "D:\\dl\\songs.mid|readme",
       "readme は割り当てられません.\nMIDI の場面には MIDI ファイル (.mid) だけを割り当てられます."},
      {mp3, "D:\\dl\\pack.zip|Town.Mp3", ""},
      {mp3, "C:\\MIDI\\town.mid",
       "town.mid は割り当てられません.\nデジタルの場面には MP3 ファイル (.mp3) だけを割り当てられます."},
      {nothing, "C:\\a.mp3", "a.mp3 は割り当てられません.\nEmpty の場面にはファイルを割り当てられません."},
  };
  for (const auto &c : cases)
    EXPECT_EQ(AssignRefusal(c.set, QString::fromUtf8(c.source)), QString::fromUtf8(c.refusal)) << c.source;
}
