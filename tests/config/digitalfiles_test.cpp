#include "digitalfiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testworld.h"

using testsupport::TestWorld;

TEST(DigitalFiles, TrackFileIsFoundWithoutRegardToCase) {
  TestWorld world;
  const struct {
    const char *what;
    std::vector<std::string> files;  // in the music folder
    const char *name;
    TDigitalFileMatch::Kind result;
    const char *path;  // relative to the folder, when found
    int matches;
  } cases[] = {
      {"one, same case", {"britainpos.mp3", "other.mp3"}, "britainpos", TDigitalFileMatch::Found, "britainpos.mp3", 1},
      {"one, other case", {"Britainpos.MP3"}, "britainpos", TDigitalFileMatch::Found, "Britainpos.MP3", 1},
      {"none",
       {"britain.mp3", "britainpos.wav", "britainpos.mp3.bak"},
       "britainpos",
       TDigitalFileMatch::Missing,
       "",
       0},
      {"two by case", {"Britainpos.mp3", "britainpos.mp3"}, "britainpos", TDigitalFileMatch::Ambiguous, "", 2},
      {"a folder of that name is no file", {"britainpos.mp3/x"}, "britainpos", TDigitalFileMatch::Missing, "", 0},
  };
  int n = 0;
  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    const std::string folder = world.Linux("music" + std::to_string(n++));
    TestWorld::MakeDirs(folder);
    for (const std::string &file : c.files) {
      TestWorld::MakeDirs(folder + "/" + file.substr(0, file.rfind('/') + 1));
      TestWorld::WriteFile(folder + "/" + file, "mp3");
    }
    const QString dir = QString::fromStdString(folder);
    const TDigitalFileMatch match = MatchDigitalFile(dir, DigitalFolderFiles(dir), QString::fromLatin1(c.name));
    EXPECT_EQ(match.Result, c.result);
    EXPECT_EQ(match.Path.toStdString(), *c.path ? folder + "/" + c.path : "");
    EXPECT_EQ(match.Matches.size(), c.matches);
  }
}

TEST(DigitalFiles, WithoutAnIndexTheMp3FilesAreTheTracks) {
  TestWorld world;
  const std::string folder = world.Linux("Digital");
  TestWorld::MakeDirs(folder);
  for (const char *file : {"Zento.mp3", "cove.MP3", "COVE.mp3", "notes.txt", "town.wav", "title.mid"})
    TestWorld::WriteFile(folder + "/" + file, "x");
  TestWorld::MakeDirs(folder + "/folder.mp3");
  std::vector<std::string> keys;
  for (const TDigitalTrack &track : DigitalTracksOfFolder(QString::fromStdString(folder))) {
    keys.push_back(track.Key.toStdString());
    EXPECT_TRUE(track.Numbers.empty());
  }
  EXPECT_EQ(keys, (std::vector<std::string>{"cove.mp3", "zento.mp3"}));
}
