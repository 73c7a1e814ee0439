// Digital music for test games and the demo: real MP3 files made by the LAME encoder, and a
// music folder with an index shaped like the official client's.
#pragma once

#include <string>
#include <vector>

namespace testsupport {

// Encodes a sine of hz lasting seconds (44.1 kHz, mono) as an MP3 file at linuxPath with the
// `lame` command; answers the file's bytes (empty when lame failed).
std::string MakeSineMp3(const std::string &linuxPath, int hz, double seconds = 0.3);
// As MakeSineMp3, a tune: the notes (Hz) one after another, each lasting secondsPerNote.
std::string MakeTuneMp3(const std::string &linuxPath, const std::vector<int> &notesHz, double secondsPerNote);

// One line of the index and the file on disk it names ("" for none).
struct DigitalTrackFile {
  std::string indexLine;
  std::string diskName;
};

// The index and files DigitalMusic writes: numbers with and without ".mp3" and ",loop", several
// numbers naming one file, names in another case on disk, a line that is no track, and a track
// named by two files that differ in case only.
const std::vector<DigitalTrackFile> &DigitalTrackFiles();

// Writes Config.txt and the MP3 files of DigitalTrackFiles into linuxDir (created when missing).
void MakeRealDigitalMusic(const std::string &linuxDir);

}  // namespace testsupport
